#include "testsupport/isolatedhome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

IsolatedHome::IsolatedHome() : m_previousWorkingFolder(QDir::currentPath())
{
    if (!m_dir.isValid())
        qFatal("cannot create a temporary home");
    for (const QString& folder : {home(), configHome(), dataHome(), work()}) {
        if (!QDir().mkpath(folder))
            qFatal("cannot create %s", qPrintable(folder));
    }
    qputenv("HOME", QFile::encodeName(home()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome()));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home() + QStringLiteral("/.cache")));
    qputenv("CUPS_SERVER", QFile::encodeName(m_dir.path() + QStringLiteral("/no-print-server")));
    QDir::setCurrent(work());
}

IsolatedHome::~IsolatedHome()
{
    QDir::setCurrent(m_previousWorkingFolder);
}

void WriteFileForTest(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        QFAIL(qPrintable(QStringLiteral("cannot write %1: %2").arg(path, file.errorString())));
}

QByteArray ReadFileForTest(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
