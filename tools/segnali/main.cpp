// cartavia_segnali: draws the 144 sign pictures of data/jpg and, on request, a contact sheet.
//
//   cartavia_segnali --icone DIR [--uscita DIR] [--foglio FILE.png --lista lista.txt]
//
// --icone   the svg/ folder of the icon set (npm package @mdi/svg)
// --uscita  where 1.jpg .. 144.jpg are written
// --foglio  a 12 × 12 contact sheet with each picture's index and catalogue text

#include "Disegno.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QTextStream>
#include <cstdio>
#include <stdexcept>

namespace {

constexpr int QUALITA = 88;
constexpr qint64 MASSIMO_BYTE = 60 * 1024;

QByteArray comeJpeg(const QImage &img, int qualita)
{
    QByteArray dati;
    QBuffer buf(&dati);
    buf.open(QIODevice::WriteOnly);
    if (!img.save(&buf, "JPG", qualita))
        throw std::runtime_error("JPEG encoding failed");
    return dati;
}

void scriviImmagini(const QString &cartella, const QString &icone)
{
    QDir().mkpath(cartella);
    for (const segnali::Segnale &s : segnali::tabella()) {
        const QImage img = segnali::disegna(s, icone);
        int q = QUALITA;
        QByteArray dati = comeJpeg(img, q);
        while (dati.size() >= MASSIMO_BYTE && q > 50) {
            q -= 4;
            dati = comeJpeg(img, q);
        }
        if (q != QUALITA)
            std::fprintf(stderr, "%d.jpg: quality lowered to %d to stay under 60 KB\n", s.numero, q);
        QFile f(QDir(cartella).filePath(QString::number(s.numero) + ".jpg"));
        if (!f.open(QIODevice::WriteOnly) || f.write(dati) != dati.size())
            throw std::runtime_error(("cannot write " + f.fileName()).toStdString());
    }
}

// The catalogue: Windows-1252, one text a line, quoted where it holds a comma.
QStringList leggiLista(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error(("cannot read " + file).toStdString());
    QStringList testi;
    for (const QByteArray &riga : f.readAll().split('\n')) {
        QString t = QString::fromLatin1(riga).trimmed();
        if (t.size() >= 2 && t.startsWith('"') && t.endsWith('"'))
            t = t.mid(1, t.size() - 2);
        if (!t.isEmpty())
            testi << t;
    }
    return testi;
}

void scriviFoglio(const QString &file, const QString &lista, const QString &icone)
{
    const QStringList testi = leggiLista(lista);
    constexpr int cella = 200, didascalia = 58, colonne = 12;
    // each picture undistorted, as wide as the cell allows
    const QSize miniatura = segnali::TELA.scaled(cella - 8, cella - 8, Qt::KeepAspectRatio);
    QImage foglio(colonne * cella, colonne * (cella + didascalia), QImage::Format_RGB32);
    foglio.fill(QColor(0xEE, 0xEE, 0xEE));
    QPainter p(&foglio);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    QFont f(QStringLiteral("DejaVu Sans Condensed"));
    f.setPixelSize(12);
    p.setFont(f);
    for (const segnali::Segnale &s : segnali::tabella()) {
        const int i = s.numero - 1;
        const int x = (i % colonne) * cella, y = (i / colonne) * (cella + didascalia);
        const QImage img = segnali::disegna(s, icone);
        p.drawImage(QRect(QPoint(x + (cella - miniatura.width()) / 2, y + 8), miniatura), img);
        const QString testo = QString::number(s.numero) + ". " + testi.value(i, QStringLiteral("?"));
        p.setPen(Qt::black);
        p.drawText(QRect(x + 4, y + cella - 8, cella - 8, didascalia + 4), Qt::AlignHCenter | Qt::TextWordWrap,
                   testo);
    }
    p.end();
    if (!foglio.save(file))
        throw std::runtime_error(("cannot write " + file).toStdString());
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QCommandLineParser cl;
    cl.setApplicationDescription(QStringLiteral("Draws the sign pictures of Cartavia."));
    cl.addHelpOption();
    cl.addOption({QStringLiteral("icone"), QStringLiteral("Folder of the icon set's SVG files."),
                  QStringLiteral("cartella")});
    cl.addOption({QStringLiteral("uscita"), QStringLiteral("Folder for 1.jpg .. 144.jpg."),
                  QStringLiteral("cartella")});
    cl.addOption({QStringLiteral("foglio"), QStringLiteral("Contact sheet to write (PNG)."),
                  QStringLiteral("file")});
    cl.addOption({QStringLiteral("lista"), QStringLiteral("The catalogue texts (lista.txt)."),
                  QStringLiteral("file")});
    cl.process(app);
    if (!cl.isSet("icone") || (!cl.isSet("uscita") && !cl.isSet("foglio")) ||
        (cl.isSet("foglio") && !cl.isSet("lista"))) {
        std::fputs("Needs --icone and --uscita, or --foglio with --lista.\n", stderr);
        return 2;
    }
    if (segnali::tabella().size() != 144) {
        std::fprintf(stderr, "The table has %zu signs, not 144.\n", segnali::tabella().size());
        return 1;
    }
    for (size_t i = 0; i < segnali::tabella().size(); ++i) {
        if (segnali::tabella()[i].numero != int(i) + 1) {
            std::fprintf(stderr, "Sign %d is out of order.\n", segnali::tabella()[i].numero);
            return 1;
        }
    }
    try {
        const QString icone = cl.value("icone");
        if (cl.isSet("uscita"))
            scriviImmagini(cl.value("uscita"), icone);
        if (cl.isSet("foglio"))
            scriviFoglio(cl.value("foglio"), cl.value("lista"), icone);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
