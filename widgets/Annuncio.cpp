#include "widgets/Annuncio.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace cartavia {

namespace {
class AnnuncioAccessibile : public QAccessibleWidget
{
public:
    explicit AnnuncioAccessibile(Annuncio *annuncio)
        : QAccessibleWidget(annuncio, QAccessible::Notification)
    {
    }

    QString text(QAccessible::Text tipo) const override
    {
        if (tipo == QAccessible::Name)
            return static_cast<const Annuncio *>(widget())->testo();
        return QAccessibleWidget::text(tipo);
    }
};

QAccessibleInterface *fabbricaAnnuncio(const QString &classe, QObject *oggetto)
{
    if (classe == QLatin1String(Annuncio::staticMetaObject.className()))
        return new AnnuncioAccessibile(static_cast<Annuncio *>(oggetto));
    return nullptr;
}
} // namespace

Annuncio::Annuncio(QWidget *parent) : QWidget(parent)
{
    static const bool registrata = (QAccessible::installFactory(fabbricaAnnuncio), true);
    Q_UNUSED(registrata);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 0, 0);
    hide();
}

void Annuncio::annuncia(const QString &testo)
{
    m_testo = testo;
    // The name changes first: a screen reader that keeps the names it has read learns the new one.
    QAccessibleEvent cambioNome(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&cambioNome);
    // Hidden and shown again: every announcement is a notification that appears, even one
    // with the same words as the last.
    hide();
    show();
}

QString testoVerdetto(bool giusta, int esatti, int errati)
{
    return (giusta ? QStringLiteral("Risposta giusta. Esatti %1, errati %2")
                   : QStringLiteral("Risposta sbagliata. Esatti %1, errati %2"))
        .arg(esatti)
        .arg(errati);
}

} // namespace cartavia
