#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace platform::help {

// The product's help file: one HTML document. A pop-up topic is an element
// <section class="popup" id="0x806503EE"> whose id is the help context id
// written "0x%08X"; the other topics are anchors that the contents file names.
class HelpFile {
public:
    // The file at `path`, or nothing with `error` saying why it could not be read.
    static std::optional<HelpFile> Load(const QString& path, QString* error);
    static HelpFile FromHtml(QString html, QString path = QString());

    const QString& Path() const { return m_strPath; }
    const QString& Html() const { return m_strHtml; }
    // The pop-up topic of a help context id, as HTML; empty when there is none.
    QString PopupTopic(quint32 contextId) const { return m_popups.value(contextId); }

private:
    QString m_strPath;
    QString m_strHtml;
    QHash<quint32, QString> m_popups;
};

QString ContextIdName(quint32 contextId);

// One line of the Help Topics contents: a heading (no topic) or a topic
// opening the help file at an anchor.
struct ContentsEntry {
    int level = 1;
    QString title;
    QString topic;
};

// The contents file beside the help file: ":Base" and ":Title" lines, then
// "<level> <title>" for a heading or "<level> <title>=<anchor>" for a topic.
struct HelpContents {
    QString title;
    QList<ContentsEntry> entries;
};
HelpContents ParseContents(const QString& text);
// The contents file of a help file: the same name with ".cnt".
QString ContentsPathFor(const QString& helpFilePath);

}  // namespace platform::help
