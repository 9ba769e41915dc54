#include "audiotesting.h"

#include "platform/audio/wavefile.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QtEndian>

#include <cmath>

namespace audiotesting {

namespace {

void put16(QByteArray* out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out->append(b, 2);
}

void put32(QByteArray* out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out->append(b, 4);
}

}  // namespace

QByteArray WaveFileBytes(const WaveHeader& h, const QByteArray& data)
{
    const quint16 blockAlign = static_cast<quint16>(h.channels * h.bitsPerSample / 8);
    QByteArray out("RIFF");
    put32(&out, static_cast<quint32>(h.riffSize >= 0 ? h.riffSize : 36 + data.size()));
    out.append("WAVEfmt ");
    put32(&out, 16);
    put16(&out, h.formatTag);
    put16(&out, h.channels);
    put32(&out, h.sampleRate);
    put32(&out, h.sampleRate * blockAlign);
    put16(&out, blockAlign);
    put16(&out, h.bitsPerSample);
    out.append("data");
    put32(&out, static_cast<quint32>(h.dataSize >= 0 ? h.dataSize : data.size()));
    out.append(data);
    return out;
}

QByteArray Samples(std::initializer_list<qint16> values)
{
    QByteArray out;
    for (qint16 v : values)
        out.append(reinterpret_cast<const char*>(&v), sizeof v);
    return out;
}

platform::audio::WaveData Tone(double seconds, int sampleRate)
{
    platform::audio::WaveData tone{sampleRate, 1, {}};
    const auto frames = static_cast<qsizetype>(seconds * sampleRate);
    tone.samples.resize(frames * 2);
    auto* samples = reinterpret_cast<qint16*>(tone.samples.data());
    for (qsizetype i = 0; i < frames; ++i)
        samples[i] = static_cast<qint16>(8000.0 * std::sin(2.0 * M_PI * 440.0 * double(i) / sampleRate));
    return tone;
}

bool WriteTone(const QString& path, double seconds)
{
    QString reason;
    if (platform::audio::WriteWaveFile(path, Tone(seconds), &reason))
        return true;
    qWarning("cannot write %s: %s", qPrintable(path), qPrintable(reason));
    return false;
}

qint64 ClipFrames(const QString& path)
{
    platform::audio::WaveData data;
    QString reason;
    return platform::audio::ReadWaveFile(path, &data, &reason) == platform::audio::WaveFileError::None
               ? data.frameCount()
               : -1;
}

bool ExpectNoAudioDevice()
{
    return qEnvironmentVariableIsSet("WW_EXPECT_NO_AUDIO");
}

QString MissingAudioDevices()
{
    QStringList missing;
    if (QMediaDevices::defaultAudioOutput().isNull())
        missing << QStringLiteral("no sound output device");
    if (QMediaDevices::defaultAudioInput().isNull())
        missing << QStringLiteral("no recording device");
    if (missing.isEmpty())
        return {};
    return missing.join(QStringLiteral(" and "))
           + QStringLiteral(": run the tests through ./test, which starts a sound server with a null sink and source");
}

}  // namespace audiotesting
