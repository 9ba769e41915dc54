#pragma once

#include "platform/framework/frame.h"

class QLabel;
class QMenu;
class QStatusBar;
class QToolBar;

// The practice program's main window: menu, toolbar, status bar with the
// key indicators, accelerator keys and the help commands, around the
// testing view. 570 by 470 pixels, with a sizing border but no minimize or
// maximize box.
class CMainFrame : public platform::framework::CFrameWnd {
    Q_OBJECT
public:
    CMainFrame();

    QToolBar* ToolBar() const { return m_wndToolBar; }
    QStatusBar* StatusBar() const { return m_wndStatusBar; }
    QMenu* Menu(const QString& title) const;
    // The message pane's text: the idle blank, a prompt, or the help-mode text.
    QString MessageText() const;
    QLabel* Indicator(unsigned id) const;

    static constexpr int kWidth = 570;
    static constexpr int kHeight = 470;

protected:
    void OnHelpFinder() override;
    void OnHelpModeChanged(bool entered) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

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

    QStatusBar* m_wndStatusBar = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    QLabel* m_messagePane = nullptr;
    QList<QLabel*> m_indicators;
    bool m_bCapsLock = false;
    bool m_bNumLock = false;
    bool m_bScrollLock = false;
};
