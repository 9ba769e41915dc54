#pragma once

#include <QStringList>

// A document that owns a spelling list. The list editor confirms into the
// active document's list through this, without depending on the document class.
class CWordListOwner {
public:
    virtual ~CWordListOwner() = default;
    virtual QStringList& WordList() = 0;
};
