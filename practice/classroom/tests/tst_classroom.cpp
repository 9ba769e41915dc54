// A class on a private PostgreSQL server: results sent from learners'
// outboxes arrive once each, whatever fails on the way, and every member
// reads only what the server's rules allow them.
#include "practice/classroom/classsender.h"
#include "practice/history/resultkeeper.h"
#include "testsupport/classcluster.h"
#include "testsupport/isolatedhome.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

#include <csignal>

using namespace practice::history;
using practice::classroom::CClassSender;
using practice::review::CTestRecord;

namespace {

const QString kHostile = QStringLiteral("O'Brien; '; DROP TABLE results; --");

enum class Ends { Finished, Stopped, Practice };

CTestRecord test(const QString& list, const QList<std::pair<QString, QString>>& answers, Ends ends = Ends::Finished)
{
    // A second apart, as the history keeps the time.
    static QDateTime when = QDateTime::currentDateTime();
    when = when.addSecs(1);
    CTestRecord record;
    record.Start(QStringLiteral("Learner"), QStringLiteral("/lists/") + list, 4, ends == Ends::Practice, when);
    for (const auto& [word, answer] : answers)
        record.Answer(word, answer, word == answer);
    if (ends == Ends::Stopped)
        record.Stop();
    else
        record.Finish();
    return record;
}

// The sender's report after one round.
QVariantList sendRound(CClassSender& sender)
{
    QSignalSpy said(&sender, &CClassSender::Waiting);
    sender.SendNow();
    return said.wait(30000) ? said.takeFirst() : QVariantList{-1, QStringLiteral("no round"), false};
}

QStringList localRows(const QString& path, const QString& sql)
{
    QStringList rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peek"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery query(sql, db);
        while (query.next())
            rows.append(query.value(0).toString());
    }
    QSqlDatabase::removeDatabase(QStringLiteral("peek"));
    rows.sort();
    return rows;
}

// A learner's Wordwell in a process of its own.
void startSender(QProcess& process, const classcluster::Member& learner, const QString& history, int count)
{
    QProcessEnvironment env = classcluster::Admin();
    env.insert(QStringLiteral("PGUSER"), learner.where.user);
    env.insert(QStringLiteral("PGPASSWORD"), learner.password);
    env.insert(QStringLiteral("WW_CLASS_DATABASE"), learner.where.database);
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral(WW_CLASS_SEND), {history, QString::number(count)});
}

}  // namespace

class TestClassroom : public QObject {
    Q_OBJECT
    std::unique_ptr<IsolatedHome> m_home;

private slots:
    void init() { m_home = std::make_unique<IsolatedHome>(); }
    void cleanup() { m_home.reset(); }

    void eachResultArrivesOnceAndEachMemberReadsWhatTheServerAllows()
    {
        const QString cls = classcluster::CreateClass();
        const auto teacher = classcluster::AddMember(cls, cls + "_t", QStringLiteral("Mrs \"Quote\""), true);
        const auto ann = classcluster::AddMember(cls, cls + "_ann", kHostile, false);
        const auto ben = classcluster::AddMember(cls, cls + "_ben", QStringLiteral("Ben"), false);
        const QString hostileList = QStringLiteral("'; DROP TABLE lists; --");
        const QList<std::pair<const classcluster::Member*, QList<CTestRecord>>> taken{
            {&ann,
             {test(hostileList, {{"it's", "its"}, {"a;b", "a;b"}}), test(hostileList, {{"a;b", "ab"}}),
              test(hostileList, {{"a;b", "a;b"}, {"x", "x"}}, Ends::Stopped), test("owls", {{"it's", "itz"}}, Ends::Practice)}},
            {&ben, {test("owls", {{"owl", "oul"}, {"tree", "tree"}}, Ends::Stopped)}},
        };
        for (const auto& [who, tests] : taken) {
            const QString history = m_home->path() + '/' + who->where.user + ".sqlite";
            CResultKeeper keeper(history);
            keeper.SetClass(who->where.Key());
            QString error;
            for (const CTestRecord& t : tests)
                QVERIFY2(keeper.Keep(t, &error), qPrintable(error));
            CClassSender sender(history, who->where);
            sender.SetPassword(who->password);
            QCOMPARE(sendRound(sender), (QVariantList{0, QString(), false}));
        }
        const QString annUid = localRows(m_home->path() + '/' + ann.where.user + ".sqlite", "SELECT uid FROM tests").first();
        QCOMPARE(classcluster::AdminRows(cls, "SELECT learner, COUNT(*) FROM results GROUP BY 1 ORDER BY 1"),
                 (QStringList{ann.where.user + "|4", ben.where.user + "|1"}));

        QString error;
        const ClassStoreFactory* factory = LoadClassStoreFactory(&error);
        QVERIFY2(factory, qPrintable(error));
        const auto asTeacher = factory->Connect(teacher.where, teacher.password);
        const auto asAnn = factory->Connect(ann.where, ann.password);
        QVERIFY2(asTeacher->Problem().isEmpty() && asAnn->Problem().isEmpty(), qPrintable(asAnn->Problem()));
        // Sent again after a lost answer, or by a Wordwell killed before it marked it sent.
        QVERIFY2(asAnn->Send({{annUid, "again", QDateTime::currentDateTime(), 1, 1, false, false, {{"x", "x", true}}}},
                             &error),
                 qPrintable(error));
        QCOMPARE(classcluster::AdminRows(cls, "SELECT COUNT(*), COUNT(DISTINCT list_name) FROM results"),
                 QStringList{"5|2"});

        ClassMember me;
        QVERIFY(asAnn->Me(&me, &error));
        QCOMPARE(me.name, kHostile);
        QVERIFY(!me.teacher);
        QList<ClassResultRow> rows;
        QVERIFY2(asTeacher->Results(&rows, &error), qPrintable(error));
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].learner, QStringLiteral("Ben"));
        QCOMPARE(rows[1].learner, kHostile);
        QCOMPARE(rows[1].listName, hostileList);
        // A stopped test is taken, but its score, of words never asked, is no score.
        QCOMPARE(rows[1].taken, 3);
        QCOMPARE(rows[1].bestScore, 25.0);
        QCOMPARE(rows[1].latestScore, 0.0);
        QCOMPARE(rows[0].taken, 1);
        QVERIFY(!rows[0].latestScore && !rows[0].bestScore);
        QVERIFY(asAnn->Results(&rows, &error));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].learner, kHostile);
        QList<MissedWord> missed;
        QVERIFY(asAnn->MostMissed(10, &missed, &error));
        QCOMPARE(missed.size(), 2);
        QCOMPARE(missed[0].word, QStringLiteral("it's"));
        QCOMPARE(missed[0].missed, 2);

        QVERIFY(!asAnn->Publish(QStringLiteral("mine"), {}, "PK", &error));
        QVERIFY2(error.contains("row-level security") || error.contains("permission denied"), qPrintable(error));
        QVERIFY2(asTeacher->Publish(hostileList, QDate(2027, 1, 8), QByteArray("PK\0\x01", 4), &error), qPrintable(error));
        QList<ClassList> lists;
        QVERIFY(asAnn->Lists(&lists, &error));
        QCOMPARE(lists.size(), 1);
        QCOMPARE(lists[0].title, hostileList);
        QCOMPARE(lists[0].due, QDate(2027, 1, 8));
        QByteArray archive;
        QVERIFY(asAnn->FetchList(lists[0].id, &archive, &error));
        QCOMPARE(archive, QByteArray("PK\0\x01", 4));
    }

    // A refused login is said plainly and the result waits; given the
    // password, it goes.
    void aRefusedLoginLeavesTheResultWaiting()
    {
        const QString cls = classcluster::CreateClass();
        const auto ann = classcluster::AddMember(cls, cls + "_ann", "Ann", false);
        const QString history = m_home->path() + "/h.sqlite";
        CResultKeeper keeper(history);
        keeper.SetClass(ann.where.Key());
        QString error;
        QVERIFY(keeper.Keep(test("owls", {{"owl", "owl"}}), &error));
        CClassSender sender(history, ann.where);
        QVariantList said = sendRound(sender);
        QCOMPARE(said.mid(0, 1), QVariantList{1});
        QCOMPARE(said[2], true);
        sender.SetPassword("wrong");
        said = sendRound(sender);
        QVERIFY2(said[1].toString().startsWith("The class's server did not take the password (")
                     && said[1].toString().contains("password authentication failed"),
                 qPrintable(said[1].toString()));
        QCOMPARE(said[0], 1);
        sender.SetPassword(ann.password);
        QCOMPARE(sendRound(sender), (QVariantList{0, QString(), false}));
        // A waiting row whose test is gone is neither counted nor waited for.
        localRows(history, QStringLiteral("INSERT INTO outbox (test_id, class) VALUES (999, '%1')").arg(ann.where.Key()));
        QVERIFY(keeper.Keep(test("owls", {{"owl", "owl"}}), &error));
        QCOMPARE(sendRound(sender), (QVariantList{0, QString(), false}));
        QCOMPARE(classcluster::AdminRows(cls, "SELECT COUNT(*) FROM results"), QStringList{"2"});
        // A table another transaction holds (a migration running) ends the
        // round within the lock limit, and the result waits.
        QProcess holder;
        holder.setProcessEnvironment(classcluster::Admin());
        holder.start(QStringLiteral("psql"), {QStringLiteral("-XtA"), QStringLiteral("-d"), cls});
        holder.write("BEGIN; LOCK TABLE results IN ACCESS EXCLUSIVE MODE; SELECT 'held';\n");
        QVERIFY(holder.waitForReadyRead(10000));
        QVERIFY(keeper.Keep(test("owls", {{"owl", "owl"}}), &error));
        said = sendRound(sender);
        QCOMPARE(said[0], 1);
        QVERIFY2(said[1].toString().contains("lock timeout"), qPrintable(said[1].toString()));
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(10000));
        QCOMPARE(sendRound(sender), (QVariantList{0, QString(), false}));
    }

    // Killed at random moments, and the server stopped at once in the
    // middle of a send: after both come back every result kept is on the
    // server exactly once and none waits.
    void anOutageOrAKillLosesNothingAndStoresNothingTwice()
    {
        const QString cls = classcluster::CreateClass();
        const auto ann = classcluster::AddMember(cls, cls + "_ann", "Ann", false);
        const QString history = m_home->path() + "/h.sqlite";
        for (int round = 0; round < 4; ++round) {
            QProcess learner;
            startSender(learner, ann, history, 80);
            QTest::qWait(QRandomGenerator::global()->bounded(100, 1200));
            if (round < 3) {
                // Not kill(0): a process already gone has no id, and 0 is our own group.
                if (learner.processId() > 0)
                    ::kill(static_cast<pid_t>(learner.processId()), SIGKILL);
            } else {
                classcluster::StopServerAtOnce();
                QTest::qWait(500);
                classcluster::StartServer();
            }
            // It may have sent all before the kill.
            QVERIFY(learner.state() == QProcess::NotRunning || learner.waitForFinished(60000));
        }
        QProcess last;
        startSender(last, ann, history, 0);
        QVERIFY(last.waitForFinished(60000));
        QCOMPARE(last.exitCode(), 0);
        const QStringList kept = localRows(history, "SELECT uid FROM tests");
        QVERIFY(kept.size() > 0);
        QCOMPARE(classcluster::AdminRows(cls, "SELECT uid FROM results ORDER BY uid"), kept);
        QCOMPARE(localRows(history, "SELECT COUNT(*) FROM outbox"), QStringList{"0"});
    }

    void thirtyLearnersSendingAtOnceAllArrive()
    {
        const QString cls = classcluster::CreateClass();
        const auto teacher = classcluster::AddMember(cls, cls + "_t", "Teacher", true);
        std::vector<std::unique_ptr<QProcess>> learners;
        for (int n = 0; n < 30; ++n) {
            const auto learner = classcluster::AddMember(cls, cls + QStringLiteral("_l%1").arg(n), QString::number(n), false);
            learners.push_back(std::make_unique<QProcess>());
            startSender(*learners.back(), learner, m_home->path() + QStringLiteral("/%1.sqlite").arg(n), 50);
        }
        for (auto& learner : learners) {
            QVERIFY(learner->waitForFinished(120000));
            QCOMPARE(learner->exitCode(), 0);
        }
        QCOMPARE(classcluster::AdminRows(cls, "SELECT COUNT(*), COUNT(DISTINCT learner) FROM results"),
                 QStringList{"1500|30"});
        QString error;
        const auto asTeacher = LoadClassStoreFactory(&error)->Connect(teacher.where, teacher.password);
        QList<ClassResultRow> rows;
        QVERIFY2(asTeacher->Results(&rows, &error), qPrintable(error));
        QCOMPARE(rows.size(), 90);
        int taken = 0;
        for (const ClassResultRow& row : rows)
            taken += row.taken;
        QCOMPARE(taken, 1500);
        QCOMPARE(rows[0].latestScore, 80.0);
    }
};

QTEST_MAIN(TestClassroom)
#include "tst_classroom.moc"
