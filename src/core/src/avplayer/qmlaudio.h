#pragma once

// The background music of a widget, for QML: playAudio takes the music's JSON
// description and plays its tracks as a looping list.

#include <QObject>
#include <QString>

#include <memory>

namespace dorvo_preview {

class AudioPlayer;

class QMLAudio : public QObject
{
    Q_OBJECT
public:
    explicit QMLAudio(QObject* parent = nullptr);
    ~QMLAudio() override;

    Q_INVOKABLE void playAudio(QString audioData);
    Q_INVOKABLE void stop();
    Q_INVOKABLE void pause();
    Q_INVOKABLE void resume();

    AudioPlayer* player() const { return m_player.get(); }

private:
    std::unique_ptr<AudioPlayer> m_player;
};

} // namespace dorvo_preview
