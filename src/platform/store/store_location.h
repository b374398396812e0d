#pragma once
// Where the store file lives, and opening it so that a damaged file is never lost:
// it is moved aside, a fresh store starts, and the caller gets a report to show.

#include <memory>
#include <optional>
#include <string>

#include "platform/store/store.h"

namespace tomelin {

// `$TOMELIN_STORE` when set and non-empty, else `$XDG_DATA_HOME/tomelin/tomelin.db` when
// XDG_DATA_HOME is an absolute path, else `$HOME/.local/share/tomelin/tomelin.db`.
std::string defaultStorePath();

// The store the program works with, and what happened while opening it.
struct StoreOpening {
    std::unique_ptr<Store> store;  // never null
    std::string path;              // the file in use
    // The file found at `path` could not be used and was moved here (kept for the user).
    std::optional<std::string> movedAsideTo;
    // The store could not be kept in a file at all; it lives in memory for this run.
    bool persistent = true;
    // Technical reason for either of the two above (English, for logs and the CLI).
    std::string problem;

    bool hasProblem() const { return movedAsideTo.has_value() || !persistent; }
    // The Czech message for the user, empty when there is nothing to report.
    std::string czechMessage() const;
};

// Opens the store file at `path`, creating it and its folder (owner-only permissions)
// when missing. A file that is not a usable store is renamed to
// `<path>.damaged-<UTC timestamp>` (with its -wal/-shm companions) and a fresh store is
// created in its place. When no file can be used, the store lives in memory.
StoreOpening openStoreAt(const std::string& path);
// openStoreAt(defaultStorePath()).
StoreOpening openDefaultStore();

}  // namespace tomelin
