#include "practice/classroom/sendround.h"

#include <QTimer>

using namespace practice::history;

namespace practice::classroom {

CSendRound::CSendRound(const ResultStoreFactory* local, const ClassStoreFactory* remote, QString historyPath,
                       ClassConnection where)
    : m_localFactory(local), m_classFactory(remote), m_historyPath(std::move(historyPath)), m_where(std::move(where))
{
}

CSendRound::~CSendRound() = default;

bool CSendRound::openLocal(QString* error)
{
    if (!m_local || !m_local->Problem().isEmpty())
        m_local = m_localFactory->Open(m_historyPath, 3000);
    *error = m_local->Problem();
    return error->isEmpty();
}

bool CSendRound::openClass(QString* error)
{
    if (!m_class)
        m_class = m_classFactory->Connect(m_where, m_password);
    *error = m_class->Problem();
    m_needsPassword = m_class->NeedsPassword();
    if (error->isEmpty())
        return true;
    m_class.reset();
    return false;
}

void CSendRound::Run()
{
    // The timer is made here so that it lives on this thread.
    if (!m_retry) {
        m_retry = new QTimer(this);
        m_retry->setSingleShot(true);
        m_retry->setInterval(kRetryMs);
        connect(m_retry, &QTimer::timeout, this, &CSendRound::Run);
    }
    m_retry->stop();
    m_needsPassword = false;
    QString error;
    int count = 0;
    if (!openLocal(&error) || !m_local->WaitingCount(m_where.Key(), &count, &error))
        return finish(count, error);
    while (count > 0) {
        QList<OutgoingResult> batch;
        if (!m_local->Waiting(m_where.Key(), kBatch, &batch, &error))
            return finish(count, error);
        // Fewer than counted: another Wordwell of this user sent them meanwhile.
        if (batch.isEmpty())
            break;
        if (!openClass(&error))
            return finish(count, error);
        if (!m_class->Send(batch, &error)) {
            // The connection may be dead: the next round connects afresh.
            m_class.reset();
            return finish(count, error);
        }
        QStringList uids;
        for (const OutgoingResult& result : batch)
            uids.append(result.uid);
        // Not marked (killed, disk full): sent again later, and the server
        // keeps the one it has.
        if (!m_local->MarkSent(uids, &error))
            return finish(count, error);
        count -= static_cast<int>(batch.size());
    }
    finish(0, QString());
}

void CSendRound::finish(int count, const QString& problem)
{
    if (count > 0)
        m_retry->start();
    emit Done(count, problem, m_needsPassword);
}

}  // namespace practice::classroom
