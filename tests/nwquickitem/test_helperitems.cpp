// The native helper items of the scenes: picture-size probe, SVG painter,
// hard-edged text painter, the platform helper and the widget record.

#include "core/appcommon/widgetrecord.h"
#include "core/src/clocktext.h"
#include "core/src/nwquickitem/nwimagereader.h"
#include "core/src/nwquickitem/nwtext.h"
#include "core/src/nwquickitem/qmlcallqtcommon.h"
#include "core/src/nwquickitem/svgimage.h"
#include "support/qtapp.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace dorvo_preview;

namespace {

class HelperItems : public ::testing::Test
{
protected:
    void SetUp() override
    {
        testsupport::app<QGuiApplication>();
        ASSERT_TRUE(dir.isValid());
    }
    QString picture(const char* name, int w, int h)
    {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::red);
        EXPECT_TRUE(image.save(path));
        return path;
    }
    QString file(const QString& name, const QByteArray& bytes = "x")
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    QTemporaryDir dir;
};

} // namespace

// The picture's size covering the box; thin, corrupt and missing pictures
// are refused and leave the results as they were.
TEST_F(HelperItems, ImageReaderCoversTheBoxAndRefusesBadPictures)
{
    NWImageReader reader;
    reader.setSource(picture("wide.png", 400, 200));
    reader.setWidgetWidth(100);
    reader.setWidgetHeight(100);
    ASSERT_TRUE(reader.calPictureSize());
    EXPECT_EQ(reader.nWidth(), 200);
    EXPECT_EQ(reader.nHeight(), 100);
    // As a URL too.
    reader.setSource(QStringLiteral("file://") + picture("tall.png", 100, 400));
    ASSERT_TRUE(reader.calPictureSize());
    EXPECT_EQ(reader.nWidth(), 100);
    EXPECT_EQ(reader.nHeight(), 400);
    for (const QString& bad : {picture("line.png", 1, 500), file("garbage.png", "not a picture at all"),
                               dir.filePath("missing.png"), QString()}) {
        SCOPED_TRACE(bad.toStdString());
        reader.setSource(bad);
        EXPECT_FALSE(reader.calPictureSize());
        EXPECT_EQ(reader.nWidth(), 100) << "results unchanged";
        EXPECT_EQ(reader.nHeight(), 400);
    }
}

TEST_F(HelperItems, SvgIsFittedAndCentred)
{
    const QString path = file("wide.svg", "<svg xmlns='http://www.w3.org/2000/svg' width='200' height='100'>"
                                          "<rect width='200' height='100' fill='#00ff00'/></svg>");
    SvgImage item;
    item.setSize(QSizeF(100, 100));
    QImage image(100, 100, QImage::Format_ARGB32_Premultiplied);
    const auto paint = [&](const QString& source) {
        item.setSource(source);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        item.paint(&painter);
    };
    paint(path);
    // 200 x 100 fitted into 100 x 100: full width, 50 high, centred.
    EXPECT_EQ(image.pixelColor(50, 50), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(50, 20).alpha(), 0);
    EXPECT_EQ(image.pixelColor(50, 80).alpha(), 0);
    // An invalid drawing paints nothing.
    paint(file("broken.svg", "<svg"));
    EXPECT_EQ(image.pixelColor(50, 50).alpha(), 0);
}

// The hard-edged text over its background: transparent leaves what is
// behind, a colour fills the whole item; only text colour and background.
TEST_F(HelperItems, NWTextBackgroundAndHardEdges)
{
    const struct
    {
        const char* background;
        QRgb corner;
    } cases[] = {{"#00000000", qRgb(0, 0, 255)}, {"#ffff0000", qRgb(255, 0, 0)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.background);
        NWText text;
        text.setSize(QSizeF(200, 100));
        text.setNwWidth(200);
        text.setNwHeight(100);
        text.setNwTextFormat(NWText::RichText);
        text.setNwBackgroundColor(QString::fromLatin1(c.background));
        text.setNwText(QStringLiteral("<span style=\"color:#ffffff;font-size:20px\">Hi</span>"));
        // Painted as into the item's texture, then shown over blue.
        QImage texture(200, 100, QImage::Format_ARGB32_Premultiplied);
        texture.fill(Qt::transparent);
        QPainter painter(&texture);
        text.paint(&painter);
        painter.end();
        QImage image(200, 100, QImage::Format_RGB32);
        image.fill(qRgb(0, 0, 255));
        painter.begin(&image);
        painter.drawImage(0, 0, texture);
        painter.end();
        EXPECT_EQ(image.pixel(190, 90), c.corner);
        EXPECT_EQ(image.pixel(0, 0), c.corner);
        int ink = 0, other = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 200; ++x) {
                const QRgb p = image.pixel(x, y);
                ink += p == qRgb(255, 255, 255) ? 1 : 0;
                other += p != qRgb(255, 255, 255) && p != c.corner ? 1 : 0;
            }
        EXPECT_GT(ink, 10);
        EXPECT_EQ(other, 0);
    }
}

TEST_F(HelperItems, PlatformAnswersAndDeleteFiles)
{
    QmlCallQtCommon common;
    // deleteFiles removes the names containing the keyword.
    const QString folder = dir.path();
    file("xxabcxx.png");
    file("ab_c.png");
    EXPECT_TRUE(common.deleteFiles(folder, QStringLiteral("abc")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("xxabcxx.png")));
    EXPECT_FALSE(common.deleteFiles(dir.filePath("no-such-folder"), QStringLiteral("abc")));
    // An empty keyword would match every name: refused.
    EXPECT_FALSE(common.deleteFiles(folder, QString()));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("ab_c.png")));
    EXPECT_EQ(common.getFontName(QStringLiteral("FZKTJW")), QStringLiteral("FZKai-Z03S"));
    EXPECT_EQ(common.getFontName(QString::fromUtf8("等线 Light")), QStringLiteral("DengXian"));
    EXPECT_TRUE(common.getFontName(QStringLiteral("No Such Font")).isEmpty());
    // Daylight-saving time follows the zone's rules at the (pinned) instant.
    ClockText::setTestNow(QDateTime(QDate(2026, 1, 15), QTime(12, 0), Qt::UTC).toMSecsSinceEpoch());
    EXPECT_FALSE(common.isDstZone(QStringLiteral("Europe/Berlin")));
    ClockText::setTestNow(QDateTime(QDate(2026, 7, 15), QTime(12, 0), Qt::UTC).toMSecsSinceEpoch());
    EXPECT_TRUE(common.isDstZone(QStringLiteral("Europe/Berlin")));
    EXPECT_FALSE(common.isDstZone(QStringLiteral("Asia/Kolkata")));
    EXPECT_FALSE(common.isDstZone(QStringLiteral("No/Such_Zone")));
    ClockText::setTestNow(-1);
    const QString existing = file("here.txt");
    EXPECT_TRUE(common.isFileExist(existing));
    EXPECT_FALSE(common.isFileExist(dir.filePath("gone.txt")));
    EXPECT_FALSE(common.isFileExist(QString()));
    EXPECT_EQ(common.getFilePathByAllmediaPath(QStringLiteral("here.txt"),
                                               {QStringLiteral("/nonexistent"), dir.path()}),
              existing);
    EXPECT_TRUE(common.getFilePathByAllmediaPath(QStringLiteral("gone.txt"), {dir.path()}).isEmpty());
    QFont font(QStringLiteral("DejaVu Sans"));
    const QRectF small = common.getTextRect(font, QStringLiteral("Hello"), 10);
    const QRectF big = common.getTextRect(font, QStringLiteral("Hello"), 40);
    EXPECT_GT(big.width(), small.width() * 3);
    EXPECT_GT(big.height(), small.height() * 3);
    // RSS pages: always a JSON array of objects with htmltext, markup escaped.
    EXPECT_EQ(common.jsonToXml(QStringLiteral("a<b"), QString(), 10, 10),
              QStringLiteral("[{\"htmltext\":\"a&lt;b\"}]"));
}

TEST(WidgetRecord, RoundTripAndTolerantReading)
{
    ns::Widget w;
    w.id = "abc";
    w.type = "RICH_TEXT";
    w.zOrder = 3;
    w.layout = {10, 20, 300, 200};
    w.metadata["content"] = {{"k", 1}};
    const std::string text = w.toJson();
    EXPECT_EQ(text.find(' '), std::string::npos) << "compact";
    ns::Widget back;
    ASSERT_TRUE(ns::Widget::fromJson(text, back));
    EXPECT_EQ(back.id, "abc");
    EXPECT_EQ(back.zOrder, 3);
    EXPECT_DOUBLE_EQ(back.layout.width, 300);
    EXPECT_EQ(back.metadata["content"]["k"], 1);
    EXPECT_TRUE(back.fold.is_null());

    std::string reason;
    ns::Widget bad;
    EXPECT_FALSE(ns::Widget::fromJson("{oops", bad, &reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_FALSE(ns::Widget::fromJson("[1]", bad));
    // Wrong types keep the defaults.
    ASSERT_TRUE(
        ns::Widget::fromJson(R"({"id":5,"zOrder":"x","layout":{"x":"1","width":null},"metadata":[]})", bad));
    EXPECT_EQ(bad.id, "");
    EXPECT_EQ(bad.zOrder, 0);
    EXPECT_DOUBLE_EQ(bad.layout.x, 0);
    EXPECT_DOUBLE_EQ(bad.layout.width, 100);
    EXPECT_TRUE(bad.metadata.is_object());
}
