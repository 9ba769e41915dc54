#include "practice/sound/clippath.h"

#include "practice/settings/wordwellapp.h"

#include <QRegularExpression>

namespace practice::sound {

QString MakeClipPath(const QString& wordsPath, const QString& word)
{
    return wordsPath + QStringLiteral("/words/") + word + QStringLiteral(".wav");
}

QString MakeClipPath(const QString& word)
{
    const CWordwellApp* app = GetWordwellApp();
    return MakeClipPath(app ? app->m_strWordsPath : QString(), word);
}

bool ClipPathClimbs(const QString& path)
{
    static const QRegularExpression separators(QStringLiteral("[\\\\/]"));
    return path.split(separators).contains(QStringLiteral(".."));
}

}  // namespace practice::sound
