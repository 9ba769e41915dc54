#include "platform/framework/progresspace.h"

#include <QList>
#include <QPoint>
#include <QTest>

using platform::framework::ProgressPace;

class TestProgressPace : public QObject {
    Q_OBJECT

private slots:
    void speaksAtAListenersPace_data()
    {
        QTest::addColumn<int>("total");
        QTest::addColumn<QList<QPoint>>("updates");  // (done, milliseconds after the start)
        QTest::addColumn<QList<int>>("said");        // the counts said
        QTest::newRow("each new quarter, held back to the gap")
            << 1000 << QList<QPoint>{{100, 1000}, {250, 2000}, {260, 3500}, {300, 4500}, {500, 5000}, {510, 6600}, {520, 9700}}
            << QList<int>{260, 510};
        QTest::newRow("a long quiet says where it is")
            << 1000 << QList<QPoint>{{10, 9999}, {11, 10000}, {20, 15000}, {30, 20000}} << QList<int>{11, 30};
        QTest::newRow("a word at a time is not a line a word")
            << 4 << QList<QPoint>{{1, 1000}, {2, 2000}, {3, 3000}} << QList<int>{3};
        QTest::newRow("neither the start nor the end")
            << 2 << QList<QPoint>{{0, 5000}, {2, 20000}} << QList<int>{};
    }

    void speaksAtAListenersPace()
    {
        QFETCH(int, total);
        QFETCH(QList<QPoint>, updates);
        QFETCH(QList<int>, said);
        ProgressPace pace;
        QList<int> saying;
        for (const QPoint& update : updates) {
            if (pace.Due(update.x(), total, update.y()))
                saying << update.x();
        }
        QCOMPARE(saying, said);
    }
};

QTEST_MAIN(TestProgressPace)
#include "tst_progresspace.moc"
