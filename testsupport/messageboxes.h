#pragma once

#include "platform/framework/messagebox.h"

#include <QList>
#include <QStringList>

// Answers every message box without a window while it lives, recording each
// request; answers are taken from the queue, then the default (OK).
class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    void queueAnswer(int answer) { m_answers.append(answer); }
    const QList<platform::framework::MessageBoxRequest>& requests() const { return m_requests; }
    QStringList texts() const;
    void clear() { m_requests.clear(); }

private:
    QList<platform::framework::MessageBoxRequest> m_requests;
    QList<int> m_answers;
    platform::framework::MessageBoxHandler m_previous;
};
