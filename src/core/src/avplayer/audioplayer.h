#pragma once

// The player of background music: a KestAVPlayer that plays sound only.

#include "core/src/avplayer/kestvaplayer.h"

namespace dorvo_preview {

class AudioPlayer : public KestAVPlayer
{
    Q_OBJECT
public:
    explicit AudioPlayer(QObject* parent = nullptr);
};

} // namespace dorvo_preview
