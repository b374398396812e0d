#pragma once
// The hierarchical key/value store that keeps the detail setting, the user's boards and the
// game records. Keys are addressed by backslash-separated paths below one implicit root
// (e.g. "Software\Brantl\Tomelin\Hry\00001"); values by name inside a key, the empty name
// being the key's unnamed value. Values are text (UTF-8, read back exactly as written, with
// no terminator) or 32-bit integers.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tomelin {

// A value as it travels through the store: nothing, text or a 32-bit integer.
using StoreValue = std::variant<std::monostate, std::string, std::int32_t>;

// Type codes of stored values. Anything else found in a store is reported as unsupported.
inline constexpr int kTypeText = 1;  // REG_SZ
inline constexpr int kTypeInt = 4;   // REG_DWORD

// Status codes of the operations that report one.
inline constexpr int kStatusOk = 0;
inline constexpr int kStatusFailed = 1;        // the file refused the operation (I/O, busy)
inline constexpr int kStatusMissing = 2;       // key or value not found
inline constexpr int kStatusHasSubkeys = 5;    // a key with subkeys is not deleted
inline constexpr int kStatusBadValue = 13;     // value not convertible to the requested type
inline constexpr int kStatusReadOnly = 19;     // the store may be read but not written
inline constexpr int kStatusUnsupported = -1;  // stored type is neither text nor integer

// The program's own key and its one general setting's value name.
inline constexpr const char* kProgramKey = "Software\\Brantl\\Tomelin";

// An open key; id 0 is "no key" (opening a missing key gives it, and every operation on
// it fails as for a missing key).
struct KeyHandle {
    std::int64_t id = 0;
    explicit operator bool() const { return id != 0; }
};

// One value of a key as enumerated: its stored type code may be unsupported, in which
// case `value` is empty.
struct StoredValue {
    std::string name;
    int type = 0;
    StoreValue value;
};

// A direct subkey of a key with its values (see Store::subkeysWithValues).
struct SubkeyValues {
    std::string name;
    std::vector<StoredValue> values;
};

// `Registr`: the six store operations plus enumeration and transactions. Implementations
// never throw; failures are status codes or empty results.
class Store {
public:
    virtual ~Store() = default;

    // Opens an existing key; an empty handle when it does not exist.
    virtual KeyHandle openKey(std::string_view path) = 0;

    // `WriteValueToKey`: type 1 writes the value as text, type 4 as a 32-bit integer.
    // Any other type writes nothing and returns kStatusOk.
    virtual int WriteValueToKey(KeyHandle key, std::string_view name, int type,
                                const StoreValue& value) = 0;
    // `ReadValueFromKey`: kStatusOk and `out` set on success; kStatusMissing for a missing
    // key or value; kStatusUnsupported for a stored type other than 1 or 4 (`out`
    // untouched in both cases).
    virtual int ReadValueFromKey(KeyHandle key, std::string_view name, StoreValue& out) = 0;

    // `CreateRegKey`: creates the key and every missing intermediate key; an existing key
    // is left as it is.
    virtual int CreateRegKey(std::string_view path) = 0;
    // `DeleteRegKey`: deletes the key with its values. A missing key is no error; a key
    // that still has subkeys is left alone (kStatusHasSubkeys), so no subtree is ever lost
    // by one call.
    virtual int DeleteRegKey(std::string_view path) = 0;

    // `WriteRegValue`: writes into an existing key; a write to a missing key is lost
    // (kStatusMissing), so callers that may meet one call CreateRegKey first.
    int WriteRegValue(std::string_view path, std::string_view name, const StoreValue& value,
                      int type);
    // `ReadRegValue`: the value, or an empty value when the key or value is missing or of
    // an unsupported type.
    StoreValue ReadRegValue(std::string_view path, std::string_view name);

    // Names of the direct subkeys of a key, in no particular order (empty if missing).
    virtual std::vector<std::string> subkeyNames(std::string_view path) = 0;
    // Every value of a key, ordered by name (empty if the key is missing).
    virtual std::vector<StoredValue> values(KeyHandle key) = 0;

    // Every direct subkey of a key with its values, ordered by name within each subkey, read
    // as one consistent snapshot. With `onlyName`, each subkey carries only that value (or
    // none). Readers of many records or slots use it instead of one read per value.
    virtual std::vector<SubkeyValues> subkeysWithValues(
        std::string_view path, std::optional<std::string_view> onlyName = std::nullopt);
    // Names of the direct subkeys of a key whose value `name` holds something: an integer or
    // a non-empty text. Cheaper than subkeysWithValues when only the names are needed.
    virtual std::vector<std::string> subkeysWithNonEmptyValue(std::string_view path,
                                                              std::string_view name);

    // Transactions group several operations into one all-or-nothing change that other
    // processes see at once. Nested begins join the outermost transaction. A write
    // transaction waits for other writers (up to the store's busy timeout).
    virtual bool beginTransaction() = 0;
    virtual bool commitTransaction() = 0;
    virtual void rollbackTransaction() = 0;

    // Whether every write is refused with kStatusReadOnly (a store the user may only read).
    virtual bool readOnly() const { return false; }
    // Why writes are refused, in Czech for the user; empty when the store takes writes or
    // gives no reason.
    virtual std::string writeRefusal() const { return {}; }
    // Why the last refused or failed change did not happen, in Czech for the user (a full disk,
    // a file locked too long, ...); empty when the store gives no reason.
    virtual std::string failureReason() const { return writeRefusal(); }

    // After a change failed: whether the store found its file damaged (a full check, which
    // the quick one at opening may have missed) and started afresh as at opening, the damaged
    // file moved aside. The change may then be tried once more. Otherwise nothing happens.
    virtual bool recoverIfDamaged() { return false; }
    // What the store has to tell the user once (in Czech), e.g. where its damaged file went;
    // empty when nothing. Taking it clears it.
    virtual std::string takeNotice() { return {}; }

    // The unfinished game kept in the store is played by one program at a time. Taking the
    // claim succeeds when nobody else holds it (or this store already does); it is held until
    // released or until the process ends, however it ends. A store that only this process
    // sees has nobody to share it with.
    virtual bool takeKeptGameClaim() { return true; }
    virtual void releaseKeptGameClaim() {}
    // Whether another program holds the claim now.
    virtual bool keptGameClaimedElsewhere() { return false; }
};

// A subkey whose name is a number (a record or board slot), with its values.
struct NumberedSubkey {
    int number = 0;
    std::vector<StoredValue> values;
};
// The subkeys of `path` that `numberOf` reads as a number, in ascending number; subkeys with
// other names are skipped. `onlyName` as in Store::subkeysWithValues.
std::vector<NumberedSubkey> numberedSubkeys(
    Store& store, std::string_view path, std::optional<int> (*numberOf)(std::string_view),
    std::optional<std::string_view> onlyName = std::nullopt);

// Scope of one store transaction: rolled back unless commit() succeeded.
class StoreTransaction {
public:
    explicit StoreTransaction(Store& store) : m_store(store), m_open(store.beginTransaction()) {}
    ~StoreTransaction() {
        if (m_open)
            m_store.rollbackTransaction();
    }
    StoreTransaction(const StoreTransaction&) = delete;
    StoreTransaction& operator=(const StoreTransaction&) = delete;

    // Whether the transaction could be started at all.
    bool started() const { return m_open; }
    bool commit() {
        if (!m_open)
            return false;
        m_open = false;
        return m_store.commitTransaction();
    }

private:
    Store& m_store;
    bool m_open;
};

// ---- Helpers over StoreValue ------------------------------------------------------------

// The canonical form of a key path: components separated by single backslashes, no
// leading or trailing backslash, empty components dropped.
std::string normalizeKeyPath(std::string_view path);

// Joins a key path and a subkey name with one backslash.
std::string joinKeyPath(std::string_view path, std::string_view name);

// The value as text: integers as decimal text, nothing as "".
std::string valueText(const StoreValue& value);
// `Val`-style leading-number parse: leading spaces, an optional sign, digits, an optional
// "." and more digits; stops at the first other character. Empty or non-numeric gives 0.
double leadingNumber(std::string_view text);
// The value as a number: integers as they are, text by its leading number, nothing as 0.
double valueNumber(const StoreValue& value);
// The value as an integer (text through its leading number, cut towards zero).
std::int32_t valueInt(const StoreValue& value);
bool isEmptyValue(const StoreValue& value);

}  // namespace tomelin
