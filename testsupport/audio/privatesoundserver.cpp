#include "privatesoundserver.h"

#include <QFile>
#include <QTest>

namespace audiotesting {

PrivateSoundServer::PrivateSoundServer()
{
    m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

PrivateSoundServer::~PrivateSoundServer()
{
    if (m_server.state() != QProcess::NotRunning) {
        m_server.terminate();
        m_server.waitForFinished();
    }
}

bool PrivateSoundServer::start(const QStringList& modules, QString* why)
{
    if (!m_runtime.isValid()) {
        *why = m_runtime.errorString();
        return false;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", m_runtime.path());
    env.insert("HOME", m_runtime.path());
    env.remove("PULSE_SERVER");
    m_server.setProcessEnvironment(env);
    // It ends by itself once no one uses it, should the suite be killed.
    QStringList args{"-n", "--daemonize=no", "--exit-idle-time=10", "--log-target=stderr", "--log-level=error",
                     "--load=module-native-protocol-unix"};
    for (const QString& module : modules)
        args << "--load=" + module;
    m_server.start("pulseaudio", args);
    if (!m_server.waitForStarted()) {
        *why = "pulseaudio: " + m_server.errorString();
        return false;
    }
    const QString socket = m_runtime.path() + "/pulse/native";
    qputenv("PULSE_SERVER", "unix:" + QFile::encodeName(socket));
    if (!QTest::qWaitFor([&] { return pactl({"info"}).value_or(QString()).contains(socket); }, 10000)) {
        *why = "the sound server did not answer on " + socket;
        return false;
    }
    return true;
}

std::optional<QString> PrivateSoundServer::pactl(const QStringList& args) const
{
    QProcess process;
    process.start("pactl", args);
    if (!process.waitForFinished() || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

int PrivateSoundServer::indexOf(const QString& kind, const QString& name) const
{
    // "<index>\t<name>\t<driver>..." a line each.
    for (const QString& line : pactl({"list", "short", kind}).value_or(QString()).split('\n')) {
        const QStringList fields = line.split('\t');
        if (fields.size() > 1 && fields[1] == name)
            return fields[0].toInt();
    }
    return -1;
}

bool PrivateSoundServer::streamOn(const QString& name, bool playing) const
{
    const int index = indexOf(playing ? "sinks" : "sources", name);
    // "<stream>\t<device>\t<client>..."
    return index >= 0 && QTest::qWaitFor([&] {
               return pactl({"list", "short", playing ? "sink-inputs" : "source-outputs"})
                          .value_or(QString())
                          .section('\t', 1, 1)
                          .toInt()
                      == index;
           }, 5000);
}

}  // namespace audiotesting
