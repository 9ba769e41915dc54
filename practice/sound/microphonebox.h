#pragma once

#include "platform/audio/waveaudiodevice.h"

#include <QComboBox>

namespace practice::sound {

// The play bar's choice of the device to record from: "Default (<device>)"
// first, then the system's other recording devices. The choice is kept in
// the profile and given to the wave audio device for Record. Asking for the
// devices loads the sound module, so the list is filled only once the box is
// shown (after the form is painted), and afresh whenever it is opened, for a
// microphone plugged in meanwhile. A chosen device that is gone shows as the
// default, which Record then uses; the choice stays for when it comes back.
class CMicrophoneBox : public QComboBox {
    Q_OBJECT

public:
    CMicrophoneBox(platform::audio::WaveAudioDevice* device, QWidget* parent);

    // Asks the system for its recording devices and shows them.
    void fill();
    bool filled() const { return m_filled; }

    void showPopup() override;
    // Room for eight characters of the choice, however long its name.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void addDevices();
    void onActivated(int index);
    void showChoiceInTip();

    platform::audio::WaveAudioDevice* m_device;
    bool m_filled = false;
};

}  // namespace practice::sound
