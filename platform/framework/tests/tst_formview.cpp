#include "platform/framework/dataexchange.h"
#include "platform/framework/dialogtemplate.h"
#include "platform/framework/dialogunits.h"
#include "platform/framework/formprint.h"
#include "platform/framework/formview.h"
#include "platform/framework/helprequest.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/messageboxes.h"
#include "testsupport/modulefolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTest>

#include <memory>

using namespace platform::framework;

namespace {

enum : int { IDC_NAME = 10, IDC_COUNT = 11, IDC_GO = 12, IDC_NOTE = 13, IDC_ENTER = 14 };

DialogTemplate testTemplate()
{
    DialogTemplate t;
    t.id = 120;
    t.fontFamily = QStringLiteral("DejaVu Sans");
    t.pointSize = 10;
    t.size = {200, 100};
    t.items = {
        {IDC_NAME, ControlKind::Edit, {}, {40, 10, 80, 14}, CS_TABSTOP | CS_BORDER, MakeHelpId(120, IDC_NAME),
         QStringLiteral("Name")},
        {IDC_STATIC, ControlKind::Label, QStringLiteral("&Name"), {5, 10, 30, 14}, CS_RIGHT, 0, {}},
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

}  // namespace

class TestFormView : public QObject {
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<IsolatedHome>(); }
    void cleanup() { m_home.reset(); }

    void mapsWithRounding()
    {
        // 6/4 = 1.5 per unit across, 13/8 = 1.625 down; halves round up. The third is Ridwell's button.
        const std::tuple<int, int, QRect, QRect> rows[] = {{6, 13, QRect(0, 0, 4, 8), QRect(0, 0, 6, 13)},
                                                           {6, 13, QRect(1, 1, 1, 1), QRect(2, 2, 1, 1)},
                                                           {6, 13, QRect(17, 71, 50, 14), QRect(26, 115, 75, 23)},
                                                           {8, 16, QRect(7, 18, 203, 87), QRect(14, 36, 406, 174)}};
        for (const auto& [baseX, baseY, units, pixels] : rows)
            QCOMPARE(DialogUnits(baseX, baseY).MapDialogRect(units), pixels);
    }

    void plainCaptionsDropMnemonicMarksAndLineBreaks()
    {
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

    void enterAnywherePressesTheDefaultButtonAndButtonsReachTheCommandMap()
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
            QTimer answer;
            connect(&answer, &QTimer::timeout, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box || !box->isVisible())
                    return;
                answer.stop();
                for (QAbstractButton* button : box->buttons())
                    shown << button->text();
                QTest::keyClick(box, Qt::Key_Return);
            });
            answer.start(10);
            QCOMPARE(MessageBox(nullptr, "Replace it?", "Wordwell", type | MB_ICONQUESTION), enter);
            shown.sort();
            buttons.sort();
            QCOMPARE(shown, buttons);
        }
    }

    // F1 on a control is tst_mainframe's; a help-mode click asks for the control under the pointer.
    void helpModeClicksCarryTheControlsIds()
    {
        TestForm form;
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

    void aPrintedPageShowsTheForm()
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
    }

    void withoutThePrintModuleTheUserIsToldWhy()
    {
        ScopedModuleFolder withoutModules(m_home->path());
        TestForm form;
        MessageBoxRecorder boxes;
        PrintForm(&form, PrintChoice::Preview);
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("The form could not be printed: the print module "
                                                           "\"%1/wordwell-print.so\" could not be loaded (cannot "
                                                           "open shared object file: No such file or directory).")
                                                .arg(m_home->path())});
        QCOMPARE(boxes.requests().first().type, MB_ICONEXCLAMATION);
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_MAIN(TestFormView)
#include "tst_formview.moc"
