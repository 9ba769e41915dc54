#pragma once

#include "practice/settings/wordwellapp.h"

#include <QStringList>

// The practice program's application object at work: start-up (settings,
// recent files, the document template, the command line, dropped files), the
// About command and the F1 filter.
class CPracticeApp : public CWordwellApp {
public:
    // `arguments` are the command line's arguments after the program's name.
    explicit CPracticeApp(QStringList arguments);

    bool InitInstance() override;
    // A plain F1 press becomes a help request for the focused control instead
    // of reaching the accelerator table; Shift+F1 and the rest pass.
    bool PreTranslateMessage(QObject* receiver, QEvent* event) override;

private:
    void OnAppAbout();

    QStringList m_arguments;
};
