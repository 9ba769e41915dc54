#include "practice/classroom/classresults.h"

#include "practice/history/historycsv.h"

#include <QStringList>

using practice::history::ClassResultRow;

namespace {

const char* const kHeaders[CClassResultsTable::ColumnCount] = {"Learner",    "List",  "Latest score",
                                                               "Best score", "Tests", "Last taken"};

QString percent(const std::optional<double>& score)
{
    return score ? QStringLiteral("%1 %").arg(*score, 0, 'f', 2) : QStringLiteral("none finished");
}

QString csvNumber(const std::optional<double>& score)
{
    return score ? QString::number(*score, 'f', 2) : QString();
}

QString when(const QDateTime& last)
{
    return last.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

}  // namespace

void CClassResultsTable::SetRows(QList<ClassResultRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int CClassResultsTable::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CClassResultsTable::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CClassResultsTable::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const ClassResultRow& r = m_rows[index.row()];
    if (role == Qt::TextAlignmentRole && index.column() >= Latest && index.column() <= Taken)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Learner: return r.learner;
    case List: return r.listName;
    case Latest: return percent(r.latestScore);
    case Best: return percent(r.bestScore);
    case Taken: return r.taken;
    case Last: return when(r.last);
    default: return {};
    }
}

QVariant CClassResultsTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(kHeaders[section]) : QVariant();
}

namespace practice::classroom {

QByteArray ClassResultsCsv(const QList<ClassResultRow>& rows)
{
    QString text = QStringLiteral("Learner,List,Latest score (%),Best score (%),Tests,Last taken\r\n");
    for (const ClassResultRow& r : rows) {
        const QStringList cells{history::CsvTextCell(r.learner),
                                history::CsvTextCell(r.listName),
                                csvNumber(r.latestScore),
                                csvNumber(r.bestScore),
                                QString::number(r.taken),
                                r.last.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))};
        text += cells.join(u',') + QStringLiteral("\r\n");
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

}  // namespace practice::classroom
