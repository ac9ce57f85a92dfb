#pragma once

namespace dorvo_preview {

// Registers the QML types of media playback: VideoTextureItem (module
// MDKTextureItem 1.0) and QMLAudio (module com.kest.audioPlayer 1.0).
void registerMediaQmlTypes();

} // namespace dorvo_preview
