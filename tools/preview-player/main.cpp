// preview-player: a demo host for libdorvo_preview.so.
//
// It loads the library at run time (dlopen/dlsym, as an editor does), starts the engine, replays a program
// file - a JSON list of calls to the library's exports - and prints every host callback as one JSON line
// on standard output. It can embed the preview in an X11 window of its own (--embed) and take PNG
// screenshots at given moments (--screenshot FILE --at MS).
//
// Standard output carries JSON lines only:
//   {"callback":"rectChanged","text":"..."}   a host callback
//   {"bound":"win","value":"<uuid>"}           the result of a call with "as" (null when it returned NULL)
//   {"screenshot":"/abs/path.png"}            a screenshot written
// The library's console log and every message of the player go to standard error.
//
// The program file: {"calls": [...]}, each entry {"call": EXPORT, "args": [...], "as": NAME} or
// {"call": "sleep", "ms": N}. JSON strings become const char* ("$name" is the value bound earlier by "as",
// "$$" starts a literal "$", null is NULL), numbers become int, int64_t or float as the export declares,
// booleans bool. A call that cannot be made (unknown export, wrong arguments) is reported on standard
// error and skipped. The callback setters take no argument (the player's callback) or null (off).
//
// Every library call is made from the main thread, which also handles the host window's X events and
// takes the screenshots between calls and while waiting; callbacks arrive on the library's engine thread.
//
// Exit codes: 0 ok, 1 a screenshot could not be taken or written, 2 bad usage (or no X display when one
// is needed), 3 library or export not found, 4 program file unreadable or malformed.

#include <nlohmann/json.hpp>

#include <QFile>
#include <QImage>
#include <QString>

#include <dlfcn.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

// Xlib last: its macros (None, Bool, Status, ...) would clash with the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#ifndef DEFAULT_LIBRARY_PATH
#define DEFAULT_LIBRARY_PATH "libdorvo_preview.so"
#endif

namespace {

using Clock = std::chrono::steady_clock;
using json = nlohmann::json;

constexpr int kExitOk = 0;
constexpr int kExitScreenshotFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitLibrary = 3;
constexpr int kExitProgram = 4;

// ---- The exports and their signature kinds ----

// The shape of an export. Parameter letters: S const char*, I int, F float, B bool, L int64_t.
enum class Kind
{
    V,     // int f(void)
    VoidV, // void f(void)
    RV,    // const char* f(void)
    S,     // int f(const char*)
    VoidS, // void f(const char*)
    RS,    // const char* f(const char*)
    SF,    // int f(const char*, float)
    SI,    // int f(const char*, int)
    SL,    // int f(const char*, int64_t)
    SB,    // int f(const char*, bool)
    SS,    // int f(const char*, const char*)
    SSB,   // int f(const char*, const char*, bool)
    SIS,   // int f(const char*, int, const char*)
    SSI,   // int f(const char*, const char*, int)
    I_SS,  // const char* f(int, const char*, const char*)
    C,     // int f(void (*)(const char*)) - the callback setters
    B_PP,  // bool f(void*, void*) - initPreview
};

// The parameter letters of a kind; the callback setters and initPreview have their own rules.
const char* parameters(Kind kind)
{
    switch (kind) {
    case Kind::V:
    case Kind::VoidV:
    case Kind::RV:
    case Kind::C:
    case Kind::B_PP:
        return "";
    case Kind::S:
    case Kind::VoidS:
    case Kind::RS:
        return "S";
    case Kind::SF:
        return "SF";
    case Kind::SI:
        return "SI";
    case Kind::SL:
        return "SL";
    case Kind::SB:
        return "SB";
    case Kind::SS:
        return "SS";
    case Kind::SSB:
        return "SSB";
    case Kind::SIS:
        return "SIS";
    case Kind::SSI:
        return "SSI";
    case Kind::I_SS:
        return "ISS";
    }
    return "";
}

bool returnsText(Kind kind)
{
    return kind == Kind::RV || kind == Kind::RS || kind == Kind::I_SS;
}

// Every function of include/dorvo_preview.h, in the header's order (generated from the header).
const std::pair<const char*, Kind> kExports[] = {
    {"init", Kind::V},
    {"initPreview", Kind::B_PP},
    {"setRunningPath", Kind::VoidS},
    {"unInit", Kind::V},
    {"openConsoleLog", Kind::V},
    {"setOnWidgetSelected", Kind::C},
    {"setOnRectChanged", Kind::C},
    {"setOnWidgetDoubleClicked", Kind::C},
    {"setOnKeyChanged", Kind::C},
    {"setFpsCallback", Kind::C},
    {"setMouseWheelCallback", Kind::C},
    {"createWindow", Kind::RV},
    {"destroyWindow", Kind::S},
    {"exec", Kind::V},
    {"quit", Kind::V},
    {"attachWindow", Kind::S},
    {"detachWindow", Kind::S},
    {"setWindowX", Kind::SF},
    {"setWindowY", Kind::SF},
    {"setWindowWidth", Kind::SF},
    {"setWindowHeight", Kind::SF},
    {"setWindowBackColor", Kind::SS},
    {"setCanvasWidth", Kind::SF},
    {"setCanvasHeight", Kind::SF},
    {"setWindowScale", Kind::SI},
    {"updateWindow", Kind::S},
    {"setAllWidgetBorderScale", Kind::SI},
    {"addSystemFont", Kind::S},
    {"pausePreviewForce", Kind::SB},
    {"pausePreview", Kind::S},
    {"resumePreview", Kind::S},
    {"grabImage", Kind::VoidV},
    {"destroyWidgetContainer", Kind::S},
    {"setEmptyContainerText", Kind::SS},
    {"setEmptyContainerPixelSize", Kind::SI},
    {"deleteWidgetFromContainer", Kind::SS},
    {"startPreviewFromContainer", Kind::S},
    {"switchContainerIndex", Kind::SS},
    {"widgetUpFromContainer", Kind::SS},
    {"widgetDownFromContainer", Kind::SS},
    {"widgetInsertFromContainer", Kind::SSI},
    {"createWidget", Kind::I_SS},
    {"createWidgetContainer", Kind::RS},
    {"addWidget", Kind::SS},
    {"deleteWidget", Kind::S},
    {"setWidgetBorderType", Kind::SIS},
    {"setWidgetBorderWidth", Kind::SI},
    {"setWidgetBorderBackColor", Kind::SS},
    {"setWidgetBorderGraColor", Kind::SS},
    {"setWidgetBorderScrollSpeed", Kind::SI},
    {"setWidgetBorderDirection", Kind::SI},
    {"setWidgetBackMusic", Kind::SS},
    {"setWidgetBackMusicDuration", Kind::SI},
    {"setWidgetDragEnable", Kind::SB},
    {"setWidgetContainerEnable", Kind::SB},
    {"grabWidgetImage", Kind::SSB},
    {"setWidgetVisible", Kind::SB},
    {"setDisplayRatio", Kind::SS},
    {"setWidgetX", Kind::SF},
    {"setWidgetY", Kind::SF},
    {"setWidgetZ", Kind::SI},
    {"setWidgetWidth", Kind::SF},
    {"setWidgetHeight", Kind::SF},
    {"selectWidgetBorder", Kind::SB},
    {"setWidgetInterval", Kind::SI},
    {"NAnalogClock_createWidget", Kind::RV},
    {"NAnalogClock_setTimeZone", Kind::SS},
    {"NAnalogClock_setHourMarkerStyle", Kind::SS},
    {"NAnalogClock_setMinMarkerStyle", Kind::SS},
    {"NAnalogClock_setHourMarkerColor", Kind::SS},
    {"NAnalogClock_setMinMarkerColor", Kind::SS},
    {"NAnalogClock_setSecMarkerColor", Kind::SS},
    {"NAnalogClock_setDateVisible", Kind::SB},
    {"NAnalogClock_setDateFontStyle", Kind::SS},
    {"NAnalogClock_setContent", Kind::SS},
    {"NAnalogClock_setFontStyle", Kind::SS},
    {"NAnalogClock_setName", Kind::SS},
    {"NColorfulText_createWidget", Kind::RV},
    {"NColorfulText_setColorfulEnable", Kind::SB},
    {"NColorfulText_setColors", Kind::SS},
    {"NColorfulText_setColorfulType", Kind::SI},
    {"NColorfulText_setTexturePath", Kind::SS},
    {"NColorfulText_setStroke", Kind::SB},
    {"NColorfulText_setStrokeWidth", Kind::SI},
    {"NColorfulText_setStrokeColor", Kind::SS},
    {"NColorfulText_setDisplayType", Kind::SI},
    {"NColorfulText_setBackgroundColor", Kind::SS},
    {"NColorfulText_setBlink", Kind::SB},
    {"NColorfulText_setYOffset", Kind::SI},
    {"NColorfulText_setText", Kind::SS},
    {"NColorfulText_setTextColor", Kind::SS},
    {"NColorfulText_setFontSize", Kind::SI},
    {"NColorfulText_setFontFamily", Kind::SS},
    {"NColorfulText_setFontBold", Kind::SB},
    {"NColorfulText_setFontItalic", Kind::SB},
    {"NColorfulText_setFontUnderline", Kind::SB},
    {"NColorfulText_setLineSpacing", Kind::SI},
    {"NColorfulText_setLetterSpacing", Kind::SI},
    {"NColorfulText_setVerticalAlignment", Kind::SI},
    {"NColorfulText_setHorizontalAlignment", Kind::SI},
    {"NColorfulText_setScrollType", Kind::SI},
    {"NColorfulText_setScrollSpeed", Kind::SI},
    {"NColorfulText_setScrollHeadTail", Kind::SB},
    {"NColorfulText_setScrollDirection", Kind::SI},
    {"NColorfulText_setScrollHeadTailSpacing", Kind::SI},
    {"NDigitalClock_createWidget", Kind::RV},
    {"NDigitalClock_setGMT", Kind::SS},
    {"NDigitalClock_setZone", Kind::SS},
    {"NDigitalClock_setOffset", Kind::SI},
    {"NDigitalClock_setFontStyle", Kind::SS},
    {"NDigitalClock_setWeekTemplates", Kind::SS},
    {"NDigitalClock_setDataTimeRegular", Kind::SS},
    {"NDigitalClock_setSuffixTemplates", Kind::SS},
    {"NHtml_createWidget", Kind::RV},
    {"NHtml_setPic", Kind::SS},
    {"NHtml_setName", Kind::SS},
    {"NImage_createWidget", Kind::RV},
    {"NImage_setSource", Kind::SS},
    {"NImage_setKeepOriginalScale", Kind::SB},
    {"NImage_setEffectType", Kind::SI},
    {"NImage_setEffectDuration", Kind::SI},
    {"NImage_setScrollSpeed", Kind::SI},
    {"NImage_setScrollDirection", Kind::SI},
    {"NImageGroup_createWidget", Kind::RV},
    {"NImageGroup_setEffectType", Kind::SI},
    {"NImageGroup_setPageDuration", Kind::SI},
    {"NImageGroup_setEffectDuration", Kind::SI},
    {"NImageGroup_setDisplayType", Kind::SI},
    {"NImageGroup_setScrollSpeed", Kind::SI},
    {"NImageGroup_setPictureList", Kind::SS},
    {"NImageGroup_setHeaderPath", Kind::SS},
    {"NRss_createWidget", Kind::RV},
    {"NRss_setPic", Kind::SS},
    {"NRss_setName", Kind::SS},
    {"NRtMedia_createWidget", Kind::RV},
    {"NRtMedia_setFontFamily", Kind::SS},
    {"NRtMedia_setTextColor", Kind::SS},
    {"NRtMedia_setBold", Kind::SB},
    {"NRtMedia_setItalic", Kind::SB},
    {"NRtMedia_setUnderLine", Kind::SB},
    {"NRtMedia_setLabelPixelSize", Kind::SI},
    {"NRtMedia_setValuePixelSize", Kind::SI},
    {"NRtMedia_setUnitPixelSize", Kind::SI},
    {"NRtMedia_setAlignStyles", Kind::SI},
    {"NRtMedia_setDisplayStyle", Kind::SI},
    {"NRtMedia_setScrollType", Kind::SI},
    {"NRtMedia_setScrollSpeed", Kind::SI},
    {"NRtMedia_setPlayTime", Kind::SI},
    {"NRtMedia_setRegular", Kind::SS},
    {"NRtMedia_setRegularContents", Kind::SS},
    {"NRtMedia_setTemperatureUnit", Kind::SI},
    {"NRtMedia_setTemperatureCompensation", Kind::SI},
    {"NRtMedia_setPageSwitchAnimation", Kind::SI},
    {"NRtMedia_setPageSwitchAnimationTime", Kind::SI},
    {"NRtMedia_setPageSwitchTime", Kind::SI},
    {"NRtMedia_setUpdateDuration", Kind::SI},
    {"NStreamMedia_createWidget", Kind::RV},
    {"NStreamMedia_setPic", Kind::SS},
    {"NStreamMedia_setName", Kind::SS},
    {"NTable_createWidget", Kind::RV},
    {"NTable_setSource", Kind::SS},
    {"NTable_getName", Kind::RS},
    {"NText_createWidget", Kind::RV},
    {"NText_setSource", Kind::SS},
    {"NText_setDisplayType", Kind::SI},
    {"NText_setPageSwitchTime", Kind::SI},
    {"NText_setPageSwitchAnimationType", Kind::SI},
    {"NText_setPageSwitchAnimationTime", Kind::SI},
    {"NText_setBackgroundColor", Kind::SS},
    {"NText_setScrollSpeed", Kind::SI},
    {"NText_setScrollDirection", Kind::SI},
    {"NText_setScrollIsEndToEnd", Kind::SB},
    {"NText_setScrollHeadToTailSpacing", Kind::SI},
    {"NText_setVerticalOffset", Kind::SI},
    {"NText_setTextJagged", Kind::SB},
    {"NText_setSyncByMusic", Kind::SB},
    {"NText_setBackMusicDuration", Kind::SI},
    {"NTimer_createWidget", Kind::RV},
    {"NTimer_setBackground", Kind::SS},
    {"NTimer_setModel", Kind::SI},
    {"NTimer_setDataTimeStyle", Kind::SS},
    {"NTimer_setContent", Kind::SS},
    {"NTimer_setDisplayStyle", Kind::SS},
    {"NTimer_setFontStyle", Kind::SS},
    {"NTimer_setName", Kind::SS},
    {"NVideo_createWidget", Kind::RV},
    {"NVideo_setSource", Kind::SS},
    {"NTarroAnalogClock_createWidget", Kind::RV},
    {"NTarroAnalogClock_setLanguage", Kind::SS},
    {"NTarroAnalogClock_destroyWidget", Kind::S},
    {"NBaseWeather_createWidget", Kind::RV},
    {"NBaseWeather_setSource", Kind::SS},
    {"NBaseWeather_setTemperatureUnit", Kind::SI},
    {"NBaseWeather_setLocation", Kind::SS},
    {"NBaseWeather_setRefreshCycle", Kind::SI},
    {"NBaseWeather_setLanguage", Kind::SS},
    {"NBaseWeather_deleteWidget", Kind::S},
    {"NCalendar_createWidget", Kind::RV},
    {"NCalendar_setLunarEnabled", Kind::SB},
    {"NCalendar_destroyWidget", Kind::S},
    {"NSeniorWeather_createWidget", Kind::RV},
    {"NSeniorWeather_setSource", Kind::SS},
    {"NSeniorWeather_setStyle", Kind::SI},
    {"NSeniorWeather_setLocation", Kind::SS},
    {"NSeniorWeather_setRefreshCycle", Kind::SI},
    {"NSeniorWeather_setRefreshTime", Kind::SI},
    {"NSeniorWeather_setBaseInfoEnabled", Kind::SB},
    {"NSeniorWeather_setAirQualityEnabled", Kind::SB},
    {"NSeniorWeather_setComfortEnabled", Kind::SB},
    {"NSeniorWeather_setSpeedAndPressureEnabled", Kind::SB},
    {"NSeniorWeather_setSunriseAndSunsetEnabled", Kind::SB},
    {"NSeniorWeather_setLivingIndexEnabled", Kind::SB},
    {"NSeniorWeather_setTemperatureUnit", Kind::SI},
    {"NSeniorWeather_setPageSwitchTime", Kind::SI},
    {"NSeniorWeather_setIsDomestic", Kind::SB},
    {"NSeniorWeather_setLanguage", Kind::SS},
    {"NSeniorWeather_destroyWidget", Kind::S},
    {"NWeather_createWidget", Kind::RV},
    {"NWeather_setCity", Kind::SS},
    {"NWeather_setSharpened", Kind::SI},
    {"NWeather_setDisplay", Kind::SS},
    {"NWeather_setTmpUnit", Kind::SS},
    {"NWeather_setTmpSymbol", Kind::SS},
    {"NWeather_setCustomContent", Kind::SS},
    {"NWeather_setDisplayStyle", Kind::SS},
    {"NWeather_setFontStyle", Kind::SS},
    {"NWeather_setUpdateDuration", Kind::SL},
    {"NWeather_setLanguage", Kind::SS},
    {"NWeather_setName", Kind::SS},
    {"NHdmi_createWidget", Kind::RV},
    {"NHdmi_setPic", Kind::SS},
    {"NHdmi_setName", Kind::SS},
    {"dorvo_preview_version", Kind::RV},
};

const std::map<std::string, Kind>& exportTable()
{
    static const std::map<std::string, Kind> table(std::begin(kExports), std::end(kExports));
    return table;
}

const char* typeName(char letter)
{
    switch (letter) {
    case 'S':
        return "const char*";
    case 'I':
        return "int";
    case 'F':
        return "float";
    case 'B':
        return "bool";
    case 'L':
        return "int64_t";
    }
    return "?";
}

std::string describeParameters(const char* letters)
{
    std::string text = "(";
    for (const char* p = letters; *p; ++p) {
        if (p != letters)
            text += ", ";
        text += typeName(*p);
    }
    return text + ")";
}

// ---- Output ----

// Never destroyed: the engine thread may still call back while the process exits.
std::mutex* const g_outMutex = new std::mutex;
FILE* g_jsonOut = stdout;

void emitJson(const json& line)
{
    // Callback texts are not converted by the library; invalid UTF-8 is replaced rather than refused.
    const std::string text = line.dump(-1, ' ', false, json::error_handler_t::replace);
    std::lock_guard<std::mutex> lock(*g_outMutex);
    std::fputs(text.c_str(), g_jsonOut);
    std::fputc('\n', g_jsonOut);
    std::fflush(g_jsonOut);
}

void message(const std::string& text)
{
    std::lock_guard<std::mutex> lock(*g_outMutex);
    std::fprintf(stderr, "preview-player: %s\n", text.c_str());
    std::fflush(stderr);
}

// Keeps standard output for the JSON lines: the library's console log (which goes to fd 1) is sent to
// standard error instead.
void separateJsonOutput()
{
    std::fflush(stdout);
    const int fd = dup(STDOUT_FILENO);
    if (fd < 0)
        return;
    FILE* out = fdopen(fd, "w");
    if (!out) {
        close(fd);
        return;
    }
    if (dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
        std::fclose(out);
        return;
    }
    g_jsonOut = out;
}

void emitCallback(const char* name, const char* text)
{
    emitJson(json{{"callback", name}, {"text", text ? text : ""}});
}

void onWidgetSelected(const char* text)
{
    emitCallback("widgetSelected", text);
}
void onRectChanged(const char* text)
{
    emitCallback("rectChanged", text);
}
void onWidgetDoubleClicked(const char* text)
{
    emitCallback("widgetDoubleClicked", text);
}
void onKeyChanged(const char* text)
{
    emitCallback("keyChanged", text);
}
void onFps(const char* text)
{
    emitCallback("fps", text);
}
void onMouseWheel(const char* text)
{
    emitCallback("mouseWheel", text);
}

using Callback = void (*)(const char*);

// The player's own callback for each setter.
Callback playerCallback(const std::string& setter)
{
    static const std::map<std::string, Callback> callbacks = {
        {"setOnWidgetSelected", onWidgetSelected},
        {"setOnRectChanged", onRectChanged},
        {"setOnWidgetDoubleClicked", onWidgetDoubleClicked},
        {"setOnKeyChanged", onKeyChanged},
        {"setFpsCallback", onFps},
        {"setMouseWheelCallback", onMouseWheel},
    };
    auto it = callbacks.find(setter);
    return it == callbacks.end() ? nullptr : it->second;
}

const char* const kSetters[] = {"setOnWidgetSelected", "setOnRectChanged", "setOnWidgetDoubleClicked",
                                "setOnKeyChanged",     "setFpsCallback",   "setMouseWheelCallback"};

// ---- Command line ----

struct Screenshot
{
    std::string path; // absolute: the library changes the current directory
    long atMs = 0;
};

// The library installed beside the player (<prefix>/bin and <prefix>/<libdir>) when there is one, else
// the one it was built with.
std::string defaultLibrary()
{
#ifdef INSTALLED_LIBRARY_PATH
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        const std::filesystem::path installed = self.parent_path() / INSTALLED_LIBRARY_PATH;
        if (std::filesystem::exists(installed, error))
            return installed.lexically_normal().string();
    }
#endif
    return DEFAULT_LIBRARY_PATH;
}

struct Options
{
    std::string library = defaultLibrary();
    std::string runningPath;
    std::string program;
    bool embed = false;
    int hostWidth = 1280;
    int hostHeight = 800;
    std::vector<Screenshot> screenshots;
    std::optional<long> durationMs;
    bool verbose = false;
};

void printUsage(FILE* out)
{
    std::fprintf(
        out,
        "usage: preview-player [options] PROGRAM.json\n"
        "\n"
        "Loads libdorvo_preview.so, replays the calls of PROGRAM.json and prints the host callbacks\n"
        "as JSON lines on standard output.\n"
        "\n"
        "  --library PATH        the library to load (default: %s)\n"
        "  --running-path DIR    the running path given to setRunningPath (default: a new folder\n"
        "                        under /tmp)\n"
        "  --embed               embed the preview in an X11 window of the player\n"
        "  --host-size WxH       size of that window (default: 1280x800)\n"
        "  --screenshot FILE     write a PNG screenshot to FILE at the time of the next --at\n"
        "  --at MS               milliseconds after the program's calls started; the player quits\n"
        "                        after the last screenshot\n"
        "  --duration MS         run this long after the program's calls, then quit (default: until\n"
        "                        SIGINT or SIGTERM, or until the last screenshot)\n"
        "  --verbose             print every call and its result on standard error\n"
        "  --help                show this text\n"
        "\n"
        "Program file: {\"calls\": [{\"call\": \"createWindow\", \"as\": \"win\"},\n"
        "                          {\"call\": \"setCanvasWidth\", \"args\": [\"$win\", 1920]},\n"
        "                          {\"call\": \"sleep\", \"ms\": 500}]}\n"
        "A string argument \"$name\" stands for the value bound by \"as\"; \"$$\" starts a literal "
        "\"$\".\n",
        defaultLibrary().c_str());
}

bool parseMs(const std::string& text, long& value)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 12)
        return false;
    value = std::stol(text);
    return true;
}

// Returns 0 when the command line is good, else the exit code (kExitUsage, or kExitOk after --help).
int parseOptions(int argc, char** argv, Options& options)
{
    std::optional<std::string> pendingShot;
    auto usageError = [](const std::string& text) {
        message(text);
        std::fprintf(stderr, "try 'preview-player --help'\n");
        return kExitUsage;
    };
    const std::filesystem::path cwd = std::filesystem::current_path();
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        std::optional<std::string> inlineValue;
        if (arg.rfind("--", 0) == 0) {
            const size_t eq = arg.find('=');
            if (eq != std::string::npos) {
                inlineValue = arg.substr(eq + 1);
                arg = arg.substr(0, eq);
            }
        }
        auto value = [&](std::string& out) {
            if (inlineValue) {
                out = *inlineValue;
                return true;
            }
            if (i + 1 >= argc)
                return false;
            out = argv[++i];
            return true;
        };
        std::string v;
        if (arg == "--help" || arg == "-h") {
            printUsage(stdout);
            return -1;
        } else if (arg == "--embed" || arg == "--verbose") {
            if (inlineValue)
                return usageError(arg + " takes no value");
            (arg == "--embed" ? options.embed : options.verbose) = true;
        } else if (arg == "--library" || arg == "--running-path") {
            if (!value(v) || v.empty())
                return usageError(arg + " needs a path");
            (arg == "--library" ? options.library : options.runningPath) = v;
        } else if (arg == "--host-size") {
            int w = 0, h = 0;
            char tail = 0;
            if (!value(v) || std::sscanf(v.c_str(), "%dx%d%c", &w, &h, &tail) != 2 || w < 1 || h < 1 ||
                w > 16384 || h > 16384)
                return usageError("--host-size needs WIDTHxHEIGHT, for example 1280x800");
            options.hostWidth = w;
            options.hostHeight = h;
        } else if (arg == "--screenshot") {
            if (pendingShot)
                return usageError("--screenshot " + *pendingShot + " has no --at");
            if (!value(v) || v.empty())
                return usageError("--screenshot needs a file name");
            pendingShot = (cwd / v).lexically_normal().string();
        } else if (arg == "--at") {
            long ms = 0;
            if (!pendingShot)
                return usageError("--at must follow a --screenshot");
            if (!value(v) || !parseMs(v, ms))
                return usageError("--at needs a number of milliseconds");
            options.screenshots.push_back({*pendingShot, ms});
            pendingShot.reset();
        } else if (arg == "--duration") {
            long ms = 0;
            if (!value(v) || !parseMs(v, ms))
                return usageError("--duration needs a number of milliseconds");
            options.durationMs = ms;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usageError("unknown option " + arg);
        } else if (!options.program.empty()) {
            return usageError("more than one program file: " + options.program + ", " + arg);
        } else {
            options.program = arg;
        }
    }
    if (pendingShot)
        return usageError("--screenshot " + *pendingShot + " has no --at");
    if (options.program.empty())
        return usageError("no program file given");
    return 0;
}

// ---- The program file ----

// Reads and checks the outer shape; the calls themselves are checked one by one as they run.
int loadProgram(const std::string& path, json& calls)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        message("cannot read program file " + path + ": " + std::strerror(errno));
        return kExitProgram;
    }
    std::stringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        message("cannot read program file " + path);
        return kExitProgram;
    }
    json document;
    try {
        document = json::parse(text.str());
    } catch (const json::parse_error& e) {
        message("malformed JSON in " + path + ": " + e.what());
        return kExitProgram;
    }
    if (!document.is_object() || !document.contains("calls") || !document["calls"].is_array()) {
        message("malformed program " + path + ": expected an object with a \"calls\" array");
        return kExitProgram;
    }
    calls = document["calls"];
    return 0;
}

// ---- The library ----

class Library
{
public:
    bool open(const std::string& path)
    {
        handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle_) {
            const char* error = dlerror();
            message("cannot load the library: " + std::string(error ? error : path));
        }
        return handle_ != nullptr;
    }

    // Looks an export up once; null when the library lacks it.
    void* resolve(const std::string& name)
    {
        auto it = symbols_.find(name);
        if (it != symbols_.end())
            return it->second;
        dlerror();
        void* symbol = dlsym(handle_, name.c_str());
        symbols_[name] = symbol;
        return symbol;
    }

    template <typename F> F function(const std::string& name) { return reinterpret_cast<F>(resolve(name)); }

private:
    void* handle_ = nullptr; // never closed: the engine thread runs inside it until the process ends
    std::map<std::string, void*> symbols_;
};

// ---- X11: the host window and screenshots ----

int g_lastXError = 0;

int onXError(Display*, XErrorEvent* event)
{
    g_lastXError = event->error_code;
    return 0;
}

struct HostDisplay
{
    Display* display = nullptr;
    Window host = 0;
    Atom deleteWindow = 0;
    bool closed = false; // the user closed the host window
};

bool createHostWindow(HostDisplay& x, int width, int height)
{
    const int screen = DefaultScreen(x.display);
    x.host =
        XCreateSimpleWindow(x.display, RootWindow(x.display, screen), 0, 0, unsigned(width), unsigned(height),
                            0, BlackPixel(x.display, screen), BlackPixel(x.display, screen));
    if (!x.host)
        return false;
    XStoreName(x.display, x.host, "preview-player host");
    XClassHint classHint;
    char className[] = "preview-player";
    classHint.res_name = className;
    classHint.res_class = className;
    XSetClassHint(x.display, x.host, &classHint);
    XSizeHints* hints = XAllocSizeHints();
    if (hints) {
        hints->flags = PPosition | PSize;
        hints->x = 0;
        hints->y = 0;
        hints->width = width;
        hints->height = height;
        XSetWMNormalHints(x.display, x.host, hints);
        XFree(hints);
    }
    x.deleteWindow = XInternAtom(x.display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(x.display, x.host, &x.deleteWindow, 1);
    XSelectInput(x.display, x.host, StructureNotifyMask | ExposureMask);
    XMapWindow(x.display, x.host);
    XFlush(x.display);
    // Wait (briefly) until it is on screen, so the library embeds into a mapped window.
    const auto until = Clock::now() + std::chrono::seconds(3);
    while (Clock::now() < until) {
        XEvent event;
        if (XCheckTypedWindowEvent(x.display, x.host, MapNotify, &event))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    message("the host window was not mapped within 3 s; going on");
    return true;
}

void pumpEvents(HostDisplay& x)
{
    while (XPending(x.display) > 0) {
        XEvent event;
        XNextEvent(x.display, &event);
        if (event.type == ClientMessage && event.xclient.window == x.host &&
            Atom(event.xclient.data.l[0]) == x.deleteWindow)
            x.closed = true;
        else if (event.type == DestroyNotify && event.xdestroywindow.window == x.host)
            x.closed = true;
    }
}

int maskShift(unsigned long mask)
{
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

int maskBits(unsigned long mask)
{
    int bits = 0;
    for (; mask; mask >>= 1)
        bits += int(mask & 1);
    return bits;
}

// A colour channel of a pixel scaled to 0..255.
unsigned channel(unsigned long pixel, unsigned long mask)
{
    const int bits = maskBits(mask);
    if (!bits)
        return 0;
    const unsigned long value = (pixel & mask) >> maskShift(mask);
    const unsigned long max = (1ul << bits) - 1;
    return unsigned(value * 255 / max);
}

bool takeScreenshot(HostDisplay& x, Window target, const std::string& path, std::string& problem)
{
    XWindowAttributes attributes;
    g_lastXError = 0;
    if (!XGetWindowAttributes(x.display, target, &attributes) || attributes.width < 1 ||
        attributes.height < 1) {
        problem = "cannot read the window's size";
        return false;
    }
    XImage* image = XGetImage(x.display, target, 0, 0, unsigned(attributes.width),
                              unsigned(attributes.height), AllPlanes, ZPixmap);
    XSync(x.display, False);
    if (!image) {
        problem = "XGetImage failed (X error " + std::to_string(g_lastXError) + ")";
        return false;
    }
    const int width = image->width;
    const int height = image->height;
    QImage out(width, height, QImage::Format_RGB32);
    const bool direct = image->bits_per_pixel == 32 && image->byte_order == LSBFirst &&
                        image->red_mask == 0xff0000 && image->green_mask == 0xff00 &&
                        image->blue_mask == 0xff;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(out.scanLine(y));
        if (direct) {
            const auto* source =
                reinterpret_cast<const uint32_t*>(image->data + size_t(y) * image->bytes_per_line);
            for (int px = 0; px < width; ++px)
                row[px] = 0xff000000u | (source[px] & 0xffffffu);
        } else {
            for (int px = 0; px < width; ++px) {
                const unsigned long pixel = XGetPixel(image, px, y);
                row[px] = 0xff000000u | (channel(pixel, image->red_mask) << 16) |
                          (channel(pixel, image->green_mask) << 8) | channel(pixel, image->blue_mask);
            }
        }
    }
    XDestroyImage(image);

    std::error_code ignored;
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty())
        std::filesystem::create_directories(parent, ignored);
    if (!out.save(QFile::decodeName(path.c_str()), "PNG")) {
        problem = "cannot write " + path;
        return false;
    }
    return true;
}

// ---- Signals ----

volatile sig_atomic_t g_signal = 0;

void onSignal(int sig)
{
    g_signal = sig;
}

void installSignalHandlers()
{
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

std::string makeRunningPath()
{
    char pattern[] = "/tmp/preview-player-XXXXXX";
    if (!mkdtemp(pattern))
        return "/tmp";
    return pattern;
}

// ---- Replaying the program ----

// One argument converted to the export's parameter type.
struct Argument
{
    std::optional<std::string> text; // S; empty optional: NULL
    int i = 0;                       // I
    float f = 0;                     // F
    bool b = false;                  // B
    int64_t l = 0;                   // L

    const char* s() const { return text ? text->c_str() : nullptr; }
};

// The run's timeline on the main thread: the host window's events, the screenshots that are due, the
// signals and the end of the run. The player calls tick() between calls and while it waits.
class Session
{
public:
    Session(const Options& options, HostDisplay& x) : options_(options), x_(x) {}

    void markStarted()
    {
        started_ = true;
        startedAt_ = Clock::now();
    }

    void markFinished()
    {
        finished_ = true;
        finishedAt_ = Clock::now();
        tick();
    }

    bool stopping() const { return stop_; }
    int exitCode() const { return exitCode_; }

    // Waits until the given time (or, without one, until the run ends), ticking; false when the run
    // ends first.
    bool waitUntil(std::optional<Clock::time_point> until)
    {
        for (;;) {
            tick();
            if (stop_)
                return false;
            const auto now = Clock::now();
            if (until && now >= *until)
                return true;
            auto step = std::chrono::duration_cast<Clock::duration>(std::chrono::milliseconds(5));
            if (until)
                step = std::min(step, *until - now);
            std::this_thread::sleep_for(step);
        }
    }

    void tick()
    {
        if (stop_)
            return;
        if (x_.display)
            pumpEvents(x_);
        if (g_signal) {
            message(std::string("stopping on ") + (g_signal == SIGINT ? "SIGINT" : "SIGTERM"));
            stop_ = true;
            return;
        }
        if (x_.closed) {
            message("the host window was closed");
            stop_ = true;
            return;
        }
        const auto now = Clock::now();
        while (started_ && nextShot_ < options_.screenshots.size() &&
               now >= startedAt_ + std::chrono::milliseconds(options_.screenshots[nextShot_].atMs)) {
            const Screenshot& shot = options_.screenshots[nextShot_++];
            const Window target = options_.embed ? x_.host : DefaultRootWindow(x_.display);
            std::string problem;
            if (takeScreenshot(x_, target, shot.path, problem)) {
                emitJson(json{{"screenshot", shot.path}});
            } else {
                message("screenshot " + shot.path + ": " + problem);
                exitCode_ = kExitScreenshotFailed;
            }
        }
        // The run ends when every requested end is reached: the last screenshot, the duration after the
        // calls. With neither, it runs until a signal.
        const bool shotsDone = !options_.screenshots.empty() && nextShot_ == options_.screenshots.size();
        const bool durationDone = options_.durationMs && finished_ &&
                                  now >= finishedAt_ + std::chrono::milliseconds(*options_.durationMs);
        if ((options_.screenshots.empty() || shotsDone) && (!options_.durationMs || durationDone) &&
            (shotsDone || durationDone))
            stop_ = true;
    }

private:
    const Options& options_;
    HostDisplay& x_;
    bool stop_ = false;
    bool started_ = false; // the program's calls have started (after the start-up calls)
    bool finished_ = false;
    Clock::time_point startedAt_;
    Clock::time_point finishedAt_;
    size_t nextShot_ = 0;
    int exitCode_ = kExitOk;
};

class Player
{
public:
    Player(Library& library, const Options& options, const json& calls, void* hostWindow)
        : library_(library), options_(options), calls_(calls), hostWindow_(hostWindow)
    {}

    // Start-up calls, the program, then - once the run ends - the shutdown calls, all on the calling
    // thread, so the library carries them out in order.
    void run(Session& session)
    {
        library_.function<bool (*)(void*, void*)>("initPreview")(nullptr, hostWindow_);
        library_.function<void (*)(const char*)>("setRunningPath")(options_.runningPath.c_str());
        for (const char* setter : kSetters)
            library_.function<int (*)(Callback)>(setter)(playerCallback(setter));
        session.markStarted();
        for (size_t i = 0; i < calls_.size(); ++i) {
            session.tick();
            if (session.stopping())
                break;
            runStep(i + 1, calls_[i], session);
        }
        session.markFinished();
        session.waitUntil(std::nullopt);
        // No more callbacks while the process ends, then stop the engine's event loop.
        for (const char* setter : kSetters)
            library_.function<int (*)(Callback)>(setter)(nullptr);
        library_.function<int (*)()>("quit")();
    }

private:
    void error(size_t index, const std::string& name, const std::string& text)
    {
        message("call " + std::to_string(index) + (name.empty() ? "" : " (" + name + ")") + ": " + text +
                "; skipped");
    }

    // Converts a JSON argument to parameter type letter; returns an error text or "".
    std::string convert(const json& value, char letter, Argument& out)
    {
        switch (letter) {
        case 'S':
            if (value.is_null()) {
                out.text.reset();
                return "";
            }
            if (!value.is_string())
                return "a string (or null)";
            {
                const std::string& s = value.get_ref<const std::string&>();
                if (s.rfind("$$", 0) == 0) {
                    out.text = s.substr(1);
                } else if (!s.empty() && s[0] == '$') {
                    auto it = bindings_.find(s.substr(1));
                    if (it == bindings_.end())
                        return "a bound name, but " + s + " was not bound by an earlier \"as\"";
                    out.text = it->second;
                } else {
                    out.text = s;
                }
            }
            return "";
        case 'F':
            if (!value.is_number())
                return "a number";
            out.f = value.get<float>();
            return "";
        case 'I':
        case 'L': {
            if (!value.is_number())
                return "an integer";
            const double d = value.get<double>();
            const double low = letter == 'I' ? std::numeric_limits<int>::min() : -9.2233720368547758e18;
            const double high = letter == 'I' ? std::numeric_limits<int>::max() : 9.2233720368547758e18;
            if (value.is_number_float() && (std::floor(d) != d || d < low || d >= high))
                return "an integer";
            if (value.is_number_unsigned() && value.get<uint64_t>() > uint64_t(high - 1))
                return "an integer in range";
            if (value.is_number_integer() && !value.is_number_unsigned() &&
                (value.get<int64_t>() < low || (letter == 'I' && value.get<int64_t>() > high)))
                return "an integer in range";
            if (letter == 'I')
                out.i = value.is_number_float() ? int(d) : int(value.get<int64_t>());
            else
                out.l = value.is_number_float() ? int64_t(d) : value.get<int64_t>();
            return "";
        }
        case 'B':
            if (!value.is_boolean())
                return "true or false";
            out.b = value.get<bool>();
            return "";
        }
        return "a value of an unknown type";
    }

    static std::string show(const Argument& a, char letter)
    {
        switch (letter) {
        case 'S':
            return a.text ? json(*a.text).dump(-1, ' ', false, json::error_handler_t::replace) : "NULL";
        case 'I':
            return std::to_string(a.i);
        case 'F': {
            std::ostringstream text;
            text << a.f;
            return text.str();
        }
        case 'B':
            return a.b ? "true" : "false";
        case 'L':
            return std::to_string(a.l);
        }
        return "?";
    }

    void runStep(size_t index, const json& step, Session& session)
    {
        if (!step.is_object() || !step.contains("call") || !step["call"].is_string()) {
            error(index, "", "expected an object with a \"call\" name");
            return;
        }
        const std::string name = step["call"].get<std::string>();
        if (name == "sleep") {
            const json ms = step.value("ms", json());
            if (!ms.is_number() || ms.get<double>() < 0 || ms.get<double>() > 1e9) {
                error(index, name, "\"ms\" must be a number of milliseconds");
                return;
            }
            if (options_.verbose)
                message("call " + std::to_string(index) + ": sleep " + std::to_string(ms.get<long>()) +
                        " ms");
            session.waitUntil(Clock::now() + std::chrono::milliseconds(ms.get<long>()));
            return;
        }
        auto found = exportTable().find(name);
        if (found == exportTable().end()) {
            error(index, name, "unknown export \"" + name + "\"");
            return;
        }
        const Kind kind = found->second;
        const json args = step.value("args", json::array());
        if (!args.is_array()) {
            error(index, name, "\"args\" must be an array");
            return;
        }
        std::optional<std::string> as;
        if (step.contains("as")) {
            if (!step["as"].is_string() || step["as"].get<std::string>().empty()) {
                error(index, name, "\"as\" must be a non-empty name");
                return;
            }
            if (!returnsText(kind))
                message("call " + std::to_string(index) + " (" + name + "): \"as\" ignored, " + name +
                        " returns no identifier");
            else
                as = step["as"].get<std::string>();
        }

        if (kind == Kind::C || kind == Kind::B_PP) {
            runSetterOrInit(index, name, kind, args);
            return;
        }

        const std::string letters = parameters(kind);
        if (args.size() != letters.size()) {
            error(index, name,
                  "expects " + std::to_string(letters.size()) + " argument" +
                      (letters.size() == 1 ? "" : "s") + " " + describeParameters(letters.c_str()) +
                      ", got " + std::to_string(args.size()));
            return;
        }
        std::vector<Argument> a(letters.size());
        for (size_t k = 0; k < letters.size(); ++k) {
            const std::string problem = convert(args[k], letters[k], a[k]);
            if (!problem.empty()) {
                error(index, name,
                      "argument " + std::to_string(k + 1) + " must be " + problem + " (parameters " +
                          describeParameters(letters.c_str()) + "), got " +
                          args[k].dump(-1, ' ', false, json::error_handler_t::replace));
                return;
            }
        }

        void* symbol = library_.resolve(name);
        if (!symbol) { // resolved before start; kept for safety
            error(index, name, "the library does not export it");
            return;
        }
        int result = 0;
        bool hasResult = true;
        std::optional<std::string> text;
        auto textResult = [&](const char* r) {
            hasResult = false;
            if (r)
                text = r;
        };
        switch (kind) {
        case Kind::V:
            result = reinterpret_cast<int (*)()>(symbol)();
            break;
        case Kind::VoidV:
            reinterpret_cast<void (*)()>(symbol)();
            hasResult = false;
            break;
        case Kind::RV:
            textResult(reinterpret_cast<const char* (*)()>(symbol)());
            break;
        case Kind::S:
            result = reinterpret_cast<int (*)(const char*)>(symbol)(a[0].s());
            break;
        case Kind::VoidS:
            reinterpret_cast<void (*)(const char*)>(symbol)(a[0].s());
            hasResult = false;
            break;
        case Kind::RS:
            textResult(reinterpret_cast<const char* (*)(const char*)>(symbol)(a[0].s()));
            break;
        case Kind::SF:
            result = reinterpret_cast<int (*)(const char*, float)>(symbol)(a[0].s(), a[1].f);
            break;
        case Kind::SI:
            result = reinterpret_cast<int (*)(const char*, int)>(symbol)(a[0].s(), a[1].i);
            break;
        case Kind::SL:
            result = reinterpret_cast<int (*)(const char*, int64_t)>(symbol)(a[0].s(), a[1].l);
            break;
        case Kind::SB:
            result = reinterpret_cast<int (*)(const char*, bool)>(symbol)(a[0].s(), a[1].b);
            break;
        case Kind::SS:
            result = reinterpret_cast<int (*)(const char*, const char*)>(symbol)(a[0].s(), a[1].s());
            break;
        case Kind::SSB:
            result =
                reinterpret_cast<int (*)(const char*, const char*, bool)>(symbol)(a[0].s(), a[1].s(), a[2].b);
            break;
        case Kind::SIS:
            result =
                reinterpret_cast<int (*)(const char*, int, const char*)>(symbol)(a[0].s(), a[1].i, a[2].s());
            break;
        case Kind::SSI:
            result =
                reinterpret_cast<int (*)(const char*, const char*, int)>(symbol)(a[0].s(), a[1].s(), a[2].i);
            break;
        case Kind::I_SS:
            textResult(reinterpret_cast<const char* (*)(int, const char*, const char*)>(symbol)(
                a[0].i, a[1].s(), a[2].s()));
            break;
        case Kind::C:
        case Kind::B_PP:
            break;
        }

        std::string shown;
        if (options_.verbose) {
            std::string list;
            for (size_t k = 0; k < letters.size(); ++k)
                list += (k ? ", " : "") + show(a[k], letters[k]);
            shown = "call " + std::to_string(index) + ": " + name + "(" + list + ")";
        }
        if (returnsText(kind)) {
            if (options_.verbose)
                message(shown + " -> " + (text ? "\"" + *text + "\"" : std::string("NULL")));
            else if (!text)
                message("call " + std::to_string(index) + " (" + name + ") returned NULL");
            if (as) {
                bindings_[*as] = text;
                emitJson(json{{"bound", *as}, {"value", text ? json(*text) : json()}});
            }
        } else if (options_.verbose) {
            message(shown + (hasResult ? " -> " + std::to_string(result) : ""));
        } else if (hasResult && result != 0) {
            message("call " + std::to_string(index) + " (" + name + ") returned " + std::to_string(result));
        }
    }

    // The callback setters take no argument (the player's own printing callback) or null (switch it off);
    // initPreview takes no argument and is called again with the player's host window.
    void runSetterOrInit(size_t index, const std::string& name, Kind kind, const json& args)
    {
        if (kind == Kind::B_PP) {
            if (!args.empty()) {
                error(index, name, "takes no arguments here (the player passes its own host window)");
                return;
            }
            library_.function<bool (*)(void*, void*)>(name)(nullptr, hostWindow_);
            if (options_.verbose)
                message("call " + std::to_string(index) + ": initPreview(NULL, host window)");
            return;
        }
        if (args.size() > 1 || (args.size() == 1 && !args[0].is_null())) {
            error(index, name, "takes no argument (the player's callback) or null (switch it off)");
            return;
        }
        const Callback callback = args.empty() ? playerCallback(name) : nullptr;
        const int result = library_.function<int (*)(Callback)>(name)(callback);
        if (options_.verbose || result != 0)
            message("call " + std::to_string(index) + ": " + name + "(" + (callback ? "callback" : "NULL") +
                    ") -> " + std::to_string(result));
    }

    Library& library_;
    const Options& options_;
    const json& calls_;
    void* hostWindow_;
    std::map<std::string, std::optional<std::string>> bindings_;
};

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (const int code = parseOptions(argc, argv, options); code != 0)
        return code < 0 ? kExitOk : code;
    // Before the library is loaded: from here on its console log goes to standard error.
    separateJsonOutput();

    json calls;
    if (const int code = loadProgram(options.program, calls); code != 0)
        return code;

    // Resolve every export the player and the program call before anything starts.
    Library library;
    if (!library.open(options.library))
        return kExitLibrary;
    std::vector<std::string> needed = {"initPreview", "setRunningPath", "quit"};
    needed.insert(needed.end(), std::begin(kSetters), std::end(kSetters));
    for (const json& step : calls)
        if (step.is_object() && step.contains("call") && step["call"].is_string() &&
            exportTable().count(step["call"].get<std::string>()))
            needed.push_back(step["call"].get<std::string>());
    std::vector<std::string> missing;
    for (const std::string& name : needed)
        if (!library.resolve(name) && std::find(missing.begin(), missing.end(), name) == missing.end())
            missing.push_back(name);
    if (!missing.empty()) {
        std::string list;
        for (const std::string& name : missing)
            list += (list.empty() ? "" : ", ") + name;
        message("the library " + options.library + " does not export: " + list);
        return kExitLibrary;
    }

    HostDisplay x;
    if (options.embed || !options.screenshots.empty()) {
        x.display = XOpenDisplay(nullptr);
        if (!x.display) {
            message("cannot open the X display (DISPLAY=" +
                    std::string(getenv("DISPLAY") ? getenv("DISPLAY") : "") +
                    "); --embed and --screenshot need one");
            return kExitUsage;
        }
        XSetErrorHandler(onXError);
        if (options.embed && !createHostWindow(x, options.hostWidth, options.hostHeight)) {
            message("cannot create the host window");
            return kExitUsage;
        }
    }

    if (options.runningPath.empty())
        options.runningPath = makeRunningPath();
    message("running path " + options.runningPath);

    installSignalHandlers();
    std::stable_sort(options.screenshots.begin(), options.screenshots.end(),
                     [](const Screenshot& a, const Screenshot& b) { return a.atMs < b.atMs; });

    void* hostWindow = options.embed ? reinterpret_cast<void*>(uintptr_t(x.host)) : nullptr;
    Player player(library, options, calls, hostWindow);
    Session session(options, x);
    player.run(session);

    // quit() only queues the request. The engine thread may still be building its Qt application when the
    // run is short, and static destructors running under it crash the process; so the process ends here
    // without them (and with the X connection still open until then). The player's output is flushed
    // first.
    std::fflush(g_jsonOut);
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(session.exitCode());
}
