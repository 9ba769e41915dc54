#pragma once

#include "platform/audio/audiobackend.h"
#include "platform/audio/module/devicewatch.h"

#include <QAudioFormat>
#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>

class QAudioSource;
class QIODevice;

namespace platform::audio {

// Records from a sound input device into memory. start() returns at
// once; the device delivers samples in the background until stop(). `failed`
// is called when the device stops working or is removed while recording; what
// it recorded is kept for stop().
class AudioCapture : public QObject, public CaptureStream {
    Q_OBJECT

public:
    explicit AudioCapture(std::function<void(const QString& reason)> failed);
    ~AudioCapture() override;

    // Starts recording 16-bit samples at the rate and channel count given, from
    // the input of that id, else the default one. False, with the reason, when
    // there is no input device or it refuses the format.
    bool start(const QByteArray& deviceId, int sampleRate, int channels, QString* reason) override;
    // Ends recording and hands over every sample captured up to this call
    // (interleaved 16-bit), including those the device has yet to deliver.
    QByteArray stop() override;
    qint64 capturedFrames() const override;
    double level() const override { return m_level; }

private:
    void takeSamples();
    void drain();
    void onStateChanged();
    void onDeviceRemoved();
    void release();

    std::function<void(const QString& reason)> m_failed;

    QAudioSource* m_source = nullptr;
    // The source's own device, which hands over what has arrived when read.
    QIODevice* m_input = nullptr;
    QByteArray m_recorded;
    QAudioFormat m_format;
    // Since the source started: how much sound there is to keep at Stop.
    QElapsedTimer m_clock;
    QString m_deviceName;
    // How much was recorded when a device's removal was heard, until the watch
    // says whether it was this one; -1 otherwise.
    qsizetype m_recordedBeforeRemoval = -1;
    double m_level = 0;
    DeviceWatch m_watch;
};

}  // namespace platform::audio
