#include "platform/framework/formview.h"

#include "platform/framework/commandids.h"
#include "platform/framework/dataexchange.h"
#include "platform/framework/formprint.h"
#include "platform/framework/frame.h"
#include "platform/framework/helprequest.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPushButton>

namespace platform::framework {

CFormView::CFormView(const DialogTemplate& dialogTemplate, QWidget* parent)
    : CDocumentView(parent)
{
    CreateDialogControls(this, dialogTemplate);
    setMinimumSize(size());
    const auto controls = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* control : controls) {
        control->installEventFilter(this);
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            const auto id = static_cast<unsigned>(GetDlgCtrlID(button));
            connect(button, &QAbstractButton::clicked, this, [this, id] {
                if (CFrameWnd* frame = GetParentFrame())
                    frame->RouteCommand(id);
                else
                    OnCmdMsg(id, nullptr);
            });
        }
    }
    OnCommand(ID_FILE_PRINT, [this] { OnFilePrint(); });
    OnCommand(ID_FILE_PRINT_DIRECT, [this] { OnFilePrintDirect(); });
    OnCommand(ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); });
}

CFrameWnd* CFormView::GetParentFrame() const
{
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* frame = qobject_cast<CFrameWnd*>(w))
            return frame;
    }
    return nullptr;
}

bool CFormView::UpdateData(bool saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return !dx.Failed();
}

void CFormView::OnInitialUpdate()
{
    UpdateData(false);
    OnUpdate(nullptr, 0, nullptr);
}

void CFormView::OnUpdate(CView* sender, qintptr hint, QObject* hintObject)
{
    Q_UNUSED(sender);
    Q_UNUSED(hint);
    Q_UNUSED(hintObject);
    update();
}

void CFormView::OnFilePrint()
{
    PrintForm(this, PrintChoice::AskUser);
}

void CFormView::OnFilePrintDirect()
{
    PrintForm(this, PrintChoice::Direct);
}

void CFormView::OnFilePrintPreview()
{
    PrintForm(this, PrintChoice::Preview);
}

bool CFormView::eventFilter(QObject* watched, QEvent* event)
{
    // As in a dialog, Enter anywhere on the form presses the default button,
    // hidden or not.
    if (event->type() == QEvent::KeyPress && IsDefaultButtonKey(static_cast<QKeyEvent*>(event))) {
        if (QPushButton* button = DefaultButton(this); button && button->isEnabled()) {
            const auto id = static_cast<unsigned>(GetDlgCtrlID(button));
            if (CFrameWnd* frame = GetParentFrame())
                frame->RouteCommand(id);
            else
                OnCmdMsg(id, nullptr);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool CFormView::event(QEvent* event)
{
    if (HandleHelpModeEvent(this, event))
        return true;
    return QWidget::event(event);
}

}  // namespace platform::framework
