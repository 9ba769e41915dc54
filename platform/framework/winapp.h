#pragma once

#include "platform/framework/appservices.h"
#include "platform/framework/profile.h"

#include <QString>

#include <functional>
#include <memory>

class QEvent;
class QObject;
class QWidget;

namespace platform::framework {

class CCommandLineInfo;
class CDocument;
class CRecentFileList;
class CSingleDocTemplate;

// The application object: its title, its profile settings kept in the
// registry's HKEY_CURRENT_USER hive, its help file path, its document
// template with New and Open, the recent-file list, and start-up from the
// command line. One exists per process; AfxGetApp() reaches it from anywhere.
class CWinApp : public CAppServices, public CProfile {
public:
    explicit CWinApp(const QString& appName);
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    ~CWinApp() override;

    virtual bool InitInstance() { return true; }
    // Sees every event of the program before it is delivered; true swallows it.
    virtual bool PreTranslateMessage(QObject* receiver, QEvent* event);
    // Runs InitInstance and, when it succeeds, the event loop; the process's
    // exit code: 1 when start-up fails, 0 when it ends having done all the
    // command line asked (a list printed).
    int Run();

    // From now on profile values live below HKEY_CURRENT_USER\Software\<company>\<app name>.
    void SetRegistryKey(const QString& company);
    QString GetProfileString(const QString& section, const QString& entry,
                             const QString& defaultValue = QString()) const override;
    bool WriteProfileString(const QString& section, const QString& entry, const QString& value) override;
    bool DeleteProfileEntry(const QString& section, const QString& entry) override;

    // The program's own file with its extension replaced by ".hlp" (added when
    // it has none), beside it or in a package's data folder (see modules.h).
    const QString& GetHelpFilePath() const { return m_strHelpFilePath; }
    void SetHelpFilePath(const QString& path) { m_strHelpFilePath = path; }
    static QString HelpFilePathFor(const QString& programPath);

    // Documents (winappdocs.cpp).
    void AddDocTemplate(std::unique_ptr<CSingleDocTemplate> docTemplate);
    CSingleDocTemplate* GetDocTemplate() const { return m_docTemplate.get(); }
    QWidget* GetMainWnd() const override;
    CDocument* OpenDocumentFile(const QString& pathName) override;
    void OnFileNew();
    void OnFileOpen();
    void OnAppExit();

    // The recent-file list of `maxFiles` entries, read from the profile.
    void LoadStdProfileSettings(int maxFiles);
    void AddToRecentFileList(const QString& pathName) override;
    const CRecentFileList* RecentFileList() const { return m_recentFiles.get(); }

    // Carries out the command line: a new list, or the list file it names.
    // False when that fails, and start-up then ends the program. /p and /pt
    // open the list without showing it, print the form straight to the
    // default or the named printer, and give false as well: the program ends,
    // successfully when the form was printed.
    bool ProcessShellCommand(const CCommandLineInfo& info);

    // The file dialog for Open (open) and Save As; the chosen path, or empty
    // when cancelled. A suggested name is one the dialog keeps (see
    // winappdocs.cpp), and the dialog asks before a file is replaced. Tests
    // answer it through SetFilePrompt.
    QString DoPromptFileName(const QString& proposedName, bool open) override;
    // The same for files of another kind: `filter` as QFileDialog takes it,
    // `extension` added to a saved name that has none. Tests answer it alike.
    QString DoPromptFileName(const QString& proposedName, bool open, const QString& caption, const QString& filter,
                             const QString& extension);
    using FilePrompt = std::function<QString(const QString& proposedName, bool open)>;
    void SetFilePrompt(FilePrompt prompt) { m_filePrompt = std::move(prompt); }

private:
    void registerCommands();
    QString sectionKey(const QString& section) const;
    void onOpenRecentFile(unsigned id);
    void onUpdateRecentFile(unsigned id, CCmdUI* ui) const;
    void writeRecentFiles();
    // Opens the list unseen and prints its form; false, reported, when it cannot.
    bool printFromCommandLine(const QString& pathName, const QString& printerName);

    QString m_strRegistryKey;
    QString m_strHelpFilePath;
    std::unique_ptr<CSingleDocTemplate> m_docTemplate;
    std::unique_ptr<CRecentFileList> m_recentFiles;
    bool m_bRecentFilesWritePending = false;
    int m_nStartUpExitCode = 1;
    std::unique_ptr<QObject> m_preTranslateFilter;
    FilePrompt m_filePrompt;
};

CWinApp* AfxGetApp();

}  // namespace platform::framework
