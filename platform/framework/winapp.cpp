#include "platform/framework/winapp.h"

#include "platform/framework/doctemplate.h"
#include "platform/framework/recentfiles.h"
#include "platform/modules/modules.h"
#include "platform/registry/registry.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace platform::framework {

namespace reg = platform::registry;

namespace {

// Hands every event of the program to the application object first.
class PreTranslateFilter : public QObject {
public:
    explicit PreTranslateFilter(CWinApp* app) : m_app(app) {}
    bool eventFilter(QObject* receiver, QEvent* event) override { return m_app->PreTranslateMessage(receiver, event); }

private:
    CWinApp* m_app;
};

}  // namespace

CWinApp::CWinApp(const QString& appName) : CAppServices(appName)
{
    if (auto* qtApp = QCoreApplication::instance()) {
        m_strHelpFilePath = HelpFilePathFor(QCoreApplication::applicationFilePath());
        m_preTranslateFilter = std::make_unique<PreTranslateFilter>(this);
        qtApp->installEventFilter(m_preTranslateFilter.get());
    }
    registerCommands();
}

CWinApp::~CWinApp()
{
    writeRecentFiles();
    // The windows go before the object that routes their commands.
    m_docTemplate.reset();
    m_preTranslateFilter.reset();
}

bool CWinApp::PreTranslateMessage(QObject* receiver, QEvent* event)
{
    Q_UNUSED(receiver);
    Q_UNUSED(event);
    return false;
}

// CWinApp is the one implementation of the application's services.
CWinApp* AfxGetApp()
{
    return static_cast<CWinApp*>(AfxGetAppServices());
}

QString CWinApp::HelpFilePathFor(const QString& programPath)
{
    const QFileInfo info(programPath);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString stem = dot > 0 ? name.left(dot) : name;
    const QString folder = programPath.left(programPath.size() - name.size());  // with its separator
    if (folder.isEmpty())
        return stem + QStringLiteral(".hlp");
    return platform::modules::InstalledFilePath(folder.chopped(1), platform::modules::kPackagedDataFolder,
                                                stem + QStringLiteral(".hlp"));
}

void CWinApp::SetRegistryKey(const QString& company)
{
    m_strRegistryKey = company;
}

QString CWinApp::sectionKey(const QString& section) const
{
    return QStringLiteral("Software\\%1\\%2\\%3").arg(m_strRegistryKey, AppName(), section);
}

QString CWinApp::GetProfileString(const QString& section, const QString& entry,
                                  const QString& defaultValue) const
{
    if (m_strRegistryKey.isEmpty())
        return defaultValue;
    QString value;
    if (reg::GetStringValue(reg::HKEY_CURRENT_USER, sectionKey(section), entry, &value) != reg::ERROR_SUCCESS)
        return defaultValue;
    return value;
}

bool CWinApp::DeleteProfileEntry(const QString& section, const QString& entry)
{
    if (m_strRegistryKey.isEmpty())
        return false;
    reg::Key key;
    if (reg::OpenKey(reg::HKEY_CURRENT_USER, sectionKey(section), &key) != reg::ERROR_SUCCESS)
        return false;
    return reg::DeleteValue(key, entry) == reg::ERROR_SUCCESS;
}

bool CWinApp::WriteProfileString(const QString& section, const QString& entry, const QString& value)
{
    if (m_strRegistryKey.isEmpty())
        return false;
    reg::Key key;
    if (reg::CreateKey(reg::HKEY_CURRENT_USER, sectionKey(section), &key) != reg::ERROR_SUCCESS)
        return false;
    return reg::SetStringValue(key, entry, value) == reg::ERROR_SUCCESS;
}

}  // namespace platform::framework
