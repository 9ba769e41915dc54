#include "oddfiles.h"

#include <QFile>
#include <QTest>

#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

void MakePipeForTest(const QString& path)
{
    QVERIFY2(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0, qPrintable(path));
}

void MakeSparseFileForTest(const QString& path, qint64 bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    QVERIFY2(::ftruncate(file.handle(), bytes) == 0, qPrintable(path));
}

PipeWatchdog::PipeWatchdog(const QString& pipe, int seconds)
    : m_thread([this, name = QFile::encodeName(pipe), seconds] {
          std::unique_lock lock(m_mutex);
          if (m_done.wait_for(lock, std::chrono::seconds(seconds), [this] { return m_stopping; }))
              return;
          // Succeeds only while a reader has the pipe open or is waiting for it.
          const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
          if (fd >= 0) {
              m_fired = true;
              ::close(fd);
          }
      })
{
}

PipeWatchdog::~PipeWatchdog()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_done.notify_one();
    m_thread.join();
}
