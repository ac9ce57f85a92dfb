#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <string>

namespace dorvo_preview {

enum class CallbackKind : int;

// The base of windows and widgets: the QML item the object drives, its
// identifier, and the senders that pass events on to the host's callbacks.
class QmlBaseView : public QObject
{
    Q_OBJECT
public:
    explicit QmlBaseView(QObject* parent = nullptr);
    ~QmlBaseView() override;

    // The object's own identifying text (its instance id).
    virtual const char* identity() const;

    const char* uuid() const { return uuid_.c_str(); }
    // Stores the identifier; with notify, also hands it to the item's QML
    // function setUuid (not for a borrowed item).
    void setUuid(const std::string& id, bool notify);

    QObject* item() const { return item_.data(); }
    bool itemBorrowed() const { return itemBorrowed_; }

    // Calls parent's QML function createItem(info) and returns what it made.
    QObject* createChildItem(QObject* parent, const QString& info);

    static std::string createUuid();

    // Senders of the host callbacks.
    void updateSelectedInfo(const QString& id);
    void updateRectInfo(const QString& json);
    void updataDoubleClicked(const QString& id);
    void updateKey(const QString& key);
    void updataFps(const QString& fps);
    void updateMouseWheel(const QString& direction);

protected:
    void setItem(QObject* item, bool borrowed = false);

private:
    void send(const char* sender, CallbackKind kind, const QString& text);

    QPointer<QObject> item_;
    bool itemBorrowed_ = false;
    std::string instanceId_;
    std::string uuid_;
};

} // namespace dorvo_preview
