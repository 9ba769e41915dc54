#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QObject>

class QAudioSource;
class QBuffer;

namespace platform::audio {

// Records from the default sound input device into memory. start() returns at
// once; the device delivers samples in the background until stop().
class AudioCapture : public QObject {
    Q_OBJECT

public:
    explicit AudioCapture(QObject* parent = nullptr);
    ~AudioCapture() override;

    // Starts recording 16-bit samples at the rate and channel count given. False,
    // with the reason, when there is no input device or it refuses the format.
    bool start(int sampleRate, int channels, QString* reason);
    // Ends recording and hands over the samples recorded (interleaved 16-bit).
    QByteArray stop();
    bool isActive() const { return m_source != nullptr; }
    qint64 capturedFrames() const;

signals:
    // The device stopped working while recording; what it recorded is kept for stop().
    void failed(const QString& reason);

private:
    void onStateChanged();

    QAudioSource* m_source = nullptr;
    QBuffer* m_buffer = nullptr;
    QAudioFormat m_format;
};

}  // namespace platform::audio
