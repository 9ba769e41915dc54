#pragma once

#include "practice/history/resultstore.h"

#include <QList>
#include <QWidget>

// The score of each finished first try over time, oldest on the left: a line
// through a marked point per test on a 0–100 % scale with labelled lines. The
// marks and labels carry it without colour; the accessible description gives
// the figures in words.
class CScoreChart : public QWidget {
    Q_OBJECT
public:
    explicit CScoreChart(QWidget* parent = nullptr);

    // Takes the finished first tries of `tests` (oldest first).
    void SetTests(const QList<practice::history::StoredTest>& tests);
    // The figures in words, as the accessible description holds them.
    static QString Describe(const QList<practice::history::StoredTest>& tests);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Point {
        QDateTime when;
        double score;
    };
    static QList<Point> pointsOf(const QList<practice::history::StoredTest>& tests);

    QList<Point> m_points;
};
