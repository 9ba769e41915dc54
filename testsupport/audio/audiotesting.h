#pragma once

#include "platform/audio/wavedata.h"

#include <QByteArray>
#include <QTest>

// Helpers for tests of sound: wave files made byte by byte, and what the run
// expects of the sound devices. ./test starts a sound server with a null sink
// and source; the "_nodevice" runs point the sound system at nothing.
namespace audiotesting {

struct WaveHeader {
    quint16 formatTag = 1;  // 1 PCM, 3 float, 6 A-law, 7 mu-law
    quint16 channels = 1;
    quint32 sampleRate = 22050;
    quint16 bitsPerSample = 16;
    // When set, the sizes the header claims instead of the true ones.
    qint64 riffSize = -1;
    qint64 dataSize = -1;
};

// A canonical 44-byte WAV header followed by `data`.
QByteArray WaveFileBytes(const WaveHeader& header, const QByteArray& data);
// 16-bit samples in the machine's byte order.
QByteArray Samples(std::initializer_list<qint16> values);
// `seconds` of 16-bit mono sound that is not silence.
platform::audio::WaveData Tone(double seconds, int sampleRate = platform::audio::kRecordingSampleRate);

// Writes `seconds` of Tone() to `path` as a wave file.
bool WriteTone(const QString& path, double seconds);

// The frames of the wave file at `path`, or -1 when it cannot be read.
qint64 ClipFrames(const QString& path);

// True in the runs that have no sound device.
bool ExpectNoAudioDevice();
// Why the sound devices this run should have are missing, or empty when they are there.
QString MissingAudioDevices();

}  // namespace audiotesting

// For tests that play or record through the real devices.
#define WW_REQUIRE_AUDIO()                                                 \
    do {                                                                   \
        if (audiotesting::ExpectNoAudioDevice())                           \
            QSKIP("this run has no sound device");                         \
        const QString missing_ = audiotesting::MissingAudioDevices();      \
        if (!missing_.isEmpty())                                           \
            QFAIL(qPrintable(missing_));                                   \
    } while (false)

// For tests of what happens when there is no sound device at all.
#define WW_REQUIRE_NO_AUDIO()                                              \
    do {                                                                   \
        if (!audiotesting::ExpectNoAudioDevice())                          \
            QSKIP("this run has sound devices");                           \
        QVERIFY(!audiotesting::MissingAudioDevices().isEmpty());           \
    } while (false)
