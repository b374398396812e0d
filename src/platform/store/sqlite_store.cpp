#include "platform/store/sqlite_store.h"

#include "core/texts.h"
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <utility>

namespace tomelin {

namespace {

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

constexpr std::int64_t kRootId = 1;

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

std::string columnText(sqlite3_stmt* stmt, int column) {
    const auto* text = sqlite3_column_text(stmt, column);
    const int size = sqlite3_column_bytes(stmt, column);
    return text ? std::string(reinterpret_cast<const char*>(text), size) : std::string();
}

// A stored value from three columns starting at `first`: name, type, data.
StoredValue columnValue(sqlite3_stmt* stmt, int first) {
    StoredValue value;
    value.name = columnText(stmt, first);
    value.type = sqlite3_column_int(stmt, first + 1);
    if (value.type == kTypeText) {
        value.value = columnText(stmt, first + 2);
    } else if (value.type == kTypeInt) {
        value.value = static_cast<std::int32_t>(sqlite3_column_int64(stmt, first + 2));
    }
    return value;
}

void bindText(sqlite3_stmt* stmt, int index, std::string_view text) {
    sqlite3_bind_text(stmt, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

}  // namespace

bool diskIsFull(const std::string& storePath) {
    const std::filesystem::path folder = std::filesystem::path(storePath).parent_path();
    struct statvfs info {};
    if (::statvfs(folder.empty() ? "." : folder.c_str(), &info) != 0)
        return false;
    // Less than a few pages left: no transaction of the store fits any more.
    return static_cast<unsigned long long>(info.f_bavail) * info.f_frsize < 64 * 1024;
}

std::optional<std::string> journalRefusal(const std::string& storePath) {
    for (const char* companion : {"-wal", "-shm"}) {
        const std::string file = storePath + companion;
        struct stat info {};
        if (::lstat(file.c_str(), &info) != 0)
            continue;
        if (!S_ISREG(info.st_mode) || ::access(file.c_str(), R_OK | W_OK) != 0) {
            return trText("Store", "pomocný soubor „") + file +
                   trText("Store", "“ nelze zapisovat (patří jinému uživateli nebo je jen pro čtení)");
        }
    }
    return std::nullopt;
}

// Resets a prepared statement when leaving scope so it never holds a read lock.
class SqliteStore::Statement {
public:
    Statement(SqliteStore& store, std::size_t which) : m_stmt(store.m_statements[which]) {}
    ~Statement() {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    sqlite3_stmt* operator*() const { return m_stmt; }

private:
    sqlite3_stmt* m_stmt;
};

namespace {

// What a read-only look at a database file found.
struct Inspection {
    SqliteOpenError error = SqliteOpenError::None;
    std::string detail;
    bool busy = false;
    int code = 0;  // SQLite's primary code when a statement failed
};

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

// Inspects a file through a read-only connection that is closed again; fills `db` with the
// connection instead when `keep` is given.
Inspection inspectFile(const std::string& path, int schemaVersion, sqlite3** keep = nullptr) {
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

// Runs `once` until it is not in another connection's way or the busy timeout has passed.
// Several copies of the program may start at once on a new file: while one switches it to
// WAL or lays out the schema, the others find it locked in ways SQLite's busy handler does
// not wait for. They start over after a short pause.
template <typename Once>
SqliteStore::OpenResult retryWhileBusy(Once once) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(SqliteStore::kBusyTimeoutMs);
    for (int attempt = 0;; ++attempt) {
        bool busy = false;
        SqliteStore::OpenResult result = once(busy);
        if (!busy || std::chrono::steady_clock::now() >= deadline)
            return result;
        sqlite3_sleep(2 + (attempt * 7 + static_cast<int>(::getpid())) % 23);
    }
}

}  // namespace

SqliteStore::OpenResult SqliteStore::open(const std::string& path) {
    return retryWhileBusy([&path](bool& busy) { return openOnce(path, busy); });
}

SqliteStore::OpenResult SqliteStore::openReadOnly(const std::string& path) {
    return retryWhileBusy([&path](bool& busy) { return openReadOnlyOnce(path, busy); });
}

SqliteStore::OpenResult SqliteStore::openReadOnlyOnce(const std::string& path, bool& busy) {
    OpenResult result;
    if (::access(path.c_str(), R_OK) != 0) {
        result.error = SqliteOpenError::CannotOpen;
        result.detail = std::strerror(errno);
        return result;
    }
    sqlite3* db = nullptr;
    const Inspection found = inspectFile(path, kSchemaVersion, &db);
    busy = found.busy;
    if (found.error != SqliteOpenError::None) {
        result.error = found.error;
        result.detail = found.detail;
        return result;
    }
    std::unique_ptr<SqliteStore> store(new SqliteStore(db, path));
    store->m_readOnly = true;
    if (!store->prepareAll()) {
        result.error = SqliteOpenError::Failed;
        result.detail = sqlite3_errmsg(db);
        return result;
    }
    result.store = std::move(store);
    return result;
}

SqliteStore::OpenResult SqliteStore::openOnce(const std::string& path, bool& busy) {
    OpenResult result;
    const bool inMemory = path == ":memory:";
    if (!inMemory) {
        // Create the file ourselves so that it is readable by its owner only; SQLite gives
        // its -wal and -shm files the same permissions.
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0) {
            result.error = SqliteOpenError::CannotOpen;
            result.detail = std::strerror(errno);
            return result;
        }
        ::close(fd);
        // Nothing below writes before the file is known to be ours (or empty).
        const Inspection found = inspectFile(path, kSchemaVersion);
        busy = found.busy;
        if (found.error != SqliteOpenError::None && found.error != SqliteOpenError::Empty) {
            result.error = found.error;
            result.detail = found.detail;
            result.code = found.code;
            return result;
        }
    }
    sqlite3* db = nullptr;
    int rc =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK || sqlite3_db_readonly(db, "main") == 1) {
        result.error = SqliteOpenError::CannotOpen;
        result.detail = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close(db);
        return result;
    }
    std::unique_ptr<SqliteStore> store(new SqliteStore(db, path));
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    sqlite3_extended_result_codes(db, 1);

    auto fail = [&](SqliteOpenError error) {
        const int code = sqlite3_extended_errcode(db) & 0xFF;
        busy = code == SQLITE_BUSY || code == SQLITE_LOCKED;
        result.code = code;
        result.error = isDamageCode(code) ? SqliteOpenError::NotAStore : error;
        result.detail = sqlite3_errmsg(db);
        return std::move(result);
    };

    const auto journal = queryText(db, "PRAGMA journal_mode = WAL", rc);
    if (!journal) {
        // A folder or file that does not take the journal's files: nothing was written.
        const int code = sqlite3_extended_errcode(db) & 0xFF;
        return fail(code == SQLITE_CANTOPEN || code == SQLITE_READONLY ? SqliteOpenError::CannotOpen
                                                                        : SqliteOpenError::Failed);
    }
    if (!inMemory && *journal != "wal") {
        // Another connection kept the file from switching; try again.
        busy = true;
        result.error = SqliteOpenError::Failed;
        result.detail = "journal mode stayed " + *journal;
        return result;
    }
    // Every commit reaches the disk before it is reported: a record once written survives
    // a crash of the machine, not only of the program.
    if (!store->exec("PRAGMA synchronous = FULL"))
        return fail(SqliteOpenError::Failed);

    auto version = queryInt(db, "PRAGMA user_version", rc);
    if (!version)
        return fail(SqliteOpenError::Failed);
    if (*version == 0) {
        // A new file: lay out the schema unless another process has just done so.
        if (!store->exec("BEGIN IMMEDIATE"))
            return fail(SqliteOpenError::Failed);
        version = queryInt(db, "PRAGMA user_version", rc);
        const auto objects = queryInt(db, "SELECT count(*) FROM sqlite_schema", rc);
        if (!version || !objects) {
            store->exec("ROLLBACK");
            return fail(SqliteOpenError::Failed);
        }
        if (*version == 0 && *objects != 0) {
            store->exec("ROLLBACK");
            result.error = SqliteOpenError::Foreign;
            result.detail = "a database of another program";
            return result;
        }
        if (*version == 0 && !store->exec(kSchemaSql)) {
            store->exec("ROLLBACK");
            return fail(SqliteOpenError::Failed);
        }
        if (!store->exec("COMMIT")) {
            store->exec("ROLLBACK");
            return fail(SqliteOpenError::Failed);
        }
        version = kSchemaVersion;
    }
    // Between the look and this connection another program may have changed the file.
    if (*version > kSchemaVersion) {
        result.error = SqliteOpenError::TooNew;
        result.detail = "schema version " + std::to_string(*version);
        return result;
    }
    if (!store->prepareAll())
        return fail(SqliteOpenError::Failed);
    // A store made before the header carried the mark gets it now (older versions of the
    // program read the file as before). A failure leaves the store as it was.
    const auto appId = queryInt(db, "PRAGMA application_id", rc);
    if (appId && *appId == 0) {
        sqlite3_busy_timeout(db, 0);  // only when nobody else is writing: no wait at start
        store->exec("PRAGMA application_id = 1416588652");
        sqlite3_busy_timeout(db, kBusyTimeoutMs);
    }
    store->m_lastFailure = 0;
    result.store = std::move(store);
    return result;
}

SqliteStore::SqliteStore(sqlite3* db, std::string path) : m_db(db), m_path(std::move(path)) {}

bool SqliteStore::takeKeptGameClaim() {
    if (m_claimFd >= 0 || m_path == ":memory:")
        return true;
    const std::string file = m_path + ".playing";
    int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return m_readOnly;  // a folder nobody may write: nothing kept there can change
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR)
            continue;
        const bool unsupported = errno != EWOULDBLOCK;
        ::close(fd);
        return unsupported;  // a file system without locks: go on as before
    }
    m_claimFd = fd;
    return true;
}

void SqliteStore::releaseKeptGameClaim() {
    if (m_claimFd < 0)
        return;
    ::close(m_claimFd);
    m_claimFd = -1;
}

bool SqliteStore::keptGameClaimedElsewhere() {
    if (m_claimFd >= 0 || m_path == ":memory:")
        return false;
    const bool held = !takeKeptGameClaim();
    if (!held)
        releaseKeptGameClaim();
    return held;
}

bool SqliteStore::recoverIfDamaged() {
    if (m_readOnly || m_depth > 0 || m_path == ":memory:")
        return false;
    switch (m_lastFailure & 0xFF) {
        case SQLITE_FULL:
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
        case SQLITE_READONLY:
        case SQLITE_CANTOPEN:
        case SQLITE_PERM:
            return false;  // the file is not to blame
        default:
            break;
    }
    int rc = SQLITE_OK;
    const auto check = queryText(m_db, "PRAGMA integrity_check", rc);
    if (check && *check == "ok")
        return false;
    m_lastFailure = SQLITE_CORRUPT;
    const std::string damaged = trText("Store", "soubor je poškozený");
    if (!m_recover) {
        m_readOnly = true;
        m_writeRefusal = damaged;
        return false;
    }
    // The connection to the damaged file goes before the file is moved.
    for (sqlite3_stmt* stmt : m_statements)
        sqlite3_finalize(stmt);
    m_statements.clear();
    sqlite3_close(m_db);
    m_db = nullptr;
    Recovery recovery = m_recover();
    m_notice = recovery.notice;
    if (!recovery.fresh) {
        // Nothing better than reading what can still be read.
        SqliteStore::OpenResult reading = openReadOnly(m_path);
        if (!reading.store)
            reading = open(":memory:");
        std::swap(m_db, reading.store->m_db);
        std::swap(m_statements, reading.store->m_statements);
        m_readOnly = true;
        m_writeRefusal = damaged;
        return false;
    }
    std::swap(m_db, recovery.fresh->m_db);
    std::swap(m_statements, recovery.fresh->m_statements);
    m_lastFailure = SQLITE_OK;
    return true;
}

std::string SqliteStore::takeNotice() {
    return std::exchange(m_notice, std::string());
}

SqliteStore::~SqliteStore() {
    releaseKeptGameClaim();
    if (m_depth > 0)
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    for (sqlite3_stmt* stmt : m_statements)
        sqlite3_finalize(stmt);
    sqlite3_close(m_db);
}

bool SqliteStore::prepareAll() {
    for (const char* sql : kStatementSql) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr) !=
            SQLITE_OK) {
            return false;
        }
        m_statements.push_back(stmt);
    }
    return true;
}

bool SqliteStore::exec(const char* sql) {
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK)
        return true;
    noteFailure();
    return false;
}

void SqliteStore::rollback() {
    // Its own failure (nothing left to undo) says nothing about why the change failed.
    sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqliteStore::noteFailure() {
    m_lastFailure = sqlite3_extended_errcode(m_db);
}

int SqliteStore::stepFailed() {
    noteFailure();
    if (m_depth > 0)
        m_failed = true;
    return kStatusFailed;
}

std::string SqliteStore::failureReason() const {
    if (m_readOnly)
        return m_writeRefusal;
    switch (m_lastFailure & 0xFF) {
        case SQLITE_OK:
            return {};
        case SQLITE_FULL:
            return trText("Store", kReasonDiskFull);
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return trText("Store", "soubor příliš dlouho používá jiný program");
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return trText("Store", "soubor je poškozený");
        case SQLITE_IOERR:
            return diskIsFull(m_path) ? trText("Store", kReasonDiskFull) : trText("Store", "chyba při zápisu na disk");
        case SQLITE_READONLY:
        case SQLITE_CANTOPEN:
        case SQLITE_PERM:
            return journalRefusal(m_path).value_or(trText("Store", "soubor nelze otevřít pro zápis"));
        default:
            return {};
    }
}

std::int64_t SqliteStore::keyId(std::string_view normalizedPath) {
    Statement find(*this, kFindKey);
    bindText(*find, 1, normalizedPath);
    return sqlite3_step(*find) == SQLITE_ROW ? sqlite3_column_int64(*find, 0) : 0;
}

bool SqliteStore::keyExists(std::int64_t id) {
    Statement exists(*this, kKeyExists);
    sqlite3_bind_int64(*exists, 1, id);
    return sqlite3_step(*exists) == SQLITE_ROW;
}

KeyHandle SqliteStore::openKey(std::string_view path) {
    return KeyHandle{keyId(normalizeKeyPath(path))};
}

int SqliteStore::WriteValueToKey(KeyHandle key, std::string_view name, int type,
                                 const StoreValue& value) {
    if (type != kTypeText && type != kTypeInt)
        return kStatusOk;
    if (m_readOnly)
        return kStatusReadOnly;
    if (!key || !keyExists(key.id))
        return kStatusMissing;
    Statement write(*this, kWriteValue);
    sqlite3_bind_int64(*write, 1, key.id);
    bindText(*write, 2, name);
    sqlite3_bind_int(*write, 3, type);
    if (type == kTypeText) {
        bindText(*write, 4, valueText(value));
    } else {
        std::int32_t number = 0;
        if (const auto* n = std::get_if<std::int32_t>(&value)) {
            number = *n;
        } else if (const auto* text = std::get_if<std::string>(&value)) {
            // Only whole decimal numbers in range convert; anything else is refused.
            char* end = nullptr;
            errno = 0;
            const long long parsed = std::strtoll(text->c_str(), &end, 10);
            if (text->empty() || *end != '\0' || errno != 0 || parsed < INT32_MIN ||
                parsed > INT32_MAX) {
                return kStatusBadValue;
            }
            number = static_cast<std::int32_t>(parsed);
        }
        sqlite3_bind_int(*write, 4, number);
    }
    if (sqlite3_step(*write) != SQLITE_DONE)
        return stepFailed();
    return kStatusOk;
}

int SqliteStore::ReadValueFromKey(KeyHandle key, std::string_view name, StoreValue& out) {
    if (!key)
        return kStatusMissing;
    Statement read(*this, kReadValue);
    sqlite3_bind_int64(*read, 1, key.id);
    bindText(*read, 2, name);
    const int rc = sqlite3_step(*read);
    if (rc == SQLITE_DONE)
        return kStatusMissing;
    if (rc != SQLITE_ROW)
        return kStatusFailed;
    const int type = sqlite3_column_int(*read, 0);
    if (type == kTypeText) {
        out = columnText(*read, 1);
        return kStatusOk;
    }
    if (type == kTypeInt) {
        out = static_cast<std::int32_t>(sqlite3_column_int64(*read, 1));
        return kStatusOk;
    }
    return kStatusUnsupported;
}

int SqliteStore::CreateRegKey(std::string_view path) {
    const std::string normalized = normalizeKeyPath(path);
    if (normalized.empty())
        return kStatusOk;
    if (m_readOnly)
        return kStatusReadOnly;
    StoreTransaction transaction(*this);
    if (!transaction.started())
        return kStatusFailed;
    std::int64_t parent = kRootId;
    std::size_t start = 0;
    while (start < normalized.size()) {
        std::size_t end = normalized.find('\\', start);
        if (end == std::string::npos)
            end = normalized.size();
        const std::string_view prefix(normalized.data(), end);
        std::int64_t id = keyId(prefix);
        if (id == 0) {
            Statement insert(*this, kInsertKey);
            sqlite3_bind_int64(*insert, 1, parent);
            bindText(*insert, 2, std::string_view(normalized).substr(start, end - start));
            bindText(*insert, 3, prefix);
            if (sqlite3_step(*insert) != SQLITE_DONE)
                return stepFailed();
            id = sqlite3_last_insert_rowid(m_db);
        }
        parent = id;
        start = end + 1;
    }
    return transaction.commit() ? kStatusOk : kStatusFailed;
}

int SqliteStore::DeleteRegKey(std::string_view path) {
    const std::string normalized = normalizeKeyPath(path);
    if (normalized.empty())
        return kStatusHasSubkeys;  // the root is never deleted
    if (m_readOnly)
        return kStatusReadOnly;
    StoreTransaction transaction(*this);
    if (!transaction.started())
        return kStatusFailed;
    const std::int64_t id = keyId(normalized);
    if (id == 0)
        return transaction.commit() ? kStatusOk : kStatusFailed;
    bool hasChildren = false;
    {
        Statement children(*this, kHasChildren);
        sqlite3_bind_int64(*children, 1, id);
        hasChildren = sqlite3_step(*children) == SQLITE_ROW;
    }
    if (hasChildren)
        return transaction.commit() ? kStatusHasSubkeys : kStatusFailed;
    for (const std::size_t which : {kDeleteValues, kDeleteKey}) {
        Statement remove(*this, which);
        sqlite3_bind_int64(*remove, 1, id);
        if (sqlite3_step(*remove) != SQLITE_DONE)
            return stepFailed();
    }
    return transaction.commit() ? kStatusOk : kStatusFailed;
}

std::vector<std::string> SqliteStore::subkeyNames(std::string_view path) {
    std::vector<std::string> names;
    const std::int64_t id = keyId(normalizeKeyPath(path));
    if (id == 0)
        return names;
    Statement list(*this, kSubkeys);
    sqlite3_bind_int64(*list, 1, id);
    while (sqlite3_step(*list) == SQLITE_ROW)
        names.push_back(columnText(*list, 0));
    return names;
}

std::vector<StoredValue> SqliteStore::values(KeyHandle key) {
    std::vector<StoredValue> result;
    if (!key)
        return result;
    Statement list(*this, kAllValues);
    sqlite3_bind_int64(*list, 1, key.id);
    while (sqlite3_step(*list) == SQLITE_ROW)
        result.push_back(columnValue(*list, 0));
    return result;
}

std::vector<SubkeyValues> SqliteStore::subkeysWithValues(std::string_view path,
                                                         std::optional<std::string_view> onlyName) {
    std::vector<SubkeyValues> result;
    const std::int64_t parent = keyId(normalizeKeyPath(path));
    if (parent == 0)
        return result;
    if (!onlyName)
        return allSubkeysWithValues(parent);
    Statement list(*this, kSubkeysWithValue);
    sqlite3_bind_int64(*list, 1, parent);
    if (onlyName)
        bindText(*list, 2, *onlyName);
    std::int64_t current = 0;
    while (sqlite3_step(*list) == SQLITE_ROW) {
        const std::int64_t id = sqlite3_column_int64(*list, 0);
        if (id != current || result.empty()) {
            current = id;
            result.push_back({columnText(*list, 1), {}});
        }
        if (sqlite3_column_type(*list, 2) == SQLITE_NULL)
            continue;  // a key without values
        result.back().values.push_back(columnValue(*list, 2));
    }
    return result;
}

std::vector<SubkeyValues> SqliteStore::allSubkeysWithValues(std::int64_t parent) {
    std::vector<SubkeyValues> result;
    // Two statements, one snapshot.
    const bool ownRead = sqlite3_get_autocommit(m_db) != 0;
    if (ownRead)
        sqlite3_exec(m_db, "BEGIN", nullptr, nullptr, nullptr);
    std::vector<std::int64_t> ids;
    {
        Statement keys(*this, kSubkeyIds);
        sqlite3_bind_int64(*keys, 1, parent);
        while (sqlite3_step(*keys) == SQLITE_ROW) {
            ids.push_back(sqlite3_column_int64(*keys, 0));
            result.push_back({columnText(*keys, 1), {}});
        }
    }
    if (!ids.empty()) {
        Statement list(*this, kValuesOfKeyRange);
        sqlite3_bind_int64(*list, 1, ids.front());
        sqlite3_bind_int64(*list, 2, ids.back());
        std::size_t k = 0;
        std::int64_t current = 0;
        while (sqlite3_step(*list) == SQLITE_ROW) {
            const std::int64_t id = sqlite3_column_int64(*list, 0);
            if (id != current) {
                current = id;
                while (k < ids.size() && ids[k] < id)
                    ++k;
                if (k < ids.size() && ids[k] == id)
                    result[k].values.reserve(12);  // a record's values, in one allocation
            }
            if (k < ids.size() && ids[k] == id)  // other keys' values in the range are passed
                result[k].values.push_back(columnValue(*list, 1));
        }
    }
    if (ownRead)
        sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
    return result;
}

std::vector<std::string> SqliteStore::subkeysWithNonEmptyValue(std::string_view path,
                                                               std::string_view name) {
    std::vector<std::string> names;
    const std::int64_t parent = keyId(normalizeKeyPath(path));
    if (parent == 0)
        return names;
    Statement list(*this, kSubkeysWithNonEmpty);
    sqlite3_bind_int64(*list, 1, parent);
    bindText(*list, 2, name);
    while (sqlite3_step(*list) == SQLITE_ROW)
        names.push_back(columnText(*list, 0));
    return names;
}

bool SqliteStore::beginTransaction() {
    if (m_readOnly)
        return false;
    if (m_depth == 0) {
        if (!exec("BEGIN IMMEDIATE"))
            return false;
        m_failed = false;
    }
    ++m_depth;
    return true;
}

bool SqliteStore::commitTransaction() {
    if (m_depth == 0)
        return false;
    if (--m_depth > 0)
        return !m_failed;
    if (m_failed || !exec("COMMIT")) {
        rollback();
        m_failed = false;
        return false;
    }
    return true;
}

void SqliteStore::rollbackTransaction() {
    if (m_depth == 0)
        return;
    if (--m_depth > 0) {
        m_failed = true;  // the outermost commit will undo everything
        return;
    }
    rollback();
    m_failed = false;
}

}  // namespace tomelin
