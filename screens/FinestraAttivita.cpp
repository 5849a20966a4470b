#include "screens/FinestraAttivita.h"

#include "logic/Contesto.h"
#include "logic/Modulo1.h"
#include "logic/Protezione.h"
#include "widgets/Aspetto.h"
#include "widgets/Scala.h"
#include "widgets/Twips.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace cartavia {

FinestraAttivita::FinestraAttivita(Contesto &contesto, int larghezza, int altezza, QWidget *parent)
    : QMainWindow(parent), m_contesto(contesto)
{
    setWindowTitle(QString());
    m_area = new QWidget(this);
    setCentralWidget(m_area);
    // The window grows; the layout on the client area grows with it, in proportion.
    m_scala = new Scala(m_area, twSize(larghezza, altezza));
    m_scala->proteggi(contesto);

    // The menu bar and its menus grow with the layout: a projected class reads them too.
    connect(m_scala, &Scala::scalata, this, protetto(contesto, [this](qreal fattore) {
                const QFont font = fontInScala(QApplication::font(menuBar()), fattore);
                menuBar()->setFont(font);
                for (QMenu *menu : menuBar()->findChildren<QMenu *>())
                    menu->setFont(font);
            }));

    // F10 opens the menu bar, as Alt does.
    auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this, protetto(contesto, [this] { apriBarraMenu(); }));
}

void FinestraAttivita::apriBarraMenu()
{
    // The menu bar enters its keyboard mode on Alt pressed and released alone, and has no
    // other way in: this is that key stroke, as the focused control receives it.
    QWidget *fuoco = focusWidget() ? focusWidget() : this;
    QKeyEvent sostituisce(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::AltModifier);
    sostituisce.ignore();
    QCoreApplication::sendEvent(fuoco, &sostituisce);
    QKeyEvent premuto(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(fuoco, &premuto);
    QKeyEvent lasciato(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(fuoco, &lasciato);
}

void FinestraAttivita::aggiungiEsci()
{
    mnuEsci = menuBar()->addAction(QStringLiteral("Esci"));
    mnuEsci->setObjectName(QStringLiteral("mnuEsci"));
    // The least size is the natural one, with the menu bar at its natural height: grown with
    // full screen, the bar would otherwise hold the window larger when it comes back.
    setMinimumSize(m_scala->naturale() + QSize(0, menuBar()->sizeHint().height()));
    connect(mnuEsci, &QAction::triggered, this, protetto(m_contesto, [this] { mnuEsci_Click(); }));
}

void FinestraAttivita::mnuEsci_Click()
{
    if (chiediRitornoMenu(m_contesto))
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

} // namespace cartavia
