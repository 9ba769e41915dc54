#include "practice/document/wordwelldoc.h"

#include "platform/framework/archive.h"
#include "practice/document/wordlist.h"

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
