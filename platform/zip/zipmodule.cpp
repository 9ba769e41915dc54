#include "platform/modules/modules.h"
#include "platform/zip/zipcodec.h"

namespace platform::zip {

const ZipCodec* LoadZipCodec(QString* reason)
{
    const modules::EntryPoint entry =
        modules::ModuleEntry(QLatin1String(kZipModuleName), kZipCodecEntryPoint, QStringLiteral("zip module"), reason);
    return entry ? reinterpret_cast<ZipCodecEntryPoint>(entry)() : nullptr;
}

}  // namespace platform::zip
