#include "platform/store/store_location.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <thread>

#include <sqlite3.h>

#include "core/texts.h"
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
            return "cannot be opened for writing";
        case SqliteOpenError::NotAStore:
            return "is damaged or not a database";
        case SqliteOpenError::Foreign:
            return "is a database of another program";
        case SqliteOpenError::TooNew:
            return "was written by a newer version";
        case SqliteOpenError::Empty:
            return "is empty";
        case SqliteOpenError::Failed:
            return "could not be prepared";
    }
    return "failed";
}

// The advisory lock that makes looking at the file, moving it aside and creating a fresh one
// a single step for every program that opens the store; released when destroyed (also when
// the process dies). The lock file stays: removing it would let two programs lock different
// files.
class OpeningLock {
public:
    static constexpr auto kWait = std::chrono::seconds(30);

    explicit OpeningLock(const std::string& storePath) {
        const std::string path = storePath + ".lock";
        m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd < 0)  // a folder we may not write: nobody can move or create a store there
            m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (m_fd < 0) {
            m_acquired = true;
            return;
        }
        const auto deadline = std::chrono::steady_clock::now() + kWait;
        while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK && errno != EINTR) {
                m_acquired = true;  // a file system without locks: go on as before
                return;
            }
            if (std::chrono::steady_clock::now() >= deadline)
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        m_acquired = true;
    }
    ~OpeningLock() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    OpeningLock(const OpeningLock&) = delete;
    OpeningLock& operator=(const OpeningLock&) = delete;

    bool acquired() const { return m_acquired; }

private:
    int m_fd = -1;
    bool m_acquired = false;
};

StoreOpening inMemory(StoreOpening opening, StoreLimit limit) {
    opening.persistent = false;
    opening.limit = limit;
    opening.store = std::move(SqliteStore::open(":memory:").store);
    return opening;
}

// Czech words for why a readable store cannot be written.
std::string whyNotWritable(const std::string& path) {
    if (diskIsFull(path))
        return trText("Store", kReasonDiskFull);
    if (auto journal = journalRefusal(path))
        return *journal;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (::access(path.c_str(), W_OK) != 0) {
        if (errno == EROFS)
            return trText("Store", "disk je připojen jen pro čtení");
        return trText("Store", "soubor je jen pro čtení nebo patří jinému uživateli");
    }
    const std::string folderText = folder.empty() ? std::string(".") : folder.string();
    if (::access(folderText.c_str(), W_OK) != 0)
        return trText("Store", "do složky „") + folderText + trText("Store", "“ nelze zapisovat");
    return trText("Store", "soubor nelze otevřít pro zápis");
}

// The file exists but cannot be opened for writing: read it if we may, else leave it.
StoreOpening readOnlyOrMemory(StoreOpening opening) {
    SqliteStore::OpenResult reading = SqliteStore::openReadOnly(opening.path);
    if (!reading.store) {
        opening.problem += "; reading it failed too (" + reading.detail + ")";
        StoreLimit limit = StoreLimit::Failed;
        if (reading.error == SqliteOpenError::Foreign)
            limit = StoreLimit::Foreign;
        else if (reading.error == SqliteOpenError::TooNew)
            limit = StoreLimit::TooNew;
        else if (reading.error == SqliteOpenError::CannotOpen)
            limit = StoreLimit::Unreadable;
        return inMemory(std::move(opening), limit);
    }
    opening.limit = StoreLimit::ReadOnly;
    opening.writeReason = whyNotWritable(opening.path);
    reading.store->setWriteRefusal(opening.czechMessage());
    opening.store = std::move(reading.store);
    return opening;
}

// A store found damaged while the program runs is handled as at opening: the file moved
// aside, a fresh one in its place, and the user told where the old one went.
void recoverWhenDamaged(SqliteStore& store, const std::string& path) {
    store.setRecovery([path]() {
        SqliteStore::Recovery recovery;
        //: A file's name in quotation marks, as the language writes them.
        const std::string file = withValue(trText("Store", "„%1“"), path);
        std::string problem;
        std::optional<std::string> moved;
        {
            const OpeningLock lock(path);
            if (lock.acquired())
                moved = moveAside(path, problem);
            if (moved)
                recovery.fresh = SqliteStore::open(path).store;
        }
        if (!moved) {
            recovery.notice = trText("Store", "Soubor s uloženými hracími poli a záznamy her ") + file +
                              trText("Store", " je poškozený a nelze jej přesunout stranou. Uložená hrací pole a "
                              "záznamy her jsou k dispozici, ale nová hrací pole a výsledky her "
                              "nelze uložit.");
            return recovery;
        }
        recovery.notice = trText("Store", "Soubor s uloženými hracími poli a záznamy her ") + file +
                          trText("Store", " byl poškozený. Byl přesunut do souboru „") + *moved + trText("Store", "“ a program ") +
                          (recovery.fresh ? trText("Store", "pokračuje s novým, prázdným souborem.")
                                          : trText("Store", "pokračuje bez souboru; nová hrací pole a výsledky "
                                            "her se do konce běhu programu neuloží."));
        return recovery;
    });
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
    //: A file's name in quotation marks, as the language writes them.
    const std::string file = withValue(trText("Store", "„%1“"), path);
    const std::string notKept =
        trText("Store", " Nová hrací pole a výsledky her se do konce běhu programu neuloží.");
    if (movedAsideTo) {
        return trText("Store", "Soubor s uloženými hracími poli a záznamy her ") + file +
               trText("Store", " byl poškozený. Byl přesunut do souboru „") + *movedAsideTo +
               trText("Store", "“ a program začíná s novým, prázdným souborem.");
    }
    switch (limit) {
        case StoreLimit::None:
            return {};
        case StoreLimit::ReadOnly:
            return trText("Store", "Do souboru s uloženými hracími poli a záznamy her ") + file +
                   trText("Store", " nelze zapisovat (") + writeReason +
                   trText("Store", "). Uložená hrací pole a záznamy her jsou k dispozici, ale nová hrací pole a "
                   "výsledky her nelze uložit.");
        case StoreLimit::Unreadable:
            return trText("Store", "Soubor s uloženými hracími poli a záznamy her ") + file +
                   trText("Store", " nelze přečíst (chybí oprávnění). Soubor zůstává beze změny na svém místě.") +
                   notKept;
        case StoreLimit::Foreign:
            return trText("Store", "Soubor ") + file +
                   trText("Store", " není soubor s hracími poli a záznamy her Tomelinu, ale databáze jiného "
                   "programu. Zůstává beze změny.") +
                   notKept;
        case StoreLimit::TooNew:
            return trText("Store", "Soubor s hracími poli a záznamy her ") + file +
                   trText("Store", " uložila novější verze Tomelinu. Zůstává beze změny.") + notKept;
        case StoreLimit::CannotCreate:
            return trText("Store", "Soubor s hracími poli a záznamy her ") + file + trText("Store", " nelze vytvořit.") + notKept;
        case StoreLimit::Busy:
            return trText("Store", "Soubor s hracími poli a záznamy her ") + file +
                   trText("Store", " příliš dlouho používá jiný program.") + notKept;
        case StoreLimit::Failed:
            break;
    }
    return trText("Store", "Soubor s uloženými hracími poli a záznamy her ") + file + trText("Store", " nelze použít.") + notKept;
}

StoreOpening openStoreAt(const std::string& path) {
    StoreOpening opening;
    opening.path = path;
    if (!makeFolder(std::filesystem::path(path).parent_path(), opening.problem)) {
        return inMemory(std::move(opening), StoreLimit::CannotCreate);
    }
    const OpeningLock lock(path);
    if (!lock.acquired()) {
        opening.problem = path + ": another program holds " + path + ".lock";
        return inMemory(std::move(opening), StoreLimit::Busy);
    }
    struct stat info {};
    const bool existed = ::stat(path.c_str(), &info) == 0;
    if (existed && !S_ISREG(info.st_mode)) {
        opening.problem = path + " is not a regular file";
        return inMemory(std::move(opening), StoreLimit::Failed);
    }
    if (existed && ::access(path.c_str(), R_OK) != 0) {
        opening.problem = path + " cannot be read: " + std::strerror(errno);
        return inMemory(std::move(opening), StoreLimit::Unreadable);
    }
    SqliteStore::OpenResult first = SqliteStore::open(path);
    if (first.store) {
        recoverWhenDamaged(*first.store, path);
        opening.store = std::move(first.store);
        return opening;
    }
    opening.problem = path + " " + errorName(first.error) + " (" + first.detail + ")";
    switch (first.error) {
        case SqliteOpenError::NotAStore:
            break;  // moved aside below
        case SqliteOpenError::Foreign:
            return inMemory(std::move(opening), StoreLimit::Foreign);
        case SqliteOpenError::TooNew:
            return inMemory(std::move(opening), StoreLimit::TooNew);
        case SqliteOpenError::CannotOpen:
            if (!existed)
                return inMemory(std::move(opening), StoreLimit::CannotCreate);
            return readOnlyOrMemory(std::move(opening));
        case SqliteOpenError::Failed:
            // A store that cannot take a write now (full disk, a journal file of another
            // user) is still read, so that nothing of the user's seems lost.
            if (existed && (first.code == SQLITE_FULL || first.code == SQLITE_IOERR ||
                            first.code == SQLITE_READONLY || first.code == SQLITE_CANTOPEN))
                return readOnlyOrMemory(std::move(opening));
            if (first.code == SQLITE_BUSY || first.code == SQLITE_LOCKED)
                return inMemory(std::move(opening), StoreLimit::Busy);
            return inMemory(std::move(opening), StoreLimit::Failed);
        case SqliteOpenError::Empty:
        case SqliteOpenError::None:
            return inMemory(std::move(opening), StoreLimit::Failed);
    }
    opening.movedAsideTo = moveAside(path, opening.problem);
    if (!opening.movedAsideTo)
        return inMemory(std::move(opening), StoreLimit::Failed);
    SqliteStore::OpenResult fresh = SqliteStore::open(path);
    if (!fresh.store) {
        opening.problem += "; the new store failed too (" + fresh.detail + ")";
        return inMemory(std::move(opening), StoreLimit::CannotCreate);
    }
    recoverWhenDamaged(*fresh.store, path);
    opening.store = std::move(fresh.store);
    return opening;
}

StoreOpening openDefaultStore() {
    return openStoreAt(defaultStorePath());
}

}  // namespace tomelin
