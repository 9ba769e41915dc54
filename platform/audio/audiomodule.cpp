#include "platform/audio/audiomodule.h"

#include "platform/audio/audiobackend.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>

#include <dlfcn.h>

namespace platform::audio {

namespace {

QString cannotLoad(const QString& path, const QString& why)
{
    return QStringLiteral("the sound module \"%1\" could not be loaded (%2)").arg(path, why);
}

// The loader's own words, without the file name it puts in front of them.
QString loaderError(const QByteArray& encodedPath)
{
    const char* text = dlerror();
    if (!text)
        return QStringLiteral("unknown error");
    QByteArray message(text);
    if (message.startsWith(encodedPath + ": "))
        message.remove(0, encodedPath.size() + 2);
    return QString::fromLocal8Bit(message);
}

}  // namespace

QString AudioModulePath()
{
    const QString chosen = qEnvironmentVariable(kAudioModuleVariable);
    if (!chosen.isEmpty())
        return chosen;
    const QString folder = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    return folder + u'/' + QLatin1String(kAudioModuleName);
}

const AudioBackend* LoadAudioModule(const QString& path, QString* reason)
{
    const QByteArray encoded = QFile::encodeName(path);
    // A bare name would send the loader searching the library path.
    if (!path.startsWith(u'/')) {
        *reason = cannotLoad(path, QStringLiteral("it is not an absolute path"));
        return nullptr;
    }
    void* handle = dlopen(encoded.constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        *reason = cannotLoad(path, loaderError(encoded));
        return nullptr;
    }
    void* symbol = dlsym(handle, kBackendEntryPoint);
    if (!symbol) {
        dlclose(handle);
        *reason = cannotLoad(path, QStringLiteral("it is not a sound module of this version of Wordwell"));
        return nullptr;
    }
    const AudioBackend* backend = reinterpret_cast<BackendEntryPoint>(symbol)();
    if (!backend) {
        dlclose(handle);
        *reason = cannotLoad(path, QStringLiteral("it could not start"));
        return nullptr;
    }
    return backend;
}

const AudioBackend* Backend(QString* reason)
{
    // Main thread only, as is all the program's sound work.
    static QHash<QString, const AudioBackend*> loaded;
    const QString path = AudioModulePath();
    if (const AudioBackend* backend = loaded.value(path))
        return backend;
    const AudioBackend* backend = LoadAudioModule(path, reason);
    if (backend)
        loaded.insert(path, backend);
    return backend;
}

}  // namespace platform::audio
