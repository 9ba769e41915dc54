#pragma once

#include <QByteArray>
#include <QString>

class CWordwellDoc;

// A list's way to and from the class: as the bytes of a list with its
// recordings, made and opened by the sharing code with all its checks.
namespace practice::classroom {

// The document's list with its recordings, as Export List with Recordings
// writes it; false when that failed (already said in a message box).
bool PackListForClass(const CWordwellDoc& doc, QByteArray* archive);

// Opens a list the class handed out: written to a temporary file only this
// user may read, opened as Open List with Recordings opens one (a refused
// archive writes nothing and is said in a message box), and removed again.
// True when the list opened.
bool OpenClassArchive(const QString& title, const QByteArray& archive);

}  // namespace practice::classroom
