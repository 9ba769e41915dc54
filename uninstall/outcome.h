#pragma once

#include <QString>

// The message the Uninstall dialog shows for the removal's outcome.
inline QString OutcomeMessage(bool success, int removeAll)
{
    if (!success)
        return QStringLiteral("Unable to uninstall all components");
    return removeAll ? QStringLiteral("removed all") : QStringLiteral("Left recorded words in installed folder");
}
