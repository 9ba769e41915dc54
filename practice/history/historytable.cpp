#include "practice/history/historytable.h"

#include "practice/review/score.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTreeWidget>

#include <algorithm>

using practice::history::MissedWord;
using practice::history::StoredTest;

void CHistoryTable::SetTests(QList<StoredTest> tests)
{
    beginResetModel();
    m_tests = std::move(tests);
    endResetModel();
}

int CHistoryTable::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_tests.size());
}

int CHistoryTable::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CHistoryTable::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_tests.size())
        return {};
    const StoredTest& t = m_tests[m_tests.size() - 1 - index.row()];
    if (role == Qt::TextAlignmentRole && (index.column() == Words || index.column() == Right || index.column() == Score))
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case When: return t.when.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    case List: return role == Qt::ToolTipRole ? t.listPath : t.listName;
    case Words: return t.words;
    case Right: return t.right;
    case Score: return practice::review::FormatScore(t.right, t.words);
    case Ending: return t.stopped ? QStringLiteral("stopped") : QStringLiteral("finished");
    case Round: return t.practice ? QStringLiteral("practice round") : QStringLiteral("first try");
    default: return {};
    }
}

QVariant CHistoryTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    static const char* const kHeaders[ColumnCount] = {"Date and time", "List",  "Words", "Right answers",
                                                      "Score",         "Ended", "Round"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(kHeaders[section]) : QVariant();
}

QTableView* MakeResultsView(QAbstractTableModel* model, const QStringList& widest, QWidget* parent)
{
    auto* view = new QTableView(parent);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setTabKeyNavigation(false);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    const QFontMetrics metrics = parent->fontMetrics();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(metrics.height() + 6);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    view->horizontalHeader()->setStretchLastSection(true);
    for (int c = 0; c < model->columnCount() && c < widest.size(); ++c)
        view->setColumnWidth(c, std::max(metrics.horizontalAdvance(model->headerData(c, Qt::Horizontal).toString()),
                                         metrics.horizontalAdvance(widest[c]))
                                    + 16);
    return view;
}

QLabel* BuddyLabel(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    buddy->setAccessibleName(QString(text).remove(u'&').remove(u':'));
    return label;
}

QTreeWidget* MakeMissedWordsList(QWidget* parent)
{
    auto* list = new QTreeWidget(parent);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setHeaderLabels({QStringLiteral("Word"), QStringLiteral("Times missed"), QStringLiteral("Times asked")});
    list->setMaximumHeight(parent->fontMetrics().height() * 8);
    return list;
}

void ShowMissedWords(QTreeWidget* list, const QList<MissedWord>& missed)
{
    list->clear();
    QStringList described;
    for (const MissedWord& w : missed) {
        auto* item = new QTreeWidgetItem(list, {w.word, QString::number(w.missed), QString::number(w.asked)});
        // A row read by the arrows says what its figures count.
        item->setData(1, Qt::AccessibleTextRole, QStringLiteral("missed %1").arg(w.missed));
        item->setData(2, Qt::AccessibleTextRole, QStringLiteral("asked %1").arg(w.asked));
        described << QStringLiteral("%1: missed %2, asked %3").arg(w.word).arg(w.missed).arg(w.asked);
    }
    list->setAccessibleDescription(missed.isEmpty() ? QStringLiteral("No word missed.")
                                                    : described.join(QStringLiteral("; ")) + u'.');
    if (!missed.isEmpty())
        list->setCurrentItem(list->topLevelItem(0));
}
