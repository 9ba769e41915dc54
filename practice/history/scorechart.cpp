#include "practice/history/scorechart.h"

#include "practice/review/score.h"

#include <QLocale>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <numeric>

using practice::history::StoredTest;

namespace {

// Past this many tests the points are too close to mark one by one.
constexpr int kMarkedPoints = 60;
// How many of the latest scores the description reads out.
constexpr int kSpokenLatest = 5;

QString spokenDate(const QDateTime& when)
{
    return QLocale().toString(when.date(), QStringLiteral("d MMMM yyyy"));
}

QString spokenScore(double score)
{
    return QStringLiteral("%1 %").arg(qRound(score));
}

}  // namespace

CScoreChart::CScoreChart(QWidget* parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Score over time"));
    // The keyboard stops here so that a screen reader reads the description.
    setFocusPolicy(Qt::StrongFocus);
    setMinimumHeight(120);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

QSize CScoreChart::sizeHint() const
{
    return {420, 160};
}

QList<CScoreChart::Point> CScoreChart::pointsOf(const QList<StoredTest>& tests)
{
    QList<Point> points;
    for (const StoredTest& t : tests) {
        if (!t.practice && !t.stopped)
            points.append({t.when, practice::review::ScorePercent(t.right, t.words)});
    }
    return points;
}

QString CScoreChart::Describe(const QList<StoredTest>& tests)
{
    const QList<Point> points = pointsOf(tests);
    if (points.isEmpty())
        return QStringLiteral("No finished first tries yet.");
    if (points.size() == 1)
        return QStringLiteral("One finished first try, on %1: %2.")
            .arg(spokenDate(points.front().when), spokenScore(points.front().score));
    const auto [low, high] = std::minmax_element(points.cbegin(), points.cend(),
                                                 [](const Point& a, const Point& b) { return a.score < b.score; });
    const double average = std::accumulate(points.cbegin(), points.cend(), 0.0,
                                           [](double sum, const Point& p) { return sum + p.score; })
                           / static_cast<double>(points.size());
    QString text = QStringLiteral("%1 finished first tries from %2 to %3. First score %4, last %5, lowest %6, "
                                  "highest %7, average %8.")
                       .arg(points.size())
                       .arg(spokenDate(points.front().when), spokenDate(points.back().when),
                            spokenScore(points.front().score), spokenScore(points.back().score),
                            spokenScore(low->score), spokenScore(high->score), spokenScore(average));
    const qsizetype from = std::max<qsizetype>(0, points.size() - kSpokenLatest);
    QStringList latest;
    for (qsizetype i = from; i < points.size(); ++i)
        latest << QStringLiteral("%1, %2").arg(spokenDate(points[i].when), spokenScore(points[i].score));
    text += (points.size() > kSpokenLatest ? QStringLiteral(" The latest %1: ").arg(kSpokenLatest)
                                           : QStringLiteral(" Each: "))
            + latest.join(QStringLiteral("; ")) + u'.';
    return text;
}

void CScoreChart::SetTests(const QList<StoredTest>& tests)
{
    m_points = pointsOf(tests);
    setAccessibleDescription(Describe(tests));
    update();
}

void CScoreChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics fm = fontMetrics();
    const QColor ink = palette().color(QPalette::Text);
    const int left = fm.horizontalAdvance(QStringLiteral("100 %")) + 8;
    const QRect plot = rect().adjusted(left, fm.height() / 2 + 2, -12, -fm.height() - 6);
    if (plot.width() < 10 || plot.height() < 10)
        return;

    // The scale: a labelled line at every quarter.
    for (int percent = 0; percent <= 100; percent += 25) {
        const int y = plot.bottom() - plot.height() * percent / 100;
        painter.setPen(QPen(ink, percent == 0 ? 1.0 : 0.5, percent == 0 ? Qt::SolidLine : Qt::DotLine));
        painter.drawLine(plot.left(), y, plot.right(), y);
        painter.setPen(ink);
        painter.drawText(QRect(0, y - fm.height() / 2, left - 6, fm.height()), Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("%1 %").arg(percent));
    }
    if (m_points.isEmpty()) {
        painter.drawText(plot, Qt::AlignCenter, QStringLiteral("No finished first tries yet."));
        return;
    }
    const qsizetype n = m_points.size();
    const auto at = [&](qsizetype i) {
        const double x = n == 1 ? plot.center().x() : plot.left() + plot.width() * static_cast<double>(i) / static_cast<double>(n - 1);
        return QPointF(x, plot.bottom() - plot.height() * m_points[i].score / 100.0);
    };
    QPainterPath line;
    line.moveTo(at(0));
    for (qsizetype i = 1; i < n; ++i)
        line.lineTo(at(i));
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2.0));
    painter.drawPath(line);
    if (n <= kMarkedPoints) {
        painter.setPen(QPen(ink, 1.5));
        painter.setBrush(palette().color(QPalette::Base));
        for (qsizetype i = 0; i < n; ++i)
            painter.drawEllipse(at(i), 3.5, 3.5);
    }
    // The dates at both ends say which way time runs.
    painter.setPen(ink);
    const QRect dates(plot.left(), plot.bottom() + 4, plot.width(), fm.height());
    painter.drawText(dates, Qt::AlignLeft, m_points.front().when.date().toString(Qt::ISODate));
    if (n > 1)
        painter.drawText(dates, Qt::AlignRight, m_points.back().when.date().toString(Qt::ISODate));
}
