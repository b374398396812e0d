// A read-only look at a store file before it is opened for writing (or read as it is).

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/store/sqlite_internals.h"

namespace tomelin::sqlite_detail {

namespace {

// A URI for a file name: every byte but the unreserved ones and "/" percent-encoded.
std::string fileUri(const std::string& path, const char* query) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string uri = "file:";
    for (const char c : path) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            uri += c;
        } else {
            uri += '%';
            uri += kHex[u >> 4];
            uri += kHex[u & 15];
        }
    }
    return uri + "?" + query;
}

// Looks at an open connection without writing: the schema first (a database of another
// program or of a newer version is recognised before anything else happens to it), then
// the integrity of our own store.
Inspection inspect(sqlite3* db, int schemaVersion) {
    Inspection found;
    int rc = SQLITE_OK;
    auto failed = [&](SqliteOpenError otherwise) {
        const int code = (rc != SQLITE_OK ? rc : sqlite3_extended_errcode(db)) & 0xFF;
        found.code = code;
        found.busy = code == SQLITE_BUSY || code == SQLITE_LOCKED;
        found.error = isDamageCode(code) ? SqliteOpenError::NotAStore : otherwise;
        found.detail = sqlite3_errmsg(db);
        return found;
    };
    const auto version = queryInt(db, "PRAGMA user_version", rc);
    if (!version)
        return failed(SqliteOpenError::Failed);
    const auto objects = queryInt(db, "SELECT count(*) FROM sqlite_schema", rc);
    if (!objects)
        return failed(SqliteOpenError::Failed);
    const auto tables =
        queryInt(db,
                 "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name IN "
                 "('store_keys', 'store_values')",
                 rc);
    if (!tables)
        return failed(SqliteOpenError::Failed);
    if (*version == 0 && *objects == 0) {
        found.error = SqliteOpenError::Empty;
        found.detail = "no database content yet";
        return found;
    }
    // The header's application id marks the file as this program's store: then a schema that
    // does not look like ours is damage, not another program's database.
    const auto appId = queryInt(db, "PRAGMA application_id", rc);
    if (!appId)
        return failed(SqliteOpenError::Failed);
    const bool ours = *appId == SqliteStore::kApplicationId;
    if (*version == 0 || *tables != 2) {
        found.error = ours ? SqliteOpenError::NotAStore : SqliteOpenError::Foreign;
        found.detail = ours ? "the program's own store with its tables damaged"
                            : "a database of another program";
        return found;
    }
    if (*version > schemaVersion) {
        found.error = SqliteOpenError::TooNew;
        found.detail = "schema version " + std::to_string(*version);
        return found;
    }
    // Tables of our names but other columns are not our store either.
    for (const char* sql : kStatementSql) {
        sqlite3_stmt* stmt = nullptr;
        rc = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
        sqlite3_finalize(stmt);
        if (rc == SQLITE_ERROR) {
            found.error = ours ? SqliteOpenError::NotAStore : SqliteOpenError::Foreign;
            found.detail = std::string("tables of another layout: ") + sqlite3_errmsg(db);
            return found;
        }
        if (rc != SQLITE_OK)
            return failed(SqliteOpenError::Failed);
        rc = SQLITE_OK;
    }
    const auto check = queryText(db, "PRAGMA quick_check", rc);
    if (!check)
        return failed(SqliteOpenError::Failed);
    if (*check != "ok") {
        found.error = SqliteOpenError::NotAStore;
        found.detail = "integrity check: " + *check;
    }
    return found;
}

// Opens a read-only connection. In a folder where the journal's shared-memory file cannot be
// made, the file is read as it stands on disk.
sqlite3* openReadOnlyConnection(const std::string& path, bool immutable, int& rc) {
    sqlite3* db = nullptr;
    rc = sqlite3_open_v2(fileUri(path, immutable ? "immutable=1" : "mode=ro").c_str(), &db,
                         SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, SqliteStore::kBusyTimeoutMs);
    sqlite3_extended_result_codes(db, 1);
    return db;
}

// The journal's shared-memory file cannot be made or grown: a folder we may not write, a
// -shm file of another user, or a full disk.
bool cannotReadJournal(const Inspection& found, sqlite3* db) {
    const int code = sqlite3_extended_errcode(db) & 0xFF;
    return found.error == SqliteOpenError::Failed &&
           (code == SQLITE_CANTOPEN || code == SQLITE_READONLY || code == SQLITE_IOERR ||
            code == SQLITE_FULL);
}

// Whether a database without any content is a store this program began: a file of no bytes
// yet, or one that its first open switched to WAL (bytes 18 and 19 of the header are 2) before
// it was stopped. Any other empty database belongs to whoever made it.
bool isFreshFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    unsigned char header[20] = {};
    const ssize_t got = ::read(fd, header, sizeof header);
    ::close(fd);
    return got == 0 || (got == sizeof header && header[18] == 2 && header[19] == 2);
}

}  // namespace

// Inspects a file through a read-only connection that is closed again, or handed over in
// `keep` when it is given and the file is a sound store.
Inspection inspectFile(const std::string& path, int schemaVersion, sqlite3** keep) {
    Inspection found;
    for (const bool immutable : {false, true}) {
        int rc = SQLITE_OK;
        sqlite3* db = openReadOnlyConnection(path, immutable, rc);
        if (!db) {
            found.error = SqliteOpenError::CannotOpen;
            found.detail = sqlite3_errstr(rc);
            return found;
        }
        found = inspect(db, schemaVersion);
        if (found.error == SqliteOpenError::Empty && !isFreshFile(path)) {
            found.error = SqliteOpenError::Foreign;
            found.detail = "an empty database of another program";
        }
        if (!immutable && cannotReadJournal(found, db)) {
            sqlite3_close(db);
            continue;
        }
        if (keep && found.error == SqliteOpenError::None) {
            *keep = db;
        } else {
            sqlite3_close(db);
        }
        return found;
    }
    return found;
}

}  // namespace tomelin::sqlite_detail
