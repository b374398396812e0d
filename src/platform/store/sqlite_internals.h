#pragma once
// What the SQLite store's files share and no one else sees: the statements and the schema,
// the small query helpers, and the read-only look at a file before it is opened.

#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/store/sqlite_store.h"

namespace tomelin::sqlite_detail {

// Prepared statements, by index into m_statements.
enum Stmt : std::size_t {
    kFindKey,
    kInsertKey,
    kKeyExists,
    kReadValue,
    kWriteValue,
    kHasChildren,
    kDeleteValues,
    kDeleteKey,
    kSubkeys,
    kAllValues,
    kSubkeysWithValue,
    kSubkeysWithNonEmpty,
    kSubkeyIds,
    kValuesOfKeyRange,
    kStmtCount,
};

extern const char* const kStatementSql[kStmtCount];
extern const char* const kSchemaSql;

// A primary code that says the file is damaged or no database (not that it is busy).
bool isDamageCode(int rc);
// Runs one statement returning a single integer; nothing on error (code in `rc`).
std::optional<std::int64_t> queryInt(sqlite3* db, const char* sql, int& rc);
// Runs one statement returning a single text; nothing on error.
std::optional<std::string> queryText(sqlite3* db, const char* sql, int& rc);

// What a read-only look at a database file found.
struct Inspection {
    SqliteOpenError error = SqliteOpenError::None;
    std::string detail;
    bool busy = false;
    int code = 0;  // SQLite's primary code when a statement failed
};

// A read-only look at the file at `path`: whether it is a store of this program, of a
// version it reads, and readable. With `keep` the read-only connection is handed over when
// the look found nothing wrong.
Inspection inspectFile(const std::string& path, int schemaVersion, sqlite3** keep = nullptr);

}  // namespace tomelin::sqlite_detail
