#include "practice/sound/soundclipwindow.h"

#include "platform/audio/teardown.h"
#include "platform/framework/messagebox.h"
#include "practice/sound/clipstyle.h"
#include "practice/sound/playbar.h"

#include <QEvent>
#include <QFrame>
#include <QVBoxLayout>

using platform::audio::WaveAudioDevice;

namespace practice::sound {

CSoundClipWindow::CSoundClipWindow(QWidget* parentControl, unsigned style) : QWidget(parentControl)
{
    setAccessibleName(QStringLiteral("Sound clip"));
    if (!(style & MCIWNDF_NOPLAYBAR)) {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(2, 2, 2, 2);
        m_playBar = new CPlayBar(&m_device, (style & MCIWNDF_RECORD) != 0, (style & MCIWNDF_SHOWNAME) != 0, this);
        layout->addWidget(m_playBar);
        // The control that holds the play bar may be a frame, which lets the
        // pointer through: here it must reach the play bar's buttons.
        parentControl->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    } else {
        // With nothing of its own to press, the window never takes the pointer
        // from the controls its area surrounds.
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    connect(&m_device, &WaveAudioDevice::playbackEnded, this, &CSoundClipWindow::playbackEnded);
    // Queued: a message box must not open inside the sound system's own call.
    connect(&m_device, &WaveAudioDevice::deviceError, this, &CSoundClipWindow::reportDeviceError,
            Qt::QueuedConnection);
    parentControl->installEventFilter(this);
    fitToParent();
    show();
}

CSoundClipWindow::~CSoundClipWindow()
{
    // Close() may have asked for a deferred deletion before the parent control
    // deletes the window; the device's teardown must not deliver it.
    platform::audio::CancelDeferredDeletes(this);
}

bool CSoundClipWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        fitToParent();
    return QWidget::eventFilter(watched, event);
}

void CSoundClipWindow::fitToParent()
{
    // Inside the control's frame, not over it.
    const auto* frame = qobject_cast<const QFrame*>(parentWidget());
    setGeometry(frame ? frame->contentsRect() : parentWidget()->rect());
}

void CSoundClipWindow::reportDeviceError(const QString& message)
{
    emit deviceError(message);
    platform::framework::AfxMessageBox(message, platform::framework::MB_OK | platform::framework::MB_ICONEXCLAMATION);
}

}  // namespace practice::sound
