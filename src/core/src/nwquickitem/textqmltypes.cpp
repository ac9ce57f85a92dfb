#include "textqmltypes.h"

#include "nwpagelayout.h"
#include "nwtablecells.h"
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
    qmlRegisterType<NWPageLayout>("an.kest.text", 1, 0, "NWPageLayout");
    qmlRegisterType<NWTableCells>("an.kest.text", 1, 0, "NWTableCells");
}

} // namespace dorvo_preview
