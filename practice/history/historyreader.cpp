#include "practice/history/historyreader.h"

#include "practice/history/storemodule.h"

#include <QFileInfo>

using namespace practice::history;

CHistoryReader::CHistoryReader(QString path) : m_path(std::move(path)) {}

CHistoryReader::~CHistoryReader() = default;

bool CHistoryReader::Open(QString* error, QString* notice)
{
    m_store.reset();
    notice->clear();
    // A dangling link is not "no history": it is said so.
    const QFileInfo file(m_path);
    if (!file.exists() && !file.isSymLink())
        return true;
    QString reason;
    const ResultStoreFactory* factory = LoadStoreFactory(&reason);
    if (!factory) {
        *error = QStringLiteral("The history could not be read: %1.").arg(reason);
        return false;
    }
    // Readers wait for no writer with the write-ahead log, and a window that
    // hangs is worse than one that says why.
    std::unique_ptr<ResultStore> store = factory->OpenToRead(m_path, 1000);
    if (!store->ReadProblem().isEmpty()) {
        *error = store->ReadProblem();
        return false;
    }
    *notice = store->Problem();
    m_store = std::move(store);
    return true;
}

bool CHistoryReader::Learners(QStringList* learners, QString* error)
{
    learners->clear();
    return !m_store || m_store->Learners(learners, error);
}

bool CHistoryReader::Tests(const QString& learner, QList<StoredTest>* tests, QString* error)
{
    tests->clear();
    return !m_store || m_store->Tests(learner, tests, error);
}

bool CHistoryReader::MostMissed(const QString& learner, int limit, QList<MissedWord>* words, QString* error)
{
    words->clear();
    return !m_store || m_store->MostMissed(learner, limit, words, error);
}
