#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace platform::framework {

class CDocument;
class CFormView;
class CFrameWnd;

// The single-document template: one document, one frame and one view, made
// the first time a document is needed and reused for every later new or
// opened one. Its document string has seven fields separated by "\n": window
// title, document name, new-file type name, filter name, filter extension,
// file type id and file type name.
class CSingleDocTemplate {
public:
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

    using DocumentFactory = std::function<std::unique_ptr<CDocument>()>;
    using FrameFactory = std::function<std::unique_ptr<CFrameWnd>()>;
    // Makes the view inside the frame (the frame takes it as its central widget).
    using ViewFactory = std::function<CFormView*(CFrameWnd* frame)>;

    CSingleDocTemplate(const QString& docString, DocumentFactory makeDocument, FrameFactory makeFrame,
                       ViewFactory makeView);
    ~CSingleDocTemplate();
    CSingleDocTemplate(const CSingleDocTemplate&) = delete;
    CSingleDocTemplate& operator=(const CSingleDocTemplate&) = delete;

    QString GetDocString(DocStringIndex index) const;

    // A new list (empty path) or the list in that file. A modified list is
    // offered for saving first; null when that is cancelled or the new or opened
    // document fails. A failed open leaves the current list as it was when the
    // file could not be read, and a new empty list when it was damaged, so the
    // view never shows a test over words that are gone.
    CDocument* OpenDocumentFile(const QString& pathName, bool makeVisible = true);

    CDocument* GetDocument() const { return m_document.get(); }
    CFrameWnd* GetFrame() const { return m_frame.get(); }
    CFormView* GetView() const { return m_pView; }

    // The file dialog filter: "Spelli Files (*.spl)".
    QString FileDialogFilter() const;
    // The filter extension in lower case, as Linux expects: ".spl".
    QString DefaultExtension() const;

private:
    bool createDocumentAndFrame();
    void discardDocumentAndFrame();
    bool newDocument();
    void initialUpdateFrame(bool makeVisible);

    QStringList m_docStrings;
    DocumentFactory m_makeDocument;
    FrameFactory m_makeFrame;
    ViewFactory m_makeView;
    // The view holds the document, so the frame (and the view in it) goes first.
    std::unique_ptr<CDocument> m_document;
    std::unique_ptr<CFrameWnd> m_frame;
    CFormView* m_pView = nullptr;
};

}  // namespace platform::framework
