// Files the store must not change, move or hide: another program's database, a newer
// version's store, and stores the user may read but not write, or not even read. The
// permission cases run in a child process as a user without special rights (the tests may run
// as root, for whom every file is writable).

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <sstream>

#include "boards/board_list.h"
#include "platform/store/store_folder.h"
#include "platform/store/store_location.h"
#include "records/game_record.h"
#include "records/survey.h"

namespace tomelin {
namespace {

using namespace tomelin::testing;
namespace fs = std::filesystem;

// FNV-1a over the file's bytes, with its size: equal checksums mean an unchanged file here.
std::string checksum(const std::string& path) {
    const std::string bytes = readFile(path);
    std::uint64_t hash = 1469598103934665603ULL;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return std::to_string(bytes.size()) + ":" + std::to_string(hash);
}

bool anyMovedAside(const fs::path& folder) {
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().find(".damaged-") != std::string::npos)
            return true;
    }
    return false;
}

// A store file with one board and one record, as the program leaves it.
void fillStore(const std::string& path) {
    auto store = SqliteStore::open(path).store;
    ASSERT_NE(store, nullptr);
    ASSERT_FALSE(saveBoardToSlot(*store, "01", "Moje", "+" + std::string(34, 'X') + "-"));
    const GameRecord record{.board = "Originál",
                            .names = {"Eva", "PC Génius"},
                            .counts = {70, 51},
                            .tokens = {"ACE1", "ECA5"},
                            .winner = 1,
                            .moves = 60};
    ASSERT_EQ(writeGameRecord(*store, record).outcome, RecordWrite::Outcome::Written);
}

TEST(StoreTrust, AnotherProgramsDatabaseIsRecognisedBeforeAnythingIsWrittenToIt) {
    StoreFolder folder;
    const std::string path = folder.file("notes.sqlite");
    rawSql(path, "CREATE TABLE notes(text); INSERT INTO notes VALUES('keep me')");
    const std::string before = checksum(path);
    ASSERT_EQ(readFile(path).substr(18, 2), std::string("\x01\x01"));  // rollback journal

    // The store itself refuses the file without switching its journal.
    const SqliteStore::OpenResult direct = SqliteStore::open(path);
    EXPECT_EQ(direct.store, nullptr);
    EXPECT_EQ(direct.error, SqliteOpenError::Foreign);
    EXPECT_EQ(checksum(path), before);

    StoreOpening opening = openStoreAt(path);
    ASSERT_NE(opening.store, nullptr);
    EXPECT_EQ(opening.limit, StoreLimit::Foreign);
    EXPECT_FALSE(opening.persistent);
    EXPECT_FALSE(opening.movedAsideTo);
    EXPECT_NE(opening.czechMessage().find("„" + path + "“"), std::string::npos);
    EXPECT_NE(opening.czechMessage().find("databáze jiného programu"), std::string::npos);
    // The run still works, in memory.
    EXPECT_EQ(opening.store->CreateRegKey(kProgramKey), kStatusOk);
    opening.store.reset();
    EXPECT_EQ(checksum(path), before);
    EXPECT_EQ(rawSql(path, "SELECT text FROM notes"), "keep me");
    EXPECT_FALSE(anyMovedAside(folder.path()));

    // A database that carries our version number but none of our tables is not ours either,
    // nor (found by fuzzing the open) one whose tables have our names but other columns.
    for (const char* schema :
         {"CREATE TABLE other(x); PRAGMA user_version = 1",
          "CREATE TABLE store_keys(id INTEGER PRIMARY KEY, path TEXT);"
          "CREATE TABLE store_values(key_id, name); PRAGMA user_version = 1"}) {
        SCOPED_TRACE(schema);
        const std::string tagged = folder.file("tagged.sqlite");
        std::filesystem::remove(tagged);
        rawSql(tagged, schema);
        const std::string taggedBefore = checksum(tagged);
        EXPECT_EQ(SqliteStore::open(tagged).error, SqliteOpenError::Foreign);
        EXPECT_EQ(openStoreAt(tagged).limit, StoreLimit::Foreign);
        EXPECT_EQ(checksum(tagged), taggedBefore);
    }
}

// Found by fuzzing the store's open: a database without any table that is not one of ours
// was switched to WAL before the schema was laid out (and then refused).
TEST(StoreTrust, EmptyDatabaseOfAnotherProgramIsLeftAloneButOurOwnUnfinishedOneIsUsed) {
    StoreFolder folder;
    const std::string theirs = folder.file("theirs.db");
    rawSql(theirs, "CREATE TABLE t(x); DROP TABLE t");
    ASSERT_GT(readFile(theirs).size(), 0u);
    const std::string before = checksum(theirs);
    EXPECT_EQ(SqliteStore::open(theirs).error, SqliteOpenError::Foreign);
    EXPECT_EQ(openStoreAt(theirs).limit, StoreLimit::Foreign);
    EXPECT_EQ(checksum(theirs), before);

    // A first start stopped after switching its new file to WAL left no schema: finish it.
    const std::string ours = folder.file("ours.db");
    rawSql(ours, "PRAGMA journal_mode = WAL");
    rawSql(ours, "PRAGMA user_version = 0");
    StoreOpening opening = openStoreAt(ours);
    EXPECT_FALSE(opening.hasProblem()) << opening.problem;
    EXPECT_EQ(opening.store->CreateRegKey(kProgramKey), kStatusOk);
}

TEST(StoreTrust, NewerVersionsStoreIsLeftByteIdenticalAndTheUserIsTold) {
    StoreFolder folder;
    const std::string path = folder.file();
    fillStore(path);
    rawSql(path, "PRAGMA user_version = 7");
    rawSql(path, "PRAGMA wal_checkpoint(TRUNCATE)");
    const std::string before = checksum(path);
    StoreOpening opening = openStoreAt(path);
    EXPECT_EQ(opening.limit, StoreLimit::TooNew);
    EXPECT_FALSE(opening.persistent);
    EXPECT_NE(opening.czechMessage().find("novější verze"), std::string::npos);
    EXPECT_NE(opening.czechMessage().find(path), std::string::npos);
    opening.store.reset();
    EXPECT_EQ(checksum(path), before);
    EXPECT_FALSE(anyMovedAside(folder.path()));
}

TEST(StoreTrust, ReadOnlyStoreShowsEverythingAndRefusesEveryWriteWithItsReason) {
    StoreFolder folder;
    const std::string path = folder.file();
    fillStore(path);
    auto reading = SqliteStore::openReadOnly(path);
    ASSERT_NE(reading.store, nullptr) << reading.detail;
    Store& store = *reading.store;
    store.beginTransaction();
    EXPECT_EQ(readBoardList(store).size(), 6);
    EXPECT_EQ(readSurvey(store).recordCount(), 1);
    EXPECT_EQ(store.CreateRegKey("Software\\X"), kStatusReadOnly);
    EXPECT_EQ(store.WriteRegValue(boardKeyPath("01"), "", std::string("Jiné"), kTypeText),
              kStatusReadOnly);
    EXPECT_EQ(store.DeleteRegKey(boardKeyPath("01")), kStatusReadOnly);
    EXPECT_EQ(deleteBoardSlot(store, "01"), BoardStoreError::ReadOnly);
    EXPECT_EQ(writeGameRecord(store, GameRecord{.board = "Dáma",
                                                .names = {"A", "B"},
                                                .counts = {2, 1},
                                                .tokens = {"AAA1", "EEE1"},
                                                .winner = 1})
                  .status,
              kStatusReadOnly);
    EXPECT_FALSE(store.beginTransaction());
    EXPECT_EQ(readBoardList(store).names.back(), "Moje");
}

// Runs `check` in a child process without root's rights; the child's failures come back as
// text (empty: all passed).
std::string asUnprivilegedUser(const std::function<std::string()>& check) {
    int out[2];
    if (pipe(out) != 0)
        return "no pipe";
    const pid_t pid = fork();
    if (pid < 0)
        return "no fork";
    if (pid == 0) {
        close(out[0]);
        std::string failures;
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            failures = "cannot drop root's rights";
        if (failures.empty())
            failures = check();
        const ssize_t written = ::write(out[1], failures.data(), failures.size());
        _exit(written == static_cast<ssize_t>(failures.size()) ? 0 : 1);
    }
    close(out[1]);
    std::string failures;
    char buffer[512];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        failures.append(buffer, static_cast<std::size_t>(n));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        failures += " (child ended badly)";
    return failures;
}

// Gives a file or folder to the user the checks run as (nothing to do when not root).
void giveAway(const fs::path& path) {
    if (geteuid() == 0) {
        EXPECT_EQ(chown(path.c_str(), 65534, 65534), 0) << path;
    }
}

// What a user who may read the file but not write it must see: everything, read-only.
std::string expectReadOnly(const std::string& path, const std::string& reasonWords) {
    std::ostringstream failures;
    StoreOpening opening = openStoreAt(path);
    if (opening.limit != StoreLimit::ReadOnly)
        failures << "not opened read-only: " << opening.problem << "; ";
    if (!opening.persistent || opening.movedAsideTo)
        failures << "moved or in memory; ";
    if (readBoardList(*opening.store).size() != 6)
        failures << "stored board not listed; ";
    if (readSurvey(*opening.store).recordCount() != 1)
        failures << "record not read; ";
    if (saveBoardToSlot(*opening.store, "02", "Nové", std::string(36, 'X')) == std::nullopt)
        failures << "a board save was not refused; ";
    const std::string message = opening.czechMessage();
    for (const std::string& part : {"„" + path + "“", std::string("nelze uložit"), reasonWords}) {
        if (message.find(part) == std::string::npos)
            failures << "message lacks \"" << part << "\": " << message << "; ";
    }
    if (opening.store->writeRefusal() != message)
        failures << "writes are refused without the reason; ";
    return failures.str();
}

std::string expectUnreadable(const std::string& path) {
    std::ostringstream failures;
    StoreOpening opening = openStoreAt(path);
    if (opening.limit != StoreLimit::Unreadable || opening.persistent)
        failures << "not reported unreadable: " << opening.problem << "; ";
    if (opening.movedAsideTo)
        failures << "moved aside to " << *opening.movedAsideTo << "; ";
    if (opening.czechMessage().find("„" + path + "“") == std::string::npos ||
        opening.czechMessage().find("nelze přečíst") == std::string::npos)
        failures << "message: " << opening.czechMessage() << "; ";
    if (opening.store->CreateRegKey(kProgramKey) != kStatusOk)
        failures << "the run has no working store; ";
    return failures.str();
}

TEST(StoreTrust, StoresTheUserCannotWriteOpenReadOnlyAndStayByteIdentical) {
    StoreFolder folder;
    fs::permissions(folder.path(), fs::perms::all);  // the child user may enter
    struct Case {
        const char* name;
        fs::perms filePerms;
        bool giveFile;     // the file belongs to the child's user
        bool readOnlyDir;  // the file lies in a folder the child may not write
        const char* reason;
    };
    std::vector<Case> cases = {
        {"mode400", fs::perms::owner_read, true, false, "jen pro čtení"},
        {"foldertight", fs::perms::owner_read | fs::perms::owner_write, true, true,
         "nelze zapisovat"},
    };
    if (geteuid() == 0)  // only root can hand a file to another user
        cases.push_back({"othersfile",
                         fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                             fs::perms::others_read,
                         false, false, "jinému uživateli"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path dir = folder.path() / c.name;
        fs::create_directory(dir);
        const std::string path = (dir / "tomelin.db").string();
        fillStore(path);
        rawSql(path, "PRAGMA wal_checkpoint(TRUNCATE)");
        // Leave no journal files behind, as a program that ended cleanly does.
        for (const char* companion : {"-wal", "-shm"})
            fs::remove(path + companion);
        fs::permissions(path, c.filePerms);
        if (c.giveFile)
            giveAway(path);
        giveAway(dir);
        fs::permissions(dir, c.readOnlyDir ? fs::perms::owner_read | fs::perms::owner_exec |
                                                 fs::perms::others_read | fs::perms::others_exec
                                           : fs::perms::all);
        const std::string before = checksum(path);
        EXPECT_EQ(asUnprivilegedUser([&] { return expectReadOnly(path, c.reason); }), "");
        EXPECT_EQ(checksum(path), before);
        EXPECT_FALSE(anyMovedAside(dir));
        fs::permissions(dir, fs::perms::all);
    }
}

TEST(StoreTrust, StoreTheUserCannotReadIsLeftInPlaceAndTheRunWorksInMemory) {
    StoreFolder folder;
    fs::permissions(folder.path(), fs::perms::all);
    const std::string path = folder.file();
    fillStore(path);
    rawSql(path, "PRAGMA wal_checkpoint(TRUNCATE)");
    fs::permissions(path, fs::perms::none);
    giveAway(path);
    const std::string before = checksum(path);
    EXPECT_EQ(asUnprivilegedUser([&] { return expectUnreadable(path); }), "");
    EXPECT_EQ(checksum(path), before);
    EXPECT_TRUE(fs::exists(path));
    EXPECT_FALSE(anyMovedAside(folder.path()));
}

}  // namespace
}  // namespace tomelin
