#include "quiz/definition/formTrova.h"

#include "core/Aspetto.h"
#include "core/Contesto.h"
#include "core/Controlli.h"
#include "core/Percorsi.h"
#include "core/Stato.h"
#include "core/Twips.h"

formTrova::formTrova(Contesto &contesto, QWidget *parent)
    : CorniceQuiz(contesto, Cornici::trova(), parent), m_definizione(contesto)
{
    QWidget *a = area();
    a->setFont(carattere(QStringLiteral("MS Sans Serif"), 8.25, true));

    const QFont arial12 = carattere(QStringLiteral("Arial"), 12, true);
    const QFont arial18 = carattere(QStringLiteral("Arial"), 18, true);

    for (int i = 0; i < 6; ++i) {
        auto *etichetta = new Etichetta(a);
        etichetta->setObjectName(QStringLiteral("Label1_%1").arg(i));
        etichetta->setGeometry(tw(120, 120 + 960 * i, 4995, 855));
        etichetta->setFont(arial12);
        etichetta->setFrameStyle(QFrame::Box | QFrame::Plain);
        etichetta->setLineWidth(1);
        etichetta->setWordWrap(true);
        etichetta->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        impostaSfondo(etichetta, ColoreSistemaFinestra);
        impostaColoreTesto(etichetta, ColoreSistemaTestoFinestra);
        connect(etichetta, &Etichetta::clic, this, [this, i] { Label1_Click(i); });
        Label1[static_cast<std::size_t>(i)] = etichetta;
    }

    Image1 = new Immagine(a);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setBordo(true);
    Image1->setGeometry(tw(5400, 1200, 3615, 3375));
    Image1->setAccessibleName(QStringLiteral("Segnale"));

    auto faccia = [a](const char *nome, const char *icona, const QString &accessibile) {
        auto *p = new PulsanteGrafico(QIcon(QLatin1String(icona)), QString(), a);
        p->setObjectName(QLatin1String(nome));
        p->setGeometry(tw(5640, 360, 855, 750));
        p->setAccessibleName(accessibile);
        return p;
    };
    ComandoIconaSi = faccia("ComandoIconaSi", ":/icone/faccia_si.svg",
                            QStringLiteral("Risposta giusta"));
    ComandoIconaNo = faccia("ComandoIconaNo", ":/icone/faccia_no.svg",
                            QStringLiteral("Risposta sbagliata"));
    ComandoIconaSi->hide();

    auto etichetta = [a](const char *nome, const QString &testo, const QRect &posto,
                         const QFont &font) {
        auto *l = new QLabel(testo, a);
        l->setObjectName(QLatin1String(nome));
        l->setGeometry(posto);
        l->setFont(font);
        impostaColoreTesto(l, ColoreSistemaTestoFinestra);
        return l;
    };
    Label3 = etichetta("Label3", QStringLiteral("Esatti"), tw(6720, 270, 735, 375), arial12);
    EtichettaEsatti = etichetta("EtichettaEsatti", QStringLiteral("quantiesatti"),
                                tw(7560, 150, 975, 615), arial18);
    Label2 = etichetta("Label2", QStringLiteral("Errati"), tw(6720, 735, 735, 495), arial12);
    EtichettaErrati = etichetta("EtichettaErrati", QStringLiteral("quantierrati"),
                                tw(7560, 615, 855, 615), arial18);
    EtichettaEsatti->setAccessibleName(QStringLiteral("Esatti"));
    EtichettaErrati->setAccessibleName(QStringLiteral("Errati"));

    Command1 = new PulsanteGrafico(QIcon(QStringLiteral(":/icone/avanti.svg")),
                                   QStringLiteral("avanti"), a);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(tw(6240, 4800, 1935, 975));
    Command1->setFont(carattere(QStringLiteral("Arial"), 14.25, true));
    Command1->setAccessibleName(QStringLiteral("avanti"));
    Command1->setEnabled(false);
    connect(Command1, &QAbstractButton::clicked, this, &formTrova::Command1_Click);

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
    ComandoIconaSi->setVisible(giusta);
    ComandoIconaNo->setVisible(!giusta);
    if (!giusta) {
        mostraErrati();
        return;
    }
    mostraEsatti();
    Command1->setEnabled(true);
    impostaSfondo(cliccata, ColoreRosso);
    for (Etichetta *etichetta : Label1)
        etichetta->setEnabled(false);
}

void formTrova::Command1_Click()
{
    Command1->setEnabled(false);
    for (Etichetta *etichetta : Label1) {
        // Enabled first: a disabled label would take the window colour of its disabled state.
        etichetta->setEnabled(true);
        impostaSfondo(etichetta, ColoreSistemaFinestra);
    }
    GeneraEsercizio();
}

void formTrova::mostraEsatti()
{
    const QString testo = testoContatore(contesto().stato.NumeroEsatti);
    EtichettaEsatti->setText(testo);
    EtichettaEsatti->setAccessibleDescription(testo.trimmed());
}

void formTrova::mostraErrati()
{
    const QString testo = testoContatore(contesto().stato.NumeroErrati);
    EtichettaErrati->setText(testo);
    EtichettaErrati->setAccessibleDescription(testo.trimmed());
}

void formTrova::mostraContatori()
{
    mostraEsatti();
    mostraErrati();
}
