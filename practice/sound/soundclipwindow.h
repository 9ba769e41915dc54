#pragma once

#include "platform/audio/waveaudiodevice.h"

#include <QWidget>

namespace practice::sound {

class CPlayBar;

// The player's window: a child of the control it sits in, filling that
// control's area, holding the wave audio device. With a play bar it shows the
// editor's controls; without, nothing of its own, and the pointer passes
// through it to the controls its area surrounds. It reports device errors to
// the user in a message box, as the window of the original device did.
class CSoundClipWindow : public QWidget {
    Q_OBJECT

public:
    CSoundClipWindow(QWidget* parentControl, unsigned style);
    ~CSoundClipWindow() override;

    platform::audio::WaveAudioDevice* device() { return &m_device; }
    // Null in the configuration without a play bar.
    CPlayBar* playBar() const { return m_playBar; }

signals:
    void playbackEnded();
    void deviceError(const QString& message);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitToParent();
    void reportDeviceError(const QString& message);

    platform::audio::WaveAudioDevice m_device;
    CPlayBar* m_playBar = nullptr;
};

}  // namespace practice::sound
