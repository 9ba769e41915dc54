#pragma once

class QString;
class QWidget;

namespace platform::framework {

// Gives a screen reader a line to speak, once, without changing what the form
// shows or where the focus is: an empty notification of the line appears.
// Screen readers speak a notification when it shows, whatever has the focus;
// Qt 6.4 has no announcement of its own, and sends a changed name or
// description without its text (see docs/accessibility.md). Once `window` is
// up, the notification goes to the window that owns its dialog, if any, where
// it is read without the dialog's title and labels before it. Line breaks
// become spaces: one spoken line.
void Announce(QWidget* window, const QString& text);

}  // namespace platform::framework
