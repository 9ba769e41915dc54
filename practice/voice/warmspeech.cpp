#include "practice/voice/warmspeech.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

namespace practice::voice {

namespace {

// Starting or ending a waiting program takes a moment; no longer than this.
constexpr int kEndWaitMs = 2000;

}  // namespace

CWarmSpeech::CWarmSpeech(QObject* parent) : QObject(parent) {}

CWarmSpeech::~CWarmSpeech()
{
    discard();
}

std::unique_ptr<QProcess> CWarmSpeech::Take(const QString& program, const QStringList& arguments)
{
    if (!m_waiting)
        return nullptr;
    // Started, but the event loop has not yet seen it start.
    if (m_waiting->state() == QProcess::Starting)
        m_waiting->waitForStarted(kEndWaitMs);
    if (m_program != program || m_arguments != arguments || m_waiting->state() != QProcess::Running) {
        discard();
        return nullptr;
    }
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
    if (process->state() != QProcess::NotRunning)
        m_waiting = std::move(process);
}

// Ended and waited for, so that nothing is left behind, not even a zombie.
void CWarmSpeech::discard()
{
    if (!m_waiting)
        return;
    m_waiting->kill();
    m_waiting->waitForFinished(kEndWaitMs);
    m_waiting.reset();
}

CWarmSpeech* WarmSpeech()
{
    static QPointer<CWarmSpeech> warm;
    if (!warm && QCoreApplication::instance())
        warm = new CWarmSpeech(QCoreApplication::instance());
    return warm;
}

}  // namespace practice::voice
