#include "practice/sound/clippath.h"

#include "practice/settings/wordwellapp.h"

#include <QRegularExpression>

namespace practice::sound {

namespace {

QString applicationWordsPath()
{
    const CWordwellApp* app = GetWordwellApp();
    return app ? app->m_strWordsPath : QString();
}

}  // namespace

QString MakeClipPath(const QString& wordsPath, const QString& word)
{
    return wordsPath + QStringLiteral("/words/") + word + QStringLiteral(".wav");
}

QString MakeClipPath(const QString& word)
{
    return MakeClipPath(applicationWordsPath(), word);
}

bool ClipPathClimbs(const QString& wordsPath, const QString& path)
{
    static const QRegularExpression separators(QStringLiteral("[\\\\/]"));
    const QString clipFolder = MakeClipPath(wordsPath, QString()).chopped(4);  // without ".wav"
    const QString below = path.startsWith(clipFolder) ? path.mid(clipFolder.size()) : path;
    return below.split(separators).contains(QStringLiteral(".."));
}

bool ClipPathClimbs(const QString& path)
{
    return ClipPathClimbs(applicationWordsPath(), path);
}

}  // namespace practice::sound
