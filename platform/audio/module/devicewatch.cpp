#include "platform/audio/module/devicewatch.h"

#include "platform/audio/module/defaultdevices.h"

#include <QMetaObject>

#include <pulse/context.h>
#include <pulse/subscribe.h>
#include <pulse/thread-mainloop.h>

#include <utility>

namespace platform::audio {

namespace {

void checkLater(void* userdata)
{
    auto* watch = static_cast<DeviceWatch*>(userdata);
    QMetaObject::invokeMethod(watch, [watch] { watch->check(); }, Qt::QueuedConnection);
}

// These run on the sound library's thread.

// A device may have gone before the watch listened.
void onSubscribed(pa_context*, int, void* userdata)
{
    checkLater(userdata);
}

void onEvent(pa_context*, pa_subscription_event_type_t type, uint32_t, void* userdata)
{
    if ((type & PA_SUBSCRIPTION_EVENT_TYPE_MASK) == PA_SUBSCRIPTION_EVENT_REMOVE)
        static_cast<DeviceWatch*>(userdata)->removalHeard();
}

void onContextState(pa_context* context, void* userdata)
{
    if (pa_context_get_state(context) != PA_CONTEXT_READY)
        return;
    const auto mask = pa_subscription_mask_t(PA_SUBSCRIPTION_MASK_SINK | PA_SUBSCRIPTION_MASK_SOURCE);
    if (pa_operation* operation = pa_context_subscribe(context, mask, onSubscribed, userdata))
        pa_operation_unref(operation);
}

}  // namespace

DeviceWatch::DeviceWatch(std::function<void()> removed, QObject* parent)
    : QObject(parent), m_removed(std::move(removed))
{
}

DeviceWatch::~DeviceWatch()
{
    stopListening();
}

void DeviceWatch::watch(const QAudioDevice& device)
{
    m_device = device;
    m_removalPending = false;
    if (m_device.isNull())
        stopListening();
    else if (!m_loop)
        listen();
}

// Without a server to listen to, nothing is watched: the stream then fails
// by itself.
void DeviceWatch::listen()
{
    m_loop = pa_threaded_mainloop_new();
    if (!m_loop)
        return;
    m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), "Wordwell");
    if (!m_context) {
        stopListening();
        return;
    }
    pa_context_set_state_callback(m_context, onContextState, this);
    pa_context_set_subscribe_callback(m_context, onEvent, this);
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0
        || pa_threaded_mainloop_start(m_loop) < 0)
        stopListening();
}

void DeviceWatch::stopListening()
{
    if (!m_loop)
        return;
    // No callback runs once the loop's thread has ended.
    pa_threaded_mainloop_stop(m_loop);
    if (m_context) {
        pa_context_disconnect(m_context);
        pa_context_unref(m_context);
        m_context = nullptr;
    }
    pa_threaded_mainloop_free(m_loop);
    m_loop = nullptr;
}

// Heard here, on the library's thread, the moment the server tells: the event
// loop may be busy for a while yet, and the stream goes on delivering meanwhile.
void DeviceWatch::removalHeard()
{
    m_removalPending = true;
    checkLater(this);
}

void DeviceWatch::check()
{
    m_removalPending = false;
    if (m_device.isNull() || ServerHasDevice(m_device).value_or(true))
        return;
    watch(QAudioDevice());
    m_removed();
}

}  // namespace platform::audio
