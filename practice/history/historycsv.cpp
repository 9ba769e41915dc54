#include "practice/history/historycsv.h"

#include "practice/review/score.h"

#include <QSaveFile>
#include <QStringList>

namespace practice::history {

QString CsvTextCell(const QString& text)
{
    QString cell = text;
    if (!cell.isEmpty() && QStringLiteral("=+-@\t\r").contains(cell.front()))
        cell.prepend(u'\'');
    if (cell.contains(u',') || cell.contains(u'"') || cell.contains(u'\n') || cell.contains(u'\r'))
        cell = u'"' + cell.replace(u'"', QStringLiteral("\"\"")) + u'"';
    return cell;
}

QByteArray HistoryCsv(const QString& learner, const QList<StoredTest>& tests)
{
    QString text = QStringLiteral("Learner,Date and time,List,List path,Words,Right answers,Score (%),"
                                  "Finished or stopped,First try or practice\r\n");
    for (const StoredTest& t : tests) {
        const QStringList cells{CsvTextCell(learner),
                                t.when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                                CsvTextCell(t.listName),
                                CsvTextCell(t.listPath),
                                QString::number(t.words),
                                QString::number(t.right),
                                QString::number(practice::review::ScorePercent(t.right, t.words), 'f', 2),
                                t.stopped ? QStringLiteral("stopped") : QStringLiteral("finished"),
                                t.practice ? QStringLiteral("practice round") : QStringLiteral("first try")};
        text += cells.join(u',') + QStringLiteral("\r\n");
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

bool SaveCsv(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    *error = QStringLiteral("The history could not be saved to \"%1\": %2.").arg(path, file.errorString());
    return false;
}

}  // namespace practice::history
