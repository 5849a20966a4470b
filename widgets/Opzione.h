#pragma once

#include "widgets/Scala.h"

#include <QRadioButton>

class QProxyStyle;

namespace cartavia {

// A radio button whose round indicator grows with the window, as its caption does: the
// style draws the indicator at a size of its own, which no font changes.
class Opzione : public QRadioButton, public Scalabile
{
    Q_OBJECT
public:
    Opzione(const QString &testo, QWidget *parent);
    void impostaScala(qreal fattore) override;

private:
    QProxyStyle *m_stile = nullptr; // the application's style, its indicator times the factor
};

} // namespace cartavia
