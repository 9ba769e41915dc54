#pragma once

#include "platform/framework/dialogtemplate.h"

#include <QColor>

// The testing form, template 101, and its control ids.
namespace practice::testview {

enum : int {
    IDD_WORDWELL_FORM = 101,
    IDC_WORDNUMBER = 1005,
    IDC_ANSWER = 1006,
    IDC_LISTEN = 1007,
    IDC_CHECK = 1009,
    IDC_NEXTWORD = 1011,
    IDC_WORDCOUNT = 1012,
    IDC_SCORE = 1013,
    IDC_CORRECT = 1014,
    IDC_MESSAGE = 1015,
    IDC_PLAYERFRAME = 1027,
    IDC_ENTERKEY = 1035,
};

const platform::framework::DialogTemplate& TestFormTemplate();

inline const QColor kFormBackColor(128, 184, 223);
inline const QColor kButtonFaceColor(24, 116, 205);
inline const QColor kButtonTextColor(255, 255, 255);
inline const QColor kButtonDisabledTextColor(128, 128, 128);
inline constexpr int kButtonBevel = 2;

}  // namespace practice::testview
