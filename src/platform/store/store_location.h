#pragma once
// Where the store file lives, and opening it so that nothing of the user's is lost or hidden:
// a damaged file is moved aside and a fresh store starts; a file that may be read but not
// written is opened read-only; a file that is not ours, or is newer, is left as it is. The
// caller gets a report to show.

#include <memory>
#include <optional>
#include <string>

#include "platform/store/store.h"

namespace tomelin {

// `$TOMELIN_STORE` when set and non-empty, else `$XDG_DATA_HOME/tomelin/tomelin.db` when
// XDG_DATA_HOME is an absolute path, else `$HOME/.local/share/tomelin/tomelin.db`.
std::string defaultStorePath();

// Why the store is not the usual writable file.
enum class StoreLimit {
    None,
    ReadOnly,      // the file is read, but nothing can be written to it
    Unreadable,    // the file exists but may not be read (left where it is)
    Foreign,       // a database of another program (left untouched)
    TooNew,        // written by a newer version (left untouched)
    CannotCreate,  // no file could be made (folder missing rights, disk full, ...)
    Busy,          // another program kept the file locked for too long
    Failed,        // anything else
};

// The store the program works with, and what happened while opening it.
struct StoreOpening {
    std::unique_ptr<Store> store;  // never null
    std::string path;              // the file in use
    // The file found at `path` was damaged and was moved here (kept for the user).
    std::optional<std::string> movedAsideTo;
    // The store could not be kept in a file at all; it lives in memory for this run.
    bool persistent = true;
    StoreLimit limit = StoreLimit::None;
    // Czech words for why the file cannot be written (ReadOnly), e.g. "soubor je jen pro čtení".
    std::string writeReason;
    // Technical reason for any of the above (English, for logs and the CLI).
    std::string problem;

    bool readOnly() const { return limit == StoreLimit::ReadOnly; }
    // Whether a game or board written now is kept in the file at `path`.
    bool keepsWrites() const { return persistent && !readOnly(); }
    bool hasProblem() const { return movedAsideTo.has_value() || limit != StoreLimit::None; }
    // The Czech message for the user, naming the file; empty when there is nothing to report.
    std::string czechMessage() const;
};

// Opens the store file at `path`, creating it and its folder (owner-only permissions)
// when missing. Only a file that is no database at all, or that SQLite finds damaged, is
// renamed to `<path>.damaged-<UTC timestamp>` (with its -wal/-shm companions) and replaced
// by a fresh store. A store that can be read but not written is opened read-only (its
// writes are refused with the reason). A file that cannot be read, another program's
// database and a newer version's store are left untouched and the store lives in memory.
// The whole sequence holds an advisory lock on `<path>.lock`, so programs starting at once
// never move aside a store another one has just made.
StoreOpening openStoreAt(const std::string& path);
// openStoreAt(defaultStorePath()).
StoreOpening openDefaultStore();

}  // namespace tomelin
