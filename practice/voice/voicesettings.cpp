#include "practice/voice/voicesettings.h"

#include "platform/framework/winapp.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPointer>
#include <QRegularExpression>
#include <QTimer>

#include <climits>

namespace practice::voice {

namespace {

// espeak-ng lists its voices in about 10 KB.
constexpr qint64 kMaxListBytes = 1024 * 1024;

QString profileString(const QString& entry)
{
    const auto* app = platform::framework::AfxGetApp();
    return app ? app->GetProfileString(kVoiceSection, entry, QString()) : QString();
}

bool writeProfileString(const QString& entry, const QString& value)
{
    auto* app = platform::framework::AfxGetApp();
    return app && app->WriteProfileString(kVoiceSection, entry, value);
}

// The best ranked voice serving `language` as its own or as another it serves; empty for none.
QString bestVoiceFor(const QList<VoiceChoice>& voices, const QString& language)
{
    QString best;
    int bestPriority = INT_MAX;
    for (const VoiceChoice& voice : voices) {
        int priority = voice.language.compare(language, Qt::CaseInsensitive) == 0 ? voice.priority : INT_MAX;
        for (const auto& [served, rank] : voice.serves)
            if (served.compare(language, Qt::CaseInsensitive) == 0)
                priority = qMin(priority, rank);
        if (priority < bestPriority) {
            best = voice.language;
            bestPriority = priority;
        }
    }
    return best;
}

}  // namespace

QList<VoiceChoice> ParseVoiceList(const QString& output)
{
    // " 2  en-gb           --/M      English_(Great_Britain) gmw/en               (en 2)"
    static const QRegularExpression row(QStringLiteral(R"(^\s*(\d+)\s+(\S+)\s+\S+\s+(\S+)\s*\S*(.*))"));
    static const QRegularExpression served(QStringLiteral(R"(\((\S+) (\d+)\))"));
    QList<VoiceChoice> voices;
    const QStringList lines = output.split(u'\n');
    for (const QString& line : lines) {
        const QRegularExpressionMatch match = row.match(line);
        if (!match.hasMatch())
            continue;
        VoiceChoice voice{match.captured(2), match.captured(3).replace(u'_', u' '), match.captured(1).toInt(), {}};
        for (const QRegularExpressionMatch& other : served.globalMatch(match.captured(4)))
            voice.serves.append({other.captured(1), other.captured(2).toInt()});
        voices.append(voice);
    }
    return voices;
}

CVoiceList::CVoiceList(QObject* parent) : QObject(parent)
{
    connect(&m_run, &CSpeechRun::finished, this, [this](const QByteArray& output, const QString& reason) {
        m_known = reason.isEmpty();
        m_voices = m_known ? ParseVoiceList(QString::fromUtf8(output)) : QList<VoiceChoice>();
        emit listed();
    });
}

void CVoiceList::Fetch()
{
    if (!m_run.IsRunning())
        m_run.Start(SpeechProgram(), {QStringLiteral("--voices")}, QByteArray(), kMaxListBytes, SpeechTimeoutMs());
}

CVoiceList* VoiceList()
{
    static QPointer<CVoiceList> list;
    if (!list && QCoreApplication::instance())
        list = new CVoiceList(QCoreApplication::instance());
    return list;
}

QString DefaultLanguage(const QString& localeName, const QList<VoiceChoice>& voices)
{
    // "en_AU.UTF-8" is "en-au".
    const QString tag = localeName.section(u'.', 0, 0).replace(u'_', u'-').toLower();
    const QString bare = tag.section(u'-', 0, 0);
    for (const QString& language : {tag, bare}) {
        const QString best = bestVoiceFor(voices, language);
        if (!best.isEmpty())
            return best;
    }
    return bare == kFallbackLanguage ? kFallbackLanguage : DefaultLanguage(kFallbackLanguage, voices);
}

QString VoiceLanguage()
{
    const CVoiceList* list = VoiceList();
    return VoiceLanguage(list ? list->Voices() : QList<VoiceChoice>());
}

QString VoiceLanguage(const QList<VoiceChoice>& voices)
{
    const QString stored = profileString(kLanguageEntry);
    return stored.isEmpty() ? DefaultLanguage(QLocale::system().name(), voices) : stored;
}

void WithVoiceLanguage(QObject* context, const std::function<void(const QString&)>& then)
{
    CVoiceList* list = VoiceList();
    if (!profileString(kLanguageEntry).isEmpty() || !list || list->IsKnown()) {
        QTimer::singleShot(0, context, [then] { then(VoiceLanguage()); });
        return;
    }
    QObject::connect(list, &CVoiceList::listed, context, [then] { then(VoiceLanguage()); }, Qt::SingleShotConnection);
    list->Fetch();
}

bool SetVoiceLanguage(const QString& language)
{
    return writeProfileString(kLanguageEntry, language);
}

bool SpeakUnrecordedWords()
{
    return profileString(kSpeakUnrecordedEntry) == QStringLiteral("1");
}

bool SetSpeakUnrecordedWords(bool on)
{
    return writeProfileString(kSpeakUnrecordedEntry, on ? QStringLiteral("1") : QStringLiteral("0"));
}

}  // namespace practice::voice
