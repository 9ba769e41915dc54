#pragma once

#include "platform/framework/cmdtarget.h"

#include <QString>

class QWidget;

namespace platform::framework {

class CDocument;

// The application as documents, frames, templates and message boxes see it:
// the last target of every command, its title and main window, opening a file
// and the recent-file list. CWinApp implements it; the parts below it reach
// the application only through this, so none of them depends on it.
class CAppServices : public CCmdTarget {
public:
    // The one that exists per process; AfxGetAppServices() reaches it from anywhere.
    explicit CAppServices(const QString& appName);
    ~CAppServices() override;

    const QString& AppName() const { return m_strAppName; }

    virtual QWidget* GetMainWnd() const = 0;
    virtual CDocument* OpenDocumentFile(const QString& pathName) = 0;
    virtual void AddToRecentFileList(const QString& pathName) = 0;
    // The file dialog for Open (open) and Save As; the chosen path, or empty when cancelled.
    virtual QString DoPromptFileName(const QString& proposedName, bool open) = 0;

private:
    QString m_strAppName;
};

CAppServices* AfxGetAppServices();
// The title message boxes and the frame use; the program's name when no
// application object exists.
QString AfxGetAppTitle();

}  // namespace platform::framework
