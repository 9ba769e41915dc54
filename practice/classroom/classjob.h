#pragma once

#include "practice/history/classstore.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

namespace practice::classroom {

// Runs one piece of work against the class on a thread of its own: connects,
// runs `work` with the connected store there, and says how it went on the
// GUI thread. The window stays responsive meanwhile; the job may be deleted
// at any time (a Cancel while connecting): the thread then finishes on its
// own, within the connection's time-outs, and nobody hears of it. When the
// server asks for a password, the run's password is asked for (once) over
// `window` and the work tried again with it.
class CClassJob : public QObject {
    Q_OBJECT
public:
    // Runs on the job's thread: what it reads goes into what it captured.
    using Work = std::function<bool(history::ClassStore& store, QString* error)>;

    CClassJob(history::ClassConnection where, Work work, QWidget* window, QObject* parent = nullptr);

    // The history module loads here, on the GUI thread, the first time a class is used.
    void Start();

signals:
    // `error` is said for the user.
    void Finished(bool ok, const QString& error);

private:
    void finished(bool ok, const QString& error, bool connected, bool needsPassword);

    history::ClassConnection m_where;
    Work m_work;
    QPointer<QWidget> m_window;
    bool m_asked = false;
};

}  // namespace practice::classroom
