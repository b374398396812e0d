#include "platform/store/sqlite_store.h"

#include "core/texts.h"
#include "platform/store/sqlite_internals.h"

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

// Opening a store: the file made and checked, the schema laid out, the journal; the claim on
// the kept game; a damaged file replaced.

namespace tomelin {

using namespace sqlite_detail;

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

namespace {

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

bool SqliteStore::prepareFile(const std::string& path, bool& busy, OpenResult& result) {
    // Create the file ourselves so that it is readable by its owner only; SQLite gives its
    // -wal and -shm files the same permissions.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        result.error = SqliteOpenError::CannotOpen;
        result.detail = std::strerror(errno);
        return false;
    }
    ::close(fd);
    // Nothing writes before the file is known to be ours (or empty).
    const Inspection found = inspectFile(path, kSchemaVersion);
    busy = found.busy;
    if (found.error != SqliteOpenError::None && found.error != SqliteOpenError::Empty) {
        result.error = found.error;
        result.detail = found.detail;
        result.code = found.code;
        return false;
    }
    return true;
}

std::optional<SqliteOpenError> SqliteStore::layOutSchemaIfNew(
    std::optional<std::int64_t>& version) {
    int rc = SQLITE_OK;
    if (!exec("BEGIN IMMEDIATE"))
        return SqliteOpenError::Failed;
    version = queryInt(m_db, "PRAGMA user_version", rc);
    const auto objects = queryInt(m_db, "SELECT count(*) FROM sqlite_schema", rc);
    if (!version || !objects) {
        exec("ROLLBACK");
        return SqliteOpenError::Failed;
    }
    if (*version == 0 && *objects != 0) {
        exec("ROLLBACK");
        return SqliteOpenError::Foreign;
    }
    if (*version == 0 && !exec(kSchemaSql)) {
        exec("ROLLBACK");
        return SqliteOpenError::Failed;
    }
    if (!exec("COMMIT")) {
        exec("ROLLBACK");
        return SqliteOpenError::Failed;
    }
    version = kSchemaVersion;
    return std::nullopt;
}

void SqliteStore::markApplicationId() {
    int rc = SQLITE_OK;
    const auto appId = queryInt(m_db, "PRAGMA application_id", rc);
    if (appId && *appId == 0) {
        sqlite3_busy_timeout(m_db, 0);  // only when nobody else is writing: no wait at start
        exec("PRAGMA application_id = 1416588652");
        sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    }
}

SqliteStore::OpenResult SqliteStore::openOnce(const std::string& path, bool& busy) {
    OpenResult result;
    const bool inMemory = path == ":memory:";
    if (!inMemory && !prepareFile(path, busy, result))
        return result;
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
        if (const auto error = store->layOutSchemaIfNew(version)) {
            if (*error != SqliteOpenError::Foreign)
                return fail(*error);
            result.error = SqliteOpenError::Foreign;
            result.detail = "a database of another program";
            return result;
        }
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
    store->markApplicationId();
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

}  // namespace tomelin
