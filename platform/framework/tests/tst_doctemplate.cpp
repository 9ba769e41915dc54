#include "platform/framework/archive.h"
#include "platform/framework/commandids.h"
#include "platform/framework/commandline.h"
#include "platform/framework/dataexchange.h"
#include "platform/framework/dialogtemplate.h"
#include "platform/framework/dialogunits.h"
#include "platform/framework/doctemplate.h"
#include "platform/framework/formprint.h"
#include "platform/framework/formview.h"
#include "platform/framework/frame.h"
#include "platform/framework/helprequest.h"
#include "platform/framework/recentfiles.h"
#include "platform/framework/winapp.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/messageboxes.h"
#include "testsupport/modulefolder.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QHelpEvent>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
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

enum : int { IDC_NAME = 10, IDC_COUNT = 11, IDC_GO = 12, IDC_NOTE = 13, IDC_ENTER = 14 };

DialogTemplate testTemplate()
{
    DialogTemplate t;
    t.id = 120;
    t.fontFamily = QStringLiteral("DejaVu Sans");
    t.pointSize = 10;
    t.size = {200, 100};
    t.items = {
        {IDC_STATIC, ControlKind::Label, QStringLiteral("&Name"), {5, 10, 30, 14}, CS_RIGHT, 0, {}},
        {IDC_NAME, ControlKind::Edit, {}, {40, 10, 80, 14}, CS_TABSTOP | CS_BORDER, MakeHelpId(120, IDC_NAME),
         QStringLiteral("Name")},
        {IDC_GO, ControlKind::PushButton, QStringLiteral("&Go"), {130, 10, 50, 14}, CS_TABSTOP, MakeHelpId(120, IDC_GO), {}},
        {IDC_COUNT, ControlKind::Edit, {}, {40, 30, 30, 14}, CS_READONLY | CS_BORDER, MakeHelpId(120, IDC_COUNT),
         QStringLiteral("Count")},
        {IDC_NOTE, ControlKind::Edit, {}, {40, 50, 120, 30}, CS_READONLY | CS_MULTILINE | CS_BORDER,
         MakeHelpId(120, IDC_NOTE), QStringLiteral("Note")},
        {IDC_ENTER, ControlKind::DefPushButton, QStringLiteral("Inv."), {5, 50, 20, 15}, CS_HIDDEN, 0, {}},
    };
    return t;
}

// A form that records what reached its command map and its help handler.
class TestForm : public CFormView, public CHelpInfoTarget {
public:
    TestForm() : CFormView(testTemplate())
    {
        OnCommand(IDC_GO, [this] { commands << IDC_GO; });
        OnCommand(IDC_ENTER, [this] { commands << IDC_ENTER; });
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_NAME, name);
        DDX_Text(pDX, IDC_COUNT, count);
        DDX_Text(pDX, IDC_NOTE, note);
    }
    bool OnHelpInfo(HELPINFO* info) override
    {
        helpRequests.append(*info);
        return true;
    }

    QString name;
    int count = 0;
    QString note;
    QList<unsigned> commands;
    QList<HELPINFO> helpRequests;
};

class WordsView : public CFormView {
public:
    explicit WordsView(QWidget* parent) : CFormView(testTemplate(), parent) {}
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

    void unitsMapWithRoundingAndCaptionsArePlain()
    {
        // 6/4 = 1.5 per unit across, 13/8 = 1.625 down; halves round up. The third is Ridwell's button.
        const std::tuple<int, int, QRect, QRect> rows[] = {{6, 13, QRect(0, 0, 4, 8), QRect(0, 0, 6, 13)},
                                                           {6, 13, QRect(1, 1, 1, 1), QRect(2, 2, 1, 1)},
                                                           {6, 13, QRect(17, 71, 50, 14), QRect(26, 115, 75, 23)},
                                                           {8, 16, QRect(7, 18, 203, 87), QRect(14, 36, 406, 174)}};
        for (const auto& [baseX, baseY, units, pixels] : rows)
            QCOMPARE(DialogUnits(baseX, baseY).MapDialogRect(units), pixels);
        // Plain captions drop mnemonic marks and line breaks.
        QCOMPARE(PlainCaption("a&&&b"), QString("a&b"));
        QCOMPARE(PlainCaption("end&"), QString("end"));
        QCOMPARE(PlainCaption("Remove all\r\nfiles?\nYes"), QString("Remove all files? Yes"));
    }

    void dataExchangeWritesAndReadsBack()
    {
        TestForm form;
        form.name = QStringLiteral("  Ada ");
        form.note = QStringLiteral("first\r\nsecond");
        QVERIFY(form.UpdateData(false));
        auto* count = qobject_cast<QLineEdit*>(form.GetDlgItem(IDC_COUNT));
        QCOMPARE(qobject_cast<QLineEdit*>(form.GetDlgItem(IDC_NAME))->text(), QString("  Ada "));
        QCOMPARE(count->text(), QString("0"));
        QCOMPARE(qobject_cast<QPlainTextEdit*>(form.GetDlgItem(IDC_NOTE))->toPlainText(), QString("first\nsecond"));
        count->setText(QStringLiteral(" 42 "));
        form.note.clear();
        QVERIFY(form.UpdateData(true));
        QCOMPARE(form.count, 42);
        QCOMPARE(form.note, QString("first\r\nsecond"));
        MessageBoxRecorder boxes;
        count->setText(QStringLiteral("seven"));
        QVERIFY(!form.UpdateData(true));
        QCOMPARE(form.count, 42);
        QCOMPARE(boxes.texts(), QStringList{"Please enter an integer."});
        QCOMPARE(form.GetDlgItem(999), nullptr);
    }

    void enterButtonsAndHelpModeClicksReachTheForm()
    {
        TestForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.GetDlgItem(IDC_NAME)->setFocus();
        QTest::keyClick(form.GetDlgItem(IDC_NAME), Qt::Key_Return);
        form.GetDlgItem(IDC_GO)->setFocus();
        QTest::keyClick(form.GetDlgItem(IDC_GO), Qt::Key_Enter);
        QTest::keyClick(form.GetDlgItem(IDC_GO), Qt::Key_Space);
        QTest::mouseClick(form.GetDlgItem(IDC_GO), Qt::LeftButton);
        QCOMPARE(form.commands, (QList<unsigned>{IDC_ENTER, IDC_ENTER, IDC_GO, IDC_GO}));
        // A label's mnemonic takes the focus to the control after it.
        QTest::keyClick(form.GetDlgItem(IDC_GO), Qt::Key_N, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), form.GetDlgItem(IDC_NAME));
        QCOMPARE(qobject_cast<QLineEdit*>(form.GetDlgItem(IDC_NAME))->text(), QString());
        // F1 on a control is tst_mainframe's; a help-mode click asks for the control under the pointer.
        QWidget* note = form.GetDlgItem(IDC_NOTE);
        const QPoint inside = note->geometry().center();
        QHelpEvent query(QEvent::QueryWhatsThis, inside, form.mapToGlobal(inside));
        query.ignore();
        QApplication::sendEvent(&form, &query);
        QVERIFY(query.isAccepted());
        QHelpEvent click(QEvent::WhatsThis, inside, form.mapToGlobal(inside));
        QApplication::sendEvent(&form, &click);
        QCOMPARE(form.helpRequests.size(), 1);
        QCOMPARE(form.helpRequests[0].dwContextId, MakeHelpId(120, IDC_NOTE));
        QCOMPARE(form.helpRequests[0].hItemHandle, note);
        // Nothing above a lone widget answers.
        QWidget lone;
        QVERIFY(!SendHelpRequest(&lone, QPoint()));
    }

    // The real box: its buttons in the type's order, and Enter answers the default.
    void enterAnswersTheBoxsDefaultButton()
    {
        const std::tuple<unsigned, QStringList, int> rows[] = {
            {MB_YESNOCANCEL, {"&Yes", "&No", "Cancel"}, IDYES},
            {MB_YESNO | MB_DEFBUTTON2, {"&Yes", "&No"}, IDNO},
            {MB_YESNOALLCANCEL | MB_DEFBUTTON3, {"&Yes", "Yes to &All", "&No", "N&o to All", "Cancel"}, IDNO}};
        for (auto [type, buttons, enter] : rows) {
            QStringList shown;
            whenModalIsUp<QMessageBox>([&](QMessageBox* box) {
                for (QAbstractButton* button : box->buttons())
                    shown << button->text();
                QTest::keyClick(box, Qt::Key_Return);
            });
            QCOMPARE(MessageBox(nullptr, "Replace it?", "Wordwell", type | MB_ICONQUESTION), enter);
            shown.sort();
            buttons.sort();
            QCOMPARE(shown, buttons);
        }
    }

    void aPrintedPageShowsTheFormWhichNeedsThePrintModule()
    {
        TestForm form;
        form.name = QStringLiteral("WWWWWWWW");
        form.UpdateData(false);
        QPalette pal = form.palette();
        pal.setColor(QPalette::Window, QColor(128, 184, 223));
        form.setPalette(pal);
        form.setAutoFillBackground(true);
        QImage page(600, 800, QImage::Format_RGB32);
        page.fill(Qt::white);
        {
            QPainter painter(&page);
            RenderFormPage(&form, &painter, page.rect());
        }
        // The form fills the page's width at the top, in its own colour, and the page's foot stays blank.
        QCOMPARE(page.pixelColor(596, 3), QColor(128, 184, 223));
        QCOMPARE(page.pixelColor(300, 790), QColor(Qt::white));
        int dark = 0;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 600; ++x)
                dark += qGray(page.pixel(x, y)) < 80;
        QVERIFY2(dark > 50, "the controls' text and frames are drawn");
        // Without the print module the user is told why.
        ScopedModuleFolder withoutModules(m_home->path());
        MessageBoxRecorder boxes;
        PrintForm(&form, PrintChoice::Preview);
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("The form could not be printed: the print module "
                                                           "\"%1/wordwell-print.so\" could not be loaded (cannot "
                                                           "open shared object file: No such file or directory).")
                                                .arg(m_home->path())});
        QCOMPARE(boxes.requests().first().type, MB_ICONEXCLAMATION);
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
