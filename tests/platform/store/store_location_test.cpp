// Where the store file lives and what happens to a file that cannot be used.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <optional>

#include "platform/store/store_folder.h"
#include "platform/store/store_location.h"

namespace tomelin {
namespace {

using namespace tomelin::testing;

// Saves the variables the store's place depends on and puts them back afterwards.
class EnvironmentGuard {
public:
    EnvironmentGuard() {
        for (const char* name : kNames)
            m_saved.push_back(std::getenv(name) ? std::optional<std::string>(std::getenv(name))
                                                : std::nullopt);
    }
    ~EnvironmentGuard() {
        for (std::size_t i = 0; i < 3; ++i)
            m_saved[i] ? setenv(kNames[i], m_saved[i]->c_str(), 1) : unsetenv(kNames[i]);
    }

private:
    static constexpr const char* kNames[3] = {"TOMELIN_STORE", "XDG_DATA_HOME", "HOME"};
    std::vector<std::optional<std::string>> m_saved;
};

mode_t permissions(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_mode & 0777 : 0;
}

TEST(StorePath, ExplicitVariableWinsThenAbsoluteXdgDataHomeThenHome) {
    EnvironmentGuard env;
    setenv("TOMELIN_STORE", "/tmp/x/my.db", 1);
    setenv("XDG_DATA_HOME", "/data", 1);
    setenv("HOME", "/home/eva", 1);
    EXPECT_EQ(defaultStorePath(), "/tmp/x/my.db");
    setenv("TOMELIN_STORE", "", 1);
    EXPECT_EQ(defaultStorePath(), "/data/tomelin/tomelin.db");
    setenv("XDG_DATA_HOME", "relative/path", 1);
    EXPECT_EQ(defaultStorePath(), "/home/eva/.local/share/tomelin/tomelin.db");
}

TEST(StoreOpening, DefaultStoreIsCreatedWithOwnerOnlyFoldersWhereTheEnvironmentSays) {
    StoreFolder folder;
    EnvironmentGuard env;
    const std::string path = (folder.path() / "a" / "b" / "tomelin.db").string();
    setenv("TOMELIN_STORE", path.c_str(), 1);
    {
        StoreOpening opening = openDefaultStore();
        ASSERT_NE(opening.store, nullptr);
        EXPECT_FALSE(opening.hasProblem());
        EXPECT_TRUE(opening.czechMessage().empty());
        EXPECT_TRUE(opening.persistent);
        EXPECT_EQ(opening.path, path);
        opening.store->CreateRegKey(kProgramKey);
    }
    EXPECT_EQ(permissions((folder.path() / "a" / "b").string()), 0700u);
    EXPECT_EQ(permissions(path), 0600u);
    EXPECT_TRUE(SqliteStore::open(path).store->openKey(kProgramKey));
}

TEST(StoreOpening, DamagedOrForeignFilesAreMovedAsideUnchangedEachUnderItsOwnName) {
    StoreFolder folder;
    const std::string path = folder.file();
    {
        auto store = folder.open();
        ASSERT_NE(store, nullptr);
        StoreTransaction transaction(*store);
        for (int i = 0; i < 400; ++i) {
            const std::string key = "Software\\Brantl\\Tomelin\\Hry\\" + std::to_string(10000 + i);
            store->CreateRegKey(key);
            store->WriteRegValue(key, "", std::string(200, 'a' + i % 26), kTypeText);
        }
        ASSERT_TRUE(transaction.commit());
    }
    // Checkpoint the journal into the file, then overwrite the pages after the first.
    rawSql(path, "PRAGMA wal_checkpoint(TRUNCATE)");
    std::string bytes = readFile(path);
    ASSERT_GT(bytes.size(), 20000u);
    for (std::size_t i = 4096; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7);
    writeFile(path, bytes);

    StoreOpening first = openStoreAt(path);
    ASSERT_TRUE(first.movedAsideTo.has_value()) << first.problem;
    EXPECT_EQ(readFile(*first.movedAsideTo), bytes);
    EXPECT_FALSE(first.store->openKey("Software"));
    ASSERT_EQ(first.store->CreateRegKey(kProgramKey), kStatusOk);
    first.store.reset();
    StoreOpening again = openStoreAt(path);  // the fresh store in its place persists
    EXPECT_FALSE(again.hasProblem());
    EXPECT_TRUE(again.store->openKey(kProgramKey));
    again.store.reset();

    const std::string notes = "These are my notes, not a database.\n" + std::string(5000, 'x');
    writeFile(path, notes);
    StoreOpening second = openStoreAt(path);
    ASSERT_TRUE(second.movedAsideTo.has_value());
    EXPECT_TRUE(second.persistent);
    EXPECT_EQ(second.movedAsideTo->rfind(path + ".damaged-", 0), 0u);
    EXPECT_NE(*second.movedAsideTo, *first.movedAsideTo);
    EXPECT_EQ(readFile(*second.movedAsideTo), notes);
    EXPECT_NE(second.czechMessage().find(*second.movedAsideTo), std::string::npos);
    EXPECT_NE(second.czechMessage().find("přesunut"), std::string::npos);
    second.store.reset();

    std::filesystem::remove(path);
    rawSql(path, "CREATE TABLE notes(text); INSERT INTO notes VALUES('keep me')");
    StoreOpening third = openStoreAt(path);
    ASSERT_TRUE(third.movedAsideTo.has_value());
    EXPECT_EQ(rawSql(*third.movedAsideTo, "SELECT text FROM notes"), "keep me");
    EXPECT_EQ(readFile(*first.movedAsideTo), bytes);
}

TEST(StoreOpening, StoreOfANewerVersionIsLeftUntouchedAndTheRunKeepsNothing) {
    StoreFolder folder;
    const std::string path = folder.file();
    folder.open()->CreateRegKey(kProgramKey);
    rawSql(path, "PRAGMA user_version = 99");
    const std::string before = readFile(path);

    StoreOpening opening = openStoreAt(path);
    ASSERT_NE(opening.store, nullptr);
    EXPECT_FALSE(opening.movedAsideTo.has_value());
    EXPECT_FALSE(opening.persistent);
    EXPECT_FALSE(opening.czechMessage().empty());
    // The run still has a working store, only not in the file.
    EXPECT_EQ(opening.store->CreateRegKey("Software\\X"), kStatusOk);
    EXPECT_TRUE(opening.store->openKey("Software\\X"));
    opening.store.reset();
    EXPECT_EQ(readFile(path), before);
}

TEST(StoreOpening, FolderInPlaceOfTheFileGivesAStoreInMemoryAndAnEmptyFileAStore) {
    StoreFolder folder;
    std::filesystem::create_directory(folder.path() / "tomelin.db");
    StoreOpening inMemory = openStoreAt(folder.file());
    ASSERT_NE(inMemory.store, nullptr);
    EXPECT_FALSE(inMemory.persistent);
    EXPECT_FALSE(inMemory.movedAsideTo.has_value());
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "tomelin.db"));

    writeFile(folder.file("empty.db"), "");
    StoreOpening empty = openStoreAt(folder.file("empty.db"));
    EXPECT_FALSE(empty.hasProblem()) << empty.problem;
    EXPECT_TRUE(empty.persistent);
    EXPECT_EQ(empty.store->CreateRegKey("Software"), kStatusOk);
}

}  // namespace
}  // namespace tomelin
