#include "platform/help/helptopics.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSplitter>
#include <QTextBrowser>
#include <QTreeWidget>

namespace platform::help {

namespace {
constexpr int kAnchorRole = Qt::UserRole + 1;
}

CHelpTopicsWindow::CHelpTopicsWindow(const HelpFile& help, const HelpContents& contents, QWidget* owner)
    : QDialog(owner, Qt::Window), m_contents(new QTreeWidget(this)), m_browser(new QTextBrowser(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(contents.title.isEmpty() ? QStringLiteral("Help Topics") : QStringLiteral("Help Topics: ") + contents.title);
    setAccessibleName(windowTitle());

    m_contents->setHeaderLabel(QStringLiteral("Contents"));
    m_contents->header()->hide();
    m_contents->setAccessibleName(QStringLiteral("Contents"));
    QList<QTreeWidgetItem*> parents;
    for (const ContentsEntry& entry : contents.entries) {
        while (parents.size() >= entry.level)
            parents.removeLast();
        auto* item = parents.isEmpty() ? new QTreeWidgetItem(m_contents) : new QTreeWidgetItem(parents.last());
        item->setText(0, entry.title);
        item->setData(0, kAnchorRole, entry.topic);
        if (entry.topic.isEmpty())
            parents.append(item);
    }
    m_contents->expandAll();
    connect(m_contents, &QTreeWidget::itemActivated, this, &CHelpTopicsWindow::onItemActivated);
    connect(m_contents, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { onItemActivated(current); });

    m_browser->setAccessibleName(QStringLiteral("Topic"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({QFileInfo(help.Path()).path()});
    m_browser->setHtml(help.Html());

    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_contents);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 3);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter);
    resize(760, 520);
}

void CHelpTopicsWindow::onItemActivated(QTreeWidgetItem* item)
{
    if (!item)
        return;
    const QString anchor = item->data(0, kAnchorRole).toString();
    if (!anchor.isEmpty())
        m_browser->scrollToAnchor(anchor);
}

void CHelpTopicsWindow::ShowTopic(const QString& anchor)
{
    for (QTreeWidgetItemIterator it(m_contents); *it; ++it) {
        if ((*it)->data(0, kAnchorRole).toString() == anchor) {
            m_contents->setCurrentItem(*it);
            break;
        }
    }
    m_browser->scrollToAnchor(anchor);
}

}  // namespace platform::help
