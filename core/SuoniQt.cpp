#include "core/SuoniQt.h"

#include "core/Percorsi.h"

#include <QApplication>
#include <QFileInfo>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

SuoniQt::SuoniQt(const QString &cartella, QObject *parent)
    : QObject(parent), m_cartella(cartella)
{
    QTimer::singleShot(0, this, &SuoniQt::carica);
}

void SuoniQt::carica()
{
    if (m_caricati)
        return;
    m_caricati = true;
    for (const QString &nome : nomiSuoni()) {
        const QString file = fileSuono(m_cartella, nome);
        if (!QFileInfo(file).isFile())
            continue; // played as the default sound
        auto *effetto = new QSoundEffect(this);
        effetto->setSource(QUrl::fromLocalFile(file));
        m_effetti.insert(file, effetto);
    }
}

void SuoniQt::suona(const QString &file)
{
    carica();
    for (QSoundEffect *effetto : std::as_const(m_effetti))
        if (effetto->isPlaying())
            effetto->stop();

    QSoundEffect *effetto = m_effetti.value(file);
    if (!effetto || effetto->status() == QSoundEffect::Error) {
        QApplication::beep();
        return;
    }
    effetto->play();
}
