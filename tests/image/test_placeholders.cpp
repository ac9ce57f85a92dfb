// The web-page, RSS, stream and HDMI-input placeholders on screen: each shows
// its own icon on a neutral fill, answers clicks and drags with the usual
// callbacks, and its setPic call changes nothing.

#include "picturefiles.h"
#include "widgetfixture.h"

#include "core/src/widgetfactory.h"

#include <array>

using namespace testsupport;

namespace {

struct Kind
{
    const char* name;
    const char* (*create)();
    int (*setPic)(const char*, const char*);
};

const Kind kKinds[] = {
    {"web page", NHtml_createWidget, NHtml_setPic},
    {"RSS", NRss_createWidget, NRss_setPic},
    {"stream", NStreamMedia_createWidget, NStreamMedia_setPic},
    {"HDMI input", NHdmi_createWidget, NHdmi_setPic},
};

// The neutral fill behind the icons.
constexpr int kFillR = 0x3C, kFillG = 0x42, kFillB = 0x4B;
constexpr int kSide = 90, kGrid = 12;

class PlaceholderTest : public WidgetFixture
{
protected:
    static void SetUpTestSuite()
    {
        WidgetFixture::SetUpTestSuite();
        // The fixture's box answers to 20; the HDMI placeholder is wanted here.
        dorvo_preview::WidgetFactory::registerKind(kBoxType, {});
    }

    // A placeholder of kSide x kSide at canvas (x, y).
    std::string place(const Kind& kind, double x, double y)
    {
        const std::string id = keep(kind.create());
        setWidgetX(id.c_str(), static_cast<float>(x));
        setWidgetY(id.c_str(), static_cast<float>(y));
        setWidgetWidth(id.c_str(), kSide);
        setWidgetHeight(id.c_str(), kSide);
        flush();
        return id;
    }

    // Colours on a grid over the placeholder at canvas (x, y).
    static std::array<Rgb, kGrid * kGrid> look(double x, double y)
    {
        std::array<Rgb, kGrid * kGrid> out;
        for (int j = 0; j < kGrid; ++j)
            for (int i = 0; i < kGrid; ++i)
                out[j * kGrid + i] = screen->pixel(sx(x + 4 + i * (kSide - 8) / (kGrid - 1)),
                                                   sy(y + 4 + j * (kSide - 8) / (kGrid - 1)));
        return out;
    }

    static int differences(const std::array<Rgb, kGrid * kGrid>& a, const std::array<Rgb, kGrid * kGrid>& b)
    {
        int n = 0;
        for (size_t i = 0; i < a.size(); ++i)
            n += a[i].near(b[i].r, b[i].g, b[i].b, 24) ? 0 : 1;
        return n;
    }

    static int fillCount(const std::array<Rgb, kGrid * kGrid>& a)
    {
        int n = 0;
        for (const Rgb& p : a)
            n += p.near(kFillR, kFillG, kFillB) ? 1 : 0;
        return n;
    }
};

} // namespace

TEST_F(PlaceholderTest, EachKindShowsItsOwnIconAndSetPicChangesNothing)
{
    std::vector<std::array<Rgb, kGrid * kGrid>> looks;
    for (size_t k = 0; k < 4; ++k) {
        SCOPED_TRACE(kKinds[k].name);
        const double x = 5 + 100.0 * k, y = 100;
        const std::string id = place(kKinds[k], x, y);
        // The fill at the corners, the icon over part of the middle.
        ASSERT_TRUE(waitFor(
            [&] {
                const auto seen = look(x, y);
                const int fill = fillCount(seen);
                return fill > kGrid * kGrid / 3 && fill < kGrid * kGrid - 8;
            },
            5000))
            << "no icon on the neutral fill";
        looks.push_back(look(x, y));

        EXPECT_EQ(kKinds[k].setPic(id.c_str(), picturetest::files().halvesPng.c_str()), 0);
        flush();
        EXPECT_EQ(differences(look(x, y), looks.back()), 0) << "setPic changed the picture";
    }
    for (size_t a = 0; a < looks.size(); ++a)
        for (size_t b = a + 1; b < looks.size(); ++b)
            EXPECT_GT(differences(looks[a], looks[b]), 10)
                << kKinds[a].name << " looks like " << kKinds[b].name;
}

TEST_F(PlaceholderTest, ClicksSelectAndDragsMoveWithTheUsualCallbacks)
{
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        const std::string id = place(kind, 40, 40);
        ASSERT_TRUE(waitFor([&] { return fillCount(look(40, 40)) > 10; }, 5000));
        clearEvents();
        click(sx(85), sy(85));
        ASSERT_TRUE(waitFor([] { return !selected().empty(); }, 3000));
        EXPECT_EQ(selected().back(), id);

        clearEvents();
        drag(sx(85), sy(85), 30, 20);
        ASSERT_TRUE(waitFor([] { return !rects().empty() && !parseRect(rects().back()).drag; }, 3000));
        const Rect last = parseRect(rects().back());
        EXPECT_EQ(last.id, id);
        EXPECT_DOUBLE_EQ(last.x, 70);
        EXPECT_DOUBLE_EQ(last.y, 60);
        EXPECT_TRUE(waitFor([&] { return fillCount(look(70, 60)) > 10; }, 3000)) << "not drawn where dropped";
        deleteWidget(id.c_str());
        made.pop_back();
        flush();
    }
}
