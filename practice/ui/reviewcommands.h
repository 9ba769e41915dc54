#pragma once

class QLabel;
class QMenu;
class CWordwellView;

namespace platform::framework {
class CFrameWnd;
}

// The Tools commands over finished tests and learners, below the voice's.
namespace practice {

enum : unsigned {
    ID_TOOLS_REVIEWTEST = 32850,
    ID_TOOLS_PRACTISEMISSED = 32851,
    ID_TOOLS_LEARNER = 32852,
    ID_TOOLS_HISTORY = 32853,
};

}  // namespace practice

// Review the last test, practise its missed words, and say who the learner
// is; the learner's name is in the status bar while a test runs.
class CReviewCommands {
public:
    CReviewCommands(platform::framework::CFrameWnd& frame, QMenu* tools);

    // Follows the testing view's tests for the learner's pane; once the view exists.
    void ConnectTestView(CWordwellView* view);

private:
    void OnReviewTest();
    void OnPractiseMissed();
    CWordwellView* testView() const;

    platform::framework::CFrameWnd& m_frame;
    QLabel* m_learnerPane = nullptr;
};
