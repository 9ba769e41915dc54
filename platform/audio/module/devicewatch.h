#pragma once

#include <QAudioDevice>
#include <QObject>

#include <atomic>
#include <functional>

struct pa_context;
struct pa_threaded_mainloop;

namespace platform::audio {

// Tells when the device a stream plays to or records from leaves the system
// (unplugged, its driver unloaded). The sound server would quietly move the
// stream to another device, so that a word would go on being recorded from
// some other microphone, or played into other speakers, without the user
// knowing: the stream is to end instead. Qt does not tell: it neither fails
// the stream nor, on every version, reports the change of its device lists.
// So the watch listens to the server's own events, on a thread of the sound
// library's, while a device is watched, and `removed` is called from the
// event loop.
class DeviceWatch : public QObject {
    Q_OBJECT

public:
    explicit DeviceWatch(std::function<void()> removed, QObject* parent = nullptr);
    ~DeviceWatch() override;

    // Watches `device` from now on; a null device stops watching.
    void watch(const QAudioDevice& device);
    // Looks whether the device watched is still there; the server's events
    // call it, from the event loop.
    void check();
    // Called on the sound library's thread when the server removes a device.
    void removalHeard();
    // A device was removed and the check has yet to say which: what a stream
    // delivers from now on may come from the device the server moved it to.
    bool removalPending() const { return m_removalPending; }

private:
    void listen();
    void stopListening();

    std::function<void()> m_removed;
    QAudioDevice m_device;
    pa_threaded_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
    std::atomic<bool> m_removalPending = false;
};

}  // namespace platform::audio
