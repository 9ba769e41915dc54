#include "platform/framework/appservices.h"

#include <QCoreApplication>

namespace platform::framework {

namespace {
CAppServices* g_app = nullptr;
}

CAppServices::CAppServices(const QString& appName) : m_strAppName(appName)
{
    Q_ASSERT(!g_app);
    g_app = this;
}

CAppServices::~CAppServices()
{
    g_app = nullptr;
}

CAppServices* AfxGetAppServices()
{
    return g_app;
}

// Kept apart from Qt's display name, which the X11 platform appends to every
// window's caption.
QString AfxGetAppTitle()
{
    return g_app ? g_app->AppName() : QCoreApplication::applicationName();
}

}  // namespace platform::framework
