#pragma once

#include "platform/framework/winapp.h"

#include <QString>

// Where the practice program keeps its settings, below
// HKEY_CURRENT_USER\Software\Tolvane\Wordwell Practice.
namespace practice::settings {
inline const QString kRegistryKey = QStringLiteral("Tolvane");
inline const QString kAppTitle = QStringLiteral("Wordwell Practice");
inline const QString kWordsPathSection = QStringLiteral("WordsPath");
inline const QString kWordsPathEntry = QStringLiteral("Path");
}  // namespace practice::settings

// The practice program's application object.
class CWordwellApp : public platform::framework::CWinApp {
public:
    CWordwellApp();

    // The first two steps of start-up: the settings key, then the words path,
    // read once and kept as stored. Without one (an installation by package,
    // not by Setup) it is the folder Setup proposes, with its clip folder made,
    // so that recordings have a place of the user's own.
    void EstablishSettings();

    // The folder that holds the clip folder "words".
    QString m_strWordsPath;
};

// The one application object, or null before it exists.
CWordwellApp* GetWordwellApp();
