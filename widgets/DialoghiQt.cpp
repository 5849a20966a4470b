#include "widgets/DialoghiQt.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace cartavia {

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
        return box.exec() == QMessageBox::Yes ? Si : No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
    return Ok;
}

} // namespace cartavia
