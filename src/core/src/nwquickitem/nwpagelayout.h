#pragma once

#include <QObject>
#include <QStringList>
#include <QVariant>

#include <memory>

namespace dorvo_preview {

// The text components' page layout (QML type NWPageLayout, an.kest.text 1.0).
// Input: [{ head, lines: [[{ text, open, close }]] }], the paragraphs with
// their runs' HTML wrapping resolved (jRichText.js builds it). The rules are
// those of TextPageLayout.
//
// start() lays a short text out at once (pageAdded and finished are emitted
// before it returns); a longer one is laid out on a worker thread and its
// pages arrive one by one, the first as soon as it is complete. Layouts are
// kept for a few texts, so that a scene rebuilt with the same text and size
// gets its pages at once. Thread: the Qt GUI thread.
class NWPageLayout : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList pages READ pages NOTIFY pagesChanged)
    Q_PROPERTY(bool running READ running NOTIFY runningChanged)

public:
    explicit NWPageLayout(QObject* parent = nullptr);
    ~NWPageLayout() override;

    QStringList pages() const { return m_pages; }
    bool running() const { return m_job != nullptr; }

    // Lays out at once on the calling thread; stops after maxPages pages
    // when maxPages > 0.
    Q_INVOKABLE QStringList layout(const QVariant& paragraphs, int width, int height, int maxPages = 0);
    // Lays out as described above; a layout still running is cancelled.
    Q_INVOKABLE void start(const QVariant& paragraphs, int width, int height);
    Q_INVOKABLE void cancel();

    // Texts of up to this many characters are laid out at once.
    static constexpr int kAtOnceChars = 3000;

signals:
    void pageAdded(int index, const QString& page);
    void finished(int count);
    void pagesChanged();
    void runningChanged();

private:
    struct Job;
    void addPage(const QString& page);
    void finish(const QStringList& pages);

    QStringList m_pages;
    std::shared_ptr<Job> m_job;
};

} // namespace dorvo_preview
