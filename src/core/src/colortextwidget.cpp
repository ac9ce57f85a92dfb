#include "colortextwidget.h"

#include "logging/log.h"
#include "private/widgetprivate.h"
#include "utils/metainvoke.h"
#include "core/appcommon/jsonread.h"

#include <QColor>
#include <QPointer>
#include <QQuickItem>
#include <QTextCodec>

namespace dorvo_preview {

using nlohmann::json;
using Ptr = json::json_pointer;

namespace {

// Media type of colourful text (the record's "COLORFUL_TEXT").
constexpr int kColorTextMediaType = 15;
const char* const kColorTextType = "COLORFUL_TEXT";

// Limits of the values a host may set; beyond them the value is refused.
constexpr int kMaxFontSize = 2000;
constexpr int kMaxSpacing = 2000;
constexpr int kMaxStrokeWidth = 100;
constexpr int kMaxOffset = 16384;
constexpr int kMaxHeadTailSpacing = 100000;
constexpr size_t kMaxTextBytes = 1 << 20;

const char* const kDisplayTypes[] = {"PAGE_SWITCH", "SCROLL", "STATIC", "OBO"};
const char* const kColorfulTypes[] = {"TEXTURE", "GRADIENT_HORIZONTAL", "GRADIENT_VERTICAL",
                                      "GRADIENT_OBLIQUE", "FADE_IN_FADE_OUT"};
const char* const kHorizontalAlignments[] = {"LEFT", "CENTER", "RIGHT"};
const char* const kVerticalAlignments[] = {"TOP", "CENTER", "BOTTOM"};

const json& defaults()
{
    static const json value = {
        {"content", "Colourful text"},
        {"type", "STATIC"},
        {"twinkleAttributes", {{"enable", false}, {"speed", 0}}},
        {"scrollAttributes",
         {{"effects",
           {{"speed", 5},
            {"animation", "MARQUEE_LEFT"},
            {"isHeadTail", true},
            {"headTailSpacing", "0"},
            {"speedByPixelEnable", false}}}}},
        {"offset", {{"x", 0}, {"y", 0}}},
        {"textAttributes",
         {{"effects",
           {{"type", "FADE_IN_FADE_OUT"},
            {"colors", {"#000000", "#FFFFFF", "#000000"}},
            {"texture", ""},
            {"TempTexturePath", ""}}},
          {"colorfulEnable", true},
          {"backgroundColor", "#00FFFFFF"},
          {"textColor", "#FFFF0000"},
          {"font", {{"family", {"Agency FB"}}, {"style", "NORMAL"}, {"size", 32}, {"isUnderline", false}}},
          {"shadowEnable", false},
          {"shadowRadius", 0},
          {"shadowDx", 2},
          {"shadowDy", 2},
          {"shadowColor", "#6128bf"},
          {"strokeEnable", false},
          {"strokeWidth", 2},
          {"strokeColor", "#FFFF59B7"},
          {"letterSpacing", 1}}},
        {"paragraphAttributes",
         {{"verticalAlignment", "CENTER"},
          {"horizontalAlignment", "CENTER"},
          {"lineSpacing", 2.0},
          {"letterSpacing", 0},
          {"lines", json::array()}}},
        {"FontFamily", "Agency FB"},
        {"FontStyle", "Normal"},
        {"FontWeight", "Normal"}};
    return value;
}

std::string qualified(const char* operation)
{
    return std::string("dorvo_preview::ColorTextWidget::") + operation;
}

bool isUtf8(const std::string& text)
{
    QTextCodec::ConverterState state;
    QTextCodec* codec = QTextCodec::codecForName("UTF-8");
    codec->toUnicode(text.data(), static_cast<int>(text.size()), &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}

bool isColor(const std::string& color)
{
    return !color.empty() && isUtf8(color) && QColor::isValidColor(QString::fromStdString(color));
}

// Where an object of the defaults meets something else in a source, the
// source is refused: the setters patch members inside those objects.
bool sameShape(const json& model, const json& given, std::string& where)
{
    for (auto it = model.begin(); it != model.end(); ++it) {
        if (!it->is_object())
            continue;
        auto found = given.find(it.key());
        if (found == given.end())
            continue;
        if (!found->is_object() || !sameShape(*it, *found, where)) {
            where = it.key() + (where.empty() ? "" : "." + where);
            return false;
        }
    }
    return true;
}

double number(const json& content, const char* pointer, double fallback)
{
    const Ptr ptr(pointer);
    if (!content.contains(ptr))
        return fallback;
    const json& v = content.at(ptr);
    return v.is_number() ? v.get<double>() : fallback;
}

// Why a content cannot be shown, or empty when it can.
std::string refusalOf(const json& content)
{
    std::string where;
    if (!content.is_object())
        return "is not a JSON object";
    if (!sameShape(defaults(), content, where))
        return "has a member that is not an object: " + where;
    if (content.contains("content") && !content["content"].is_string())
        return "has a \"content\" that is not text";
    const double size = number(content, "/textAttributes/font/size", 32);
    const double spacing = number(content, "/paragraphAttributes/lineSpacing", 0);
    if (!(size >= 1 && size <= kMaxFontSize))
        return "has a font size outside 1 to 2000";
    if (!(size + spacing >= 1 && spacing <= kMaxSpacing))
        return "has a line height below 1 or a line spacing above 2000";
    return std::string();
}

} // namespace

struct ColorTextWidgetPrivate
{
    json content = defaults();
    QPointer<QObject> mainItem;
    bool shown = false;
    bool initialised = false;
};

ColorTextWidget::ColorTextWidget(Window* window, QObject* parentItem, QObject* parent)
    : Widget(window, parentItem, parent), m_impl(std::make_unique<ColorTextWidgetPrivate>())
{
    widgetPrivate()->record.type = kColorTextType;
}

ColorTextWidget::~ColorTextWidget()
{
    widgetHide();
}

int ColorTextWidget::type() const
{
    return kColorTextMediaType;
}

std::string ColorTextWidget::defaultSource()
{
    return defaults().dump();
}

const json& ColorTextWidget::content() const
{
    return m_impl->content;
}

QObject* ColorTextWidget::contentItem() const
{
    return m_impl->mainItem.data();
}

std::string ColorTextWidget::recordJson() const
{
    ns::Widget record = widgetPrivate()->record;
    record.id = uuid();
    record.type = kColorTextType;
    record.metadata["content"] = m_impl->content;
    return record.toJson();
}

void ColorTextWidget::widgetShow()
{
    LOG_I("ColorTextWidget::widgetShow");
    m_impl->shown = true;
    if (m_impl->mainItem)
        return;
    readCreationRecord();
    QObject* frame = item();
    if (!frame) {
        LOG_E("ColorTextWidget has no widget item");
        return;
    }
    QObject* created = createChildItem(frame, QString::fromStdString(recordJson()));
    if (!created) {
        LOG_E("ColorTextWidget item could not be created");
        return;
    }
    m_impl->mainItem = created;
    onItemStarted(QString());
}

void ColorTextWidget::readCreationRecord()
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
        LOG_E("ColorTextWidget creation record is %s, using defaults", reason.c_str());
        return;
    }
    auto it = record.metadata.find("content");
    if (it == record.metadata.end())
        return;
    const std::string refusal = refusalOf(*it);
    if (refusal.empty())
        m_impl->content = *it;
    else
        LOG_E("ColorTextWidget creation content %s, using the default content", refusal.c_str());
}

void ColorTextWidget::widgetHide()
{
    LOG_I("ColorTextWidget::widgetHide");
    m_impl->shown = false;
    QObject* scene = m_impl->mainItem.data();
    if (!scene)
        return;
    LOG_D("delete obj typeid *item:%s, name:%s", scene->metaObject()->className(),
          scene->objectName().toUtf8().constData());
    m_impl->mainItem.clear();
    if (auto* quickItem = qobject_cast<QQuickItem*>(scene))
        quickItem->setVisible(false);
    scene->deleteLater();
}

void ColorTextWidget::pause()
{
    Widget::pause();
    if (QObject* scene = m_impl->mainItem.data())
        invokeIfPresent(scene, "pause", {});
}

void ColorTextWidget::resume()
{
    Widget::resume();
    if (QObject* scene = m_impl->mainItem.data())
        invokeIfPresent(scene, "resume", {});
}

void ColorTextWidget::attachToItem(QObject* target)
{
    auto* scene = qobject_cast<QQuickItem*>(m_impl->mainItem.data());
    auto* parentItem = qobject_cast<QQuickItem*>(target);
    if (!scene || !parentItem) {
        LOG_E("ColorTextWidget::attachToItem nothing to move");
        return;
    }
    QQuickItem* old = scene->parentItem();
    scene->setParentItem(parentItem);
    invokeIfPresent(parentItem, "setSelectedRectZIndex", {QVariant(static_cast<double>(scene->z()))});
    if (old && old != parentItem)
        old->setVisible(false);
}

void ColorTextWidget::push()
{
    if (QObject* scene = m_impl->mainItem.data())
        scene->setProperty("widgetStr", QString::fromStdString(recordJson()));
}

bool ColorTextWidget::patch(const char* operation, const Ptr& member, const json& value)
{
    json& content = m_impl->content;
    try {
        if (content.contains(member) && content.at(member) == value) {
            LOG_D("%s same value. no op", qualified(operation).c_str());
            return false;
        }
        content[member] = value;
    } catch (const std::exception& e) {
        LOG_E("%s refused, the content cannot take it: %s", qualified(operation).c_str(), e.what());
        return false;
    }
    push();
    return true;
}

void ColorTextWidget::setSource(std::string source)
{
    const json parsed = ns::jsonread::parse(source);
    const std::string refusal = parsed.is_discarded() ? "is not JSON text in UTF-8" : refusalOf(parsed);
    if (!refusal.empty()) {
        LOG_E("ColorTextWidget::setSource refused, the content %s: %.200s", refusal.c_str(), source.c_str());
        return;
    }
    if (parsed == m_impl->content) {
        LOG_D("%s same value. no op", qualified("setSource").c_str());
        return;
    }
    m_impl->content = parsed;
    push();
}

void ColorTextWidget::setColorfulEnable(bool enable)
{
    patch("setColorfulEnable", Ptr("/textAttributes/colorfulEnable"), enable);
}

void ColorTextWidget::setColors(std::string colors)
{
    json list = json::array();
    bool any = false;
    size_t start = 0;
    while (true) {
        const size_t comma = colors.find(',', start);
        const std::string part =
            colors.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (!part.empty() && !isColor(part)) {
            LOG_E("ColorTextWidget::setColors refused, \"%.100s\" is not a colour", part.c_str());
            return;
        }
        any = any || !part.empty();
        list.push_back(part);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    if (!any) {
        LOG_E("ColorTextWidget::setColors refused, no colour in \"%.100s\"", colors.c_str());
        return;
    }
    patch("setColors", Ptr("/textAttributes/effects/colors"), list);
}

void ColorTextWidget::setColorfulType(int type)
{
    if (type < 0 || type > 4) {
        LOG_E("ColorTextWidget::setColorfulType refused, unknown type %d", type);
        return;
    }
    patch("setColorfulType", Ptr("/textAttributes/effects/type"), kColorfulTypes[type]);
}

void ColorTextWidget::setTexturePath(std::string path)
{
    if (!isUtf8(path)) {
        LOG_E("ColorTextWidget::setTexturePath refused, the path is not UTF-8 text");
        return;
    }
    if (content().contains(Ptr("/textAttributes/effects/TempTexturePath")) &&
        content().at(Ptr("/textAttributes/effects/TempTexturePath")) == path) {
        LOG_D("%s same value. no op", qualified("setTexturePath").c_str());
        return;
    }
    m_impl->content[Ptr("/textAttributes/effects/texture")] = path;
    patch("setTexturePath", Ptr("/textAttributes/effects/TempTexturePath"), path);
}

void ColorTextWidget::setStroke(bool enable)
{
    patch("setStroke", Ptr("/textAttributes/strokeEnable"), enable);
}

void ColorTextWidget::setStrokeWidth(int width)
{
    if (width < 0 || width > kMaxStrokeWidth) {
        LOG_E("ColorTextWidget::setStrokeWidth refused, %d is outside 0 to %d", width, kMaxStrokeWidth);
        return;
    }
    patch("setStrokeWidth", Ptr("/textAttributes/strokeWidth"), width);
}

void ColorTextWidget::setStrokeColor(std::string color)
{
    if (!isColor(color)) {
        LOG_E("ColorTextWidget::setStrokeColor refused, \"%.100s\" is not a colour", color.c_str());
        return;
    }
    patch("setStrokeColor", Ptr("/textAttributes/strokeColor"), color);
}

void ColorTextWidget::setDisplayType(int type)
{
    if (type < 0 || type > 3) {
        LOG_E("ColorTextWidget::setDisplayType refused, unknown type %d", type);
        return;
    }
    patch("setDisplayType", Ptr("/type"), kDisplayTypes[type]);
}

void ColorTextWidget::setBackgroundColor(std::string color)
{
    if (!isColor(color)) {
        LOG_E("ColorTextWidget::setBackgroundColor refused, \"%.100s\" is not a colour", color.c_str());
        return;
    }
    std::string& current = widgetPrivate()->record.backgroundColor;
    if (current == color) {
        LOG_D("%s same value. no op", qualified("setBackgroundColor").c_str());
        return;
    }
    current = color;
    push();
}

void ColorTextWidget::setBlink(bool enable)
{
    patch("setBlink", Ptr("/twinkleAttributes/enable"), enable);
}

void ColorTextWidget::setYOffset(int offset)
{
    if (offset < -kMaxOffset || offset > kMaxOffset) {
        LOG_E("ColorTextWidget::setYOffset refused, %d is outside -%d to %d", offset, kMaxOffset, kMaxOffset);
        return;
    }
    patch("setYOffset", Ptr("/offset/y"), offset);
}

void ColorTextWidget::setText(std::string text)
{
    if (!isUtf8(text) || text.size() > kMaxTextBytes) {
        LOG_E("ColorTextWidget::setText refused, the text is not UTF-8 or longer than %zu bytes",
              kMaxTextBytes);
        return;
    }
    const json type = content().value("type", json("STATIC"));
    if (type == "SCROLL" || type == "OBO" || type == 1) {
        patch("setText", Ptr("/content"), text);
        return;
    }
    // A static text takes the lighter path: the item replaces its text layers only.
    if (content().value("content", json()) == text) {
        LOG_D("%s same value. no op", qualified("setText").c_str());
        return;
    }
    m_impl->content["content"] = text;
    if (QObject* scene = m_impl->mainItem.data())
        invokeIfPresent(scene, "setContentStr", {QVariant(QString::fromStdString(text))});
}

void ColorTextWidget::setTextColor(std::string color)
{
    if (!isColor(color)) {
        LOG_E("ColorTextWidget::setTextColor refused, \"%.100s\" is not a colour", color.c_str());
        return;
    }
    patch("setTextColor", Ptr("/textAttributes/textColor"), color);
}

void ColorTextWidget::setFontSize(int size)
{
    const double spacing = number(content(), "/paragraphAttributes/lineSpacing", 0);
    if (size < 1 || size > kMaxFontSize || size + spacing < 1) {
        LOG_E("ColorTextWidget::setFontSize refused, %d is outside 1 to %d or makes a line lower than 1",
              size, kMaxFontSize);
        return;
    }
    patch("setFontSize", Ptr("/textAttributes/font/size"), size);
}

void ColorTextWidget::setFontFamily(std::string family)
{
    if (family.empty() || !isUtf8(family) || family.size() > 256) {
        LOG_E("ColorTextWidget::setFontFamily refused, \"%.100s\" is no font family name", family.c_str());
        return;
    }
    patch("setFontFamily", Ptr("/textAttributes/font/family"), json::array({family}));
}

void ColorTextWidget::setFontBold(bool bold)
{
    const json style = content().value(Ptr("/textAttributes/font/style"), json("NORMAL"));
    const bool italic = style == "ITALIC" || style == "BOLD_ITALIC" || style == 2 || style == 3;
    patch("setFontBold", Ptr("/textAttributes/font/style"),
          italic ? (bold ? "BOLD_ITALIC" : "ITALIC") : (bold ? "BOLD" : "NORMAL"));
}

void ColorTextWidget::setFontItalic(bool italic)
{
    const json style = content().value(Ptr("/textAttributes/font/style"), json("NORMAL"));
    const bool bold = style == "BOLD" || style == "BOLD_ITALIC" || style == 0 || style == 3;
    patch("setFontItalic", Ptr("/textAttributes/font/style"),
          bold ? (italic ? "BOLD_ITALIC" : "BOLD") : (italic ? "ITALIC" : "NORMAL"));
}

void ColorTextWidget::setFontUnderline(bool underline)
{
    patch("setFontUnderline", Ptr("/textAttributes/font/isUnderline"), underline);
}

void ColorTextWidget::setLineSpacing(int spacing)
{
    const double size = number(content(), "/textAttributes/font/size", 32);
    if (spacing > kMaxSpacing || size + spacing < 1) {
        LOG_E("ColorTextWidget::setLineSpacing refused, %d makes a line height below 1 or is above %d",
              spacing, kMaxSpacing);
        return;
    }
    patch("setLineSpacing", Ptr("/paragraphAttributes/lineSpacing"), static_cast<double>(spacing));
}

void ColorTextWidget::setLetterSpacing(int spacing)
{
    if (spacing < -kMaxSpacing || spacing > kMaxSpacing) {
        LOG_E("ColorTextWidget::setLetterSpacing refused, %d is outside -%d to %d", spacing, kMaxSpacing,
              kMaxSpacing);
        return;
    }
    patch("setLetterSpacing", Ptr("/textAttributes/letterSpacing"), spacing);
}

void ColorTextWidget::setVerticalAlignment(int alignment)
{
    if (alignment < 0 || alignment > 2) {
        LOG_E("ColorTextWidget::setVerticalAlignment refused, unknown alignment %d", alignment);
        return;
    }
    patch("setVerticalAlignment", Ptr("/paragraphAttributes/verticalAlignment"),
          kVerticalAlignments[alignment]);
}

void ColorTextWidget::setHorizontalAlignment(int alignment)
{
    if (alignment < 0 || alignment > 2) {
        LOG_E("ColorTextWidget::setHorizontalAlignment refused, unknown alignment %d", alignment);
        return;
    }
    patch("setHorizontalAlignment", Ptr("/paragraphAttributes/horizontalAlignment"),
          kHorizontalAlignments[alignment]);
}

void ColorTextWidget::setScrollType(int type)
{
    patch("setScrollType", Ptr("/scrollAttributes/effects/speedByPixelEnable"), type != 0);
}

void ColorTextWidget::setScrollSpeed(int speed)
{
    if (speed < 0 || speed > 500)
        LOG_W("ColorTextWidget::setScrollSpeed %d is outside 0 to 500, the text scrolls at 60", speed);
    patch("setScrollSpeed", Ptr("/scrollAttributes/effects/speed"), speed);
}

void ColorTextWidget::setScrollHeadTail(bool headTail)
{
    patch("setScrollHeadTail", Ptr("/scrollAttributes/effects/isHeadTail"), headTail);
}

void ColorTextWidget::setScrollDirection(int direction)
{
    patch("setScrollDirection", Ptr("/scrollAttributes/effects/animation"),
          direction != 0 ? "MARQUEE_RIGHT" : "MARQUEE_LEFT");
}

void ColorTextWidget::setScrollHeadTailSpacing(int spacing)
{
    if (spacing < 0 || spacing > kMaxHeadTailSpacing) {
        LOG_E("ColorTextWidget::setScrollHeadTailSpacing refused, %d is outside 0 to %d", spacing,
              kMaxHeadTailSpacing);
        return;
    }
    patch("setScrollHeadTailSpacing", Ptr("/scrollAttributes/effects/headTailSpacing"),
          std::to_string(spacing));
}

void ColorTextWidget::grabWidgetImage(std::string path, bool autoUpdate)
{
    Q_UNUSED(autoUpdate)
    LOG_D("ColorTextWidget::grabWidgetImage path = %s", path.c_str());
    if (path.empty() || !isUtf8(path)) {
        LOG_E("ColorTextWidget::grabWidgetImage refused, the path is empty or not UTF-8");
        return;
    }
    if (QObject* scene = m_impl->mainItem.data())
        invokeIfPresent(scene, "getQmlImage", {QVariant(QString::fromStdString(path))});
}

void ColorTextWidget::setWidgetVisible(bool visible)
{
    LOG_D("ColorTextWidget::setWidgetVisible visible = %d", visible ? 1 : 0);
    if (QObject* scene = m_impl->mainItem.data())
        invokeIfPresent(scene, "setVisible", {QVariant(visible)});
}

} // namespace dorvo_preview
