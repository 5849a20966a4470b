// libFuzzer target for the catalogue reader: any bytes at all must give either 145 entries
// or ErroreCartavia, never a crash, a leak, a read outside a buffer or a hang.

#include "logic/Catalogo.h"
#include "logic/Errore.h"

#include <QBuffer>
#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace cartavia;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dati, size_t dimensione)
{
    // fromRawData does not copy: a read past the input lands outside libFuzzer's buffer,
    // where AddressSanitizer sees it.
    const QByteArray byte = QByteArray::fromRawData(reinterpret_cast<const char *>(dati),
                                                    static_cast<qsizetype>(dimensione));
    QBuffer sorgente;
    sorgente.setData(byte);
    if (!sorgente.open(QIODevice::ReadOnly))
        std::abort();

    try {
        const QStringList lista = leggiCatalogo(sorgente, QStringLiteral("lista.txt"));
        if (lista.size() != 145 || !lista.at(0).isEmpty())
            std::abort();
        for (const QString &voce : lista)
            if (voce.size() > LunghezzaMassimaVoce)
                std::abort();
    } catch (const ErroreCartavia &errore) {
        if (errore.causa().isEmpty())
            std::abort();
    }
    return 0;
}
