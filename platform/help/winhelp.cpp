#include "platform/help/winhelp.h"

#include "platform/framework/messagebox.h"
#include "platform/framework/winapp.h"
#include "platform/help/helpfile.h"
#include "platform/help/helppopup.h"
#include "platform/help/helptopics.h"

#include <QCursor>
#include <QFile>
#include <QPointer>

namespace platform::help {

namespace {

QPointer<CHelpPopup>& popup()
{
    static QPointer<CHelpPopup> p;
    return p;
}

QPointer<CHelpTopicsWindow>& topics()
{
    static QPointer<CHelpTopicsWindow> t;
    return t;
}

std::optional<HelpFile> loadOrReport(const QString& helpFile)
{
    QString error;
    std::optional<HelpFile> help = HelpFile::Load(helpFile, &error);
    if (!help)
        platform::framework::AfxMessageBox(error, platform::framework::MB_ICONEXCLAMATION);
    return help;
}

void showPopup(QWidget* owner, const HelpFile& help, quint32 contextId, QWidget* near)
{
    if (popup())
        popup()->close();
    QString html = help.PopupTopic(contextId);
    if (html.isEmpty())
        html = kNoTopicText.toHtmlEscaped();
    auto* note = new CHelpPopup(html, owner ? owner->window() : nullptr);
    popup() = note;
    note->ShowBeside(near, QCursor::pos());
}

CHelpTopicsWindow* openTopics(QWidget* owner, const HelpFile& help)
{
    if (!topics()) {
        QFile cnt(ContentsPathFor(help.Path()));
        HelpContents contents;
        if (cnt.open(QIODevice::ReadOnly))
            contents = ParseContents(QString::fromUtf8(cnt.readAll()));
        topics() = new CHelpTopicsWindow(help, contents, owner ? owner->window() : nullptr);
    }
    topics()->show();
    topics()->raise();
    topics()->activateWindow();
    return topics();
}

}  // namespace

bool WinHelp(QWidget* owner, const QString& helpFile, unsigned command, quintptr data, QWidget* near)
{
    if (command == HELP_QUIT) {
        if (popup())
            popup()->close();
        if (topics())
            topics()->close();
        return true;
    }
    std::optional<HelpFile> help = loadOrReport(helpFile);
    if (!help)
        return false;
    switch (command) {
    case HELP_CONTEXTPOPUP: showPopup(owner, *help, static_cast<quint32>(data), near); return true;
    case HELP_CONTEXT: openTopics(owner, *help)->ShowTopic(ContextIdName(static_cast<quint32>(data))); return true;
    case HELP_FINDER:
    case HELP_CONTENTS: openTopics(owner, *help); return true;
    default: return false;
    }
}

bool AppWinHelp(quintptr data, unsigned command)
{
    platform::framework::CWinApp* app = platform::framework::AfxGetApp();
    if (!app)
        return false;
    return WinHelp(app->GetMainWnd(), app->GetHelpFilePath(), command, data);
}

QWidget* CurrentPopup()
{
    return popup();
}

QDialog* CurrentHelpTopics()
{
    return topics();
}

}  // namespace platform::help
