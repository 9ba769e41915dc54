#include "practice/share/importjob.h"

#include <QElapsedTimer>
#include <QThread>

namespace practice::share {

namespace {

// Often enough for the count to move, seldom enough not to flood the window.
constexpr qint64 kReportMs = 50;

}  // namespace

CImportJob::CImportJob(Work work, QObject* parent) : QObject(parent), m_work(std::move(work)) {}

CImportJob::~CImportJob()
{
    if (m_thread) {
        m_cancelled = true;
        m_thread->wait();
        delete m_thread;
    }
}

void CImportJob::Start()
{
    m_thread = QThread::create([this] {
        QElapsedTimer sinceReport;
        sinceReport.start();
        const InstallProgress progress{
            [this, &sinceReport](int done, int total) {
                if (done == total || sinceReport.elapsed() >= kReportMs) {
                    sinceReport.restart();
                    emit this->progress(done, total);
                }
            },
            [this] { return m_cancelled.load(); }};
        m_succeeded = m_work(progress);
    });
    // Heard on this object's own thread, once the work is over.
    connect(m_thread, &QThread::finished, this, &CImportJob::finished);
    m_thread->start();
}

}  // namespace practice::share
