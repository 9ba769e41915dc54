#pragma once

#include "practice/classroom/classsettings.h"

#include <QObject>
#include <QString>

#include <memory>

class QLabel;
class QMenu;

namespace platform::framework {
class CFrameWnd;
}

namespace practice {

enum : unsigned {
    // After the sharing and printing commands on the File menu.
    ID_FILE_PUBLISH_CLASS = 32845,
    ID_FILE_OPEN_CLASS = 32846,
    // After the Tools menu's other commands.
    ID_TOOLS_CLASS = 33010,
};

}  // namespace practice

namespace practice::classroom {

class CClassSender;

// The class's commands: joining it (Tools > Class...), publishing the open
// list to it and opening one of its lists (File), and, while joined as a
// learner, sending each kept result to it, with the results still waiting in
// the status bar. Nothing of it connects, or loads the history module, until
// a class is joined.
class CClassCommands : public QObject {
    Q_OBJECT
public:
    CClassCommands(platform::framework::CFrameWnd& frame, QMenu* file, QMenu* tools);
    ~CClassCommands() override;

    const JoinedClass& Joined() const { return m_joined; }
    // A result was kept (and queued for the class): it goes now.
    void ResultKept();

    QLabel* WaitingPane() const { return m_waitingPane; }
    // Shows what the sender said after a round.
    void ShowWaiting(int count, const QString& problem);

private:
    void OnClass();
    void OnPublish();
    void OnOpenClassList();
    void sendNow();
    void onWaiting(int count, const QString& problem, bool needsPassword);
    void fetchList(qint64 id, const QString& title);

    platform::framework::CFrameWnd& m_frame;
    JoinedClass m_joined;
    // Made when the first result is to go: start-up loads no database code.
    std::unique_ptr<CClassSender> m_sender;
    QLabel* m_waitingPane = nullptr;
    bool m_askedForSender = false;
};

}  // namespace practice::classroom
