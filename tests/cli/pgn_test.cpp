// PGN out of the tool: every stored record through `records --pgn`, and the games `play
// --pgn` plays, each read back by a small reader of its own and compared with the source.

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "boards/board_list.h"
#include "core/fen.h"
#include "core/game.h"
#include "platform/store/store_location.h"
#include "records/game_record.h"
#include "run_tool.h"
#include "support/temp_folder.h"

namespace tomelin {
namespace {

// A PGN game as this reader sees it: tags, the move words (numbers dropped), comments and
// the result. Written for these tests from the PGN format, not from the tool's writer.
struct ReadGame {
    std::map<std::string, std::string> tags;
    std::vector<std::string> moves;
    std::vector<std::string> comments;
    std::string result;
};

std::vector<ReadGame> readPgn(const std::string& text) {
    std::vector<ReadGame> games;
    ReadGame g;
    bool inGame = false;
    std::size_t i = 0;
    const auto isResult = [](const std::string& w) {
        return w == "1-0" || w == "0-1" || w == "1/2-1/2" || w == "*";
    };
    while (i < text.size()) {
        const char c = text[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (c == '[') {
            std::size_t j = i + 1;
            std::string name;
            while (j < text.size() && text[j] != ' ')
                name.push_back(text[j++]);
            j += 2;  // space and opening quote
            std::string value;
            while (j < text.size() && text[j] != '"') {
                if (text[j] == '\\')
                    ++j;
                value.push_back(text[j++]);
            }
            EXPECT_EQ(text.substr(j, 2), "\"]");
            g.tags[name] = value;
            inGame = true;
            i = j + 2;
        } else if (c == '{') {
            const std::size_t j = text.find('}', i);
            g.comments.push_back(text.substr(i + 1, j - i - 1));
            i = j + 1;
        } else {
            std::size_t j = i;
            while (j < text.size() && !std::isspace(static_cast<unsigned char>(text[j])))
                ++j;
            const std::string word = text.substr(i, j - i);
            i = j;
            if (isResult(word)) {
                g.result = word;
                games.push_back(g);
                g = ReadGame{};
                inGame = false;
            } else if (!std::isdigit(static_cast<unsigned char>(word[0]))) {
                g.moves.push_back(word);
            }
        }
    }
    EXPECT_FALSE(inGame) << "a game without a result";
    return games;
}

int winnerOf(const std::string& result) {
    return result == "1-0" ? 1 : result == "0-1" ? 2 : 0;
}

// A time-list position's limit in seconds as the PGN's TimeControl gives it.
std::string timeText(int listPosition) {
    const char* const seconds[] = {"-", "5400", "3600", "1800", "600"};
    return listPosition >= 1 && listPosition <= 4 ? seconds[listPosition] : "-";
}

TEST(PgnRecords, EveryStoredRecordComesBackFromThePgn) {
    test::TempFolder folder;
    const std::string path = (folder.path() / "tomelin.db").string();
    const std::string small = "+XX-" "X0XX" "XX0X" "-XX+";
    {
        StoreOpening opening = openStoreAt(path);
        Store& store = *opening.store;
        ASSERT_FALSE(saveBoardToSlot(store, "01", "Malé \"pole\"", small));
        const GameRecord records[] = {
            {"Originál", {"Eva", "PC Génius"}, 1, 0, {70, 51}, {"AEE3", "EEA1"}, 1, 88},
            {"Čelem vzad", {"Petr \\ Pavel", "Jana"}, 1, 12, {10, 30}, {"AAA1", "BBB2"}, 2, 40},
            {"Čelem vzad", {"Jana", "Petr"}, 2, 44, {28, 12}, {"AAA1", "BBB2"}, 1, 33},
            {"Malé \"pole\"", {"A", "B"}, 1, 30, {9, 5}, {"CCC4", "DDD5"}, 1, 6},
            {"Smazané pole", {"Host", "Domácí"}, 1, 21, {3, 20}, {"EEE8", "AAA1"}, 2, 17},
        };
        for (const GameRecord& r : records)
            ASSERT_EQ(writeGameRecord(store, r).outcome, RecordWrite::Outcome::Written);
    }
    const CliRun run = runTool({"records", "--pgn"}, path);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<ReadGame> games = readPgn(run.out);

    StoreOpening opening = openStoreAt(path);
    const std::vector<StoredGameRecord> stored = readGameRecords(*opening.store);
    const BoardList boards = readBoardList(*opening.store);
    ASSERT_EQ(games.size(), stored.size());
    ASSERT_EQ(stored.size(), 5U);
    for (std::size_t k = 0; k < stored.size(); ++k) {
        const GameRecord& r = stored[k].record;
        const ReadGame& g = games[k];
        EXPECT_EQ(g.tags.at("Round"), std::to_string(stored[k].number));
        EXPECT_EQ(g.tags.at("Black"), r.names[0]);
        EXPECT_EQ(g.tags.at("White"), r.names[1]);
        EXPECT_EQ(winnerOf(g.tags.at("Result")), r.winner);
        EXPECT_EQ(g.result, g.tags.at("Result"));
        EXPECT_EQ(g.tags.at("Logic"), r.logic == 1 ? "star" : "cross");
        EXPECT_EQ(g.tags.at("TomelinBoard"), r.board);
        EXPECT_EQ(g.tags.at("TomelinScore"), std::to_string(r.counts[0]) + "-" + std::to_string(r.counts[1]));
        EXPECT_EQ(g.tags.at("TomelinMoves"), std::to_string(r.moves));
        EXPECT_EQ(g.tags.at("TomelinTokens"), r.tokens[0] + " " + r.tokens[1]);
        for (const char* tag : {"Event", "Site", "Date"})
            EXPECT_TRUE(g.tags.count(tag)) << tag;
        EXPECT_TRUE(g.moves.empty());
        const int t1 = r.times / 10, t2 = r.times % 10;
        if (t1 == t2) {
            EXPECT_EQ(g.tags.at("TimeControl"), timeText(t1));
        } else {
            EXPECT_EQ(g.tags.at("TimeControl"), "?");
            EXPECT_EQ(g.tags.at("BlackTimeControl"), timeText(t1));
            EXPECT_EQ(g.tags.at("WhiteTimeControl"), timeText(t2));
        }
        // The start: a FEN where FEN can write it, else the board string, and neither for
        // a board that is gone.
        std::optional<std::string> boardString;
        for (int i = 0; i < boards.size(); ++i) {
            if (boards.names[static_cast<std::size_t>(i)] == r.board)
                boardString = boards.strings[static_cast<std::size_t>(i)];
        }
        const bool fenWritable = boardString && r.logic == 1 && boardStringSide(*boardString) <= 7;
        EXPECT_EQ(g.tags.count("FEN"), fenWritable ? 1U : 0U) << r.board;
        EXPECT_EQ(g.tags.count("TomelinBoardString"), boardString && !fenWritable ? 1U : 0U) << r.board;
        if (fenWritable) {
            const FenResult start = readFen(g.tags.at("FEN"));
            ASSERT_TRUE(start.position) << g.tags.at("FEN");
            EXPECT_EQ(start.position->boardString(), *boardString);
            EXPECT_EQ(start.position->toMove(), Player::One);
            EXPECT_EQ(g.tags.at("SetUp"), "1");
        } else if (boardString) {
            EXPECT_EQ(g.tags.at("TomelinBoardString"), *boardString);
        }
    }
}

TEST(PgnPlay, PlayedGamesReplayMoveByMoveToTheirResult) {
    test::TempFolder folder;
    const std::string file = (folder.path() / "games.pgn").string();
    const std::string board = "+XXXX" "XX0XX" "XXXXX" "X0XXX" "XXXX-";
    const CliRun run = runTool({"play", "--board-string", board, "--p1", "beginner", "--p2", "pro",
                                "--seed", "11", "--games", "3", "--pgn", file});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<ReadGame> games = readPgn(test::readFile(file));
    std::vector<std::string> results;
    std::stringstream out(run.out);
    for (std::string line; std::getline(out, line);)
        if (line.rfind("result ", 0) == 0)
            results.push_back(line);
    ASSERT_EQ(games.size(), 3U);
    ASSERT_EQ(results.size(), 3U);
    for (std::size_t k = 0; k < games.size(); ++k) {
        const ReadGame& g = games[k];
        EXPECT_EQ(g.tags.at("Round"), std::to_string(k + 1));
        EXPECT_EQ(g.tags.at("Black"), "PC Začátečník");
        EXPECT_EQ(g.tags.at("White"), "PC Profesionál");
        const FenResult start = readFen(g.tags.at("FEN"));
        ASSERT_TRUE(start.position);
        Position p = *start.position;
        EXPECT_EQ(p.boardString(), board);
        p.setRules(Rules::Tomelin);  // Tomelin's games: a stuck side hands over the free cells
        for (const std::string& m : g.moves) {
            const MoveParse r = parseMoveText(p, Logic::Star, m);
            ASSERT_EQ(r.kind, MoveParse::Kind::Move) << m;
            ASSERT_TRUE(p.isLegal(Logic::Star, r.move)) << m << " in " << writeFen(p);
            p.play(Logic::Star, r.move);
        }
        if (!p.isOver() && !p.canMove(Logic::Star)) {
            ASSERT_EQ(g.comments.size(), 1U);
            EXPECT_NE(g.comments[0].find("cannot move"), std::string::npos);
            p.fillFree(other(p.toMove()));
        }
        const Board::Counts c = p.counts();
        EXPECT_EQ(results[k], "result " + std::to_string(c.tokens1) + " " + std::to_string(c.tokens2) +
                                  " " + std::to_string(winnerOf(g.result)) + " " +
                                  std::to_string(g.moves.size()));
    }
}

TEST(PgnPlay, AFileThatCannotBeWrittenIsAFailureBeforeAnyGame) {
    const CliRun run = runTool({"play", "--games", "1", "--pgn", "/nonexistent-dir/x.pgn"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot write the PGN file"), std::string::npos);
    EXPECT_EQ(run.out.find("result"), std::string::npos);
}

}  // namespace
}  // namespace tomelin
