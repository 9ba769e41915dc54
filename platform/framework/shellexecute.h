#pragma once

#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

namespace platform::framework {

// The shell's "open" of an address: the desktop's handler for it (a browser
// for web and HTML pages). False when the desktop could not open it.
bool ShellExecute(QWidget* owner, const QString& verb, const QUrl& address);

// Tests see the addresses opened instead of starting a browser.
using ShellExecuteHandler = std::function<bool(const QString& verb, const QUrl& address)>;
ShellExecuteHandler SetShellExecuteHandler(ShellExecuteHandler handler);

}  // namespace platform::framework
