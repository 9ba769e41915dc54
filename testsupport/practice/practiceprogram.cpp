#include "testsupport/practice/practiceprogram.h"

#include "practice/ui/practiceapp.h"

#include <QTest>

bool StartWordwell(std::unique_ptr<CPracticeApp>& app, const QStringList& arguments)
{
    app = std::make_unique<CPracticeApp>(arguments);
    app->SetHelpFilePath(kHelpFile);
    if (!app->InitInstance())
        return false;
    if (!QTest::qWaitForWindowActive(app->GetMainWnd()))
        qWarning("the main frame did not become active");
    return true;
}
