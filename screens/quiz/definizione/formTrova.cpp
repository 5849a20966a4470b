#include "screens/quiz/definizione/formTrova.h"

#include "widgets/Aspetto.h"
#include "widgets/ContornoLeggibile.h"
#include "logic/Contesto.h"
#include "widgets/Controlli.h"
#include "logic/Percorsi.h"
#include "logic/Protezione.h"
#include "logic/Stato.h"
#include "widgets/Twips.h"
#include "widgets/Etichetta.h"
#include "widgets/Immagine.h"
#include "widgets/PulsanteGrafico.h"

#include <QKeyEvent>

#include <algorithm>

namespace cartavia {

formTrova::formTrova(Contesto &contesto, QWidget *parent)
    : CorniceQuiz(contesto, Cornici::trova(), parent), m_definizione(contesto)
{
    QWidget *a = area();
    const QFont arial12 = carattere(QStringLiteral("Arial"), 12, true);

    for (int i = 0; i < 6; ++i) {
        auto *etichetta = new Etichetta(a);
        nominaControllo(etichetta, QStringLiteral("Label1"), i);
        etichetta->setGeometry(tw(120, 120 + 960 * i, 4995, 855));
        impostaRiquadro(etichetta, arial12, Qt::AlignLeft | Qt::AlignTop);
        impostaColori(etichetta, ColoreSistemaFinestra, ColoreSistemaTestoFinestra);
        etichetta->setToolTip(QStringLiteral("Fai clic qui se è la descrizione del segnale"));
        etichetta->setRisposta(true);
        etichetta->installEventFilter(this);
        connect(etichetta, &Etichetta::clic, this, protetto(contesto, [this, i] { Label1_Click(i); }));
        rendiLeggibile(etichetta, contesto.voce);
        Label1[static_cast<std::size_t>(i)] = etichetta;
    }

    Image1 = new Immagine(a);
    nominaControllo(Image1, QStringLiteral("Image1"));
    Image1->setBordo(true);
    Image1->setGeometry(tw(5400, 1200, 3615, 3375));
    Image1->setAccessibleName(QStringLiteral("Segnale"));

    Command1 = creaAvanti(tw(6240, 4800, 1935, 975));
    Command1->setEnabled(false);
    connect(Command1, &QAbstractButton::clicked, this, protetto(contesto, [this] { Command1_Click(); }));
    for (std::size_t i = 1; i < Label1.size(); ++i)
        setTabOrder(Label1[i - 1], Label1[i]);
    setTabOrder(Label1.back(), Command1);
    collegaRegole(&m_definizione, [this](bool giusta) { mostraVerdetto(giusta); });

    Form_Load();
}

void formTrova::Form_Load()
{
    apriQuiz();
    Label1.front()->setFocus();
}

bool formTrova::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (evento->type() == QEvent::KeyPress) {
        const int tasto = static_cast<QKeyEvent *>(evento)->key();
        const auto trovata = std::find(Label1.begin(), Label1.end(), oggetto);
        if (trovata != Label1.end() && (tasto == Qt::Key_Up || tasto == Qt::Key_Down)) {
            const auto i = std::distance(Label1.begin(), trovata);
            const auto prossima = tasto == Qt::Key_Down ? i + 1 : i - 1;
            if (prossima >= 0 && prossima < static_cast<std::ptrdiff_t>(Label1.size()))
                Label1[static_cast<std::size_t>(prossima)]->setFocus(
                    tasto == Qt::Key_Down ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return CorniceQuiz::eventFilter(oggetto, evento);
}

void formTrova::attendiRisposta()
{
    Command1->setEnabled(false);
    for (Etichetta *etichetta : Label1) {
        // Enabled first: a disabled label would take the window colour of its disabled state.
        etichetta->setEnabled(true);
        impostaColori(etichetta, ColoreSistemaFinestra, ColoreSistemaTestoFinestra);
        etichetta->setGraphicsEffect(nullptr);
    }
}

void formTrova::NuovoEsercizio()
{
    const EsercizioDefinizione esercizio = m_definizione.genera();
    impostaSfondoEsercizio(esercizio.colore);
    Image1->carica(fileImmagine(contesto().cartella, esercizio.segnale));
    for (std::size_t i = 0; i < Label1.size(); ++i) {
        Label1[i]->setText(esercizio.testi[i]);
        Label1[i]->setAccessibleName(esercizio.testi[i]);
    }
}

void formTrova::Label1_Click(int Index)
{
    m_cliccata = Label1.at(static_cast<std::size_t>(Index));
    m_definizione.rispondi(m_cliccata->text());
}

void formTrova::mostraVerdetto(bool giusta)
{
    if (!giusta)
        return;
    Command1->setEnabled(true);
    Command1->setFocus(); // before the descriptions are disabled, which would move it on
    impostaColori(m_cliccata, ColoreRosso, ColoreSistemaTestoFinestra);
    // On a background as red as the answer, an outline keeps it in sight.
    new ContornoLeggibile(m_cliccata, ContrastoMinimoRiquadro);
    for (Etichetta *etichetta : Label1)
        etichetta->setEnabled(false);
}

void formTrova::Command1_Click()
{
    GeneraEsercizio();
    Label1.front()->setFocus();
}

} // namespace cartavia
