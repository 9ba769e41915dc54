#include "practice/ui/historycommands.h"

#include "platform/framework/frame.h"
#include "platform/framework/messagebox.h"
#include "practice/classroom/classcommands.h"
#include "practice/classroom/classresultspage.h"
#include "practice/history/historyreader.h"
#include "practice/history/historywindow.h"
#include "practice/history/resultkeeper.h"
#include "practice/document/wordwelldoc.h"
#include "practice/review/learner.h"
#include "practice/share/sharecommands.h"
#include "practice/testview/wordwellview.h"
#include "practice/ui/reviewcommands.h"

using namespace platform::framework;
using namespace practice;

namespace {

const MenuEntry kHistoryCommands[] = {
    {ID_TOOLS_HISTORY, "&History...", "See each learner's tests, scores and most missed words\nHistory"},
};

}  // namespace

CHistoryCommands::CHistoryCommands(CFrameWnd& frame, QMenu* tools) : m_frame(frame)
{
    frame.AppendMenu(tools, kHistoryCommands);
    frame.OnCommand(ID_TOOLS_HISTORY, [this] { OnHistory(); });
}

CHistoryCommands::~CHistoryCommands() = default;

CWordwellView* CHistoryCommands::testView() const
{
    return qobject_cast<CWordwellView*>(m_frame.GetActiveView());
}

void CHistoryCommands::ConnectTestView(CWordwellView* view)
{
    QObject::connect(view, &CWordwellView::TestOver, &m_frame, [this] { keepResult(); });
}

void CHistoryCommands::OnFrameClosing()
{
    m_closing = true;
    CWordwellView* view = testView();
    QString error;
    // Stopping keeps the test, and with it what is held.
    if (view && view->m_bTesting)
        view->OnStopTest();
    else if (m_results && !m_results->Retry(&error))
        reportUnsaved(error);
}

void CHistoryCommands::keepResult()
{
    if (!m_results)
        m_results = std::make_unique<CResultKeeper>();
    m_results->SetClass(m_class ? m_class->Joined().OutboxKey() : QString());
    QString error;
    if (!m_results->Keep(testView()->LastTest(), &error))
        reportUnsaved(error);
    else if (m_class)
        m_class->ResultKept();
}

void CHistoryCommands::reportUnsaved(const QString& error)
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

void CHistoryCommands::OnHistory()
{
    CWordwellView* view = testView();
    const QString learner = review::CurrentLearner();
    CHistoryReader reader(m_results ? m_results->Path() : CResultKeeper::DefaultPath());
    const bool canPractise = view && !view->m_bTesting;
    CClassResultsPage* classPage = nullptr;
    if (m_class && m_class->Joined().IsJoined())
        classPage = new CClassResultsPage(m_class->Joined().where, CHistoryWindow::kMissedShown, canPractise);
    CHistoryWindow window(reader, learner, canPractise ? learner : QString(), &m_frame, classPage);
    // A teacher hands the class's most missed words out as a new list, to
    // record and publish; anyone else practises them.
    bool asNewList = false;
    if (classPage) {
        QObject::connect(classPage, &CClassResultsPage::Practise, &window,
                         [&window, &asNewList, teacher = m_class->Joined().me.teacher](const QStringList& words) {
                             asNewList = teacher;
                             window.PractiseWords(words);
                         });
        classPage->Load();
    }
    const int result = window.exec();
    m_frame.activateWindow();
    if (result != CHistoryWindow::kPractise || !view)
        return;
    const QString source = QString::fromLatin1(CHistoryWindow::kPractiseSource);
    if (!asNewList)
        view->PractiseWords(window.WordsToPractise(), source);
    else if (view->GetDocument()->SaveModified())
        share::OpenAsNewList(window.WordsToPractise(), source);
}
