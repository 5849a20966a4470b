#include "screens/FinestraAttivita.h"

#include "logic/Contesto.h"
#include "logic/Modulo1.h"
#include "logic/Protezione.h"
#include "widgets/Aspetto.h"
#include "widgets/Twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>

FinestraAttivita::FinestraAttivita(Contesto &contesto, int larghezza, int altezza, QWidget *parent)
    : QMainWindow(parent), m_contesto(contesto)
{
    setWindowTitle(QString());
    m_area = new QWidget(this);
    m_area->setFixedSize(twSize(larghezza, altezza));
    setCentralWidget(m_area);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void FinestraAttivita::aggiungiEsci()
{
    mnuEsci = menuBar()->addAction(QStringLiteral("Esci"));
    mnuEsci->setObjectName(QStringLiteral("mnuEsci"));
    connect(mnuEsci, &QAction::triggered, this, protetto(m_contesto, [this] { mnuEsci_Click(); }));
}

void FinestraAttivita::mnuEsci_Click()
{
    if (ChiediRitornoMenu(m_contesto))
        m_contesto.passa(Schermata::Menu, this);
}

void FinestraAttivita::impostaSfondoEsercizio(ColoreVB colore)
{
    impostaSfondo(m_area, colore);
}

void FinestraAttivita::closeEvent(QCloseEvent *event)
{
    // The hand-over to the menu lets this window go by itself.
    event->ignore();
    eseguiProtetto(m_contesto, [this] { mnuEsci_Click(); });
}
