// Every string export of the message catalogue meets bad input through the
// public interface: text that is not UTF-8, JSON cut short, nested 10 000
// levels deep, numbers far out of range, a 1 MB string, NULL and an unknown
// widget. The host survives, each call logs at most one error line, and a
// widget whose field is not free text shows what it showed before.

#include "support/scenefixture.h"

#include <cstdlib>
#include <map>
#include <set>

namespace {

using testsupport::occurrences;
using testsupport::SceneFixture;
using testsupport::waitFor;
using testsupport::within;

using Setter = int (*)(const char*, const char*);

struct Row
{
    const char* exportName;
    const char* kind;
    const char* widgetClass;
    Setter setter;
};

// The catalogue's messages whose export takes (const char* id, const char* text).
const Row kRows[] = {
#define DP_MSG(number, Name, op, Sig, Kind, Class, Method) DP_SIG_##Sig(op, Kind, Class)
#define DP_SIG_SS(op, Kind, Class) {#op, #Kind, Class, &op},
#define DP_SIG_S(...)
#define DP_SIG_SB(...)
#define DP_SIG_SF(...)
#define DP_SIG_SI(...)
#define DP_SIG_SIS(...)
#define DP_SIG_SL(...)
#define DP_SIG_SSB(...)
#define DP_SIG_SSI(...)
#define DP_SIG_TSS(...)
#define DP_SIG_P(...)
#define DP_SIG_V(...)
#define DP_SIG_Create(...)
#define DP_SIG_Exec(...)
#define DP_SIG_Quit(...)
#include "channel/msgcatalogue.def"
#undef DP_MSG
    // One message carries the content of every family; each has its export.
    {"NText_setSource", "Family", "TextWidget", NText_setSource},
    {"NImage_setSource", "Family", "ImageWidget", NImage_setSource},
    {"NVideo_setSource", "Family", "VideoWidget", NVideo_setSource},
    {"NTable_setSource", "Family", "TableWidget", NTable_setSource},
    {"NBaseWeather_setSource", "Family", "TarroBaseWeatherWidget", NBaseWeather_setSource},
    {"NSeniorWeather_setSource", "Family", "TarroSeniorWeatherWidget", NSeniorWeather_setSource},
};

// Fields whose value is shown as it comes: repaired text or a 1 MB string
// legitimately changes the picture there.
const std::set<std::string> kFreeText = {
    "setEmptyContainerText",
    "NColorfulText_setText",
    "NDigitalClock_setDataTimeRegular",
    "NDigitalClock_setWeekTemplates",
    "NDigitalClock_setSuffixTemplates",
    "NRtMedia_setRegular",
    "NRtMedia_setRegularContents",
    "NWeather_setCustomContent",
    "NWeather_setCity",
    "NAnalogClock_setContent",
    "NTimer_setContent",
    "NDigitalClock_setZone",
    "NColorfulText_setFontFamily",
    "NRtMedia_setFontFamily",
};

// Families that move by themselves: their pictures are not compared.
const std::set<std::string> kMoving = {"ColorTextWidget",   "RtMediaWidget", "DigitalClockWidget",
                                       "AnalogClockWidget", "TimerWidget",   "TarroAnalogClockWidget",
                                       "WeatherWidget"};

using Create = const char* (*)();
const std::map<std::string, Create> kCreate = {
    {"TextWidget", NText_createWidget},
    {"ColorTextWidget", NColorfulText_createWidget},
    {"DigitalClockWidget", NDigitalClock_createWidget},
    {"AnalogClockWidget", NAnalogClock_createWidget},
    {"TimerWidget", NTimer_createWidget},
    {"ImageWidget", NImage_createWidget},
    {"ImageGroupWidget", NImageGroup_createWidget},
    {"RtMediaWidget", NRtMedia_createWidget},
    {"TableWidget", NTable_createWidget},
    {"TarroAnalogClockWidget", NTarroAnalogClock_createWidget},
    {"TarroBaseWeatherWidget", NBaseWeather_createWidget},
    {"TarroSeniorWeatherWidget", NSeniorWeather_createWidget},
    {"TarroCalendarWidget", NCalendar_createWidget},
    {"WeatherWidget", NWeather_createWidget},
    {"VideoWidget", NVideo_createWidget},
};

std::vector<std::string> badInputs()
{
    std::vector<std::string> out;
    out.push_back("\xff\xfe\xc3\x28 not UTF-8 {\"a\":\"\xe9\"}");
    out.push_back("{\"paragraphs\":[{\"lines\":[");
    out.push_back(std::string(10000, '[') + std::string(10000, ']'));
    out.push_back(R"({"fontSize":1e300,"size":-1e300,"zOrder":1e300,"duration":-1e300,"speed":1e300,)"
                  R"("width":18446744073709551615,"pixelSize":-2147483649})");
    out.push_back("[1e300,-1e300]");
    out.push_back(std::string(1 << 20, 'x'));
    out.push_back("");
    return out;
}

const char* kStaticText =
    R"({"paragraphs":[{"lines":[{"segs":[{"content":"Steady","attributeKey":"a"}]}]}],)"
    R"("textAttributes":[{"key":"a","attributes":{"textColor":"#FFFFFFFF","font":{"family":"DejaVu Sans","size":30}}}]})";

bool hasWhite(const QImage& img)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qRed(img.pixel(x, y)) > 200 && qGreen(img.pixel(x, y)) > 200 && qBlue(img.pixel(x, y)) > 200)
                return true;
    return false;
}

class BadInput : public SceneFixture
{
protected:
    static void SetUpTestSuite() { startEngine("/tmp/dorvo-badinput-XXXXXX"); }

    // Widgets of 140 x 70 on a grid of the 600 x 400 canvas, one per slot.
    const char* place(const char* id)
    {
        if (!id)
            return id;
        made.push_back(id);
        const int slot = static_cast<int>(made.size()) - 1;
        setWidgetX(id, static_cast<float>(5 + (slot % 4) * 150));
        setWidgetY(id, static_cast<float>(5 + (slot / 4) * 80));
        setWidgetWidth(id, 140);
        setWidgetHeight(id, 70);
        return id;
    }

    // Error lines logged since the last call (the log is read from where the
    // last call stopped: it grows by megabytes here).
    static size_t newErrorLines()
    {
        std::ifstream in(runningPath + "/log/preview/preview.log", std::ios::binary);
        in.seekg(0, std::ios::end);
        const std::streamoff end = in.tellg();
        if (end < logRead)
            logRead = 0; // rotated
        in.seekg(logRead);
        std::string text(static_cast<size_t>(end - logRead), '\0');
        in.read(&text[0], static_cast<std::streamsize>(text.size()));
        logRead = end;
        return occurrences(text, "] E [");
    }
    static inline std::streamoff logRead = 0;

    // The widget's picture once it has stopped changing (a new widget may
    // still be loading or ending its first-frame snapshot).
    static QImage settled(const std::string& id)
    {
        QImage last = grab(id);
        waitFor(
            [&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                QImage now = grab(id);
                const bool same = now == last;
                last = std::move(now);
                return same;
            },
            3000);
        return last;
    }
};

TEST_F(BadInput, EveryStringExportSurvivesAndKeepsThePicture)
{
    // The target of every row: the window, a container, or one widget of the
    // row's family (rows of every widget go to the text widget).
    struct Case
    {
        Row row;
        std::string target;
        bool compare; // the target's picture must not change
    };
    std::map<std::string, std::string> widgetOf; // family -> widget id
    std::string container;
    std::vector<Case> cases;
    for (const Row& row : kRows) {
        const std::string kind = row.kind;
        std::string family = row.widgetClass;
        std::string target;
        if (kind == "Window") {
            target = win;
        } else if (kind == "Container") {
            if (container.empty())
                container = place(createWidgetContainer(""));
            target = container;
        } else {
            if (kind == "Widget" || kind == "Special")
                family = "TextWidget";
            auto made = widgetOf.find(family);
            if (made == widgetOf.end()) {
                auto create = kCreate.find(family);
                ASSERT_NE(create, kCreate.end()) << family;
                const char* id = place(create->second());
                if (!id)
                    continue; // a family this build does not draw
                if (family == "TextWidget")
                    NText_setSource(id, kStaticText);
                made = widgetOf.emplace(family, id).first;
            }
            target = made->second;
        }
        const bool compare = kind != "Window" && kind != "Container" && !kFreeText.count(row.exportName) &&
                             !kMoving.count(family);
        cases.push_back({row, target, compare});
    }
    ASSERT_GE(cases.size(), 60u);
    flush();
    ASSERT_TRUE(waitFor([&] { return hasWhite(grab(widgetOf.at("TextWidget"))); }, 5000))
        << "the text never showed";

    // Fields that are not free text first: their widgets keep their pictures.
    std::map<std::string, QImage> before;
    for (const Case& c : cases)
        if (c.compare && !before.count(c.target))
            before[c.target] = settled(c.target);
    const std::vector<std::string> inputs = badInputs();
    auto send = [&](const Case& c) {
        SCOPED_TRACE(c.row.exportName);
        newErrorLines();
        for (const std::string& input : inputs)
            EXPECT_NE(c.row.setter(c.target.c_str(), input.c_str()), -1) << input.substr(0, 40);
        c.row.setter(c.target.c_str(), nullptr);
        c.row.setter("no-such-widget", "{}");
        // A free-text field lays the 1 MB text out for real: on a busy
        // machine that takes longer than an ordinary flush waits.
        EXPECT_TRUE(within(
            60000,
            [] {
                auto channel = dorvo_preview::EngineHost::instance()->getPlayChannel();
                return !channel || channel->control()->pending() == 0;
            },
            "the bad calls handled"));
        flush();
        // At most one line for each bad call, and one for each unusable
        // member of the record of huge numbers.
        EXPECT_LE(newErrorLines(), inputs.size() + 2 + 6);
    };
    for (const Case& c : cases)
        if (c.compare)
            send(c);
    for (const auto& [id, picture] : before) {
        const QImage after = grab(id);
        const bool same = testsupport::samePicture(after, picture);
        EXPECT_TRUE(same) << "the picture of widget " << id << " changed; see " << runningPath;
        if (!same) {
            picture.save(QString::fromStdString(runningPath + "/" + id + "-before.png"));
            after.save(QString::fromStdString(runningPath + "/" + id + "-after.png"));
        }
    }
    for (const Case& c : cases)
        if (!c.compare)
            send(c);
    // The engine still answers.
    setWidgetX(widgetOf.at("TextWidget").c_str(), 6);
    flush();
}

} // namespace
