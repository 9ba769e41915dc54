#include "platform/framework/shellexecute.h"

#include <QDesktopServices>

namespace platform::framework {

namespace {

ShellExecuteHandler& handler()
{
    static ShellExecuteHandler h;
    return h;
}

}  // namespace

bool ShellExecute(QWidget* owner, const QString& verb, const QUrl& address)
{
    Q_UNUSED(owner);
    if (handler())
        return handler()(verb, address);
    return QDesktopServices::openUrl(address);
}

ShellExecuteHandler SetShellExecuteHandler(ShellExecuteHandler h)
{
    return std::exchange(handler(), std::move(h));
}

}  // namespace platform::framework
