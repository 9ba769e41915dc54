#include "platform/modules/modules.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <dlfcn.h>

namespace platform::modules {

namespace {

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

const QString kPackagedModuleFolder = QStringLiteral(WW_PACKAGED_MODULE_FOLDER);
const QString kPackagedDataFolder = QStringLiteral(WW_PACKAGED_DATA_FOLDER);

QString InstalledFilePath(const QString& programFolder, const QString& packagedFolder, const QString& fileName)
{
    const QString beside = programFolder + u'/' + fileName;
    if (QFileInfo::exists(beside))
        return beside;
    const QString packaged = QDir::cleanPath(programFolder + u'/' + packagedFolder);
    return QFileInfo(packaged).isDir() ? packaged + u'/' + fileName : beside;
}

QString ModulePath(const QString& fileName)
{
    const QString folder = qEnvironmentVariable(kModuleFolderVariable);
    if (!folder.isEmpty() || !QCoreApplication::instance())
        return folder + u'/' + fileName;
    return InstalledFilePath(QCoreApplication::applicationDirPath(), kPackagedModuleFolder, fileName);
}

EntryPoint LoadModuleEntry(const QString& path, const char* entryPoint, const QString& kind, QString* reason)
{
    const auto cannotLoad = [&](const QString& why) {
        *reason = QStringLiteral("the %1 \"%2\" could not be loaded (%3)").arg(kind, path, why);
        return nullptr;
    };
    // A bare name would send the loader searching the library path. (dlopen
    // rather than QLibrary, which tries other names and reports the last.)
    if (!path.startsWith(u'/'))
        return cannotLoad(QStringLiteral("it is not an absolute path"));
    const QByteArray encoded = QFile::encodeName(path);
    void* handle = dlopen(encoded.constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return cannotLoad(loaderError(encoded));
    void* symbol = dlsym(handle, entryPoint);
    if (!symbol) {
        dlclose(handle);
        return cannotLoad(QStringLiteral("it is not a %1 of this version of Wordwell").arg(kind));
    }
    return reinterpret_cast<EntryPoint>(symbol);
}

EntryPoint ModuleEntry(const QString& fileName, const char* entryPoint, const QString& kind, QString* reason)
{
    static QHash<QString, EntryPoint> found;
    const QString path = ModulePath(fileName);
    const QString key = path + u'\n' + QLatin1String(entryPoint);
    if (const EntryPoint entry = found.value(key))
        return entry;
    const EntryPoint entry = LoadModuleEntry(path, entryPoint, kind, reason);
    if (entry)
        found.insert(key, entry);
    return entry;
}

}  // namespace platform::modules
