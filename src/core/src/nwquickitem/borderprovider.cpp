#include "borderprovider.h"

#include "core/appcommon/jsonread.h"
#include "logging/log.h"

#include <QColor>
#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTransform>
#include <QtQml>

#include <atomic>
#include <cmath>
#include <memory>
#include <mutex>

namespace dorvo_preview {

namespace {

// Thicker strips are refused: no border is this wide.
constexpr int kMaxThickness = 2000;
// Longer strips (the band style is as long as the widget) are refused.
constexpr int kMaxLength = 20000;

std::mutex g_dirMutex;
std::unique_ptr<QTemporaryDir> g_dir;
std::atomic<int> g_counter{0};

QString randomName()
{
    static const char chars[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    QString name;
    for (int i = 0; i < 8; ++i)
        name += QLatin1Char(chars[QRandomGenerator::global()->bounded(static_cast<int>(sizeof(chars) - 1))]);
    return name + QString::number(++g_counter) + QStringLiteral(".png");
}

QImage newImage(int w, int h, const QColor& back)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(back);
    return image;
}

// One figure in a tile; vertical exchanges x and y of every point.
void drawFigure(QImage& tile, int style, int s, int b, const QColor& colour, bool vertical)
{
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    auto pt = [vertical](double x, double y) { return vertical ? QPointF(y, x) : QPointF(x, y); };
    const float t = s / 3.0f, u = 2.0f * s / 3.0f;
    switch (style) {
    case 1: {
        const QPolygonF cross(QVector<QPointF>{pt(b + t, 0), pt(b + u, 0), pt(b + u, t), pt(b + s, t),
                                               pt(b + s, u), pt(b + u, u), pt(b + u, s), pt(b + t, s),
                                               pt(b + t, u), pt(b, u), pt(b, t), pt(b + t, t)});
        p.drawPolygon(cross);
        break;
    }
    case 2: {
        const QPointF at = pt(b, 0);
        p.drawEllipse(QRectF(at.x(), at.y(), s, s));
        break;
    }
    case 3:
        if (vertical)
            p.drawPolygon(
                QPolygonF(QVector<QPointF>{QPointF(0, b + s / 2), QPointF(s, b), QPointF(s, b + s)}));
        else
            p.drawPolygon(
                QPolygonF(QVector<QPointF>{QPointF(b, 0), QPointF(b + s, 0), QPointF(b + s / 2, s)}));
        break;
    case 4: {
        const QPointF at = pt(b, 0);
        p.drawRect(QRectF(at.x(), at.y(), s, s));
        break;
    }
    default:
        break;
    }
}

} // namespace

BorderProvider::BorderProvider(QObject* parent) : QObject(parent) {}

BorderProvider::~BorderProvider()
{
    removeFiles();
}

QString BorderProvider::imageDir()
{
    std::lock_guard<std::mutex> lock(g_dirMutex);
    if (!g_dir) {
        g_dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/dorvo-border-XXXXXX"));
        if (!g_dir->isValid()) {
            LOG_E("BorderProvider cannot make a folder for border pictures: %s",
                  g_dir->errorString().toUtf8().constData());
            g_dir.reset();
            return QString();
        }
        // The folder and whatever is left in it go when the application quits.
        if (auto* app = QCoreApplication::instance()) {
            QObject::connect(app, &QCoreApplication::aboutToQuit, [] {
                std::lock_guard<std::mutex> inner(g_dirMutex);
                LOG_I("BorderProvider::remove border folder");
                g_dir.reset();
            });
        }
    }
    return g_dir->path();
}

bool BorderProvider::paint(const QString& description, int rowLength, int columnLength, int backWidth,
                           int thickness, Strips& out, QString* why)
{
    auto refuse = [why](const QString& reason) {
        if (why)
            *why = reason;
        return false;
    };
    const nlohmann::json d = ns::jsonread::parse(description.toStdString());
    if (!d.is_object())
        return refuse(QStringLiteral("the description is not a JSON object"));
    int style = 0;
    ns::jsonread::readNumber(d, "style", style);
    std::string back = "#FF00B0F0", graphic = "#FFC00000", path;
    ns::readString(d, "backColor", back);
    ns::readString(d, "graColor", graphic);
    ns::readString(d, "imagePath", path);
    const int s = thickness, b = style == 5 ? 0 : std::max(0, backWidth);
    if (s < 1 || s > kMaxThickness || b > kMaxThickness)
        return refuse(QStringLiteral("the thickness %1 is out of range").arg(s));
    if (rowLength < 1 || columnLength < 1 || rowLength > kMaxLength || columnLength > kMaxLength)
        return refuse(
            QStringLiteral("the strip lengths %1 and %2 are out of range").arg(rowLength).arg(columnLength));
    const QColor backColour(QString::fromStdString(back)), graColour(QString::fromStdString(graphic));
    if (!backColour.isValid() || !graColour.isValid())
        return refuse(QStringLiteral("a colour is not valid"));
    QImage top, left;
    switch (style) {
    case 1:
    case 2:
    case 3:
    case 4:
        top = newImage(s + 2 * b, s, backColour);
        left = newImage(s, s + 2 * b, backColour);
        drawFigure(top, style, s, b, graColour, false);
        drawFigure(left, style, s, b, graColour, true);
        break;
    case 5: {
        top = newImage(rowLength, s, backColour);
        left = newImage(s, columnLength, backColour);
        QPainter(&top).fillRect(QRect(0, 0, rowLength / 2, s), graColour);
        QPainter(&left).fillRect(QRect(0, 0, s, columnLength / 2), graColour);
        break;
    }
    case 102: {
        QImageReader reader(QString::fromStdString(path));
        reader.setAutoTransform(true);
        const QImage picture = reader.read();
        if (picture.isNull()) {
            LOG_E("BaseWidget::initBorderSet()------------------load image failed");
            return refuse(QStringLiteral("the picture %1 cannot be read").arg(QString::fromStdString(path)));
        }
        top = picture.scaled(s + 2 * b, s, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                  .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        left = top.transformed(QTransform().rotate(90));
        break;
    }
    default:
        return refuse(QStringLiteral("style %1 has no strips").arg(style));
    }
    if (style != 5) {
        // Whole strips of repeated figures: one picture per strip draws
        // faster than many small tiles.
        QImage row = newImage(rowLength, top.height(), backColour);
        QImage column = newImage(left.width(), columnLength, backColour);
        {
            QPainter rowPainter(&row);
            for (int x = 0; x < rowLength; x += top.width())
                rowPainter.drawImage(x, 0, top);
            QPainter columnPainter(&column);
            for (int y = 0; y < columnLength; y += left.height())
                columnPainter.drawImage(0, y, left);
        }
        top = row;
        left = column;
    }
    out.top = top;
    out.left = left;
    out.bottom = top.transformed(QTransform().rotate(180));
    out.right = left.transformed(QTransform().rotate(180));
    return true;
}

bool BorderProvider::setModel(const QString& borderStr, double rowLength, double columnLength,
                              double backWidth, double thickness)
{
    removeFiles();
    if (!(thickness >= 1)) {
        const nlohmann::json d = ns::jsonread::parse(borderStr.toStdString());
        int w = 0;
        ns::jsonread::readNumber(d, "width", w);
        thickness = w;
    }
    auto whole = [](double v) { return std::isfinite(v) ? static_cast<int>(std::lround(v)) : -1; };
    Strips strips;
    QString why;
    if (!paint(borderStr, whole(rowLength), whole(columnLength), whole(backWidth), whole(thickness), strips,
               &why)) {
        LOG_E("BorderProvider::setModel nothing painted: %s", why.toUtf8().constData());
        return false;
    }
    const QString dir = imageDir();
    if (dir.isEmpty())
        return false;
    for (const QImage* image : {&strips.top, &strips.bottom, &strips.left, &strips.right}) {
        const QString path = dir + QLatin1Char('/') + randomName();
        const bool saved = image->save(path, "PNG");
        LOG_D("BorderProvider::genImageStore() result:%d,path:%s", saved ? 1 : 0, path.toUtf8().constData());
        if (!saved) {
            removeFiles();
            return false;
        }
        m_paths << path;
    }
    return true;
}

QString BorderProvider::getImagePathTop() const
{
    return m_paths.value(0);
}

QString BorderProvider::getImagePathBottom() const
{
    return m_paths.value(1);
}

QString BorderProvider::getImagePathLeft() const
{
    return m_paths.value(2);
}

QString BorderProvider::getImagePathRight() const
{
    return m_paths.value(3);
}

void BorderProvider::removeFiles()
{
    if (m_paths.isEmpty())
        return;
    // A handful of small files: removed at once, so none outlives its border.
    LOG_D("BorderProvider::remove border image");
    for (const QString& path : m_paths)
        QFile::remove(path);
    m_paths.clear();
}

void registerBorderQmlTypes()
{
    qmlRegisterType<BorderProvider>("com.kest.borderProvider", 1, 0, "BorderProvider");
}

} // namespace dorvo_preview
