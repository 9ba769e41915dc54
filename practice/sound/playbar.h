#pragma once

#include "platform/audio/waveaudiodevice.h"

#include <QTimer>
#include <QWidget>

class QLabel;
class QProgressBar;
class QSlider;
class QToolButton;

namespace practice::sound {

class CMicrophoneBox;

// The editor's play bar over a wave audio device: play, stop, an optional
// record button with the choice of microphone and an input level meter while
// recording, the position, and
// optionally the clip's name. It shows the
// device's state and forwards the user's presses; the work is the device's.
class CPlayBar : public QWidget {
    Q_OBJECT

public:
    CPlayBar(platform::audio::WaveAudioDevice* device, bool withRecord, bool withName, QWidget* parent);

    QToolButton* playButton() const { return m_play; }
    QToolButton* stopButton() const { return m_stop; }
    // Null without the record button.
    QToolButton* recordButton() const { return m_record; }
    // With the record button only; pressing it asks the owner for the computer voice.
    QToolButton* speakButton() const { return m_speak; }
    QSlider* positionSlider() const { return m_position; }
    // Null without the name; hidden where the bar leaves it no room.
    QLabel* nameLabel() const { return m_name; }
    // Null without the record button; shown only while recording, in the position's place.
    QProgressBar* levelMeter() const { return m_meter; }
    // Null without the record button.
    CMicrophoneBox* microphoneBox() const { return m_microphone; }

signals:
    void speakRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int widthWithName() const;
    void refresh();
    void showState();
    void onSliderMoved(int value);

    platform::audio::WaveAudioDevice* m_device;
    QToolButton* m_play = nullptr;
    QToolButton* m_stop = nullptr;
    QToolButton* m_record = nullptr;
    QToolButton* m_speak = nullptr;
    QSlider* m_position = nullptr;
    QLabel* m_name = nullptr;
    QProgressBar* m_meter = nullptr;
    CMicrophoneBox* m_microphone = nullptr;
    QTimer m_ticker;
    bool m_wasRecording = false;
};

// What a screen reader hears when a recording ends: its length in seconds.
QString RecordedMessage(qint64 frames, int sampleRate);

// The name the bar shows for a clip: its file name, or "New recording".
QString ClipDisplayName(const QString& fileName);

}  // namespace practice::sound
