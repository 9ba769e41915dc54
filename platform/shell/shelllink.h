#pragma once

#include <QString>
#include <QStringList>

// A shortcut, written as a freedesktop desktop entry. A program target (a file
// name without an extension, as this product's programs are) gives an
// Application entry that starts it in the working folder; a document target
// with a program to open it (SetOpenWith) an Application entry that starts
// that program on the document; any other target a Link entry that opens it.
// The entry's name is the shortcut file's base name.
namespace platform::shell {

// Result codes with the values the shell's own calls give.
enum : long {
    S_OK = 0,
    E_FAIL = static_cast<long>(0x80004005u),
    E_INVALIDARG = static_cast<long>(0x80070057u),
    STG_E_CANTSAVE = static_cast<long>(0x80030103u),
};

class CShellLink {
public:
    // Each setter refuses text that a desktop entry cannot carry (control
    // characters); the target must not be empty.
    long SetPath(const QString& target);
    long SetWorkingDirectory(const QString& folder);
    long SetDescription(const QString& description);
    long SetIconLocation(const QString& icon);
    // The program that opens a document target. Desktops take some documents
    // for something else (a ".hlp" file for a Windows help file) and find no
    // program for them, so the entry names the program itself.
    long SetOpenWith(const QString& program);
    // The file types a program target opens: the entry declares them and
    // hands the program the file it is given.
    long SetMimeTypes(const QStringList& mimeTypes);

    // Writes the entry to `file` (resolved case-blind against what exists) as a
    // new file, replacing a link that stands there rather than writing through
    // it; STG_E_CANTSAVE with the reason in ErrorString().
    long Save(const QString& file);
    const QString& ErrorString() const { return m_strError; }

    // The entry's text as Save writes it, with `name` as its Name.
    QString EntryText(const QString& name) const;
    bool IsProgram() const;

private:
    QString m_strTarget;
    QString m_strWorkingDirectory;
    QString m_strDescription;
    QString m_strIcon;
    QString m_strOpenWith;
    QStringList m_mimeTypes;
    QString m_strError;
};

// Whether a desktop entry can start a program that lies in `folder`: GLib looks
// the program up by the entry's Exec text before it expands "%%" to '%', so no
// entry it loads can start a program whose path holds a '%'.
bool CanStartProgramIn(const QString& folder);

}  // namespace platform::shell
