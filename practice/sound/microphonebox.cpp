#include "practice/sound/microphonebox.h"

#include "platform/audio/audiobackend.h"
#include "platform/audio/audiomodule.h"
#include "practice/sound/recordingchoice.h"

#include <QAbstractItemView>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTimer>

using platform::audio::RecordingDevice;

namespace practice::sound {

namespace {

// Enough to tell devices apart in the bar; the open list shows whole names.
constexpr int kShownCharacters = 8;
const QString kToolTip = QStringLiteral("The device to record from");

}  // namespace

CMicrophoneBox::CMicrophoneBox(platform::audio::WaveAudioDevice* device, QWidget* parent)
    : QComboBox(parent), m_device(device)
{
    setAccessibleName(QStringLiteral("Microphone"));
    setToolTip(kToolTip);
    connect(this, &QComboBox::currentTextChanged, this, &CMicrophoneBox::showChoiceInTip);
    setFocusPolicy(Qt::StrongFocus);
    m_device->SetRecordingDevice(ChosenRecordingDevice());
    connect(this, &QComboBox::activated, this, &CMicrophoneBox::onActivated);
}

void CMicrophoneBox::fill()
{
    m_filled = true;
    {
        const QSignalBlocker blocker(this);
        addDevices();
    }
    showChoiceInTip();
}

void CMicrophoneBox::addDevices()
{
    QString reason;
    const QList<RecordingDevice> devices = platform::audio::RecordingDevices(&reason);
    const QByteArray chosen = m_device->recordingDevice();
    clear();
    if (devices.isEmpty()) {
        // No data: choosing it changes nothing, and Record says why it cannot.
        addItem(QStringLiteral("No recording device"));
        return;
    }
    // The default is kept as no name, so that it follows the system's default.
    addItem(QStringLiteral("Default (%1)").arg(devices.first().description), QByteArray());
    for (qsizetype i = 1; i < devices.size(); ++i)
        addItem(devices[i].description, devices[i].id);
    const int index = chosen.isEmpty() ? -1 : findData(chosen);
    setCurrentIndex(qMax(0, index));
    // The whole names in the open list, however narrow the box.
    view()->setMinimumWidth(view()->sizeHintForColumn(0));
}

// The bar shows the start of the name only.
void CMicrophoneBox::showChoiceInTip()
{
    setToolTip(currentText().isEmpty() ? kToolTip : kToolTip + QStringLiteral(": ") + currentText());
}

QSize CMicrophoneBox::sizeHint() const
{
    return minimumSizeHint();
}

// Qt's own least length would also keep room for an icon, which no choice has,
// and measures a character as an "X": too wide for the narrow bar.
QSize CMicrophoneBox::minimumSizeHint() const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QSize text(fontMetrics().averageCharWidth() * kShownCharacters, fontMetrics().height());
    return style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, this);
}

void CMicrophoneBox::showPopup()
{
    fill();
    QComboBox::showPopup();
}

void CMicrophoneBox::showEvent(QShowEvent* event)
{
    QComboBox::showEvent(event);
    if (!m_filled)
        QTimer::singleShot(0, this, [this] {
            if (!m_filled)
                fill();
        });
}

void CMicrophoneBox::focusInEvent(QFocusEvent* event)
{
    if (!m_filled)
        fill();
    QComboBox::focusInEvent(event);
}

void CMicrophoneBox::onActivated(int index)
{
    const QVariant id = itemData(index);
    if (!id.isValid())
        return;
    m_device->SetRecordingDevice(id.toByteArray());
    SetChosenRecordingDevice(id.toByteArray());
}

}  // namespace practice::sound
