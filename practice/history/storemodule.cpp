#include "practice/history/storemodule.h"

#include "platform/modules/modules.h"

namespace practice::history {

const ResultStoreFactory* LoadStoreFactory(QString* reason)
{
    const platform::modules::EntryPoint entry = platform::modules::ModuleEntry(
        QLatin1String(kHistoryModuleName), kStoreFactoryEntryPoint, QStringLiteral("history module"), reason);
    return entry ? reinterpret_cast<StoreFactoryEntryPoint>(entry)() : nullptr;
}

}  // namespace practice::history
