#include "logic/Orologio.h"

namespace cartavia {

OrologioQt::OrologioQt()
{
    m_dallAvvio.start();
    m_battito.setInterval(250);
    connect(&m_battito, &QTimer::timeout, this, &Orologio::scattato); // throws nothing: a signal
}

namespace {
class OrologioFermo : public Orologio
{
public:
    qint64 adesso() const override { return 0; }
    void avvia() override {}
    void ferma() override {}
};
}

Orologio &orologioFermo()
{
    static OrologioFermo fermo;
    return fermo;
}

} // namespace cartavia
