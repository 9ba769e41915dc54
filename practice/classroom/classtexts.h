#pragma once

#include "practice/history/classstore.h"

#include <QString>

// What the program says of a class, kept apart from the windows that say it.
namespace practice::classroom {

// The status bar's pane: empty when nothing waits.
QString WaitingText(int count);
// Who the class knows the member as, after a connection was tested.
QString MemberText(const history::ClassMember& me, const history::ClassConnection& where);
// What the lists window shows of a list.
QString ListText(const history::ClassList& list);

}  // namespace practice::classroom
