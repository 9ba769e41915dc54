#pragma once

#include "practice/settings/wordwellapp.h"
#include "testsupport/isolatedhome.h"

#include <QStringList>

#include <memory>

class CWordwellDoc;
class CWordwellView;
class QLineEdit;
namespace platform::framework {
class CFrameWnd;
class CWinApp;
}

const QString kHelpFile = QStringLiteral(WW_SOURCE_DIR "/help/Wordwell.hlp");

CWordwellView* ViewOf(const platform::framework::CWinApp& app);
CWordwellDoc* DocOf(const platform::framework::CWinApp& app);

// A practice program without its main menu: the application object with its
// words path under the test's home, the document template with a plain frame
// and the testing view, and the sample clips copied in under chosen words.
class ViewFixture {
public:
    ViewFixture();
    ~ViewFixture();

    QString wordsPath() const { return m_home.dataHome() + QStringLiteral("/Wordwell"); }
    QString clipPath(const QString& word) const { return wordsPath() + QStringLiteral("/words/") + word + QStringLiteral(".wav"); }
    // Records `word` by copying a sample clip to its clip path.
    void giveClip(const QString& word) const;
    // Writes a list file and opens it through the framework.
    void openList(const QStringList& words);

    CWordwellView* view() const;
    CWordwellDoc* doc() const;
    platform::framework::CFrameWnd* frame() const;
    QString text(int id) const;
    QLineEdit* answer() const;
    int focusId() const;
    bool commandEnabled(unsigned id) const;

    IsolatedHome m_home;
    std::unique_ptr<CWordwellApp> m_app;
};
