#include "screens/FormAvvio.h"

#include "widgets/Aspetto.h"
#include "logic/Avvio.h"
#include "logic/Contesto.h"
#include "widgets/Controlli.h"
#include "widgets/Immagini.h"
#include "logic/Percorsi.h"
#include "logic/Stato.h"
#include "logic/Voce.h"
#include "widgets/Scala.h"
#include "widgets/Twips.h"
#include "logic/Protezione.h"
#include "widgets/Etichetta.h"
#include "widgets/Immagine.h"

#include <QKeyEvent>
#include <QThread>
#include <QMouseEvent>

namespace cartavia {

namespace {
// The four picture boxes.
QRect posto(int i)
{
    const QRect posti[4] = {
        tw(360, 240, 2295, 2175),
        tw(480, 2880, 2295, 2175),
        tw(3240, 3600, 2295, 2175),
        tw(6120, 3240, 2295, 2175),
    };
    return posti[i];
}
} // namespace

AvvioAnticipato::AvvioAnticipato(const QString &cartella, Casuale &casuale, Stato &stato)
    : m_avvio(generaAvvio(casuale, stato))
{
    // Qt takes the first thread that asks for its own to be the main one: this one, not the
    // reader's, whose files are Qt objects too.
    QThread::currentThread();
    for (int i = 0; i < 4; ++i) // the boxes at their natural size, as a window shows them first
        m_richieste.push_back({fileImmagine(cartella, m_avvio.segnali[i]), posto(i).size()});
    m_lettura = std::async(std::launch::async, [this] {
        std::vector<QImage> immagini;
        for (const RichiestaImmagine &richiesta : m_richieste)
            immagini.push_back(caricaJpeg(richiesta.file, richiesta.dimensione));
        return immagini;
    });
}

AvvioAnticipato::~AvvioAnticipato() = default; // waits for the reading, a few milliseconds at most

std::vector<QImage> AvvioAnticipato::immagini(const std::vector<RichiestaImmagine> &richieste)
{
    bool uguali = richieste.size() == m_richieste.size();
    for (std::size_t i = 0; uguali && i < richieste.size(); ++i)
        uguali = richieste[i].file == m_richieste[i].file
                 && richieste[i].dimensione == m_richieste[i].dimensione;
    if (!m_lettura.valid() || !uguali)
        return {};
    try {
        return m_lettura.get();
    } catch (...) { // the window reads them again, and reports the failure as it would
        return {};
    }
}

FormAvvio::FormAvvio(Contesto &contesto, QWidget *parent) : FormAvvio(contesto, nullptr, parent) {}

FormAvvio::FormAvvio(Contesto &contesto, AvvioAnticipato &anticipo)
    : FormAvvio(contesto, &anticipo, nullptr)
{
}

FormAvvio::FormAvvio(Contesto &contesto, AvvioAnticipato *anticipo, QWidget *parent)
    : QWidget(parent), m_contesto(contesto), m_anticipo(anticipo)
{
    setWindowTitle(QStringLiteral("Form1"));
    auto *scala = new Scala(this, twSize(10605, 9120));
    scala->proteggi(contesto);

    for (int i = 0; i < 4; ++i) {
        Image1[i] = new Immagine(this);
        nominaControllo(Image1[i], QStringLiteral("Image1"), i);
        Image1[i]->setGeometry(posto(i));
        // A click of any button anywhere reaches the window itself (mouseReleaseEvent); the
        // pictures' own click stays for a screen reader's press.
        Image1[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
        connect(Image1[i], &Immagine::clic, this, protetto(m_contesto, [this] { vaiAlMenu(); }));
    }

    // The load step sets the colour and starts reading the four pictures; the rest of the
    // window is built while they are read, and they are in place before it is shown.
    Form_Load();

    descriviPerLettore(this, QStringLiteral("Cartavia"),
                       QStringLiteral("Fai clic in un punto qualsiasi per andare al menù."));
    for (int i = 0; i < 4; ++i) {
        // By position only: the sign's name is what the quizzes ask for.
        descriviPerLettore(Image1[i], QStringLiteral("Segnale %1").arg(i + 1));
    }

    Label1 = new Etichetta(this);
    nominaControllo(Label1, QStringLiteral("Label1"));
    Label1->setGeometry(tw(4680, 600, 3855, 2175));
    Label1->setText(QStringLiteral("cartavia"));
    Label1->setFont(carattere(QStringLiteral("Arial"), 48, true));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setAttribute(Qt::WA_TransparentForMouseEvents);
    impostaColoreTesto(Label1, ColoreTestoClassico); // on the random colour, whatever the theme
    connect(Label1, &Etichetta::clic, this, protetto(m_contesto, [this] { vaiAlMenu(); }));

    mostraImmagini();
}

FormAvvio::~FormAvvio() = default;

void FormAvvio::Form_Load()
{
    const Avvio avvio = m_anticipo ? m_anticipo->avvio() : generaAvvio(m_contesto.casuale, m_contesto.stato);
    impostaSfondo(this, avvio.colore);
    std::vector<RichiestaImmagine> richieste;
    for (std::size_t i = 0; i < Image1.size(); ++i)
        richieste.push_back({fileImmagine(m_contesto.cartella, avvio.segnali[i]),
                             Image1[i]->dimensioneDecodifica()});
    if (m_anticipo)
        m_immagini = m_anticipo->immagini(richieste);
    m_anticipo = nullptr;
    if (m_immagini.empty())
        m_lettura = std::make_unique<LetturaImmagini>(richieste);
    m_richieste = std::move(richieste);
}

void FormAvvio::mostraImmagini()
{
    if (m_lettura)
        m_immagini = m_lettura->risultato();
    for (std::size_t i = 0; i < Image1.size(); ++i)
        Image1[i]->mostra(m_immagini[i], m_richieste[i].file);
    m_lettura.reset();
    m_immagini.clear();
}

void FormAvvio::mouseReleaseEvent(QMouseEvent *event)
{
    // Any mouse button: the left, the right, the middle one.
    if (rect().contains(event->position().toPoint()))
        eseguiProtetto(m_contesto, [this] { vaiAlMenu(); });
}

void FormAvvio::keyPressEvent(QKeyEvent *event)
{
    // Ctrl+L reads the title and what to do (a right click is a click: it opens the menu).
    if (event->key() == Qt::Key_L && event->modifiers() == Qt::ControlModifier) {
        m_contesto.voce.leggi(Label1->text() + QStringLiteral(". ") + accessibleDescription());
        return;
    }
    if (tastoDiScelta(event)) {
        event->accept();
        eseguiProtetto(m_contesto, [this] { vaiAlMenu(); });
        return;
    }
    QWidget::keyPressEvent(event);
}

void FormAvvio::vaiAlMenu()
{
    m_contesto.passa(Schermata::Menu, this);
}

} // namespace cartavia
