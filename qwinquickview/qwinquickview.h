#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class QQuickItem;
class QQuickView;
#include <QWindow>

namespace dorvo_preview {

// The Quick view of one preview window, shown as a native child of the host's
// window (or as a window of its own when the host gave none). Reports
// Ctrl+wheel turns over the view.
class QWinQuickView : public QObject
{
    Q_OBJECT
public:
    QWinQuickView(void* hostWindow, const QString& importPath);
    ~QWinQuickView() override;

    void setSource(const QUrl& url);
    QQuickItem* rootObject() const;
    QQuickView* quickView() const { return quickView_; }
    // The foreign window the view is embedded in, or null.
    QWindow* hostWindow() const { return host_; }

    void attach();
    void detach();
    void setX(float x);
    void setY(float y);
    void setWidth(float width);
    void setHeight(float height);
    bool setBackColor(const QString& color);

Q_SIGNALS:
    void mouseWheelChanged(QString direction);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyGeometry();
    void setSize(const char* which, float value, int& side);

    QQuickView* quickView_ = nullptr;
    QPointer<QWindow> host_;
    QString importPath_;
    bool hostMissing_ = false;
    int x_ = 0;
    int y_ = 0;
    int width_ = 0;
    int height_ = 0;
};

} // namespace dorvo_preview
