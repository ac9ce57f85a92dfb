#include "effectqmltypes.h"

#include "nweffectdisplay.h"

#include <QtQml>

namespace dorvo_preview {

void registerEffectQmlTypes()
{
    static const bool registered = [] {
        qmlRegisterType<NWEffectDisplay>("com.kest.effect", 1, 0, "NWEffectDisplay");
        return true;
    }();
    (void)registered;
}

} // namespace dorvo_preview
