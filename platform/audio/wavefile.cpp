#include "platform/audio/wavefile.h"

#include "platform/audio/audiobackend.h"
#include "platform/audio/audiomodule.h"
#include "platform/files/files.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace platform::audio {

namespace {

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

}  // namespace

WaveFileError DecodeWave(const QByteArray& bytes, WaveData* data, QString* reason)
{
    const AudioBackend* backend = Backend(reason);
    if (!backend)
        return WaveFileError::NoSoundModule;
    return backend->decode(bytes, data, reason);
}

WaveFileError ReadWaveFile(const QString& path, WaveData* data, QString* reason)
{
    const QString native = files::NativePath(path);
    struct stat st;
    if (::stat(QFile::encodeName(native).constData(), &st) != 0) {
        const int error = errno;
        *reason = systemReason(error);
        return (error == ENOENT || error == ENOTDIR) ? WaveFileError::NotFound : WaveFileError::CannotRead;
    }
    // A pipe or a device would block the read or never end.
    if (!S_ISREG(st.st_mode)) {
        *reason = S_ISDIR(st.st_mode) ? QStringLiteral("it is a folder") : QStringLiteral("it is not a file");
        return WaveFileError::NotAFile;
    }
    if (st.st_size > kMaxWaveBytes) {
        *reason = QStringLiteral("it is too long for a sound clip");
        return WaveFileError::TooLong;
    }
    QFile file(native);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return WaveFileError::CannotRead;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *reason = file.errorString();
        return WaveFileError::CannotRead;
    }
    return DecodeWave(bytes, data, reason);
}

QByteArray EncodeWave(const WaveData& data)
{
    QString reason;
    const AudioBackend* backend = Backend(&reason);
    return backend ? backend->encode(data) : QByteArray();
}

bool WriteWaveFile(const QString& path, const WaveData& data, QString* reason)
{
    if (data.channels < 1 || data.sampleRate < 1) {
        *reason = QStringLiteral("there is no sound to save");
        return false;
    }
    const QString native = files::NativePath(path);
    struct stat st;
    if (::stat(QFile::encodeName(native).constData(), &st) == 0 && S_ISDIR(st.st_mode)) {
        *reason = QStringLiteral("a folder has that name");
        return false;
    }
    const AudioBackend* backend = Backend(reason);
    if (!backend)
        return false;
    const QByteArray bytes = backend->encode(data);
    if (bytes.isEmpty()) {
        *reason = QStringLiteral("the sound could not be encoded");
        return false;
    }
    QSaveFile out(native);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        *reason = out.errorString();
        out.cancelWriting();
        return false;
    }
    return true;
}

}  // namespace platform::audio
