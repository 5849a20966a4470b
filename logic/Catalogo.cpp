#include "logic/Catalogo.h"

#include "logic/Errore.h"
#include "logic/Percorsi.h"
#include "logic/Stato.h"

#include <QFile>
#include <QStringDecoder>

namespace cartavia {

namespace {

// Reads one field after another from a byte stream. Separators are ASCII, so the fields
// can be cut before the encoding is known.
class LettoreCampi
{
public:
    LettoreCampi(QIODevice &sorgente, const QString &nomeFile)
        : m_sorgente(sorgente), m_nomeFile(nomeFile)
    {
    }

    // The raw bytes of field `numero` (counting from 1).
    QByteArray campo(int numero)
    {
        saltaSpazi();
        if (fine())
            throw ErroreCartavia(Cause::oltreFineFile(), m_nomeFile);

        QByteArray testo;
        if (guarda() == '"') {
            leggi();
            while (!fine() && guarda() != '"')
                aggiungi(testo, numero);
            if (!fine())
                leggi(); // the closing quote
            while (!fine() && !separatore(guarda()))
                leggi(); // the rest of the line is not part of the text
        } else {
            while (!fine() && !separatore(guarda()))
                aggiungi(testo, numero);
            while (!testo.isEmpty() && spazio(testo.back()))
                testo.chop(1);
        }
        consumaSeparatore();
        return testo;
    }

    // A UTF-8 byte-order mark at the very start is not part of the first field.
    bool saltaBom()
    {
        const QByteArray inizio = m_sorgente.peek(3);
        if (inizio != QByteArrayLiteral("\xEF\xBB\xBF"))
            return false;
        m_sorgente.skip(3);
        return true;
    }

private:
    static constexpr char FineTestoDos = 0x1A;

    static bool spazio(char c) { return c == ' ' || c == '\t'; }
    static bool separatore(char c) { return c == ',' || c == '\r' || c == '\n'; }

    bool fine()
    {
        if (m_haCarattere)
            return false;
        if (m_finito)
            return true;
        m_haCarattere = m_sorgente.getChar(&m_carattere);
        if (!m_haCarattere && !m_sorgente.atEnd())
            throw ErroreCartavia(Cause::fileIlleggibile(), m_nomeFile);
        // The old DOS end-of-file mark ends the text; nothing after it is read.
        if (m_haCarattere && m_carattere == FineTestoDos)
            m_haCarattere = false;
        m_finito = !m_haCarattere;
        return m_finito;
    }
    char guarda() { return m_carattere; } // only after fine() returned false
    char leggi()
    {
        m_haCarattere = false;
        return m_carattere;
    }
    void aggiungi(QByteArray &testo, int numero)
    {
        if (testo.size() >= LunghezzaMassimaVoce)
            throw ErroreCartavia(
                QStringLiteral("Voce %1 del catalogo troppo lunga").arg(numero), m_nomeFile);
        const char c = leggi();
        // A control character is no part of a sign's name: the file is not a catalogue.
        // Line breaks only get here inside quotes, where they belong to the text.
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r' && c != '\n')
            || c == 0x7F)
            throw ErroreCartavia(
                QStringLiteral("Carattere non valido nella voce %1 del catalogo").arg(numero),
                m_nomeFile);
        testo.append(c);
    }
    void saltaSpazi()
    {
        while (!fine() && spazio(guarda()))
            leggi();
    }
    void consumaSeparatore()
    {
        if (fine())
            return;
        const char c = leggi();
        if (c == '\r' && !fine() && guarda() == '\n')
            leggi();
    }

    QIODevice &m_sorgente;
    const QString &m_nomeFile;
    char m_carattere = 0;
    bool m_haCarattere = false;
    bool m_finito = false;
};

bool multibyte(const QList<QByteArray> &campi)
{
    for (const QByteArray &campo : campi)
        for (char c : campo)
            if (static_cast<unsigned char>(c) >= 0x80)
                return true;
    return false;
}

// Every field whole UTF-8 on its own: a sequence cut by the end of a field (or of the file)
// is an error, not a character still to come.
bool utf8Valido(const QList<QByteArray> &campi)
{
    for (const QByteArray &campo : campi) {
        QStringDecoder decodifica(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString scarto = decodifica(campo);
        if (decodifica.hasError())
            return false;
    }
    return true;
}

} // namespace

QString daWindows1252(const QByteArray &byte)
{
    // 0x80..0x9F are where Windows-1252 differs from Latin-1; the five unused codes keep
    // their Latin-1 value.
    static const char16_t tabella[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    QString testo(byte.size(), Qt::Uninitialized);
    QChar *uscita = testo.data();
    for (char c : byte) {
        const auto u = static_cast<unsigned char>(c);
        *uscita++ = (u >= 0x80 && u <= 0x9F) ? QChar(tabella[u - 0x80]) : QChar(u);
    }
    return testo;
}

QStringList leggiCatalogo(QIODevice &sorgente, const QString &nomeFile)
{
    LettoreCampi lettore(sorgente, nomeFile);
    const bool bom = lettore.saltaBom();

    QList<QByteArray> campi;
    campi.reserve(NumeroSegnali);
    for (int n = 1; n <= NumeroSegnali; ++n)
        campi.append(lettore.campo(n));

    // A byte-order mark only says what the writer meant: text after it that is no valid
    // UTF-8 was written in Windows-1252 all the same.
    const bool utf8 = (bom || multibyte(campi)) && utf8Valido(campi);
    QStringList lista{QString()};
    for (const QByteArray &campo : campi)
        lista.append(utf8 ? QString::fromUtf8(campo) : daWindows1252(campo));
    return lista;
}

QStringList caricaCatalogo(const QString &cartella)
{
    QFile file(fileCatalogo(cartella));
    apriInLettura(file);
    return leggiCatalogo(file, fileCatalogo(cartella));
}

} // namespace cartavia
