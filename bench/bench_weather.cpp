// The simple weather widget against the local weather service
// (tools/weather-service): the time from the service receiving a request to
// the answer's text on screen (the lines handed to the scene, and the first
// grabbed picture that shows them), and the requests that 20 setters in a
// row send. Run under Xvfb with QSG_RENDER_LOOP=basic and Mesa's software
// renderer.

#include "dorvo_preview.h"
#include "benchsupport.h"
#include "support/wait.h"
#include "support/weatherservice.h"

#include "core/src/enginehost.h"
#include "core/src/weatherclient.h"
#include "core/src/weatherwidget.h"
#include "core/src/window.h"
#include "qwinquickview/qwinquickview.h"

#include <QImage>
#include <QMetaObject>
#include <QQuickItem>
#include <QQuickView>

#include <sys/resource.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

using benchsupport::cpuPercent;

using Clock = std::chrono::steady_clock;
using testsupport::waitFor;

const char* g_win = nullptr;

void onQt(const std::function<void()>& fn)
{
    QMetaObject::invokeMethod(dorvo_preview::EngineHost::getWindow(g_win), fn, Qt::BlockingQueuedConnection);
}

// The widget's area of the window's picture.
QImage grabWidget(const std::string& id)
{
    QImage img;
    onQt([&] {
        auto* w = qobject_cast<dorvo_preview::Widget*>(dorvo_preview::EngineHost::getWidget(id));
        auto* window = qobject_cast<dorvo_preview::Window*>(dorvo_preview::EngineHost::getWindow(g_win));
        auto* frame = w ? qobject_cast<QQuickItem*>(w->item()) : nullptr;
        if (!frame || !window)
            return;
        const QRectF r = frame->mapRectToScene(QRectF(0, 0, frame->width(), frame->height()));
        img = window->view()->quickView()->grabWindow().copy(r.toAlignedRect());
    });
    return img;
}

int redPixels(const std::string& id)
{
    const QImage img = grabWidget(id);
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            n += c.red() > 160 && c.green() < 90 && c.blue() < 90;
        }
    return n;
}

QStringList lines(const std::string& id)
{
    QStringList out;
    onQt([&] {
        if (auto* w = qobject_cast<dorvo_preview::WeatherWidget*>(dorvo_preview::EngineHost::getWidget(id)))
            out = w->lines();
    });
    return out;
}

double ms(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

// Pixels of the widget brighter than the black canvas.
int litPixels(const std::string& id)
{
    const QImage img = grabWidget(id);
    int n = 0;
    for (int y = 0; y < img.height(); y += 2)
        for (int x = 0; x < img.width(); x += 2)
            n += img.pixelColor(x, y).lightness() > 40;
    return n;
}

// Frames the window swapped in ms milliseconds.
std::atomic<int> g_frames{0};
int framesIn(int ms)
{
    static bool connected = false;
    if (!connected) {
        connected = true;
        onQt([&] {
            auto* window = qobject_cast<dorvo_preview::Window*>(dorvo_preview::EngineHost::getWindow(g_win));
            QObject::connect(window->view()->quickView(), &QQuickWindow::frameSwapped, [] { ++g_frames; });
        });
    }
    const int f0 = g_frames;
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return g_frames - f0;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

} // namespace

int main()
{
    char dir[] = "/tmp/dorvo-bench-weather-XXXXXX";
    if (!mkdtemp(dir))
        return 1;
    testsupport::WeatherService service(WEATHER_SERVICE_PATH, dir);
    if (service.port() <= 0) {
        std::fprintf(stderr, "bench_weather: the weather service did not start\n");
        return 1;
    }
    setenv("DORVO_WEATHER_URL", service.address().c_str(), 1);
    initPreview(nullptr, nullptr);
    setRunningPath(dir);
    g_win = createWindow();
    setWindowWidth(g_win, 800);
    setWindowHeight(g_win, 600);
    setCanvasWidth(g_win, 800);
    setCanvasHeight(g_win, 600);
    setWindowBackColor(g_win, "#FF000000");
    attachWindow(g_win);
    waitFor([] { return dorvo_preview::EngineHost::getWindow(g_win) != nullptr; }, 15000);

    const std::string id = NWeather_createWidget();
    setWidgetX(id.c_str(), 0);
    setWidgetY(id.c_str(), 0);
    setWidgetWidth(id.c_str(), 400);
    setWidgetHeight(id.c_str(), 100);
    NWeather_setDisplay(id.c_str(), "$w");
    NWeather_setFontStyle(id.c_str(),
                          R"({"font":{"family":["DejaVu Sans"],"size":40},"textColor":"#FFFF0000"})");

    std::vector<double> toLines, toScreen;
    for (int i = 0; i < 10; ++i) {
        const std::string word = "W" + std::to_string(i);
        service.script(
            nlohmann::json{{"json", {{"message", "ok"}, {"weather", {{"weather", word}}}}}}.dump());
        // A blank answer first, so the picture holds no red before the timed answer.
        const size_t before = service.requests().size();
        NWeather_setCity(id.c_str(),
                         nlohmann::json{{"cityNewCode", "bench" + std::to_string(i)}}.dump().c_str());
        waitFor([&] { return service.requests().size() > before; }, 10000);
        const auto asked = Clock::now();
        waitFor([&] { return lines(id) == QStringList{QString::fromStdString(word)}; }, 10000);
        const auto shown = Clock::now();
        waitFor([&] { return redPixels(id) > 100; }, 10000);
        const auto drawn = Clock::now();
        toLines.push_back(ms(asked, shown));
        toScreen.push_back(ms(asked, drawn));
        service.script(R"({"body": ""})");
        NWeather_setCity(id.c_str(), R"({"cityNewCode": "blank"})");
        waitFor([&] { return redPixels(id) < 100 || lines(id).join("").startsWith("--"); }, 10000);
    }
    std::printf("weather answer to lines handed to the scene: median %.1f ms\n", median(toLines));
    std::printf("weather answer to text in a grabbed picture: median %.1f ms (includes the grab)\n",
                median(toScreen));

    quint64 sent0 = 0, sent1 = 0;
    onQt([&] { sent0 = dorvo_preview::WeatherClient::instance()->requestsSent(); });
    for (int i = 0; i < 20; ++i)
        NWeather_setDisplay(id.c_str(), ("$w #" + std::to_string(i)).c_str());
    waitFor([&] { return lines(id).join("").endsWith("#19"); }, 10000);
    onQt([&] { sent1 = dorvo_preview::WeatherClient::instance()->requestsSent(); });
    std::printf("requests sent by 20 setters in a row: %llu\n",
                static_cast<unsigned long long>(sent1 - sent0));

    // The panels: creation to the first picture with the answer, and the CPU
    // of a senior panel cycling two pages every second and with switch time 0.
    deleteWidget(id.c_str());
    service.script(nlohmann::json{
        {"json",
         {{"message", "ok"},
          {"weather",
           {{"weather", "Sunny"}, {"temp", 20}, {"code", "100"}, {"aqi", "40"}, {"airQuality", "good"}}}}}}
                       .dump());
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const double idle = cpuPercent(3000);
    const double idleFrames = framesIn(2000) / 2.0;
    for (const char* kind : {"base", "senior"}) {
        const auto t0 = Clock::now();
        const std::string panel =
            std::string(kind) == "base" ? NBaseWeather_createWidget() : NSeniorWeather_createWidget();
        setWidgetWidth(panel.c_str(), 400);
        setWidgetHeight(panel.c_str(), 480);
        if (std::string(kind) == "base") {
            NBaseWeather_setLocation(panel.c_str(), R"({"cityCode":"bench-panel"})");
        } else {
            NSeniorWeather_setLocation(panel.c_str(), R"({"cityCode":"bench-panel"})");
            NSeniorWeather_setPageSwitchTime(panel.c_str(), 1);
            NSeniorWeather_setComfortEnabled(panel.c_str(), false);
            NSeniorWeather_setSpeedAndPressureEnabled(panel.c_str(), false);
            NSeniorWeather_setSunriseAndSunsetEnabled(panel.c_str(), false);
        }
        waitFor([&] { return litPixels(panel) > 1000; }, 10000);
        std::printf("%s panel: creation to the first picture with the answer: %.1f ms (includes the grabs)\n",
                    kind, ms(t0, Clock::now()));
        if (std::string(kind) == "senior") {
            std::printf("CPU of a senior panel cycling pages every second: %.1f %% (idle canvas %.1f %%)\n",
                        cpuPercent(3000), idle);
            // A switch time of 0 keeps the first page: nothing runs between frames.
            NSeniorWeather_setPageSwitchTime(panel.c_str(), 0);
            waitFor([&] { return litPixels(panel) > 1000; }, 10000);
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            // The window's frame-rate meter keeps it drawing, so frames go on
            // either way; what the panel adds is the cost of drawing it.
            const double cpu = cpuPercent(3000);
            std::printf(
                "CPU of a senior panel with switch time 0: %.1f %% (idle canvas %.1f %%); window frames "
                "per second %.0f (idle canvas %.0f)\n",
                cpu, idle, framesIn(2000) / 2.0, idleFrames);
        }
        deleteWidget(panel.c_str());
    }
    quit();
    return 0;
}
