#pragma once

#include "platform/framework/document.h"

#include <QStringList>

// The spelling list document: the words in test order, duplicates allowed,
// each exactly as typed.
class CWordwellDoc : public platform::framework::CDocument {
public:
    void Serialize(platform::framework::CArchive& ar) override;
    void DeleteContents() override;
    bool OnNewDocument() override;

    QStringList m_wordList;
};
