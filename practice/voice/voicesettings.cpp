#include "practice/voice/voicesettings.h"

#include "platform/framework/winapp.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPointer>
#include <QRegularExpression>
#include <QTimer>

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
    const CVoiceList* list = VoiceList();
    return DefaultLanguage(QLocale::system().name(), list ? list->Voices() : QList<VoiceChoice>());
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
