#pragma once

#include <QString>

#include <memory>

class QMenu;
class CResultKeeper;
class CWordwellView;

namespace platform::framework {
class CFrameWnd;
}

namespace practice::classroom {
class CClassCommands;
}

// Each test that ends is kept in the history, and the History command shows it.
class CHistoryCommands {
public:
    CHistoryCommands(platform::framework::CFrameWnd& frame, QMenu* tools);
    ~CHistoryCommands();

    // While a class is joined, results are queued for it and the History window shows its page.
    void SetClass(practice::classroom::CClassCommands* classCommands) { m_class = classCommands; }
    // Keeps each test the view ends; once the view exists.
    void ConnectTestView(CWordwellView* view);
    // The window is closing: a test running is kept as stopped, and what is held is saved now or said to be lost.
    void OnFrameClosing();

private:
    void OnHistory();
    // Saves the test just ended, or says why it is kept in memory for now.
    void keepResult();
    // Says why results are not saved: held for later, or lost as the window closes.
    void reportUnsaved(const QString& error);
    CWordwellView* testView() const;

    platform::framework::CFrameWnd& m_frame;
    // Made when the first test ends: the history's database is not opened before.
    std::unique_ptr<CResultKeeper> m_results;
    practice::classroom::CClassCommands* m_class = nullptr;
    bool m_closing = false;
};
