#pragma once

#include "platform/framework/frame.h"

#include <memory>

class QLabel;
class QStatusBar;
class CHistoryCommands;
class CReviewCommands;
class CVoiceCommands;

// The practice program's main window: menu, toolbar, status bar with the
// key indicators, accelerator keys and the help commands, around the
// testing view. 570 by 470 pixels, with a sizing border but no minimize or
// maximize box.
class CMainFrame : public platform::framework::CFrameWnd {
    Q_OBJECT
public:
    CMainFrame();
    ~CMainFrame() override;

    QLabel* Indicator(unsigned id) const;

    // The command groups follow the testing view's tests; once the view exists.
    void ConnectTestView();

protected:
    void OnHelpFinder() override;
    void OnHelpModeChanged(bool entered) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A test running when the window closes is kept as stopped.
    void closeEvent(QCloseEvent* event) override;

private:
    void PreCreateWindow();
    bool OnCreate();
    void createStatusBar();
    void refreshIndicators();
    // Shows the lock keys as the keyboard has them; false where that cannot be read.
    bool readLockKeys();

    QStatusBar* m_wndStatusBar = nullptr;
    QLabel* m_messagePane = nullptr;
    QList<QLabel*> m_indicators;
    bool m_bCapsLock = false;
    bool m_bNumLock = false;
    bool m_bScrollLock = false;
    std::unique_ptr<CVoiceCommands> m_voiceCommands;
    std::unique_ptr<CReviewCommands> m_reviewCommands;
    std::unique_ptr<CHistoryCommands> m_historyCommands;
    bool m_testViewConnected = false;
};
