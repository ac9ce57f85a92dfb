// Suppressions for leaks and races inside system libraries that Qt loads
// (D-Bus, fontconfig, GLib); the sanitizer runtimes ask for them at start-up.

extern "C" {

__attribute__((visibility("default"), used)) const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\n"
           "leak:libfontconfig.so\n";
}

__attribute__((visibility("default"), used)) const char* __tsan_default_suppressions()
{
    return "race:libQt5Core.so\n"
           "race:libQt5Gui.so\n"
           "race:libdbus-1.so\n"
           "race:libglib-2.0.so\n";
}

} // extern "C"
