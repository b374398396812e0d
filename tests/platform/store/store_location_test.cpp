// Where the store file lives and what happens to a file that cannot be used.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <optional>

#include "platform/store/store_folder.h"
#include "platform/store/store_location.h"

namespace tomelin {
namespace {

using namespace tomelin::testing;

// Puts the variables the store's place depends on back as they were.
struct EnvironmentGuard {
    static constexpr const char* kNames[3] = {"TOMELIN_STORE", "XDG_DATA_HOME", "HOME"};
    std::array<std::optional<std::string>, 3> saved;
    EnvironmentGuard() {
        for (int i = 0; i < 3; ++i)
            if (const char* value = std::getenv(kNames[i]))
                saved[i] = value;
    }
    ~EnvironmentGuard() {
        for (int i = 0; i < 3; ++i)
            saved[i] ? setenv(kNames[i], saved[i]->c_str(), 1) : unsetenv(kNames[i]);
    }
};

mode_t permissions(const std::filesystem::path& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_mode & 0777 : 0;
}

TEST(StoreOpening, PathComesFromTheVariableThenAbsoluteXdgDataHomeThenHome) {
    EnvironmentGuard env;
    setenv("XDG_DATA_HOME", "/data", 1);
    setenv("HOME", "/home/eva", 1);
    setenv("TOMELIN_STORE", "", 1);
    EXPECT_EQ(defaultStorePath(), "/data/tomelin/tomelin.db");
    setenv("XDG_DATA_HOME", "relative/path", 1);
    EXPECT_EQ(defaultStorePath(), "/home/eva/.local/share/tomelin/tomelin.db");

    // The default store is made there with owner-only folders.
    StoreFolder folder;
    const std::filesystem::path path = folder.path() / "a" / "b" / "tomelin.db";
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
    EXPECT_EQ(permissions(path.parent_path()), 0700u);
    EXPECT_EQ(permissions(path), 0600u);
    EXPECT_TRUE(SqliteStore::open(path).store->openKey(kProgramKey));
}

TEST(StoreOpening, DamagedFilesAreMovedAsideUnchangedEachUnderItsOwnName) {
    StoreFolder folder;
    const std::string path = folder.file();
    {
        auto store = folder.open();
        store->CreateRegKey(kProgramKey);
        store->WriteRegValue(kProgramKey, "", std::string(30000, 'a'), kTypeText);
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
    EXPECT_EQ(readFile(*first.movedAsideTo), bytes);  // the first one is left as it was
}

TEST(StoreOpening, UnusableFileLeavesTheRunAStoreInMemoryAndTheFileUntouched) {
    StoreFolder folder;
    const std::string path = folder.file();
    folder.open()->CreateRegKey(kProgramKey);
    rawSql(path, "PRAGMA user_version = 99");  // written by a newer version
    const std::string before = readFile(path);
    std::filesystem::create_directory(folder.path() / "folder.db");
    for (const std::string& file : {path, folder.file("folder.db")}) {
        StoreOpening opening = openStoreAt(file);
        ASSERT_NE(opening.store, nullptr) << file;
        EXPECT_FALSE(opening.movedAsideTo.has_value()) << file;
        EXPECT_FALSE(opening.persistent) << file;
        EXPECT_FALSE(opening.czechMessage().empty()) << file;
        EXPECT_EQ(opening.store->CreateRegKey("Software\\X"), kStatusOk) << file;
        EXPECT_TRUE(opening.store->openKey("Software\\X")) << file;
    }
    EXPECT_EQ(readFile(path), before);
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "folder.db"));

    writeFile(folder.file("empty.db"), "");  // an empty file simply becomes a store
    StoreOpening empty = openStoreAt(folder.file("empty.db"));
    EXPECT_FALSE(empty.hasProblem()) << empty.problem;
    EXPECT_TRUE(empty.persistent);
}

}  // namespace
}  // namespace tomelin
