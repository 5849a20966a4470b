#include "screens/puzzle/frmpuzzle.h"

#include "widgets/Aspetto.h"
#include "widgets/Controlli.h"
#include "logic/Contesto.h"
#include "widgets/Controlli.h"
#include "widgets/Immagini.h"
#include "widgets/Opzione.h"
#include "logic/Modulo1.h"
#include "logic/Percorsi.h"
#include "logic/Protezione.h"
#include "logic/Stato.h"
#include "logic/puzzle/SegnalePuzzle.h"
#include "widgets/Scala.h"
#include "widgets/Twips.h"
#include "screens/puzzle/GiocoPuzzle.h"
#include "widgets/PulsanteGrafico.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QLayout>
#include <QRadioButton>

namespace cartavia {

frmpuzzle::frmpuzzle(Contesto &contesto, QWidget *parent)
    : FinestraAttivita(contesto, 8640, 6840, parent)
{
    // The title stays as the layout has it; a screen reader says the activity.
    setAccessibleName(QStringLiteral("Cartavia - gioca con i segnali"));
    aggiungiEsci();
    QWidget *area = this->area();

    GiocoPuzzle1 = new GiocoPuzzle(area);
    nominaControllo(GiocoPuzzle1, QStringLiteral("GiocoPuzzle1"));
    GiocoPuzzle1->setGeometry(tw(360, 480, 4770, 4815));
    GiocoPuzzle1->setRighe(3);
    GiocoPuzzle1->setColonne(3);
    GiocoPuzzle1->setSpessorelinea(2);
    GiocoPuzzle1->usaCasuale(m_contesto.casuale);
    GiocoPuzzle1->setToolTip(QStringLiteral("Rimetti in ordine le tessere"));

    Label1 = new QLabel(area);
    nominaControllo(Label1, QStringLiteral("Label1"));
    Label1->setGeometry(tw(5640, 480, 2895, 1815));
    Label1->setAutoFillBackground(true);
    impostaRiquadro(Label1, carattere(QStringLiteral("Arial"), 12, false), Qt::AlignLeft | Qt::AlignTop);
    impostaSfondoLeggibile(Label1, 0x00FFFFFF);
    rendiLeggibile(Label1, contesto.voce);

    Frame1 = new QGroupBox(area);
    nominaControllo(Frame1, QStringLiteral("Frame1"));
    Frame1->setGeometry(tw(5760, 3000, 2415, 1215));
    // The options keep the small font of the original controls, so the captions fit.
    Frame1->setFont(carattere(QStringLiteral("MS Sans Serif"), 8, false));
    Option1[0] = new Opzione(QStringLiteral("puzzle a scambio"), Frame1);
    Option1[0]->setGeometry(tw(240, 240, 1575, 255));
    Option1[1] = new Opzione(QStringLiteral("puzzle a scivolamento"), Frame1);
    Option1[1]->setGeometry(tw(240, 720, 2055, 255));
    Option1[0]->setChecked(true);
    Option1[0]->setToolTip(QStringLiteral("Due tessere scelte si scambiano di posto"));
    Option1[1]->setToolTip(QStringLiteral("Una tessera vicina al posto vuoto vi scivola dentro"));
    for (int i = 0; i < 2; ++i) {
        nominaControllo(Option1[i], QStringLiteral("Option1"), i);
        Option1[i]->setAccessibleName(Option1[i]->text());
        connect(Option1[i], &QRadioButton::toggled, this,
                protetto(m_contesto, [this, i](bool scelta) {
                    if (scelta)
                        Option1_Click(i);
                }));
    }

    Command1 = new QPushButton(QStringLiteral("nuovo puzzle"), area);
    nominaControllo(Command1, QStringLiteral("Command1"));
    Command1->setGeometry(tw(5760, 4560, 2535, 615));
    Command1->setAccessibleName(Command1->text());
    Command1->setToolTip(QStringLiteral("Un altro segnale da rimettere in ordine"));
    connect(Command1, &QPushButton::clicked, this, protetto(m_contesto, [this] { Command1_Click(); }));

    premiConInvio(Command1);
    // After a click on an option or on "nuovo puzzle" the keys play again: the arrows move
    // pieces instead of switching the option.
    for (QAbstractButton *pulsante : {static_cast<QAbstractButton *>(Option1[0]),
                                      static_cast<QAbstractButton *>(Option1[1]),
                                      static_cast<QAbstractButton *>(Command1)})
        connect(pulsante, &QAbstractButton::clicked, GiocoPuzzle1,
                protetto(m_contesto, [this] { GiocoPuzzle1->setFocus(Qt::OtherFocusReason); }));

    setTabOrder(GiocoPuzzle1, Option1[0]);
    setTabOrder(Option1[0], Option1[1]);
    setTabOrder(Option1[1], Command1);

    // A picture the control shows bigger is decoded again at its new size.
    connect(scala(), &Scala::scalata, this, protetto(m_contesto, [this] {
        const Stato &stato = m_contesto.stato;
        GiocoPuzzle1->setPicture(caricaImmagine(fileImmagine(m_contesto.cartella, stato.SegnaleCorrente),
                                                GiocoPuzzle1->dimensioneImmagine()));
    }));

    Form_Load();
}

void frmpuzzle::Form_Load()
{
    GiocoPuzzle1->setScambio(true);
    GeneraEsercizio();
    GiocoPuzzle1->setFocus();
}

void frmpuzzle::GeneraEsercizio()
{
    const qint16 segnale = estraiSegnalePuzzle(m_contesto);
    GiocoPuzzle1->setPicture(caricaImmagine(fileImmagine(m_contesto.cartella, segnale),
                                            GiocoPuzzle1->dimensioneImmagine()));
    Label1->setText(m_contesto.stato.segnale(segnale));
    Label1->setAccessibleName(Label1->text());
    GiocoPuzzle1->inizia();
}

void frmpuzzle::Command1_Click()
{
    GeneraEsercizio();
}

void frmpuzzle::Option1_Click(int indice)
{
    GiocoPuzzle1->setScambio(indice == 0);
    GiocoPuzzle1->inizia();
}

} // namespace cartavia
