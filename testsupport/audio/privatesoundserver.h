#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

namespace audiotesting {

// A sound server of one suite's own, for devices no other suite may see or
// defaults the suite changes. It lives in a runtime folder of its own; from
// start() on, this process's sound system and the pactl it runs use it.
// Start it before anything of the sound system is loaded: Qt asks for the
// server once.
class PrivateSoundServer {
public:
    PrivateSoundServer();
    ~PrivateSoundServer();

    // Starts the server with the modules given ("module-null-sink sink_name=a").
    bool start(const QStringList& modules, QString* why);
    QString runtimePath() const { return m_runtime.path(); }
    // pactl's output for `args`; nothing when it fails.
    std::optional<QString> pactl(const QStringList& args) const;
    // The server's index of the sink or source named, or -1.
    int indexOf(const QString& kind, const QString& name) const;
    // Whether the one playing stream (with `playing` false, the one recording
    // stream) goes to the sink (source) `name` within a few seconds.
    bool streamOn(const QString& name, bool playing = true) const;

private:
    QTemporaryDir m_runtime;
    QProcess m_server;
};

}  // namespace audiotesting
