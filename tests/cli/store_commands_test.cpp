// The tool's store commands, `records` and `play --record`, run as a real process on a
// store file in a temporary folder.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

std::string shellQuoted(const std::string& word) {
    std::string q = "'";
    for (char c : word)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::stringstream ss(text);
    for (std::string line; std::getline(ss, line);)
        out.push_back(line);
    return out;
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
        out.push_back(line.substr(start, tab - start));
    }
    out.push_back(line.substr(start));
    return out;
}

class StoreCommands : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tomelin-cli-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
        m_store = (m_folder / "store" / "tomelin.db").string();
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(m_folder, ec);
    }

    // Runs the tool with TOMELIN_STORE pointing into the test's folder.
    CliResult cli(const std::vector<std::string>& args) {
        const std::string errFile = (m_folder / "stderr.txt").string();
        std::string command =
            "TOMELIN_STORE=" + shellQuoted(m_store) + " " + shellQuoted(TOMELIN_CLI_PATH);
        for (const auto& a : args)
            command += " " + shellQuoted(a);
        command += " 2>" + shellQuoted(errFile);
        CliResult r;
        FILE* pipe = ::popen(command.c_str(), "r");
        if (!pipe)
            return r;
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            r.out.append(buffer, n);
        }
        const int raw = ::pclose(pipe);
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        std::ifstream err(errFile);
        std::stringstream ss;
        ss << err.rdbuf();
        r.err = ss.str();
        return r;
    }
    // Stores one record value by value through the tool.
    void record(const std::string& number, const std::string& board, const std::string& p1,
                const std::string& p2, int c1, int c2, int winner) {
        const std::string key = "Software\\Brantl\\Tomelin\\Hry\\" + number;
        ASSERT_EQ(cli({"store", "set", key, "", board}).status, 0);
        ASSERT_EQ(cli({"store", "set", key, "Hráč1", p1}).status, 0);
        ASSERT_EQ(cli({"store", "set", key, "Hráč2", p2}).status, 0);
        ASSERT_EQ(cli({"store", "set", key, "Hráč1Počet", std::to_string(c1), "--int"}).status, 0);
        ASSERT_EQ(cli({"store", "set", key, "Hráč2Počet", std::to_string(c2), "--int"}).status, 0);
        ASSERT_EQ(cli({"store", "set", key, "Hráč1Figurka", "ACE1"}).status, 0);
        ASSERT_EQ(cli({"store", "set", key, "Hráč2Figurka", "ECA5"}).status, 0);
        ASSERT_EQ(cli({"store", "set", key, "LogikaPohybu", "2", "--int"}).status, 0);
        ASSERT_EQ(cli({"store", "set", key, "PočetTahů", "31", "--int"}).status, 0);
        ASSERT_EQ(cli({"store", "set", key, "Časy", "24", "--int"}).status, 0);
        ASSERT_EQ(cli({"store", "set", key, "Vyhrál", std::to_string(winner), "--int"}).status, 0);
    }

    fs::path m_folder;
    std::string m_store;
};

TEST_F(StoreCommands, SetGetListAndDeleteAValue) {
    const std::string key = "Software\\Brantl\\Tomelin";
    EXPECT_EQ(cli({"store", "set", key, "GrafickáPropracovanostFigurek", "7"}).status, 0);
    EXPECT_TRUE(fs::exists(m_store));
    EXPECT_EQ(cli({"store", "set", key + "\\HracíPole\\01", "", "Malé"}).status, 0);
    EXPECT_EQ(cli({"store", "set", key + "\\HracíPole\\01", "Počet", "-3", "--int"}).status, 0);

    CliResult get = cli({"store", "get", key, "GrafickáPropracovanostFigurek"});
    EXPECT_EQ(get.status, 0);
    EXPECT_EQ(get.out, "7\n");
    EXPECT_EQ(cli({"store", "get", key + "\\HracíPole\\01", ""}).out, "Malé\n");

    CliResult list = cli({"store", "list", key});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(lines(list.out), (std::vector<std::string>{
                                   key + "\tGrafickáPropracovanostFigurek\ttext\t7",
                                   key + "\\HracíPole",
                                   key + "\\HracíPole\\01\t\ttext\tMalé",
                                   key + "\\HracíPole\\01\tPočet\tint\t-3",
                               }));
    EXPECT_EQ(lines(cli({"store", "list"}).out).size(), 6u);  // plus Software and Brantl

    EXPECT_EQ(cli({"store", "delete", key + "\\HracíPole\\01"}).status, 0);
    CliResult gone = cli({"store", "get", key + "\\HracíPole\\01", ""});
    EXPECT_EQ(gone.status, 1);
    EXPECT_EQ(lines(gone.err).size(), 1u);
    EXPECT_EQ(cli({"store", "list", key + "\\HracíPole\\01"}).status, 1);
}

TEST_F(StoreCommands, KeyWithSubkeysIsNotDeleted) {
    ASSERT_EQ(cli({"store", "set", "A\\B", "x", "1"}).status, 0);
    CliResult refused = cli({"store", "delete", "A"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("subkeys"), std::string::npos);
    EXPECT_EQ(cli({"store", "get", "A\\B", "x"}).out, "1\n");
}

TEST_F(StoreCommands, BadArgumentsExitWithTwoAndOneLine) {
    const std::vector<std::vector<std::string>> bad = {
        {"store"},
        {"store", "frob"},
        {"store", "list", "a", "b"},
        {"store", "get", "a"},
        {"store", "set", "a", "b"},
        {"store", "set", "a", "b", "c", "d"},
        {"store", "set", "a", "b", "x", "--int"},
        {"store", "set", "a", "b", "4294967296", "--int"},
        {"store", "set", "\\", "b", "c"},
        {"store", "delete"},
        {"store", "delete", ""},
        {"records", "extra"},
    };
    for (const auto& args : bad) {
        const CliResult r = cli(args);
        std::string joined;
        for (const auto& a : args)
            joined += a + " ";
        EXPECT_EQ(r.status, 2) << joined;
        EXPECT_EQ(lines(r.err).size(), 1u) << joined << r.err;
        EXPECT_TRUE(r.out.empty()) << joined;
    }
    EXPECT_FALSE(fs::exists(m_store));  // nothing was opened for bad arguments
}

TEST_F(StoreCommands, RecordsPrintsTheSurveyAndThePlayers) {
    record("00001", "Originál", "Eva", "PC Génius", 40, 24, 1);
    record("00002", "Dáma", "Jan", "Eva", 33, 31, 1);
    CliResult r = cli({"records"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(lines(r.out), (std::vector<std::string>{
                                "record\tOriginál\tEva\tPC Génius\t2\t31\tEva\t24\t40\t24\t62.5",
                                "record\tDáma\tJan\tEva\t2\t31\tJan\t24\t33\t31\t51.5",
                                "player\tPC Génius\t0\t1\t1\t37.5",
                                "player\tEva\t1\t1\t2\t55.5",
                                "player\tJan\t1\t0\t1\t51.5",
                            }));
}

TEST_F(StoreCommands, DamagedRecordIsReportedAndSkipped) {
    record("00001", "Originál", "Eva", "Jan", 40, 24, 1);
    record("00002", "Originál", "Eva", "Jan", 40, 24, 0);
    CliResult r = cli({"records"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(lines(r.out).size(), 3u);  // one record, two players
    EXPECT_NE(r.err.find("record 2"), std::string::npos);
}

TEST_F(StoreCommands, UnusableStoreFileIsMovedAsideAndReported) {
    fs::create_directories(fs::path(m_store).parent_path());
    std::ofstream(m_store) << "not a database, but my file all the same................";
    CliResult r = cli({"records"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("moved to"), std::string::npos);
    int aside = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(m_store).parent_path())) {
        if (entry.path().filename().string().rfind("tomelin.db.damaged-", 0) == 0)
            ++aside;
    }
    EXPECT_EQ(aside, 1);
}

TEST_F(StoreCommands, PlayRecordStoresEveryDecidedGame) {
    // A small board keeps the games short; the same seed replays the same games.
    const std::vector<std::string> play = {
        "play", "--board-string", "+XX0XXXX0XXXXXX-", "--logic", "cross",  "--p1", "genius",
        "--p2", "beginner",       "--games",          "6",       "--seed", "11"};
    std::vector<std::string> withRecord = play;
    withRecord.push_back("--record");
    CliResult played = cli(withRecord);
    ASSERT_EQ(played.status, 0) << played.err;
    EXPECT_EQ(cli(play).out, played.out);  // recording does not change the games

    std::vector<std::vector<std::string>> decided;
    for (const std::string& line : lines(played.out)) {
        std::stringstream ss(line);
        std::string word, t1, t2, winner;
        ss >> word >> t1 >> t2 >> winner;
        if (word == "result" && winner != "0")
            decided.push_back({t1, t2, winner});
    }
    ASSERT_FALSE(decided.empty());

    std::vector<std::vector<std::string>> records;
    for (const std::string& line : lines(cli({"records"}).out)) {
        if (line.rfind("record\t", 0) == 0)
            records.push_back(fields(line));
    }
    ASSERT_EQ(records.size(), decided.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto& f = records[i];
        ASSERT_EQ(f.size(), 11u);
        EXPECT_EQ(f[1], "Vlastní pole");
        EXPECT_EQ(f[2], "PC Génius");
        EXPECT_EQ(f[3], "PC Začátečník");
        EXPECT_EQ(f[4], "2");
        EXPECT_EQ(f[6], decided[i][2] == "1" ? "PC Génius" : "PC Začátečník");
        EXPECT_EQ(f[7], "0");
        EXPECT_EQ(f[8], decided[i][0]);
        EXPECT_EQ(f[9], decided[i][1]);
    }
    // The default tokens are stored with each game.
    EXPECT_EQ(cli({"store", "get", "Software\\Brantl\\Tomelin\\Hry\\00001", "Hráč1Figurka"}).out,
              "ACE1\n");
    EXPECT_EQ(cli({"store", "get", "Software\\Brantl\\Tomelin\\Hry\\00001", "Hráč2Figurka"}).out,
              "ECA5\n");
}

TEST_F(StoreCommands, PlayRecordNamesABuiltinBoardByItsName) {
    CliResult played =
        cli({"play", "--board", "Čelem vzad", "--games", "2", "--seed", "3", "--record"});
    ASSERT_EQ(played.status, 0) << played.err;
    int stored = 0;
    for (const std::string& line : lines(cli({"records"}).out)) {
        if (line.rfind("record\t", 0) != 0)
            continue;
        EXPECT_EQ(fields(line)[1], "Čelem vzad");
        ++stored;
    }
    EXPECT_GT(stored, 0);
}

}  // namespace
