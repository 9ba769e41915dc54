#pragma once

#include <QList>
#include <QString>

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
};

// The voices listed by the speech program's "--voices" output; empty when it cannot run.
QList<VoiceChoice> ParseVoiceList(const QString& output);
QList<VoiceChoice> AvailableVoices();

// The voice for a locale name such as "de_AT": the exact language if offered
// ("de-at"), else the bare language ("de"), else a regional voice of it
// ("fr-fr" for "fr_CA"), else English.
QString DefaultLanguage(const QString& localeName, const QList<VoiceChoice>& voices);

// The chosen language, or the default for the user's locale when none is stored.
QString VoiceLanguage();
bool SetVoiceLanguage(const QString& language);

// Whether Listen speaks a word that has no clip; off unless the user turned it on.
bool SpeakUnrecordedWords();
bool SetSpeakUnrecordedWords(bool on);

}  // namespace practice::voice
