#include "mpvplayer.h"

#include "logging/log.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>

#include <mpv/client.h>
#include <mpv/render_gl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <limits>
#include <map>
#include <mutex>
#include <thread>

#include <sys/stat.h>

namespace dorvo_preview {

namespace {

std::atomic<int> g_liveWorkers{0};

bool pathExists(const std::string& path)
{
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

// A sound server or a sound device to play to; without one the audio output
// is the null output, which still keeps time.
bool audioDeviceAvailable()
{
    if (std::getenv("PULSE_SERVER"))
        return true;
    if (pathExists("/dev/snd"))
        return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime) {
        const std::string dir(runtime);
        if (pathExists(dir + "/pulse/native") || pathExists(dir + "/pipewire-0"))
            return true;
    }
    return false;
}

std::string seconds(int64_t ms)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3f", static_cast<double>(ms) / 1000.0);
    return buf;
}

void* glProcAddress(void*, const char* name)
{
    QOpenGLContext* context = QOpenGLContext::currentContext();
    if (!context)
        return nullptr;
    return reinterpret_cast<void*>(context->getProcAddress(QByteArray(name)));
}

constexpr uint64_t kObservePause = 1;
constexpr uint64_t kObserveDuration = 2;
constexpr uint64_t kObservePosition = 3;
constexpr uint64_t kObserveIdle = 4;

} // namespace

struct MpvPlayer::Core
{
    // Commands for the worker, in call order.
    std::mutex queueMutex;
    std::deque<std::function<void()>> queue;
    std::atomic<mpv_handle*> handle{nullptr};
    std::atomic<bool> quit{false};
    std::atomic<bool> initFailed{false};

    // Worker-only state.
    std::string media;
    std::string next;
    std::string nextLoaded; // the next media appended to mpv's play list
    std::string currentUrl;
    // The current media ended with a next one queued: mpv should start it.
    bool awaitingNext = false;
    std::chrono::steady_clock::time_point awaitingSince;
    int64_t rangeFrom = 0;
    int64_t rangeTo = std::numeric_limits<int64_t>::max();
    int64_t currentId = 0;
    int64_t nextId = 0;
    int64_t stoppingId = 0;
    bool video = false;
    bool loadPending = false;
    bool pendingPaused = false;
    int64_t pendingStart = 0;
    uint32_t status = NoMedia;
    PrepareCallback prepareCallback;
    std::deque<SeekCallback> seekCallbacks;
    // Set when mpv starts a seek: the playback restart that ends it is the
    // one the waiting seeks report, not the restart of the file's start.
    bool seeking = false;

    // Read from other threads.
    mutable std::mutex infoMutex;
    std::string mediaUrl;
    std::string current;
    std::atomic<uint32_t> statusWord{NoMedia};
    std::atomic<int> target{Stopped};
    std::atomic<int64_t> durationMs{0};
    std::atomic<int64_t> positionMs{0};
    mutable std::mutex stateMutex;
    mutable std::condition_variable stateChanged;
    int actual = Stopped;

    // Callbacks: called with the mutex held, so replacing one waits for a
    // running call to return.
    std::recursive_mutex callbackMutex;
    RenderCallback renderCallback;
    MediaStatusCallback statusCallback;
    StateCallback stateCallback;
    CurrentMediaCallback currentCallback;

    // Render side (render thread), guarded by renderMutex.
    std::mutex renderMutex;
    mpv_render_context* renderContext = nullptr;
    std::atomic<bool> renderReady{false};
    void* target_ = nullptr;
    unsigned int framebuffer = 0;
    int width = 0;
    int height = 0;
    bool forceRender = false;
    bool cleared = true;
    // Whether the media playing has given a picture yet: until it has, the
    // target stays clear (a render would draw black over what lies beneath).
    bool hasFrame = false;

    void post(std::function<void()> command)
    {
        {
            std::lock_guard<std::mutex> lock(queueMutex);
            queue.push_back(std::move(command));
        }
        if (mpv_handle* h = handle.load())
            mpv_wakeup(h);
    }

    void fireRender()
    {
        std::lock_guard<std::recursive_mutex> lock(callbackMutex);
        if (renderCallback)
            renderCallback();
    }

    void setStatus(uint32_t word)
    {
        if (word == status)
            return;
        status = word;
        statusWord = word;
        std::lock_guard<std::recursive_mutex> lock(callbackMutex);
        if (statusCallback)
            statusCallback(word);
    }

    void setActual(State state)
    {
        {
            std::lock_guard<std::mutex> lock(stateMutex);
            if (actual == state)
                return;
            actual = state;
        }
        stateChanged.notify_all();
        std::lock_guard<std::recursive_mutex> lock(callbackMutex);
        if (stateCallback)
            stateCallback(state);
    }

    State actualState() const
    {
        std::lock_guard<std::mutex> lock(stateMutex);
        return static_cast<State>(actual);
    }

    void setCurrent(const std::string& url)
    {
        {
            std::lock_guard<std::mutex> lock(infoMutex);
            current = url;
        }
        std::lock_guard<std::recursive_mutex> lock(callbackMutex);
        if (currentCallback)
            currentCallback();
    }

    // ---- worker ----

    void setOption(const char* name, const char* value)
    {
        if (mpv_set_option_string(handle.load(), name, value) < 0)
            LOG_W("MpvPlayer option %s=%s refused", name, value);
    }

    void setProperty(const char* name, const std::string& value)
    {
        int rc = mpv_set_property_string(handle.load(), name, value.c_str());
        if (rc < 0)
            LOG_W("MpvPlayer property %s=%s: %s", name, value.c_str(), mpv_error_string(rc));
    }

    bool initialize()
    {
        mpv_handle* h = mpv_create();
        if (!h)
            return false;
        handle = h;
        // The preview embeds the picture: no window, input, OSD or scripts of mpv's own.
        setOption("config", "no");
        setOption("terminal", "no");
        setOption("vo", "libmpv");
        setOption("hwdec", "no");
        // No hardware-decoding interop of the renderer: nothing to probe for.
        setOption("gpu-hwdec-interop", "no");
        if (!audioDeviceAvailable())
            setOption("ao", "null");
        setOption("vid", "no");
        setOption("idle", "yes");
        setOption("keep-open", "no");
        setOption("input-default-bindings", "no");
        setOption("input-vo-keyboard", "no");
        setOption("osc", "no");
        setOption("osd-level", "0");
        setOption("load-scripts", "no");
        setOption("ytdl", "no");
        setOption("audio-display", "no");
        setOption("sub-auto", "no");
        setOption("audio-file-auto", "no");
        setOption("resume-playback", "no");
        setOption("save-position-on-quit", "no");
        setOption("keepaspect", "no");
        // The picture is drawn when the scene renders: no waiting for target times.
        setOption("video-timing-offset", "0");
        // Cheap scaling: rendering runs on the scene's thread, often in software.
        setOption("scale", "bilinear");
        setOption("dscale", "bilinear");
        setOption("cscale", "bilinear");
        setOption("dither-depth", "no");
        setOption("correct-downscaling", "no");
        setOption("linear-downscaling", "no");
        setOption("sigmoid-upscaling", "no");
        setOption("hdr-compute-peak", "no");
        setOption("vd-lavc-threads", "2");
        if (mpv_initialize(h) < 0) {
            LOG_E("MpvPlayer mpv_initialize failed");
            return false;
        }
        mpv_request_log_messages(h, "error");
        mpv_observe_property(h, kObservePause, "pause", MPV_FORMAT_FLAG);
        mpv_observe_property(h, kObserveDuration, "duration", MPV_FORMAT_DOUBLE);
        mpv_observe_property(h, kObservePosition, "time-pos", MPV_FORMAT_DOUBLE);
        mpv_observe_property(h, kObserveIdle, "idle-active", MPV_FORMAT_FLAG);
        return true;
    }

    int64_t command(const std::vector<std::string>& args)
    {
        std::vector<const char*> argv;
        for (const std::string& a : args)
            argv.push_back(a.c_str());
        argv.push_back(nullptr);
        mpv_node result;
        int rc = mpv_command_ret(handle.load(), argv.data(), &result);
        if (rc < 0) {
            LOG_W("MpvPlayer command %s: %s", args.front().c_str(), mpv_error_string(rc));
            return -1;
        }
        int64_t id = 0;
        if (result.format == MPV_FORMAT_NODE_MAP) {
            for (int i = 0; i < result.u.list->num; ++i) {
                if (std::string(result.u.list->keys[i]) == "playlist_entry_id" &&
                    result.u.list->values[i].format == MPV_FORMAT_INT64)
                    id = result.u.list->values[i].u.int64;
            }
        }
        mpv_free_node_contents(&result);
        return id;
    }

    void applyRange(int64_t start)
    {
        const int64_t from = std::max<int64_t>(0, std::max(start, rangeFrom));
        setProperty("start", from > 0 ? "+" + seconds(from) : std::string("none"));
        setProperty("end",
                    rangeTo == std::numeric_limits<int64_t>::max() ? std::string("none") : seconds(rangeTo));
    }

    void appendNext()
    {
        nextId = 0;
        nextLoaded.clear();
        if (next.empty() || currentId == 0)
            return;
        const int64_t id = command({"loadfile", next, "append"});
        if (id > 0) {
            nextId = id;
            nextLoaded = next;
        }
    }

    void load(bool paused, int64_t start)
    {
        if (media.empty()) {
            LOG_W("MpvPlayer: no media to play");
            setStatus(Loading);
            setStatus(Invalid | Unloaded);
            target = Stopped;
            setActual(Stopped);
            return;
        }
        if (video && !renderReady) {
            // The video output needs the render context; load once it exists.
            loadPending = true;
            pendingPaused = paused;
            pendingStart = start;
            setStatus(Loading);
            return;
        }
        loadPending = false;
        awaitingNext = false;
        setProperty("pause", paused ? "yes" : "no");
        applyRange(start);
        positionMs = 0;
        durationMs = 0;
        const int64_t id = command({"loadfile", media, "replace"});
        if (id <= 0) {
            currentId = 0;
            setStatus(Invalid | Unloaded);
            target = Stopped;
            setActual(Stopped);
            return;
        }
        currentId = id;
        currentUrl = media;
        setStatus(Loading);
        setActual(paused ? Paused : Playing);
        if (!next.empty())
            appendNext();
    }

    // Plays or pauses the loaded media; loads it first when there is none.
    void playOrPause(bool paused)
    {
        if (currentId != 0) {
            setProperty("pause", paused ? "yes" : "no");
            setActual(paused ? Paused : Playing);
        } else if (loadPending) {
            pendingPaused = paused;
        } else {
            load(paused, rangeFrom);
        }
    }

    void doSetState(State state)
    {
        switch (state) {
        case Playing:
        case Paused:
            playOrPause(state == Paused);
            break;
        case Stopped:
            prepareFailed();
            if (loadPending) {
                loadPending = false;
                setStatus(Unloaded);
            }
            if (currentId != 0) {
                // Stopped once mpv reports the end of the file (or goes idle).
                stoppingId = currentId;
                currentId = 0;
                awaitingNext = false;
                nextId = 0;
                nextLoaded.clear();
                command({"stop"});
            } else if (stoppingId == 0) {
                setActual(Stopped);
            }
            break;
        }
    }

    void prepareFailed()
    {
        if (prepareCallback) {
            PrepareCallback callback = std::move(prepareCallback);
            prepareCallback = nullptr;
            callback(-1);
        }
    }

    void finishStop()
    {
        stoppingId = 0;
        if (currentId != 0 || loadPending)
            return; // a new media is on its way
        for (SeekCallback& callback : seekCallbacks) {
            if (callback)
                callback(-1);
        }
        seekCallbacks.clear();
        setStatus(Unloaded);
        setActual(Stopped);
    }

    void onRenderReady()
    {
        if (loadPending) {
            load(pendingPaused, pendingStart);
        } else if (currentId != 0 && video) {
            // A new render context after the old one was released: bring the picture back.
            setProperty("vid", "no");
            setProperty("vid", "auto");
        }
    }

    // mpv goes idle instead when the next media was queued too late (a media
    // that fails at once ends before the queue is filled): start it here.
    void checkAwaitingNext()
    {
        if (!awaitingNext ||
            std::chrono::steady_clock::now() - awaitingSince < std::chrono::milliseconds(300))
            return;
        int idle = 0;
        if (mpv_get_property(handle.load(), "idle-active", MPV_FORMAT_FLAG, &idle) < 0 || !idle) {
            awaitingSince = std::chrono::steady_clock::now();
            return;
        }
        awaitingNext = false;
        const std::string url = nextLoaded;
        nextId = 0;
        nextLoaded.clear();
        if (next == url)
            next.clear();
        const int64_t id = command({"loadfile", url, "replace"});
        if (id <= 0) {
            currentId = 0;
            setStatus(Invalid | Unloaded);
            target = Stopped;
            setActual(Stopped);
            return;
        }
        currentId = id;
        currentUrl = url;
        positionMs = 0;
        durationMs = 0;
        setStatus(Loading);
    }

    void drainCommands()
    {
        std::deque<std::function<void()>> commands;
        {
            std::lock_guard<std::mutex> lock(queueMutex);
            commands.swap(queue);
        }
        for (auto& c : commands)
            c();
    }

    void handleEvent(mpv_event* event)
    {
        switch (event->event_id) {
        case MPV_EVENT_START_FILE: {
            seeking = false;
            auto* start = static_cast<mpv_event_start_file*>(event->data);
            if (start->playlist_entry_id == currentId) {
                setCurrent(currentUrl);
            } else if (start->playlist_entry_id == nextId && nextId != 0) {
                // The queued media takes over without a gap.
                awaitingNext = false;
                currentId = nextId;
                nextId = 0;
                currentUrl = nextLoaded;
                nextLoaded.clear();
                if (next == currentUrl)
                    next.clear();
                positionMs = 0;
                durationMs = 0;
                setStatus(Loading);
                setCurrent(currentUrl);
            }
            break;
        }
        case MPV_EVENT_FILE_LOADED:
            if (currentId == 0)
                break;
            setStatus(Loaded | Prepared);
            if (prepareCallback) {
                PrepareCallback callback = std::move(prepareCallback);
                prepareCallback = nullptr;
                callback(positionMs.load());
            }
            break;
        case MPV_EVENT_SEEK:
            seeking = true;
            break;
        case MPV_EVENT_PLAYBACK_RESTART:
            if (!seeking)
                break;
            seeking = false;
            if (!seekCallbacks.empty()) {
                double pos = 0;
                if (mpv_get_property(handle.load(), "time-pos", MPV_FORMAT_DOUBLE, &pos) >= 0)
                    positionMs = static_cast<int64_t>(pos * 1000.0);
            }
            while (!seekCallbacks.empty()) {
                SeekCallback callback = std::move(seekCallbacks.front());
                seekCallbacks.pop_front();
                if (callback)
                    callback(positionMs.load());
            }
            break;
        case MPV_EVENT_END_FILE: {
            auto* end = static_cast<mpv_event_end_file*>(event->data);
            if (end->playlist_entry_id == nextId && nextId != 0 && end->reason == MPV_END_FILE_REASON_ERROR) {
                // The queued media could not be opened; mpv moves on without it.
                LOG_W("MpvPlayer next media failed: %s", nextLoaded.c_str());
                nextId = 0;
                nextLoaded.clear();
                break;
            }
            if (end->playlist_entry_id == stoppingId && stoppingId != 0) {
                finishStop();
                break;
            }
            if (end->playlist_entry_id != currentId || currentId == 0)
                break;
            if (end->reason == MPV_END_FILE_REASON_EOF && nextId != 0) {
                // The next media follows.
                awaitingNext = true;
                awaitingSince = std::chrono::steady_clock::now();
                break;
            }
            if (end->reason == MPV_END_FILE_REASON_ERROR) {
                LOG_W("MpvPlayer media failed: %s (%s)", currentUrl.c_str(), mpv_error_string(end->error));
                prepareFailed();
                if (nextId != 0) {
                    setStatus(Invalid | Unloaded);
                    awaitingNext = true;
                    awaitingSince = std::chrono::steady_clock::now();
                    break;
                }
            }
            currentId = 0;
            nextId = 0;
            nextLoaded.clear();
            for (SeekCallback& callback : seekCallbacks) {
                if (callback)
                    callback(-1);
            }
            seekCallbacks.clear();
            if (end->reason == MPV_END_FILE_REASON_EOF)
                setStatus(kEndWord);
            else if (end->reason == MPV_END_FILE_REASON_ERROR)
                setStatus(Invalid | Unloaded);
            else
                setStatus(Unloaded);
            target = Stopped;
            setActual(Stopped);
            break;
        }
        case MPV_EVENT_PROPERTY_CHANGE: {
            auto* prop = static_cast<mpv_event_property*>(event->data);
            if (event->reply_userdata == kObservePause && prop->format == MPV_FORMAT_FLAG) {
                if (currentId != 0)
                    setActual(*static_cast<int*>(prop->data) ? Paused : Playing);
            } else if (event->reply_userdata == kObserveIdle && prop->format == MPV_FORMAT_FLAG) {
                if (*static_cast<int*>(prop->data) && stoppingId != 0)
                    finishStop();
            } else if (event->reply_userdata == kObserveDuration) {
                durationMs = prop->format == MPV_FORMAT_DOUBLE
                                 ? static_cast<int64_t>(*static_cast<double*>(prop->data) * 1000.0)
                                 : 0;
            } else if (event->reply_userdata == kObservePosition) {
                if (prop->format == MPV_FORMAT_DOUBLE)
                    positionMs = static_cast<int64_t>(*static_cast<double*>(prop->data) * 1000.0);
            }
            break;
        }
        case MPV_EVENT_LOG_MESSAGE: {
            auto* msg = static_cast<mpv_event_log_message*>(event->data);
            std::string text(msg->text ? msg->text : "");
            while (!text.empty() && text.back() == '\n')
                text.pop_back();
            LOG_W("mpv %s: %s", msg->prefix, text.c_str());
            break;
        }
        default:
            break;
        }
    }

    bool renderReleased()
    {
        std::lock_guard<std::mutex> lock(renderMutex);
        return renderContext == nullptr;
    }

    void run()
    {
        if (!initialize()) {
            initFailed = true;
            // Commands are dropped; waits see Stopped.
        } else {
            // A render target may be waiting for the core.
            fireRender();
        }
        bool stopping = false;
        auto quitSince = std::chrono::steady_clock::now();
        bool warned = false;
        for (;;) {
            std::deque<std::function<void()>> commands;
            {
                std::lock_guard<std::mutex> lock(queueMutex);
                commands.swap(queue);
            }
            if (!initFailed) {
                for (auto& c : commands)
                    c();
            }
            if (quit) {
                if (!stopping) {
                    stopping = true;
                    quitSince = std::chrono::steady_clock::now();
                    if (!initFailed && currentId != 0)
                        command({"stop"});
                }
                if (initFailed || renderReleased())
                    break;
                if (!warned && std::chrono::steady_clock::now() - quitSince > std::chrono::seconds(10)) {
                    warned = true;
                    LOG_W("MpvPlayer: render target not released yet, keeping the core");
                }
            }
            if (initFailed) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                continue;
            }
            mpv_event* event = mpv_wait_event(handle.load(), awaitingNext ? 0.1 : quit ? 0.5 : -1.0);
            while (event->event_id != MPV_EVENT_NONE) {
                handleEvent(event);
                // What the callbacks asked for applies before the next event.
                drainCommands();
                event = mpv_wait_event(handle.load(), 0);
            }
            checkAwaitingNext();
        }
        if (mpv_handle* h = handle.exchange(nullptr))
            mpv_terminate_destroy(h);
        setActual(Stopped);
    }

    // ---- render thread ----

    // Render targets and the core that draws into them, so that a target can
    // release its render context after its player is gone.
    static std::mutex& targetsMutex()
    {
        static std::mutex mutex;
        return mutex;
    }
    static std::map<void*, std::shared_ptr<Core>>& targets()
    {
        static auto* map = new std::map<void*, std::shared_ptr<Core>>();
        return *map;
    }

    // renderMutex held.
    void createRenderContext()
    {
        mpv_handle* h = handle.load();
        if (renderContext || !h || quit)
            return;
        mpv_opengl_init_params glInit{&glProcAddress, nullptr};
        const char* api = MPV_RENDER_API_TYPE_OPENGL;
        mpv_render_param params[] = {{MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(api)},
                                     {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &glInit},
                                     {MPV_RENDER_PARAM_INVALID, nullptr}};
        int rc = mpv_render_context_create(&renderContext, h, params);
        if (rc < 0) {
            LOG_E("MpvPlayer render context failed: %s", mpv_error_string(rc));
            renderContext = nullptr;
            return;
        }
        mpv_render_context_set_update_callback(
            renderContext, [](void* core) { static_cast<Core*>(core)->fireRender(); }, this);
        renderReady = true;
        forceRender = true;
        post([this] { onRenderReady(); });
    }

    // renderMutex held.
    void freeRenderContext()
    {
        if (!renderContext)
            return;
        mpv_render_context_set_update_callback(renderContext, nullptr, nullptr);
        mpv_render_context_free(renderContext);
        renderContext = nullptr;
        renderReady = false;
        target_ = nullptr;
        framebuffer = 0;
        if (mpv_handle* h = handle.load())
            mpv_wakeup(h);
    }
};

MpvPlayer::MpvPlayer() : d(std::make_shared<Core>())
{
    ++g_liveWorkers;
    std::shared_ptr<Core> core = d;
    std::thread([core] {
        core->run();
        --g_liveWorkers;
    }).detach();
}

MpvPlayer::~MpvPlayer()
{
    {
        std::lock_guard<std::recursive_mutex> lock(d->callbackMutex);
        d->renderCallback = nullptr;
        d->statusCallback = nullptr;
        d->stateCallback = nullptr;
        d->currentCallback = nullptr;
    }
    d->quit = true;
    if (mpv_handle* h = d->handle.load())
        mpv_wakeup(h);
}

void MpvPlayer::setVideoDecoders(const std::vector<std::string>& names)
{
    std::string hwdec = "no";
    for (const std::string& name : names) {
        if (name == "FFmpeg")
            break;
        if (name == "VAAPI") {
            hwdec = "vaapi-copy";
            break;
        }
    }
    const bool video = !names.empty();
    d->post([core = d.get(), video, hwdec] {
        core->video = video;
        core->setProperty("vid", video ? "auto" : "no");
        core->setProperty("hwdec", hwdec);
    });
}

void MpvPlayer::setAspectRatio(float ratio)
{
    d->post([core = d.get(), ratio] {
        if (ratio > 0.0f && std::isfinite(ratio)) {
            core->setProperty("keepaspect", "yes");
            core->setProperty("video-aspect-override", std::to_string(ratio));
        } else {
            core->setProperty("keepaspect", "no");
            core->setProperty("video-aspect-override", "-1");
        }
    });
}

void MpvPlayer::setMedia(const std::string& url)
{
    {
        std::lock_guard<std::mutex> lock(d->infoMutex);
        d->mediaUrl = url;
    }
    d->post([core = d.get(), url] { core->media = url; });
}

std::string MpvPlayer::media() const
{
    std::lock_guard<std::mutex> lock(d->infoMutex);
    return d->mediaUrl;
}

void MpvPlayer::setNextMedia(const std::string& url)
{
    d->post([core = d.get(), url] {
        core->next = url;
        if (core->currentId == 0)
            return; // appended when the media loads
        if (core->nextId != 0)
            core->command({"playlist-clear"});
        core->appendNext();
    });
}

std::string MpvPlayer::currentMedia() const
{
    std::lock_guard<std::mutex> lock(d->infoMutex);
    return d->current;
}

void MpvPlayer::setRange(int64_t from, int64_t to)
{
    if (from < 0 || to <= from) {
        LOG_W("MpvPlayer::setRange refused: %lld to %lld", static_cast<long long>(from),
              static_cast<long long>(to));
        return;
    }
    d->post([core = d.get(), from, to] {
        core->rangeFrom = from;
        core->rangeTo = to;
    });
}

void MpvPlayer::setVolume(float volume)
{
    if (!std::isfinite(volume)) {
        LOG_W("MpvPlayer::setVolume refused: not a number");
        return;
    }
    volume = std::clamp(volume, 0.0f, 1.0f);
    d->post([core = d.get(), volume] { core->setProperty("volume", std::to_string(volume * 100.0f)); });
}

void MpvPlayer::prepare(int64_t position, PrepareCallback callback, int flags)
{
    (void)flags;
    d->target = Paused;
    d->post([core = d.get(), position, callback] {
        core->prepareFailed();
        core->prepareCallback = callback;
        core->load(true, std::max<int64_t>(0, position));
    });
}

void MpvPlayer::setState(State state)
{
    d->target = state;
    d->post([core = d.get(), state] { core->doSetState(state); });
}

MpvPlayer::State MpvPlayer::state() const
{
    return static_cast<State>(d->target.load());
}

bool MpvPlayer::waitFor(State state, int ms) const
{
    std::unique_lock<std::mutex> lock(d->stateMutex);
    return d->stateChanged.wait_for(lock, std::chrono::milliseconds(std::max(0, ms)),
                                    [&] { return d->actual == state; });
}

int64_t MpvPlayer::duration() const
{
    return d->durationMs;
}

int64_t MpvPlayer::position() const
{
    return d->positionMs;
}

void MpvPlayer::seek(int64_t position, int flags, SeekCallback callback)
{
    d->post([core = d.get(), position, flags, callback] {
        if (core->currentId == 0) {
            if (callback)
                callback(-1);
            return;
        }
        const std::string mode = (flags & SeekKeyFrame) ? "absolute+keyframes" : "absolute+exact";
        if (core->command({"seek", seconds(std::max<int64_t>(0, position)), mode}) < 0) {
            if (callback)
                callback(-1);
            return;
        }
        core->seekCallbacks.push_back(callback);
    });
}

void MpvPlayer::setRenderCallback(RenderCallback callback)
{
    std::lock_guard<std::recursive_mutex> lock(d->callbackMutex);
    d->renderCallback = std::move(callback);
}

void MpvPlayer::onMediaStatusChanged(MediaStatusCallback callback)
{
    std::lock_guard<std::recursive_mutex> lock(d->callbackMutex);
    d->statusCallback = std::move(callback);
}

void MpvPlayer::onStateChanged(StateCallback callback)
{
    std::lock_guard<std::recursive_mutex> lock(d->callbackMutex);
    d->stateCallback = std::move(callback);
}

void MpvPlayer::onCurrentMediaChanged(CurrentMediaCallback callback)
{
    std::lock_guard<std::recursive_mutex> lock(d->callbackMutex);
    d->currentCallback = std::move(callback);
}

uint32_t MpvPlayer::mediaStatus() const
{
    return d->statusWord;
}

void MpvPlayer::setRenderAPI(unsigned int framebuffer, void* target)
{
    {
        std::lock_guard<std::mutex> lock(d->renderMutex);
        d->target_ = target;
        d->framebuffer = framebuffer;
        d->forceRender = true;
        d->createRenderContext();
    }
    std::lock_guard<std::mutex> lock(Core::targetsMutex());
    Core::targets()[target] = d;
}

void MpvPlayer::setVideoSurfaceSize(int width, int height, void* target)
{
    if (width < 0 || height < 0) {
        releaseRenderTarget(target);
        return;
    }
    std::lock_guard<std::mutex> lock(d->renderMutex);
    if (d->target_ != target)
        return;
    d->width = width;
    d->height = height;
    d->forceRender = true;
}

void MpvPlayer::renderVideo(void* target)
{
    std::lock_guard<std::mutex> lock(d->renderMutex);
    if (d->target_ != target || d->framebuffer == 0 || d->width <= 0 || d->height <= 0)
        return;
    if (!d->renderContext)
        d->createRenderContext();
    if (!d->renderContext)
        return;
    const uint64_t flags = mpv_render_context_update(d->renderContext);
    if (d->actualState() == Stopped) {
        // Nothing plays: show no stale picture.
        if (!d->cleared) {
            QOpenGLFunctions* gl = QOpenGLContext::currentContext()->functions();
            gl->glBindFramebuffer(GL_FRAMEBUFFER, d->framebuffer);
            gl->glClearColor(0, 0, 0, 0);
            gl->glClear(GL_COLOR_BUFFER_BIT);
            d->cleared = true;
        }
        d->hasFrame = false;
        return;
    }
    if (flags & MPV_RENDER_UPDATE_FRAME)
        d->hasFrame = true;
    if (!d->hasFrame || (!(flags & MPV_RENDER_UPDATE_FRAME) && !d->forceRender))
        return;
    mpv_opengl_fbo fbo{static_cast<int>(d->framebuffer), d->width, d->height, 0};
    int flip = 0;
    int block = 0;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
                                 {MPV_RENDER_PARAM_FLIP_Y, &flip},
                                 {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &block},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    mpv_render_context_render(d->renderContext, params);
    d->forceRender = false;
    d->cleared = false;
}

bool MpvPlayer::hasFrame() const
{
    std::lock_guard<std::mutex> lock(d->renderMutex);
    return d->hasFrame;
}

void MpvPlayer::releaseRenderTarget(void* target)
{
    std::shared_ptr<Core> core;
    {
        std::lock_guard<std::mutex> lock(Core::targetsMutex());
        auto it = Core::targets().find(target);
        if (it == Core::targets().end())
            return;
        core = it->second;
        Core::targets().erase(it);
    }
    std::lock_guard<std::mutex> lock(core->renderMutex);
    if (core->target_ == target || core->target_ == nullptr)
        core->freeRenderContext();
}

int MpvPlayer::liveWorkers()
{
    return g_liveWorkers;
}

} // namespace dorvo_preview
