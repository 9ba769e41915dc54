#pragma once

#include <QString>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

// Files that are not lists, made for a test in its own folder.
//
// A named pipe (FIFO); fails the test when it cannot be made.
void MakePipeForTest(const QString& path);
// A file of `bytes` that holds nothing on disk (a hole): large files cost no space.
void MakeSparseFileForTest(const QString& path, qint64 bytes);

// Opens the pipe for writing, and closes it again, if it is still alive after
// `seconds`: a reader blocked on the pipe then gets on, so a fault that waits
// for a writer fails the test rather than hanging it.
class PipeWatchdog {
public:
    PipeWatchdog(const QString& pipe, int seconds);
    ~PipeWatchdog();
    PipeWatchdog(const PipeWatchdog&) = delete;
    PipeWatchdog& operator=(const PipeWatchdog&) = delete;

    // True when the reader had to be let go.
    bool fired() const { return m_fired; }

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_stopping = false;
    std::atomic<bool> m_fired{false};
    std::thread m_thread;
};
