#include "practice/classroom/classarchive.h"

#include "platform/framework/messagebox.h"
#include "practice/share/sharecommands.h"
#include "practice/share/sharedlist.h"

#include <QFile>
#include <QTemporaryDir>

namespace fw = platform::framework;

namespace practice::classroom {

namespace {

// The file's name is what the import's messages show: the title, without
// anything a file name cannot hold.
QString fileNameFor(const QString& title)
{
    QString name;
    for (const QChar c : title.left(60))
        name += c.isLetterOrNumber() || c == u' ' || c == u'-' || c == u'_' ? c : u'-';
    name = name.trimmed();
    return (name.isEmpty() ? QStringLiteral("Class list") : name) + share::kSharedListExtension;
}

}  // namespace

bool PackListForClass(const CWordwellDoc& doc, QByteArray* archive)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("list") + share::kSharedListExtension);
    if (!folder.isValid()) {
        fw::AfxMessageBox(QStringLiteral("The list could not be exported to \"%1\": %2.").arg(path, folder.errorString()),
                          fw::MB_ICONEXCLAMATION);
        return false;
    }
    if (!share::ExportSharedList(doc, path))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fw::AfxMessageBox(QStringLiteral("Unable to open \"%1\": %2.").arg(path, file.errorString()), fw::MB_ICONEXCLAMATION);
        return false;
    }
    *archive = file.readAll();
    return true;
}

bool OpenClassArchive(const QString& title, const QByteArray& archive)
{
    // QTemporaryDir makes its folder for this user alone (0700).
    QTemporaryDir folder;
    const QString path = folder.filePath(fileNameFor(title));
    QFile file(path);
    if (!folder.isValid() || !file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner)
        || file.write(archive) != archive.size() || !file.flush()) {
        const QString why = folder.isValid() ? file.errorString() : folder.errorString();
        fw::AfxMessageBox(QStringLiteral("\"%1\" could not be opened: %2.").arg(path, why), fw::MB_ICONEXCLAMATION);
        return false;
    }
    file.close();
    return share::ImportSharedList(path);
}

}  // namespace practice::classroom
