#include "widgets/Guida.h"

#include "logic/Contesto.h"
#include "logic/Modulo1.h"
#include "logic/Versione.h"

#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QWidget>

namespace cartavia {

QString testoGuida(const QString &finestra)
{
    QFile file(QStringLiteral(":/guida/") + finestra + QStringLiteral(".txt"));
    if (finestra.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    return QStringLiteral("Cartavia " CARTAVIA_VERSIONE " - guida\n\n")
        + QString::fromUtf8(file.readAll()).trimmed();
}

Guida::Guida(Contesto &contesto, QObject *parent) : QObject(parent), m_contesto(contesto)
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool Guida::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (evento->type() != QEvent::KeyPress)
        return false;
    const auto *tasto = static_cast<QKeyEvent *>(evento);
    auto *widget = qobject_cast<QWidget *>(oggetto);
    if (tasto->key() != Qt::Key_F1 || tasto->modifiers() != Qt::NoModifier || !widget)
        return false;
    // A message box or an open menu has no help of its own: the key stays theirs.
    // The class name without the program's namespace: "formTrova" for cartavia::formTrova.
    const QString classe = QString::fromLatin1(widget->window()->metaObject()->className());
    const QString testo = testoGuida(classe.section(QStringLiteral("::"), -1));
    if (testo.isEmpty())
        return false;
    if (!tasto->isAutoRepeat())
        m_contesto.dialoghi.mostra(testo, Dialoghi::Informazione);
    return true;
}

} // namespace cartavia
