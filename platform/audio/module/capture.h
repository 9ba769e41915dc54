#pragma once

#include "platform/audio/audiobackend.h"

#include <QAudioFormat>
#include <QByteArray>
#include <QObject>

class QAudioSource;
class QBuffer;

namespace platform::audio {

// Records from the default sound input device into memory. start() returns at
// once; the device delivers samples in the background until stop(). `failed`
// is called when the device stops working while recording; what it recorded
// is kept for stop().
class AudioCapture : public QObject, public CaptureStream {
    Q_OBJECT

public:
    explicit AudioCapture(std::function<void(const QString& reason)> failed);
    ~AudioCapture() override;

    // Starts recording 16-bit samples at the rate and channel count given. False,
    // with the reason, when there is no input device or it refuses the format.
    bool start(int sampleRate, int channels, QString* reason) override;
    // Ends recording and hands over the samples recorded (interleaved 16-bit).
    QByteArray stop() override;
    qint64 capturedFrames() const override;

private:
    void onStateChanged();

    std::function<void(const QString& reason)> m_failed;

    QAudioSource* m_source = nullptr;
    QBuffer* m_buffer = nullptr;
    QAudioFormat m_format;
};

}  // namespace platform::audio
