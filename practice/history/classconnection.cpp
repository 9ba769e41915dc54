#include "practice/history/classstore.h"

#include "practice/history/storemodule.h"
#include "platform/modules/modules.h"

namespace practice::history {

QString ClassConnection::Key() const
{
    if (!service.isEmpty())
        return QStringLiteral("service=") + service;
    return QStringLiteral("%1:%2/%3/%4").arg(host).arg(port).arg(database, user);
}

const ClassStoreFactory* LoadClassStoreFactory(QString* reason)
{
    const platform::modules::EntryPoint entry = platform::modules::ModuleEntry(
        QLatin1String(kHistoryModuleName), kClassStoreEntryPoint, QStringLiteral("history module"), reason);
    return entry ? reinterpret_cast<ClassStoreEntryPoint>(entry)() : nullptr;
}

}  // namespace practice::history
