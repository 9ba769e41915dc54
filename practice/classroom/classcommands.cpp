#include "practice/classroom/classcommands.h"

#include "platform/framework/doctemplate.h"
#include "platform/framework/frame.h"
#include "platform/framework/messagebox.h"
#include "platform/framework/winapp.h"
#include "practice/classroom/classarchive.h"
#include "practice/classroom/classdlg.h"
#include "practice/classroom/classjob.h"
#include "practice/classroom/classlistsdlg.h"
#include "practice/classroom/classpassword.h"
#include "practice/classroom/classsender.h"
#include "practice/classroom/classtexts.h"
#include "practice/classroom/publishdlg.h"
#include "practice/document/wordwelldoc.h"
#include "practice/history/resultkeeper.h"

#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

using namespace platform::framework;
using namespace practice::history;

namespace practice::classroom {

namespace {

const MenuEntry kFileCommands[] = {
    {0, nullptr, nullptr},
    {ID_FILE_PUBLISH_CLASS, "P&ublish List to Class...", "Hand the list and its recordings out to the class\nPublish List"},
    {ID_FILE_OPEN_CLASS, "Open &Class List...", "Open a list the class handed out, with its recordings\nOpen Class List"},
};

const MenuEntry kToolsCommands[] = {
    {0, nullptr, nullptr},
    {ID_TOOLS_CLASS, "&Class...", "Join a class on its server, to send results to it and take its lists\nClass"},
};

CWordwellDoc* openList()
{
    CWinApp* app = AfxGetApp();
    return app && app->GetDocTemplate() ? static_cast<CWordwellDoc*>(app->GetDocTemplate()->GetDocument()) : nullptr;
}

}  // namespace

CClassCommands::CClassCommands(CFrameWnd& frame, QMenu* file, QMenu* tools) : QObject(&frame), m_frame(frame)
{
    frame.AppendMenu(file, kFileCommands);
    frame.AppendMenu(tools, kToolsCommands);
    frame.OnCommand(ID_TOOLS_CLASS, [this] { OnClass(); });
    frame.OnCommand(ID_FILE_PUBLISH_CLASS, [this] { OnPublish(); });
    frame.OnCommand(ID_FILE_OPEN_CLASS, [this] { OnOpenClassList(); });
    frame.OnUpdateCommandUI(ID_FILE_PUBLISH_CLASS, [this](CCmdUI* ui) {
        const CWordwellDoc* doc = openList();
        ui->Enable(m_joined.IsJoined() && m_joined.me.teacher && doc && !doc->m_wordList.isEmpty());
    });
    frame.OnUpdateCommandUI(ID_FILE_OPEN_CLASS, [this](CCmdUI* ui) { ui->Enable(m_joined.IsJoined()); });

    m_waitingPane = new QLabel(frame.statusBar());
    m_waitingPane->setObjectName(QStringLiteral("classPane"));
    m_waitingPane->setAccessibleDescription(QStringLiteral("Class"));
    m_waitingPane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_waitingPane->hide();
    frame.statusBar()->addPermanentWidget(m_waitingPane);

    m_joined = ReadJoinedClass();
    // What waits from an earlier run goes once the window is up.
    if (!m_joined.OutboxKey().isEmpty())
        QTimer::singleShot(0, this, &CClassCommands::sendNow);
}

CClassCommands::~CClassCommands() = default;

void CClassCommands::ResultKept()
{
    if (!m_joined.OutboxKey().isEmpty())
        sendNow();
}

void CClassCommands::ShowWaiting(int count, const QString& problem)
{
    m_waitingPane->setText(WaitingText(count));
    m_waitingPane->setToolTip(problem);
    m_waitingPane->setVisible(count > 0);
}

void CClassCommands::sendNow()
{
    if (!m_sender) {
        m_sender = std::make_unique<CClassSender>(CResultKeeper::DefaultPath(), m_joined.where);
        connect(m_sender.get(), &CClassSender::Waiting, this, &CClassCommands::onWaiting);
        if (!RunPassword().isEmpty())
            m_sender->SetPassword(RunPassword());
    }
    m_sender->SendNow();
}

void CClassCommands::onWaiting(int count, const QString& problem, bool needsPassword)
{
    ShowWaiting(count, problem);
    // Asked once a run: the sender tries again on its own, and would ask at every try.
    if (!needsPassword || m_askedForSender)
        return;
    m_askedForSender = true;
    if (AskRunPassword(m_joined.where.user, &m_frame)) {
        m_sender->SetPassword(RunPassword());
        m_sender->SendNow();
    }
}

void CClassCommands::OnClass()
{
    CClassDlg dialog(&m_frame);
    dialog.DoModal();
    m_frame.activateWindow();
    const QString before = m_joined.OutboxKey();
    m_joined = ReadJoinedClass();
    if (m_joined.OutboxKey() == before)
        return;
    // Another class, or none: the old sender stops (a round in flight, held
    // up by a server that does not answer, is not waited for), and what waits
    // for the new one goes now.
    if (m_sender)
        m_sender.release()->Retire();
    ShowWaiting(0, QString());
    if (!m_joined.OutboxKey().isEmpty())
        sendNow();
}

void CClassCommands::OnPublish()
{
    const CWordwellDoc* doc = openList();
    if (!doc)
        return;
    if (!m_joined.IsJoined() || !m_joined.me.teacher) {
        AfxMessageBox(QStringLiteral("Only a teacher of the class can publish a list to it."), MB_ICONEXCLAMATION);
        return;
    }
    CPublishDlg dialog(QFileInfo(doc->GetTitle()).completeBaseName(), &m_frame);
    if (dialog.DoModal() != IDOK)
        return;
    auto archive = std::make_shared<QByteArray>();
    if (!PackListForClass(*doc, archive.get()))
        return;
    const QString title = dialog.m_strTitle;
    const QDate due = dialog.m_due;
    auto* job = new CClassJob(
        m_joined.where,
        [archive, title, due](ClassStore& store, QString* error) { return store.Publish(title, due, *archive, error); },
        &m_frame, this);
    connect(job, &CClassJob::Finished, this, [job, title](bool ok, const QString& error) {
        job->deleteLater();
        if (ok)
            AfxMessageBox(QStringLiteral("\"%1\" is published to the class.").arg(title), MB_OK | MB_ICONINFORMATION);
        else
            AfxMessageBox(error, MB_ICONEXCLAMATION);
    });
    job->Start();
}

void CClassCommands::OnOpenClassList()
{
    if (!m_joined.IsJoined())
        return;
    auto lists = std::make_shared<QList<ClassList>>();
    auto* job = new CClassJob(
        m_joined.where, [lists](ClassStore& store, QString* error) { return store.Lists(lists.get(), error); }, &m_frame,
        this);
    connect(job, &CClassJob::Finished, this, [this, job, lists](bool ok, const QString& error) {
        job->deleteLater();
        if (!ok) {
            AfxMessageBox(error, MB_ICONEXCLAMATION);
            return;
        }
        if (lists->isEmpty()) {
            AfxMessageBox(QStringLiteral("The class has no lists yet."), MB_OK | MB_ICONINFORMATION);
            return;
        }
        CClassListsDlg dialog(*lists, &m_frame);
        if (dialog.DoModal() == IDOK)
            fetchList(dialog.m_chosen.id, dialog.m_chosen.title);
    });
    job->Start();
}

void CClassCommands::fetchList(qint64 id, const QString& title)
{
    auto archive = std::make_shared<QByteArray>();
    auto* job = new CClassJob(
        m_joined.where, [id, archive](ClassStore& store, QString* error) { return store.FetchList(id, archive.get(), error); },
        &m_frame, this);
    connect(job, &CClassJob::Finished, this, [job, archive, title](bool ok, const QString& error) {
        job->deleteLater();
        if (!ok)
            AfxMessageBox(error, MB_ICONEXCLAMATION);
        else
            OpenClassArchive(title, *archive);
    });
    job->Start();
}

}  // namespace practice::classroom
