// The class's commands: what the settings keep, whose name a joined learner's
// results go under, what the status bar says of results waiting, a list from
// the class held to the shared lists' checks, and a class at work through its
// windows against the private cluster.
#include "../../share/tests/handzip.h"

#include "platform/framework/archive.h"
#include "platform/framework/doctemplate.h"
#include "platform/registry/registry.h"
#include "practice/classroom/classarchive.h"
#include "practice/classroom/classcommands.h"
#include "practice/classroom/classpassword.h"
#include "practice/document/wordlist.h"
#include "practice/document/wordwelldoc.h"
#include "practice/history/resultkeeper.h"
#include "practice/review/learner.h"
#include "practice/review/learnerdlg.h"
#include "practice/ui/practiceapp.h"
#include "practice/classroom/classlistsdlg.h"
#include "practice/classroom/classresultspage.h"
#include "practice/ui/reviewcommands.h"
#include "practice/history/historywindow.h"
#include "practice/document/commands.h"
#include "practice/testview/testform.h"
#include "practice/testview/wordwellview.h"
#include "platform/framework/frame.h"
#include "testsupport/classcluster.h"
#include "testsupport/dialogdriver.h"
#include "testsupport/filetree.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/messageboxes.h"
#include "testsupport/practice/practiceprogram.h"

#include <QDir>
#include <QLabel>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <cerrno>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace platform::framework;
using namespace practice::classroom;
using practice::review::CurrentLearner;

namespace {

JoinedClass aClass(bool teacher)
{
    return {{QString(), QStringLiteral("/run/class"), 5433, QStringLiteral("class7b"), QStringLiteral("ann_b")},
            {QStringLiteral("ann_b"), QStringLiteral("Ann B."), teacher}};
}

QByteArray listBytes(QStringList words)
{
    QByteArray bytes;
    CArchive out(&bytes);
    SerializeWordList(out, words);
    return bytes;
}

// Joins the class as `member` through Tools > Class..., as a user types it;
// `askedForPassword`: the password is typed when the server asks for it.
void join(CFrameWnd* frame, const classcluster::Member& member, bool askedForPassword = false)
{
    ForgetRunPassword();
    if (!askedForPassword)
        KeepRunPassword(member.password);
    RunModal([&] { frame->RouteCommand(practice::ID_TOOLS_CLASS); }, [&](CDialog* dialog) {
        for (QLineEdit* field : dialog->findChildren<QLineEdit*>()) {
            const QString name = field->accessibleName();
            const bool service = !member.where.service.isEmpty();
            field->setText(name.startsWith("Service")                ? member.where.service
                           : service                                 ? QString()
                           : name.startsWith("Host")                 ? member.where.host
                           : name.startsWith("Port")                 ? QString::number(member.where.port)
                           : name.startsWith("Database")             ? member.where.database
                           : name.startsWith("User")                 ? member.where.user
                                                                     : QString());
        }
        // The password dialog runs its own loop: answered from within it.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&member] {
            if (auto* asked = qobject_cast<CClassPasswordDlg*>(QApplication::activeModalWidget())) {
                asked->activateWindow();
                TypeText(member.password);
                PressKey(Qt::Key_Return);
            }
        });
        if (askedForPassword)
            poll.start(50);
        PressKey(Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->isVisible(), 20000);
    });
}

}  // namespace

class TestClassCommands : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_home = std::make_unique<IsolatedHome>();
        QVERIFY(StartWordwell(m_app, {}));
    }
    void cleanup()
    {
        qunsetenv("PGSERVICEFILE");
        m_app.reset();
        m_home.reset();
    }

    // No class joined: start-up loads neither Qt SQL nor the PostgreSQL client.
    void startUpLoadsNoDatabaseCode()
    {
        const QByteArray maps = ReadFileForTest("/proc/self/maps");
        QVERIFY(maps.contains("libQt6Widgets"));
        QVERIFY(!maps.contains("libQt6Sql") && !maps.contains("libpq") && !maps.contains("wordwell-history"));
    }

    // The password the server asked for stays in memory: the settings file
    // holds where the class is and who the member is, and nothing more.
    void theSettingsNeverHoldThePassword()
    {
        KeepRunPassword(QStringLiteral("s3cret-Pw"));
        QVERIFY(SaveJoinedClass(aClass(false)));
        const JoinedClass read = ReadJoinedClass();
        QCOMPARE(read.where.Key(), aClass(false).where.Key());
        QCOMPARE(read.me.name, QString("Ann B."));
        QVERIFY(read.IsJoined() && !read.me.teacher);
        QCOMPARE(read.OutboxKey(), read.where.Key());
        const QByteArray hive = ReadFileForTest(platform::registry::HiveFilePath(platform::registry::Root::CurrentUser));
        QVERIFY2(hive.contains("class7b") && hive.contains("ann_b"), hive.constData());
        QVERIFY2(!hive.contains("s3cret") && !hive.toLower().contains("password"), hive.constData());
        ForgetRunPassword();
        // A teacher's results are not queued for the class.
        QVERIFY(SaveJoinedClass(aClass(true)));
        QVERIFY(ReadJoinedClass().OutboxKey().isEmpty());
        QVERIFY(LeaveClass());
        QVERIFY(!ReadJoinedClass().IsJoined());
    }

    void theClassNamesTheLearnerWhileJoined()
    {
        QVERIFY(practice::review::SetCurrentLearner("Ben"));
        QVERIFY(SaveJoinedClass(aClass(false)));
        QCOMPARE(CurrentLearner(), QString("Ann B."));
        {
            CLearnerDlg dialog;
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            auto* edit = dialog.findChild<QLineEdit*>();
            QCOMPARE(edit->text(), QString("Ann B."));
            QTest::keyClicks(edit, "Zed");
            QTest::keyClick(edit, Qt::Key_Return);
            QVERIFY(!dialog.isVisible());
            QCOMPARE(CurrentLearner(), QString("Ann B."));
        }
        QVERIFY(LeaveClass());
        QCOMPARE(CurrentLearner(), QString("Ben"));
        CLearnerDlg dialog;
        QVERIFY(!dialog.findChild<QLineEdit*>()->isReadOnly());
    }

    void theStatusBarSaysWhatWaits_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << 0 << QString();
        QTest::newRow("one") << 1 << QString("1 result waiting to be sent to the class");
        QTest::newRow("many") << 12 << QString("12 results waiting to be sent to the class");
    }
    void theStatusBarSaysWhatWaits()
    {
        QFETCH(int, count);
        QFETCH(QString, text);
        auto* commands = m_app->GetMainWnd()->findChild<CClassCommands*>();
        QVERIFY(commands);
        QLabel* pane = commands->WaitingPane();
        QVERIFY(!pane->isVisible());
        commands->ShowWaiting(count, QStringLiteral("The class could not be reached (timeout expired)."));
        QCOMPARE(pane->text(), text);
        QCOMPARE(pane->isVisible(), count > 0);
        QCOMPARE(pane->toolTip(), QString("The class could not be reached (timeout expired)."));
    }

    // A server that takes the connection and never answers holds a round in
    // libpq's time-out: leaving the class does not wait for it.
    void leavingAClassDoesNotWaitForARoundInFlight()
    {
        const int silent = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, QFile::encodeName(m_home->path() + "/.s.PGSQL.5999").constData(),
                 sizeof address.sun_path);
        QVERIFY(::bind(silent, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && ::listen(silent, 1) == 0);
        JoinedClass dead = aClass(false);
        dead.where.host = m_home->path();
        dead.where.port = 5999;
        QVERIFY(SaveJoinedClass(dead));
        {
            CResultKeeper keeper(CResultKeeper::DefaultPath());
            keeper.SetClass(dead.where.Key());
            practice::review::CTestRecord record;
            record.Start("Ann B.", "/lists/owls.spl", 1, false);
            record.Answer("owl", "owl", true);
            record.Finish();
            QString error;
            QVERIFY2(keeper.Keep(record, &error), qPrintable(error));
        }
        auto* frame = static_cast<CFrameWnd*>(m_app->GetMainWnd());
        const auto closeClassDialog = [frame] {
            RunModal([frame] { frame->RouteCommand(practice::ID_TOOLS_CLASS); }, [](CDialog*) { PressKey(Qt::Key_Escape); });
        };
        closeClassDialog();  // joined now: the waiting result's round connects
        pollfd asked{silent, POLLIN, 0};
        QCOMPARE(::poll(&asked, 1, 20000), 1);
        const int round = ::accept(silent, nullptr, nullptr);
        QVERIFY(round >= 0);
        QVERIFY(LeaveClass());
        closeClassDialog();
        char bytes[512];
        while (::recv(round, bytes, sizeof bytes, MSG_DONTWAIT) > 0) {
        }
        // Not given up and closed: the round still waits for an answer.
        QCOMPARE(::recv(round, bytes, 1, MSG_DONTWAIT), -1);
        QCOMPARE(errno, EAGAIN);
        ::close(round);
        ::close(silent);
    }

    // Fetched from the class into a private file and opened through the
    // shared lists' checks: a hostile archive writes nothing, the file goes.
    void aHostileListFromTheClassIsRefused()
    {
        const QString tmp = m_home->path() + "/tmp";
        QVERIFY(QDir().mkpath(tmp));
        qputenv("TMPDIR", tmp.toLocal8Bit());
        static_cast<CWordwellDoc*>(m_app->GetDocTemplate()->GetDocument())->m_wordList = {"mine"};
        const QByteArray hostile =
            HandZip({{"list.spl", listBytes({"cat"})}, {"words/../../evil.wav", "x"}, {"words/cat.wav", "RIFF"}});
        const QByteArray before = HashOfTree(m_home->path());
        MessageBoxRecorder boxes;
        QVERIFY(!OpenClassArchive("../Week 3/spelling", hostile));
        qunsetenv("TMPDIR");
        QCOMPARE(HashOfTree(m_home->path()), before);
        QCOMPARE(boxes.texts().size(), 1);
        const QString text = boxes.texts().first();
        QVERIFY2(text.contains("-Week 3-spelling.splz\" could not be opened: ") && text.contains("an entry named"),
                 qPrintable(text));
        QCOMPARE(static_cast<CWordwellDoc*>(m_app->GetDocTemplate()->GetDocument())->m_wordList, QStringList{"mine"});
    }

    // A learner joins and a stopped test reaches the class; the teacher
    // publishes the list, sees the result on the History window's class page
    // and hands its missed word out as a new list; the learner opens the
    // published list from the class.
    void aClassAtWorkThroughItsWindows()
    {
        const QString cls = classcluster::CreateClass();
        // The teacher comes through a libpq service, as the administrator hands it out.
        auto teacher = classcluster::AddMember(cls, cls + "_t", "Mr T", true);
        const QString services = QDir::home().filePath("pg_service.conf");
        WriteFileForTest(services, QStringLiteral("[teacher]\nhost=%1\nport=%2\ndbname=%3\nuser=%4\n")
                                       .arg(teacher.where.host)
                                       .arg(teacher.where.port)
                                       .arg(teacher.where.database, teacher.where.user)
                                       .toUtf8());
        qputenv("PGSERVICEFILE", QFile::encodeName(services));
        teacher.where = {QStringLiteral("teacher"), {}, 0, {}, {}};
        const auto ann = classcluster::AddMember(cls, cls + "_ann", "Ann", false);
        auto* frame = static_cast<CFrameWnd*>(m_app->GetMainWnd());
        join(frame, ann, true);
        QCOMPARE(CurrentLearner(), QString("Ann"));
        QCOMPARE(RunPassword(), ann.password);
        CWordwellDoc* doc = DocOf(*m_app);
        doc->m_wordList = {"cat", "owl"};
        doc->UpdateAllViews(nullptr);
        CWordwellView* view = ViewOf(*m_app);
        MessageBoxRecorder boxes;
        view->OnTakeTest();
        qobject_cast<QLineEdit*>(view->GetDlgItem(practice::testview::IDC_ANSWER))->setText("kat");
        view->OnCheck();
        QVERIFY(frame->RouteCommand(practice::ID_TOOLS_STOPTEST));
        QTRY_COMPARE_WITH_TIMEOUT(classcluster::AdminRows(cls, "SELECT learner, words, right_answers, stopped FROM results"),
                                  QStringList{ann.where.user + "|2|0|t"}, 20000);

        join(frame, teacher);
        RunModal([&] { frame->RouteCommand(practice::ID_TOOLS_CLASS); }, [&](CDialog* dialog) {
            QStringList said;
            for (QLabel* label : dialog->findChildren<QLabel*>()) {
                if (label->text().startsWith("You are"))
                    said << label->text();
            }
            QCOMPARE(said, QStringList{QString("You are Mr T in the class %1, as a teacher.").arg(cls)});
            PressKey(Qt::Key_Escape);
        });
        RunModal([&] { frame->RouteCommand(practice::ID_FILE_PUBLISH_CLASS); }, [](CDialog*) { PressKey(Qt::Key_Return); });
        QTRY_COMPARE_WITH_TIMEOUT(boxes.texts().size(), 1, 20000);
        QVERIFY2(boxes.texts().first().endsWith("is published to the class."), qPrintable(boxes.texts().first()));
        // The class's page of the History window: the result, and its missed word handed out as a new list.
        QString seen;
        QTimer::singleShot(0, this, [&seen] {
            QWidget* window = QApplication::activeModalWidget();
            auto* page = window->findChild<CClassResultsPage*>();
            if (QTest::qWaitFor([page] { return page->PractiseButton()->isEnabled(); }, 20000)) {
                seen = RowTexts(page->ResultsView()->model()).join(u'/');
                page->PractiseButton()->click();
            }
            window->close();
        });
        frame->RouteCommand(practice::ID_TOOLS_HISTORY);
        // A stopped test is taken, but has no score.
        QVERIFY2(seen.startsWith("Ann|Untitled|none finished|none finished|1|"), qPrintable(seen));
        QCOMPARE(doc->m_wordList, QStringList{"cat"});
        QCOMPARE(doc->GetTitle(), QString("Most missed words"));

        join(frame, ann);
        doc->SetModifiedFlag(false);
        // The class's lists come after a round trip: Enter on the first once they show.
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [] {
            if (auto* lists = qobject_cast<CClassListsDlg*>(QApplication::activeModalWidget())) {
                lists->activateWindow();
                PressKey(Qt::Key_Return);
            }
        });
        poll.start(50);
        frame->RouteCommand(practice::ID_FILE_OPEN_CLASS);
        QTRY_COMPARE_WITH_TIMEOUT(DocOf(*m_app)->m_wordList, (QStringList{"cat", "owl"}), 20000);
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<CPracticeApp> m_app;
};

QTEST_MAIN(TestClassCommands)
#include "tst_classcommands.moc"
