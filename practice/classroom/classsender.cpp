#include "practice/classroom/classsender.h"

#include "practice/classroom/sendround.h"
#include "practice/history/storemodule.h"

#include <QCoreApplication>
#include <QThread>

using namespace practice::history;

namespace practice::classroom {

CClassSender::CClassSender(QString historyPath, ClassConnection where, QObject* parent) : QObject(parent)
{
    // Modules load on the main thread; the stores are opened on the sender's.
    QString reason;
    const ResultStoreFactory* local = LoadStoreFactory(&reason);
    const ClassStoreFactory* remote = local ? LoadClassStoreFactory(&reason) : nullptr;
    if (!remote) {
        m_problem = QStringLiteral("Results cannot be sent to the class: %1.").arg(reason);
        return;
    }
    m_thread = new QThread(this);
    m_round = new CSendRound(local, remote, std::move(historyPath), std::move(where));
    m_round->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_round, &QObject::deleteLater);
    connect(m_round, &CSendRound::Done, this, &CClassSender::Waiting, Qt::QueuedConnection);
    m_thread->start();
}

CClassSender::~CClassSender()
{
    if (!m_thread)
        return;
    m_thread->quit();
    m_thread->wait();
}

void CClassSender::SetPassword(const QString& password)
{
    if (m_round)
        QMetaObject::invokeMethod(m_round, [round = m_round, password] { round->SetPassword(password); });
}

void CClassSender::Retire()
{
    disconnect(this, &CClassSender::Waiting, nullptr, nullptr);
    setParent(QCoreApplication::instance());
    if (!m_thread) {
        deleteLater();
        return;
    }
    connect(qApp, &QCoreApplication::aboutToQuit, m_thread, [thread = m_thread] { thread->wait(); });
    connect(m_thread, &QThread::finished, this, &QObject::deleteLater);
    m_thread->quit();
}

void CClassSender::SendNow()
{
    if (!m_round) {
        emit Waiting(0, m_problem, false);
        return;
    }
    QMetaObject::invokeMethod(m_round, &CSendRound::Run, Qt::QueuedConnection);
}

}  // namespace practice::classroom
