// Where the store file lives and what happens to a file that cannot be used.

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <map>
#include <optional>

#include "platform/store/store_folder.h"
#include "platform/store/store_location.h"

namespace tomelin {
namespace {

using testing::StoreFolder;

// Sets environment variables for one test and puts the old values back afterwards.
class EnvironmentGuard {
public:
    void set(const char* name, const char* value) {
        if (!m_saved.count(name)) {
            const char* old = std::getenv(name);
            m_saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~EnvironmentGuard() {
        for (const auto& [name, value] : m_saved) {
            if (value) {
                setenv(name.c_str(), value->c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
    }

private:
    std::map<std::string, std::optional<std::string>> m_saved;
};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

void rawSql(const std::string& file, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

TEST(StorePath, ExplicitVariableWinsThenXdgDataHomeThenHome) {
    EnvironmentGuard env;
    env.set("TOMELIN_STORE", "/tmp/x/my.db");
    env.set("XDG_DATA_HOME", "/data");
    env.set("HOME", "/home/eva");
    EXPECT_EQ(defaultStorePath(), "/tmp/x/my.db");
    env.set("TOMELIN_STORE", "");
    EXPECT_EQ(defaultStorePath(), "/data/tomelin/tomelin.db");
    env.set("TOMELIN_STORE", nullptr);
    env.set("XDG_DATA_HOME", "relative/path");  // not absolute: ignored
    EXPECT_EQ(defaultStorePath(), "/home/eva/.local/share/tomelin/tomelin.db");
    env.set("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(defaultStorePath(), "/home/eva/.local/share/tomelin/tomelin.db");
}

TEST(StoreOpening, CreatesMissingFoldersOwnerOnly) {
    StoreFolder folder;
    const std::string path = (folder.path() / "a" / "b" / "tomelin.db").string();
    StoreOpening opening = openStoreAt(path);
    ASSERT_NE(opening.store, nullptr);
    EXPECT_FALSE(opening.hasProblem());
    EXPECT_TRUE(opening.czechMessage().empty());
    EXPECT_TRUE(opening.persistent);
    struct stat info {};
    ASSERT_EQ(stat((folder.path() / "a" / "b").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST(StoreOpening, OpensTheFileNamedByTheEnvironment) {
    StoreFolder folder;
    EnvironmentGuard env;
    env.set("TOMELIN_STORE", folder.file("env.db").c_str());
    {
        StoreOpening opening = openDefaultStore();
        ASSERT_NE(opening.store, nullptr);
        EXPECT_EQ(opening.path, folder.file("env.db"));
        opening.store->CreateRegKey("Software\\Brantl\\Tomelin");
    }
    EXPECT_TRUE(folder.open("env.db")->openKey("Software\\Brantl\\Tomelin"));
}

TEST(StoreOpening, FileThatIsNotADatabaseIsMovedAsideUnchangedAndReported) {
    StoreFolder folder;
    const std::string path = folder.file();
    const std::string garbage = "These are my notes, not a database.\n" + std::string(5000, 'x');
    writeFile(path, garbage);

    StoreOpening opening = openStoreAt(path);
    ASSERT_NE(opening.store, nullptr);
    ASSERT_TRUE(opening.movedAsideTo.has_value());
    EXPECT_TRUE(opening.persistent);
    EXPECT_EQ(opening.movedAsideTo->rfind(path + ".damaged-", 0), 0u);
    EXPECT_EQ(readFile(*opening.movedAsideTo), garbage);
    EXPECT_NE(opening.czechMessage().find(*opening.movedAsideTo), std::string::npos);
    EXPECT_NE(opening.czechMessage().find("přesunut"), std::string::npos);

    // The fresh store in its place works and persists.
    ASSERT_EQ(opening.store->CreateRegKey("Software\\Brantl\\Tomelin"), kStatusOk);
    opening.store.reset();
    StoreOpening again = openStoreAt(path);
    EXPECT_FALSE(again.hasProblem());
    EXPECT_TRUE(again.store->openKey("Software\\Brantl\\Tomelin"));
}

TEST(StoreOpening, DamagedDatabaseIsMovedAsideAndASecondDamageGetsAnotherName) {
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
    first.store.reset();

    writeFile(path, "garbage again, more than a header's worth of bytes..........");
    StoreOpening second = openStoreAt(path);
    ASSERT_TRUE(second.movedAsideTo.has_value());
    EXPECT_NE(*second.movedAsideTo, *first.movedAsideTo);
    EXPECT_EQ(readFile(*first.movedAsideTo), bytes);
}

TEST(StoreOpening, DatabaseOfAnotherProgramIsMovedAsideNotEmptied) {
    StoreFolder folder;
    const std::string path = folder.file();
    rawSql(path, "CREATE TABLE notes(text); INSERT INTO notes VALUES('keep me')");
    StoreOpening opening = openStoreAt(path);
    ASSERT_TRUE(opening.movedAsideTo.has_value());
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(opening.movedAsideTo->c_str(), &db), SQLITE_OK);
    sqlite3_stmt* stmt = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT text FROM notes", -1, &stmt, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)), "keep me");
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}

TEST(StoreOpening, StoreOfANewerVersionIsLeftUntouchedAndTheRunKeepsNothing) {
    StoreFolder folder;
    const std::string path = folder.file();
    {
        auto store = folder.open();
        store->CreateRegKey("Software\\Brantl\\Tomelin");
    }
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

TEST(StoreOpening, FolderInPlaceOfTheFileGivesAStoreInMemory) {
    StoreFolder folder;
    std::filesystem::create_directory(folder.path() / "tomelin.db");
    StoreOpening opening = openStoreAt(folder.file());
    ASSERT_NE(opening.store, nullptr);
    EXPECT_FALSE(opening.persistent);
    EXPECT_FALSE(opening.movedAsideTo.has_value());
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "tomelin.db"));
}

TEST(StoreOpening, EmptyFileBecomesAStore) {
    StoreFolder folder;
    writeFile(folder.file(), "");
    StoreOpening opening = openStoreAt(folder.file());
    EXPECT_FALSE(opening.hasProblem()) << opening.problem;
    EXPECT_EQ(opening.store->CreateRegKey("Software"), kStatusOk);
}

}  // namespace
}  // namespace tomelin
