#include "practice/classroom/classtexts.h"

namespace practice::classroom {

QString WaitingText(int count)
{
    if (count <= 0)
        return QString();
    if (count == 1)
        return QStringLiteral("1 result waiting to be sent to the class");
    return QStringLiteral("%1 results waiting to be sent to the class").arg(count);
}

QString MemberText(const history::ClassMember& me, const history::ClassConnection& where)
{
    // A class joined before the server named it goes by what was typed.
    const QString className = !me.className.isEmpty() ? me.className
                              : where.database.isEmpty() ? where.service
                                                         : where.database;
    return QStringLiteral("You are %1 in the class %2, as a %3.")
        .arg(me.name, className, me.teacher ? QStringLiteral("teacher") : QStringLiteral("learner"));
}

QString ListText(const history::ClassList& list)
{
    const QString published = list.published.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    if (!list.due.isValid())
        return QStringLiteral("%1 (published %2)").arg(list.title, published);
    return QStringLiteral("%1 (due %2, published %3)").arg(list.title, list.due.toString(Qt::ISODate), published);
}

}  // namespace practice::classroom
