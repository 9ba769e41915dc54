#pragma once

#include "platform/framework/document.h"
#include "practice/editor/wordlistowner.h"

#include <QStringList>

// The spelling list document: the words in test order, duplicates allowed,
// each exactly as typed. Its command map carries the two commands that act on
// the whole list: editing it and viewing it.
class CWordwellDoc : public platform::framework::CDocument, public CWordListOwner {
public:
    CWordwellDoc();

    void Serialize(platform::framework::CArchive& ar) override;
    void DeleteContents() override;
    bool OnNewDocument() override;
    QStringList& WordList() override { return m_wordList; }

    // Runs the list editor on the list; OK marks the list modified.
    void OnEditList();
    // Shows the list and its word count.
    void OnListInformation();

    QStringList m_wordList;
};
