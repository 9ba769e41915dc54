#pragma once

#include "platform/framework/frame.h"

#include <memory>

class QLabel;
class QMenu;
class QStatusBar;
class QToolBar;
class CResultKeeper;
class CWordwellView;

// The practice program's main window: menu, toolbar, status bar with the
// key indicators, accelerator keys and the help commands, around the
// testing view. 570 by 470 pixels, with a sizing border but no minimize or
// maximize box.
class CMainFrame : public platform::framework::CFrameWnd {
    Q_OBJECT
public:
    CMainFrame();
    ~CMainFrame() override;

    QToolBar* ToolBar() const { return m_wndToolBar; }
    QStatusBar* StatusBar() const { return m_wndStatusBar; }
    QMenu* Menu(const QString& title) const;
    // The message pane's text: the idle blank, a prompt, or the help-mode text.
    QString MessageText() const;
    QLabel* Indicator(unsigned id) const;

    // Follows the testing view's tests for the learner's pane; once the view exists.
    void ConnectTestView();
    QLabel* LearnerPane() const { return m_learnerPane; }
    void OnReviewTest();
    void OnPractiseMissed();
    void OnHistory();

    static constexpr int kWidth = 570;
    static constexpr int kHeight = 470;

protected:
    void OnHelpFinder() override;
    void OnHelpModeChanged(bool entered) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A test running when the window closes is kept as stopped.
    void closeEvent(QCloseEvent* event) override;

private:
    void PreCreateWindow();
    bool OnCreate();
    void createMenus();
    // The computer voice's Tools commands (voicecommands.cpp), after the original's.
    void appendVoiceCommands(QMenu* tools);
    void OnMakeMissingClips();
    void OnSpeakUnrecordedWords();
    void OnVoice();
    void createToolBar();
    void createStatusBar();
    void createAccelerators();
    void refreshIndicators();
    // Shows the lock keys as the keyboard has them; false where that cannot be read.
    bool readLockKeys();
    // The review, practice and learner commands, after the original's Tools items.
    void appendReviewCommands();
    // Saves the test just ended, or says why it is kept in memory for now.
    void keepResult();
    // Says why results are not saved: held for later, or lost as the window closes.
    void reportUnsaved(const QString& error);
    CWordwellView* testView() const;

    QStatusBar* m_wndStatusBar = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    QLabel* m_messagePane = nullptr;
    QList<QLabel*> m_indicators;
    bool m_bCapsLock = false;
    bool m_bNumLock = false;
    bool m_bScrollLock = false;
    QLabel* m_learnerPane = nullptr;
    // Made when the first test ends: the history's database is not opened before.
    std::unique_ptr<CResultKeeper> m_results;
    bool m_testViewConnected = false;
    bool m_closing = false;
};
