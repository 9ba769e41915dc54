#pragma once

#include "practice/history/resultstore.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// The stored history as the History window reads it, through the history
// module (loaded on first use) from the database the keeper writes. A
// database that does not exist yet reads as empty and is not made.
class CHistoryReader {
public:
    explicit CHistoryReader(QString path);
    ~CHistoryReader();

    // False with the reason, naming the file, when the history cannot be read
    // (the module is missing; the database is damaged, locked or another
    // program's). `notice` says what the user should know of one that reads:
    // a newer version's is only read.
    bool Open(QString* error, QString* notice);
    bool Learners(QStringList* learners, QString* error);
    bool Tests(const QString& learner, QList<practice::history::StoredTest>* tests, QString* error);
    bool MostMissed(const QString& learner, int limit, QList<practice::history::MissedWord>* words, QString* error);

private:
    QString m_path;
    std::unique_ptr<practice::history::ResultStore> m_store;
};
