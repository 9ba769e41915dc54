#include "testsupport/installmedium.h"

#include "common/record.h"
#include "testsupport/desktopentrycheck.h"
#include "testsupport/isolatedhome.h"

#include <QFile>

QByteArray MediumFileBytes(const QString& name)
{
    if (name == u"Wordwell" || name == u"Ridwell")
        return kMarkerProgram + "# " + name.toUtf8() + '\n';
    return "medium copy of " + name.toUtf8() + '\n';
}

void WriteInstallMedium(const QString& folder)
{
    for (const common::record::InstalledFile& file : common::record::kInstalledFiles) {
        const QString path = folder + u'/' + file.source;
        WriteFileForTest(path, MediumFileBytes(file.source));
        const bool program = !file.source.contains(u'.');
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther
                                        | (program ? QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther
                                                   : QFileDevice::Permissions()));
    }
    // The icon's other sizes, which go only into the user's theme.
    for (const common::record::ThemeIcon& icon : common::record::kThemeIcons)
        WriteFileForTest(folder + u'/' + icon.source, MediumFileBytes(icon.source));
}
