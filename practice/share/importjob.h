#pragma once

#include "practice/share/clipinstall.h"

#include <QObject>

#include <atomic>
#include <functional>

class QThread;

namespace practice::share {

// A step of an import run on a thread of its own, so the window stays alive
// and Cancel is heard: the work is told how far it has come through the
// progress it is given and asked there whether to stop.
class CImportJob : public QObject {
    Q_OBJECT
public:
    // True when the work was done; false when it failed or stopped.
    using Work = std::function<bool(const InstallProgress&)>;

    explicit CImportJob(Work work, QObject* parent = nullptr);
    // Stops the work and waits for it.
    ~CImportJob() override;

    // finished() follows.
    void Start();
    void Cancel() { m_cancelled = true; }
    bool Cancelled() const { return m_cancelled; }
    bool Succeeded() const { return m_succeeded; }

signals:
    // A few times a second at most, and once the last is done.
    void progress(int done, int total);
    void finished();

private:
    Work m_work;
    QThread* m_thread = nullptr;
    std::atomic_bool m_cancelled = false;
    bool m_succeeded = false;
};

}  // namespace practice::share
