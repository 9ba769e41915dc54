#include "platform/framework/archive.h"
#include "platform/framework/commandids.h"
#include "platform/framework/commandline.h"
#include "platform/framework/doctemplate.h"
#include "platform/framework/formview.h"
#include "platform/framework/frame.h"
#include "platform/framework/recentfiles.h"
#include "platform/framework/winapp.h"
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
    explicit WordsView(QWidget* parent) : CFormView(viewTemplate(), parent) {}
    void OnInitialUpdate() override
    {
        CFormView::OnInitialUpdate();
        ++initialUpdates;
        wordsSeen = static_cast<WordsDoc*>(GetDocument())->words.size();
    }
    int initialUpdates = 0;
    qsizetype wordsSeen = -1;
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

    // Open asks for the file; one document and view serve every list; a damaged
    // file leaves a new, empty list, and the view is set up again so nothing
    // refers to the old words.
    void openingReusesTheDocumentAndADamagedFileLeavesAnEmptyList()
    {
        QVERIFY(m_app->OpenDocumentFile(QString()));
        CDocument* first = doc();
        const QString pets = m_home->work() + "/pets.spl";
        WriteFileForTest(pets, listBytes({"cat", "Cat ", "cat"}));
        m_app->SetFilePrompt([&](const QString&, bool open) { return open ? pets : QString(); });
        QVERIFY(frame()->RouteCommand(ID_FILE_OPEN));
        QCOMPARE(doc(), first);
        QCOMPARE(view()->wordsSeen, 3);
        QCOMPARE(frame()->windowTitle(), QString("pets.spl - Word Test"));
        WriteFileForTest(m_home->work() + "/damaged.spl", QByteArray::fromHex("0500 03 636174"));
        MessageBoxRecorder boxes;
        QVERIFY(!m_app->OpenDocumentFile(m_home->work() + "/damaged.spl"));
        QCOMPARE(view()->initialUpdates, 3);
        QCOMPARE(view()->wordsSeen, 0);
        QCOMPARE(doc()->GetTitle(), QString("Untitled"));
        QVERIFY(!doc()->IsModified());
        QCOMPARE(boxes.texts().size(), 1);
    }

    // A changed list stays, changed, when the user cancels the question about
    // saving it, or when the file chosen next cannot be read; closing asks too.
    // What each answer does is tst_document's.
    void aChangedListAsksBeforeItGoes()
    {
        openList({"dog"});
        doc()->SetModifiedFlag(true);
        MessageBoxRecorder boxes;
        boxes.queueAnswer(IDCANCEL);
        QVERIFY(!m_app->OpenDocumentFile(QString()));
        boxes.queueAnswer(IDNO);
        QVERIFY(!m_app->OpenDocumentFile(m_home->work() + "/missing.spl"));
        QVERIFY(doc()->IsModified());
        QCOMPARE(view()->initialUpdates, 1);
        boxes.queueAnswer(IDCANCEL);
        QVERIFY(!frame()->close());
        boxes.queueAnswer(IDNO);
        QVERIFY(frame()->close());
        QCOMPARE(boxes.texts().size(), 5);
    }

    // The real dialog, answered by keys: a double quote in the name shown
    // becomes an apostrophe (the dialog reads "a" "b" as two names), and the
    // dialog asks before replacing the file its extension makes; Yes replaces it.
    void theSaveDialogShowsTheNameItWrites()
    {
        const QDir folder(m_home->work());
        WriteFileForTest(folder.filePath(R"(Week "3" words)"), listBytes({}));
        WriteFileForTest(folder.filePath("Week '3' words.spl"), "keep");
        QVERIFY(m_app->OpenDocumentFile(folder.filePath(R"(Week "3" words)")));
        QString nameBox;
        QString asked;
        whenModalIsUp<QFileDialog>([&](QFileDialog* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            nameBox = edit->text();
            whenModalIsUp<QMessageBox>([&](QMessageBox* box) {
                asked = box->text();
                QTest::keyClick(box, Qt::Key_Y);
            });
            QTest::keyClick(edit, Qt::Key_Return);
        });
        frame()->RouteCommand(ID_FILE_SAVE_AS);
        QCOMPARE(nameBox, QString("Week '3' words"));
        QCOMPARE(asked, QString("Week '3' words.spl already exists.\nDo you want to replace it?"));
        QCOMPARE(ReadFileForTest(folder.filePath("Week '3' words.spl")), listBytes({}));
        QCOMPARE(folder.entryList(QDir::Files).size(), 2);
        QCOMPARE(frame()->windowTitle(), QString("Week '3' words.spl - Word Test"));
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
        // Written a moment after the open: not while the list opens, nor when the
        // program next waits (before a first paint).
        QCoreApplication::processEvents();
        QCOMPARE(m_app->GetProfileString("Recent File List", "File1"), QString());
        QTRY_COMPARE(m_app->GetProfileString("Recent File List", "File1"), w + "/c.spl");

        makeApp();
        QCOMPARE(m_app->RecentFileList()->Entries(), expected);
        QCOMPARE(m_app->GetProfileString("Recent File List", "File5"), QString());
        QVERIFY(m_app->OpenDocumentFile(QString()));
        addRecentFileCommands();
        frame()->UpdateCommandUI();
        QVERIFY(frame()->GetCommand(ID_FILE_MRU_FILE1 + 1)->text().startsWith("&2 "));
        QVERIFY(frame()->RouteCommand(ID_FILE_MRU_FILE1 + 1));
        QCOMPARE(words(), QStringList{"e"});
        QCOMPARE(m_app->RecentFileList()->Entries().first(), w + "/e.spl");
    }

    void aRecentFileThatIsGoneLeavesTheList()
    {
        openList({"x"});
        QFile::remove(m_home->work() + "/list.spl");
        addRecentFileCommands();
        MessageBoxRecorder boxes;
        QVERIFY(frame()->RouteCommand(ID_FILE_MRU_FILE1));
        QVERIFY(m_app->RecentFileList()->Entries().isEmpty());
        frame()->UpdateCommandUI();
        QAction* placeholder = frame()->GetCommand(ID_FILE_MRU_FILE1);
        QCOMPARE(placeholder->text(), QString("Recent File"));
        QVERIFY(placeholder->isVisible() && !placeholder->isEnabled());
        QVERIFY(!frame()->GetCommand(ID_FILE_MRU_FILE1 + 1)->isVisible());
    }

    // What is no list (tst_document's rows) opens no window from the command line.
    void theCommandLinesFileThatIsNoListLeavesNoWindow()
    {
        CCommandLineInfo info;
        ParseCommandLine({"/dev/zero"}, info);
        MessageBoxRecorder boxes;
        QVERIFY(!m_app->ProcessShellCommand(info));
        QCOMPARE(m_app->GetMainWnd(), nullptr);
        QCOMPARE(boxes.texts(), QStringList{"Unable to open \"/dev/zero\": it is not a file."});
    }

    void aListDroppedOnTheFrameIsOpened()
    {
        QVERIFY(m_app->OpenDocumentFile(QString()));
        frame()->DragAcceptFiles(true);
        WriteFileForTest(m_home->work() + "/dropped.spl", listBytes({"gnu", "elk"}));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(m_home->work() + "/dropped.spl"), QUrl::fromLocalFile("/elsewhere.spl")});
        QVERIFY(drop(data));
        QCOMPARE(words(), (QStringList{"gnu", "elk"}));
        QMimeData text;
        text.setText("not a file");
        QVERIFY(!drop(text));
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
