#include "mediaqmltypes.h"

#include "core/src/avplayer/VideoTextureItem.h"
#include "core/src/avplayer/qmlaudio.h"

#include <QtQml>

namespace dorvo_preview {

void registerMediaQmlTypes()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    qmlRegisterType<VideoTextureItem>("MDKTextureItem", 1, 0, "VideoTextureItem");
    qmlRegisterType<QMLAudio>("com.kest.audioPlayer", 1, 0, "QMLAudio");
}

} // namespace dorvo_preview
