#include "practice/sound/playbar.h"

#include "platform/framework/announce.h"
#include "practice/sound/microphonebox.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QSlider>
#include <QStyle>
#include <QToolButton>

using platform::audio::WaveAudioDevice;

namespace practice::sound {

namespace {

// Often enough for the position to move smoothly while sound runs.
constexpr int kTickMs = 50;
// Room the position and the clip's name keep in a narrow bar.
constexpr int kMinPositionWidth = 32;
constexpr int kMinNameWidth = 24;

QIcon recordIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 0, 0));
    painter.drawEllipse(QRectF(3, 3, 10, 10));
    return QIcon(pixmap);
}

// A microphone: a capsule on a stand.
QPixmap microphonePixmap()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 60, 60));
    painter.drawRoundedRect(QRectF(5.5, 1, 5, 9), 2.5, 2.5);
    painter.setPen(QPen(QColor(60, 60, 60), 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(3.5, 4, 9, 8), 180 * 16, 180 * 16);
    painter.drawLine(QPointF(8, 12), QPointF(8, 15));
    return pixmap;
}

// `name` is what a screen reader says: it must tell the button from the list
// editor's own buttons of the same caption.
QToolButton* makeButton(const QIcon& icon, const QString& tip, const QString& name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setIcon(icon);
    button->setToolTip(tip);
    button->setAccessibleName(name);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoRaise(true);
    return button;
}

}  // namespace

QString ClipDisplayName(const QString& fileName)
{
    if (fileName.isEmpty())
        return QStringLiteral("New recording");
    QString unified = fileName;
    unified.replace(u'\\', u'/');
    return QFileInfo(unified).fileName();
}

CPlayBar::CPlayBar(WaveAudioDevice* device, bool withRecord, bool withName, QWidget* parent)
    : QWidget(parent), m_device(device)
{
    setAccessibleName(QStringLiteral("Play bar"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);

    m_play = makeButton(style()->standardIcon(QStyle::SP_MediaPlay), QStringLiteral("Play"),
                        QStringLiteral("Play clip"), this);
    m_stop = makeButton(style()->standardIcon(QStyle::SP_MediaStop), QStringLiteral("Stop"),
                        QStringLiteral("Stop"), this);
    layout->addWidget(m_play);
    layout->addWidget(m_stop);
    connect(m_play, &QToolButton::clicked, m_device, &WaveAudioDevice::Play);
    connect(m_stop, &QToolButton::clicked, m_device, &WaveAudioDevice::Stop);
    if (withRecord) {
        m_record = makeButton(recordIcon(), QStringLiteral("Record"), QStringLiteral("Record clip"), this);
        layout->addWidget(m_record);
        connect(m_record, &QToolButton::clicked, m_device, &WaveAudioDevice::Record);
        // The computer voice in place of a recording: the owner knows the word to speak.
        m_speak = makeButton(QIcon(), QStringLiteral("Speak the word with the computer voice"),
                             QStringLiteral("Speak word"), this);
        m_speak->setText(QStringLiteral("Speak"));
        layout->addWidget(m_speak);
        connect(m_speak, &QToolButton::clicked, this, &CPlayBar::speakRequested);
        m_microphone = new CMicrophoneBox(m_device, this);
        // Screen readers on this platform say a box's current item as its name
        // and take what it is from the label that is its buddy.
        auto* microphoneLabel = new QLabel(this);
        microphoneLabel->setPixmap(microphonePixmap());
        microphoneLabel->setAccessibleName(m_microphone->accessibleName());
        microphoneLabel->setToolTip(QStringLiteral("The device to record from"));
        microphoneLabel->setBuddy(m_microphone);
        layout->addWidget(microphoneLabel);
        layout->addWidget(m_microphone);
        // A silent or muted microphone shows before the word is lost.
        m_meter = new QProgressBar(this);
        m_meter->setAccessibleName(QStringLiteral("Input level"));
        m_meter->setRange(0, 100);
        m_meter->setTextVisible(false);
        m_meter->setMinimumWidth(kMinPositionWidth);
        m_meter->setVisible(false);
        layout->addWidget(m_meter, 1);
    }

    m_position = new QSlider(Qt::Horizontal, this);
    m_position->setAccessibleName(QStringLiteral("Position"));
    m_position->setFocusPolicy(Qt::StrongFocus);
    // Never squeezed away by the controls beside it.
    m_position->setMinimumWidth(kMinPositionWidth);
    layout->addWidget(m_position, 1);
    connect(m_position, &QSlider::valueChanged, this, &CPlayBar::onSliderMoved);

    if (withName) {
        m_name = new QLabel(this);
        // Named by its text: a screen reader reads a label by its name alone.
        m_name->setAccessibleDescription(QStringLiteral("Clip name"));
        // The name gives way first when the bar is narrow; its tip has it whole.
        m_name->setMinimumWidth(kMinNameWidth);
        layout->addWidget(m_name);
    }

    m_ticker.setInterval(kTickMs);
    connect(&m_ticker, &QTimer::timeout, this, &CPlayBar::refresh);
    connect(m_device, &WaveAudioDevice::modeChanged, this, &CPlayBar::showState);
    connect(m_device, &WaveAudioDevice::clipChanged, this, &CPlayBar::showState);
    showState();
}

void CPlayBar::showState()
{
    const WaveAudioDevice::Mode mode = m_device->mode();
    const bool running = mode == WaveAudioDevice::Mode::Playing || mode == WaveAudioDevice::Mode::Recording;
    if (running)
        m_ticker.start();
    else
        m_ticker.stop();
    const bool ready = mode != WaveAudioDevice::Mode::NotReady;
    m_play->setEnabled(ready);
    m_stop->setEnabled(running);
    if (m_record)
        m_record->setEnabled(ready);
    // Speak stays usable while its word plays, as Play does: a button disabled
    // under the focus hands the focus on, and the next Space would go elsewhere.
    if (m_speak)
        m_speak->setEnabled(ready && mode != WaveAudioDevice::Mode::Recording);
    m_position->setEnabled(ready && !running);
    // The position cannot be moved while recording: the meter takes its place,
    // which the narrow bar has no room to give it beside the position.
    if (m_meter) {
        m_meter->setVisible(mode == WaveAudioDevice::Mode::Recording);
        m_position->setVisible(mode != WaveAudioDevice::Mode::Recording);
    }
    // The device in use cannot change until Stop.
    if (m_microphone)
        m_microphone->setEnabled(mode != WaveAudioDevice::Mode::Recording);
    if (m_name) {
        m_name->setText(ready ? ClipDisplayName(m_device->fileName()) : QString());
        m_name->setToolTip(m_name->text());
    }
    // Said once the recording ends, never during it: the microphone would
    // take the speech into the clip. Not to a window closed while recording:
    // no one hears it, and the line would be delivered in the sound system's
    // teardown, which runs the event loop, to a window half destroyed.
    const bool recording = mode == WaveAudioDevice::Mode::Recording;
    if (m_wasRecording && !recording && isVisible())
        platform::framework::Announce(this, RecordedMessage(m_device->length(), m_device->sampleRate()));
    m_wasRecording = recording;
    refresh();
}

void CPlayBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The name gives way first, whole: a few pixels of it would tell nothing.
    if (m_name)
        m_name->setVisible(width() >= widthWithName());
}

// The least width of the bar's controls shown, the name among them.
int CPlayBar::widthWithName() const
{
    int width = kMinNameWidth;
    for (int i = 0; i < layout()->count(); ++i) {
        QLayoutItem* item = layout()->itemAt(i);
        if (item->widget() != m_name && !item->widget()->isHidden())
            width += item->minimumSize().width() + layout()->spacing();
    }
    return width;
}

QString RecordedMessage(qint64 frames, int sampleRate)
{
    const double seconds = sampleRate > 0 ? double(frames) / sampleRate : 0.0;
    return QStringLiteral("Recorded %1 seconds.").arg(seconds, 0, 'f', 1);
}

void CPlayBar::refresh()
{
    // Moving the slider here is the device's doing, not the user's.
    const QSignalBlocker blocker(m_position);
    m_position->setRange(0, static_cast<int>(qMin<qint64>(m_device->length(), INT_MAX)));
    m_position->setValue(static_cast<int>(qMin<qint64>(m_device->position(), INT_MAX)));
    // Arrow keys move a tenth of a second, Page Up and Down a second.
    m_position->setSingleStep(qMax(1, m_device->sampleRate() / 10));
    m_position->setPageStep(qMax(1, m_device->sampleRate()));
    if (m_meter)
        m_meter->setValue(qRound(m_device->inputLevel() * 100));
}

void CPlayBar::onSliderMoved(int value)
{
    m_device->Seek(value);
}

}  // namespace practice::sound
