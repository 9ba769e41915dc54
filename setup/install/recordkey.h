#pragma once

#include "platform/registry/registry.h"

#include <QString>

// Opens a key of the record for writing, creating it when missing; a null key
// when that fails.
platform::registry::Key CreateRecordKey(const platform::registry::Key& root, const QString& keyPath);

// Writes a string value (an empty name is the key's default value); false when
// the write fails, as it does on a null key.
bool SetRecordString(const platform::registry::Key& key, const QString& name, const QString& value);
