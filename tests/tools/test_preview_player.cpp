// The demo host tools/preview-player, run as a child process on small program files: exit codes, error
// reports that let the rest of the program run, screenshots, and the JSON lines on standard output.
// The tests that start the engine need an X display (the test runner provides one with xvfb-run).

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <signal.h>
#include <stdlib.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using json = nlohmann::json;

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const fs::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty())
            result.push_back(line);
    return result;
}

bool haveDisplay()
{
    const char* display = std::getenv("DISPLAY");
    return display && *display;
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
    void SetUp() override
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/preview-player-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }

    void TearDown() override
    {
        std::error_code ignored;
        if (!dir_.empty() && !HasFailure())
            fs::remove_all(dir_, ignored);
    }

    fs::path program(const std::string& name, const std::string& text)
    {
        const fs::path path = dir_ / name;
        writeFile(path, text);
        return path;
    }

    // Runs the player with args; during (if given) is called every 10 ms with the child's pid and its
    // output so far.
    PlayerRun run(const std::vector<std::string>& args, int timeoutMs = 60000,
                  const std::function<void(pid_t, const std::string&)>& during = {})
    {
        const fs::path outPath = dir_ / "stdout.txt";
        const fs::path errPath = dir_ / "stderr.txt";
        std::vector<std::string> all = {PREVIEW_PLAYER_PATH};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& a : all)
            argv.push_back(a.data());
        argv.push_back(nullptr);

        PlayerRun result;
        const pid_t pid = fork();
        if (pid < 0) {
            ADD_FAILURE() << "fork failed";
            return result;
        }
        if (pid == 0) {
            if (!std::freopen(outPath.c_str(), "w", stdout) || !std::freopen(errPath.c_str(), "w", stderr))
                _exit(126);
            execv(argv[0], argv.data());
            _exit(127);
        }
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        int status = 0;
        for (;;) {
            const pid_t done = waitpid(pid, &status, WNOHANG);
            if (done == pid)
                break;
            if (std::chrono::steady_clock::now() > until) {
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
                result.timedOut = true;
                break;
            }
            if (during)
                during(pid, readFile(outPath));
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (!result.timedOut && WIFEXITED(status))
            result.exitCode = WEXITSTATUS(status);
        result.out = readFile(outPath);
        result.err = readFile(errPath);
        return result;
    }

    std::vector<std::string> withRunningPath(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"--running-path", (dir_ / "running").string()});
        return args;
    }

    fs::path dir_;
};

// Every line on standard output is one JSON object; callback lines name one of the six callbacks and
// carry a text.
void expectWellFormedOutput(const std::string& out)
{
    static const std::set<std::string> callbacks = {"widgetSelected", "rectChanged", "widgetDoubleClicked",
                                                    "keyChanged",     "fps",         "mouseWheel"};
    for (const std::string& line : lines(out)) {
        json value;
        try {
            value = json::parse(line);
        } catch (const json::parse_error& e) {
            ADD_FAILURE() << "not JSON: " << line << " (" << e.what() << ")";
            continue;
        }
        ASSERT_TRUE(value.is_object()) << line;
        if (value.contains("callback")) {
            ASSERT_TRUE(value["callback"].is_string()) << line;
            EXPECT_TRUE(callbacks.count(value["callback"].get<std::string>())) << line;
            ASSERT_TRUE(value.contains("text")) << line;
            EXPECT_TRUE(value["text"].is_string()) << line;
            EXPECT_EQ(value.size(), 2u) << line;
        } else {
            EXPECT_TRUE(value.contains("bound") || value.contains("screenshot")) << line;
        }
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

struct PngSize
{
    bool valid = false;
    unsigned width = 0;
    unsigned height = 0;
};

PngSize pngSize(const fs::path& path)
{
    const std::string data = readFile(path);
    PngSize size;
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (data.size() < 24 || data.compare(0, 8, reinterpret_cast<const char*>(signature), 8) != 0 ||
        data.compare(12, 4, "IHDR") != 0)
        return size;
    auto be32 = [&](size_t at) {
        return (unsigned(static_cast<unsigned char>(data[at])) << 24) |
               (unsigned(static_cast<unsigned char>(data[at + 1])) << 16) |
               (unsigned(static_cast<unsigned char>(data[at + 2])) << 8) |
               unsigned(static_cast<unsigned char>(data[at + 3]));
    };
    size.valid = true;
    size.width = be32(16);
    size.height = be32(20);
    return size;
}

// The screen size as xdotool reports it; false when xdotool is not there.
bool screenSize(unsigned& width, unsigned& height)
{
    FILE* pipe = popen("xdotool getdisplaygeometry 2>/dev/null", "r");
    if (!pipe)
        return false;
    const int read = std::fscanf(pipe, "%u %u", &width, &height);
    return pclose(pipe) == 0 && read == 2;
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

// Programs that cannot run: exit code 4 (3 without the library) and a line
// that says why, nothing on standard output.
TEST_F(PreviewPlayerTest, RefusedProgramsExitWithTheirCodeAndSayWhy)
{
    const std::string good = program("empty.json", "{\"calls\": []}").string();
    const struct
    {
        std::vector<std::string> args;
        int exitCode;
        std::vector<std::string> said;
    } cases[] = {
        {{program("broken.json", "{\"calls\": [ {\"call\": \"createWindow\" ]}").string()},
         4,
         {"malformed JSON", "parse error"}},
        {{program("nocalls.json", "{\"call\": \"createWindow\"}").string()}, 4, {"\"calls\""}},
        {{(dir_ / "absent.json").string()}, 4, {"absent.json"}},
        {{"--library", (dir_ / "libnothing.so").string(), good}, 3, {"libnothing.so"}},
    };
    for (const auto& c : cases) {
        const PlayerRun r = run(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        for (const std::string& said : c.said)
            EXPECT_NE(r.err.find(said), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
}

TEST_F(PreviewPlayerTest, BadUsageExitsWithTwo)
{
    const std::string good = program("empty.json", "{\"calls\": []}").string();
    EXPECT_EQ(run({}).exitCode, 2);
    EXPECT_EQ(run({"--at", "100", good}).exitCode, 2);
    EXPECT_EQ(run({"--screenshot", (dir_ / "x.png").string(), good}).exitCode, 2);
    EXPECT_EQ(run({"--duration", "soon", good}).exitCode, 2);
    EXPECT_EQ(run({"--no-such-option", good}).exitCode, 2);
    const PlayerRun help = run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("usage: preview-player"), std::string::npos);
}

TEST_F(PreviewPlayerTest, UnknownExportIsReportedAndTheRestRuns)
{
    if (!haveDisplay())
        GTEST_SKIP() << "needs an X display";
    const fs::path path = program("unknown.json", R"({"calls": [
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
    const PlayerRun r = run(withRunningPath({path.string(), "--duration", "200"}));
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

TEST_F(PreviewPlayerTest, ScreenshotOfTheScreenIsAPngOfTheScreenSize)
{
    if (!haveDisplay())
        GTEST_SKIP() << "needs an X display";
    const fs::path shot = dir_ / "shots" / "screen.png";
    const PlayerRun r = run(withRunningPath(
        {program("window.json", kWindowProgram).string(), "--screenshot", shot.string(), "--at", "800"}));
    ASSERT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const PngSize size = pngSize(shot);
    ASSERT_TRUE(size.valid) << "no PNG at " << shot << "\n" << r.err;
    unsigned width = 0, height = 0;
    if (screenSize(width, height)) {
        EXPECT_EQ(size.width, width);
        EXPECT_EQ(size.height, height);
    } else {
        EXPECT_GT(size.width, 0u);
        EXPECT_GT(size.height, 0u);
    }
    EXPECT_NE(r.out.find(json{{"screenshot", shot.string()}}.dump()), std::string::npos) << r.out;
    expectWellFormedOutput(r.out);
}

TEST_F(PreviewPlayerTest, EmbeddedScreenshotsArePngsOfTheHostWindowSize)
{
    if (!haveDisplay())
        GTEST_SKIP() << "needs an X display";
    const fs::path first = dir_ / "first.png";
    const fs::path second = dir_ / "second.png";
    const PlayerRun r =
        run(withRunningPath({"--embed", program("window.json", kWindowProgram).string(), "--screenshot",
                             second.string(), "--at", "900", "--screenshot", first.string(), "--at", "400"}));
    ASSERT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    for (const fs::path& shot : {first, second}) {
        const PngSize size = pngSize(shot);
        ASSERT_TRUE(size.valid) << "no PNG at " << shot << "\n" << r.err;
        EXPECT_EQ(size.width, 1280u);
        EXPECT_EQ(size.height, 800u);
    }
    // Written in time order.
    const size_t firstAt = r.out.find(json{{"screenshot", first.string()}}.dump());
    const size_t secondAt = r.out.find(json{{"screenshot", second.string()}}.dump());
    ASSERT_NE(firstAt, std::string::npos) << r.out;
    ASSERT_NE(secondAt, std::string::npos) << r.out;
    EXPECT_LT(firstAt, secondAt);
    expectWellFormedOutput(r.out);
}

TEST_F(PreviewPlayerTest, SigtermQuitsAndExitsWithZero)
{
    if (!haveDisplay())
        GTEST_SKIP() << "needs an X display";
    bool sent = false;
    const PlayerRun r = run(withRunningPath({program("window.json", kWindowProgram).string()}), 60000,
                            [&](pid_t pid, const std::string& out) {
                                if (!sent && out.find("\"bound\"") != std::string::npos) {
                                    std::this_thread::sleep_for(std::chrono::milliseconds(300));
                                    kill(pid, SIGTERM);
                                    sent = true;
                                }
                            });
    ASSERT_TRUE(sent) << r.err;
    ASSERT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("SIGTERM"), std::string::npos) << r.err;
    expectWellFormedOutput(r.out);
}

} // namespace
