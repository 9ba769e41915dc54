#pragma once

#include <QString>

// Where a word's recording lives: <words path>/words/<word>.wav. The word is
// used exactly as typed; a '\' or '/' in it names a subfolder of the clip folder.
namespace practice::sound {

QString MakeClipPath(const QString& wordsPath, const QString& word);
// The same under the application's words path (empty when there is no application).
QString MakeClipPath(const QString& word);

// True when a level of the path is "..": a word such as "../../x" would put its
// clip outside the clip folder, so such a path is never opened or written.
bool ClipPathClimbs(const QString& path);

}  // namespace practice::sound
