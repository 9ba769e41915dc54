#include <QTest>
class TestClassroom : public QObject {
    Q_OBJECT
};
QTEST_MAIN(TestClassroom)
#include "tst_classroom.moc"
