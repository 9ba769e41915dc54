#include "practice/classroom/classjob.h"

#include "practice/classroom/classpassword.h"

#include <QCoreApplication>
#include <QThread>

#include <memory>

using namespace practice::history;

namespace practice::classroom {

namespace {

struct Outcome {
    bool ok = false;
    bool connected = false;
    bool needsPassword = false;
    QString error;
};

}  // namespace

CClassJob::CClassJob(ClassConnection where, Work work, QWidget* window, QObject* parent)
    : QObject(parent), m_where(std::move(where)), m_work(std::move(work)), m_window(window)
{
}

void CClassJob::Start()
{
    QString reason;
    const ClassStoreFactory* factory = LoadClassStoreFactory(&reason);
    if (!factory) {
        const QString error = QStringLiteral("The class cannot be reached: %1.").arg(reason);
        QMetaObject::invokeMethod(this, [this, error] { emit Finished(false, error); }, Qt::QueuedConnection);
        return;
    }
    auto outcome = std::make_shared<Outcome>();
    // Owned by nobody but itself: it outlives a job deleted while it connects.
    QThread* thread = QThread::create([factory, where = m_where, password = RunPassword(), work = m_work, outcome] {
        const std::unique_ptr<ClassStore> store = factory->Connect(where, password);
        outcome->error = store->Problem();
        outcome->needsPassword = store->NeedsPassword();
        outcome->connected = outcome->error.isEmpty();
        if (outcome->connected)
            outcome->ok = work(*store, &outcome->error);
    });
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    // The program does not end under a connection being made: the time-outs bound the wait.
    connect(qApp, &QCoreApplication::aboutToQuit, thread, [thread] { thread->wait(); });
    connect(thread, &QThread::finished, this, [this, outcome] {
        finished(outcome->ok, outcome->error, outcome->connected, outcome->needsPassword);
    });
    thread->start();
}

void CClassJob::finished(bool ok, const QString& error, bool connected, bool needsPassword)
{
    if (needsPassword && !m_asked) {
        m_asked = true;
        const QPointer<CClassJob> self(this);
        const bool given = AskRunPassword(m_where.user, m_window);
        if (!self)
            return;
        if (given) {
            Start();
            return;
        }
    }
    // A password the server would not take is asked for again next time.
    if (!connected && !needsPassword)
        ForgetRunPassword();
    emit Finished(ok, error);
}

}  // namespace practice::classroom
