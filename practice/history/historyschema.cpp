#include "practice/history/historyschema.h"

#include "practice/history/resultstore.h"

#include <iterator>

namespace practice::history {

namespace {

// Version 1 had no practice rounds; version 2 marks them; version 3 finds a
// learner's tests by index, in order, for the History window; version 4 gives
// each test the id it is sent to a class under, and an outbox of those waiting.
const char* const kCreate[] = {
    "CREATE TABLE schema_info (version INTEGER NOT NULL)",
    "CREATE TABLE tests (id INTEGER PRIMARY KEY, learner TEXT NOT NULL, list_name TEXT NOT NULL,"
    " list_path TEXT NOT NULL, taken_at TEXT NOT NULL, words INTEGER NOT NULL, right_answers INTEGER NOT NULL,"
    " score REAL NOT NULL, stopped INTEGER NOT NULL, practice INTEGER NOT NULL DEFAULT 0, uid TEXT)",
    "CREATE TABLE answers (test_id INTEGER NOT NULL REFERENCES tests(id), position INTEGER NOT NULL,"
    " word TEXT NOT NULL, answer TEXT NOT NULL, right_answer INTEGER NOT NULL)",
    "CREATE INDEX answers_by_test ON answers (test_id)",
    "CREATE INDEX tests_by_learner ON tests (learner, taken_at)",
    "CREATE TABLE outbox (test_id INTEGER PRIMARY KEY REFERENCES tests(id), class TEXT NOT NULL)",
    "CREATE INDEX outbox_by_class ON outbox (class, test_id)",
    "INSERT INTO schema_info (version) VALUES (4)",
};
const char* const kMigrate1To2[] = {
    "CREATE INDEX answers_by_test ON answers (test_id)",
    "ALTER TABLE tests ADD COLUMN practice INTEGER NOT NULL DEFAULT 0",
};
const char* const kMigrate2To3[] = {
    "CREATE INDEX tests_by_learner ON tests (learner, taken_at)",
};
const char* const kMigrate3To4[] = {
    "ALTER TABLE tests ADD COLUMN uid TEXT",
    "CREATE TABLE outbox (test_id INTEGER PRIMARY KEY REFERENCES tests(id), class TEXT NOT NULL)",
    "CREATE INDEX outbox_by_class ON outbox (class, test_id)",
    "UPDATE schema_info SET version = 4",
};

void append(std::vector<const char*>& to, const auto& statements)
{
    to.insert(to.end(), std::begin(statements), std::end(statements));
}

}  // namespace

std::vector<const char*> SchemaStatementsFrom(int version)
{
    std::vector<const char*> statements;
    if (version == 0) {
        append(statements, kCreate);
        return statements;
    }
    if (version < 2)
        append(statements, kMigrate1To2);
    if (version < 3)
        append(statements, kMigrate2To3);
    if (version < kSchemaVersion)
        append(statements, kMigrate3To4);
    return statements;
}

}  // namespace practice::history
