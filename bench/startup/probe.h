#pragma once

#include <QObject>

class QWidget;

// Start-up probes: each program shows its main window, and when the window's
// central widget has painted for the first time it prints the monotonic clock
// in nanoseconds ("shown <ns>"), then, after the program has idled a moment,
// its resident memory ("rss <kB>"), and exits.
class ShownProbe : public QObject {
public:
    explicit ShownProbe(QWidget* central);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_central;
    bool m_reported = false;
};

long long MonotonicNanoseconds();
long ResidentKilobytes();
