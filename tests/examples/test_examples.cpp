// The example programs under examples/, replayed by the demo host: every call is accepted, nothing is
// refused in the log, and every widget draws something; the media they name are made by
// scripts/demo-media.sh. Each content example of docs/formats.md is passed by some example.

#include "support/textfile.h"
#include "support/weatherservice.h"

#include <gtest/gtest.h>

#include <QImage>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using json = nlohmann::json;
using testsupport::readText;

const char* const kDemoMedia = "/tmp/dorvo_preview-demo";
// The error-level line the engine logs on every start; not a refusal.
const char* const kStartLine = "create QApplication::instance()";
// Apart by times that are not whole seconds, so that a blinking widget is seen in one of them.
const int kShotsAtMs[] = {2900, 5250, 7800};

std::vector<std::string> exampleNames()
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(EXAMPLES_DIR))
        if (entry.path().extension() == ".json")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct Rect
{
    double x = 0, y = 0, w = 0, h = 0;
};

// What the program puts on the screen: the first window's view and canvas, and the rectangles of the
// widgets placed on the canvas (members of a container share the container's rectangle).
struct Scene
{
    double viewX = 0, viewY = 0, viewW = 0, viewH = 0;
    double canvasW = 1920, canvasH = 1080, scale = 100;
    std::map<std::string, Rect> widgets; // by "as" name
    int lastSleepEndsMs = 0;
};

bool isCreating(const std::string& call)
{
    return call == "createWidget" || call == "createWidgetContainer" ||
           (call.size() > 13 && call.compare(call.size() - 13, 13, "_createWidget") == 0);
}

const std::map<std::string, double Scene::*> kWindowSetters = {
    {"setWindowX", &Scene::viewX},       {"setWindowY", &Scene::viewY},
    {"setWindowWidth", &Scene::viewW},   {"setWindowHeight", &Scene::viewH},
    {"setCanvasWidth", &Scene::canvasW}, {"setCanvasHeight", &Scene::canvasH},
    {"setWindowScale", &Scene::scale}};
const std::map<std::string, double Rect::*> kWidgetSetters = {{"setWidgetX", &Rect::x},
                                                              {"setWidgetY", &Rect::y},
                                                              {"setWidgetWidth", &Rect::w},
                                                              {"setWidgetHeight", &Rect::h}};

Scene sceneOf(const json& program)
{
    Scene scene;
    std::set<std::string> containers;
    std::string window;
    for (const json& c : program["calls"]) {
        const std::string call = c.value("call", "");
        const json args = c.value("args", json::array());
        const std::string name = c.value("as", "");
        const std::string target = !args.empty() && args[0].is_string() ? args[0].get<std::string>() : "";
        auto number = [&](size_t i) {
            return args.size() > i && args[i].is_number() ? args[i].get<double>() : 0;
        };
        if (call == "createWindow" && window.empty()) {
            window = "$" + name;
        } else if (isCreating(call) && !name.empty()) {
            std::string record;
            if (call == "createWidget") {
                if (args.size() > 1 && args[1].is_string() && containers.count(args[1].get<std::string>()))
                    continue; // a member: drawn in the container's rectangle
                record = args.size() > 2 && args[2].is_string() ? args[2].get<std::string>() : "";
            } else if (call == "createWidgetContainer") {
                containers.insert("$" + name);
                record = !args.empty() && args[0].is_string() ? args[0].get<std::string>() : "";
            }
            Rect rect;
            const json parsed = json::parse(record, nullptr, false);
            if (parsed.is_object() && parsed.contains("layout") && parsed["layout"].is_object()) {
                const json& l = parsed["layout"];
                rect = {l.value("x", 0.0), l.value("y", 0.0), l.value("width", 0.0), l.value("height", 0.0)};
            }
            scene.widgets["$" + name] = rect;
        } else if (call == "sleep") {
            scene.lastSleepEndsMs += c.value("ms", 0);
        } else if (target == window && kWindowSetters.count(call)) {
            scene.*kWindowSetters.at(call) = number(1);
        } else if (scene.widgets.count(target) && kWidgetSetters.count(call)) {
            scene.widgets[target].*kWidgetSetters.at(call) = number(1);
        }
    }
    return scene;
}

// The widget's rectangle on the host window's screenshot, shrunk by a tenth on each side so that the
// selection frame and rounding at the edges do not count.
QRect onScreen(const Scene& scene, const Rect& r)
{
    const double s = scene.scale / 100.0;
    const double offX = scene.viewX + std::max(0.0, (scene.viewW - scene.canvasW * s) / 2);
    const double offY = scene.viewY + std::max(0.0, (scene.viewH - scene.canvasH * s) / 2);
    const double x = offX + r.x * s, y = offY + r.y * s, w = r.w * s, h = r.h * s;
    return QRect(int(x + w / 10), int(y + h / 10), int(w * 0.8), int(h * 0.8));
}

// Something is drawn when the rectangle is not one flat colour (at least 0.2 % of its pixels differ
// from its most common colour), or is flat in another colour than the empty canvas.
bool drawsSomething(const QImage& shot, const QRect& rect, std::optional<QRgb> canvas)
{
    const QRect r = rect.intersected(shot.rect());
    if (r.width() < 4 || r.height() < 4)
        return false;
    std::map<QRgb, long> counts;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++counts[shot.pixel(x, y) & 0xFFFFFF];
    const auto most = std::max_element(counts.begin(), counts.end(),
                                       [](const auto& a, const auto& b) { return a.second < b.second; });
    const long all = long(r.width()) * r.height();
    return all - most->second >= std::max(1L, all / 500) || (canvas && most->first != *canvas);
}

// The colour of the empty canvas in a screenshot: a corner of the canvas that no widget covers.
std::optional<QRgb> canvasColour(const Scene& scene, const QImage& shot)
{
    const double w = scene.canvasW - 2, h = scene.canvasH - 2;
    for (const auto& [x, y] : {std::pair{1.0, 1.0}, {w, 1.0}, {1.0, h}, {w, h}}) {
        const bool covered = std::any_of(scene.widgets.begin(), scene.widgets.end(), [&](const auto& named) {
            const Rect& r = named.second;
            return x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
        });
        const QPoint at = onScreen(scene, Rect{x, y, 0, 0}).topLeft();
        if (!covered && shot.rect().contains(at))
            return shot.pixel(at) & 0xFFFFFF;
    }
    return std::nullopt;
}

const std::string& mediaDir()
{
    static const std::string dir = [] {
        const std::string command = std::string("bash '") + MEDIA_SCRIPT + "' '" + MEDIA_DIR + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return std::string(MEDIA_DIR);
    }();
    return dir;
}

class ExampleReplay : public testing::TestWithParam<std::string>
{};

TEST_P(ExampleReplay, EveryWidgetDrawsAndNothingIsRefused)
{
    if (!std::getenv("DISPLAY") || !*std::getenv("DISPLAY"))
        GTEST_SKIP() << "needs an X display";
    const fs::path work = fs::path(MEDIA_DIR).parent_path() / ("example-" + GetParam());
    fs::remove_all(work);
    fs::create_directories(work);

    std::string text = readText(fs::path(EXAMPLES_DIR) / (GetParam() + ".json"));
    for (size_t at = text.find(kDemoMedia); at != std::string::npos; at = text.find(kDemoMedia, at + 1))
        text.replace(at, std::string(kDemoMedia).size(), mediaDir());
    const json program = json::parse(text, nullptr, false);
    ASSERT_TRUE(program.is_object() && program.contains("calls")) << "malformed example";
    std::ofstream(work / "program.json") << text;
    const Scene scene = sceneOf(program);

    // The weather widgets are fed by the local weather service with a scripted day.
    testsupport::WeatherService weather(WEATHER_SERVICE_PATH, work.string());
    weather.script(R"({"json": {"message": "ok", "weather": {"weather": "Partly cloudy", "temp": 18.6, )"
                   R"("tempMin": 11, "tempMax": 22, "humidity": 56, "windDirection": "NE", "wind": "3", )"
                   R"("windSpeed": "14", "code": "101"}}})");
    std::string command = "DORVO_WEATHER_URL='" + weather.address() + "' timeout 120 '" +
                          PREVIEW_PLAYER_PATH + "' --embed --running-path '" + (work / "running").string() +
                          "'";
    for (size_t i = 0; i < std::size(kShotsAtMs); ++i)
        command += " --screenshot '" + (work / ("shot" + std::to_string(i) + ".png")).string() + "' --at " +
                   std::to_string(kShotsAtMs[i] + scene.lastSleepEndsMs);
    command += " '" + (work / "program.json").string() + "' >'" + (work / "out.txt").string() + "' 2>'" +
               (work / "err.txt").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command << "\n" << readText(work / "err.txt");

    // Every call made: no call the player could not make, no creating call that returned NULL.
    std::istringstream err(readText(work / "err.txt"));
    for (std::string line; std::getline(err, line);)
        EXPECT_EQ(line.rfind("preview-player: call ", 0), std::string::npos) << line;
    // No refusal in the library's log.
    std::istringstream log(readText(work / "running" / "log" / "preview" / "preview.log"));
    for (std::string line; std::getline(log, line);) {
        if (line.find("] E [") != std::string::npos) {
            EXPECT_NE(line.find(kStartLine), std::string::npos) << "refused: " << line;
        }
    }

    std::vector<QImage> shots;
    for (size_t i = 0; i < std::size(kShotsAtMs); ++i)
        ASSERT_FALSE(
            shots.emplace_back((work / ("shot" + std::to_string(i) + ".png")).string().c_str()).isNull())
            << "screenshot " << i << " missing";
    for (const auto& [name, rect] : scene.widgets) {
        const QRect area = onScreen(scene, rect);
        const bool drawn = std::any_of(shots.begin(), shots.end(), [&](const QImage& shot) {
            return drawsSomething(shot, area, canvasColour(scene, shot));
        });
        EXPECT_TRUE(drawn) << name << " draws nothing at " << area.x() << "," << area.y() << " "
                           << area.width() << "x" << area.height() << " (screenshots in " << work << ")";
    }
    if (!HasFailure())
        fs::remove_all(work);
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleReplay, testing::ValuesIn(exampleNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

// Each content example of the formats document (a ```json block) is passed, as the same JSON, by some
// call of some example program; a block that is a program of calls has each of its calls in some example.
TEST(FormatsDocument, EveryContentExampleIsReplayed)
{
    const std::string doc = readText(FORMATS_DOC);
    ASSERT_FALSE(doc.empty()) << FORMATS_DOC;
    std::vector<json> passed, calls;
    for (const std::string& name : exampleNames()) {
        const json program = json::parse(readText(fs::path(EXAMPLES_DIR) / (name + ".json")), nullptr, false);
        if (!program.is_object() || !program.contains("calls"))
            continue;
        for (const json& c : program["calls"]) {
            calls.push_back(c);
            for (const json& arg : c.value("args", json::array()))
                if (arg.is_string())
                    passed.push_back(json::parse(arg.get<std::string>(), nullptr, false));
        }
    }
    int blocks = 0;
    for (size_t at = doc.find("```json\n"); at != std::string::npos; at = doc.find("```json\n", at + 1)) {
        const size_t start = at + 8;
        const size_t end = doc.find("```", start);
        ASSERT_NE(end, std::string::npos);
        const std::string block = doc.substr(start, end - start);
        const json value = json::parse(block, nullptr, false);
        ++blocks;
        ASSERT_FALSE(value.is_discarded()) << "not JSON:\n" << block;
        if (value.is_object() && value.contains("calls") && value["calls"].is_array()) {
            for (const json& c : value["calls"])
                EXPECT_NE(std::find(calls.begin(), calls.end(), c), calls.end())
                    << "no example makes this call:\n"
                    << c.dump();
            continue;
        }
        EXPECT_NE(std::find(passed.begin(), passed.end(), value), passed.end())
            << "no example passes this content:\n"
            << block;
    }
    EXPECT_GT(blocks, 0);
}

} // namespace
