#include "screens/esame/FormEsame.h"

#include "logic/Contesto.h"
#include "logic/Modulo1.h"
#include "logic/Percorsi.h"
#include "logic/Protezione.h"
#include "logic/Stato.h"
#include "widgets/Annuncio.h"
#include "widgets/Aspetto.h"
#include "widgets/Controlli.h"
#include "widgets/SerieClic.h"
#include "widgets/Twips.h"
#include "widgets/Immagine.h"
#include "widgets/PulsanteGrafico.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace cartavia {

namespace {
QString testoRisposta(RispostaEsame risposta)
{
    switch (risposta) {
    case RispostaEsame::Vero:
        return QStringLiteral("Vero");
    case RispostaEsame::Falso:
        return QStringLiteral("Falso");
    case RispostaEsame::Nessuna:
        break;
    }
    return QStringLiteral("nessuna risposta");
}

// A given answer shows on its button and on its box in the strip: light blue, with a text
// that reads on it in any theme.
void segnaData(QPushButton *pulsante, bool data)
{
    QPalette colori = pulsante->parentWidget()->palette();
    if (data) {
        const QColor azzurro(0xB4, 0xD7, 0xFF);
        colori.setColor(QPalette::Button, azzurro);
        colori.setColor(QPalette::ButtonText, testoLeggibile(colori.color(QPalette::ButtonText), azzurro));
    }
    pulsante->setPalette(colori);
}

} // namespace

FormEsame::FormEsame(Contesto &contesto, QWidget *parent)
    : FinestraAttivita(contesto, 10080, 6240, parent), m_contesto(contesto), m_prova(contesto)
{
    setAccessibleName(QStringLiteral("Cartavia - prova d'esame"));
    QMenu *opzioni = menuBar()->addMenu(QStringLiteral("Opzioni") + QString(10, QLatin1Char(' ')));
    opzioni->setObjectName(QStringLiteral("mnuOpzioni"));
    mnuSenzaLimite = opzioni->addAction(QStringLiteral("senza limite di tempo"));
    mnuSenzaLimite->setObjectName(QStringLiteral("mnuSenzaLimite"));
    mnuSenzaLimite->setCheckable(true);
    connect(mnuSenzaLimite, &QAction::toggled, this, protetto(contesto, [this](bool senza) {
                m_prova.setSenzaLimite(senza);
                mostraTempo();
            }));
    aggiungiEsci();

    QWidget *a = area();
    SerieClic::contaUnClic(a);
    const QFont testo = carattere(QStringLiteral("Arial"), 14, true);
    const QFont pulsanti = carattere(QStringLiteral("Arial"), 12, true);
    const QFont spiegazioni = carattere(QStringLiteral("Arial"), 11, false);
    m_annuncio = new Annuncio(a);
    m_annuncio->setObjectName(QStringLiteral("annuncio"));

    auto etichetta = [this, &contesto](QWidget *pagina, const char *nome, const QRect &posto,
                                       const QFont &font, Qt::Alignment allineamento) {
        auto *e = new QLabel(pagina);
        nominaControllo(e, QLatin1String(nome));
        e->setGeometry(posto);
        e->setAutoFillBackground(true);
        impostaRiquadro(e, font, allineamento);
        impostaColori(e, ColoreSistemaFinestra, ColoreSistemaTestoFinestra);
        rendiLeggibile(e, contesto.voce);
        e->installEventFilter(this);
        return e;
    };
    auto pulsante = [this](QWidget *pagina, const char *nome, const QString &caption, const QRect &posto,
                           const QFont &font, int indice = -1) {
        auto *p = new QPushButton(caption, pagina);
        nominaControllo(p, QLatin1String(nome), indice);
        p->setGeometry(posto);
        p->setFont(font);
        premiConInvio(p);
        p->installEventFilter(this);
        return p;
    };

    // The test.
    m_pagProva = new QWidget(a);
    m_pagProva->setGeometry(tw(0, 0, 10080, 6240));
    LabelNumero = etichetta(m_pagProva, "LabelNumero", tw(240, 120, 3255, 495), testo, Qt::AlignCenter);
    LabelTempo = etichetta(m_pagProva, "LabelTempo", tw(6585, 120, 3255, 495), testo, Qt::AlignCenter);
    Image1 = new Immagine(m_pagProva);
    nominaControllo(Image1, QStringLiteral("Image1"));
    Image1->setBordo(true);
    Image1->setGeometry(tw(240, 780, 3615, 3375));
    Label1 = etichetta(m_pagProva, "Label1", tw(4080, 780, 5760, 1815), testo, Qt::AlignLeft | Qt::AlignVCenter);
    Label1->setToolTip(QStringLiteral("Vero o falso? Tasto destro o Ctrl+L: leggi ad alta voce"));
    CommandVero = pulsante(m_pagProva, "CommandVero", QStringLiteral("Vero"), tw(4080, 2760, 2760, 855), testo);
    CommandFalso = pulsante(m_pagProva, "CommandFalso", QStringLiteral("Falso"), tw(7080, 2760, 2760, 855), testo);
    for (QPushButton *p : {CommandVero, CommandFalso})
        p->setCheckable(true);
    CommandVero->setToolTip(QStringLiteral("L'affermazione è vera (tasto V)"));
    CommandFalso->setToolTip(QStringLiteral("L'affermazione è falsa (tasto F)"));
    CommandPrecedente = pulsante(m_pagProva, "CommandPrecedente", QStringLiteral("‹ precedente"),
                                 tw(4080, 3780, 1800, 615), pulsanti);
    CommandSuccessiva = pulsante(m_pagProva, "CommandSuccessiva", QStringLiteral("successiva ›"),
                                 tw(6060, 3780, 1800, 615), pulsanti);
    CommandConsegna = pulsante(m_pagProva, "CommandConsegna", QStringLiteral("Consegna"),
                               tw(8040, 3780, 1800, 615), pulsanti);
    CommandConsegna->setToolTip(QStringLiteral("Termina la prova e guarda il risultato"));
    const QFont caselle = carattere(QStringLiteral("Arial"), 10, true);
    for (int i = 0; i < ProvaEsame::NumeroAffermazioni; ++i) {
        QPushButton *casella = pulsante(m_pagProva, "Casella", QString::number(i + 1),
                                        tw(240 + 645 * (i % 15), 4680 + 600 * (i / 15), 600, 495), caselle, i);
        casella->setFocusPolicy(Qt::NoFocus); // the arrows move among them
        casella->setCheckable(true);
        casella->setToolTip(QStringLiteral("Vai alla domanda %1").arg(i + 1));
        connect(casella, &QPushButton::clicked, this, protetto(contesto, [this, i] { vaiA(i); }));
        Casella[static_cast<std::size_t>(i)] = casella;
    }
    connect(CommandVero, &QPushButton::clicked, this, protetto(contesto, [this] { rispondi(true); }));
    connect(CommandFalso, &QPushButton::clicked, this, protetto(contesto, [this] { rispondi(false); }));
    connect(CommandPrecedente, &QPushButton::clicked, this, protetto(contesto, [this] { vaiA(m_corrente - 1); }));
    connect(CommandSuccessiva, &QPushButton::clicked, this, protetto(contesto, [this] { vaiA(m_corrente + 1); }));
    connect(CommandConsegna, &QPushButton::clicked, this, protetto(contesto, [this] { Consegna_Click(); }));
    setTabOrder(Label1, CommandVero);
    setTabOrder(CommandVero, CommandFalso);
    setTabOrder(CommandFalso, CommandPrecedente);
    setTabOrder(CommandPrecedente, CommandSuccessiva);
    setTabOrder(CommandSuccessiva, CommandConsegna);

    // The result.
    m_pagEsito = new QWidget(a);
    m_pagEsito->setGeometry(tw(0, 0, 10080, 6240));
    LabelEsito = etichetta(m_pagEsito, "LabelEsito", tw(240, 120, 4500, 735),
                           carattere(QStringLiteral("Arial"), 24, true), Qt::AlignCenter);
    LabelRiepilogo = etichetta(m_pagEsito, "LabelRiepilogo", tw(240, 960, 4500, 3435),
                               spiegazioni, Qt::AlignLeft | Qt::AlignTop);
    LabelNumeroErrore = etichetta(m_pagEsito, "LabelNumeroErrore", tw(4980, 120, 4860, 495), testo,
                                  Qt::AlignCenter);
    ImageErrore = new Immagine(m_pagEsito);
    nominaControllo(ImageErrore, QStringLiteral("ImageErrore"));
    ImageErrore->setBordo(true);
    ImageErrore->setGeometry(tw(6345, 720, 2130, 1995));
    LabelErrore = etichetta(m_pagEsito, "LabelErrore", tw(4980, 2820, 4860, 1575), spiegazioni,
                            Qt::AlignLeft | Qt::AlignTop);
    CommandErrorePrecedente = pulsante(m_pagEsito, "CommandErrorePrecedente", QStringLiteral("‹ errore precedente"),
                                       tw(4980, 4560, 2340, 615), pulsanti);
    CommandErroreSuccessivo = pulsante(m_pagEsito, "CommandErroreSuccessivo", QStringLiteral("errore successivo ›"),
                                       tw(7500, 4560, 2340, 615), pulsanti);
    CommandNuova = pulsante(m_pagEsito, "CommandNuova", QStringLiteral("Nuova prova"), tw(240, 4560, 4500, 615),
                            testo);
    CommandNuova->setToolTip(QStringLiteral("Altre 30 domande"));
    connect(CommandErrorePrecedente, &QPushButton::clicked, this, protetto(contesto, [this] { vaiA(m_corrente - 1); }));
    connect(CommandErroreSuccessivo, &QPushButton::clicked, this, protetto(contesto, [this] { vaiA(m_corrente + 1); }));
    connect(CommandNuova, &QPushButton::clicked, this, protetto(contesto, [this] { nuovaProva(); }));
    setTabOrder(CommandConsegna, LabelEsito);
    setTabOrder(LabelEsito, LabelRiepilogo);
    setTabOrder(LabelRiepilogo, LabelNumeroErrore);
    setTabOrder(LabelNumeroErrore, LabelErrore);
    setTabOrder(LabelErrore, CommandErrorePrecedente);
    setTabOrder(CommandErrorePrecedente, CommandErroreSuccessivo);
    setTabOrder(CommandErroreSuccessivo, CommandNuova);

    connect(&m_prova, &ProvaEsame::tempoCambiato, this, protetto(contesto, [this] { mostraTempo(); }));
    connect(&m_prova, &ProvaEsame::tempoInScadenza, this, protetto(contesto, [this](int minuti) {
                m_annuncio->annuncia(minuti == 1 ? QStringLiteral("Manca un minuto")
                                                 : QStringLiteral("Mancano %1 minuti").arg(minuti));
            }));
    connect(&m_prova, &ProvaEsame::provaConsegnata, this, protetto(contesto, [this] { mostraEsito(); }));

    nuovaProva();
}

void FormEsame::nuovaProva()
{
    impostaSfondoEsercizio(ColoreCasuale(m_contesto));
    m_prova.genera();
    m_pagEsito->hide();
    m_pagProva->show();
    for (int i = 0; i < ProvaEsame::NumeroAffermazioni; ++i)
        mostraCasella(i);
    m_corrente = 0;
    mostraAffermazione();
    Label1->setFocus();
}

void FormEsame::vaiA(int indice)
{
    const int quante = m_prova.chiusa() ? int(m_prova.esito().errate.size()) : ProvaEsame::NumeroAffermazioni;
    if (indice < 0 || indice >= quante || indice == m_corrente)
        return;
    const int prima = m_corrente;
    m_corrente = indice;
    if (m_prova.chiusa()) {
        mostraErrore();
        m_annuncio->annuncia(LabelNumeroErrore->text() + QStringLiteral(". ") + LabelErrore->text());
        return;
    }
    mostraCasella(prima);
    mostraAffermazione();
    m_annuncio->annuncia(Label1->accessibleName() + QStringLiteral(". Risposta: ")
                         + testoRisposta(m_prova.risposta(m_corrente)));
}

void FormEsame::mostraCasella(int indice)
{
    QPushButton *casella = Casella.at(static_cast<std::size_t>(indice));
    const RispostaEsame risposta = m_prova.risposta(indice);
    const QString numero = QString::number(indice + 1);
    casella->setText(risposta == RispostaEsame::Nessuna ? numero
                                                        : numero + QLatin1Char(' ') + testoRisposta(risposta).left(1));
    casella->setChecked(indice == m_corrente);
    segnaData(casella, risposta != RispostaEsame::Nessuna);
    casella->setAccessibleName(QStringLiteral("Domanda %1: %2").arg(numero, testoRisposta(risposta)));
}

void FormEsame::mostraAffermazione()
{
    const Affermazione &a = m_prova.affermazioni().at(m_corrente);
    const QString numero = QStringLiteral("Domanda %1 di %2").arg(m_corrente + 1).arg(ProvaEsame::NumeroAffermazioni);
    LabelNumero->setText(numero);
    Label1->setText(testoAffermazione(a));
    Label1->setAccessibleName(numero + QStringLiteral(". ") + testoAffermazione(a));
    // The picture's name never tells the sign.
    Image1->carica(fileImmagine(m_contesto.cartella, a.segnale));
    Image1->setAccessibleName(QStringLiteral("Segnale della domanda %1").arg(m_corrente + 1));
    const RispostaEsame risposta = m_prova.risposta(m_corrente);
    CommandVero->setChecked(risposta == RispostaEsame::Vero);
    CommandFalso->setChecked(risposta == RispostaEsame::Falso);
    segnaData(CommandVero, risposta == RispostaEsame::Vero);
    segnaData(CommandFalso, risposta == RispostaEsame::Falso);
    CommandPrecedente->setEnabled(m_corrente > 0);
    CommandSuccessiva->setEnabled(m_corrente + 1 < ProvaEsame::NumeroAffermazioni);
    mostraCasella(m_corrente);
}

void FormEsame::rispondi(bool vero)
{
    if (m_prova.chiusa())
        return;
    m_prova.rispondi(m_corrente, vero);
    mostraAffermazione();
    m_annuncio->annuncia(QStringLiteral("Domanda %1: %2. Senza risposta: %3")
                             .arg(m_corrente + 1)
                             .arg(testoRisposta(m_prova.risposta(m_corrente)))
                             .arg(m_prova.nonDate()));
}

void FormEsame::mostraTempo()
{
    if (m_prova.chiusa())
        return;
    const QString tempo = m_prova.senzaLimite()
        ? QStringLiteral("Tempo: %1").arg(testoTempo(m_prova.trascorso()))
        : QStringLiteral("Restano %1").arg(testoTempo(m_prova.restante()));
    if (LabelTempo->text() != tempo)
        LabelTempo->setText(tempo);
}

void FormEsame::Consegna_Click()
{
    const int nonDate = m_prova.nonDate();
    if (nonDate > 0) {
        const QString domanda =
            (nonDate == 1 ? QStringLiteral("Una domanda è senza risposta e conta come errore.")
                          : QStringLiteral("%1 domande sono senza risposta e contano come errori.").arg(nonDate))
            + QStringLiteral(" Vuoi consegnare lo stesso?");
        if (m_contesto.dialoghi.mostra(domanda, Dialoghi::DomandaSiNo) != Dialoghi::Si)
            return;
    }
    m_prova.consegna();
}

void FormEsame::mostraEsito()
{
    const EsitoProva &esito = m_prova.esito();
    LabelEsito->setText(esito.promosso ? QStringLiteral("Promosso") : QStringLiteral("Respinto"));
    QStringList righe;
    righe << QStringLiteral("Errori: %1 su %2 (ne sono ammessi %3)")
                 .arg(esito.errori())
                 .arg(ProvaEsame::NumeroAffermazioni)
                 .arg(ProvaEsame::ErroriAmmessi)
          << QStringLiteral("Risposte sbagliate: %1; senza risposta: %2").arg(esito.sbagliate).arg(esito.nonDate)
          << QStringLiteral("Tempo impiegato: %1").arg(testoTempo(esito.millisecondiUsati));
    const QStringList categorie = righeErroriPerCategoria(esito);
    if (!categorie.isEmpty()) {
        righe << QString() << QStringLiteral("Errori per categoria:") << categorie
              << QStringLiteral("Da ripassare soprattutto: %1").arg(nomeCategoriaEsame(esito.categoriaDebole));
        righe << QStringLiteral("I segnali sbagliati sono fra i \"segnali da ripassare\" dei quiz.");
    }
    LabelRiepilogo->setText(righe.join(QLatin1Char('\n')));
    m_corrente = 0;
    mostraErrore();
    m_pagProva->hide();
    m_pagEsito->show();
    LabelEsito->setFocus();
    m_annuncio->annuncia(LabelEsito->text() + QStringLiteral(". ") + righe.mid(0, 3).join(QStringLiteral(". ")));
}

void FormEsame::mostraErrore()
{
    const EsitoProva &esito = m_prova.esito();
    const int quanti = int(esito.errate.size());
    for (QWidget *w : {static_cast<QWidget *>(ImageErrore), static_cast<QWidget *>(CommandErrorePrecedente),
                       static_cast<QWidget *>(CommandErroreSuccessivo)})
        w->setVisible(quanti > 0);
    if (quanti == 0) {
        LabelNumeroErrore->setText(QStringLiteral("Nessun errore"));
        LabelErrore->setText(QStringLiteral("Tutte le risposte sono giuste. Complimenti!"));
        return;
    }
    const int indice = esito.errate.at(m_corrente);
    const Affermazione &a = m_prova.affermazioni().at(indice);
    LabelNumeroErrore->setText(QStringLiteral("Errore %1 di %2").arg(m_corrente + 1).arg(quanti));
    QStringList righe;
    righe << QStringLiteral("Domanda %1. %2").arg(indice + 1).arg(testoAffermazione(a))
          << QStringLiteral("La tua risposta: %1").arg(testoRisposta(m_prova.risposta(indice)))
          << QStringLiteral("Risposta giusta: %1").arg(a.vera ? QStringLiteral("Vero") : QStringLiteral("Falso"));
    if (!a.vera)
        righe << QStringLiteral("Il segnale indica: «%1»").arg(m_contesto.stato.segnale(a.segnale));
    LabelErrore->setText(righe.join(QLatin1Char('\n')));
    ImageErrore->carica(fileImmagine(m_contesto.cartella, a.segnale));
    ImageErrore->setAccessibleName(QStringLiteral("Segnale della domanda %1").arg(indice + 1));
    CommandErrorePrecedente->setEnabled(m_corrente > 0);
    CommandErroreSuccessivo->setEnabled(m_corrente + 1 < quanti);
}

bool FormEsame::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (evento->type() == QEvent::KeyPress) {
        const auto *tasto = static_cast<QKeyEvent *>(evento);
        if (tasto->modifiers() & ~Qt::KeypadModifier & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return FinestraAttivita::eventFilter(oggetto, evento);
        const bool chiusa = m_prova.chiusa();
        const int ultimo = chiusa ? int(m_prova.esito().errate.size()) - 1 : ProvaEsame::NumeroAffermazioni - 1;
        bool fatto = true;
        eseguiProtetto(m_contesto, [&] {
            switch (tasto->key()) {
            case Qt::Key_V:
            case Qt::Key_F:
                if (chiusa)
                    fatto = false;
                else
                    rispondi(tasto->key() == Qt::Key_V);
                break;
            case Qt::Key_Left:
            case Qt::Key_Up:
            case Qt::Key_PageUp:
                vaiA(m_corrente - 1);
                break;
            case Qt::Key_Right:
            case Qt::Key_Down:
            case Qt::Key_PageDown:
                vaiA(m_corrente + 1);
                break;
            case Qt::Key_Home:
                vaiA(0);
                break;
            case Qt::Key_End:
                vaiA(ultimo);
                break;
            default:
                fatto = false;
            }
        });
        if (fatto)
            return true;
    }
    return FinestraAttivita::eventFilter(oggetto, evento);
}

} // namespace cartavia
