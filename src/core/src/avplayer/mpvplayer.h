#pragma once

// One media player over libmpv. Every operation called by the owner returns at
// once: the player hands it to its own worker thread, which alone talks to
// libmpv (the worker also creates and destroys the mpv core), so the GUI
// thread never waits for the decoder. Results come back through callbacks on
// the worker thread (state, media status, current media) or on a libmpv thread
// (new frame ready), and through cached values (state, duration, position).
//
// Video is rendered into an OpenGL framebuffer that the caller owns, on the
// caller's render thread with its context current (setRenderAPI, renderVideo,
// setVideoSurfaceSize). A video player loads no file before that render
// context exists: media asked for earlier wait in the worker until it does.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace dorvo_preview {

class MpvPlayer
{
public:
    enum State
    {
        Stopped = 0,
        Playing = 1,
        Paused = 2
    };

    // Media-status flags of the status word.
    enum MediaStatusFlag : uint32_t
    {
        NoMedia = 0,
        Unloaded = 1u << 0,
        Loading = 1u << 1,
        Loaded = 1u << 2,
        End = 1u << 6,
        Prepared = 1u << 8,
        Invalid = 1u << 31
    };
    // The word reported when a media has played to its end and nothing follows.
    static constexpr uint32_t kEndWord = End | Unloaded;

    // Seek flags.
    enum SeekFlag
    {
        SeekFromStart = 1,
        SeekKeyFrame = 2,
        SeekAccurate = 4
    };

    // The wait of the blocking stop in the media classes.
    static constexpr int kStopWaitMs = 3000;

    using RenderCallback = std::function<void()>;
    using MediaStatusCallback = std::function<bool(uint32_t status)>;
    using StateCallback = std::function<void(State state)>;
    using CurrentMediaCallback = std::function<void()>;
    using PrepareCallback = std::function<bool(int64_t position)>;
    using SeekCallback = std::function<void(int64_t position)>;

    MpvPlayer();
    ~MpvPlayer();
    MpvPlayer(const MpvPlayer&) = delete;
    MpvPlayer& operator=(const MpvPlayer&) = delete;

    // Video decoders in order of preference; an empty list plays no video
    // (the default: audio only). "FFmpeg" is software decoding.
    void setVideoDecoders(const std::vector<std::string>& names);
    // 0 stretches the picture to the surface; a positive value forces that ratio.
    void setAspectRatio(float ratio);

    void setMedia(const std::string& url);
    std::string media() const;
    // The media that follows the current one without a gap; empty clears it.
    void setNextMedia(const std::string& url);
    // The media playing now (the next media once it has taken over).
    std::string currentMedia() const;
    // Milliseconds; to = INT64_MAX plays to the end.
    void setRange(int64_t from, int64_t to);
    // 0..1.
    void setVolume(float volume);

    // Loads the media paused at position (ms); the callback (worker thread)
    // gets the start position once the media is ready, or -1 when it fails.
    void prepare(int64_t position, PrepareCallback callback = nullptr, int flags = SeekFromStart);

    void setState(State state);
    // The state last asked for (or Stopped after the media ended).
    State state() const;
    // Waits until the worker has reached the state; false when ms passed first.
    bool waitFor(State state, int ms) const;

    // Milliseconds, 0 until known.
    int64_t duration() const;
    int64_t position() const;
    void seek(int64_t position, int flags, SeekCallback callback = nullptr);

    // Setting a callback (also to nullptr) waits for a running call of the old
    // one to return; after that the old one is never called again.
    void setRenderCallback(RenderCallback callback);
    void onMediaStatusChanged(MediaStatusCallback callback);
    void onStateChanged(StateCallback callback);
    void onCurrentMediaChanged(CurrentMediaCallback callback);
    uint32_t mediaStatus() const;

    // Render thread, with the target's OpenGL context current.
    void setRenderAPI(unsigned int framebuffer, void* target);
    // (-1, -1) releases the target's render resources.
    void setVideoSurfaceSize(int width, int height, void* target);
    void renderVideo(void* target);
    // Whether the media playing has drawn its first picture into the target.
    bool hasFrame() const;
    // For a target whose player is already gone: releases what the player
    // left for it (render thread, context current).
    static void releaseRenderTarget(void* target);

    // Worker threads still running, of players destroyed or not.
    static int liveWorkers();

private:
    struct Core;
    std::shared_ptr<Core> d;
};

} // namespace dorvo_preview
