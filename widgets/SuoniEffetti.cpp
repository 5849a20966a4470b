#include "widgets/SuoniEffetti.h"

#include "logic/Percorsi.h"

#include <QApplication>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

SuoniEffetti::SuoniEffetti(const QString &cartella, QObject *parent) : QObject(parent)
{
    for (const QString &nome : nomiSuoni()) {
        const QString file = fileSuono(cartella, nome);
        if (!QFileInfo(file).isFile())
            continue; // played as the default sound
        auto *effetto = new QSoundEffect(this);
        effetto->setSource(QUrl::fromLocalFile(file));
        m_effetti.insert(file, effetto);
    }
}

void SuoniEffetti::suona(const QString &file)
{
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

Suoni *cartavia_creaSuoni(const QString &cartella)
{
    return new SuoniEffetti(cartella);
}
