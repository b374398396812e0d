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

// The store's operations on an open file: keys, values, transactions, failure reasons.

namespace tomelin {

using namespace sqlite_detail;

namespace {

constexpr std::int64_t kRootId = 1;

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
