#include "widgets/DialoghiQt.h"

#include "widgets/Scala.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

namespace cartavia {

namespace {
// Over a window that has grown, the box grows by the same factor: its text, and the width it
// wraps at (Qt wraps a long text at 500 pixels, whatever the font; the box stays narrower
// than Qt's own limit, past which it would break words anywhere).
void ingrandisci(QMessageBox &box)
{
    const qreal fattore = Scala::fattoreFinestra(box.parentWidget());
    auto *testo = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    if (fattore == 1 || !testo)
        return;
    box.setFont(fontInScala(box.font(), fattore));
    box.layout()->activate();
    const int resto = box.layout()->totalMinimumSize().width() - testo->minimumSizeHint().width();
    const QSize schermo = box.screen()->availableGeometry().size();
    const int limite = schermo.width() <= 1024 ? schermo.width() : std::min(schermo.width() - 480, 1000);
    const int riga = testo->fontMetrics().boundingRect(QRect(0, 0, 100000, 100000), 0, testo->text()).width();
    testo->setMinimumWidth(std::min({riga, qRound((500 - resto) * fattore), limite - resto}));
}
}

Dialoghi::Risposta DialoghiQt::mostra(const QString &testo, Stile stile)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QStringLiteral("Cartavia"));
    box.setWindowModality(Qt::ApplicationModal);
    box.setText(QString(testo).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box.setTextFormat(Qt::PlainText);

    switch (stile) {
    case Errore: box.setIcon(QMessageBox::Critical); break;
    case DomandaSiNo: box.setIcon(QMessageBox::Question); break;
    case Informazione: box.setIcon(QMessageBox::Information); break;
    case SoloOk: box.setIcon(QMessageBox::NoIcon); break;
    }

    if (domanda(stile)) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("&Sì"));
        box.button(QMessageBox::No)->setText(QStringLiteral("&No"));
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        ingrandisci(box);
        return box.exec() == QMessageBox::Yes ? Si : No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    ingrandisci(box);
    box.exec();
    return Ok;
}

} // namespace cartavia
