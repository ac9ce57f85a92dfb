#include "textwidget.h"

#include "channel/messagecontrol.h"
#include "channel/playchannel.h"
#include "core/appcommon/richtextcontent.h"
#include "core/appcommon/jsonread.h"
#include "core/src/enginehost.h"
#include "logging/log.h"
#include "private/widgetprivate.h"
#include "utils/metainvoke.h"

#include <QColor>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QTimer>

namespace dorvo_preview {

namespace {

// Media type of rich text (the record's "RICH_TEXT").
constexpr int kRichTextMediaType = 6;
const char* const kRichTextType = "RICH_TEXT";
const char* const kScenePath = "qrc:/preview/qml/text/RichTextScale.qml";
// Delay between a re-creation and the automatic re-grab of the page images.
constexpr int kRefreshDelayMs = 300;
// Time one turn of the event loop may spend building text scenes.
constexpr qint64 kRebuildBudgetMs = 8;
// Longest wait for queued calls to run before the scenes are built anyway.
constexpr qint64 kRebuildDeferMs = 100;
// Page time and effect of the hidden copy that writes the page images.
constexpr int kGrabRemainDuration = 200;

void callScene(QObject* scene, const char* function, const QVariant& arg)
{
    if (!scene)
        return;
    QVariant result;
    if (!QMetaObject::invokeMethod(scene, function, Q_RETURN_ARG(QVariant, result), Q_ARG(QVariant, arg)))
        LOG_E("TextWidget scene has no function %s", function);
}

void deleteScene(QObject* scene)
{
    if (!scene)
        return;
    if (auto* item = qobject_cast<QQuickItem*>(scene))
        item->setVisible(false);
    scene->deleteLater();
}

} // namespace

struct TextWidgetPrivate
{
    std::string source;
    ns::RichTextContent content;
    bool textAntialiasing = false;
    QPointer<QObject> mainItem;
    QPointer<QObject> grabItem;
    QTimer* refreshTimer = nullptr;
    bool initialised = false;
    bool shown = false;
    // A rebuild is asked for and waits for the current batch of setters to end.
    bool rebuildPending = false;
    bool autoUpdateImages = false;
    std::string grabPath;
};

TextWidget::TextWidget(Window* window, QObject* parentItem, QObject* parent)
    : Widget(window, parentItem, parent), m_impl(std::make_unique<TextWidgetPrivate>())
{}

TextWidget::~TextWidget()
{
    deleteMainItem();
    deleteGrabItem();
}

int TextWidget::type() const
{
    return kRichTextMediaType;
}

QObject* TextWidget::contentItem() const
{
    return m_impl->mainItem.data();
}

void TextWidget::ensureRecord()
{
    ns::Widget& record = widgetPrivate()->record;
    if (!m_impl->initialised) {
        m_impl->initialised = true;
        const std::string& creation = defaultContent();
        LOG_I("widget init %s", creation.c_str());
        std::string reason;
        if (!creation.empty() && !ns::Widget::fromJson(creation, record, &reason))
            LOG_E("TextWidget creation record is %s, using defaults", reason.c_str());
        try {
            auto it = record.metadata.find("content");
            if (it != record.metadata.end())
                ns::from_json(*it, m_impl->content);
            auto jagged = record.metadata.find("textAntialiasing");
            if (jagged != record.metadata.end() && jagged->is_boolean())
                m_impl->textAntialiasing = jagged->get<bool>();
        } catch (const std::exception& e) {
            LOG_E("TextWidget creation content cannot be read: %s", e.what());
        }
    }
    record.id = uuid();
    record.type = kRichTextType;
}

std::string TextWidget::recordJson() const
{
    const_cast<TextWidget*>(this)->ensureRecord();
    ns::Widget record = widgetPrivate()->record;
    // The frame's geometry as the host last set it: a scene built after the
    // setters of a batch must not put the frame back where it was created.
    if (QObject* frame = item()) {
        record.layout.x = frame->property("x").toDouble();
        record.layout.y = frame->property("y").toDouble();
        record.layout.width = frame->property("width").toDouble();
        record.layout.height = frame->property("height").toDouble();
    }
    record.metadata["textAntialiasing"] = m_impl->textAntialiasing;
    record.metadata["content"] = m_impl->content;
    return record.toJson();
}

bool TextWidget::isScroll() const
{
    const_cast<TextWidget*>(this)->ensureRecord();
    return m_impl->content.displayStyle.type == ns::DisplayType::SCROLL;
}

void TextWidget::deleteMainItem()
{
    QObject* item = m_impl->mainItem.data();
    if (!item)
        return;
    LOG_D("delete obj typeid *item:%s, name:%s", item->metaObject()->className(),
          item->objectName().toUtf8().constData());
    LOG_D("deleteQml");
    m_impl->mainItem.clear();
    deleteScene(item);
}

void TextWidget::deleteGrabItem()
{
    QObject* item = m_impl->grabItem.data();
    if (!item)
        return;
    LOG_D("deleteGrabQml");
    m_impl->grabItem.clear();
    deleteScene(item);
}

QObject* TextWidget::createScene(const std::string& json, bool grabCopy)
{
    QObject* frame = item();
    if (!frame) {
        LOG_E("TextWidget has no widget item");
        return nullptr;
    }
    if (!grabCopy)
        return createChildItem(frame, QString::fromStdString(json));

    // The hidden copy does not replace the frame's content: it is made here,
    // beside the visible scene.
    auto* frameItem = qobject_cast<QQuickItem*>(frame);
    QQmlEngine* engine = qmlEngine(frame);
    if (!frameItem || !engine) {
        LOG_E("TextWidget cannot make the image copy: no engine");
        return nullptr;
    }
    auto* holder = frameItem->findChild<QQuickItem*>(QStringLiteral("rectTemp"));
    QQmlComponent component(engine, QUrl(QString::fromLatin1(kScenePath)));
    QQmlContext* context = qmlContext(frame);
    QObject* object = component.beginCreate(context ? context : engine->rootContext());
    auto* scene = qobject_cast<QQuickItem*>(object);
    if (!scene) {
        LOG_E("TextWidget cannot make the image copy: %s", component.errorString().toUtf8().constData());
        delete object;
        return nullptr;
    }
    scene->setParentItem(holder ? holder : frameItem);
    scene->setProperty("widgetStr", QString::fromStdString(json));
    component.completeCreate();
    return scene;
}

void TextWidget::recreate()
{
    if (!m_impl->shown || m_impl->rebuildPending)
        return;
    // Setters come in bursts (a host sets up a widget with many calls, run in
    // one batch): the scene is built once, at the next turn of the event loop.
    m_impl->rebuildPending = true;
    // Many widgets asking at once (a program being loaded) are built a few
    // milliseconds' worth at a time, so that frames are still drawn between.
    rebuildQueue().push_back(this);
    if (!rebuildScheduled()) {
        rebuildScheduled() = true;
        QTimer::singleShot(0, QCoreApplication::instance(), &TextWidget::flushRebuilds);
    }
}

std::deque<QPointer<TextWidget>>& TextWidget::rebuildQueue()
{
    static std::deque<QPointer<TextWidget>> queue;
    return queue;
}

bool& TextWidget::rebuildScheduled()
{
    static bool scheduled = false;
    return scheduled;
}

void TextWidget::flushRebuilds()
{
    rebuildScheduled() = false;
    // While the host's calls are still queued, more setters for the same
    // widgets are likely among them: the first turns of a round of rebuilds
    // wait for them (a little), so that each scene is built once.
    static QElapsedTimer round;
    if (!round.isValid())
        round.start();
    std::shared_ptr<PlayChannel> channel = EngineHost::instance()->getPlayChannel();
    if (channel && channel->control()->queued() && channel->control()->pending() > 0 &&
        round.elapsed() < kRebuildDeferMs) {
        rebuildScheduled() = true;
        QTimer::singleShot(1, QCoreApplication::instance(), &TextWidget::flushRebuilds);
        return;
    }
    auto& queue = rebuildQueue();
    QElapsedTimer spent;
    spent.start();
    while (!queue.empty() && spent.elapsed() < kRebuildBudgetMs) {
        QPointer<TextWidget> widget = queue.front();
        queue.pop_front();
        if (widget)
            widget->rebuildNow();
    }
    if (queue.empty()) {
        round.invalidate();
        return;
    }
    rebuildScheduled() = true;
    QTimer::singleShot(0, QCoreApplication::instance(), &TextWidget::flushRebuilds);
}

void TextWidget::rebuildNow()
{
    if (!m_impl->rebuildPending)
        return;
    m_impl->rebuildPending = false;
    if (!m_impl->shown)
        return;
    if (m_impl->mainItem)
        keepBackground();
    deleteMainItem();
    ensureRecord();
    QObject* scene = createScene(recordJson(), false);
    if (!scene) {
        LOG_E("TextWidget scene could not be created");
        return;
    }
    m_impl->mainItem = scene;
    callScene(scene, "setVisible", true);
    onItemStarted(QString());
    if (m_impl->autoUpdateImages) {
        if (!m_impl->refreshTimer) {
            m_impl->refreshTimer = new QTimer(this);
            m_impl->refreshTimer->setSingleShot(true);
            connect(m_impl->refreshTimer, &QTimer::timeout, this,
                    [this] { grabWidgetImage(m_impl->grabPath, true); });
        }
        m_impl->refreshTimer->stop();
        deleteGrabItem();
        m_impl->refreshTimer->start(kRefreshDelayMs);
    }
}

void TextWidget::widgetShow()
{
    LOG_I("TextWidget::widgetShow");
    m_impl->shown = true;
    recreate();
}

void TextWidget::widgetHide()
{
    LOG_I("TextWidget::widgetHide");
    m_impl->shown = false;
    deleteMainItem();
}

void TextWidget::attachToItem(QObject* target)
{
    rebuildNow();
    moveContent(m_impl->mainItem.data(), target, "TextWidget");
}

void TextWidget::setSource(std::string source)
{
    if (source == m_impl->source) {
        LOG_D("TextWidget::setSource source == m_impl->m_source");
        return;
    }
    ensureRecord();
    // Content that cannot be read is refused and the widget keeps what it shows.
    std::string why;
    ns::RichTextContent content = m_impl->content;
    if (!ns::readRichTextSource(source, content, why)) {
        LOG_E("TextWidget::setSource refused, the content is %s: %.200s", why.c_str(), source.c_str());
        return;
    }
    m_impl->source = std::move(source);
    m_impl->content = std::move(content);
    recreate();
}

void TextWidget::setDisplayType(int type)
{
    ensureRecord();
    ns::DisplayType value;
    if (!ns::parseDisplayType(nlohmann::json(type), value)) {
        LOG_E("TextWidget::setDisplayType invalid type %d", type);
        return;
    }
    if (m_impl->content.displayStyle.type == value) {
        LOG_D("%d same value. no op", type);
        return;
    }
    m_impl->content.displayStyle.type = value;
    recreate();
}

void TextWidget::setPageSwitchTime(int time)
{
    ensureRecord();
    int& remain = m_impl->content.displayStyle.pageSwitchAttributes.remainDuration;
    if (time == remain) {
        LOG_D("TextWidget::setPageSwitchTime time == remainDuration");
        return;
    }
    if (time <= 0) {
        LOG_E("TextWidget::setPageSwitchTime invalid time %d", time);
        return;
    }
    remain = time;
    recreate();
}

void TextWidget::setPageSwitchAnimationType(int type)
{
    ensureRecord();
    int& current = m_impl->content.displayStyle.pageSwitchAttributes.inAnimation.type;
    if (current == type) {
        LOG_D("%d same value. no op", type);
        return;
    }
    current = type;
    recreate();
}

void TextWidget::setPageSwitchAnimationTime(int time)
{
    ensureRecord();
    int& current = m_impl->content.displayStyle.pageSwitchAttributes.inAnimation.duration;
    if (current == time) {
        LOG_D("%d same value. no op", time);
        return;
    }
    if (time < 0) {
        LOG_E("TextWidget::setPageSwitchAnimationTime invalid time %d", time);
        return;
    }
    current = time;
    recreate();
}

void TextWidget::setBackgroundColor(std::string color)
{
    ensureRecord();
    if (color.empty() || !QColor::isValidColor(QString::fromStdString(color))) {
        LOG_E("TextWidget::setBackgroundColor invalid colour %s", color.c_str());
        return;
    }
    std::string& current = widgetPrivate()->record.backgroundColor;
    if (current == color) {
        LOG_D("%s same value. no op", color.c_str());
        return;
    }
    current = color;
    recreate();
}

void TextWidget::setScrollSpeed(int speed)
{
    if (!isScroll()) {
        LOG_E("setScrollSpeed only support scroll type");
        return;
    }
    int& current = m_impl->content.displayStyle.effects.speed;
    if (current == speed) {
        LOG_D("%d same value. no op", speed);
        return;
    }
    if (speed < 0 || speed > 500)
        LOG_W("TextWidget::setScrollSpeed %d is out of range, the text scrolls at 60", speed);
    current = speed;
    recreate();
}

void TextWidget::setScrollDirection(int direction)
{
    if (!isScroll()) {
        LOG_E("setScrollDirection only support scroll type");
        return;
    }
    ns::ScrollAnimation value;
    if (!ns::parseScrollAnimation(nlohmann::json(direction), value)) {
        LOG_E("TextWidget::setScrollDirection invalid direction %d", direction);
        return;
    }
    if (m_impl->content.displayStyle.effects.animation == value) {
        LOG_D("direction not change");
        return;
    }
    m_impl->content.displayStyle.effects.animation = value;
    recreate();
}

void TextWidget::setScrollIsEndToEnd(bool endToEnd)
{
    if (!isScroll()) {
        LOG_E("setScrollIsEndToEnd only support scroll type");
        return;
    }
    bool& current = m_impl->content.displayStyle.effects.isHeadTail;
    if (current == endToEnd) {
        LOG_D("%d same value. no op", endToEnd ? 1 : 0);
        return;
    }
    current = endToEnd;
    recreate();
}

void TextWidget::setScrollHeadToTailSpacing(int spacing)
{
    if (!isScroll()) {
        LOG_E("setScrollHeadToTailSpacing only support scroll type");
        return;
    }
    if (spacing < 0) {
        LOG_E("TextWidget::setScrollHeadToTailSpacing invalid spacing %d", spacing);
        return;
    }
    std::string& current = m_impl->content.displayStyle.effects.headTailSpacing;
    const std::string value = std::to_string(spacing);
    if (current == value) {
        LOG_D("%d same value. no op", spacing);
        return;
    }
    current = value;
    recreate();
}

void TextWidget::setVerticalOffset(int offset)
{
    ensureRecord();
    int& current = m_impl->content.displayStyle.offset.y;
    if (current == offset) {
        LOG_D("%d same value. no op", offset);
        return;
    }
    current = offset;
    recreate();
}

void TextWidget::setTextJagged(bool jagged)
{
    ensureRecord();
    if (m_impl->textAntialiasing == jagged) {
        LOG_D("%d same value. no op", jagged ? 1 : 0);
        return;
    }
    m_impl->textAntialiasing = jagged;
    recreate();
}

void TextWidget::setSyncByMusic(bool sync)
{
    ensureRecord();
    bool& current = m_impl->content.backgroundMusic.isTextSync;
    if (current == sync) {
        LOG_D("%d same value. no op", sync ? 1 : 0);
        return;
    }
    current = sync;
    recreate();
}

void TextWidget::setBackMusicDuration(int duration)
{
    if (musicInfo().isEmpty()) {
        LOG_E("setBackMusicDuration backMusicValid false");
        return;
    }
    // The frame plays the music; the text paces itself to its length.
    Widget::setBackMusicDuration(duration);
    if (duration < 1)
        return;
    ensureRecord();
    int& current = m_impl->content.backgroundMusic.duration;
    if (current == duration) {
        LOG_D("%d same value. no op", duration);
        return;
    }
    current = duration;
    recreate();
}

void TextWidget::grabWidgetImage(std::string path, bool autoUpdate)
{
    LOG_D("TextWidget::grabWidgetImage path = %s", path.c_str());
    if (path.empty()) {
        LOG_E("TextWidget::grabWidgetImage empty path");
        return;
    }
    m_impl->grabPath = path;
    m_impl->autoUpdateImages = autoUpdate;
    if (isScroll()) {
        if (m_impl->grabItem)
            callScene(m_impl->grabItem.data(), "getQmlImage", QString::fromStdString(path));
        else
            LOG_D("TextWidget::grabWidgetImage a scrolling text has no image copy");
        return;
    }
    // The copy shows every page briefly and without an effect.
    auto& pages = m_impl->content.displayStyle.pageSwitchAttributes;
    const int remain = pages.remainDuration;
    const int effect = pages.inAnimation.type;
    pages.remainDuration = kGrabRemainDuration;
    pages.inAnimation.type = 0;
    const std::string json = recordJson();
    pages.remainDuration = remain;
    pages.inAnimation.type = effect;

    deleteGrabItem();
    QObject* copy = createScene(json, true);
    if (!copy)
        return;
    m_impl->grabItem = copy;
    callScene(copy, "setVisible", false);
    callScene(copy, "getQmlImage", QString::fromStdString(path));
}

} // namespace dorvo_preview
