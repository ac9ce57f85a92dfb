// Host paths become URLs for QML, and the picture kind follows the file's
// suffix: pure functions, checked from tables.

#include "core/src/imagewidget.h"
#include "utils/hosturl.h"

#include <QDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <string>

using dorvo_preview::hostPathToUrl;
using dorvo_preview::ImageWidget;
using dorvo_preview::urlToHostPath;

TEST(HostPathToUrl, LocalPathsBecomeFileUrlsAndUrlsPassUnchanged)
{
    struct Case
    {
        const char* path;
        const char* url;
    } cases[] = {
        {"", ""},
        {"/tmp/with blank.png", "file:///tmp/with%20blank.png"},
        {"/tmp/a#b.png", "file:///tmp/a%23b.png"},
        {"/tmp/100%.png", "file:///tmp/100%25.png"},
        {"/tmp/\xe5\x9b\xbe\xe7\x89\x87.png", "file:///tmp/%E5%9B%BE%E7%89%87.png"},
        {"/tmp/x.svg.bak/b.png", "file:///tmp/x.svg.bak/b.png"},
        {"file:///tmp/a%20b.png", "file:///tmp/a%20b.png"},
        {"qrc:/preview/img/web.svg", "qrc:/preview/img/web.svg"},
        {"http://example.com/a.png?x=1#y", "http://example.com/a.png?x=1#y"},
        // Not a URL: a colon without a slash, a one-letter "scheme", a colon in a name.
        {"/tmp/a:b.png", "file:///tmp/a:b.png"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(hostPathToUrl(std::string(c.path)).toStdString(), c.url);
    }
    // Relative paths are taken from the working folder.
    EXPECT_EQ(hostPathToUrl(std::string("rel dir/p.png")),
              QString::fromLatin1(
                  QUrl::fromLocalFile(QDir::current().absoluteFilePath("rel dir/p.png")).toEncoded()));
}

TEST(HostPathToUrl, FileUrlsGiveTheirPathBack)
{
    for (const char* path : {"/tmp/a b#c?d%e.png", "/tmp/\xe5\x9b\xbe.png"}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(urlToHostPath(hostPathToUrl(std::string(path))).toStdString(), path);
        // A URL QML resolved keeps the same local file.
        EXPECT_EQ(QUrl(hostPathToUrl(std::string(path))).toLocalFile().toStdString(), path);
    }
    EXPECT_EQ(urlToHostPath("qrc:/preview/img/web.svg"), QStringLiteral(":/preview/img/web.svg"));
    EXPECT_EQ(urlToHostPath("http://h/a.mp4"), QStringLiteral("http://h/a.mp4"));
}

TEST(PictureKind, ChosenByTheSuffixInAnyCase)
{
    struct Case
    {
        const char* path;
        const char* type;
        const char* kind;
    } cases[] = {
        {"/p/a.svg", "PICTURE", "svg"},
        {"/p/a.SVGZ", "PICTURE", "svg"},
        {"/p/a.gif", "PICTURE", "animated"},
        {"/p/a.png", "GIF", "animated"},
        {"/p/a.png", "PICTURE", "still"},
        // Only the suffix counts.
        {"/a/x.svg.bak/b.png", "PICTURE", "still"},
        {"/a/b.png.svg", "PICTURE", "svg"},
        {"http://h/x.svg?size=2", "PICTURE", "svg"},
        {"/a/noext", "PICTURE", "still"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_STREQ(ImageWidget::pictureKind(c.path, c.type), c.kind);
    }
}
