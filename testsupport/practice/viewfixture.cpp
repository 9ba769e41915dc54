#include "testsupport/practice/viewfixture.h"

#include "platform/framework/archive.h"
#include "platform/framework/doctemplate.h"
#include "platform/framework/frame.h"
#include "platform/help/winhelp.h"
#include "platform/registry/registry.h"
#include "practice/document/commands.h"
#include "practice/document/wordwelldoc.h"
#include "practice/testview/wordwellview.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

using namespace platform::framework;

ViewFixture::ViewFixture()
{
    namespace reg = platform::registry;
    reg::Key key;
    reg::CreateKey(reg::HKEY_CURRENT_USER, QStringLiteral("Software\\Tolvane\\Wordwell Practice\\WordsPath"), &key);
    reg::SetStringValue(key, QStringLiteral("Path"), wordsPath());
    QDir().mkpath(wordsPath() + QStringLiteral("/words"));

    m_app = std::make_unique<CWordwellApp>();
    m_app->EstablishSettings();
    m_app->SetHelpFilePath(kHelpFile);
    m_app->AddDocTemplate(std::make_unique<CSingleDocTemplate>(
        QStringLiteral("Wordwell Practice\n\nSpell\nSpelli Files (*.spl)\n.SPL\nWordwell.Document\nSpell Document"),
        [] { return std::make_unique<CWordwellDoc>(); }, [] { return std::make_unique<CFrameWnd>(); },
        [](CFrameWnd* f) { return new CWordwellView(f); }));
    m_app->OnFileNew();
    for (unsigned id : {practice::ID_TOOLS_EDITLIST, practice::ID_TOOLS_TAKETEST, practice::ID_TOOLS_LISTINFO,
                        practice::ID_TOOLS_STOPTEST, practice::ID_HELP_WEBPAGE})
        frame()->AddCommand(id, QStringLiteral("command"));
    frame()->UpdateCommandUI();
    if (!QTest::qWaitForWindowActive(frame()))
        qWarning("the main frame did not become active");
}

ViewFixture::~ViewFixture()
{
    // A pop-up or Help Topics window left open would outlive the test.
    platform::help::WinHelp(nullptr, QString(), platform::help::HELP_QUIT, 0);
    m_app.reset();
}

void ViewFixture::giveClip(const QString& word) const
{
    QDir().mkpath(QFileInfo(clipPath(word)).path());
    QFile::copy(QStringLiteral(WW_SOURCE_DIR "/samples/words/friend.wav"), clipPath(word));
}

void ViewFixture::openList(const QStringList& words)
{
    QByteArray bytes;
    CArchive ar(&bytes);
    ar.WriteCount(static_cast<quint32>(words.size()));
    for (const QString& w : words)
        ar.WriteText(w);
    const QString path = m_home.work() + QStringLiteral("/list.spl");
    WriteFileForTest(path, bytes);
    m_app->OpenDocumentFile(path);
}

CWordwellView* ViewOf(const CWinApp& app)
{
    return static_cast<CWordwellView*>(app.GetDocTemplate()->GetView());
}

CWordwellDoc* DocOf(const CWinApp& app)
{
    return static_cast<CWordwellDoc*>(app.GetDocTemplate()->GetDocument());
}

CWordwellView* ViewFixture::view() const
{
    return ViewOf(*m_app);
}

CWordwellDoc* ViewFixture::doc() const
{
    return DocOf(*m_app);
}

CFrameWnd* ViewFixture::frame() const
{
    return m_app->GetDocTemplate()->GetFrame();
}

QString ViewFixture::text(int id) const
{
    QWidget* control = view()->GetDlgItem(id);
    if (auto* line = qobject_cast<QLineEdit*>(control))
        return line->text();
    return qobject_cast<QPlainTextEdit*>(control)->toPlainText();
}

QLineEdit* ViewFixture::answer() const
{
    return qobject_cast<QLineEdit*>(view()->GetDlgItem(1006));
}

int ViewFixture::focusId() const
{
    const QWidget* focus = QApplication::focusWidget();
    return focus ? GetDlgCtrlID(focus) : 0;
}

bool ViewFixture::commandEnabled(unsigned id) const
{
    frame()->UpdateCommandUI();
    return frame()->GetCommand(id)->isEnabled();
}
