#include "screens/quiz/CorniceQuiz.h"

#include "widgets/Aspetto.h"
#include "logic/Contesto.h"
#include "widgets/Controlli.h"
#include "logic/Modulo1.h"
#include "widgets/Risorse.h"
#include "logic/Stato.h"
#include "widgets/Twips.h"
#include "logic/quiz/Categorie.h"
#include "logic/Protezione.h"

#include <QMenu>
#include <QMenuBar>

namespace Cornici {

namespace {
QString spaziato(const char *testo, int spazi)
{
    return QString::fromUtf8(testo) + QString(spazi, QLatin1Char(' '));
}
}

AspettoCornice sposta()
{
    return {spaziato("Azzera conteggio", 10), true, QStringLiteral("mnuscegli"),
            {QStringLiteral("tutti i segnali"), QStringLiteral("segnali di pericolo"),
             QStringLiteral("segnali di precedenza"), QStringLiteral("segnali di divieto"),
             QStringLiteral("segnali di fermata, di sosta e parcheggio"),
             QStringLiteral("segnali di obbligo"), QStringLiteral("segnali di indicazione")},
            9570, 7200, SogliaRipassoAbbinamento};
}

AspettoCornice trova()
{
    return {spaziato("Azzera conteggio", 10), false, QStringLiteral("mnuscelta"),
            {QStringLiteral("tutti i segnali"), QStringLiteral("segnali di pericolo"),
             QStringLiteral("segnali di precedenza"), QStringLiteral("Segnali di divieto"),
             QStringLiteral("segnali di fermata, sosta e parcheggio"),
             QStringLiteral("segnali di obbligo"), QStringLiteral("segnali di indicazione")},
            10080, 7530, SogliaRipassoDefinizione};
}

AspettoCornice disegni()
{
    AspettoCornice aspetto = trova();
    aspetto.azzera = spaziato("Azzera conteggio", 11);
    aspetto.sogliaRipasso = SogliaRipassoRiconoscimento;
    return aspetto;
}

} // namespace Cornici

CorniceQuiz::CorniceQuiz(Contesto &contesto, const AspettoCornice &aspetto, QWidget *parent)
    : FinestraAttivita(contesto, aspetto.larghezza, aspetto.altezza, parent), m_contesto(contesto),
      m_sogliaRipasso(aspetto.sogliaRipasso)
{

    QMenuBar *barra = menuBar();
    mnuAzzera = barra->addAction(aspetto.azzera);
    mnuAzzera->setObjectName(QStringLiteral("mnuAzzera"));
    connect(mnuAzzera, &QAction::triggered, this, protetto(contesto, [this] { mnuAzzera_Click(); }));

    if (aspetto.eserciziEseguiti) {
        mnuEserEseg = barra->addAction(QStringLiteral("Esercizi eseguiti") + QString(11, QLatin1Char(' ')));
        mnuEserEseg->setObjectName(QStringLiteral("mnuEserEseg"));
        connect(mnuEserEseg, &QAction::triggered, this,
                protetto(contesto, [this] { mnuEserEseg_Click(); }));
    }

    menuScelta = barra->addMenu(QStringLiteral("Scegli i segnali") + QString(10, QLatin1Char(' ')));
    menuScelta->setObjectName(aspetto.nomeMenuScelta);
    static const char *const nomi[7] = {"mnuTutti", "mnuPericolo", "mnuPrecedenza", "mnudivieto",
                                        "mnuSosta", "mnuobbligo", "mnuindicazione"};
    for (int i = 0; i < 7; ++i) {
        QAction *voce = menuScelta->addAction(aspetto.voci[static_cast<std::size_t>(i)]);
        voce->setObjectName(QLatin1String(nomi[i]));
        voce->setCheckable(true);
        connect(voce, &QAction::triggered, this, protetto(contesto, [this, i] { scegli(i); }));
        vociCategoria[static_cast<std::size_t>(i)] = voce;
    }
    vociCategoria[Tutti]->setChecked(true);
    menuScelta->addSeparator();
    mnuRipasso = menuScelta->addAction(QString());
    mnuRipasso->setObjectName(QStringLiteral("mnuRipasso"));
    mnuRipasso->setCheckable(true);
    connect(mnuRipasso, &QAction::triggered, this, protetto(m_contesto, [this] { scegli(DaRipassare); }));
    connect(menuScelta, &QMenu::aboutToShow, this, &CorniceQuiz::aggiornaVoceRipasso);
    aggiornaVoceRipasso();

    aggiungiEsci();
}

void CorniceQuiz::CambiaSceltaSegnali()
{
    for (QAction *voce : vociCategoria)
        voce->setChecked(false);
    mnuRipasso->setChecked(false);
}

void CorniceQuiz::scegli(int indice)
{
    CambiaSceltaSegnali();
    if (indice == DaRipassare) {
        mnuRipasso->setChecked(true);
        categoriaScelta(NomeCategoriaRipasso());
    } else {
        QAction *voce = vociCategoria.at(static_cast<std::size_t>(indice));
        voce->setChecked(true);
        categoriaScelta(voce->text());
    }
    scegliCategoria(m_contesto.stato, indice);
    GeneraEsercizio();
}

void CorniceQuiz::aggiornaVoceRipasso()
{
    mnuRipasso->setText(TestoVoceRipasso(m_contesto.stato));
    mnuRipasso->setEnabled(ripassoDisponibile(m_contesto.stato, m_sogliaRipasso));
}

void CorniceQuiz::dopoRisposta()
{
    if (concludiRipasso(m_contesto, m_sogliaRipasso)) {
        CambiaSceltaSegnali();
        vociCategoria[Tutti]->setChecked(true);
        categoriaScelta(vociCategoria[Tutti]->text());
    }
    aggiornaVoceRipasso();
}

void CorniceQuiz::mnuAzzera_Click()
{
    azzeraConteggio(m_contesto.stato);
    mostraContatori();
}

void CorniceQuiz::mnuEserEseg_Click()
{
    m_contesto.dialoghi.mostra(TestoEserciziEseguiti(m_contesto.stato), Dialoghi::SoloOk);
}

void CorniceQuiz::apriQuiz()
{
    scegli(Tutti);
    azzeraConteggio(m_contesto.stato);
    mostraContatori();
}

PulsanteGrafico *CorniceQuiz::creaAvanti(const QRect &posto)
{
    auto *avanti = new PulsanteGrafico(icona("avanti"), QStringLiteral("avanti"), area());
    avanti->setObjectName(QStringLiteral("Command1"));
    avanti->setGeometry(posto);
    avanti->setFont(carattere(QStringLiteral("Arial"), 14.25, true));
    descriviPerLettore(avanti, QStringLiteral("avanti"), QStringLiteral("Passa al prossimo esercizio"));
    avanti->setToolTip(QStringLiteral("Passa al prossimo esercizio"));
    return avanti;
}
