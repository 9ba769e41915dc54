#pragma once

#include "practice/review/testrecord.h"

#include <QString>

#include <memory>

// The history's side that needs Qt SQL, kept in a module loaded on first use
// (platform/modules) so that start-up does not load Qt SQL.
namespace practice::history {

class ResultStore {
public:
    virtual ~ResultStore() = default;
    // Why the store cannot take results (empty when it can): a database that
    // could not be opened or read, or one from a newer version, opened read-only.
    virtual QString Problem() const = 0;
    // Writes the test and every answer in one transaction: all of it or nothing.
    virtual bool Save(const review::CTestRecord& test, QString* error) = 0;
};

class ResultStoreFactory {
public:
    virtual ~ResultStoreFactory() = default;
    // The database at `path` through Qt SQL's SQLite driver, made or migrated
    // to the current schema; `busyMs` is how long to wait for another writer.
    virtual std::unique_ptr<ResultStore> Open(const QString& path, int busyMs) const = 0;
};

inline constexpr int kSchemaVersion = 2;

// The module's file name and its one exported function, `extern "C"`; the
// number changes whenever the classes above do.
inline constexpr char kHistoryModuleName[] = "wordwell-history.so";
inline constexpr char kStoreFactoryEntryPoint[] = "wordwell_result_store_1";
using StoreFactoryEntryPoint = const ResultStoreFactory* (*)();

}  // namespace practice::history
