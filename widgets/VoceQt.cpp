#include "widgets/VoceQt.h"

#include <QLibrary>

namespace cartavia {

namespace {
using CreaVoce = Voce *(*)();
}

VoceQt::VoceQt(const QString &cartellaModulo, QObject *parent)
    : QObject(parent), m_cartellaModulo(cartellaModulo)
{
}

// The module stays loaded until the program ends, so the reader can always be deleted.
VoceQt::~VoceQt() = default;

bool VoceQt::carica()
{
    if (!m_provato) {
        m_provato = true;
        QLibrary modulo(m_cartellaModulo + QStringLiteral("/cartavia_voce"));
        if (const auto crea = reinterpret_cast<CreaVoce>(modulo.resolve("cartavia_creaVoce")))
            m_lettore.reset(crea());
    }
    return m_lettore != nullptr;
}

void VoceQt::leggi(const QString &testo)
{
    if (carica())
        m_lettore->leggi(testo);
}

} // namespace cartavia
