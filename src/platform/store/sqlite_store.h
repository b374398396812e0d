#pragma once
// The store kept in one SQLite database file (WAL journal, busy timeout, schema version).

#include "core/texts.h"
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/store/store.h"

struct sqlite3;
struct sqlite3_stmt;

namespace tomelin {

// Why a database file could not be used as a store.
enum class SqliteOpenError {
    None,
    CannotOpen,  // the file cannot be opened for reading and writing
    NotAStore,   // not a SQLite database at all, or one SQLite finds damaged
    Foreign,     // a healthy database of another program (left untouched)
    TooNew,      // written by a newer version of the program (left untouched)
    Empty,       // a file without any database content yet (only openReadOnly reports it)
    Failed,      // setting up the schema failed (disk full, I/O, busy too long)
};

// Czech words for a store that cannot take writes because the disk is full.
inline constexpr const char* kReasonDiskFull = TOMELIN_TR_NOOP("Store", "na disku není volné místo");
// Whether the file system holding the store file has (almost) no room left.
bool diskIsFull(const std::string& storePath);
// Czech words for a journal file beside the store (-wal, -shm) that this user cannot write,
// naming it; nothing when both are writable or absent.
std::optional<std::string> journalRefusal(const std::string& storePath);

// Store over one SQLite database. Every path-level operation is one transaction of its
// own unless it runs inside an explicit one. One object per process and thread.
class SqliteStore final : public Store {
public:
    // The schema version this program writes (kept in the database's user_version).
    static constexpr int kSchemaVersion = 1;
    // The header's application id of this program's store files ("Toml").
    static constexpr int kApplicationId = 1416588652;
    // How long a writer waits for another process's write transaction to finish.
    static constexpr int kBusyTimeoutMs = 10000;

    struct OpenResult {
        std::unique_ptr<SqliteStore> store;  // null on error
        SqliteOpenError error = SqliteOpenError::None;
        std::string detail;  // the database's own message on error
        int code = 0;        // SQLite's primary code of the failing step, when there was one
    };
    // Opens (creating when missing, with owner-only permissions) and checks the file.
    // ":memory:" opens a store that lives only as long as the object. An existing file is
    // looked at through a read-only connection first: nothing is written to a file that is
    // not this program's store of a version it knows.
    static OpenResult open(const std::string& path);
    // Opens an existing store for reading only; nothing is ever written to the file. Every
    // write operation then returns kStatusReadOnly.
    static OpenResult openReadOnly(const std::string& path);

    ~SqliteStore() override;
    SqliteStore(const SqliteStore&) = delete;
    SqliteStore& operator=(const SqliteStore&) = delete;

    KeyHandle openKey(std::string_view path) override;
    int WriteValueToKey(KeyHandle key, std::string_view name, int type,
                        const StoreValue& value) override;
    int ReadValueFromKey(KeyHandle key, std::string_view name, StoreValue& out) override;
    int CreateRegKey(std::string_view path) override;
    int DeleteRegKey(std::string_view path) override;
    std::vector<std::string> subkeyNames(std::string_view path) override;
    std::vector<StoredValue> values(KeyHandle key) override;
    std::vector<SubkeyValues> subkeysWithValues(
        std::string_view path, std::optional<std::string_view> onlyName = std::nullopt) override;
    std::vector<std::string> subkeysWithNonEmptyValue(std::string_view path,
                                                      std::string_view name) override;
    bool beginTransaction() override;
    bool commitTransaction() override;
    void rollbackTransaction() override;

    std::string writeRefusal() const override { return m_writeRefusal; }
    std::string failureReason() const override;
    bool recoverIfDamaged() override;
    std::string takeNotice() override;
    // How a damaged file is replaced: the fresh store (null when that failed) and what to
    // tell the user either way.
    struct Recovery {
        std::unique_ptr<SqliteStore> fresh;
        std::string notice;
    };
    // Called with this store's connection closed; see recoverIfDamaged.
    void setRecovery(std::function<Recovery()> recover) { m_recover = std::move(recover); }

    // An advisory lock on "<file>.playing" beside the store file.
    bool takeKeptGameClaim() override;
    void releaseKeptGameClaim() override;
    bool keptGameClaimedElsewhere() override;
    // The reason a read-only store gives for every refused write (for the user).
    void setWriteRefusal(std::string reason) { m_writeRefusal = std::move(reason); }
    bool readOnly() const override { return m_readOnly; }

    const std::string& path() const { return m_path; }

private:
    class Statement;
    explicit SqliteStore(sqlite3* db, std::string path);
    // One attempt of open(); `busy` tells that another connection was in the way.
    static OpenResult openOnce(const std::string& path, bool& busy);
    static OpenResult openReadOnlyOnce(const std::string& path, bool& busy);
    // The file at `path` made (readable by its owner only) when missing and looked at before
    // anything is written; false, with `result` filled, when it is no store to open.
    static bool prepareFile(const std::string& path, bool& busy, OpenResult& result);
    // Lays out a new file's schema unless another process has just done so; the error when
    // that failed (Foreign: the file holds another program's tables).
    std::optional<SqliteOpenError> layOutSchemaIfNew(std::optional<std::int64_t>& version);
    // A store made before its header carried the mark gets it (a failure changes nothing).
    void markApplicationId();
    bool prepareAll();
    bool exec(const char* sql);
    void rollback();
    // Remembers why the last operation failed (for failureReason).
    void noteFailure();
    // A statement of a write failed: remembered, and the open transaction can only fail.
    int stepFailed();
    std::int64_t keyId(std::string_view normalizedPath);
    bool keyExists(std::int64_t id);
    // Every subkey of the key `parent` with all its values.
    std::vector<SubkeyValues> allSubkeysWithValues(std::int64_t parent);

    sqlite3* m_db = nullptr;
    std::string m_path;
    int m_depth = 0;        // nesting of explicit transactions
    bool m_failed = false;  // an operation inside the open transaction failed
    bool m_readOnly = false;
    int m_lastFailure = 0;
    int m_claimFd = -1;     // the held claim on the kept game, or -1
    std::function<Recovery()> m_recover;
    std::string m_notice;  // SQLite's extended code of the last failed operation
    std::string m_writeRefusal;
    std::vector<sqlite3_stmt*> m_statements;
};

}  // namespace tomelin
