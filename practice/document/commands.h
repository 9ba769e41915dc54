#pragma once

// The practice program's own command ids.
namespace practice {

enum : unsigned {
    ID_TOOLS_EDITLIST = 32771,
    ID_TOOLS_TAKETEST = 32776,
    ID_TOOLS_LISTINFO = 32778,
    ID_TOOLS_STOPTEST = 32779,
    ID_HELP_WEBPAGE = 32787,
    // The computer voice's commands, after the original's on the Tools menu.
    ID_TOOLS_MAKECLIPS = 33001,
    ID_TOOLS_SPEAKUNRECORDED = 33002,
    ID_TOOLS_VOICE = 33003,
    // Bound to keys only; nothing carries them out.
    ID_KEY_ALT_T = 32783,
    ID_KEY_ALT_F = 32784,
};

// Sharing and printing a list: commands of our own, after the original's File items.
enum : unsigned {
    ID_FILE_EXPORT_SHARED = 32841,
    ID_FILE_IMPORT_SHARED = 32842,
    ID_FILE_PRINT_SHEET = 32843,
    ID_FILE_SHEET_PDF = 32844,
};

}  // namespace practice
