#include "practice/voice/warmspeech.h"

#include "practice/voice/speechrun.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

namespace practice::voice {

CWarmSpeech::CWarmSpeech(QObject* parent) : QObject(parent) {}

CWarmSpeech::~CWarmSpeech()
{
    discard();
}

std::unique_ptr<QProcess> CWarmSpeech::Take(const QString& program, const QStringList& arguments)
{
    if (!m_waiting)
        return nullptr;
    // One still starting is handed over as well: the word waits in its input.
    if (m_program != program || m_arguments != arguments || m_waiting->state() == QProcess::NotRunning) {
        discard();
        return nullptr;
    }
    m_waiting->disconnect(this);
    return std::move(m_waiting);
}

void CWarmSpeech::PrepareLater(const QString& program, const QStringList& arguments)
{
    m_program = program;
    m_arguments = arguments;
    if (m_preparing)
        return;
    m_preparing = true;
    QTimer::singleShot(0, this, [this] {
        m_preparing = false;
        prepare();
    });
}

qint64 CWarmSpeech::WaitingProcessId() const
{
    return m_waiting ? m_waiting->processId() : 0;
}

void CWarmSpeech::prepare()
{
    discard();
    auto process = std::make_unique<QProcess>();
    process->start(m_program, m_arguments);
    // A program that could not be started is no better than none: the next
    // word starts its own and reports why.
    if (process->state() == QProcess::NotRunning)
        return;
    m_waiting = std::move(process);
    connect(m_waiting.get(), &QProcess::readyReadStandardOutput, this, &CWarmSpeech::checkOutput);
    connect(m_waiting.get(), &QProcess::readyReadStandardError, this, &CWarmSpeech::checkOutput);
}

// What it writes before its word is kept for the word, but no more than the
// longest word's sound: a runaway program is ended before it fills the memory.
void CWarmSpeech::checkOutput()
{
    const qint64 limit = MaxSpeechBytes({QString(kMaxSpokenLength, u'x')});
    const qint64 output = m_waiting->bytesAvailable();
    m_waiting->setReadChannel(QProcess::StandardError);
    const qint64 errors = m_waiting->bytesAvailable();
    m_waiting->setReadChannel(QProcess::StandardOutput);
    if (output > limit || errors > kMaxSpeechMessageBytes)
        discard();
}

// Ended, and waited for from the event loop, so that nothing is left behind,
// not even a zombie.
void CWarmSpeech::discard()
{
    EndProgram(std::move(m_waiting));
}

CWarmSpeech* WarmSpeech()
{
    static QPointer<CWarmSpeech> warm;
    if (!warm && QCoreApplication::instance())
        warm = new CWarmSpeech(QCoreApplication::instance());
    return warm;
}

}  // namespace practice::voice
