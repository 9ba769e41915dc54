#include "platform/framework/progresspace.h"

#include "platform/framework/announce.h"

namespace platform::framework {

bool ProgressPace::Due(int done, int total, qint64 nowMs)
{
    if (done <= 0 || done >= total)
        return false;
    const int quarter = static_cast<int>(4LL * done / total);
    const qint64 quiet = nowMs - m_saidAtMs;
    if (quiet < kLeastGapMs || (quarter <= m_quarter && quiet < kLongestQuietMs))
        return false;
    m_quarter = quarter;
    m_saidAtMs = nowMs;
    return true;
}

void ProgressPace::Report(QWidget* window, int done, int total, const QString& line)
{
    if (m_started.isValid() && Due(done, total, m_started.elapsed()))
        Announce(window, line);
}

}  // namespace platform::framework
