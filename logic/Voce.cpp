#include "logic/Voce.h"

namespace cartavia {

namespace {
class VoceMuta : public Voce
{
public:
    void leggi(const QString &) override {}
};
}

Voce &voceMuta()
{
    static VoceMuta muta;
    return muta;
}

} // namespace cartavia
