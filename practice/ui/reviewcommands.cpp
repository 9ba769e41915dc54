// The Tools commands added after the original's: review the last test,
// practise its missed words, the learner's name in the status bar, each
// result kept in the history, and the history's window.
#include "practice/ui/reviewcommands.h"

#include "platform/framework/cmdtarget.h"
#include "platform/framework/messagebox.h"
#include "practice/history/historyreader.h"
#include "practice/history/historywindow.h"
#include "practice/history/resultkeeper.h"
#include "practice/review/learner.h"
#include "practice/review/learnerdlg.h"
#include "practice/review/reviewwindow.h"
#include "practice/testview/wordwellview.h"
#include "practice/ui/mainframe.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>

using namespace platform::framework;
using namespace practice;

namespace {

struct ReviewEntry {
    unsigned id;
    const char* caption;
    const char* prompt;
};

const ReviewEntry kReviewCommands[] = {
    {ID_TOOLS_REVIEWTEST, "&Review the Test...", "See each word of the last test and where an answer went wrong\nReview"},
    {ID_TOOLS_PRACTISEMISSED, "&Practise Missed Words", "Take a test of the words missed in the last test\nPractise Missed"},
    {ID_TOOLS_LEARNER, "&Learner...", "Say who is taking the tests\nLearner"},
    {ID_TOOLS_HISTORY, "&History...", "See each learner's tests, scores and most missed words\nHistory"},
};

}  // namespace

CWordwellView* CMainFrame::testView() const
{
    return qobject_cast<CWordwellView*>(GetActiveView());
}

void CMainFrame::appendReviewCommands()
{
    QMenu* tools = Menu(QStringLiteral("&Tools"));
    tools->addSeparator();
    for (const ReviewEntry& entry : kReviewCommands)
        tools->addAction(AddCommand(entry.id, QString::fromUtf8(entry.caption), QString::fromUtf8(entry.prompt)));

    m_learnerPane = new QLabel(m_wndStatusBar);
    m_learnerPane->setObjectName(QStringLiteral("learnerPane"));
    m_learnerPane->setAccessibleName(QStringLiteral("Learner"));
    m_learnerPane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_learnerPane->hide();
    // Index 1: after the message pane, before the key indicators.
    m_wndStatusBar->insertPermanentWidget(1, m_learnerPane);

    OnCommand(ID_TOOLS_REVIEWTEST, [this] { OnReviewTest(); });
    OnCommand(ID_TOOLS_PRACTISEMISSED, [this] { OnPractiseMissed(); });
    OnCommand(ID_TOOLS_HISTORY, [this] { OnHistory(); });
    OnCommand(ID_TOOLS_LEARNER, [this] {
        CLearnerDlg dialog(this);
        dialog.DoModal();
    });
    const auto over = [this] {
        const CWordwellView* view = testView();
        return view && !view->m_bTesting && view->LastTest().IsOver();
    };
    OnUpdateCommandUI(ID_TOOLS_REVIEWTEST, [over](CCmdUI* ui) { ui->Enable(over()); });
    OnUpdateCommandUI(ID_TOOLS_PRACTISEMISSED, [this, over](CCmdUI* ui) {
        ui->Enable(over() && !testView()->LastTest().MissedWords().isEmpty());
    });
    OnUpdateCommandUI(ID_TOOLS_LEARNER, [this](CCmdUI* ui) { ui->Enable(testView() && !testView()->m_bTesting); });
}

void CMainFrame::ConnectTestView()
{
    CWordwellView* view = testView();
    if (!view || m_testViewConnected)
        return;
    m_testViewConnected = true;
    connect(view, &CWordwellView::TestStarted, this, [this] {
        const review::CTestRecord& test = testView()->LastTest();
        m_learnerPane->setText(test.IsPractice() ? QStringLiteral("%1 (practice)").arg(test.Learner()) : test.Learner());
        m_learnerPane->show();
    });
    connect(view, &CWordwellView::TestOver, m_learnerPane, &QWidget::hide);
    connect(view, &CWordwellView::TestOver, this, &CMainFrame::keepResult);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    CFrameWnd::closeEvent(event);
    if (!event->isAccepted())
        return;
    m_closing = true;
    CWordwellView* view = testView();
    QString error;
    // Stopping keeps the test, and with it what is held.
    if (view && view->m_bTesting)
        view->OnStopTest();
    else if (m_results && !m_results->Retry(&error))
        reportUnsaved(error);
}

void CMainFrame::keepResult()
{
    if (!m_results)
        m_results = std::make_unique<CResultKeeper>();
    QString error;
    if (!m_results->Keep(testView()->LastTest(), &error))
        reportUnsaved(error);
}

void CMainFrame::reportUnsaved(const QString& error)
{
    const qsizetype held = m_results->Held();
    QString what;
    if (m_closing)
        what = held == 1 ? QStringLiteral("This result is lost as Wordwell closes.")
                         : QStringLiteral("%1 results are lost as Wordwell closes.").arg(held);
    else
        what = held == 1 ? QStringLiteral("This result is not saved yet: Wordwell keeps it while it runs and "
                                          "saves it with the next result.")
                         : QStringLiteral("%1 results are not saved yet: Wordwell keeps them while it runs and "
                                          "saves them with the next result.")
                               .arg(held);
    AfxMessageBox(error + QStringLiteral("\r\n\r\n") + what, MB_ICONEXCLAMATION);
}

void CMainFrame::OnReviewTest()
{
    CWordwellView* view = testView();
    if (!view || !view->LastTest().IsOver())
        return;
    CReviewWindow window(view->LastTest(), this);
    const int result = window.exec();
    // The keyboard comes back to the form, even without a window manager to hand it back.
    activateWindow();
    if (result == CReviewWindow::kPractise)
        OnPractiseMissed();
}

void CMainFrame::OnHistory()
{
    CWordwellView* view = testView();
    const QString learner = review::CurrentLearner();
    CHistoryReader reader(m_results ? m_results->Path() : CResultKeeper::DefaultPath());
    CHistoryWindow window(reader, learner, view && !view->m_bTesting ? learner : QString(), this);
    const int result = window.exec();
    activateWindow();
    if (result == CHistoryWindow::kPractise && view)
        view->PractiseWords(window.WordsToPractise(), QString::fromLatin1(CHistoryWindow::kPractiseSource));
}

void CMainFrame::OnPractiseMissed()
{
    CWordwellView* view = testView();
    if (!view || view->m_bTesting || !view->LastTest().IsOver())
        return;
    // Copied first: the practice round starts a new record. A round on words
    // from no one list keeps that round's name, not the list open now.
    const review::CTestRecord& last = view->LastTest();
    const QStringList missed = last.MissedWords();
    view->PractiseWords(missed, last.ListPath().isEmpty() && last.IsPractice() ? last.ListName() : QString());
}
