#include "screens/quiz/riconoscimento/formDisegni.h"

#include "widgets/Aspetto.h"
#include "widgets/ContornoLeggibile.h"
#include "logic/Contesto.h"
#include "widgets/Controlli.h"
#include "logic/Percorsi.h"
#include "logic/Protezione.h"
#include "logic/Stato.h"
#include "widgets/Scala.h"
#include "widgets/Twips.h"
#include "widgets/Immagine.h"
#include "widgets/PulsanteGrafico.h"
#include "screens/quiz/riconoscimento/CorniceRisposta.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace cartavia {

formDisegni::formDisegni(Contesto &contesto, QWidget *parent)
    : CorniceQuiz(contesto, Cornici::disegni(), parent), m_riconoscimento(contesto)
{
    QWidget *a = area();

    const QRect posti[6] = {
        tw(240, 960, 2535, 2295),  tw(3120, 960, 2655, 2295),  tw(6120, 960, 2535, 2295),
        tw(240, 3360, 2535, 2295), tw(3120, 3360, 2640, 2295), tw(6120, 3360, 2535, 2295),
    };
    for (int i = 0; i < 6; ++i) {
        auto *immagine = new Immagine(a);
        nominaControllo(immagine, QStringLiteral("Image1"), i);
        immagine->setBordo(true);
        immagine->setGeometry(posti[i]);
        // Named by place, never by sign: the name would give the answer away.
        immagine->setAccessibleName(QStringLiteral("Segnale %1").arg(i + 1));
        immagine->setToolTip(QStringLiteral("Fai clic qui se è il segnale descritto"));
        connect(immagine, &Immagine::clic, this, protetto(contesto, [this, i] { Image1_Click(i); }));
        immagine->setRisposta(true);
        immagine->installEventFilter(this);
        Image1[static_cast<std::size_t>(i)] = immagine;
    }

    testo = new QLabel(a);
    nominaControllo(testo, QStringLiteral("testo"));
    testo->setGeometry(tw(240, 5760, 6975, 1215));
    impostaRiquadro(testo, carattere(QStringLiteral("Arial"), 18, true), Qt::AlignHCenter | Qt::AlignTop);
    impostaColori(testo, ColoreSistemaFinestra, ColoreSistemaTestoFinestra);
    rendiLeggibile(testo, contesto.voce);

    Shape1 = new CorniceRisposta(a);
    nominaControllo(Shape1, QStringLiteral("Shape1"));
    Shape1->setGeometry(tw(240, 3360, 2535, 2295));
    Shape1->hide();

    Command1 = creaAvanti(tw(7320, 5880, 1335, 975));
    Command1->setEnabled(false);
    connect(Command1, &QAbstractButton::clicked, this, protetto(contesto, [this] { Command1_Click(); }));

    Label4 = new QLabel(QStringLiteral("Label1"), a);
    nominaControllo(Label4, QStringLiteral("Label4"));
    // Larger than the window's 8.25 points, which the pupil cannot read, and wider to the left,
    // up to the counters, so that the longest category still fits on two lines.
    Label4->setGeometry(tw(6000, 240, 2655, 615));
    Label4->setFont(carattere(QStringLiteral("Arial"), 9.75, true));
    Label4->setWordWrap(true);
    impostaColoreTesto(Label4, ColoreTestoClassico); // on the random colour, whatever the theme
    new ContornoLeggibile(Label4, ContrastoMinimo);
    connect(this, &CorniceQuiz::categoriaScelta, this, protetto(contesto, [this](const QString &voce) {
                Label4->setText(QStringLiteral("selezionati ") + voce);
            }));
    collegaRegole(&m_riconoscimento, [this](bool giusta) { mostraVerdetto(giusta); });

    Form_Load();
}

void formDisegni::Form_Load()
{
    apriQuiz();
    Image1.front()->setFocus();
}

bool formDisegni::eventFilter(QObject *oggetto, QEvent *evento)
{
    const auto trovata = std::find(Image1.begin(), Image1.end(), oggetto);
    if (evento->type() == QEvent::KeyPress && trovata != Image1.end()) {
        const auto i = static_cast<int>(std::distance(Image1.begin(), trovata));
        int riga = i / 3, colonna = i % 3;
        switch (static_cast<QKeyEvent *>(evento)->key()) {
        case Qt::Key_Left: colonna = qMax(0, colonna - 1); break;
        case Qt::Key_Right: colonna = qMin(2, colonna + 1); break;
        case Qt::Key_Up: riga = 0; break;
        case Qt::Key_Down: riga = 1; break;
        default: return CorniceQuiz::eventFilter(oggetto, evento);
        }
        Image1[static_cast<std::size_t>(riga * 3 + colonna)]->setFocus(Qt::TabFocusReason);
        return true;
    }
    return CorniceQuiz::eventFilter(oggetto, evento);
}

void formDisegni::attendiRisposta()
{
    Shape1->hide();
    for (Immagine *immagine : Image1)
        immagine->setEnabled(true);
    Command1->setEnabled(false);
}

void formDisegni::NuovoEsercizio()
{
    const EsercizioRiconoscimento esercizio = m_riconoscimento.genera();
    impostaSfondoEsercizio(esercizio.colore);
    std::vector<std::pair<Immagine *, QString>> immagini;
    for (std::size_t k = 0; k < Image1.size(); ++k)
        immagini.emplace_back(Image1[k], fileImmagine(contesto().cartella, esercizio.segnali[k]));
    caricaImmagini(immagini);
    testo->setFont(carattere(QStringLiteral("MS Sans Serif"), 18, true));
    testo->setText(esercizio.testo);
    testo->setAccessibleName(esercizio.testo.trimmed());
}

void formDisegni::Image1_Click(int Index)
{
    m_cliccata = Index;
    m_riconoscimento.rispondi(Index);
}

void formDisegni::mostraVerdetto(bool giusta)
{
    if (!giusta)
        return;
    // The frame takes the size of the picture it marks, so it reaches every edge of it.
    Immagine *cliccata = Image1.at(static_cast<std::size_t>(m_cliccata));
    scala()->posa(Shape1, scala()->naturale(cliccata));
    Shape1->raise();
    Shape1->show();
    Command1->setEnabled(true);
    Command1->setFocus(); // before the pictures are disabled, which would move it on
    for (Immagine *immagine : Image1)
        immagine->setEnabled(false);
}

void formDisegni::Command1_Click()
{
    GeneraEsercizio();
    Image1.front()->setFocus();
}

} // namespace cartavia
