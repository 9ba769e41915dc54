#include "setup/install/recordkey.h"

namespace reg = platform::registry;

reg::Key CreateRecordKey(const reg::Key& root, const QString& keyPath)
{
    reg::Key key;
    if (reg::CreateKey(root, keyPath, &key) != reg::ERROR_SUCCESS)
        return reg::Key();
    return key;
}

bool SetRecordString(const reg::Key& key, const QString& name, const QString& value)
{
    return reg::SetStringValue(key, name, value) == reg::ERROR_SUCCESS;
}
