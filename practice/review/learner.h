#pragma once

#include <QString>

// The learner whose tests are taken: a name remembered in the program's
// profile, "Learner" until one is given; while a class is joined, the name the
// class knows the learner by.
namespace practice::review {

inline const QString kDefaultLearner = QStringLiteral("Learner");
inline constexpr int kMaxLearnerName = 40;

// The name as it will be kept (blanks at the ends trimmed), or false with the
// reason to tell the user: empty, too long, or holding control characters.
bool CheckLearnerName(const QString& typed, QString* name, QString* problem);

// Where the class's name for the member is kept while a class is joined.
inline const QString kClassSection = QStringLiteral("Class");
inline const QString kClassNameEntry = QStringLiteral("Name");

QString CurrentLearner();
// The class's name for the learner while a class is joined, else empty: it
// cannot be typed then.
QString ClassLearnerName();
// False when the profile could not be written.
bool SetCurrentLearner(const QString& name);

}  // namespace practice::review
