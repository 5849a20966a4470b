#pragma once

#include <QObject>
#include <QString>

namespace cartavia {

struct Contesto;

// The help of one screen: a first line with the program's name and version, then the plain
// text of ":/guida/<window class>.txt". Empty for a window that has no help (a message box).
QString testoGuida(const QString &finestra);

// F1 on any screen shows the help of the window in front, in a message box titled
// "Cartavia". One object for the whole program, watching the keys on their way to every
// window: the windows themselves know nothing of it, and a new screen only needs its text.
class Guida : public QObject
{
    Q_OBJECT
public:
    explicit Guida(Contesto &contesto, QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    Contesto &m_contesto;
};

} // namespace cartavia
