#include "screens/quiz/definizione/formTrova.h"

#include "widgets/Aspetto.h"
#include "logic/Contesto.h"
#include "widgets/Controlli.h"
#include "logic/Percorsi.h"
#include "logic/Protezione.h"
#include "logic/Stato.h"
#include "widgets/Twips.h"

formTrova::formTrova(Contesto &contesto, QWidget *parent)
    : CorniceQuiz(contesto, Cornici::trova(), parent),
      m_punteggio(area(),
                {tw(5640, 360, 855, 750), tw(6720, 270, 735, 375), tw(7560, 150, 975, 615),
                 tw(6720, 735, 735, 495), tw(7560, 615, 855, 615)},
                contesto.stato),
      m_definizione(contesto)
{
    QWidget *a = area();
    a->setFont(carattere(QStringLiteral("MS Sans Serif"), 8.25, true));

    const QFont arial12 = carattere(QStringLiteral("Arial"), 12, true);

    for (int i = 0; i < 6; ++i) {
        auto *etichetta = new Etichetta(a);
        etichetta->setObjectName(QStringLiteral("Label1_%1").arg(i));
        etichetta->setGeometry(tw(120, 120 + 960 * i, 4995, 855));
        etichetta->setFont(arial12);
        etichetta->setFrameStyle(QFrame::Box | QFrame::Plain);
        etichetta->setLineWidth(1);
        etichetta->setWordWrap(true);
        etichetta->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        impostaColori(etichetta, ColoreSistemaFinestra, ColoreSistemaTestoFinestra);
        etichetta->setToolTip(QStringLiteral("Fai clic qui se è la descrizione del segnale"));
        connect(etichetta, &Etichetta::clic, this, protetto(contesto, [this, i] { Label1_Click(i); }));
        rendiLeggibile(etichetta, contesto.voce);
        Label1[static_cast<std::size_t>(i)] = etichetta;
    }

    Image1 = new Immagine(a);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setBordo(true);
    Image1->setGeometry(tw(5400, 1200, 3615, 3375));
    Image1->setAccessibleName(QStringLiteral("Segnale"));

    Command1 = creaAvanti(tw(6240, 4800, 1935, 975));
    Command1->setEnabled(false);
    connect(Command1, &QAbstractButton::clicked, this, protetto(contesto, [this] { Command1_Click(); }));

    Form_Load();
}

void formTrova::Form_Load()
{
    apriQuiz();
}

void formTrova::GeneraEsercizio()
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
    Etichetta *cliccata = Label1.at(static_cast<std::size_t>(Index));
    const bool giusta = m_definizione.rispondi(cliccata->text());
    m_punteggio.mostraFaccia(giusta);
    if (!giusta) {
        m_punteggio.mostraErrati();
        dopoRisposta();
        return;
    }
    m_punteggio.mostraEsatti();
    Command1->setEnabled(true);
    impostaColori(cliccata, ColoreRosso, ColoreSistemaTestoFinestra);
    for (Etichetta *etichetta : Label1)
        etichetta->setEnabled(false);
    dopoRisposta();
}

void formTrova::Command1_Click()
{
    Command1->setEnabled(false);
    for (Etichetta *etichetta : Label1) {
        // Enabled first: a disabled label would take the window colour of its disabled state.
        etichetta->setEnabled(true);
        impostaColori(etichetta, ColoreSistemaFinestra, ColoreSistemaTestoFinestra);
    }
    GeneraEsercizio();
}

void formTrova::mostraContatori()
{
    m_punteggio.mostraContatori();
}
