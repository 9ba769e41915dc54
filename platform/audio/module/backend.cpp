// The sound module's entry point: Qt Multimedia for the devices, libsndfile
// for the files, behind the interface the program was built against.
#include "platform/audio/audiobackend.h"
#include "platform/audio/module/capture.h"
#include "platform/audio/module/defaultdevices.h"
#include "platform/audio/module/playback.h"
#include "platform/audio/module/sndfilecodec.h"

namespace platform::audio {

namespace {

class MultimediaBackend final : public AudioBackend {
public:
    WaveFileError decode(const QByteArray& bytes, WaveData* data, QString* reason) const override
    {
        return SndfileDecode(bytes, data, reason);
    }

    QByteArray encode(const WaveData& data) const override { return SndfileEncode(data); }

    std::unique_ptr<PlaybackStream> createPlayback(PlaybackEvents events) const override
    {
        return std::make_unique<AudioPlayback>(std::move(events));
    }

    std::unique_ptr<CaptureStream> createCapture(std::function<void(const QString& reason)> failed) const override
    {
        return std::make_unique<AudioCapture>(std::move(failed));
    }

    QList<RecordingDevice> recordingDevices() const override
    {
        QList<RecordingDevice> devices;
        for (const QAudioDevice& input : RecordingInputs())
            devices.append({input.id(), input.description()});
        return devices;
    }
};

}  // namespace

}  // namespace platform::audio

extern "C" Q_DECL_EXPORT const platform::audio::AudioBackend* wordwell_audio_backend_3()
{
    static const platform::audio::MultimediaBackend backend;
    return &backend;
}
