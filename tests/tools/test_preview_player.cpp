// The demo host tools/preview-player, run as a child process on small program files: exit codes, error
// reports that let the rest of the program run, screenshots, and the JSON lines on standard output.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using json = nlohmann::json;

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty())
            result.push_back(line);
    return result;
}

struct PlayerRun
{
    int exitCode = -1; // -1: killed or timed out
    bool timedOut = false;
    std::string out;
    std::string err;
};

class PreviewPlayerTest : public testing::Test
{
protected:
    std::string path(const QString& name) const { return dir_.filePath(name).toStdString(); }

    std::string program(const QString& name, const char* text)
    {
        QFile file(dir_.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return file.fileName().toStdString();
    }

    // Runs the player with args; during (if given) is called every 10 ms with the child and its output
    // so far.
    PlayerRun run(const std::vector<std::string>& args,
                  const std::function<void(QProcess&, const std::string&)>& during = {})
    {
        QStringList list;
        for (const std::string& a : args)
            list << QString::fromStdString(a);
        QProcess player;
        player.start(QStringLiteral(PREVIEW_PLAYER_PATH), list);
        PlayerRun result;
        QElapsedTimer clock;
        clock.start();
        while (player.state() != QProcess::NotRunning && !player.waitForFinished(10)) {
            if (clock.elapsed() > 60000) {
                player.kill();
                player.waitForFinished();
                result.timedOut = true;
                break;
            }
            result.out += player.readAllStandardOutput().toStdString();
            result.err += player.readAllStandardError().toStdString();
            if (during)
                during(player, result.out);
        }
        result.out += player.readAllStandardOutput().toStdString();
        result.err += player.readAllStandardError().toStdString();
        if (!result.timedOut && player.exitStatus() == QProcess::NormalExit)
            result.exitCode = player.exitCode();
        return result;
    }

    std::vector<std::string> withRunningPath(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"--running-path", path("running")});
        return args;
    }

    QTemporaryDir dir_;
};

// Every line on standard output is one JSON object; callback lines name one of the six callbacks and
// carry a text.
void expectWellFormedOutput(const std::string& out)
{
    static const std::set<std::string> callbacks = {"widgetSelected", "rectChanged", "widgetDoubleClicked",
                                                    "keyChanged",     "fps",         "mouseWheel"};
    for (const std::string& line : lines(out)) {
        const json value = json::parse(line, nullptr, false);
        ASSERT_TRUE(value.is_object()) << line;
        if (value.contains("callback"))
            EXPECT_TRUE(value.size() == 2 && value["text"].is_string() && value["callback"].is_string() &&
                        callbacks.count(value["callback"].get<std::string>()))
                << line;
        else
            EXPECT_TRUE(value.contains("bound") || value.contains("screenshot")) << line;
    }
}

// The value bound to name by "as", from the {"bound":...} lines.
std::string boundValue(const std::string& out, const std::string& name)
{
    for (const std::string& line : lines(out)) {
        const json value = json::parse(line, nullptr, false);
        if (value.is_object() && value.value("bound", "") == name && value["value"].is_string())
            return value["value"].get<std::string>();
    }
    return "";
}

// The screen size as xdotool reports it; empty when xdotool is not there.
QSize screenSize()
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), {QStringLiteral("getdisplaygeometry")});
    const QStringList size =
        xdotool.waitForFinished() ? QString(xdotool.readAll()).split(' ') : QStringList();
    return size.size() == 2 ? QSize(size[0].toInt(), size[1].toInt()) : QSize();
}

const char* const kWindowProgram = R"({"calls": [
    {"call": "createWindow", "as": "win"},
    {"call": "setWindowWidth", "args": ["$win", 640]},
    {"call": "setWindowHeight", "args": ["$win", 360]},
    {"call": "setCanvasWidth", "args": ["$win", 1920]},
    {"call": "setCanvasHeight", "args": ["$win", 1080]},
    {"call": "setWindowBackColor", "args": ["$win", "#FF2A2A2A"]},
    {"call": "setWindowScale", "args": ["$win", 33]},
    {"call": "attachWindow", "args": ["$win"]},
    {"call": "sleep", "ms": 200}
]})";

// Programs that cannot run: exit code 4 (3 without the library, 2 for bad
// usage) and a line that says why, nothing on standard output; --help exits
// with 0.
TEST_F(PreviewPlayerTest, RefusedProgramsExitWithTheirCodeAndSayWhy)
{
    const std::string good = program("empty.json", "{\"calls\": []}");
    const struct
    {
        std::vector<std::string> args;
        int exitCode;
        std::vector<std::string> said;
    } cases[] = {
        {{program("broken.json", "{\"calls\": [ {\"call\": \"createWindow\" ]}")},
         4,
         {"malformed JSON", "parse error"}},
        {{program("nocalls.json", "{\"call\": \"createWindow\"}")}, 4, {"\"calls\""}},
        {{path("absent.json")}, 4, {"absent.json"}},
        {{"--library", path("libnothing.so"), good}, 3, {"libnothing.so"}},
        {{}, 2, {"--help"}},
        {{"--at", "100", good}, 2, {"--help"}},
        {{"--screenshot", path("x.png"), good}, 2, {"--help"}},
        {{"--duration", "soon", good}, 2, {"--help"}},
        {{"--no-such-option", good}, 2, {"--help"}},
    };
    for (const auto& c : cases) {
        const PlayerRun r = run(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        for (const std::string& said : c.said)
            EXPECT_NE(r.err.find(said), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    const PlayerRun help = run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("usage: preview-player"), std::string::npos);
}

TEST_F(PreviewPlayerTest, UnknownExportIsReportedAndTheRestRuns)
{
    const std::string unknown = program("unknown.json", R"({"calls": [
        {"call": "noSuchExport", "args": ["x", 1]},
        {"call": "createWindow", "as": "win"},
        {"call": "setWindowScale", "args": ["$win"]},
        {"call": "setWindowScale", "args": ["$win", "fifty"]},
        {"call": "setWindowScale", "args": ["$nobody", 50]},
        {"call": "setWindowScale", "args": ["$win", 50]},
        {"call": "createWidgetContainer", "args": ["{}"], "as": "box"},
        {"call": "setEmptyContainerText", "args": ["$box", "$$ literal"]},
        {"call": "sleep", "ms": 50}
    ]})");
    const PlayerRun r = run(withRunningPath({unknown, "--duration", "200"}));
    ASSERT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("unknown export \"noSuchExport\""), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("expects 2 arguments"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("must be an integer"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("$nobody"), std::string::npos) << r.err;
    // The calls after the refused ones ran: both creating calls bound an identifier.
    EXPECT_EQ(boundValue(r.out, "win").size(), 36u) << r.out;
    EXPECT_EQ(boundValue(r.out, "box").size(), 36u) << r.out;
    expectWellFormedOutput(r.out);
}

// Screenshots are PNGs of the screen, or of the host window when embedded,
// written in time order whatever the order of the options.
TEST_F(PreviewPlayerTest, ScreenshotsArePngsOfTheScreenOrTheHostWindow)
{
    const std::string window = program("window.json", kWindowProgram);
    const std::string first = path("shots/first.png"), second = path("second.png");
    for (bool embed : {false, true}) {
        SCOPED_TRACE(embed ? "embedded" : "screen");
        QFile::remove(QString::fromStdString(first));
        QFile::remove(QString::fromStdString(second));
        std::vector<std::string> args{window,         "--screenshot", second, "--at", "900",
                                      "--screenshot", first,          "--at", "400"};
        if (embed)
            args.insert(args.begin(), "--embed");
        const PlayerRun r = run(withRunningPath(args));
        ASSERT_FALSE(r.timedOut);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        const QSize screen = screenSize();
        for (const std::string& shot : {first, second}) {
            QImageReader png(QString::fromStdString(shot), "png");
            ASSERT_TRUE(png.canRead()) << "no PNG at " << shot << "\n" << r.err;
            EXPECT_EQ(png.size(), embed ? QSize(1280, 800) : screen);
        }
        const size_t firstAt = r.out.find(json{{"screenshot", first}}.dump());
        const size_t secondAt = r.out.find(json{{"screenshot", second}}.dump());
        ASSERT_NE(firstAt, std::string::npos) << r.out;
        ASSERT_NE(secondAt, std::string::npos) << r.out;
        EXPECT_LT(firstAt, secondAt);
        expectWellFormedOutput(r.out);
    }
}

TEST_F(PreviewPlayerTest, SigtermQuitsAndExitsWithZero)
{
    QElapsedTimer bound;
    bool sent = false;
    const PlayerRun r = run(withRunningPath({program("window.json", kWindowProgram)}),
                            [&](QProcess& player, const std::string& out) {
                                if (!bound.isValid() && out.find("\"bound\"") != std::string::npos)
                                    bound.start();
                                // A while after the window is made, the engine surely runs.
                                if (!sent && bound.isValid() && bound.elapsed() >= 300) {
                                    player.terminate();
                                    sent = true;
                                }
                            });
    ASSERT_TRUE(sent) << r.err;
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("SIGTERM"), std::string::npos) << r.err;
    expectWellFormedOutput(r.out);
}

} // namespace
