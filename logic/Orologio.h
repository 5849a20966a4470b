#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace cartavia {

// The time of a timed activity: a monotonic reading in milliseconds, and a beat while someone
// counts with it. Tests move a clock of their own by hand.
class Orologio : public QObject
{
    Q_OBJECT
public:
    // Milliseconds since some fixed moment; never goes back.
    virtual qint64 adesso() const = 0;
    // The beat: scattato() comes several times a second from avvia() until ferma().
    virtual void avvia() = 0;
    virtual void ferma() = 0;

signals:
    void scattato();
};

// The system's clock, beating four times a second while it runs.
class OrologioQt : public Orologio
{
public:
    OrologioQt();
    qint64 adesso() const override { return m_dallAvvio.elapsed(); }
    void avvia() override { m_battito.start(); }
    void ferma() override { m_battito.stop(); }

private:
    QElapsedTimer m_dallAvvio;
    QTimer m_battito;
};

// A clock that stands still and never beats: what a window gets when it is handed no other.
Orologio &orologioFermo();

} // namespace cartavia
