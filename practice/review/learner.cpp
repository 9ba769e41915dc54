#include "practice/review/learner.h"

#include "platform/framework/winapp.h"

#include <algorithm>

namespace practice::review {

namespace {
const QString kSection = QStringLiteral("Learner");
const QString kEntry = QStringLiteral("Name");
}  // namespace

bool CheckLearnerName(const QString& typed, QString* name, QString* problem)
{
    const QString trimmed = typed.trimmed();
    if (trimmed.isEmpty()) {
        *problem = QStringLiteral("Please type the learner's name.");
        return false;
    }
    const bool control = std::any_of(trimmed.cbegin(), trimmed.cend(), [](QChar c) {
        return c.category() == QChar::Other_Control || c.category() == QChar::Other_Format
               || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
    });
    if (control) {
        *problem = QStringLiteral("A learner's name cannot hold tabs, line breaks or other control characters.");
        return false;
    }
    if (trimmed.size() > kMaxLearnerName) {
        *problem = QStringLiteral("A learner's name can have at most %1 characters.").arg(kMaxLearnerName);
        return false;
    }
    *name = trimmed;
    return true;
}

QString ClassLearnerName()
{
    const platform::framework::CWinApp* app = platform::framework::AfxGetApp();
    QString name;
    QString problem;
    return app && CheckLearnerName(app->GetProfileString(kClassSection, kClassNameEntry), &name, &problem) ? name
                                                                                                          : QString();
}

QString CurrentLearner()
{
    if (const QString fromClass = ClassLearnerName(); !fromClass.isEmpty())
        return fromClass;
    const platform::framework::CWinApp* app = platform::framework::AfxGetApp();
    const QString stored = app ? app->GetProfileString(kSection, kEntry) : QString();
    QString name;
    QString problem;
    // A name edited into the profile by hand is held to the same rules.
    return CheckLearnerName(stored, &name, &problem) ? name : kDefaultLearner;
}

bool SetCurrentLearner(const QString& name)
{
    platform::framework::CWinApp* app = platform::framework::AfxGetApp();
    return app && app->WriteProfileString(kSection, kEntry, name);
}

}  // namespace practice::review
