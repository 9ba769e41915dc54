#include "platform/framework/archive.h"
#include "platform/framework/commandids.h"
#include "platform/framework/commandline.h"
#include "platform/framework/doctemplate.h"
#include "platform/framework/formview.h"
#include "platform/framework/frame.h"
#include "platform/framework/recentfiles.h"
#include "platform/framework/winapp.h"
#include "platform/registry/registry.h"
#include "oddfiles.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/messageboxes.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <memory>

using namespace platform::framework;

namespace {

enum : unsigned { ID_VIEW_ONLY = 40001, ID_BOTH = 40002, ID_NOBODY = 40003 };

class WordsDoc : public CDocument {
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<quint32>(words.size()));
            for (const QString& w : std::as_const(words))
                ar.WriteText(w);
        } else {
            const quint32 n = ar.ReadCount();
            for (quint32 i = 0; i < n; ++i)
                words.append(ar.ReadText());
        }
    }
    void DeleteContents() override { words.clear(); }
    QStringList words;
};

DialogTemplate viewTemplate()
{
    DialogTemplate t;
    t.id = 130;
    t.fontFamily = QStringLiteral("DejaVu Sans");
    t.size = {100, 50};
    t.items = {{1, ControlKind::Edit, {}, {5, 5, 50, 14}, CS_TABSTOP | CS_BORDER, 0, QStringLiteral("Word")}};
    return t;
}

class WordsView : public CFormView {
public:
    explicit WordsView(QWidget* parent) : CFormView(viewTemplate(), parent)
    {
        OnCommand(ID_VIEW_ONLY, [this] { routed << QStringLiteral("view"); });
        OnCommand(ID_BOTH, [this] { routed << QStringLiteral("view"); });
        OnUpdateCommandUI(ID_VIEW_ONLY, [this](CCmdUI* ui) { ui->Enable(allowViewOnly); });
    }
    void OnInitialUpdate() override
    {
        CFormView::OnInitialUpdate();
        ++initialUpdates;
        wordsSeen = static_cast<WordsDoc*>(GetDocument())->words.size();
    }
    int initialUpdates = 0;
    qsizetype wordsSeen = -1;
    bool allowViewOnly = true;
    QStringList routed;
};

QByteArray listBytes(const QStringList& words)
{
    QByteArray bytes;
    CArchive ar(&bytes);
    ar.WriteCount(static_cast<quint32>(words.size()));
    for (const QString& w : words)
        ar.WriteText(w);
    return bytes;
}

}  // namespace

class TestDocTemplate : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_home = std::make_unique<IsolatedHome>();
        makeApp();
    }
    void cleanup()
    {
        m_app.reset();
        m_home.reset();
    }

    void openingAListReusesTheOneDocumentAndView()
    {
        QVERIFY(m_app->OpenDocumentFile(QString()));
        CDocument* first = doc();
        WriteFileForTest(m_home->work() + "/cats.spl", listBytes({"cat", "Cat ", "cat"}));
        QCOMPARE(m_app->OpenDocumentFile(m_home->work() + "/cats.spl"), first);
        QCOMPARE(view()->initialUpdates, 2);
        QCOMPARE(view()->wordsSeen, 3);
        QCOMPARE(words(), (QStringList{"cat", "Cat ", "cat"}));
        QCOMPARE(frame()->windowTitle(), QString("cats.spl - Word Test"));
        QCOMPARE(doc()->GetPathName(), m_home->work() + "/cats.spl");
    }

    // A changed list stays, changed, when the user cancels the question about
    // saving it, or when the file chosen next cannot be read. What each answer
    // does is tst_document's.
    void aChangedListStaysWhenTheNextCannotOpen_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("next");
        QTest::newRow("cancelled") << int(IDCANCEL) << "";
        QTest::newRow("a file that cannot be read") << int(IDNO) << "missing.spl";
    }

    void aChangedListStaysWhenTheNextCannotOpen()
    {
        QFETCH(int, answer);
        QFETCH(QString, next);
        openList({"dog"});
        static_cast<WordsDoc*>(doc())->words.append("emu");
        doc()->SetModifiedFlag(true);
        MessageBoxRecorder boxes;
        boxes.queueAnswer(answer);
        const QString path = next.isEmpty() ? QString() : m_home->work() + "/" + next;
        QVERIFY(!m_app->OpenDocumentFile(path));
        QCOMPARE(words(), QStringList({"dog", "emu"}));
        QVERIFY(doc()->IsModified());
        QCOMPARE(view()->initialUpdates, 1);
        QCOMPARE(boxes.texts().size(), next.isEmpty() ? 1 : 2);
        if (!next.isEmpty())
            QVERIFY(boxes.texts().last().contains(path));
    }

    void aDamagedFileLeavesANewEmptyList()
    {
        openList({"dog", "cow"});
        WriteFileForTest(m_home->work() + "/damaged.spl", QByteArray::fromHex("0500 03 636174"));
        MessageBoxRecorder boxes;
        QVERIFY(!m_app->OpenDocumentFile(m_home->work() + "/damaged.spl"));
        QVERIFY(words().isEmpty());
        // The view was set up again for the empty list, so nothing refers to the old words.
        QCOMPARE(view()->initialUpdates, 2);
        QCOMPARE(view()->wordsSeen, 0);
        QCOMPARE(doc()->GetTitle(), QString("Untitled"));
        QVERIFY(!doc()->IsModified());
        QCOMPARE(boxes.texts().size(), 1);
        QVERIFY(boxes.texts().first().contains("damaged.spl"));
    }

    void saveAsAndOpenAskForTheFile()
    {
        QVERIFY(m_app->OpenDocumentFile(QString()));
        static_cast<WordsDoc*>(doc())->words = {"owl"};
        const QString chosen = m_home->work() + "/birds.spl";
        const QString pets = m_home->work() + "/pets.spl";
        WriteFileForTest(pets, listBytes({"cat"}));
        m_app->SetFilePrompt([&](const QString& proposed, bool open) {
            return open ? pets : proposed == "Untitled" ? chosen : QString();
        });
        QVERIFY(frame()->RouteCommand(ID_FILE_SAVE_AS));
        QCOMPARE(ReadFileForTest(chosen), listBytes({"owl"}));
        QCOMPARE(frame()->windowTitle(), QString("birds.spl - Word Test"));
        QVERIFY(frame()->RouteCommand(ID_FILE_OPEN));
        QCOMPARE(words(), QStringList{"cat"});
    }

    // The real dialog, answered by keys: Enter saves under the name shown, and
    // the dialog asks before replacing the file its extension makes.
    void theSaveDialogWritesTheNameItShows_data()
    {
        QTest::addColumn<QString>("listFile");
        QTest::addColumn<QString>("planted");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("written");
        QTest::newRow("double quotes") << R"(Week "3" words.spl)" << "3.spl" << "Week '3' words.spl" << ""
                                       << "Week '3' words.spl";
        QTest::newRow("the extension it adds") << "" << "Untitled.spl" << "Untitled"
                                               << "Untitled.spl already exists.\nDo you want to replace it?" << "";
    }

    void theSaveDialogWritesTheNameItShows()
    {
        QFETCH(QString, listFile);
        QFETCH(QString, planted);
        QFETCH(QString, shown);
        QFETCH(QString, question);
        QFETCH(QString, written);
        const QDir folder(m_home->work());
        WriteFileForTest(folder.filePath(planted), "keep");
        QStringList expectedFiles{planted};
        if (listFile.isEmpty()) {
            QVERIFY(m_app->OpenDocumentFile(QString()));
        } else {
            WriteFileForTest(folder.filePath(listFile), listBytes({}));
            QVERIFY(m_app->OpenDocumentFile(folder.filePath(listFile)));
            expectedFiles << listFile;
        }
        static_cast<WordsDoc*>(doc())->words = {"owl"};

        QString nameBox;
        QString asked;
        whenModalIsUp<QFileDialog>([&](QFileDialog* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            nameBox = edit->text();
            whenModalIsUp<QMessageBox>([&](QMessageBox* box) {
                asked = box->text();
                QTest::keyClick(box, Qt::Key_Return);
            });
            QTest::keyClick(edit, Qt::Key_Return);
            if (dialog->isVisible())
                QTest::keyClick(edit, Qt::Key_Escape);
        });
        frame()->RouteCommand(ID_FILE_SAVE_AS);

        QCOMPARE(ReadFileForTest(folder.filePath(planted)), QByteArray("keep"));
        if (!written.isEmpty()) {
            QCOMPARE(ReadFileForTest(folder.filePath(written)), listBytes({"owl"}));
            expectedFiles << written;
        }
        expectedFiles.sort();
        QCOMPARE(folder.entryList(QDir::Files, QDir::Name), expectedFiles);
        QCOMPARE(nameBox, shown);
        QCOMPARE(asked, question);
    }

    void theRecentFileListKeepsFourNewestFirstAcrossRuns()
    {
        QVERIFY(m_app->OpenDocumentFile(QString()));
        for (const char* name : {"a", "b", "c", "d", "e", "c"}) {
            const QString path = m_home->work() + "/" + name + ".spl";
            WriteFileForTest(path, listBytes({name}));
            QVERIFY(m_app->OpenDocumentFile(path));
        }
        const QString w = m_home->work();
        const QStringList expected{w + "/c.spl", w + "/e.spl", w + "/d.spl", w + "/b.spl"};
        QCOMPARE(m_app->RecentFileList()->Entries(), expected);
        // Written a moment after the open: not while the list opens, nor when the
        // program next waits (before a first paint).
        QCoreApplication::processEvents();
        QCOMPARE(m_app->GetProfileString("Recent File List", "File1"), QString());
        QTRY_COMPARE(m_app->GetProfileString("Recent File List", "File1"), w + "/c.spl");

        makeApp();
        QCOMPARE(m_app->RecentFileList()->Entries(), expected);
        QCOMPARE(m_app->GetProfileString("Recent File List", "File1"), w + "/c.spl");
        QCOMPARE(m_app->GetProfileString("Recent File List", "File5"), QString());

        QVERIFY(m_app->OpenDocumentFile(QString()));
        addRecentFileCommands();
        frame()->UpdateCommandUI();
        QAction* second = frame()->GetCommand(ID_FILE_MRU_FILE1 + 1);
        QVERIFY(second->isVisible() && second->isEnabled());
        QVERIFY(second->text().startsWith("&2 "));
        QVERIFY(frame()->RouteCommand(ID_FILE_MRU_FILE1 + 1));
        QCOMPARE(words(), QStringList{"e"});
        QCOMPARE(m_app->RecentFileList()->Entries().first(), w + "/e.spl");
    }

    void aRecentFileThatIsGoneLeavesTheList()
    {
        const QString path = m_home->work() + "/gone.spl";
        WriteFileForTest(path, listBytes({"x"}));
        QVERIFY(m_app->OpenDocumentFile(path));
        QFile::remove(path);
        addRecentFileCommands();
        MessageBoxRecorder boxes;
        QVERIFY(frame()->RouteCommand(ID_FILE_MRU_FILE1));
        QVERIFY(m_app->RecentFileList()->Entries().isEmpty());
        frame()->UpdateCommandUI();
        QAction* placeholder = frame()->GetCommand(ID_FILE_MRU_FILE1);
        QCOMPARE(placeholder->text(), QString("Recent File"));
        QVERIFY(placeholder->isVisible());
        QVERIFY(!placeholder->isEnabled());
        QVERIFY(!frame()->GetCommand(ID_FILE_MRU_FILE1 + 1)->isVisible());
    }

    void commandsGoToTheViewFirstAndNobodysCommandsAreDisabled()
    {
        QVERIFY(m_app->OpenDocumentFile(QString()));
        for (unsigned id : {unsigned(ID_VIEW_ONLY), unsigned(ID_BOTH), unsigned(ID_NOBODY), unsigned(ID_FILE_SAVE)})
            frame()->AddCommand(id, QStringLiteral("cmd"), QStringLiteral("Prompt text\nTip"));
        QCOMPARE(frame()->GetCommand(ID_BOTH)->statusTip(), QString("Prompt text"));
        QCOMPARE(frame()->GetCommand(ID_BOTH)->toolTip(), QString("Tip"));
        QVERIFY(frame()->RouteCommand(ID_BOTH));
        QCOMPARE(view()->routed, QStringList{"view"});
        QVERIFY(!frame()->RouteCommand(ID_NOBODY));

        view()->allowViewOnly = false;
        frame()->UpdateCommandUI();
        QVERIFY(!frame()->GetCommand(ID_VIEW_ONLY)->isEnabled());
        QVERIFY(frame()->GetCommand(ID_BOTH)->isEnabled());
        QVERIFY(!frame()->GetCommand(ID_NOBODY)->isEnabled());
        QVERIFY(frame()->GetCommand(ID_FILE_SAVE)->isEnabled());
        view()->allowViewOnly = true;
        frame()->UpdateCommandUI();
        QVERIFY(frame()->GetCommand(ID_VIEW_ONLY)->isEnabled());
    }

    void aListDroppedOnTheFrameIsOpened()
    {
        QVERIFY(m_app->OpenDocumentFile(QString()));
        frame()->DragAcceptFiles(true);
        QVERIFY(frame()->acceptDrops());
        WriteFileForTest(m_home->work() + "/dropped.spl", listBytes({"gnu", "elk"}));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(m_home->work() + "/dropped.spl"), QUrl::fromLocalFile("/elsewhere.spl")});
        QVERIFY(drop(data));
        QCOMPARE(words(), (QStringList{"gnu", "elk"}));
        QMimeData text;
        text.setText("not a file");
        QVERIFY(!drop(text));
    }

    // The command line, a drop and the recent-file list all open through the
    // document, so each refuses what is not a list, without waiting on it; the
    // kinds of file that are no list are tst_document's rows.
    void everyRoadRefusesWhatIsNoList_data()
    {
        QTest::addColumn<QString>("road");
        QTest::addColumn<QString>("name");
        QTest::newRow("command line") << "command line" << "pipe.spl";
        QTest::newRow("drop") << "drop" << "/dev/zero";
        QTest::newRow("recent file") << "recent file" << "pipe.spl";
    }

    void everyRoadRefusesWhatIsNoList()
    {
        QFETCH(QString, road);
        QFETCH(QString, name);
        MakePipeForTest("pipe.spl");
        const QString path = name.startsWith('/') ? name : m_home->work() + "/" + name;
        const PipeWatchdog watchdog("pipe.spl", 5);
        MessageBoxRecorder boxes;
        if (road == "command line") {
            CCommandLineInfo info;
            ParseCommandLine({path}, info);
            QVERIFY(!m_app->ProcessShellCommand(info));
            QCOMPARE(m_app->GetMainWnd(), nullptr);
        } else {
            openList({"dog"});
            if (road == "drop") {
                frame()->DragAcceptFiles(true);
                QMimeData data;
                data.setUrls({QUrl::fromLocalFile(path)});
                drop(data);
            } else {
                m_app->AddToRecentFileList(path);
                addRecentFileCommands();
                QVERIFY(frame()->RouteCommand(ID_FILE_MRU_FILE1));
                // It is there, so it stays listed.
                QCOMPARE(m_app->RecentFileList()->Entries().first(), path);
            }
            QCOMPARE(words(), QStringList{"dog"});
            QCOMPARE(doc()->GetPathName(), m_home->work() + "/list.spl");
        }
        QVERIFY2(!watchdog.fired(), "the open waited for someone to write to the pipe");
        QCOMPARE(boxes.texts().size(), 1);
        QVERIFY2(boxes.texts().first().startsWith("Unable to open \"" + path + "\": it is"),
                 qPrintable(boxes.texts().first()));
    }

    void closingAChangedListAsksFirst()
    {
        openList({"dog"});
        doc()->SetModifiedFlag(true);
        MessageBoxRecorder boxes;
        boxes.queueAnswer(IDCANCEL);
        QVERIFY(!frame()->close());
        QVERIFY(frame()->isVisible());
        boxes.queueAnswer(IDNO);
        QVERIFY(frame()->close());
        QCOMPARE(boxes.requests().size(), 2);
    }

private:
    // Calls `act` on the modal window of type T once it is up; gives up after a few seconds.
    template <typename T>
    void whenModalIsUp(std::function<void(T*)> act, int triesLeft = 300)
    {
        QTimer::singleShot(10, this, [this, act, triesLeft] {
            if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget()))
                act(window);
            else if (triesLeft > 0)
                whenModalIsUp<T>(act, triesLeft - 1);
        });
    }
    // Drags `data` onto the frame and drops it there if the frame takes it.
    bool drop(const QMimeData& data)
    {
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        enter.setAccepted(false);
        QApplication::sendEvent(frame(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(frame(), &dropped);
        return true;
    }
    void makeApp()
    {
        m_app.reset();
        m_app = std::make_unique<CWinApp>(QStringLiteral("Word Test"));
        m_app->SetRegistryKey(QStringLiteral("Testers"));
        m_app->LoadStdProfileSettings(4);
        m_app->AddDocTemplate(std::make_unique<CSingleDocTemplate>(
            QStringLiteral("Word Test\n\nWords\nWord Files (*.spl)\n.SPL\nWordTest.Document\nWords Document"),
            [] { return std::make_unique<WordsDoc>(); }, [] { return std::make_unique<CFrameWnd>(); },
            [](CFrameWnd* f) { return new WordsView(f); }));
    }
    void openList(const QStringList& list)
    {
        const QString path = m_home->work() + "/list.spl";
        WriteFileForTest(path, listBytes(list));
        QVERIFY(m_app->OpenDocumentFile(path));
    }
    void addRecentFileCommands()
    {
        for (unsigned i = 0; i < 4; ++i)
            frame()->AddCommand(ID_FILE_MRU_FILE1 + i, QStringLiteral("Recent File"));
    }
    CFrameWnd* frame() const { return m_app->GetDocTemplate()->GetFrame(); }
    WordsView* view() const { return static_cast<WordsView*>(m_app->GetDocTemplate()->GetView()); }
    CDocument* doc() const { return m_app->GetDocTemplate()->GetDocument(); }
    QStringList words() const { return static_cast<WordsDoc*>(doc())->words; }

    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<CWinApp> m_app;
};

QTEST_MAIN(TestDocTemplate)
#include "tst_doctemplate.moc"
