#include "nwpagelayout.h"

#include "core/src/textpagelayout.h"
#include "logging/log.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QRunnable>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <list>
#include <mutex>
#include <utility>

namespace dorvo_preview {

namespace {

// Finished layouts of the last few texts, keyed by text, formats and size.
class LayoutCache
{
public:
    static LayoutCache& instance()
    {
        static LayoutCache cache;
        return cache;
    }
    bool find(const QByteArray& key, QStringList* pages)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            if (it->first == key) {
                *pages = it->second;
                m_entries.splice(m_entries.begin(), m_entries, it);
                return true;
            }
        }
        return false;
    }
    void add(const QByteArray& key, const QStringList& pages)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_entries.emplace_front(key, pages);
        while (m_entries.size() > kEntries)
            m_entries.pop_back();
    }

private:
    static constexpr size_t kEntries = 8;
    std::mutex m_mutex;
    std::list<std::pair<QByteArray, QStringList>> m_entries;
};

// The worker of long layouts: one at a time (a cancelled layout ends at its
// next page); the application waits for a running one when it quits, so no
// layout outlives the fonts.
QThreadPool& layoutPool()
{
    static QThreadPool pool;
    static const bool configured = [] {
        pool.setMaxThreadCount(1);
        if (QCoreApplication* app = QCoreApplication::instance())
            QObject::connect(app, &QCoreApplication::aboutToQuit, &pool, [] { pool.waitForDone(); });
        return true;
    }();
    Q_UNUSED(configured);
    return pool;
}

QByteArray keyOf(const QVector<TextPageLayout::Paragraph>& paragraphs, int width, int height, int* chars)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    *chars = 0;
    auto add = [&hash](const QString& s) {
        const int n = s.size();
        hash.addData(reinterpret_cast<const char*>(&n), sizeof n);
        hash.addData(reinterpret_cast<const char*>(s.constData()), n * int(sizeof(QChar)));
    };
    const int size[] = {width, height};
    hash.addData(reinterpret_cast<const char*>(size), sizeof size);
    for (const auto& p : paragraphs) {
        add(p.head);
        for (const auto& line : p.lines) {
            add(QStringLiteral("\n"));
            for (const auto& run : line) {
                add(run.text);
                add(run.open);
                add(run.close);
                *chars += run.text.size();
            }
        }
    }
    return hash.result();
}

} // namespace

// A layout on a worker thread. The owner is cleared (under the mutex) when
// the component goes away; pages are posted to it only while it is set.
struct NWPageLayout::Job
{
    std::mutex mutex;
    NWPageLayout* owner = nullptr;
    std::atomic_bool cancelled{false};

    // Runs f(owner) on the owner's thread, unless the owner has gone or
    // started another layout by then.
    void post(const std::shared_ptr<Job>& self, std::function<void(NWPageLayout*)> f)
    {
        std::lock_guard<std::mutex> lock(mutex);
        NWPageLayout* o = owner;
        if (o)
            QMetaObject::invokeMethod(
                o,
                [o, self, f] {
                    if (o->m_job == self)
                        f(o);
                },
                Qt::QueuedConnection);
    }
    void detach()
    {
        cancelled = true;
        std::lock_guard<std::mutex> lock(mutex);
        owner = nullptr;
    }
};

NWPageLayout::NWPageLayout(QObject* parent) : QObject(parent) {}

NWPageLayout::~NWPageLayout()
{
    if (m_job)
        m_job->detach();
}

QStringList NWPageLayout::layout(const QVariant& paragraphs, int width, int height, int maxPages)
{
    TextPageLayout engine;
    return engine.layout(TextPageLayout::fromVariant(paragraphs), width, height, maxPages);
}

void NWPageLayout::cancel()
{
    if (!m_job)
        return;
    m_job->detach();
    m_job.reset();
    emit runningChanged();
}

void NWPageLayout::start(const QVariant& paragraphs, int width, int height)
{
    cancel();
    if (!m_pages.isEmpty()) {
        m_pages.clear();
        emit pagesChanged();
    }
    auto input =
        std::make_shared<QVector<TextPageLayout::Paragraph>>(TextPageLayout::fromVariant(paragraphs));
    int chars = 0;
    const QByteArray key = keyOf(*input, width, height, &chars);
    QStringList cached;
    if (LayoutCache::instance().find(key, &cached)) {
        for (const QString& page : cached)
            addPage(page);
        finish(cached);
        return;
    }
    if (chars <= kAtOnceChars || width <= 0 || height <= 0) {
        TextPageLayout engine;
        const QStringList pages =
            engine.layout(*input, width, height, 0, [this](const QString& page) { addPage(page); });
        if (width > 0 && height > 0)
            LayoutCache::instance().add(key, pages);
        finish(pages);
        return;
    }
    auto job = std::make_shared<Job>();
    job->owner = this;
    m_job = job;
    emit runningChanged();
    LOG_I("[RichText] laying out %d characters off the GUI thread", chars);
    layoutPool().start(QRunnable::create([job, input, key, width, height] {
        QElapsedTimer timer;
        timer.start();
        TextPageLayout engine;
        const QStringList pages = engine.layout(
            *input, width, height, 0,
            [&job](const QString& page) { job->post(job, [page](NWPageLayout* o) { o->addPage(page); }); },
            &job->cancelled);
        if (job->cancelled)
            return;
        LayoutCache::instance().add(key, pages);
        LOG_I("[RichText] %d pages in %lld ms, %d measurements", int(pages.size()),
              static_cast<long long>(timer.elapsed()), engine.measurements());
        job->post(job, [pages](NWPageLayout* o) { o->finish(pages); });
    }));
}

void NWPageLayout::addPage(const QString& page)
{
    m_pages.push_back(page);
    emit pagesChanged();
    emit pageAdded(m_pages.size() - 1, page);
}

void NWPageLayout::finish(const QStringList& pages)
{
    const bool wasRunning = m_job != nullptr;
    m_job.reset();
    if (m_pages != pages) {
        m_pages = pages;
        emit pagesChanged();
    }
    if (wasRunning)
        emit runningChanged();
    emit finished(m_pages.size());
}

} // namespace dorvo_preview
