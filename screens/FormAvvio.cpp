#include "screens/FormAvvio.h"

#include "core/Aspetto.h"
#include "core/Casuale.h"
#include "core/Contesto.h"
#include "core/Controlli.h"
#include "core/Navigazione.h"
#include "core/Percorsi.h"
#include "core/Stato.h"
#include "core/Twips.h"
#include "screens/FormMenu.h"

#include <QMouseEvent>

FormAvvio::FormAvvio(Contesto &contesto, QWidget *parent)
    : QWidget(parent), m_contesto(contesto)
{
    setWindowTitle(QStringLiteral("Form1"));
    setFixedSize(twSize(10605, 9120));
    descriviPerLettore(this, QStringLiteral("Cartavia"),
                       QStringLiteral("Fai clic in un punto qualsiasi per andare al menù."));

    const QRect posti[4] = {
        tw(360, 240, 2295, 2175),
        tw(480, 2880, 2295, 2175),
        tw(3240, 3600, 2295, 2175),
        tw(6120, 3240, 2295, 2175),
    };
    for (int i = 0; i < 4; ++i) {
        Image1[i] = new Immagine(this);
        Image1[i]->setGeometry(posti[i]);
        // By position only: the sign's name is what the quizzes ask for.
        descriviPerLettore(Image1[i], QStringLiteral("Segnale %1").arg(i + 1));
        connect(Image1[i], &Immagine::clic, this, &FormAvvio::vaiAlMenu);
    }

    Label1 = new Etichetta(this);
    Label1->setGeometry(tw(4680, 600, 3855, 2175));
    Label1->setText(QStringLiteral("cartavia"));
    Label1->setFont(carattere(QStringLiteral("Arial"), 48, true));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    connect(Label1, &Etichetta::clic, this, &FormAvvio::vaiAlMenu);

    Form_Load();
}

void FormAvvio::Form_Load()
{
    impostaSfondo(this, ColoreCasuale(m_contesto));
    // Four signs drawn in box order, each from the whole catalogue; the last one stays current.
    Stato &stato = m_contesto.stato;
    std::vector<std::pair<Immagine *, QString>> caselle;
    for (Immagine *immagine : Image1) {
        stato.SegnaleCorrente = static_cast<qint16>(interoDa1A(m_contesto.casuale, NumeroSegnali));
        caselle.emplace_back(immagine, fileImmagine(m_contesto.cartella, stato.SegnaleCorrente));
    }
    caricaImmagini(caselle);
}

void FormAvvio::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        vaiAlMenu();
}

void FormAvvio::vaiAlMenu()
{
    passaA<FormMenu>(this, m_contesto);
}
