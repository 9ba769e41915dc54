#pragma once

#include "practice/history/classstore.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <QList>

// The class's results, a row per learner and list, for a table view: a model,
// so that a class's hundred thousand results cost nothing until drawn.
class CClassResultsTable : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Learner, List, Latest, Best, Taken, Last, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void SetRows(QList<practice::history::ClassResultRow> rows);
    const QList<practice::history::ClassResultRow>& Rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<practice::history::ClassResultRow> m_rows;
};

namespace practice::classroom {

// The rows as a CSV file, written as the History window writes a learner's.
QByteArray ClassResultsCsv(const QList<history::ClassResultRow>& rows);

}  // namespace practice::classroom
