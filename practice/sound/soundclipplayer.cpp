#include "practice/sound/soundclipplayer.h"

#include "platform/framework/messagebox.h"
#include "practice/sound/clippath.h"
#include "practice/sound/soundclipwindow.h"

using platform::audio::WaveFileError;

namespace practice::sound {

namespace {

int openResult(WaveFileError error)
{
    switch (error) {
    case WaveFileError::None: return CLIP_OPEN;
    case WaveFileError::NotFound: return CLIP_NOT_FOUND;
    case WaveFileError::NotAFile: return CLIP_NOT_A_FILE;
    case WaveFileError::CannotRead: return CLIP_CANNOT_READ;
    // The device opens a file it cannot decode for want of the module: Play says why.
    case WaveFileError::NotPlayable:
    case WaveFileError::NoSoundModule: return CLIP_NOT_PLAYABLE;
    case WaveFileError::TooLong: return CLIP_TOO_LONG;
    }
    return CLIP_NOT_PLAYABLE;
}

void reportSaveFailure(const QString& path, const QString& reason)
{
    platform::framework::AfxMessageBox(QStringLiteral("Unable to save \"%1\": %2.").arg(path, reason),
                                       platform::framework::MB_OK | platform::framework::MB_ICONEXCLAMATION);
}

}  // namespace

CSoundClipPlayer::CSoundClipPlayer(QObject* parent) : QObject(parent) {}

CSoundClipPlayer::~CSoundClipPlayer()
{
    Close();
}

void CSoundClipPlayer::Create(QWidget* parentControl, unsigned style)
{
    Close();
    m_window = new CSoundClipWindow(parentControl, style);
    connect(m_window, &CSoundClipWindow::playbackEnded, this, &CSoundClipPlayer::playbackEnded);
    connect(m_window, &CSoundClipWindow::deviceError, this, &CSoundClipPlayer::deviceError);
}

CSoundClipWindow* CSoundClipPlayer::Window() const
{
    return m_window;
}

void CSoundClipPlayer::NewRecording()
{
    if (m_window)
        m_window->device()->New();
}

void CSoundClipPlayer::NewRecording(const platform::audio::WaveData& clip)
{
    if (m_window)
        m_window->device()->NewFrom(clip);
}

int CSoundClipPlayer::Open(const QString& path)
{
    if (!m_window)
        return CLIP_NO_PLAYER;
    if (ClipPathClimbs(path)) {
        m_window->device()->Close();
        return CLIP_OUTSIDE_FOLDER;
    }
    QString reason;
    return openResult(m_window->device()->Open(path, &reason));
}

void CSoundClipPlayer::Play()
{
    if (m_window)
        m_window->device()->Play();
}

void CSoundClipPlayer::Record()
{
    if (m_window)
        m_window->device()->Record();
}

void CSoundClipPlayer::Stop()
{
    if (m_window)
        m_window->device()->Stop();
}

bool CSoundClipPlayer::Save(const QString& path)
{
    if (!m_window)
        return false;
    if (ClipPathClimbs(path)) {
        reportSaveFailure(path, QStringLiteral("the name would put the clip outside its folder"));
        return false;
    }
    QString reason;
    if (!m_window->device()->Save(path, &reason)) {
        reportSaveFailure(path, reason);
        return false;
    }
    return true;
}

void CSoundClipPlayer::Close()
{
    if (!m_window)
        return;
    m_window->device()->Close();
    m_window->disconnect(this);
    m_window->hide();
    // Close may be called from a slot of the window's own signals.
    m_window->deleteLater();
    m_window = nullptr;
}

}  // namespace practice::sound
