#include "practice/document/wordwelldoc.h"

#include "platform/framework/archive.h"
#include "platform/framework/messagebox.h"
#include "platform/framework/winapp.h"
#include "practice/document/wordlist.h"
#include "practice/editor/listinfodlg.h"
#include "practice/editor/spellinglistdlg.h"
#include "practice/document/commands.h"

CWordwellDoc::CWordwellDoc()
{
    OnCommand(practice::ID_TOOLS_EDITLIST, [this] { OnEditList(); });
    OnCommand(practice::ID_TOOLS_LISTINFO, [this] { OnListInformation(); });
}

void CWordwellDoc::Serialize(platform::framework::CArchive& ar)
{
    SerializeWordList(ar, m_wordList);
    if (ar.IsLoading())
        UpdateAllViews(nullptr, 0, nullptr);  // the view shows the word count
}

void CWordwellDoc::DeleteContents()
{
    m_wordList.clear();
    CDocument::DeleteContents();
}

bool CWordwellDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return false;
    m_wordList.clear();
    UpdateAllViews(nullptr, 0, nullptr);
    return true;
}

namespace {

// Dialogs the document opens belong to the main window.
QWidget* dialogOwner()
{
    const platform::framework::CWinApp* app = platform::framework::AfxGetApp();
    return app ? app->GetMainWnd() : nullptr;
}

}  // namespace

void CWordwellDoc::OnEditList()
{
    CSpellingListDlg dialog(dialogOwner());
    dialog.m_strWord = QStringLiteral("Enter Spelling Word here.");
    dialog.m_pWordList = &m_wordList;
    if (dialog.DoModal() == platform::framework::IDOK) {
        SetModifiedFlag(true);
        UpdateAllViews(nullptr, 0, nullptr);
    }
}

void CWordwellDoc::OnListInformation()
{
    CListInfoDlg dialog(dialogOwner());
    dialog.m_strCount = QString::number(m_wordList.size());
    dialog.m_pWordList = &m_wordList;
    dialog.DoModal();
}
