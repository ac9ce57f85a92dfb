#pragma once

// A preview window of 800 x 600 with a 600 x 400 canvas on black, driven
// through the exported functions as a host drives it. Pictures of a widget
// come from the window's own scene (no screen reading). A suite derives from
// it and calls startEngine() from its SetUpTestSuite(); widgets listed in
// `made` are deleted after each test.

#include "support/previewwindow.h"
#include "support/scenewindow.h"

#include <QJSValue>

#include <vector>

namespace testsupport {

// A property of a scene object as a plain value, read on the Qt thread: a
// JavaScript value (a QML var) becomes maps, lists and strings, so that no
// handle into the QML engine leaves its thread.
inline QVariant plainProperty(const QObject* object, const char* name)
{
    QVariant value = object->property(name);
    if (value.userType() == qMetaTypeId<QJSValue>())
        value = value.value<QJSValue>().toVariant();
    return value;
}

class SceneFixture : public ::testing::Test
{
protected:
    // Starts the engine with a running path made from dirTemplate (mkdtemp)
    // and shows the window; beforeWindow runs once the engine has started,
    // before the window is made.
    static void startEngine(const char* dirTemplate, const std::function<void()>& beforeWindow = {})
    {
        startPreviewWindow(dirTemplate, PreviewWindowSetup{}, beforeWindow, runningPath, win);
        ASSERT_NE(win, nullptr);
        ASSERT_TRUE(within(
            15000, [] { return dorvo_preview::EngineHost::getWindow(win) != nullptr; },
            "the engine's window"));
        flush();
    }

    // quit() returns once the engine's loop has ended.
    static void TearDownTestSuite() { quit(); }

    void TearDown() override
    {
        for (const std::string& id : made)
            deleteWidget(id.c_str());
        flush();
    }

    // Places a widget the host made; it is deleted after the test.
    std::string place(const char* id, float x, float y, float w, float h)
    {
        EXPECT_NE(id, nullptr);
        if (!id)
            return "";
        made.emplace_back(id);
        setWidgetX(id, x);
        setWidgetY(id, y);
        setWidgetWidth(id, w);
        setWidgetHeight(id, h);
        return id;
    }

    static void onQtThread(const std::function<void()>& fn) { onQtThreadOf(win, fn); }

    // Waits until every posted call has run and the engine thread is idle;
    // fails the test when the engine does not get there.
    static void flush() { flushPosted(win); }

    // The widget's area of the window's picture.
    static QImage grab(const std::string& id) { return grabWidgetArea(win, id); }

    static std::string logText() { return logOf(runningPath); }

    std::vector<std::string> made;
    static inline const char* win = nullptr;
    static inline std::string runningPath;
};

} // namespace testsupport
