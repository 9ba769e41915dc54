#pragma once

#include "platform/framework/dialogtemplate.h"

#include <QColor>

// The list editor's template 130 and the list information template 136, with their control ids.
namespace practice::editor {

enum : int {
    IDD_SPELLINGLIST = 130,
    IDC_PLAY = 1000,
    IDC_RECORD = 1001,
    IDC_STOPREC = 1002,
    IDC_SAVEADD = 1003,
    IDC_WORD = 1004,
    IDC_PLAYERFRAME = 1017,
    IDC_NEWWORD = 1018,
    IDC_WORDLIST = 1023,
    IDC_ENTERKEY = 1035,

    IDD_LISTINFO = 136,
    IDC_INFOLIST = 1024,
    IDC_COUNT = 1025,
};

const platform::framework::DialogTemplate& SpellingListTemplate();
const platform::framework::DialogTemplate& ListInfoTemplate();

inline const QColor kDialogBackColor(128, 184, 223);

}  // namespace practice::editor
