#include "platform/audio/module/defaultdevices.h"

#include <QElapsedTimer>
#include <QMediaDevices>

#include <functional>

#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>

namespace platform::audio {

namespace {

// A server that answers later than this is taken not to answer; Qt then
// chooses, as it would without us.
constexpr qint64 kAnswerWithinMs = 500;

// One question to the server and its answer, filled in by the callback.
template <typename Answer>
struct Query {
    std::optional<Answer> answer;
    bool done = false;
};

void onServerInfo(pa_context*, const pa_server_info* info, void* userdata)
{
    auto* query = static_cast<Query<ServerDefaults>*>(userdata);
    if (info)
        query->answer = ServerDefaults{QByteArray(info->default_sink_name ? info->default_sink_name : ""),
                                       QByteArray(info->default_source_name ? info->default_source_name : "")};
    query->done = true;
}

// Called once for each device and once more at the end (eol 1), or with eol
// negative when there is no such device.
template <typename Info>
void onDeviceInfo(pa_context*, const Info* info, int eol, void* userdata)
{
    auto* query = static_cast<Query<bool>*>(userdata);
    if (info)
        query->answer = true;
    if (eol < 0)
        query->answer = false;
    if (eol != 0)
        query->done = true;
}

// What the sound server says of its sources: its default, and which of them
// are monitors. Two questions on one connection, answered in turn.
struct SourceList {
    QByteArray defaultSource;
    QList<QByteArray> monitors;
    int unanswered = 2;
};

void answered(Query<SourceList>* query)
{
    if (--query->answer->unanswered == 0)
        query->done = true;
}

void onSourcesServerInfo(pa_context*, const pa_server_info* info, void* userdata)
{
    auto* query = static_cast<Query<SourceList>*>(userdata);
    if (info && info->default_source_name)
        query->answer->defaultSource = QByteArray(info->default_source_name);
    answered(query);
}

void onSourceInfo(pa_context*, const pa_source_info* info, int eol, void* userdata)
{
    auto* query = static_cast<Query<SourceList>*>(userdata);
    if (info && info->monitor_of_sink != PA_INVALID_INDEX)
        query->answer->monitors.append(QByteArray(info->name));
    if (eol != 0)
        answered(query);
}

// Connects, asks through `ask` once the connection stands, and runs the loop
// until the answer comes, the connection fails, or time is up.
template <typename Answer>
std::optional<Answer> askServer(const std::function<pa_operation*(pa_context*, Query<Answer>*)>& ask)
{
    pa_mainloop* loop = pa_mainloop_new();
    if (!loop)
        return std::nullopt;
    Query<Answer> query;
    pa_context* context = pa_context_new(pa_mainloop_get_api(loop), "Wordwell");
    // Never start a server of its own: without one, Qt decides.
    if (context && pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0) {
        QElapsedTimer clock;
        clock.start();
        bool asked = false;
        while (!query.done) {
            const pa_context_state_t state = pa_context_get_state(context);
            if (!PA_CONTEXT_IS_GOOD(state))
                break;
            if (state == PA_CONTEXT_READY && !asked) {
                pa_operation* operation = ask(context, &query);
                if (!operation)
                    break;
                pa_operation_unref(operation);
                asked = true;
            }
            const qint64 left = kAnswerWithinMs - clock.elapsed();
            if (left <= 0 || pa_mainloop_prepare(loop, int(left * 1000)) < 0 || pa_mainloop_poll(loop) < 0
                || pa_mainloop_dispatch(loop) < 0)
                break;
        }
    }
    if (context) {
        pa_context_disconnect(context);
        pa_context_unref(context);
    }
    pa_mainloop_free(loop);
    return query.done ? query.answer : std::nullopt;
}

QAudioDevice named(const QList<QAudioDevice>& devices, const QByteArray& name)
{
    if (!name.isEmpty()) {
        for (const QAudioDevice& device : devices) {
            if (device.id() == name)
                return device;
        }
    }
    return {};
}

}  // namespace

std::optional<ServerDefaults> AskServerDefaults()
{
    return askServer<ServerDefaults>([](pa_context* context, Query<ServerDefaults>* query) {
        return pa_context_get_server_info(context, onServerInfo, query);
    });
}

std::optional<bool> ServerHasDevice(const QAudioDevice& device)
{
    const QByteArray name = device.id();
    if (device.mode() == QAudioDevice::Input) {
        return askServer<bool>([&name](pa_context* context, Query<bool>* query) {
            return pa_context_get_source_info_by_name(context, name.constData(), onDeviceInfo<pa_source_info>, query);
        });
    }
    return askServer<bool>([&name](pa_context* context, Query<bool>* query) {
        return pa_context_get_sink_info_by_name(context, name.constData(), onDeviceInfo<pa_sink_info>, query);
    });
}

QAudioDevice DefaultOutput()
{
    const std::optional<ServerDefaults> defaults = AskServerDefaults();
    const QAudioDevice device = defaults ? named(QMediaDevices::audioOutputs(), defaults->sink) : QAudioDevice();
    return device.isNull() ? QMediaDevices::defaultAudioOutput() : device;
}

QAudioDevice DefaultInput()
{
    const std::optional<ServerDefaults> defaults = AskServerDefaults();
    const QAudioDevice device = defaults ? named(QMediaDevices::audioInputs(), defaults->source) : QAudioDevice();
    return device.isNull() ? QMediaDevices::defaultAudioInput() : device;
}

QAudioDevice InputOrDefault(const QByteArray& id)
{
    const QAudioDevice device = named(QMediaDevices::audioInputs(), id);
    return device.isNull() ? DefaultInput() : device;
}

QList<QAudioDevice> RecordingInputs()
{
    const std::optional<SourceList> sources = askServer<SourceList>([](pa_context* context, Query<SourceList>* query) {
        query->answer = SourceList();
        pa_operation* info = pa_context_get_server_info(context, onSourcesServerInfo, query);
        if (!info)
            return info;
        pa_operation_unref(info);
        return pa_context_get_source_info_list(context, onSourceInfo, query);
    });
    const QList<QAudioDevice> all = QMediaDevices::audioInputs();
    // Without the server's word, Qt's default, and monitors told by the name the server gives them.
    QAudioDevice first = sources ? named(all, sources->defaultSource) : QAudioDevice();
    if (first.isNull())
        first = QMediaDevices::defaultAudioInput();
    const auto isMonitor = [&sources](const QAudioDevice& device) {
        return sources ? sources->monitors.contains(device.id()) : device.id().endsWith(".monitor");
    };
    QList<QAudioDevice> inputs;
    if (!first.isNull() && !isMonitor(first))
        inputs.append(first);
    for (const QAudioDevice& device : all) {
        if (device.id() != first.id() && !isMonitor(device))
            inputs.append(device);
    }
    return inputs;
}

}  // namespace platform::audio
