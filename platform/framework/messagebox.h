#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace platform::framework {

// Message-box styles and answers with their Win32 values.
enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    // Of our own: Yes, Yes to All, No, No to All and Cancel, for a question asked of many things in turn.
    MB_YESNOALLCANCEL = 0x7,
    MB_ICONSTOP = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
    // The default button, counted in the order the type names them; the first when none is given.
    MB_DEFBUTTON1 = 0x0,
    MB_DEFBUTTON2 = 0x100,
    MB_DEFBUTTON3 = 0x200,
    MB_TYPEMASK = 0xF,
    MB_ICONMASK = 0xF0,
    MB_DEFMASK = 0xF00,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7, IDYESTOALL = 20, IDNOTOALL = 21 };

struct MessageBoxRequest {
    QString text;
    QString caption;
    unsigned type = MB_OK;
    unsigned helpId = 0;
};

// Tests answer message boxes through this hook instead of a window; it returns
// the button "pressed". Passing an empty handler restores the real boxes.
using MessageBoxHandler = std::function<int(const MessageBoxRequest&)>;
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// The application's box, captioned with the application's title.
int AfxMessageBox(const QString& text, unsigned type = MB_OK, unsigned helpId = 0);
// A box with a caption of its own, over `parent`.
int MessageBox(QWidget* parent, const QString& text, const QString& caption, unsigned type = MB_OK);

}  // namespace platform::framework
