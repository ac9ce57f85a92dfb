#include "picturefiles.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QString>

#include <cstdio>
#include <cstdlib>

namespace picturetest {

namespace {

QImage halves()
{
    QImage img(200, 100, QImage::Format_RGB32);
    QPainter p(&img);
    p.fillRect(0, 0, 100, 100, Qt::red);
    p.fillRect(100, 0, 100, 100, Qt::blue);
    return img;
}

bool save(const QImage& img, const std::string& path, const char* format)
{
    if (!img.save(QString::fromStdString(path), format, 95)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

bool ffmpeg(const std::string& args)
{
    const std::string cmd = "ffmpeg -nostdin -hide_banner -loglevel error -y " + args;
    if (std::system(cmd.c_str()) != 0) {
        std::fprintf(stderr, "ffmpeg failed: %s\n", cmd.c_str());
        return false;
    }
    return true;
}

Files make()
{
    Files f;
    char dir[] = "/tmp/dorvo-pictures-XXXXXX";
    if (!mkdtemp(dir))
        return f;
    f.dir = dir;
    f.halvesPng = f.dir + "/halves.png";
    f.halvesJpg = f.dir + "/halves.jpg";
    f.halvesBmp = f.dir + "/halves.bmp";
    f.halvesWebp = f.dir + "/halves.webp";
    f.stripeJpg = f.dir + "/stripe.jpg";
    f.bandJpg = f.dir + "/band.jpg";
    f.twoGif = f.dir + "/two.gif";
    f.twoWebp = f.dir + "/two.webp";
    f.barsSvg = f.dir + "/bars.svg";
    f.oddPath = f.dir + "/a b#c%d?e \xe5\x9b\xbe\xe7\x89\x87.png";
    f.corrupt = f.dir + "/corrupt.jpg";
    f.missing = f.dir + "/missing.png";

    bool ok = save(halves(), f.halvesPng, "PNG") && save(halves(), f.halvesJpg, "JPG") &&
              save(halves(), f.halvesBmp, "BMP") && save(halves(), f.halvesWebp, "WEBP") &&
              save(halves(), f.oddPath, "PNG");

    QImage stripe(300, 100, QImage::Format_RGB32);
    stripe.fill(Qt::blue);
    QPainter(&stripe).fillRect(0, 0, 20, 100, Qt::red);
    ok = ok && save(stripe, f.stripeJpg, "JPG");
    stripe.fill(Qt::blue);
    QPainter(&stripe).fillRect(0, 0, 300, 20, Qt::red);
    ok = ok && save(stripe, f.bandJpg, "JPG");

    QImage frame(100, 100, QImage::Format_RGB32);
    frame.fill(Qt::red);
    ok = ok && save(frame, f.dir + "/frame1.png", "PNG");
    frame.fill(Qt::blue);
    ok = ok && save(frame, f.dir + "/frame2.png", "PNG");
    const std::string frames = "-framerate 2.5 -i '" + f.dir + "/frame%d.png' ";
    ok = ok && ffmpeg(frames + "-loop 0 '" + f.twoGif + "'");
    ok = ok && ffmpeg(frames + "-c:v libwebp_anim -lossless 1 -loop 0 '" + f.twoWebp + "'");

    QByteArray text = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"200\" height=\"100\" "
                      "viewBox=\"0 0 20 10\" shape-rendering=\"crispEdges\">";
    for (int i = 0; i < 10; ++i)
        text += QByteArray("<rect x=\"") + QByteArray::number(i * 2) +
                "\" y=\"0\" width=\"2\" height=\"10\" fill=\"" + (i % 2 ? "#0000ff" : "#ff0000") + "\"/>";
    text += "</svg>\n";
    // The corrupt file: a JPEG's first marker, then no picture.
    for (const auto& [path, bytes] :
         {std::pair{f.barsSvg, text}, {f.corrupt, QByteArray("\xff\xd8") + QByteArray(4094, '\x5a')}}) {
        QFile out(QString::fromStdString(path));
        ok = ok && out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
    }
    f.ok = ok;
    return f;
}

} // namespace

const Files& files()
{
    static const Files f = make();
    return f;
}

} // namespace picturetest
