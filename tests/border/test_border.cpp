// Widget borders through the exported functions, as a host drives them;
// pictures come from the window's own scene.

#include "support/scenefixture.h"

#include "core/src/nwquickitem/borderprovider.h"

#include <QDir>

using namespace testsupport;
using Clock = std::chrono::steady_clock;

namespace {

const QRgb kBack = qRgb(0, 255, 0);
const QRgb kFigure = qRgb(255, 0, 0);
const QRgb kDefaultBack = qRgb(0, 176, 240);
const QRgb kDefaultFigure = qRgb(192, 0, 0);

bool near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) < 40 && std::abs(qGreen(a) - qGreen(b)) < 40 &&
           std::abs(qBlue(a) - qBlue(b)) < 40;
}

int pngCount()
{
    return static_cast<int>(
        QDir(dorvo_preview::BorderProvider::imageDir()).entryList({"*.png"}, QDir::Files).size());
}

class BorderTest : public SceneFixture
{
protected:
    static void SetUpTestSuite() { startEngine("/tmp/dorvo-border-XXXXXX"); }

    // A border still shown when the engine quits leaves no folder behind.
    static void TearDownTestSuite()
    {
        const char* id = NImage_createWidget();
        setWidgetBorderType(id, 2, "");
        flush();
        EXPECT_TRUE(waitFor([] { return pngCount() == 4; }, 3000));
        const QString dir = dorvo_preview::BorderProvider::imageDir();
        SceneFixture::TearDownTestSuite();
        EXPECT_FALSE(QDir(dir).exists()) << dir.toStdString();
    }

    void SetUp() override
    {
        setWindowScale(win, 100);
        flush();
        ASSERT_TRUE(waitFor([] { return pngCount() == 0; }, 3000));
    }

    // A 100 x 100 empty picture widget at (20, 20) with a still square
    // border of width 10 in green with red figures.
    std::string make(bool colours = true)
    {
        const char* id = NImage_createWidget();
        place(id, 20, 20, 100, 100);
        setWidgetBorderScrollSpeed(id, 0);
        setWidgetBorderType(id, 4, "");
        if (colours) {
            setWidgetBorderBackColor(id, "#FF00FF00");
            setWidgetBorderGraColor(id, "#FFFF0000");
        }
        flush();
        return id ? id : "";
    }

    // x of the first rise from the back colour to the figure in the top
    // strip, right of the left strip, which covers the corner (the left
    // strip's back beside a top figure is no rise).
    static int phase(const QImage& image)
    {
        for (int x = 11; x < image.width(); ++x)
            if (near(image.pixel(x - 1, 5), kBack) && near(image.pixel(x, 5), kFigure))
                return x;
        return -1;
    }

    // The speed of the top strip's figures (signed px/s) from samples over at
    // least ms milliseconds. The figures repeat every 14 px, so a sample joins
    // the run of the one before only when the two are surely close enough in
    // time not to alias; a slow grab starts a new run. Each grab shows the
    // scene at some moment within its call, so a run's distance took between
    // the time from its first grab's end to its last grab's start and the
    // time from its first grab's start to its last grab's end. Whole runs are
    // summed, never picked by how fast their grabs were.
    static SpeedRange measuredSpeed(const std::string& id, int ms)
    {
        struct Sample
        {
            int phase;
            Clock::time_point start, end;
        };
        auto seconds = [](Clock::duration d) { return std::chrono::duration<double>(d).count(); };
        double moved = 0, shortest = 0, longest = 0;
        Sample first{}, last{-1, {}, {}};
        auto runShortest = [&] { return std::max(0.0, seconds(last.start - first.end)); };
        const auto deadline = Clock::now() + std::chrono::milliseconds(ms * 6);
        while ((shortest + runShortest()) * 1000 < ms && Clock::now() < deadline) {
            const auto start = Clock::now();
            const Sample s{phase(grab(id)), start, Clock::now()};
            if (s.phase < 0)
                continue;
            if (last.phase >= 0 && seconds(s.end - last.start) < 0.15) {
                int d = s.phase - last.phase;
                while (d > 7)
                    d -= 14;
                while (d < -7)
                    d += 14;
                moved += d;
            } else {
                shortest += runShortest();
                longest += seconds(last.end - first.start);
                first = s;
            }
            last = s;
        }
        shortest += runShortest();
        longest += seconds(last.end - first.start);
        EXPECT_GE(shortest * 1000, ms / 2) << "too few close samples";
        SpeedRange r;
        r.slowest = std::min(moved / longest, shortest > 0 ? moved / shortest : 0.0);
        r.fastest = std::max(moved / longest, shortest > 0 ? moved / shortest : 0.0);
        return r;
    }

    // Rows of the upper half at x in the colours set (or the default ones).
    static int borderRows(const QImage& image, int x, bool defaults = false)
    {
        int rows = 0;
        for (int y = 0; y < image.height() / 2; ++y)
            rows += near(image.pixel(x, y), defaults ? kDefaultBack : kBack) ||
                            near(image.pixel(x, y), defaults ? kDefaultFigure : kFigure)
                        ? 1
                        : 0;
        return rows;
    }
};

TEST_F(BorderTest, StripsRunAtTheSetSpeedAndAnticlockwiseReverses)
{
    const std::string id = make();
    setWidgetBorderScrollSpeed(id.c_str(), 30);
    flush();
    SpeedRange r = measuredSpeed(id, 2500);
    EXPECT_TRUE(r.near(30, 3)) << r.slowest << " to " << r.fastest << " px/s";
    setWidgetBorderDirection(id.c_str(), 1);
    flush();
    r = measuredSpeed(id, 2500);
    EXPECT_TRUE(r.near(-30, 3)) << r.slowest << " to " << r.fastest << " px/s";
}

// A type set after the colours brings back the default colours; type 0 and
// width 0 leave no border pixels (nor PNG files).
TEST_F(BorderTest, TypeRestoresTheDefaultColoursAndZeroLeavesNoBorder)
{
    const std::string id = make();
    ASSERT_TRUE(waitFor([&] { return borderRows(grab(id), 50) == 10; }, 5000));
    setWidgetBorderType(id.c_str(), 4, "");
    flush();
    auto defaults = [](QRgb p) { return near(p, kDefaultBack) || near(p, kDefaultFigure); };
    ASSERT_TRUE(waitFor([&] { return defaults(grab(id).pixel(50, 5)); }, 5000));
    const QImage image = grab(id);
    for (int x = 0; x < 100; ++x)
        ASSERT_TRUE(defaults(image.pixel(x, 5))) << x;
    setWidgetBorderType(id.c_str(), 0, "");
    flush();
    EXPECT_TRUE(waitFor([&] { return borderRows(grab(id), 50, true) == 0; }, 3000));
    setWidgetBorderType(id.c_str(), 4, "");
    setWidgetBorderBackColor(id.c_str(), "#FF00FF00");
    setWidgetBorderGraColor(id.c_str(), "#FFFF0000");
    flush();
    ASSERT_TRUE(waitFor([&] { return borderRows(grab(id), 50) == 10; }, 5000));
    setWidgetBorderWidth(id.c_str(), 0);
    flush();
    EXPECT_TRUE(waitFor([&] { return borderRows(grab(id), 50) == 0; }, 3000));
    EXPECT_TRUE(waitFor([] { return pngCount() == 0; }, 3000));
}

// A resize lays the strips out again; at 50 % zoom they stay ten pixels
// thick on screen. The PNG files behind the strips stay few and go with the
// widget.
TEST_F(BorderTest, ResizeZoomAndThePngFiles)
{
    const std::string id = make();
    setWidgetWidth(id.c_str(), 160);
    setWidgetHeight(id.c_str(), 130);
    flush();
    auto border = [](QRgb p) { return near(p, kBack) || near(p, kFigure); };
    EXPECT_TRUE(waitFor(
        [&] {
            const QImage image = grab(id);
            return image.width() >= 160 && image.height() >= 130 && border(image.pixel(155, 65)) &&
                   border(image.pixel(80, 125)) && !border(image.pixel(80, 65));
        },
        5000));
    setWindowScale(win, 50);
    flush();
    ASSERT_TRUE(waitFor([&] { return grab(id).width() <= 81; }, 3000));
    EXPECT_TRUE(waitFor([&] { return borderRows(grab(id), 40) == 10; }, 5000)) << borderRows(grab(id), 40);

    int most = 0;
    for (int i = 0; i < 100; ++i) {
        setWidgetBorderWidth(id.c_str(), 5 + i % 20);
        if (i % 10 == 0) {
            setWindowScale(win, 50 + i);
            flush();
            most = std::max(most, pngCount());
        }
    }
    flush();
    most = std::max(most, pngCount());
    EXPECT_LE(most, 8);
    deleteWidget(id.c_str());
    made.clear();
    flush();
    EXPECT_TRUE(waitFor([] { return pngCount() == 0; }, 3000)) << pngCount();
}

// Bad input is refused with a log line and changes nothing: the squares
// still repeat every fourteen pixels in the colours set.
TEST_F(BorderTest, BadInputChangesNothingAndSquaresRepeatEveryFourteenPixels)
{
    const std::string id = make();
    ASSERT_TRUE(waitFor([&] { return borderRows(grab(id), 50) == 10; }, 5000));
    const std::string before = logText();
    const char* const paths[] = {"", nullptr, "/no/such/picture.png", "\xff\xfe.png"};
    for (const char* path : paths)
        setWidgetBorderType(id.c_str(), 102, path);
    for (int type : {7, -1})
        setWidgetBorderType(id.c_str(), type, "");
    for (int width : {-1, 2000000000})
        setWidgetBorderWidth(id.c_str(), width);
    setWidgetBorderBackColor(id.c_str(), "");
    setWidgetBorderBackColor(id.c_str(), nullptr);
    setWidgetBorderGraColor(id.c_str(), "not a colour");
    setWidgetBorderScrollSpeed(id.c_str(), -1);
    setWidgetBorderScrollSpeed(id.c_str(), 100000);
    setWidgetBorderType("00000000-0000-4000-8000-000000000000", 4, "");
    flush();
    const std::string log = logText().substr(before.size());
    EXPECT_EQ(occurrences(log, "Widget::setBorderType error"), 6u);
    EXPECT_EQ(occurrences(log, "Widget::setBorderWidth error"), 2u);
    EXPECT_EQ(occurrences(log, "Widget::setBorderBackColor error"), 2u);
    EXPECT_EQ(occurrences(log, "Widget::setBorderGraColor error"), 1u);
    EXPECT_EQ(occurrences(log, "Widget::setBorderSpeed error"), 2u);
    EXPECT_EQ(occurrences(log, "Widget::updateBorder"), 0u);

    const QImage image = grab(id);
    std::vector<int> rises;
    for (int x = 1; x < image.width(); ++x) {
        const QRgb p = image.pixel(x, 5);
        ASSERT_TRUE(near(p, kBack) || near(p, kFigure)) << "x " << x;
        if (near(image.pixel(x - 1, 5), kBack) && near(p, kFigure))
            rises.push_back(x);
    }
    ASSERT_GE(rises.size(), 5u);
    for (size_t i = 1; i < rises.size(); ++i)
        EXPECT_EQ(rises[i] - rises[i - 1], 14);
    // Ten pixels of figure, four of gap.
    int figure = 0;
    for (int x = rises[0]; x < rises[0] + 14; ++x)
        figure += near(image.pixel(x, 5), kFigure) ? 1 : 0;
    EXPECT_NEAR(figure, 10, 1);
    // The strips are ten pixels thick, inside is the widget.
    EXPECT_EQ(borderRows(image, 50), 10);
}

TEST(BorderPaint, StylesGiveFourStripsOfTheThicknessAndRefusalsGiveNone)
{
    const QString picture = QDir::tempPath() + "/dorvo-border-test-picture.png";
    QImage source(30, 20, QImage::Format_RGB32);
    source.fill(Qt::magenta);
    ASSERT_TRUE(source.save(picture));
    std::vector<std::pair<QString, bool>> cases = {
        {R"({"style":102,"imagePath":")" + picture + R"("})", true},
        {R"({"style":102,"imagePath":"/no/such.png"})", false},
        {R"({"style":0})", false},
        {R"({"style":7})", false},
        {R"({"style":4,"backColor":"nonsense"})", false},
        {"[1,2", false},
        {"\"text\"", false},
    };
    for (int style = 1; style <= 5; ++style)
        cases.push_back(
            {QString(R"({"style":%1,"backColor":"#FF00FF00","graColor":"#FFFF0000"})").arg(style), true});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first.toStdString());
        dorvo_preview::BorderProvider::Strips strips;
        EXPECT_EQ(dorvo_preview::BorderProvider::paint(c.first, 112, 84, 2, 10, strips), c.second);
        if (!c.second)
            continue;
        EXPECT_EQ(strips.top.size(), QSize(112, 10));
        EXPECT_EQ(strips.bottom.size(), QSize(112, 10));
        EXPECT_EQ(strips.left.size(), QSize(10, 84));
        EXPECT_EQ(strips.right.size(), QSize(10, 84));
    }
    dorvo_preview::BorderProvider::Strips strips;
    const QString square = R"({"style":4})";
    EXPECT_FALSE(dorvo_preview::BorderProvider::paint(square, 100, 80, 2, 0, strips));
    EXPECT_FALSE(dorvo_preview::BorderProvider::paint(square, 0, 80, 2, 10, strips));
    EXPECT_FALSE(dorvo_preview::BorderProvider::paint(square, 100, 80, 2, 1000000, strips));
    QFile::remove(picture);
}

} // namespace
