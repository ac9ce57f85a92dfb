// Table figures: the time a 200 x 10 table takes to build, the frame rate
// while it scrolls and the memory it takes. Run under Xvfb with
// QSG_RENDER_LOOP=basic.

#include "core/engine/qtengine.h"
#include "core/src/tableplan.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QTest>

#include <nlohmann/json.hpp>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>

namespace {

using nlohmann::json;

json content(int rows, int columns)
{
    json r = json::array(), c = json::array(), cells = json::array();
    for (int i = 0; i < rows; ++i)
        r.push_back({{"index", i}, {"height", 24}});
    for (int i = 0; i < columns; ++i)
        c.push_back({{"index", i}, {"width", 90}});
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < columns; ++j)
            cells.push_back({{"rowIndex", i},
                             {"colIndex", j},
                             {"content", "R" + std::to_string(i) + "C" + std::to_string(j)}});
    const json style = {{"horizontalAlignment", "CENTER"},
                        {"vertialAlignment", "CENTER"},
                        {"backgroundColor", "#ff202040"},
                        {"textColor", "#ffffffff"},
                        {"font", {{"family", {"DejaVu Sans"}}, {"size", 14}}}};
    return {{"ItemSource", ""},
            {"content",
             {{"displayStyle", {{"type", "SCROLL"}, {"scrollAttributes", {{"effects", {{"speed", 120}}}}}}},
              {"rows", r},
              {"columns", c},
              {"border", {{"color", "#ffff0000"}, {"style", "Solid"}}},
              {"textAttributes", json::array({style})},
              {"cells", cells}}}};
}

// Resident memory of the process in MiB.
double residentMiB()
{
    std::ifstream in("/proc/self/statm");
    long pages = 0, resident = 0;
    in >> pages >> resident;
    return resident * 4096.0 / (1024 * 1024);
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QSG_RENDER_LOOP", "basic", 0);
    setenv("QT_QPA_PLATFORM", "xcb", 0);
    QGuiApplication app(argc, argv);
    dorvo_preview::QtEngine::registerTypes();
    QQuickView view;
    view.resize(900, 400);
    view.setColor(Qt::black);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view))
        return 1;
    QTest::qWait(500);

    const double before = residentMiB();
    QElapsedTimer t;
    t.start();
    const dorvo_preview::TablePlan plan = dorvo_preview::TablePlan::read(content(200, 10));
    const double planMs = t.nsecsElapsed() / 1e6;
    QQmlComponent component(view.engine(), QUrl("qrc:/preview/qml/text/Table.qml"));
    std::unique_ptr<QQuickItem> table(
        qobject_cast<QQuickItem*>(component.beginCreate(view.engine()->rootContext())));
    if (!table) {
        std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
        return 1;
    }
    table->setParentItem(view.contentItem());
    component.completeCreate();
    table->setProperty("plan", plan.toVariant());
    int frames = 0;
    QObject::connect(&view, &QQuickWindow::frameSwapped, [&frames] { ++frames; });
    if (!QTest::qWaitFor([&] { return frames > 0; }, 10000))
        return 1;
    const double buildMs = t.nsecsElapsed() / 1e6;
    QTest::qWait(1000);
    const double after = residentMiB();
    frames = 0;
    QElapsedTimer f;
    f.start();
    QTest::qWait(5000);
    std::printf("200x10 table: read %.1f ms, built and first shown %.1f ms (aim <= 1000)\n", planMs, buildMs);
    std::printf("200x10 table scrolling in 900x400: %5.1f frames per second (aim >= 50)\n",
                frames * 1000.0 / f.elapsed());
    std::printf("200x10 table memory: %.1f MiB resident more (%.1f -> %.1f MiB)\n", after - before, before,
                after);
    return 0;
}
