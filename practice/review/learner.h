#pragma once

#include <QString>

// The learner whose tests are taken: a name remembered in the program's
// profile, "Learner" until one is given.
namespace practice::review {

inline const QString kDefaultLearner = QStringLiteral("Learner");
inline constexpr int kMaxLearnerName = 40;

// The name as it will be kept (blanks at the ends trimmed), or false with the
// reason to tell the user: empty, too long, or holding control characters.
bool CheckLearnerName(const QString& typed, QString* name, QString* problem);

QString CurrentLearner();
// False when the profile could not be written.
bool SetCurrentLearner(const QString& name);

}  // namespace practice::review
