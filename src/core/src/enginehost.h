#pragma once

#include "core/engine/engine.h"

#include <memory>
#include <string>
#include <vector>

class QObject;

namespace dorvo_preview {

class PlayChannel;

// Process-wide state: the engine, the channel table, the window and widget
// registries, the identifier lists and the running path. All members may be
// called from any thread.
class EngineHost : public EngineProvider
{
public:
    static EngineHost* instance();

    Engine* getEngine() override;
    // Makes a Qt engine the engine (kind 0, the only kind). The form with
    // handles keeps an existing engine and stores the handles; the form
    // without always creates a new engine.
    bool config(int kind, void* moduleHandle, void* hostWindow);
    bool config(int kind);

    void setPlayChannel(const std::string& name, std::shared_ptr<PlayChannel> channel);
    // The channel registered as "default", or null.
    std::shared_ptr<PlayChannel> getPlayChannel();

    // Registries (id -> object). Lookups log a miss and return null.
    static QObject* getWindow(const std::string& id);
    static QObject* getWidget(const std::string& id);
    void addWindow(const std::string& id, QObject* window);
    void removeWindow(const std::string& id);
    void addWidget(const std::string& id, QObject* widget);
    void removeWidget(const std::string& id);
    // Removes the entry only while it still names this object.
    void removeWidget(const std::string& id, const QObject* expected);
    std::vector<QObject*> widgets() const;
    std::vector<QObject*> windows() const;
    // Whether a window has this id; logs nothing.
    bool hasWindow(const std::string& id) const;

    QObject* getAttachWindow();
    void setAttachWindow(QObject* window);
    // Forgets the attached window if it is this one.
    void clearAttachWindow(QObject* window);

    bool forcePaused() const;
    void setForcePaused(bool paused);

    // Set once quit() has ended the Qt event loop: the engine does not start
    // again, and the exports refuse every later call.
    void markStopped();
    bool stopped() const;

    // Stores an identifier for the life of the library and returns its characters.
    const char* storeWindowId(const std::string& id);
    const char* storeWidgetId(const std::string& id);
    size_t widgetIdCount() const;
    // A widget creation that ran and made nothing, noted by the listener for
    // the creating export waiting on it; take answers once per identifier.
    void markCreationFailed(const std::string& id);
    bool takeCreationFailed(const std::string& id);

    void setRunningPath(const std::string& path);
    std::string runningPath() const;

    ~EngineHost() override;

private:
    EngineHost();
    static QObject* lookUp(bool window, const std::string& id);
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace dorvo_preview
