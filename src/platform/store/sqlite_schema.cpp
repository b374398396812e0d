// The store's statements and schema, and the small query helpers every part uses.

#include "platform/store/sqlite_internals.h"

namespace tomelin::sqlite_detail {

const char* const kStatementSql[kStmtCount] = {
    "SELECT id FROM store_keys WHERE path = ?1",
    "INSERT OR IGNORE INTO store_keys(parent, name, path) VALUES(?1, ?2, ?3)",
    "SELECT 1 FROM store_keys WHERE id = ?1",
    "SELECT type, data FROM store_values WHERE key_id = ?1 AND name = ?2",
    "INSERT INTO store_values(key_id, name, type, data) VALUES(?1, ?2, ?3, ?4) "
    "ON CONFLICT(key_id, name) DO UPDATE SET type = excluded.type, data = excluded.data",
    "SELECT 1 FROM store_keys WHERE parent = ?1 LIMIT 1",
    "DELETE FROM store_values WHERE key_id = ?1",
    "DELETE FROM store_keys WHERE id = ?1",
    "SELECT name FROM store_keys WHERE parent = ?1",
    "SELECT name, type, data FROM store_values WHERE key_id = ?1 ORDER BY name",
    "SELECT k.id, k.name, v.name, v.type, v.data FROM store_keys k "
    "LEFT JOIN store_values v ON v.key_id = k.id AND v.name = ?2 WHERE k.parent = ?1 "
    "ORDER BY k.id",
    // Text counts when it has at least one byte; integers always (unsupported types never).
    "SELECT k.name FROM store_keys k JOIN store_values v ON v.key_id = k.id AND v.name = ?2 "
    "WHERE k.parent = ?1 AND (v.type = 4 OR (v.type = 1 AND length(v.data) > 0))",
    "SELECT id, name FROM store_keys WHERE parent = ?1 ORDER BY id",
    // In the table's own order (key, then name): one pass over the rows, no search per key.
    "SELECT key_id, name, type, data FROM store_values WHERE key_id BETWEEN ?1 AND ?2",
};

// Keys are found by their whole path; names compare without regard to ASCII case, as
// key and value names of the original store did.
const char* const kSchemaSql =
    "CREATE TABLE store_keys("
    "  id INTEGER PRIMARY KEY,"
    "  parent INTEGER,"
    "  name TEXT NOT NULL,"
    "  path TEXT NOT NULL UNIQUE COLLATE NOCASE);"
    "CREATE INDEX store_keys_parent ON store_keys(parent);"
    "CREATE TABLE store_values("
    "  key_id INTEGER NOT NULL,"
    "  name TEXT NOT NULL COLLATE NOCASE,"
    "  type INTEGER NOT NULL,"
    "  data,"
    "  PRIMARY KEY(key_id, name)) WITHOUT ROWID;"
    "INSERT INTO store_keys(id, parent, name, path) VALUES(1, NULL, '', '');"
    "PRAGMA user_version = 1;"
    "PRAGMA application_id = 1416588652;";

bool isDamageCode(int rc) {
    const int primary = rc & 0xFF;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT || primary == SQLITE_FORMAT;
}

// Runs one statement returning a single integer; nothing on error (code in `rc`).
std::optional<std::int64_t> queryInt(sqlite3* db, const char* sql, int& rc) {
    sqlite3_stmt* stmt = nullptr;
    rc = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    if (rc != SQLITE_OK)
        return std::nullopt;
    std::optional<std::int64_t> result;
    rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) {
        result = sqlite3_column_int64(stmt, 0);
        rc = SQLITE_OK;
    }
    sqlite3_finalize(stmt);
    return rc == SQLITE_OK || rc == SQLITE_DONE ? result : std::nullopt;
}

// Runs one statement returning a single text; nothing on error.
std::optional<std::string> queryText(sqlite3* db, const char* sql, int& rc) {
    sqlite3_stmt* stmt = nullptr;
    rc = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    if (rc != SQLITE_OK)
        return std::nullopt;
    std::optional<std::string> result;
    rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) {
        const auto* text = sqlite3_column_text(stmt, 0);
        result = text ? reinterpret_cast<const char*>(text) : "";
        rc = SQLITE_OK;
    }
    sqlite3_finalize(stmt);
    return rc == SQLITE_OK ? result : std::nullopt;
}

}  // namespace tomelin::sqlite_detail
