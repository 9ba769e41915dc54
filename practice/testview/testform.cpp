#include "practice/testview/testform.h"

namespace practice::testview {

using namespace platform::framework;

namespace {

DialogItem item(int id, ControlKind kind, const QString& caption, QRect rect, unsigned style, QString name = {})
{
    const quint32 helpId = (id == IDC_STATIC || id == IDC_ENTERKEY) ? 0 : MakeHelpId(IDD_WORDWELL_FORM, id);
    return {id, kind, caption, rect, style, helpId, std::move(name)};
}

DialogTemplate makeTemplate()
{
    DialogTemplate t;
    t.id = IDD_WORDWELL_FORM;
    t.fontFamily = QStringLiteral("Arial");
    t.pointSize = 10;
    t.size = {247, 152};
    const unsigned readOnly = CS_READONLY | CS_BORDER | CS_AUTOHSCROLL;
    t.items = {
        item(IDC_LISTEN, ControlKind::OwnerDrawButton, QStringLiteral("Listen to Word"), {60, 50, 83, 20}, CS_TABSTOP),
        item(IDC_ANSWER, ControlKind::Edit, QString(), {49, 90, 106, 14}, CS_BORDER | CS_AUTOHSCROLL | CS_TABSTOP,
             QStringLiteral("Virir It")),
        item(IDC_CHECK, ControlKind::OwnerDrawButton, QStringLiteral("CHECK"), {189, 90, 50, 14}, CS_TABSTOP),
        item(IDC_NEXTWORD, ControlKind::OwnerDrawButton, QStringLiteral("Next Word"), {190, 120, 50, 14}, CS_TABSTOP),
        item(IDC_WORDNUMBER, ControlKind::Edit, QString(), {49, 19, 40, 12}, readOnly, QStringLiteral("Word #")),
        item(IDC_WORDCOUNT, ControlKind::Edit, QString(), {204, 32, 35, 14}, readOnly, QStringLiteral("# Words")),
        item(IDC_SCORE, ControlKind::Edit, QString(), {204, 47, 35, 14}, readOnly, QStringLiteral("Score")),
        item(IDC_CORRECT, ControlKind::Edit, QString(), {204, 15, 35, 14}, readOnly, QStringLiteral("# Correct")),
        item(IDC_STATIC, ControlKind::Label, QStringLiteral("# Correct"), {160, 16, 38, 14}, CS_RIGHT),
        item(IDC_STATIC, ControlKind::Label, QStringLiteral("Virir It "), {7, 90, 34, 16}, CS_RIGHT),
        item(IDC_MESSAGE, ControlKind::Edit, QString(), {20, 120, 135, 27}, CS_READONLY | CS_BORDER | CS_MULTILINE,
             QStringLiteral("Message")),
        item(IDC_PLAYERFRAME, ControlKind::EtchedFrame, QString(), {49, 40, 106, 40}, CS_BORDER,
             QStringLiteral("Sound clip")),
        item(IDC_STATIC, ControlKind::Label, QStringLiteral("# Words"), {160, 34, 37, 14}, CS_RIGHT),
        item(IDC_STATIC, ControlKind::Label, QStringLiteral("Word #"), {7, 19, 35, 14}, CS_RIGHT),
        item(IDC_ENTERKEY, ControlKind::DefPushButton, QStringLiteral("Inv."), {5, 50, 20, 15}, CS_HIDDEN),
    };
    return t;
}

}  // namespace

const DialogTemplate& TestFormTemplate()
{
    static const DialogTemplate t = makeTemplate();
    return t;
}

}  // namespace practice::testview
