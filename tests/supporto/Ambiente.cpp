#include "Ambiente.h"

#include "app/Navigazione.h"
#include "logic/Catalogo.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPointer>
#include <QWidget>

namespace cartavia {

float CasualeScriptato::prossimo()
{
    ++m_estratti;
    if (m_valori.empty()) {
        ++m_fuoriCopione;
        return m_ripiego.prossimo();
    }
    const float r = m_valori.front();
    m_valori.pop_front();
    return r;
}

QStringList SuoniRegistrati::nomi() const
{
    QStringList risultato;
    for (const QString &file : suonati)
        risultato.append(QFileInfo(file).fileName());
    return risultato;
}

void SuoniConContatori::suona(const QString &file)
{
    SuoniRegistrati::suona(file);
    conContatori.append({QFileInfo(file).fileName(), m_stato.NumeroEsatti, m_stato.NumeroErrati});
}

RegistroRegole::RegistroRegole(RegoleQuiz &regole, const SuoniRegistrati &suoni)
{
    const auto suonati = [&suoni] { return QStringLiteral(" (%1 suoni)").arg(suoni.suonati.size()); };
    QObject::connect(&regole, &RegoleQuiz::contatoriCambiati, [this, suonati](int esatti, int errati) {
        detti.append(QStringLiteral("contatori %1 %2").arg(esatti).arg(errati) + suonati());
    });
    QObject::connect(&regole, &RegoleQuiz::rispostaData, [this, suonati](bool giusta) {
        detti.append((giusta ? QStringLiteral("giusta") : QStringLiteral("sbagliata")) + suonati());
    });
}

QStringList RegistroRegole::unaRisposta(bool giusta, int esatti, int errati)
{
    return {QStringLiteral("contatori %1 %2 (1 suoni)").arg(esatti).arg(errati),
            giusta ? QStringLiteral("giusta (1 suoni)") : QStringLiteral("sbagliata (1 suoni)")};
}

Dialoghi::Risposta DialoghiScriptati::mostra(const QString &testo, Stile stile)
{
    mostrati.append({testo, int(stile)});
    if (!m_risposte.empty()) {
        const Risposta r = m_risposte.front();
        m_risposte.pop_front();
        return r;
    }
    return domanda(stile) ? No : Ok;
}

QColor CartellaProgramma::colore(int n)
{
    return QColor::fromHsv((n * 37) % 360, 100 + (n * 13) % 156, 120 + (n * 7) % 136);
}

CartellaProgramma::CartellaProgramma()
{
    QByteArray lista;
    for (int n = 1; n <= NumeroSegnali; ++n)
        lista += testo(n).toLatin1() + "\r\n";
    scriviLista(lista);

    // The pictures are encoded once per test run and only written out for each folder.
    static const QList<QByteArray> immagini = [] {
        QList<QByteArray> jpeg;
        QImage immagine(24, 24, QImage::Format_RGB32);
        for (int n = 1; n <= NumeroSegnali; ++n) {
            immagine.fill(colore(n));
            QBuffer buffer;
            buffer.open(QIODevice::WriteOnly);
            immagine.save(&buffer, "JPG", 95);
            jpeg.append(buffer.data());
        }
        return jpeg;
    }();
    QDir(m_dir.path()).mkpath(QStringLiteral("jpg"));
    for (int n = 1; n <= NumeroSegnali; ++n) {
        QFile file(m_dir.filePath(QStringLiteral("jpg/%1.jpg").arg(n)));
        file.open(QIODevice::WriteOnly);
        file.write(immagini.at(n - 1));
    }
}

void CartellaProgramma::scriviLista(const QByteArray &contenuto)
{
    QFile file(m_dir.filePath(QStringLiteral("lista.txt")));
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(contenuto);
}

void CartellaProgramma::rimuovi(const QString &relativo)
{
    QFile::remove(m_dir.filePath(relativo));
}

Ambiente::Ambiente()
    : contesto{stato, casuale, suoni, dialoghi, cartella.percorso(),
               [this](int codice) { codiceUscita = codice; }, voce, {}, orologio}
{
    contesto.passa = [this](Schermata s, QObject *da) { apriSchermata(s, da, contesto); };
    stato.ListaSegnali = caricaCatalogo(cartella.percorso());
}

// A test that stops early (a failed check) may leave windows open; they hold this context,
// so they go before it does.
Ambiente::~Ambiente()
{
    chiudiTutto();
}

QList<QWidget *> finestreAperte()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QList<QWidget *> aperte;
    const auto tutte = QApplication::topLevelWidgets();
    for (QWidget *w : tutte)
        if (w->isVisible() && w->isWindow() && !w->inherits("QMenu"))
            aperte.append(w);
    return aperte;
}

void chiudiTutto()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QList<QPointer<QWidget>> finestre;
    const auto tutte = QApplication::topLevelWidgets();
    for (QWidget *w : tutte)
        if (!w->parentWidget())
            finestre.append(w);
    for (const QPointer<QWidget> &w : finestre)
        delete w.data();
}

} // namespace cartavia
