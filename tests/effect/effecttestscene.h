#pragma once

// Shared pieces of the effect tests: the application, a capture of Qt's
// messages, the test scene in a view and pixel sampling.

#include "support/qtapp.h"

#include <QColor>
#include <QImage>
#include <QQuickItem>
#include <QQuickView>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace effecttest {

// The test scene's colours.
extern const QRgb kBackdrop;
// Centre of the page's transparent cell.
extern const QPoint kTransparentCell;

// Creates the application once; registerTypes false leaves the native QML
// types unregistered (for the first call of a process only).
void ensureApp(bool registerTypes = true);

// Qt messages (qDebug, console.log, warnings) since the last clear.
QStringList messages();
QStringList warnings();
void clearMessages();
bool hasMessage(const QString& text);

using testsupport::spinUntil;
void pump(int ms);

class Scene
{
public:
    Scene();
    ~Scene();
    bool ok() const { return root_ != nullptr; }
    QQuickItem* root() const { return root_; }
    QQuickView* view() const { return view_.get(); }

    QObject* makeEffect(const QVariant& inAnimation);
    QObject* makeEffect(int code, int duration);
    QObject* effect() const;
    QObject* effectObj() const;
    int endCount() const;
    void call(const char* function);
    void showPage(bool shown);
    QImage grab();

private:
    std::unique_ptr<QQuickView> view_;
    QQuickItem* root_ = nullptr;
};

bool same(QRgb a, QRgb b, int tolerance = 3);
// Number of sample points (a grid over the scene) whose colours differ.
int differingSamples(const QImage& a, const QImage& b, int tolerance = 3);
int sampleCount(const QImage& image);
// Number of sample points that are nearly black (nothing in the scene is).
int blackSamples(const QImage& image);

} // namespace effecttest
