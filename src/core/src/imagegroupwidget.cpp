#include "imagegroupwidget.h"

#include "core/appcommon/jsonread.h"
#include "logging/log.h"
#include "private/widgetprivate.h"
#include "utils/hosturl.h"
#include "utils/metainvoke.h"

#include <QPointer>
#include <QQuickItem>

namespace dorvo_preview {

namespace {

using json = nlohmann::json;
using Ptr = json::json_pointer;

const char* const kGroupType = "PICTURE_GROUP";
constexpr int kGroupMediaType = 6;
const char* const kDisplayTypes[] = {"PAGE_SWITCH", "SCROLL", "STATIC"};
constexpr int kDefaultEffectDuration = 1000;
// Group scroll speeds outside this range run at the default speed.
constexpr int kMaxScrollSpeed = 500;

json defaults()
{
    return {{"guid", "6f1c1bde-3c55-4a5e-9d1e-8c2b8f9b7a10"},
            {"ImageType", 0},
            {"scrollAttributes",
             {{"effects",
               {{"speed", 3},
                {"animation", "MARQUEE_UP"},
                {"isHeadTail", true},
                {"headTailSpacing", "0"},
                {"speedByPixelEnable", false}}}}},
            {"twinkleAttributes", {{"enable", false}, {"speed", 0}}},
            {"type", "SCROLL"},
            {"FixedRows", 0},
            {"OfficeType", 2},
            {"headerPath", ""},
            {"pictureList", json::array()}};
}

// The display type text of a record value (text or number), or null.
const char* displayTypeOf(const json& value)
{
    if (value.is_number_integer()) {
        const auto n = value.get<int64_t>();
        return n >= 0 && n <= 2 ? kDisplayTypes[n] : nullptr;
    }
    if (value.is_string()) {
        for (const char* name : kDisplayTypes)
            if (value.get<std::string>() == name)
                return name;
    }
    return nullptr;
}

// The text a list element stands for: a string as it is, anything else as its JSON text.
std::string textOf(const json& value)
{
    return value.is_string() ? value.get<std::string>() : ns::jsonread::dump(value);
}

} // namespace

struct ImageGroupWidgetPrivate
{
    json content = defaults();
    // The group-wide values, kept for the pictures that come later.
    int pageDuration = ImageGroupWidget::kDefaultPageDuration;
    int effectType = 0;
    int effectDuration = kDefaultEffectDuration;
    QPointer<QObject> scene;
    bool shown = false;
    bool initialised = false;
};

ImageGroupWidget::ImageGroupWidget(Window* window, QObject* parentItem, QObject* parent)
    : Widget(window, parentItem, parent), m_impl(std::make_unique<ImageGroupWidgetPrivate>())
{
    widgetPrivate()->record.type = kGroupType;
}

ImageGroupWidget::~ImageGroupWidget()
{
    widgetHide();
}

int ImageGroupWidget::type() const
{
    return kGroupMediaType;
}

std::string ImageGroupWidget::defaultSource()
{
    return defaults().dump();
}

const json& ImageGroupWidget::content() const
{
    return m_impl->content;
}

QObject* ImageGroupWidget::contentItem() const
{
    return m_impl->scene.data();
}

json ImageGroupWidget::newPicture() const
{
    const json& list = m_impl->content["pictureList"];
    if (list.is_array() && !list.empty()) {
        json p = list.back();
        p["dataSource"] = "";
        return p;
    }
    return {{"dataSource", ""},
            {"duration", m_impl->pageDuration},
            {"inAnimation", {{"type", m_impl->effectType}, {"duration", m_impl->effectDuration}}}};
}

std::string ImageGroupWidget::recordJson() const
{
    ns::Widget record = widgetPrivate()->record;
    record.id = uuid();
    record.type = kGroupType;
    json metadata = m_impl->content;
    for (json& p : metadata["pictureList"])
        p["url"] = hostPathToUrl(p.value("dataSource", std::string())).toStdString();
    metadata["headerUrl"] = hostPathToUrl(metadata.value("headerPath", std::string())).toStdString();
    record.metadata = std::move(metadata);
    return record.toJson();
}

void ImageGroupWidget::readCreationRecord()
{
    if (m_impl->initialised)
        return;
    m_impl->initialised = true;
    const std::string& creation = defaultContent();
    if (creation.empty())
        return;
    LOG_I("widget init %s", creation.c_str());
    ns::Widget& record = widgetPrivate()->record;
    std::string reason;
    if (!ns::Widget::fromJson(creation, record, &reason)) {
        LOG_E("ImageGroupWidget creation record is %s, using defaults", reason.c_str());
        return;
    }
    if (record.metadata.is_object() && !record.metadata.empty())
        adopt(record.metadata, "ImageGroupWidget creation record");
}

void ImageGroupWidget::widgetShow()
{
    LOG_I("ImageGroupWidget::widgetShow");
    m_impl->shown = true;
    if (m_impl->scene)
        return;
    readCreationRecord();
    QObject* frame = item();
    if (!frame) {
        LOG_E("ImageGroupWidget has no widget item");
        return;
    }
    QObject* created = createChildItem(frame, QString::fromStdString(recordJson()));
    if (!created) {
        LOG_E("ImageGroupWidget item could not be created");
        return;
    }
    m_impl->scene = created;
    onItemStarted(QString());
}

void ImageGroupWidget::widgetHide()
{
    LOG_I("ImageGroupWidget::widgetHide");
    m_impl->shown = false;
    QObject* scene = m_impl->scene.data();
    if (!scene)
        return;
    LOG_D("delete obj typeid *item:%s, name:%s", scene->metaObject()->className(),
          scene->objectName().toUtf8().constData());
    m_impl->scene.clear();
    if (auto* quickItem = qobject_cast<QQuickItem*>(scene))
        quickItem->setVisible(false);
    scene->deleteLater();
}

void ImageGroupWidget::pause()
{
    Widget::pause();
    if (QObject* scene = m_impl->scene.data())
        invokeIfPresent(scene, "pause", {});
}

void ImageGroupWidget::resume()
{
    Widget::resume();
    if (QObject* scene = m_impl->scene.data())
        invokeIfPresent(scene, "resume", {});
}

void ImageGroupWidget::attachToItem(QObject* target)
{
    moveContent(m_impl->scene.data(), target, "ImageGroupWidget");
}

void ImageGroupWidget::push()
{
    if (QObject* scene = m_impl->scene.data())
        invokeByName(scene, "update", {QString::fromStdString(recordJson())});
}

void ImageGroupWidget::setSource(std::string source)
{
    LOG_D("source %s", source.c_str());
    std::string reason;
    const json parsed = ns::jsonread::parse(source, &reason);
    if (parsed.is_discarded() || !parsed.is_object()) {
        LOG_E("ImageGroupWidget::setSource refused, the content is not a JSON object%s%s: %.200s",
              reason.empty() ? "" : ", ", reason.c_str(), source.c_str());
        return;
    }
    if (adopt(parsed, "ImageGroupWidget::setSource"))
        push();
}

bool ImageGroupWidget::adopt(const json& parsed, const char* operation)
{
    json content = parsed;
    if (const json* type = ns::member(parsed, "type")) {
        const char* name = displayTypeOf(*type);
        if (!name) {
            LOG_E("%s refused, unknown display type %s", operation, textOf(*type).c_str());
            return false;
        }
        content["type"] = name;
    } else {
        content["type"] = m_impl->content["type"];
    }
    const json* list = ns::member(parsed, "pictureList");
    if (list && !list->is_array()) {
        LOG_E("%s refused, pictureList is not an array", operation);
        return false;
    }
    json pictures = json::array();
    if (list) {
        for (const json& element : *list) {
            if (static_cast<int>(pictures.size()) >= kMaxPictures) {
                LOG_E("%s keeps the first %d pictures of %d", operation, kMaxPictures,
                      static_cast<int>(list->size()));
                break;
            }
            pictures.push_back(pictureOf(element, operation));
        }
    } else {
        pictures = m_impl->content["pictureList"];
    }
    content["pictureList"] = std::move(pictures);
    std::string header;
    if (!ns::member(parsed, "headerPath"))
        content["headerPath"] = m_impl->content["headerPath"];
    else if (!ns::readString(parsed, "headerPath", header))
        content["headerPath"] = "";
    if (content == m_impl->content) {
        LOG_D("%s same value. no op", operation);
        return false;
    }
    m_impl->content = std::move(content);
    return true;
}

json ImageGroupWidget::pictureOf(const json& element, const char* operation) const
{
    json p = newPicture();
    if (!element.is_object()) {
        p["dataSource"] = textOf(element);
        return p;
    }
    if (const json* path = ns::member(element, "dataSource"))
        p["dataSource"] = textOf(*path);
    int duration = 0;
    if (ns::jsonread::readNumber(element, "duration", duration)) {
        if (duration > 0)
            p["duration"] = duration;
        else
            LOG_E("%s picture duration %d is not above 0, %d is used", operation, duration,
                  p["duration"].get<int>());
    }
    if (const json* in = ns::member(element, "inAnimation")) {
        int value = 0;
        if (ns::jsonread::readNumber(*in, "type", value) && value >= 0)
            p["inAnimation"]["type"] = value;
        if (ns::jsonread::readNumber(*in, "duration", value) && value >= 0)
            p["inAnimation"]["duration"] = value;
    }
    return p;
}

void ImageGroupWidget::setForEveryPicture(const char* operation, const Ptr& member, int value)
{
    json& list = m_impl->content["pictureList"];
    if (!list.is_array() || list.empty()) {
        LOG_I("%s no source list, %d is kept for the pictures to come", operation, value);
        return;
    }
    if (list.front().value(member, -1) == value) {
        bool all = true;
        for (const json& p : list)
            all = all && p.value(member, -1) == value;
        if (all) {
            LOG_D("%d same value. no op", value);
            return;
        }
    }
    for (json& p : list)
        p[member] = value;
    push();
}

void ImageGroupWidget::setEffectType(int code)
{
    LOG_D("set effect type %d", code);
    if (code < 0) {
        LOG_E("ImageGroupWidget::setEffectType invalid effect type %d", code);
        return;
    }
    m_impl->effectType = code;
    setForEveryPicture("ImageGroupWidget::setEffectType", Ptr("/inAnimation/type"), code);
}

void ImageGroupWidget::setPageDuration(int ms)
{
    LOG_D("ImageGroupWidget::setPageDuration %d", ms);
    if (ms <= 0) {
        LOG_E("ImageGroupWidget::setPageDuration invalid duration %d", ms);
        return;
    }
    m_impl->pageDuration = ms;
    setForEveryPicture("ImageGroupWidget::setPageDuration", Ptr("/duration"), ms);
}

void ImageGroupWidget::setEffectDuration(int ms)
{
    LOG_D("ImageGroupWidget::setEffectDuration %d", ms);
    if (ms < 0) {
        LOG_E("ImageGroupWidget::setEffectDuration invalid duration %d", ms);
        return;
    }
    m_impl->effectDuration = ms;
    setForEveryPicture("ImageGroupWidget::setEffectDuration", Ptr("/inAnimation/duration"), ms);
}

void ImageGroupWidget::setDisplayType(int type)
{
    LOG_D("set display type %d", type);
    const char* name = displayTypeOf(json(type));
    if (!name) {
        LOG_E("ImageGroupWidget::setDisplayType invalid display type %d", type);
        return;
    }
    if (m_impl->content["type"] == name) {
        LOG_D("%d same value. no op", type);
        return;
    }
    m_impl->content["type"] = name;
    push();
}

void ImageGroupWidget::setScrollSpeed(int pixelsPerSecond)
{
    LOG_D("ImageGroupWidget::setScrollSpeed %d", pixelsPerSecond);
    json& speed = m_impl->content["scrollAttributes"]["effects"]["speed"];
    if (speed == pixelsPerSecond) {
        LOG_D("%d same value. no op", pixelsPerSecond);
        return;
    }
    if (pixelsPerSecond < 0 || pixelsPerSecond > kMaxScrollSpeed)
        LOG_W("ImageGroupWidget::setScrollSpeed %d is out of range, the group scrolls at 60",
              pixelsPerSecond);
    speed = pixelsPerSecond;
    push();
}

void ImageGroupWidget::setPictureList(std::string list)
{
    std::string reason;
    const json parsed = ns::jsonread::parse(list, &reason);
    if (!parsed.is_array()) {
        LOG_E("ImageGroupWidget::setPictureList refused, the list is not a JSON array of paths, the pictures "
              "are kept: %.200s",
              list.c_str());
        return;
    }
    LOG_D("ImageGroupWidget::setPictureList list %s, size is %d", list.c_str(),
          static_cast<int>(parsed.size()));
    const json& old = m_impl->content["pictureList"];
    json pictures = json::array();
    for (size_t i = 0; i < parsed.size(); ++i) {
        if (static_cast<int>(i) >= kMaxPictures) {
            LOG_E("ImageGroupWidget::setPictureList keeps the first %d pictures of %d", kMaxPictures,
                  static_cast<int>(parsed.size()));
            break;
        }
        json p = i < old.size() ? old[i] : newPicture();
        p["dataSource"] = textOf(parsed[i]);
        pictures.push_back(std::move(p));
    }
    if (pictures == old) {
        LOG_D("%s same value. no op", "ImageGroupWidget::setPictureList");
        return;
    }
    m_impl->content["pictureList"] = std::move(pictures);
    push();
}

void ImageGroupWidget::setHeaderPath(std::string path)
{
    LOG_D("ImageGroupWidget::setHeaderPath %s", path.c_str());
    if (!ns::jsonread::isValidUtf8(path)) {
        LOG_E("ImageGroupWidget::setHeaderPath refused, the path is not UTF-8");
        return;
    }
    if (m_impl->content["headerPath"] == path) {
        LOG_D("%s same value. no op", path.c_str());
        return;
    }
    m_impl->content["headerPath"] = path;
    push();
}

} // namespace dorvo_preview
