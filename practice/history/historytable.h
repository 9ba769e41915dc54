#pragma once

#include "practice/history/resultstore.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

class QLabel;
class QTableView;
class QTreeWidget;

// A learner's tests for a table view, newest first. A model rather than an
// item widget: ten thousand rows cost nothing until they are drawn.
class CHistoryTable : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { When, List, Words, Right, Score, Ending, Round, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    // `tests` oldest first, as the store gives them.
    void SetTests(QList<practice::history::StoredTest> tests);
    const QList<practice::history::StoredTest>& Tests() const { return m_tests; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<practice::history::StoredTest> m_tests;
};

// A view over a table of results, rows chosen whole, Tab leaving it: rows of
// a fixed height and each column as wide as its header or `widest` (its
// widest usual value), so that nothing is measured row by row however many
// rows come.
QTableView* MakeResultsView(QAbstractTableModel* model, const QStringList& widest, QWidget* parent);

// A label naming `buddy` (its & key moves there) and giving it its accessible name.
QLabel* BuddyLabel(const QString& text, QWidget* buddy, QWidget* parent);

// The most missed words: word, times missed, times asked; eight rows high.
QTreeWidget* MakeMissedWordsList(QWidget* parent);
// Shows `missed`, the first chosen; a screen reader hears each row's figures
// by name and the whole list in the description.
void ShowMissedWords(QTreeWidget* list, const QList<practice::history::MissedWord>& missed);
