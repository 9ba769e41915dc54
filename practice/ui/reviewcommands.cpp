#include "practice/ui/reviewcommands.h"

#include "platform/framework/frame.h"
#include "practice/review/learnerdlg.h"
#include "practice/review/reviewwindow.h"
#include "practice/testview/wordwellview.h"

#include <QLabel>
#include <QStatusBar>

using namespace platform::framework;
using namespace practice;

namespace {

const MenuEntry kReviewCommands[] = {
    {0, nullptr, nullptr},
    {ID_TOOLS_REVIEWTEST, "&Review the Test...", "See each word of the last test and where an answer went wrong\nReview"},
    {ID_TOOLS_PRACTISEMISSED, "&Practise Missed Words", "Take a test of the words missed in the last test\nPractise Missed"},
    {ID_TOOLS_LEARNER, "&Learner...", "Say who is taking the tests\nLearner"},
};

}  // namespace

CReviewCommands::CReviewCommands(CFrameWnd& frame, QMenu* tools) : m_frame(frame)
{
    frame.AppendMenu(tools, kReviewCommands);

    QStatusBar* statusBar = frame.statusBar();
    m_learnerPane = new QLabel(statusBar);
    m_learnerPane->setObjectName(QStringLiteral("learnerPane"));
    // Named by its text, the learner's name, as a screen reader reads a
    // status bar by its labels' names; the description says what it is.
    m_learnerPane->setAccessibleDescription(QStringLiteral("Learner"));
    m_learnerPane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_learnerPane->hide();
    // Index 1: after the message pane, before the key indicators.
    statusBar->insertPermanentWidget(1, m_learnerPane);

    frame.OnCommand(ID_TOOLS_REVIEWTEST, [this] { OnReviewTest(); });
    frame.OnCommand(ID_TOOLS_PRACTISEMISSED, [this] { OnPractiseMissed(); });
    frame.OnCommand(ID_TOOLS_LEARNER, [this] {
        CLearnerDlg dialog(&m_frame);
        dialog.DoModal();
    });
    const auto over = [this] {
        const CWordwellView* view = testView();
        return view && !view->m_bTesting && view->LastTest().IsOver();
    };
    frame.OnUpdateCommandUI(ID_TOOLS_REVIEWTEST, [over](CCmdUI* ui) { ui->Enable(over()); });
    frame.OnUpdateCommandUI(ID_TOOLS_PRACTISEMISSED, [this, over](CCmdUI* ui) {
        ui->Enable(over() && !testView()->LastTest().MissedWords().isEmpty());
    });
    frame.OnUpdateCommandUI(ID_TOOLS_LEARNER, [this](CCmdUI* ui) { ui->Enable(testView() && !testView()->m_bTesting); });
}

CWordwellView* CReviewCommands::testView() const
{
    return qobject_cast<CWordwellView*>(m_frame.GetActiveView());
}

void CReviewCommands::ConnectTestView(CWordwellView* view)
{
    QObject::connect(view, &CWordwellView::TestStarted, m_learnerPane, [this] {
        const review::CTestRecord& test = testView()->LastTest();
        m_learnerPane->setText(test.IsPractice() ? QStringLiteral("%1 (practice)").arg(test.Learner()) : test.Learner());
        m_learnerPane->show();
    });
    QObject::connect(view, &CWordwellView::TestOver, m_learnerPane, &QWidget::hide);
}

void CReviewCommands::OnReviewTest()
{
    CWordwellView* view = testView();
    if (!view || !view->LastTest().IsOver())
        return;
    CReviewWindow window(view->LastTest(), &m_frame);
    const int result = window.exec();
    // The keyboard comes back to the form, even without a window manager to hand it back.
    m_frame.activateWindow();
    if (result == CReviewWindow::kPractise)
        OnPractiseMissed();
}

void CReviewCommands::OnPractiseMissed()
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
