#include "imagewidget.h"

#include "core/appcommon/jsonread.h"
#include "core/appcommon/richtextcontent.h"
#include "logging/log.h"
#include "private/widgetprivate.h"
#include "utils/hosturl.h"
#include "utils/metainvoke.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPointer>
#include <QQuickItem>
#include <QTextCodec>
#include <QUrl>

namespace dorvo_preview {

namespace {

// Media types of the record types "PICTURE" and "GIF".
constexpr int kPictureMediaType = 0;
constexpr int kGifMediaType = 3;
const char* const kPictureType = "PICTURE";
const char* const kGifType = "GIF";
// Marquee speeds outside this range run at the default speed.
constexpr int kMaxScrollSpeed = 500;

bool isUtf8(const std::string& text)
{
    QTextCodec::ConverterState state;
    QTextCodec::codecForName("UTF-8")->toUnicode(text.data(), static_cast<int>(text.size()), &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}

// The suffix of the file a path or URL names, in lower case.
QString suffixOf(const std::string& path)
{
    const QString url = hostPathToUrl(path);
    return QFileInfo(QUrl(url).path()).suffix().toLower();
}

} // namespace

struct ImageWidgetPrivate
{
    int interfaceType = 5;
    std::string source;
    std::string displayRatio;
    ns::InAnimation inAnimation{0, 1000};
    ns::ScrollEffects effects{60, ns::ScrollAnimation::NONE, false, "0", false};
    QPointer<QObject> scene;
    bool initialised = false;
    bool shown = false;
};

ImageWidget::ImageWidget(Window* window, QObject* parentItem, int interfaceType, QObject* parent)
    : Widget(window, parentItem, parent), m_impl(std::make_unique<ImageWidgetPrivate>())
{
    m_impl->interfaceType = interfaceType;
}

ImageWidget::~ImageWidget()
{
    deleteScene();
}

const char* ImageWidget::pictureKind(const std::string& path, const std::string& recordType)
{
    const QString suffix = suffixOf(path);
    if (suffix == QLatin1String("svg") || suffix == QLatin1String("svgz"))
        return "svg";
    if (suffix == QLatin1String("gif") || recordType == kGifType)
        return "animated";
    if (suffix == QLatin1String("webp")) {
        QImageReader reader(urlToHostPath(hostPathToUrl(path)));
        if (reader.supportsAnimation() && reader.imageCount() > 1)
            return "animated";
    }
    return "still";
}

const char* ImageWidget::placeholderIcon(int interfaceType)
{
    switch (interfaceType) {
    case 4:
        return "qrc:/preview/img/web.svg";
    case 7:
        return "qrc:/preview/img/rss.svg";
    case 9:
        return "qrc:/preview/img/stream.svg";
    case 20:
        return "qrc:/preview/img/hdmi_in.svg";
    default:
        return "";
    }
}

int ImageWidget::type() const
{
    return widgetPrivate()->record.type == kGifType ? kGifMediaType : kPictureMediaType;
}

QObject* ImageWidget::contentItem() const
{
    return m_impl->scene.data();
}

void ImageWidget::ensureRecord()
{
    ns::Widget& record = widgetPrivate()->record;
    if (!m_impl->initialised) {
        m_impl->initialised = true;
        const std::string& creation = defaultContent();
        LOG_I("widget init %s", creation.c_str());
        std::string reason;
        if (!creation.empty() && !ns::Widget::fromJson(creation, record, &reason))
            LOG_E("ImageWidget creation record is %s, using defaults", reason.c_str());
        const nlohmann::json j = ns::jsonread::parse(creation);
        ns::readString(j, "dataSource", m_impl->source);
        ns::readString(j, "displayRatio", m_impl->displayRatio);
        if (const auto* in = ns::member(j, "inAnimation")) {
            ns::readInt(*in, "type", m_impl->inAnimation.type);
            ns::readInt(*in, "duration", m_impl->inAnimation.duration);
        }
        if (const auto* scroll = ns::member(record.metadata, "scrollAttributes")) {
            if (const auto* e = ns::member(*scroll, "effects")) {
                ns::readInt(*e, "speed", m_impl->effects.speed);
                if (const auto* an = ns::member(*e, "animation"))
                    ns::parseScrollAnimation(*an, m_impl->effects.animation);
            }
        }
        if (!isUtf8(m_impl->source)) {
            LOG_E("ImageWidget creation dataSource is not UTF-8, no picture");
            m_impl->source.clear();
        }
    }
    record.id = uuid();
    if (record.type != kGifType)
        record.type = kPictureType;
}

std::string ImageWidget::recordJson() const
{
    const_cast<ImageWidget*>(this)->ensureRecord();
    const ns::Widget& record = widgetPrivate()->record;
    nlohmann::json j = ns::jsonread::parse(record.toJson());
    if (!j.is_object())
        j = nlohmann::json::object();
    const ImageWidgetPrivate& d = *m_impl;
    j["dataSource"] = d.source;
    j["displayRatio"] = d.displayRatio;
    j["inAnimation"] = {{"type", d.inAnimation.type}, {"duration", d.inAnimation.duration}};
    nlohmann::json& metadata = j["metadata"];
    if (!metadata.is_object())
        metadata = nlohmann::json::object();
    nlohmann::json& scroll = metadata["scrollAttributes"];
    if (!scroll.is_object())
        scroll = nlohmann::json::object();
    scroll["effects"] = {{"speed", d.effects.speed},
                         {"animation", ns::toString(d.effects.animation)},
                         {"isHeadTail", d.effects.isHeadTail},
                         {"headTailSpacing", d.effects.headTailSpacing},
                         {"speedByPixelEnable", d.effects.speedByPixelEnable}};
    metadata["picture"] = {{"url", hostPathToUrl(d.source).toStdString()},
                           {"kind", d.source.empty() ? "still" : pictureKind(d.source, record.type)},
                           {"placeholderIcon", placeholderIcon(d.interfaceType)}};
    return j.dump();
}

void ImageWidget::deleteScene()
{
    QObject* scene = m_impl->scene.data();
    if (!scene)
        return;
    LOG_D("delete obj typeid *item:%s, name:%s", scene->metaObject()->className(),
          scene->objectName().toUtf8().constData());
    m_impl->scene.clear();
    disconnect(scene, nullptr, this, nullptr);
    if (auto* item = qobject_cast<QQuickItem*>(scene))
        item->setVisible(false);
    scene->deleteLater();
}

void ImageWidget::recreate()
{
    if (!m_impl->shown)
        return;
    if (m_impl->scene)
        keepBackground();
    deleteScene();
    ensureRecord();
    QObject* frame = item();
    if (!frame) {
        LOG_E("ImageWidget has no widget item");
        return;
    }
    QObject* scene = createChildItem(frame, QString::fromStdString(recordJson()));
    if (!scene) {
        LOG_E("ImageWidget scene could not be created");
        onItemStarted(QString());
        return;
    }
    m_impl->scene = scene;
    connect(scene, SIGNAL(baseMediaStart(QString)), this, SLOT(whenPictureStarted(QString)));
    connect(scene, SIGNAL(baseMediaError(QString)), this, SLOT(whenPictureFailed(QString)));
    invokeByName(scene, "setVisible", {true});
}

void ImageWidget::whenPictureStarted(QString name)
{
    LOG_D("ImageWidget::whenPictureStarted %s", name.toUtf8().constData());
    onItemStarted(name);
}

void ImageWidget::whenPictureFailed(QString reason)
{
    LOG_E("ImageWidget cannot show the picture %s: %s", m_impl->source.c_str(), reason.toUtf8().constData());
    // The frame's snapshot of the previous picture ends all the same.
    onItemStarted(QString());
}

void ImageWidget::widgetShow()
{
    LOG_I("ImageWidget::widgetShow");
    m_impl->shown = true;
    recreate();
}

void ImageWidget::widgetHide()
{
    LOG_I("ImageWidget::widgetHide");
    m_impl->shown = false;
    deleteScene();
}

void ImageWidget::clearQmlObj()
{
    LOG_D("ImageWidget::clearQmlObj");
    deleteScene();
}

void ImageWidget::pause()
{
    Widget::pause();
    if (m_impl->scene)
        invokeByName(m_impl->scene.data(), "pause", {});
}

void ImageWidget::resume()
{
    Widget::resume();
    if (m_impl->scene)
        invokeByName(m_impl->scene.data(), "resume", {});
}

void ImageWidget::attachToItem(QObject* target)
{
    moveContent(m_impl->scene.data(), target, "ImageWidget");
}

void ImageWidget::setSource(std::string source)
{
    ensureRecord();
    if (!isUtf8(source)) {
        LOG_E("ImageWidget::setSource path is not UTF-8, ignored");
        return;
    }
    if (source == m_impl->source) {
        LOG_D("%s same value. no op", source.c_str());
        return;
    }
    LOG_I("ImageWidget::setSource source is %s", source.c_str());
    m_impl->source = std::move(source);
    recreate();
}

void ImageWidget::setKeepOriginalScale(bool keep)
{
    ensureRecord();
    const std::string ratio = keep ? "ORIGINAL_SIZE" : "";
    if (ratio == m_impl->displayRatio) {
        LOG_D("%d same value. no op", keep ? 1 : 0);
        return;
    }
    m_impl->displayRatio = ratio;
    recreate();
}

void ImageWidget::setEffectType(int type)
{
    LOG_D("ImageWidget::setEffectType type %d", type);
    ensureRecord();
    if (m_impl->inAnimation.type == type) {
        LOG_D("%d same value. no op", type);
        return;
    }
    m_impl->inAnimation.type = type;
    recreate();
}

void ImageWidget::setEffectDuration(int duration)
{
    LOG_D("ImageWidget::setEffectDuration duration %d", duration);
    ensureRecord();
    if (duration < 0) {
        LOG_E("ImageWidget::setEffectDuration invalid duration %d", duration);
        return;
    }
    if (m_impl->inAnimation.duration == duration) {
        LOG_D("%d same value. no op", duration);
        return;
    }
    m_impl->inAnimation.duration = duration;
    recreate();
}

void ImageWidget::setScrollSpeed(int speed)
{
    LOG_D("ImageWidget::setScrollSpeed speed %d", speed);
    ensureRecord();
    if (m_impl->effects.speed == speed) {
        LOG_D("%d same value. no op", speed);
        return;
    }
    if (speed < 0 || speed > kMaxScrollSpeed)
        LOG_W("ImageWidget::setScrollSpeed %d is out of range, the picture scrolls at 60", speed);
    m_impl->effects.speed = speed;
    recreate();
}

void ImageWidget::setScrollDirection(int direction)
{
    LOG_D("ImageWidget::setScrollDirection direction %d", direction);
    ensureRecord();
    ns::ScrollAnimation value;
    if (direction < 0 || !ns::parseScrollAnimation(nlohmann::json(direction), value)) {
        LOG_E("ImageWidget::setScrollDirection invalid direction %d", direction);
        return;
    }
    if (m_impl->effects.animation == value) {
        LOG_D("%d same value. no op", direction);
        return;
    }
    m_impl->effects.animation = value;
    recreate();
}

} // namespace dorvo_preview
