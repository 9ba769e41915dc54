#include "testsupport/desktopentrycheck.h"

#include "testsupport/isolatedhome.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

QString DesktopEntryErrors(const QString& entryFile)
{
    QProcess validate;
    validate.start(QStringLiteral("desktop-file-validate"), {entryFile});
    if (!validate.waitForFinished(30000))
        return QStringLiteral("desktop-file-validate did not run: ") + validate.errorString();
    QString errors;
    const QStringList lines = QString::fromUtf8(validate.readAllStandardOutput()).split(u'\n');
    for (const QString& line : lines) {
        if (line.contains(QStringLiteral(": error:")))
            errors += line + u'\n';
    }
    if (validate.exitCode() != 0 && errors.isEmpty())
        errors = QStringLiteral("exit code %1").arg(validate.exitCode());
    return errors;
}

QString LaunchDesktopEntry(const QString& entryFile, const QString& markerFile, const QStringList& files)
{
    QFile::remove(markerFile);
    QProcess launcher;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("WW_MARKER"), markerFile);
    launcher.setProcessEnvironment(env);
    launcher.start(QStringLiteral("gio"), QStringList{QStringLiteral("launch"), entryFile} + files);
    if (!launcher.waitForFinished(30000) || launcher.exitCode() != 0)
        return {};
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        const QByteArray contents = ReadFileForTest(markerFile);
        if (contents.endsWith('\n') && contents.count('\n') == 2)
            return QString::fromUtf8(contents);
        QThread::msleep(20);
    }
    return {};
}

namespace {

QString gioAttribute(const QString& file, const QString& attribute)
{
    QProcess info;
    info.start(QStringLiteral("gio"), {QStringLiteral("info"), QStringLiteral("-a"), attribute, file});
    if (!info.waitForFinished(30000) || info.exitCode() != 0)
        return {};
    const QStringList lines = QString::fromUtf8(info.readAllStandardOutput()).split(u'\n');
    const QString key = attribute + QStringLiteral(": ");
    for (const QString& line : lines) {
        if (line.trimmed().startsWith(key))
            return line.trimmed().mid(key.size());
    }
    return {};
}

}  // namespace

QString ContentTypeOf(const QString& file)
{
    return gioAttribute(file, QStringLiteral("standard::content-type"));
}

QStringList ApplicationsFor(const QString& mimeType)
{
    QProcess mime;
    mime.start(QStringLiteral("gio"), {QStringLiteral("mime"), mimeType});
    if (!mime.waitForFinished(30000) || mime.exitCode() != 0)
        return {};
    QStringList registered;
    bool inList = false;
    for (const QString& line : QString::fromUtf8(mime.readAllStandardOutput()).split(u'\n')) {
        if (!line.startsWith(u'\t'))
            inList = line.startsWith(QStringLiteral("Registered applications"));
        else if (inList)
            registered << line.trimmed();
    }
    return registered;
}

QStringList IconNamesOf(const QString& file)
{
    return gioAttribute(file, QStringLiteral("standard::icon")).split(QStringLiteral(", "), Qt::SkipEmptyParts);
}

const QByteArray kMarkerProgram = "#!/bin/sh\n"
                                  "# Started by a test: leaves its working folder, and its own path with\n"
                                  "# its arguments, in $WW_MARKER.\n"
                                  "pwd > \"$WW_MARKER.part\"\n"
                                  "{ printf '%s' \"$0\"; for a in \"$@\"; do printf ' %s' \"$a\"; done; echo; } >> \"$WW_MARKER.part\"\n"
                                  "mv \"$WW_MARKER.part\" \"$WW_MARKER\"\n";

void WriteMarkerProgram(const QString& path)
{
    WriteFileForTest(path, kMarkerProgram);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
