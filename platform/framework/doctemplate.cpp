#include "platform/framework/doctemplate.h"

#include "platform/framework/appservices.h"
#include "platform/framework/document.h"
#include "platform/framework/formview.h"
#include "platform/framework/frame.h"

namespace platform::framework {

CSingleDocTemplate::CSingleDocTemplate(const QString& docString, DocumentFactory makeDocument,
                                       FrameFactory makeFrame, ViewFactory makeView)
    : m_docStrings(docString.split(u'\n')),
      m_makeDocument(std::move(makeDocument)),
      m_makeFrame(std::move(makeFrame)),
      m_makeView(std::move(makeView))
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    m_frame.reset();
    m_document.reset();
}

QString CSingleDocTemplate::GetDocString(DocStringIndex index) const
{
    return m_docStrings.value(index);
}

QString CSingleDocTemplate::FileDialogFilter() const
{
    return GetDocString(filterName);
}

QString CSingleDocTemplate::DefaultExtension() const
{
    return GetDocString(filterExt).toLower();
}

bool CSingleDocTemplate::createDocumentAndFrame()
{
    m_document = m_makeDocument();
    m_frame = m_makeFrame();
    if (!m_document || !m_frame) {
        discardDocumentAndFrame();
        return false;
    }
    m_pView = m_makeView(m_frame.get());
    m_pView->SetDocument(m_document.get());
    m_frame->setCentralWidget(m_pView);
    m_frame->SetActiveView(m_pView);
    m_document->SetSaveAsPrompt([](const QString& proposed) {
        CAppServices* app = AfxGetAppServices();
        return app ? app->DoPromptFileName(proposed, false) : QString();
    });
    return true;
}

void CSingleDocTemplate::discardDocumentAndFrame()
{
    m_pView = nullptr;
    m_frame.reset();
    m_document.reset();
}

bool CSingleDocTemplate::newDocument()
{
    m_document->SetTitle(GetDocString(docName).isEmpty() ? QStringLiteral("Untitled") : GetDocString(docName));
    return m_document->OnNewDocument();
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const QString& pathName, bool makeVisible)
{
    const bool created = !m_document;
    if (created) {
        if (!createDocumentAndFrame())
            return nullptr;
    } else if (!m_document->SaveModified()) {
        return nullptr;
    }

    if (pathName.isEmpty()) {
        if (!newDocument()) {
            if (created)
                discardDocumentAndFrame();
            return nullptr;
        }
    } else {
        // Cleared so that afterwards "modified" means the load emptied the list.
        const bool wasModified = m_document->IsModified();
        m_document->SetModifiedFlag(false);
        if (!m_document->OnOpenDocument(pathName)) {
            if (created) {
                discardDocumentAndFrame();
            } else if (m_document->IsModified()) {
                newDocument();
                initialUpdateFrame(makeVisible);
            } else {
                m_document->SetModifiedFlag(wasModified);
            }
            return nullptr;
        }
        m_document->SetPathName(pathName);
    }
    initialUpdateFrame(makeVisible);
    return m_document.get();
}

void CSingleDocTemplate::initialUpdateFrame(bool makeVisible)
{
    m_pView->OnInitialUpdate();
    if (makeVisible && !m_frame->isVisible())
        m_frame->show();
    m_frame->UpdateCommandUI();
}

}  // namespace platform::framework
