#include "platform/framework/documentview.h"

namespace platform::framework {

CDocumentView::CDocumentView(QWidget* parent) : QWidget(parent) {}

CDocumentView::~CDocumentView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

void CDocumentView::SetDocument(CDocument* document)
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
    m_pDocument = document;
    if (m_pDocument)
        m_pDocument->AddView(this);
}

}  // namespace platform::framework
