#pragma once

#include "practice/voice/speechrun.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <utility>

// The computer voice's settings, kept in the practice program's profile
// (section "Voice"), and the voices the speech program offers.
namespace practice::voice {

inline const QString kVoiceSection = QStringLiteral("Voice");
inline const QString kLanguageEntry = QStringLiteral("Language");
inline const QString kSpeakUnrecordedEntry = QStringLiteral("SpeakUnrecorded");
inline const QString kFallbackLanguage = QStringLiteral("en");

struct VoiceChoice {
    QString language;  // what the speech program takes, such as "en-gb"
    QString name;      // what the user reads, such as "English (Great Britain)"
    // The speech program's own ranking among voices of one language: the lower the first.
    int priority = 5;
    // Other languages the voice serves, with its rank for each: "en-gb" serves "en" at 2.
    QList<std::pair<QString, int>> serves;
};

// The voices listed by the speech program's "--voices" output.
QList<VoiceChoice> ParseVoiceList(const QString& output);

// The voices the speech program offers, asked for in the background within
// the speech program's time, and kept once it has answered.
class CVoiceList : public QObject {
    Q_OBJECT
public:
    explicit CVoiceList(QObject* parent = nullptr);

    // Asks the program unless it is being asked; listed() follows.
    void Fetch();
    bool IsKnown() const { return m_known; }
    const QList<VoiceChoice>& Voices() const { return m_voices; }

signals:
    // The program answered, or failed (then Voices() is empty and the next Fetch asks again).
    void listed();

private:
    CSpeechRun m_run;
    QList<VoiceChoice> m_voices;
    bool m_known = false;
};

// The one the application uses, made on first use as a child of the
// application object; null without one.
CVoiceList* VoiceList();

// The voice for a locale name such as "de_AT": the best ranked voice of the
// language and region ("de-at", or "es-419" for "es_MX", which it serves),
// else of the bare language ("de", "en-gb" for "en_AU", "fr-fr" for "fr_CA"),
// else English chosen the same way ("en" when no voice is known).
QString DefaultLanguage(const QString& localeName, const QList<VoiceChoice>& voices);

// The chosen language, or the default for the user's locale among `voices`
// (without them, among the voices known so far) when none is stored.
QString VoiceLanguage();
QString VoiceLanguage(const QList<VoiceChoice>& voices);
// Calls `then` with VoiceLanguage() from the event loop, once the voices have
// been asked for when the locale decides it; never if `context` goes first.
void WithVoiceLanguage(QObject* context, const std::function<void(const QString&)>& then);
bool SetVoiceLanguage(const QString& language);

// Whether Listen speaks a word that has no clip; off unless the user turned it on.
bool SpeakUnrecordedWords();
bool SetSpeakUnrecordedWords(bool on);

}  // namespace practice::voice
