#include "screens/quiz/CorniceQuiz.h"

#include "logic/Contesto.h"
#include "logic/Modulo1.h"
#include "logic/Protezione.h"
#include "logic/Stato.h"
#include "logic/quiz/Categorie.h"
#include "logic/quiz/RegoleQuiz.h"
#include "widgets/Annuncio.h"
#include "widgets/Aspetto.h"
#include "widgets/Controlli.h"
#include "widgets/Risorse.h"
#include "widgets/Twips.h"
#include "widgets/PulsanteGrafico.h"

#include <QMenu>
#include <QMenuBar>

namespace cartavia {

namespace Cornici {

namespace {
QString spaziato(const char *testo, int spazi)
{
    return QString::fromUtf8(testo) + QString(spazi, QLatin1Char(' '));
}
}

AspettoCornice sposta()
{
    return {QStringLiteral("Cartavia - abbinare segnale e definizione"),
            spaziato("Azzera conteggio", 10), true, QStringLiteral("mnuscegli"),
            {QStringLiteral("tutti i segnali"), QStringLiteral("segnali di pericolo"),
             QStringLiteral("segnali di precedenza"), QStringLiteral("segnali di divieto"),
             QStringLiteral("segnali di fermata, di sosta e parcheggio"),
             QStringLiteral("segnali di obbligo"), QStringLiteral("segnali di indicazione")},
            9570, 7200, std::nullopt, std::nullopt};
}

AspettoCornice trova()
{
    return {QStringLiteral("Cartavia - definire il segnale"),
            spaziato("Azzera conteggio", 10), false, QStringLiteral("mnuscelta"),
            {QStringLiteral("tutti i segnali"), QStringLiteral("segnali di pericolo"),
             QStringLiteral("segnali di precedenza"), QStringLiteral("Segnali di divieto"),
             QStringLiteral("segnali di fermata, sosta e parcheggio"),
             QStringLiteral("segnali di obbligo"), QStringLiteral("segnali di indicazione")},
            10080, 7530,
            carattere(QStringLiteral("MS Sans Serif"), 8.25, true),
            PostiPunteggio{tw(5640, 360, 855, 750), tw(6720, 270, 735, 375), tw(7560, 150, 975, 615),
                           tw(6720, 735, 735, 495), tw(7560, 615, 855, 615)}};
}

AspettoCornice disegni()
{
    AspettoCornice aspetto = trova();
    aspetto.nomeAccessibile = QStringLiteral("Cartavia - riconoscere il segnale");
    aspetto.azzera = spaziato("Azzera conteggio", 11);
    aspetto.punteggio = PostiPunteggio{tw(240, 120, 855, 750), tw(1680, 390, 735, 375),
                                       tw(2520, 270, 975, 615), tw(4200, 375, 735, 495),
                                       tw(5040, 255, 855, 615)};
    return aspetto;
}

} // namespace Cornici

CorniceQuiz::CorniceQuiz(Contesto &contesto, const AspettoCornice &aspetto, QWidget *parent)
    : FinestraAttivita(contesto, aspetto.larghezza, aspetto.altezza, parent)
{
    // The title stays empty, as the layout has it; a screen reader says the activity.
    setAccessibleName(aspetto.nomeAccessibile);
    if (aspetto.carattere)
        area()->setFont(*aspetto.carattere);
    if (aspetto.punteggio)
        m_punteggio = std::make_unique<Punteggio>(area(), *aspetto.punteggio);
    m_annuncio = new Annuncio(area());
    m_annuncio->setObjectName(QStringLiteral("annuncio"));

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
    connect(menuScelta, &QMenu::aboutToShow, this, protetto(m_contesto, [this] { aggiornaVoceRipasso(); }));
    aggiornaVoceRipasso();

    aggiungiEsci();
}

CorniceQuiz::~CorniceQuiz() = default;

void CorniceQuiz::collegaRegole(RegoleQuiz *regole, std::function<void(bool)> mostraVerdetto)
{
    connect(regole, &RegoleQuiz::contatoriCambiati, this,
            protetto(m_contesto, [this](int esatti, int errati) {
                if (m_punteggio)
                    m_punteggio->mostraContatori(esatti, errati);
            }));
    connect(regole, &RegoleQuiz::rispostaData, this,
            protetto(m_contesto, [this, regole, mostraVerdetto](bool giusta) {
                if (m_punteggio)
                    m_punteggio->mostraFaccia(giusta);
                // The verdict is heard before the focus moves on ("avanti" after a right answer).
                const Stato &stato = m_contesto.stato;
                m_annuncio->annuncia(testoVerdetto(giusta, stato.NumeroEsatti, stato.NumeroErrati));
                mostraVerdetto(giusta);
                dopoRisposta(*regole);
            }));
}

void CorniceQuiz::mostraContatori()
{
    if (m_punteggio)
        m_punteggio->mostraContatori(m_contesto.stato.NumeroEsatti, m_contesto.stato.NumeroErrati);
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
        emit categoriaScelta(nomeCategoriaRipasso());
    } else {
        QAction *voce = vociCategoria.at(static_cast<std::size_t>(indice));
        voce->setChecked(true);
        emit categoriaScelta(voce->text());
    }
    scegliCategoria(m_contesto.stato, indice);
    GeneraEsercizio();
}

void CorniceQuiz::GeneraEsercizio()
{
    attendiRisposta();
    NuovoEsercizio();
}

void CorniceQuiz::aggiornaVoceRipasso()
{
    mnuRipasso->setText(testoVoceRipasso(m_contesto.stato));
    mnuRipasso->setEnabled(ripassoDisponibile(m_contesto.stato));
}

void CorniceQuiz::dopoRisposta(const RegoleQuiz &regole)
{
    if (regole.concluso() && concludiRipasso(m_contesto)) {
        CambiaSceltaSegnali();
        vociCategoria[Tutti]->setChecked(true);
        emit categoriaScelta(vociCategoria[Tutti]->text());
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
    m_contesto.dialoghi.mostra(testoEserciziEseguiti(m_contesto.stato), Dialoghi::SoloOk);
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
    nominaControllo(avanti, QStringLiteral("Command1"));
    avanti->setGeometry(posto);
    avanti->setFont(carattere(QStringLiteral("Arial"), 14.25, true));
    descriviPerLettore(avanti, QStringLiteral("avanti"), QStringLiteral("Passa al prossimo esercizio"));
    avanti->setToolTip(QStringLiteral("Passa al prossimo esercizio"));
    return avanti;
}

} // namespace cartavia
