#pragma once

#include "platform/framework/cmdtarget.h"
#include "platform/framework/document.h"

#include <QWidget>

namespace platform::framework {

// A window that shows a document, the first target of its frame's commands.
// The frame knows its active view only as this, so the form view above it may
// call its frame without the two depending on each other.
class CDocumentView : public QWidget, public CView, public CCmdTarget {
    Q_OBJECT
public:
    explicit CDocumentView(QWidget* parent = nullptr);
    ~CDocumentView() override;

    // The document template joins the view to its document and frame.
    void SetDocument(CDocument* document);
    CDocument* GetDocument() const { return m_pDocument; }

private:
    CDocument* m_pDocument = nullptr;
};

}  // namespace platform::framework
