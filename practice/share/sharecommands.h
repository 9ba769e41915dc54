#pragma once

#include <QString>
#include <QStringList>

class QMenu;
class CWordwellDoc;

namespace platform::framework {
class CFrameWnd;
}

// The File commands that hand a list with its recordings to someone else and
// take one in. Failures are reported in message boxes naming the file.
namespace practice::share {

// Appends the sharing and printing commands to the File menu, below its own
// items, and attaches them to the frame.
void AttachShareCommands(platform::framework::CFrameWnd& frame, QMenu* file);

// Asks for a file and writes the document's list with every clip its words
// have in the words folder (words without one travel without).
void OnExportSharedList(const CWordwellDoc& doc);
bool ExportSharedList(const CWordwellDoc& doc, const QString& archivePath);

// Asks for a shared list and opens it.
void OnImportSharedList();
// Puts the clips of the shared list at `archivePath` into the words folder,
// asking before it replaces a different clip, and opens its list as a new,
// unsaved document named after it. A refused archive writes nothing; true
// when the list opened.
bool ImportSharedList(const QString& archivePath);

// Opens `words` as a new, unsaved list named `name`; the open list must have
// been saved or given up first.
bool OpenAsNewList(const QStringList& words, const QString& name);

}  // namespace practice::share
