#pragma once

#include <QString>
#include <QStringList>

class QIODevice;

namespace cartavia {

// The longest text one entry of lista.txt may hold; anything longer is not a sign's name
// but a damaged file, and is refused before it reaches a label.
constexpr int LunghezzaMassimaVoce = 4096;

// Reads the catalogue: exactly 144 fields, separated by commas or line breaks (CR LF, LF or
// CR), each optionally in double quotes. Blanks before a field are skipped, blanks after an
// unquoted one dropped; what follows the 144th field is never read, nor anything after a byte
// 0x1A (the DOS end-of-file mark). The text is UTF-8 when every field is valid UTF-8 on its
// own and the file either starts with a byte-order mark or holds multi-byte characters;
// otherwise it is Windows-1252 (after the mark, if there is one). Returns 145 entries, entry 0 empty. Throws ErroreCartavia naming
// `nomeFile` when the input ends before the 144th field begins, or when an entry is longer
// than LunghezzaMassimaVoce or holds a control character (tabs aside): such a file is damaged
// or no catalogue at all.
QStringList leggiCatalogo(QIODevice &sorgente, const QString &nomeFile);

// Opens and reads lista.txt in the program directory.
QStringList caricaCatalogo(const QString &cartella);

// Windows-1252, decoded the same way on every platform.
QString daWindows1252(const QByteArray &byte);

} // namespace cartavia
