#pragma once

#include <QString>

namespace platform::framework {

// The application object: its title, its profile settings kept in the
// registry's HKEY_CURRENT_USER hive, and its help file path. One exists per
// process; AfxGetApp() reaches it from anywhere.
class CWinApp {
public:
    explicit CWinApp(const QString& appName);
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    virtual bool InitInstance() { return true; }

    const QString& AppName() const { return m_strAppName; }

    // From now on profile values live below HKEY_CURRENT_USER\Software\<company>\<app name>.
    void SetRegistryKey(const QString& company);
    QString GetProfileString(const QString& section, const QString& entry,
                             const QString& defaultValue = QString()) const;
    bool WriteProfileString(const QString& section, const QString& entry, const QString& value);

    // The program's own file with its extension replaced by ".hlp" (added when it has none).
    const QString& GetHelpFilePath() const { return m_strHelpFilePath; }
    static QString HelpFilePathFor(const QString& programPath);

private:
    QString sectionKey(const QString& section) const;

    QString m_strAppName;
    QString m_strRegistryKey;
    QString m_strHelpFilePath;
};

CWinApp* AfxGetApp();

}  // namespace platform::framework
