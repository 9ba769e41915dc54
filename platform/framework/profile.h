#pragma once

#include <QString>

namespace platform::framework {

// Profile settings by section and entry. Kept apart from the application that
// implements them so that what reads and writes settings (the recent-file
// list) does not depend on it.
class CProfile {
public:
    virtual ~CProfile() = default;
    virtual QString GetProfileString(const QString& section, const QString& entry,
                                     const QString& defaultValue = QString()) const = 0;
    virtual bool WriteProfileString(const QString& section, const QString& entry, const QString& value) = 0;
    virtual bool DeleteProfileEntry(const QString& section, const QString& entry) = 0;
};

}  // namespace platform::framework
