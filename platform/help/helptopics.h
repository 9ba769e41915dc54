#pragma once

#include "platform/help/helpfile.h"

#include <QDialog>

class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace platform::help {

// The Help Topics window: the contents on the left, the help file on the
// right; choosing a topic in the contents shows it.
class CHelpTopicsWindow : public QDialog {
    Q_OBJECT
public:
    CHelpTopicsWindow(const HelpFile& help, const HelpContents& contents, QWidget* owner);

    // Shows the topic at `anchor` and selects its contents entry.
    void ShowTopic(const QString& anchor);
    QTreeWidget* Contents() const { return m_contents; }

private:
    void onItemActivated(QTreeWidgetItem* item);

    QTreeWidget* m_contents;
    QTextBrowser* m_browser;
};

}  // namespace platform::help
