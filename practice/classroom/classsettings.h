#pragma once

#include "practice/history/classstore.h"

// The class this computer has joined, kept in the practice program's profile
// (section "Class"): where the class is and what the class said of the
// member when they joined. Never a password: that is asked for and kept in
// memory for one run only.
namespace practice::classroom {

struct JoinedClass {
    history::ClassConnection where;
    history::ClassMember me;
    // Joined once the class has said who the member is.
    bool IsJoined() const { return where.IsSet() && !me.name.isEmpty(); }
    // Results wait in the outbox for the class only from a learner.
    QString OutboxKey() const { return IsJoined() && !me.teacher ? where.Key() : QString(); }
};

JoinedClass ReadJoinedClass();
// False when the profile could not be written.
bool SaveJoinedClass(const JoinedClass& joined);
bool LeaveClass();

}  // namespace practice::classroom
