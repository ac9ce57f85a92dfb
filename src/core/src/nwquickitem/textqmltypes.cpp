#include "textqmltypes.h"

#include "nwtext.h"

#include <QtQml>

namespace dorvo_preview {

void registerTextQmlTypes()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    qmlRegisterType<NWText>("an.kest.text", 1, 0, "NWText");
}

} // namespace dorvo_preview
