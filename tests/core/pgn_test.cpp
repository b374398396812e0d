// The PGN writer: tags, numbering, line length, comments and results.

#include <gtest/gtest.h>

#include <sstream>

#include "core/pgn.h"

namespace tomelin {
namespace {

TEST(Pgn, TagsMovesAndResult) {
    PgnGame g;
    g.tags = {{"Event", "A \"quoted\" \\ name\tx"}, {"Result", "1-0"}};
    g.moves = {"f2", "a1b3", "g3"};
    g.result = "1-0";
    EXPECT_EQ(writePgn(g),
              "[Event \"A \\\"quoted\\\" \\\\ name x\"]\n[Result \"1-0\"]\n\n1. f2 a1b3 2. g3 1-0\n\n");
}

TEST(Pgn, WhiteFirstCommentAndEmptyGames) {
    PgnGame g;
    g.blackMovesFirst = false;
    g.moves = {"b6", "0000", "c5"};
    g.comment = "player 2 cannot move}\n";
    g.result = "0-1";
    EXPECT_EQ(writePgn(g), "\n1... b6 2. 0000 c5 {player 2 cannot move  } 0-1\n\n");
    PgnGame empty;
    EXPECT_EQ(writePgn(empty), "\n*\n\n");
}

TEST(Pgn, LongGamesWrapBelowEightyCharacters) {
    PgnGame g;
    for (int i = 0; i < 300; ++i)
        g.moves.push_back(i % 2 ? "a10b12" : "k11");
    g.result = "1/2-1/2";
    const std::string text = writePgn(g);
    std::istringstream lines(text);
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count)
        EXPECT_LT(line.size(), 80U) << line;
    EXPECT_GT(count, 20);
    EXPECT_NE(text.find("150. k11"), std::string::npos);
    EXPECT_EQ(text.find("151."), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 10), " 1/2-1/2\n\n");
}

TEST(Pgn, ResultOfTheWinner) {
    EXPECT_EQ(pgnResult(1), "1-0");
    EXPECT_EQ(pgnResult(2), "0-1");
    EXPECT_EQ(pgnResult(0), "1/2-1/2");
}

}  // namespace
}  // namespace tomelin
