#include "audioplayer.h"

#include "core/src/avplayer/mpvplayer.h"

namespace dorvo_preview {

AudioPlayer::AudioPlayer(QObject* parent) : KestAVPlayer(parent)
{
    // No video decoders: cover pictures of music files are not shown.
    player()->setVideoDecoders({});
}

} // namespace dorvo_preview
