#include "platform/shell/shelllink.h"

#include "platform/files/files.h"

#include <QFileInfo>
#include <QUrl>

namespace platform::shell {

namespace {

bool holdsControlCharacter(const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return true;
    }
    return false;
}

// The escapes of a string value: a backslash doubled, a leading blank written
// as \s so that readers do not trim it.
QString escapeValue(const QString& value)
{
    QString out = value;
    out.replace(u'\\', QStringLiteral("\\\\"));
    if (out.startsWith(u' '))
        out.replace(0, 1, QStringLiteral("\\s"));
    return out;
}

// One quoted argument of an Exec key: inside the quotes ", `, $ and \ take a
// backslash, and % is doubled so that it is not read as a field code.
QString quotedArgument(const QString& argument)
{
    QString out;
    for (QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            out += u'\\';
        if (c == u'%')
            out += u'%';
        out += c;
    }
    return u'"' + out + u'"';
}

// Stores text a desktop entry can carry; a control character (a line break
// would inject keys) is refused.
long storeEntryText(const QString& text, QString* field)
{
    if (holdsControlCharacter(text))
        return E_INVALIDARG;
    *field = text;
    return S_OK;
}

}  // namespace

long CShellLink::SetPath(const QString& target)
{
    return target.isEmpty() ? E_INVALIDARG : storeEntryText(target, &m_strTarget);
}

long CShellLink::SetWorkingDirectory(const QString& folder)
{
    return storeEntryText(folder, &m_strWorkingDirectory);
}

long CShellLink::SetDescription(const QString& description)
{
    return storeEntryText(description, &m_strDescription);
}

long CShellLink::SetIconLocation(const QString& icon)
{
    return storeEntryText(icon, &m_strIcon);
}

long CShellLink::SetOpenWith(const QString& program)
{
    return storeEntryText(program, &m_strOpenWith);
}

long CShellLink::SetMimeTypes(const QStringList& mimeTypes)
{
    // ';' separates the types of the entry's list.
    for (const QString& type : mimeTypes) {
        if (type.isEmpty() || type.contains(u';') || holdsControlCharacter(type))
            return E_INVALIDARG;
    }
    m_mimeTypes = mimeTypes;
    return S_OK;
}

bool CShellLink::IsProgram() const
{
    return !QFileInfo(QString(m_strTarget).replace(u'\\', u'/')).fileName().contains(u'.');
}

QString CShellLink::EntryText(const QString& name) const
{
    const QString target = QString(m_strTarget).replace(u'\\', u'/');
    const QString opener = QString(m_strOpenWith).replace(u'\\', u'/');
    const bool application = IsProgram() || !opener.isEmpty();
    QString text = QStringLiteral("[Desktop Entry]\n");
    text += application ? QStringLiteral("Type=Application\n") : QStringLiteral("Type=Link\n");
    text += QStringLiteral("Version=1.0\n");
    text += QStringLiteral("Name=") + escapeValue(name) + u'\n';
    if (!m_strDescription.isEmpty())
        text += QStringLiteral("Comment=") + escapeValue(m_strDescription) + u'\n';
    if (application) {
        QString command = IsProgram() ? quotedArgument(target) : quotedArgument(opener) + u' ' + quotedArgument(target);
        const bool opensFiles = IsProgram() && !m_mimeTypes.isEmpty();
        if (opensFiles)
            command += QStringLiteral(" %f");
        text += QStringLiteral("Exec=") + escapeValue(command) + u'\n';
        // Only an Application entry may name the folder it starts in.
        if (!m_strWorkingDirectory.isEmpty())
            text += QStringLiteral("Path=") + escapeValue(QString(m_strWorkingDirectory).replace(u'\\', u'/'))
                    + u'\n';
        text += QStringLiteral("Terminal=false\n");
        // Qt names a program's windows' class after its file, which is how a
        // dock tells that they belong to this entry.
        text += QStringLiteral("StartupWMClass=")
                + escapeValue(QFileInfo(IsProgram() ? target : opener).fileName()) + u'\n';
        if (opensFiles)
            text += QStringLiteral("MimeType=") + m_mimeTypes.join(u';') + QStringLiteral(";\n");
    } else {
        text += QStringLiteral("URL=") + QString::fromLatin1(QUrl::fromLocalFile(target).toEncoded()) + u'\n';
    }
    if (!m_strIcon.isEmpty())
        text += QStringLiteral("Icon=") + escapeValue(QString(m_strIcon).replace(u'\\', u'/')) + u'\n';
    return text;
}

long CShellLink::Save(const QString& file)
{
    m_strError.clear();
    if (file.isEmpty() || m_strTarget.isEmpty()) {
        m_strError = QStringLiteral("no file name or no target");
        return E_INVALIDARG;
    }
    const QString native = platform::files::NativePath(file);
    const QString name = QFileInfo(native).completeBaseName();
    // Executable, as desktops launch an entry from the desktop folder only then.
    if (!platform::files::WriteWholeFile(native, EntryText(name).toUtf8(), 0755)) {
        m_strError = platform::files::LastErrorText();
        return STG_E_CANTSAVE;
    }
    return S_OK;
}

bool CanStartProgramIn(const QString& folder)
{
    return !folder.contains(u'%');
}

}  // namespace platform::shell
