// The tool's language: English unless the stored choice or the desktop asks for Czech; what
// scripts read is the same byte for byte in both, what a person reads is Czech in Czech.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "cli/cli_text.h"
#include "run_tool.h"
#include "support/temp_folder.h"

namespace {

using tomelin::cli::chooseMessageLanguage;
using Lines = std::vector<std::string>;

TEST(CliLanguage, StoredChoiceThenTheFirstDesktopLanguageSpokenThenEnglish) {
    struct Case {
        std::string stored;
        Lines desktop;
        std::string expected;
    };
    const Case cases[] = {
        {"", {}, "en"},
        {"", {"C"}, "en"},
        {"", {"de-DE", "fr"}, "en"},  // no translation: the tool's own English
        {"", {"cs-CZ"}, "cs"},
        {"", {"cs_CZ"}, "cs"},
        {"", {"CS"}, "cs"},
        {"", {"de-DE", "cs-CZ", "en"}, "cs"},  // the first the tool speaks
        {"", {"en-GB", "cs-CZ"}, "en"},
        {"cs", {"en-US"}, "cs"},  // the player's choice in the game wins
        {"en", {"cs-CZ"}, "en"},
        {"de", {"cs-CZ"}, "cs"},  // an unknown stored value is no choice
    };
    for (const Case& c : cases) {
        std::string desktop;
        for (const std::string& tag : c.desktop)
            desktop += tag + " ";
        EXPECT_EQ(chooseMessageLanguage(c.stored, c.desktop), c.expected)
            << "stored \"" << c.stored << "\", desktop " << desktop;
    }
}

TEST(CliLanguage, ArgumentsFillTheirPlacesOnceInOrder) {
    using tomelin::cli::cliArgs;
    EXPECT_EQ(cliArgs("%1 of %2", {"a", "b"}), "a of b");
    EXPECT_EQ(cliArgs("%2x%2 from %1", {"7", "8"}), "8x8 from 7");
    // A value holding a place marker is not filled again; a marker without a value stays.
    EXPECT_EQ(cliArgs("%1 and %2", {"%2", "x"}), "%2 and x");
    EXPECT_EQ(cliArgs("%1 %3 100%", {"a"}), "a %3 100%");
}

class CliInBothLanguages : public testing::Test {
protected:
    void SetUp() override {
        m_dir = testing::TempDir() + "/cli_language_" + std::to_string(::getpid());
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    // The tool in `language` with its own store file (one per language, so that both
    // runs start alike).
    CliRun run(const Lines& args, const std::string& language) {
        return runTool(args, m_dir + "/" + language + ".db", language);
    }

    // The tool's protocol session fed `input`, its answers without the timed "info" lines.
    std::string session(const std::string& input, const std::string& language) {
        const std::string in = m_dir + "/in.txt", out = m_dir + "/out.txt";
        std::ofstream(in) << input;
        const std::string command = "LANGUAGE=" + language + " " + shellQuoted(TOMELIN_CLI_PATH) +
                                    " uai <" + shellQuoted(in) + " >" + shellQuoted(out);
        EXPECT_EQ(std::system(command.c_str()), 0);
        std::istringstream lines(tomelin::test::readFile(out));
        std::string kept;
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind("info depth", 0) != 0)
                kept += line + "\n";
        }
        return kept;
    }

    std::string m_dir;
};

// Every command whose standard output a script reads prints the same bytes with LANGUAGE=cs
// as with LANGUAGE=en (the --show board and the messages are for people and differ).
TEST_F(CliInBothLanguages, MachineReadOutputIsTheSameByteForByte) {
    const std::string fenFile = m_dir + "/positions.txt";
    const Lines commands[] = {
        {"--version"},
        {"boards"},
        {"play", "--board", "Dáma", "--seed", "7", "--games", "2", "--p1", "beginner"},
        {"play", "--board-string", "+XX-XXXXXXXX-XX+", "--seed", "2", "--record"},
        {"play", "--seed", "5", "--max-moves", "3"},
        {"moves", "--board-string", "+XXXXXXX-", "--player", "1", "--strength", "3"},
        {"moves", "--fen", "x5o/7/7/7/7/7/o5x x 0 1", "--strength", "4", "--depth", "2"},
        {"perft", "--fen", "x5o/7/7/7/7/7/o5x x 0 1", "--depth", "3"},
        {"store", "set", "Software\\Brantl\\Tomelin\\Test", "Value", "17", "--int"},
        {"store", "list"},
        {"store", "get", "Software\\Brantl\\Tomelin\\Test", "Value"},
        {"records"},
        {"records", "--pgn"},
        {"tune", "generate", "--games", "1", "--nodes", "200", "--seed", "3"},
    };
    std::size_t lines = 0;
    for (const Lines& args : commands) {
        std::string shown;
        for (const std::string& a : args)
            shown += a + " ";
        const CliRun en = run(args, "en");
        const CliRun cs = run(args, "cs");
        EXPECT_EQ(en.status, 0) << shown << en.err;
        EXPECT_EQ(cs.status, en.status) << shown;
        // The master's line tells how long its search took: the one figure that may differ.
        const std::regex elapsed(" ms [0-9]+\n");
        EXPECT_EQ(std::regex_replace(cs.out, elapsed, " ms T\n"),
                  std::regex_replace(en.out, elapsed, " ms T\n"))
            << shown;
        lines += static_cast<std::size_t>(std::count(en.out.begin(), en.out.end(), '\n'));
    }
    EXPECT_GT(lines, 50u);  // the commands above did print what they are compared by

    // The PGN file of a game and the fit of the weights.
    for (const std::string language : {"en", "cs"}) {
        const CliRun played =
            run({"play", "--seed", "9", "--pgn", m_dir + "/" + language + ".pgn"}, language);
        ASSERT_EQ(played.status, 0) << played.err;
        const CliRun generated =
            run({"tune", "generate", "--games", "2", "--nodes", "200"}, language);
        std::ofstream(fenFile) << generated.out;
        const CliRun fit = run({"tune", "fit", fenFile, "--epochs", "3"}, language);
        ASSERT_EQ(fit.status, 0) << fit.err;
        std::ofstream(m_dir + "/" + language + ".fit") << fit.out;
    }
    const std::string pgn = tomelin::test::readFile(m_dir + "/en.pgn");
    EXPECT_NE(pgn.find("[Event \"tomelin-cli play\"]"), std::string::npos);
    EXPECT_EQ(tomelin::test::readFile(m_dir + "/cs.pgn"), pgn);
    EXPECT_NE(tomelin::test::readFile(m_dir + "/en.fit").find(" positions, k "), std::string::npos);
    EXPECT_EQ(tomelin::test::readFile(m_dir + "/cs.fit"), tomelin::test::readFile(m_dir + "/en.fit"));

    const std::string input =
        "uai\nisready\nposition startpos moves g1\nposition fen bad\n"
        "go depth 2\nsetoption name Nothing value 1\nquit\n";
    const std::string english = session(input, "en");
    EXPECT_NE(english.find("uaiok"), std::string::npos) << english;
    EXPECT_NE(english.find("bestmove "), std::string::npos) << english;
    EXPECT_EQ(session(input, "cs"), english);
}

// A person's messages in Czech: refusals, plural forms, reports on the error stream, the help
// and the readable game; the stored choice decides before the desktop does.
TEST_F(CliInBothLanguages, MessagesToAPersonAreCzechInCzech) {
    struct Case {
        Lines args;
        std::string english;  // a part of the English error stream (or output for help/show)
        std::string czech;    // the same part in Czech
    };
    const std::string longWord(50, 'x');
    const Case cases[] = {
        {{"play", "--p1", "x"},
         "level must be beginner, pro, genius or master, not \"x\"",
         "úroveň musí být beginner, pro, genius nebo master, ne \"x\""},
        {{"perft", "--board-string", "abc", "--player", "1", "--depth", "1"},
         "board string has 3 characters",
         "řetězec hracího pole má 3 znaky"},
        {{"perft", "--board-string", "+XXX-XXXXXXXXXXXXXXXXXXXXXXXXXXXX", "--player", "1",
          "--depth", "1"},
         "board string has 33 characters",
         "řetězec hracího pole má 33 znaků"},
        {{"play", "--board", longWord}, "… (50 characters)", "… (50 znaků)"},
        {{"moves", "--last", "1"},
         "option --last needs 4 values",
         "volba --last potřebuje 4 hodnoty"},
        {{"nonsense"}, "unknown command \"nonsense\"", "neznámý příkaz \"nonsense\""},
        {{"perft", "--fen", "x5o/7/7/7/7/7/o5x x 0 1", "--depth", "1"}, " nodes/s", " uzlů/s"},
        {{"play", "--seed", "1", "--games", "1", "--show", "--board", "Bitva"},
         "Result ",
         "Výsledek "},
        {{"help"}, "usage: tomelin-cli COMMAND", "použití: tomelin-cli PŘÍKAZ"},
    };
    for (const Case& c : cases) {
        const CliRun en = run(c.args, "en");
        const CliRun cs = run(c.args, "cs");
        EXPECT_EQ(cs.status, en.status) << c.english;
        EXPECT_NE((en.err + en.out).find(c.english), std::string::npos) << en.err << en.out;
        EXPECT_NE((cs.err + cs.out).find(c.czech), std::string::npos) << cs.err << cs.out;
        EXPECT_EQ((cs.err + cs.out).find(c.english), std::string::npos) << cs.err << cs.out;
    }

    // The player chose the language in the game: the tool follows it whatever LANGUAGE says.
    const std::string chosen = m_dir + "/chosen.db";
    const std::string key = "Software\\Brantl\\Tomelin";
    for (const auto& [stored, language, expected] :
         {std::tuple{"cs", "en", "neznámá volba \"--nothing\""},
          std::tuple{"en", "cs", "unknown option \"--nothing\""}}) {
        ASSERT_EQ(runTool({"store", "set", key, "Jazyk", stored}, chosen).status, 0);
        const CliRun r = runTool({"play", "--nothing"}, chosen, language);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(expected), std::string::npos) << stored << ": " << r.err;
    }
    // A language the tool has no translation for leaves it in English.
    const CliRun german = runTool({"play", "--nothing"}, chosen + "-none", "de");
    EXPECT_NE(german.err.find("unknown option"), std::string::npos) << german.err;
}

}  // namespace
