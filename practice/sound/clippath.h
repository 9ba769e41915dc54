#pragma once

#include <QString>

// Where a word's recording lives: <words path>/words/<word>.wav. The word is
// used exactly as typed; a '\' or '/' in it names a subfolder of the clip folder.
namespace practice::sound {

QString MakeClipPath(const QString& wordsPath, const QString& word);
// The same under the application's words path (empty when there is no application).
QString MakeClipPath(const QString& word);

// True when a clip path would leave its clip folder: a level of the word's part
// (what follows "<words path>/words/") is "..", as for a word such as "../../x".
// Only that part is looked at: the words path is the user's own setting and
// may well hold a ".." level. A path outside that clip folder is judged whole.
// Such a path is never opened or written.
bool ClipPathClimbs(const QString& wordsPath, const QString& path);
// The same for the application's words path.
bool ClipPathClimbs(const QString& path);

}  // namespace practice::sound
