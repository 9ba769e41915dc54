#pragma once

#include <QElapsedTimer>
#include <QtGlobal>

class QString;
class QWidget;

namespace platform::framework {

// When a long job's progress is worth saying to a screen reader: at each new
// quarter of the way, or after a long quiet, and never sooner than a few
// seconds after the last line. A line for every item would drown the
// listener; the start is read with the window and the end with its summary.
class ProgressPace {
public:
    static constexpr qint64 kLeastGapMs = 3000;
    static constexpr qint64 kLongestQuietMs = 10000;

    // True when `done` of `total` should be said now, `nowMs` after the job started.
    bool Due(int done, int total, qint64 nowMs);

    // The job starts now: its time counts from here.
    void Start() { m_started.start(); }
    // Announces `line` in `window` when `done` of `total` is due; nothing before Start.
    void Report(QWidget* window, int done, int total, const QString& line);

private:
    QElapsedTimer m_started;
    int m_quarter = 0;
    qint64 m_saidAtMs = 0;
};

}  // namespace platform::framework
