#include "platform/store/store_location.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "platform/store/sqlite_store.h"

namespace tomelin {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// Creates the folder and its missing parents with owner-only permissions.
bool makeFolder(const std::filesystem::path& folder, std::string& problem) {
    if (folder.empty())
        return true;
    std::error_code ec;
    if (std::filesystem::is_directory(folder, ec))
        return true;
    if (!makeFolder(folder.parent_path(), problem))
        return false;
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        problem = "cannot create " + folder.string() + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

std::string utcStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &parts);
    return text;
}

bool exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// Renames the file and its journal companions to `<path>.damaged-<stamp>[-n]`; returns the
// new name of the main file, or nothing when it could not be moved.
std::optional<std::string> moveAside(const std::string& path, std::string& problem) {
    const std::string base = path + ".damaged-" + utcStamp();
    std::string target = base;
    for (int n = 2; exists(target) || exists(target + "-wal"); ++n) {
        target = base + "-" + std::to_string(n);
    }
    if (std::rename(path.c_str(), target.c_str()) != 0) {
        problem += "; cannot move it aside: ";
        problem += std::strerror(errno);
        return std::nullopt;
    }
    for (const char* companion : {"-wal", "-shm", "-journal"}) {
        const std::string from = path + companion;
        if (exists(from))
            std::rename(from.c_str(), (target + companion).c_str());
    }
    return target;
}

const char* errorName(SqliteOpenError error) {
    switch (error) {
        case SqliteOpenError::None:
            return "no error";
        case SqliteOpenError::CannotOpen:
            return "cannot be opened";
        case SqliteOpenError::NotAStore:
            return "is not a usable store";
        case SqliteOpenError::TooNew:
            return "was written by a newer version";
        case SqliteOpenError::Failed:
            return "could not be prepared";
    }
    return "failed";
}

StoreOpening inMemory(StoreOpening opening) {
    opening.persistent = false;
    opening.store = std::move(SqliteStore::open(":memory:").store);
    return opening;
}

}  // namespace

std::string defaultStorePath() {
    const std::string explicitPath = environment("TOMELIN_STORE");
    if (!explicitPath.empty())
        return explicitPath;
    const std::string dataHome = environment("XDG_DATA_HOME");
    if (!dataHome.empty() && dataHome.front() == '/')
        return dataHome + "/tomelin/tomelin.db";
    return environment("HOME") + "/.local/share/tomelin/tomelin.db";
}

std::string StoreOpening::czechMessage() const {
    if (movedAsideTo) {
        return "Soubor s uloženými hracími poli a záznamy her nebylo možné přečíst. "
               "Byl přesunut do souboru „" +
               *movedAsideTo + "“ a program začíná s novým, prázdným souborem.";
    }
    if (!persistent) {
        return "Soubor s uloženými hracími poli a záznamy her „" + path +
               "“ nelze použít. Nová hrací pole a výsledky her se do konce běhu programu "
               "neuloží.";
    }
    return {};
}

StoreOpening openStoreAt(const std::string& path) {
    StoreOpening opening;
    opening.path = path;
    if (!makeFolder(std::filesystem::path(path).parent_path(), opening.problem)) {
        return inMemory(std::move(opening));
    }
    SqliteStore::OpenResult first = SqliteStore::open(path);
    if (first.store) {
        opening.store = std::move(first.store);
        return opening;
    }
    opening.problem = path + " " + errorName(first.error) + " (" + first.detail + ")";
    // A newer program's store is kept as it is for that program; this run works in memory.
    // A file that cannot be opened at all (e.g. a folder in its place) is not ours to move
    // unless it exists as a file.
    if (first.error == SqliteOpenError::TooNew || first.error == SqliteOpenError::Failed) {
        return inMemory(std::move(opening));
    }
    if (first.error == SqliteOpenError::CannotOpen &&
        !std::filesystem::is_regular_file(std::filesystem::path(path))) {
        return inMemory(std::move(opening));
    }
    opening.movedAsideTo = moveAside(path, opening.problem);
    if (!opening.movedAsideTo)
        return inMemory(std::move(opening));
    SqliteStore::OpenResult fresh = SqliteStore::open(path);
    if (!fresh.store) {
        opening.problem += "; the new store failed too (" + fresh.detail + ")";
        return inMemory(std::move(opening));
    }
    opening.store = std::move(fresh.store);
    return opening;
}

StoreOpening openDefaultStore() {
    return openStoreAt(defaultStorePath());
}

}  // namespace tomelin
