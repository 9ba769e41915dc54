#include "testsupport/messageboxes.h"

using namespace platform::framework;

MessageBoxRecorder::MessageBoxRecorder()
{
    m_previous = SetMessageBoxHandler([this](const MessageBoxRequest& request) {
        m_requests.append(request);
        return m_answers.isEmpty() ? IDOK : m_answers.takeFirst();
    });
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    SetMessageBoxHandler(std::move(m_previous));
}

QStringList MessageBoxRecorder::texts() const
{
    QStringList out;
    for (const MessageBoxRequest& r : m_requests)
        out << r.text;
    return out;
}
