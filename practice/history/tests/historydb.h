#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

// A connection of the test's own to a history database file, closed with it.
class Peek {
public:
    explicit Peek(const QString& path) : m_name(QStringLiteral("peek%1").arg(++s_count))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", m_name);
        db.setDatabaseName(path);
        if (!db.open())
            qFatal("the test could not open %s", qPrintable(path));
    }
    ~Peek()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    // Each row's cells joined by |; the error's text when the query fails.
    QStringList rows(const QString& select) const
    {
        QSqlQuery q(QSqlDatabase::database(m_name));
        if (!q.exec(select))
            return {q.lastError().text()};
        QStringList out;
        while (q.next()) {
            QStringList cells;
            for (int i = 0; i < q.record().count(); ++i)
                cells << q.value(i).toString();
            out << cells.join(u'|');
        }
        return out;
    }
    bool exec(const QString& sql) const { return QSqlQuery(QSqlDatabase::database(m_name)).exec(sql); }

    // Takes a history this version kept back to an older schema: version 2
    // had no index of learners, version 1 no practice rounds nor index of answers.
    bool makeVersion(int version) const
    {
        return exec("DROP INDEX tests_by_learner")
               && (version != 1
                   || (exec("DROP INDEX answers_by_test") && exec("ALTER TABLE tests DROP COLUMN practice")))
               && exec(QStringLiteral("UPDATE schema_info SET version = %1").arg(version));
    }

private:
    static inline int s_count = 0;
    QString m_name;
};
