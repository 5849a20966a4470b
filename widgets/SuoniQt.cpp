#include "widgets/SuoniQt.h"

#include <QApplication>
#include <QLibrary>
#include <QTimer>

namespace cartavia {

namespace {
using CreaSuoni = Suoni *(*)(const QString &);
}

SuoniQt::SuoniQt(const QString &cartella, const QString &cartellaModulo, QObject *parent)
    : QObject(parent), m_cartella(cartella), m_cartellaModulo(cartellaModulo)
{
    // throws nothing: a module that cannot be loaded leaves the default sound.
    QTimer::singleShot(0, this, &SuoniQt::carica);
}

// The module stays loaded until the program ends, so the player can always be deleted.
SuoniQt::~SuoniQt() = default;

bool SuoniQt::carica()
{
    if (!m_provato) {
        m_provato = true;
        // QLibrary adds the platform's prefix and suffix (libcartavia_suoni.so, cartavia_suoni.dll).
        QLibrary modulo(m_cartellaModulo + QStringLiteral("/cartavia_suoni"));
        if (const auto crea = reinterpret_cast<CreaSuoni>(modulo.resolve("cartavia_creaSuoni")))
            m_lettore.reset(crea(m_cartella));
    }
    return m_lettore != nullptr;
}

void SuoniQt::suona(const QString &file)
{
    if (carica())
        m_lettore->suona(file);
    else
        QApplication::beep();
}

} // namespace cartavia
