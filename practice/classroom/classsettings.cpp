#include "practice/classroom/classsettings.h"

#include "platform/framework/winapp.h"
#include "practice/review/learner.h"

namespace practice::classroom {

namespace {

const QString kService = QStringLiteral("Service");
const QString kHost = QStringLiteral("Host");
const QString kPort = QStringLiteral("Port");
const QString kDatabase = QStringLiteral("Database");
const QString kUser = QStringLiteral("User");
const QString kRole = QStringLiteral("Role");
const QString kTeacher = QStringLiteral("Teacher");
const QString kClass = QStringLiteral("Class");

// The member's name is the learner's name while joined: its entry is the learner code's.
const QString kEntries[] = {kService, kHost, kPort, kDatabase, kUser, kRole, review::kClassNameEntry, kTeacher, kClass};

QString read(const QString& entry)
{
    const platform::framework::CWinApp* app = platform::framework::AfxGetApp();
    return app ? app->GetProfileString(review::kClassSection, entry) : QString();
}

}  // namespace

JoinedClass ReadJoinedClass()
{
    JoinedClass joined;
    // Without the name the class is not joined: start-up looks no further.
    joined.me.name = review::ClassLearnerName();
    if (joined.me.name.isEmpty())
        return joined;
    joined.where.service = read(kService);
    joined.where.host = read(kHost);
    joined.where.port = read(kPort).toInt();
    joined.where.database = read(kDatabase);
    joined.where.user = read(kUser);
    joined.me.role = read(kRole);
    joined.me.teacher = read(kTeacher) == QLatin1String("1");
    joined.me.className = read(kClass);
    return joined;
}

bool SaveJoinedClass(const JoinedClass& joined)
{
    platform::framework::CWinApp* app = platform::framework::AfxGetApp();
    if (!app)
        return false;
    const QString values[] = {joined.where.service,
                              joined.where.host,
                              joined.where.port > 0 ? QString::number(joined.where.port) : QString(),
                              joined.where.database,
                              joined.where.user,
                              joined.me.role,
                              joined.me.name,
                              joined.me.teacher ? QStringLiteral("1") : QStringLiteral("0"),
                              joined.me.className};
    bool ok = true;
    for (int i = 0; i < int(std::size(kEntries)); ++i)
        ok = app->WriteProfileString(review::kClassSection, kEntries[i], values[i]) && ok;
    return ok;
}

bool LeaveClass()
{
    platform::framework::CWinApp* app = platform::framework::AfxGetApp();
    if (!app)
        return false;
    // The name goes first: without it the class is no longer joined, whatever else stays.
    bool ok = app->DeleteProfileEntry(review::kClassSection, review::kClassNameEntry)
              || review::ClassLearnerName().isEmpty();
    for (const QString& entry : kEntries)
        app->DeleteProfileEntry(review::kClassSection, entry);
    return ok;
}

}  // namespace practice::classroom
