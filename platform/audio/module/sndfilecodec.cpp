#include "platform/audio/module/sndfilecodec.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace platform::audio {

namespace {

// libsndfile reads and writes through these callbacks, so decoding works on bytes
// already read and encoding produces bytes that QSaveFile then writes whole.
struct MemoryFile {
    QByteArray bytes;
    qint64 pos = 0;
};

MemoryFile& memory(void* user)
{
    return *static_cast<MemoryFile*>(user);
}

sf_count_t memoryLength(void* user)
{
    return memory(user).bytes.size();
}

sf_count_t memorySeek(sf_count_t offset, int whence, void* user)
{
    MemoryFile& m = memory(user);
    qint64 base = 0;
    if (whence == SEEK_CUR)
        base = m.pos;
    else if (whence == SEEK_END)
        base = m.bytes.size();
    const qint64 target = base + offset;
    if (target < 0)
        return -1;
    m.pos = target;
    return m.pos;
}

sf_count_t memoryRead(void* ptr, sf_count_t count, void* user)
{
    MemoryFile& m = memory(user);
    const qint64 available = qMax<qint64>(0, m.bytes.size() - m.pos);
    const qint64 n = std::clamp<qint64>(count, 0, available);
    if (n > 0)
        std::memcpy(ptr, m.bytes.constData() + m.pos, static_cast<size_t>(n));
    m.pos += n;
    return n;
}

sf_count_t memoryWrite(const void* ptr, sf_count_t count, void* user)
{
    MemoryFile& m = memory(user);
    if (count <= 0)
        return 0;
    if (m.pos + count > m.bytes.size())
        m.bytes.resize(m.pos + count);
    std::memcpy(m.bytes.data() + m.pos, ptr, static_cast<size_t>(count));
    m.pos += count;
    return count;
}

sf_count_t memoryTell(void* user)
{
    return memory(user).pos;
}

SF_VIRTUAL_IO memoryIo()
{
    return {memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};
}

qint16 toSample(float value)
{
    if (std::isnan(value))
        return 0;
    const float scaled = std::nearbyint(value * 32768.0f);
    return static_cast<qint16>(std::clamp(scaled, -32768.0f, 32767.0f));
}

// The library's own words, made into a sentence fragment.
QString libraryReason(SNDFILE* file)
{
    QString text = QString::fromUtf8(sf_strerror(file)).trimmed();
    if (text.endsWith(u'.'))
        text.chop(1);
    if (!text.isEmpty())
        text[0] = text[0].toLower();
    return QStringLiteral("it is not a sound file the program can play (%1)").arg(text);
}

}  // namespace

WaveFileError SndfileDecode(const QByteArray& bytes, WaveData* data, QString* reason)
{
    if (bytes.size() > kMaxWaveBytes) {
        *reason = QStringLiteral("it is too long for a sound clip");
        return WaveFileError::TooLong;
    }
    MemoryFile input{bytes, 0};
    SF_VIRTUAL_IO io = memoryIo();
    SF_INFO info{};
    SNDFILE* file = sf_open_virtual(&io, SFM_READ, &info, &input);
    if (!file) {
        *reason = libraryReason(nullptr);
        return WaveFileError::NotPlayable;
    }
    if (info.channels < 1 || info.channels > kMaxChannels || info.samplerate < 1) {
        sf_close(file);
        *reason = QStringLiteral("it holds %1 channels at %2 samples a second, which no sound device plays")
                      .arg(info.channels)
                      .arg(info.samplerate);
        return WaveFileError::NotPlayable;
    }
    // Every encoding is read as float in [-1, 1] and scaled here, so float files
    // come out at their true level and values beyond full scale saturate.
    const sf_count_t chunkFrames = 4096;
    std::vector<float> chunk(static_cast<size_t>(chunkFrames * info.channels));
    QByteArray samples;
    // Read until the data really ends: the header's sizes are not trusted, so a
    // header that claims more than the file holds allocates nothing for it.
    for (;;) {
        const sf_count_t frames = sf_readf_float(file, chunk.data(), chunkFrames);
        if (frames <= 0)
            break;
        const qint64 count = frames * info.channels;
        if (samples.size() + count * 2 > kMaxWaveBytes) {
            sf_close(file);
            *reason = QStringLiteral("it is too long for a sound clip");
            return WaveFileError::TooLong;
        }
        const qsizetype at = samples.size();
        samples.resize(at + count * 2);
        auto* out = reinterpret_cast<qint16*>(samples.data() + at);
        for (qint64 i = 0; i < count; ++i)
            out[i] = toSample(chunk[static_cast<size_t>(i)]);
    }
    sf_close(file);
    *data = WaveData{info.samplerate, info.channels, samples};
    return WaveFileError::None;
}

QByteArray SndfileEncode(const WaveData& data)
{
    MemoryFile output;
    SF_VIRTUAL_IO io = memoryIo();
    SF_INFO info{};
    info.samplerate = data.sampleRate;
    info.channels = data.channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open_virtual(&io, SFM_WRITE, &info, &output);
    if (!file)
        return {};
    // A plain header: RIFF, fmt and data chunks only.
    sf_command(file, SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
    sf_writef_short(file, reinterpret_cast<const short*>(data.samples.constData()), data.frameCount());
    sf_close(file);
    return output.bytes;
}

}  // namespace platform::audio
