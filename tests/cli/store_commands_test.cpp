// The tool's store commands, `records` and `play --record`, run as a real process on a
// store file in a temporary folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/store/store_folder.h"
#include "run_tool.h"

namespace {

namespace fs = std::filesystem;
using tomelin::testing::rawSql;
using tomelin::testing::readFile;
using Lines = std::vector<std::string>;

// Splits text at `separator`; a trailing separator ends the last piece without adding one.
Lines split(const std::string& text, char separator = '\n') {
    Lines out;
    std::stringstream ss(text);
    for (std::string piece; std::getline(ss, piece, separator);)
        out.push_back(piece);
    return out;
}

// The "record" lines of `records`, split into their tab-separated fields.
std::vector<Lines> recordFields(const std::string& out) {
    std::vector<Lines> records;
    for (const std::string& line : split(out))
        if (line.rfind("record\t", 0) == 0)
            records.push_back(split(line, '\t'));
    return records;
}

class StoreCommands : public ::testing::Test {
protected:
    // Runs the tool with TOMELIN_STORE pointing into the test's folder.
    CliRun cli(const Lines& args) { return runTool(args, m_store); }

    tomelin::test::TempFolder m_folder;
    const std::string m_store = (m_folder.path() / "store" / "tomelin.db").string();
};

TEST_F(StoreCommands, SetGetListAndDeleteValuesButNoKeyWithSubkeys) {
    const std::string key = "Software\\Brantl\\Tomelin";
    EXPECT_EQ(cli({"store", "set", key, "GrafickáPropracovanostFigurek", "7"}).status, 0);
    EXPECT_TRUE(fs::exists(m_store));
    EXPECT_EQ(cli({"store", "set", key + "\\HracíPole\\01", "", "Malé"}).status, 0);
    EXPECT_EQ(cli({"store", "set", key + "\\HracíPole\\01", "Počet", "-3", "--int"}).status, 0);
    EXPECT_EQ(cli({"store", "get", key, "GrafickáPropracovanostFigurek"}).out, "7\n");
    EXPECT_EQ(cli({"store", "get", key + "\\HracíPole\\01", ""}).out, "Malé\n");
    const CliRun list = cli({"store", "list", key});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(split(list.out), (Lines{key + "\tGrafickáPropracovanostFigurek\ttext\t7",
                                      key + "\\HracíPole", key + "\\HracíPole\\01\t\ttext\tMalé",
                                      key + "\\HracíPole\\01\tPočet\tint\t-3"}));
    EXPECT_EQ(split(cli({"store", "list"}).out).size(), 6u);  // plus Software and Brantl

    // The store refuses to delete a key with subkeys; the tool reports that as status 1.
    const CliRun refused = cli({"store", "delete", key + "\\HracíPole"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("subkeys"), std::string::npos);
    EXPECT_EQ(cli({"store", "delete", key + "\\HracíPole\\01"}).status, 0);
    const CliRun gone = cli({"store", "get", key + "\\HracíPole\\01", ""});
    EXPECT_EQ(gone.status, 1);
    EXPECT_EQ(split(gone.err).size(), 1u);
}

TEST_F(StoreCommands, BadArgumentsExitWithTwoAndOneLineAndOpenNoStore) {
    std::vector<Lines> bad = {{"store", "delete", ""}};
    for (const char* words :
         {"store", "store frob", "store list a b", "store get a", "store set a b",
          "store set a b c d", "store set a b x --int", "store set a b 4294967296 --int",
          "store set \\ b c", "store delete", "records extra"})
        bad.push_back(split(words, ' '));
    for (const Lines& args : bad) {
        const CliRun r = cli(args);
        SCOPED_TRACE(args.back());
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(split(r.err).size(), 1u) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_FALSE(fs::exists(m_store));
}

const Lines kShortGames = {"play", "--board-string", "+XX0XXXX0XXXXXX-", "--p1", "genius",
                           "--p2", "beginner", "--games", "3", "--seed", "5", "--record"};

// A file that is no store is moved aside whole, under a name the message gives, by the
// commands that read the store and by those that write to it.
// The person's message is in the tool's language: English (the store's texts from the game's
// English catalogue), or Czech.
TEST_F(StoreCommands, ADamagedStoreIsMovedAsideWholeAndTheMessageSaysWhere) {
    const struct {
        Lines args;
        std::string language, message;
    } runs[] = {
        {{"records"}, "en", "“" + m_store + "” was damaged. It was moved to “" + m_store},
        {kShortGames, "en", "“" + m_store + "” was damaged. It was moved to “" + m_store},
        {{"records"}, "cs", "„" + m_store + "“ byl poškozený. Byl přesunut do souboru „" + m_store},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.args[0] + " " + run.language);
        fs::remove_all(fs::path(m_store).parent_path());
        fs::create_directories(fs::path(m_store).parent_path());
        std::ofstream(m_store) << std::string(3000, 'z');
        const CliRun r = runTool(run.args, m_store, run.language);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.err.find(m_store + ".damaged-"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(run.message), std::string::npos) << r.err;
        if (run.language == "en") {
            EXPECT_EQ(r.err.find("přesunut"), std::string::npos) << r.err;
        }
        Lines aside;
        for (const auto& entry : fs::directory_iterator(fs::path(m_store).parent_path()))
            if (entry.path().filename().string().rfind("tomelin.db.damaged-", 0) == 0)
                aside.push_back(readFile(entry.path().string()));
        EXPECT_EQ(aside, Lines{std::string(3000, 'z')});
    }
}

// A result line announces a stored game: a game whose record fails is not announced, and the
// run ends with a failure.
TEST_F(StoreCommands, PlayRecordAnnouncesAResultOnlyAfterItsRecordIsCommitted) {
    ASSERT_EQ(cli({"store", "set", "Software\\Brantl\\Tomelin", "x", "1"}).status, 0);
    // The store stays ours, but refuses every new value from now on.
    rawSql(m_store,
        "CREATE TRIGGER refuse BEFORE INSERT ON store_values BEGIN "
        "SELECT RAISE(ABORT, 'disk full'); END");
    const CliRun r = cli(kShortGames);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.find("result"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("could not be recorded"), std::string::npos) << r.err;
}

TEST_F(StoreCommands, ForeignDatabaseIsNeitherRecordedIntoNorChanged) {
    fs::create_directories(fs::path(m_store).parent_path());
    rawSql(m_store, "CREATE TABLE contacts(name); INSERT INTO contacts VALUES('Eva')");
    const std::string before = readFile(m_store);
    const CliRun r = cli(kShortGames);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.find("result"), std::string::npos);
    EXPECT_NE(r.err.find("“" + m_store + "” is not a file of Tomelin's boards and game records "
                         "but another program's database"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(readFile(m_store), before);
    const CliRun listed = cli({"records"});
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(readFile(m_store), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(m_store).parent_path()),
                            fs::directory_iterator()),
              2);  // the file and the lock beside it
}

// A change the store cannot keep (another program's database: the store lives in memory) is
// refused, not reported as done.
TEST_F(StoreCommands, SetAndDeleteFailWhenTheStoreLivesOnlyInMemory) {
    fs::create_directories(fs::path(m_store).parent_path());
    rawSql(m_store, "CREATE TABLE contacts(name); INSERT INTO contacts VALUES('Eva')");
    const std::string before = readFile(m_store);
    for (const Lines& args : {Lines{"store", "set", "A\\B", "x", "1"},
                              Lines{"store", "set", "A\\B", "x", "1", "--int"},
                              Lines{"store", "delete", "A\\B"}}) {
        SCOPED_TRACE(args[1]);
        const CliRun r = cli(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("would not be kept"), std::string::npos) << r.err;
    }
    EXPECT_EQ(readFile(m_store), before);
}

// Names with control characters are shown escaped: a terminal is never steered by them.
TEST_F(StoreCommands, RecordsAndListEscapeControlCharactersOfStoredNames) {
    const std::string bell = "Eva\a\x1b[2J";
    ASSERT_EQ(cli({"store", "set", "Software\\Brantl\\Tomelin\\Hry\\00001", "", "Dáma"}).status, 0);
    for (const auto& [name, value] : std::vector<std::pair<std::string, std::string>>{
             {"Hráč1", bell}, {"Hráč2", "Jan"}, {"Hráč1Figurka", "AAA1"},
             {"Hráč2Figurka", "EEE5"}}) {
        ASSERT_EQ(cli({"store", "set", "Software\\Brantl\\Tomelin\\Hry\\00001", name, value}).status, 0);
    }
    for (const auto& [name, value] : std::vector<std::pair<std::string, std::string>>{
             {"Vyhrál", "1"}, {"Hráč1Počet", "30"}, {"Hráč2Počet", "10"}}) {
        ASSERT_EQ(cli({"store", "set", "Software\\Brantl\\Tomelin\\Hry\\00001", name, value,
                       "--int"})
                      .status,
                  0);
    }
    const std::string escaped = "Eva\\x07\\x1b[2J";
    for (const Lines& args : {Lines{"records"}, Lines{"store", "list"}}) {
        SCOPED_TRACE(args[0]);
        const CliRun r = cli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out.find('\x1b'), std::string::npos);
        EXPECT_EQ(r.out.find('\a'), std::string::npos);
        EXPECT_NE(r.out.find(escaped), std::string::npos) << r.out;
    }
}

// A journal file beside the store that this user cannot write (left by another user, or
// not a file at all): the store is read, and the reason names that file.
TEST_F(StoreCommands, AnUnwritableJournalFileIsNamedAsTheReason) {
    ASSERT_EQ(cli({"store", "set", "A\\B", "x", "1"}).status, 0);
    fs::create_directory(m_store + "-wal");
    const CliRun listed = cli({"store", "get", "A\\B", "x"});
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.out, "1\n");
    EXPECT_NE(listed.err.find("the companion file “" + m_store + "-wal” cannot be written"),
              std::string::npos)
        << listed.err;
    const CliRun set = cli({"store", "set", "A\\B", "x", "2"});
    EXPECT_EQ(set.status, 1);
    EXPECT_NE(set.err.find("-wal” cannot be written"), std::string::npos) << set.err;
}

TEST_F(StoreCommands, StoreCheckListsWhatCannotBeReadAndChangesNothing) {
    ASSERT_EQ(cli({"store", "set", "Software\\Brantl\\Tomelin\\Hry\\1", "", "Dáma"}).status, 0);
    ASSERT_EQ(cli({"store", "set", "Software\\Brantl\\Tomelin\\HracíPole\\100", "", "Sto"}).status,
              0);
    const std::string before = readFile(m_store);
    const CliRun r = cli({"store", "check"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out,
              "Software\\Brantl\\Tomelin\\Hry\\1\tnot a record number as the program writes it\n"
              "Software\\Brantl\\Tomelin\\HracíPole\\100\tnot a board slot 01..99\n"
              "2 entries cannot be read or are not expected; nothing was changed\n");
    EXPECT_EQ(readFile(m_store), before);
    ASSERT_EQ(cli({"store", "delete", "Software\\Brantl\\Tomelin\\Hry\\1"}).status, 0);
    ASSERT_EQ(cli({"store", "delete", "Software\\Brantl\\Tomelin\\HracíPole\\100"}).status, 0);
    const CliRun clean = cli({"store", "check"});
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.out, "every entry can be read\n");
    // A file that is not a store is reported, and neither moved nor changed.
    std::ofstream(m_store, std::ios::binary | std::ios::trunc) << "not a database at all, just text";
    const CliRun broken = cli({"store", "check"});
    EXPECT_EQ(broken.status, 1);
    EXPECT_NE(broken.err.find("cannot be read"), std::string::npos) << broken.err;
    EXPECT_EQ(readFile(m_store), "not a database at all, just text");
}

TEST_F(StoreCommands, StoreShowsADamagedBoardSoItCanBeDeleted) {
    const std::string slot = "Software\\Brantl\\Tomelin\\HracíPole\\03";
    ASSERT_EQ(cli({"store", "set", slot, "", "Rozbité"}).status, 0);
    ASSERT_EQ(cli({"store", "set", slot, "Mapa", "+X-Y"}).status, 0);
    const CliRun listed = cli({"store", "list", slot});
    EXPECT_NE(listed.out.find("Mapa\ttext\t+X-Y"), std::string::npos) << listed.out;
    EXPECT_EQ(cli({"store", "delete", slot}).status, 0);
    EXPECT_EQ(cli({"store", "list", slot}).status, 1);
}

TEST_F(StoreCommands, PlayRecordStoresEveryDecidedGameUnderItsBoardsName) {
    // A small board keeps the games short; the same seed replays the same games.
    const Lines play = {
        "play", "--board-string", "+XX0XXXX0XXXXXX-", "--logic", "cross",  "--p1", "genius",
        "--p2", "beginner",       "--games",          "6",       "--seed", "11"};
    Lines withRecord = play;
    withRecord.push_back("--record");
    const CliRun played = cli(withRecord);
    ASSERT_EQ(played.status, 0) << played.err;
    EXPECT_EQ(cli(play).out, played.out);  // recording does not change the games
    Lines decided;                         // "count1 count2 winner" of each decided game
    for (const std::string& line : split(played.out)) {
        const Lines w = split(line, ' ');
        if (w.size() >= 4 && w[0] == "result" && w[3] != "0")
            decided.push_back(w[1] + " " + w[2] + " " + w[3]);
    }
    ASSERT_FALSE(decided.empty());
    const std::vector<Lines> records = recordFields(cli({"records"}).out);
    ASSERT_EQ(records.size(), decided.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        const Lines& f = records[i];
        ASSERT_EQ(f.size(), 11u);
        EXPECT_EQ((Lines{f[1], f[2], f[3], f[4], f[7]}),
                  (Lines{"Vlastní pole", "PC Génius", "PC Začátečník", "2", "0"}));
        EXPECT_EQ(f[8] + " " + f[9] + " " + (f[6] == "PC Génius" ? "1" : "2"), decided[i]);
    }
    // The default tokens are stored with each game.
    EXPECT_EQ(cli({"store", "get", "Software\\Brantl\\Tomelin\\Hry\\00001", "Hráč2Figurka"}).out,
              "ECA5\n");

    // A built-in board is recorded under its name.
    ASSERT_EQ(
        cli({"play", "--board", "Čelem vzad", "--games", "2", "--seed", "3", "--record"}).status,
        0);
    const std::vector<Lines> all = recordFields(cli({"records"}).out);
    ASSERT_GT(all.size(), records.size());
    for (std::size_t i = records.size(); i < all.size(); ++i)
        EXPECT_EQ(all[i][1], "Čelem vzad");

    // Records print each player's statistics line; a damaged record is skipped and named.
    const std::string first = "Software\\Brantl\\Tomelin\\Hry\\00001";
    ASSERT_EQ(cli({"store", "set", first, "Vyhrál", "7", "--int"}).status, 0);
    const CliRun listed = cli({"records"});
    EXPECT_EQ(recordFields(listed.out).size(), all.size() - 1);
    EXPECT_NE(listed.out.find("\nplayer\tPC Génius\t"), std::string::npos);
    EXPECT_NE(listed.err.find("record 1"), std::string::npos) << listed.err;
}

}  // namespace
