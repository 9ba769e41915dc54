#include "practice/editor/editorforms.h"

#include "platform/framework/messagebox.h"

namespace practice::editor {

using namespace platform::framework;

namespace {

DialogItem item(int templateId, int id, ControlKind kind, const QString& caption, QRect rect, unsigned style,
                bool helped, QString name = {})
{
    return {id, kind, caption, rect, style, helped ? MakeHelpId(templateId, id) : 0, std::move(name)};
}

DialogTemplate makeSpellingList()
{
    const auto edit = [](int id, ControlKind kind, const QString& caption, QRect rect, unsigned style,
                         QString name = {}) {
        return item(IDD_SPELLINGLIST, id, kind, caption, rect, style, true, std::move(name));
    };
    const auto plain = [](ControlKind kind, const QString& caption, QRect rect, unsigned style) {
        return item(IDD_SPELLINGLIST, IDC_STATIC, kind, caption, rect, style, false);
    };
    const QString listLabel = QStringLiteral("Current List -- remove word by double clicking it");
    DialogTemplate t;
    t.id = IDD_SPELLINGLIST;
    t.fontFamily = QStringLiteral("MS Sans Serif");
    t.pointSize = 8;
    t.size = {239, 185};
    t.items = {
        edit(IDC_WORD, ControlKind::Edit, QString(), {61, 20, 99, 14}, CS_BORDER | CS_AUTOHSCROLL | CS_TABSTOP,
             QStringLiteral("Record Word")),
        edit(IDC_RECORD, ControlKind::PushButton, QStringLiteral("&Record"), {60, 65, 45, 14}, CS_TABSTOP),
        edit(IDC_STOPREC, ControlKind::PushButton, QStringLiteral("S&top Rec."), {115, 65, 45, 14}, CS_TABSTOP),
        edit(IDC_PLAY, ControlKind::PushButton, QStringLiteral("&Play"), {10, 65, 40, 14}, CS_TABSTOP),
        edit(IDC_SAVEADD, ControlKind::PushButton, QStringLiteral("&Save Sound\n\rAdd to List"), {10, 90, 70, 25},
             CS_MULTILINE | CS_TABSTOP),
        edit(IDC_NEWWORD, ControlKind::PushButton, QStringLiteral("New Word or \n\rRedo Sound"), {90, 90, 70, 25},
             CS_MULTILINE | CS_TABSTOP),
        // Drawn as an ordinary button: the hidden button below is the default.
        edit(IDOK, ControlKind::PushButton, QStringLiteral("Finished / OK/Save Current List"),
             {20, 140, 50, 30}, CS_MULTILINE | CS_TABSTOP),
        edit(IDCANCEL, ControlKind::PushButton, QStringLiteral("Cancel"), {100, 140, 50, 30}, CS_TABSTOP),
        plain(ControlKind::Label, QStringLiteral("Record Word"), {10, 22, 48, 8}, CS_RIGHT),
        edit(IDC_PLAYERFRAME, ControlKind::EtchedFrame, QString(), {10, 42, 150, 18}, CS_BORDER,
             QStringLiteral("Sound clip")),
        plain(ControlKind::GroupBox, QString(), {5, 15, 160, 110}, 0),
        edit(IDC_WORDLIST, ControlKind::ListBox, QString(), {170, 40, 65, 135}, CS_BORDER | CS_TABSTOP, listLabel),
        plain(ControlKind::Label, listLabel, {175, 10, 60, 25}, CS_CENTER),
        plain(ControlKind::Label, QStringLiteral("Enter/Record a Spelling word"), {5, 5, 160, 10}, CS_CENTER),
        item(IDD_SPELLINGLIST, IDC_ENTERKEY, ControlKind::DefPushButton, QStringLiteral("Invisible enter key catch"),
             {50, 175, 90, 10}, CS_HIDDEN, false),
    };
    return t;
}

DialogTemplate makeListInfo()
{
    const QString countLabel = QStringLiteral("Number of Spelling Words");
    const QString listLabel = QStringLiteral("Current Spelling List");
    DialogTemplate t;
    t.id = IDD_LISTINFO;
    t.fontFamily = QStringLiteral("MS Sans Serif");
    t.pointSize = 8;
    t.size = {249, 185};
    t.items = {
        item(IDD_LISTINFO, IDOK, ControlKind::DefPushButton, QStringLiteral("Return"), {160, 145, 50, 14},
             CS_TABSTOP, false),
        item(IDD_LISTINFO, IDC_INFOLIST, ControlKind::ListBox, QString(), {5, 20, 115, 155}, CS_BORDER | CS_TABSTOP,
             true, listLabel),
        item(IDD_LISTINFO, IDC_STATIC, ControlKind::Label, listLabel, {5, 5, 115, 10}, CS_CENTER, false),
        item(IDD_LISTINFO, IDC_STATIC, ControlKind::Label, countLabel, {145, 40, 75, 20}, CS_CENTER, false),
        item(IDD_LISTINFO, IDC_COUNT, ControlKind::Edit, QString(), {175, 65, 15, 15},
             CS_BORDER | CS_AUTOHSCROLL | CS_TABSTOP, true, countLabel),
    };
    return t;
}

}  // namespace

const DialogTemplate& SpellingListTemplate()
{
    static const DialogTemplate t = makeSpellingList();
    return t;
}

const DialogTemplate& ListInfoTemplate()
{
    static const DialogTemplate t = makeListInfo();
    return t;
}

}  // namespace practice::editor
