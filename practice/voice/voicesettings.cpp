#include "practice/voice/voicesettings.h"

#include "platform/framework/winapp.h"
#include "practice/voice/speech.h"

#include <QLocale>
#include <QProcess>
#include <QRegularExpression>

namespace practice::voice {

namespace {

constexpr int kListTimeoutMs = 10000;

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

bool offers(const QList<VoiceChoice>& voices, const QString& language)
{
    for (const VoiceChoice& voice : voices)
        if (voice.language.compare(language, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

}  // namespace

QList<VoiceChoice> ParseVoiceList(const QString& output)
{
    // " 5  en-gb           --/M      English_(Great_Britain) gmw/en  (en 2)"
    static const QRegularExpression row(QStringLiteral(R"(^\s*\d+\s+(\S+)\s+\S+\s+(\S+))"));
    QList<VoiceChoice> voices;
    const QStringList lines = output.split(u'\n');
    for (const QString& line : lines) {
        const QRegularExpressionMatch match = row.match(line);
        if (match.hasMatch())
            voices.append({match.captured(1), match.captured(2).replace(u'_', u' ')});
    }
    return voices;
}

QList<VoiceChoice> AvailableVoices()
{
    QProcess process;
    process.start(SpeechProgram(), {QStringLiteral("--voices")});
    if (!process.waitForFinished(kListTimeoutMs) || process.exitCode() != 0)
        return {};
    return ParseVoiceList(QString::fromUtf8(process.readAllStandardOutput()));
}

QString DefaultLanguage(const QString& localeName, const QList<VoiceChoice>& voices)
{
    const QString exact = localeName.section(u'.', 0, 0).replace(u'_', u'-').toLower();
    if (offers(voices, exact))
        return exact;
    const QString bare = exact.section(u'-', 0, 0);
    if (offers(voices, bare))
        return bare;
    // Some languages come only in regional voices: French as "fr-fr" and "fr-be".
    if (offers(voices, bare + u'-' + bare))
        return bare + u'-' + bare;
    for (const VoiceChoice& voice : voices)
        if (voice.language.startsWith(bare + u'-', Qt::CaseInsensitive))
            return voice.language;
    return kFallbackLanguage;
}

QString VoiceLanguage()
{
    const QString stored = profileString(kLanguageEntry);
    if (!stored.isEmpty())
        return stored;
    // Asked once: the list does not change while the program runs.
    static const QString byLocale = DefaultLanguage(QLocale::system().name(), AvailableVoices());
    return byLocale;
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
