#pragma once

#include "platform/framework/cmdtarget.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

namespace platform::framework {

class CArchive;

// Anything that shows a document and must hear of its changes.
class CView {
public:
    virtual ~CView() = default;
    virtual void OnUpdate(CView* sender, qintptr hint, QObject* hintObject) = 0;
};

// The document base: path name, title, modified flag, its views, and the
// New / Open / Save procedures. A save goes through QSaveFile, so a failed save
// never damages the file it was to replace; every failure is reported with the
// file's name and the system's reason. Its command map carries Save and Save As.
class CDocument : public CCmdTarget {
public:
    CDocument();
    ~CDocument() override = default;

    virtual void Serialize(CArchive& ar) = 0;
    virtual void DeleteContents() {}
    virtual bool OnNewDocument();
    // Documents are read whole; a larger file is refused before it is read. A
    // spelling list of a million words takes under 10 MB.
    static constexpr qint64 kMaxDocumentBytes = 16 * 1024 * 1024;

    // Reads the whole file, then loads it; on any failure the contents are
    // emptied again, so a partly read file never stays. Only a regular file of
    // at most kMaxDocumentBytes is read: a pipe or a device would block or
    // never end, a folder is no document.
    virtual bool OnOpenDocument(const QString& pathName);
    virtual bool OnSaveDocument(const QString& pathName);
    // Asks whether to save a modified document; false when the user cancels or the save fails.
    virtual bool SaveModified();

    // Saves to pathName, asking for a name first when it is empty; with `replace`
    // the document takes the new name.
    bool DoSave(const QString& pathName, bool replace = true);
    bool DoFileSave();

    const QString& GetPathName() const { return m_strPathName; }
    // Also puts the file at the head of the application's recent-file list.
    void SetPathName(const QString& pathName);
    const QString& GetTitle() const { return m_strTitle; }
    void SetTitle(const QString& title) { m_strTitle = title; }
    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true) { m_bModified = modified; }

    void AddView(CView* view);
    void RemoveView(CView* view);
    void UpdateAllViews(CView* sender, qintptr hint = 0, QObject* hintObject = nullptr);

    // Save As asks through this; it returns the chosen path, or an empty string
    // when the user cancels. The document template installs the file dialog.
    using SaveAsPrompt = std::function<QString(const QString& proposedName)>;
    void SetSaveAsPrompt(SaveAsPrompt prompt) { m_saveAsPrompt = std::move(prompt); }

private:
    QString m_strPathName;
    QString m_strTitle = QStringLiteral("Untitled");
    bool m_bModified = false;
    QList<CView*> m_views;
    SaveAsPrompt m_saveAsPrompt;
};

}  // namespace platform::framework
