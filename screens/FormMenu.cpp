#include "screens/FormMenu.h"

#include "widgets/Aspetto.h"
#include "logic/Contesto.h"
#include "widgets/Controlli.h"
#include "widgets/Frecce.h"
#include "logic/Modulo1.h"
#include "widgets/Risorse.h"
#include "widgets/Scala.h"
#include "widgets/Twips.h"
#include "logic/Protezione.h"
#include "widgets/PulsanteGrafico.h"

#include <QKeyEvent>

namespace cartavia {

FormMenu::FormMenu(Contesto &contesto, QWidget *parent) : QWidget(parent), m_contesto(contesto)
{
    setWindowTitle(QStringLiteral("Form2"));
    auto *scala = new Scala(this, twSize(10140, 7470));
    scala->proteggi(contesto);
    descriviPerLettore(this, QStringLiteral("Cartavia: menù principale"));

    const QFont attivita = carattere(QStringLiteral("MS Sans Serif"), 18, true);
    const QFont comandi = carattere(QStringLiteral("Arial"), 27.75, false);
    auto pulsante = [this](const char *controllo, const char *nome, const QString &testo,
                           const QRect &posto, const QFont &font) {
        auto *p = new PulsanteGrafico(icona(nome), testo, this);
        nominaControllo(p, QLatin1String(controllo));
        p->setGeometry(posto);
        p->setFont(font);
        return p;
    };

    Command1 = pulsante("Command1", "definire", QStringLiteral("definire il segnale"),
                        tw(240, 105, 4425, 1600), attivita);
    Command2 = pulsante("Command2", "abbinare", QStringLiteral("abbinare segnale e definizione"),
                        tw(4920, 120, 4425, 1600), attivita);
    Command3D1 = pulsante("Command3D1", "divieto", QStringLiteral("riconoscere il segnale"),
                          tw(240, 1800, 4425, 1600), attivita);
    Command3 = pulsante("Command3", "divieto", QStringLiteral("gioca con i segnali"),
                        tw(4920, 1800, 4425, 1600), attivita);
    CommandEsame = pulsante("CommandEsame", "esame", QStringLiteral("prova d'esame"),
                            tw(240, 3630, 9105, 1600), attivita);
    Command3D6 = pulsante("Command3D6", "informazioni", QStringLiteral("Informazioni"),
                          tw(210, 5460, 4470, 1500), comandi);
    Command3D5 = pulsante("Command3D5", "esci", QStringLiteral("Esci"), tw(4830, 5460, 4470, 1500), comandi);

    // A screen reader reads each button by its caption, then what it opens; the pointer
    // shows the same as a tooltip.
    const std::pair<PulsanteGrafico *, const char *> descrizioni[] = {
        {Command1, "Esercizio: un segnale e sei descrizioni; scegli quella giusta."},
        {Command2, "Esercizio: trascina ogni definizione sotto il suo segnale."},
        {Command3D1, "Esercizio: sei segnali e una descrizione; scegli il segnale descritto."},
        {Command3, "Gioco: rimetti in ordine le tessere di un segnale."},
        {CommandEsame, "Prova d'esame: 30 affermazioni vere o false in 20 minuti; si passa con 3 errori al massimo."},
        {Command3D6, "Notizie sul programma."},
        {Command3D5, "Chiude il programma, dopo una domanda."},
    };
    for (const auto &[pulsante, descrizione] : descrizioni) {
        pulsante->setAccessibleDescription(QString::fromUtf8(descrizione));
        pulsante->setToolTip(QString::fromUtf8(descrizione));
    }
    // Ctrl+L or a right click reads a button's caption aloud; the arrows go the way they point.
    for (PulsanteGrafico *pulsante : findChildren<PulsanteGrafico *>()) {
        rendiLeggibile(pulsante, m_contesto.voce);
        pulsante->installEventFilter(this);
    }

    // Tab order: Esci, Informazioni, definire, riconoscere, abbinare, gioca, prova d'esame.
    setTabOrder(Command3D5, Command3D6);
    setTabOrder(Command3D6, Command1);
    setTabOrder(Command1, Command3D1);
    setTabOrder(Command3D1, Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, CommandEsame);

    const std::pair<PulsanteGrafico *, Schermata> voci[] = {
        {Command1, Schermata::Definizione},
        {Command2, Schermata::Abbinamento},
        {Command3D1, Schermata::Riconoscimento},
        {Command3, Schermata::Puzzle},
        {CommandEsame, Schermata::Esame},
    };
    for (const auto &[pulsante, schermata] : voci) {
        connect(pulsante, &QAbstractButton::clicked, this,
                protetto(m_contesto, [this, s = schermata] { m_contesto.passa(s, this); }));
    }
    connect(Command3D5, &QAbstractButton::clicked, this,
            protetto(m_contesto, [this] { Command3D5_Click(); }));
    connect(Command3D6, &QAbstractButton::clicked, this,
            protetto(m_contesto, [this] { Command3D6_Click(); }));

    Form_Load();
}

bool FormMenu::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (evento->type() == QEvent::KeyPress) {
        const auto *tasto = static_cast<QKeyEvent *>(evento);
        const int k = tasto->key();
        if ((k == Qt::Key_Left || k == Qt::Key_Right || k == Qt::Key_Up || k == Qt::Key_Down)
            && !(tasto->modifiers() & ~Qt::KeypadModifier)) {
            const auto pulsanti = findChildren<PulsanteGrafico *>();
            if (QWidget *meta = vicinoVerso(static_cast<QWidget *>(oggetto),
                                            QList<QWidget *>(pulsanti.begin(), pulsanti.end()), k))
                meta->setFocus(k == Qt::Key_Left || k == Qt::Key_Up ? Qt::BacktabFocusReason
                                                                    : Qt::TabFocusReason);
            return true;
        }
    }
    return QWidget::eventFilter(oggetto, evento);
}

void FormMenu::Form_Load()
{
    impostaSfondo(this, ColoreCasuale(m_contesto));
    Command1->setFocus();
}

void FormMenu::Command3D5_Click()
{
    ChiediUscita(m_contesto);
}

void FormMenu::Command3D6_Click()
{
    MostraInformazioni(m_contesto);
}

} // namespace cartavia
