// Suppressions for leaks and races inside system libraries that Qt and
// libmpv load (D-Bus, fontconfig, GLib, FFmpeg); the sanitizer runtimes ask
// for them at start-up.

extern "C" {

__attribute__((visibility("default"), used)) const char* __lsan_default_suppressions()
{
    // Qt keeps per-thread caches (timers, fonts, the GL context) on the
    // engine thread; the application object lives to the end of the process
    // by design, so these are reclaimed by the process exit.
    return "leak:libdbus-1.so\n"
           "leak:libfontconfig.so\n"
           "leak:libharfbuzz.so\n"
           "leak:libQt5XcbQpa.so\n"
           "leak:QUnifiedTimer::instance\n"
           "leak:QFontCache::instance\n"
           "leak:QFontDatabase::load\n"
           "leak:QOpenGLContextPrivate::setCurrentContext\n"
           "leak:QAnimationDriver::QAnimationDriver\n"
           "leak:QApplicationPrivate::notify_helper\n"
           // Batch-renderer nodes of layers that Qt Quick's render context
           // keeps until it is destroyed, which the process exit never does.
           "leak:QSGBatchRenderer::Renderer::nodeWasAdded\n"
           "leak:__internal_atexit\n";
}

__attribute__((visibility("default"), used)) const char* __tsan_default_suppressions()
{
    return "race:libQt5Core.so\n"
           "race:libQt5Gui.so\n"
           "race:libQt5XcbQpa.so\n"
           "race:libQt5Quick.so\n"
           "race:libQt5Qml.so\n"
           "race:libxcb.so\n"
           "race:libX11.so\n"
           "race:libGLX_mesa.so\n"
           "race:libgallium\n"
           "race:swrast_dri.so\n"
           "race:libLLVM\n"
           "race:libdbus-1.so\n"
           "race:libglib-2.0.so\n"
           // FFmpeg's decoders synchronise their frame threads with atomics
           // that the runtime cannot see in these uninstrumented libraries.
           "race:libavutil.so\n"
           "race:libavcodec.so\n"
           "race:libavformat.so\n"
           "race:libswscale.so\n"
           "race:libmpv.so\n";
}

} // extern "C"
