// FEN and the move notation of the standard game's tools, and the standard rules they bring:
// the pass, the end of the game, the half-move clock. The perft counts of the standard game
// go through the FEN reader, so they check the reader, the pass and the end together.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/fen.h"
#include "core/perft.h"

namespace tomelin {
namespace {

Position fen(const std::string& text) {
    const FenResult r = readFen(text);
    EXPECT_TRUE(r.position.has_value()) << text << ": " << r.error;
    return r.position.value_or(Position{});
}

// Published move-path counts of the standard game (depth 0, 1, 2, ...), among them boards
// with blocked squares, a side that must pass and the half-move limit.
struct PerftCase {
    const char* fen;
    std::vector<std::uint64_t> counts;
};
const PerftCase kPerftCases[] = {
    {"7/7/7/7/7/7/7 x 0 1", {1, 0, 0, 0, 0}},
    {"x5o/7/7/7/7/7/o5x x 0 1", {1, 16, 256, 6460, 155888, 4752668}},
    {"x5o/7/7/7/7/7/o5x o 0 1", {1, 16, 256, 6460, 155888, 4752668}},
    {"x5o/7/2-1-2/7/2-1-2/7/o5x x 0 1", {1, 14, 196, 4184, 86528, 2266352}},
    {"x5o/7/2-1-2/3-3/2-1-2/7/o5x o 0 1", {1, 14, 196, 4100, 83104, 2114588}},
    {"x5o/7/3-3/2-1-2/3-3/7/o5x x 0 1", {1, 16, 256, 5948, 133264, 3639856}},
    {"7/7/7/7/ooooooo/ooooooo/xxxxxxx x 0 1", {1, 1, 75, 249, 14270, 452980}},
    {"7/7/7/7/xxxxxxx/xxxxxxx/ooooooo x 0 1", {1, 75, 249, 14270, 452980}},
    {"7/7/7/2x1o2/7/7/7 o 0 1", {1, 23, 419, 7887, 168317, 4266992}},
    {"x5o/7/7/7/7/7/o5x x 100 1", {1, 0, 0, 0, 0}},
    {"x5o/7/7/7/7/7/o5x x 99 1", {1, 16, 96, 2336, 57676}},
    {"7/7/7/7/-------/-------/x5o o 0 1", {1, 2, 4, 13, 30, 73, 174}},
};

TEST(StandardPerft, PublishedCountsThroughTheFenReader) {
    for (const PerftCase& c : kPerftCases) {
        const Position p = fen(c.fen);
        for (std::size_t d = 0; d < c.counts.size(); ++d)
            EXPECT_EQ(perft(p, Logic::Star, static_cast<int>(d)), c.counts[d]) << c.fen << " depth " << d;
    }
}

TEST(StandardPerft, TomelinsRuleCountsTheSameBoardWithoutPasses) {
    // The stuck side ends the line under Tomelin's rule instead of passing.
    Position p = fen("7/7/7/7/ooooooo/ooooooo/xxxxxxx x 0 1");
    EXPECT_EQ(perft(p, Logic::Star, 1), 1U);
    p.setRules(Rules::Tomelin);
    EXPECT_EQ(perft(p, Logic::Star, 1), 0U);
    EXPECT_EQ(perft(p, Logic::Star, 2), 0U);
}

TEST(Fen, ReadsTheStandardStart) {
    const Position p = fen(std::string(kStandardStartFen));
    EXPECT_EQ(p.side(), 7);
    EXPECT_EQ(p.rules(), Rules::Ataxx);
    EXPECT_EQ(p.toMove(), Player::One);
    EXPECT_EQ(p.at(0, 0), kToken1);  // a7
    EXPECT_EQ(p.at(6, 6), kToken1);  // g1
    EXPECT_EQ(p.at(6, 0), kToken2);  // g7
    EXPECT_EQ(p.at(0, 6), kToken2);  // a1
    EXPECT_EQ(p.counts().free, 45);
    EXPECT_EQ(writeFen(p), kStandardStartFen);
}

TEST(Fen, CanonicalStringsComeBackUnchanged) {
    for (const char* s : {"x5o/7/2-1-2/3-3/2-1-2/7/o5x o 17 42", "xo/ox x 0 1", "-x-/o1-/3 o 3 9",
                          "x10o/12/12/12/12/12/12/12/12/12/12/o10x x 0 1",
                          "16/16/16/16/16/16/16/16/16/16/16/16/16/16/16/x14o o 5 6"}) {
        EXPECT_EQ(writeFen(fen(s)), s);
    }
}

TEST(Fen, CountersDefaultAndCaseIsAccepted) {
    const Position p = fen("X5O/7/7/7/7/7/O5X O");
    EXPECT_EQ(p.toMove(), Player::Two);
    EXPECT_EQ(p.halfmoveClock(), 0);
    EXPECT_EQ(p.fullmoveNumber(), 1);
    EXPECT_EQ(writeFen(p), "x5o/7/7/7/7/7/o5x o 0 1");
    EXPECT_EQ(fen("x5o/7/7/7/7/7/o5x x 7").halfmoveClock(), 7);
}

TEST(Fen, RandomPositionsOfEverySideRoundTrip) {
    std::mt19937 rng(24);
    for (int n = kMinSide; n <= kMaxSide; ++n) {
        for (int k = 0; k < 20; ++k) {
            std::string s;
            for (int i = 0; i < n * n; ++i)
                s.push_back("0X+-"[rng() % 4]);
            Position p = *Position::fromBoardString(s, rng() % 2 ? Player::One : Player::Two);
            p.setRules(Rules::Ataxx);
            p.setMoveCounters(static_cast<int>(rng() % 150), 1 + static_cast<int>(rng() % 300));
            const std::string text = writeFen(p);
            const FenResult back = readFen(text);
            ASSERT_TRUE(back.position) << text << ": " << back.error;
            EXPECT_EQ(*back.position, p) << text;
            EXPECT_EQ(back.position->boardString(), s);
        }
    }
}

TEST(Fen, MalformedStringsAreRefusedWithAReason) {
    const char* bad[] = {
        "", " ", "x", "x5o/7/7/7/7/7/o5x", "x5o/7/7/7/7/7/o5x z", "x5o/7/7/7/7/7/o5x xo 0 1",
        "x5o/7/7/7/7/7/o5x x -1 1", "x5o/7/7/7/7/7/o5x x a 1", "x5o/7/7/7/7/7/o5x x 0 1 5",
        "x5o/7/7/7/7/7/o5x x 0 b", "x5o/7/7/7/7/7/o5x x 65536 1", "x6o/7/7/7/7/7/o5x x 0 1",
        "x4o/7/7/7/7/7/o5x x 0 1", "x5o/7/7/7/7/7 x 0 1", "x5o/7/7/7/7/7/7/o5x x 0 1",
        "x5o//7/7/7/7/o5x x 0 1", "x5o/7/7/7/7/7/o5x/ x 0 1", "/x5o/7/7/7/7/7/o5x x 0 1",
        "x0o5/7/7/7/7/7/o5x x 0 1", "x5o/7/7/7/7/7/o5y x 0 1", "x5o/7/7/7/7/7/o5\x01 x 0 1",
        "x/x x 0 1", "17/17/17/17/17/17/17/17/17/17/17/17/17/17/17/17/17 x 0 1",
        "x005o/7/7/7/7/7/o5x x 0 1", "x5o/7/7/7/7/7/o5x x 0 1\n", "x5o/7/7/7/7/7/o5x\tx\t0",
        "x5o/7/7/7/7/7/o5x x 0 99999999999",
    };
    int refused = 0;
    for (const char* s : bad) {
        const FenResult r = readFen(s);
        if (r.position) {
            // The few that are accepted (tabs as spaces) must be a position that writes and
            // reads back as itself.
            EXPECT_EQ(readFen(writeFen(*r.position)).position, r.position) << s;
            continue;
        }
        ++refused;
        EXPECT_FALSE(r.error.empty()) << s;
        for (const char c : r.error)
            EXPECT_GE(static_cast<unsigned char>(c), 0x20) << s;
    }
    EXPECT_GE(refused, static_cast<int>(std::size(bad)) - 1);
}

TEST(Fen, MutationsOfGoodStringsNeverGiveABrokenPosition) {
    // Every one-character change, removal and doubling of a few good strings: each is read
    // or refused, and whatever is read writes and reads back as itself.
    std::mt19937 rng(7);
    const std::string alphabet = "xo-/0123456789 XOab\x7f";
    int tried = 0;
    for (const std::string good : {"x5o/7/2-1-2/7/2-1-2/7/o5x x 0 1", "xo/ox o 3 4"}) {
        for (std::size_t i = 0; i < good.size(); ++i) {
            std::vector<std::string> variants{good.substr(0, i) + good.substr(i + 1),
                                              good.substr(0, i + 1) + good.substr(i)};
            for (int k = 0; k < 3; ++k) {
                std::string v = good;
                v[i] = alphabet[rng() % alphabet.size()];
                variants.push_back(v);
            }
            for (const std::string& v : variants) {
                ++tried;
                const FenResult r = readFen(v);
                if (r.position) {
                    EXPECT_EQ(readFen(writeFen(*r.position)).position, r.position) << v;
                    EXPECT_GE(r.position->side(), kMinSide);
                } else {
                    EXPECT_FALSE(r.error.empty()) << v;
                }
            }
        }
    }
    EXPECT_GT(tried, 200);
}

TEST(MoveNotation, SquaresRoundTripOnEverySide) {
    for (int n = kMinSide; n <= kMaxSide; ++n) {
        for (int x = 0; x < n; ++x) {
            for (int y = 0; y < n; ++y) {
                const std::string name = squareName(n, {x, y});
                EXPECT_EQ(parseSquare(n, name), (Cell{x, y})) << name;
            }
        }
    }
    EXPECT_EQ(squareName(7, {0, 6}), "a1");
    EXPECT_EQ(squareName(7, {6, 0}), "g7");
    for (const char* bad : {"", "a", "h1", "a0", "a8", "A1", "a01", "1a", "a1x", "a-1"})
        EXPECT_FALSE(parseSquare(7, bad)) << bad;
}

TEST(MoveNotation, EveryLegalMoveWritesAndReadsBackAsItself) {
    for (const char* f : {"x5o/7/2-1-2/7/2-1-2/7/o5x x 0 1", "7/1xo4/2xo3/3ox2/7/7/7 o 0 1"}) {
        const Position p = fen(f);
        std::vector<Move> moves;
        p.legalMoves(Logic::Star, moves);
        ASSERT_FALSE(moves.empty());
        for (const Move& m : moves) {
            const std::string text = moveText(p.side(), m);
            EXPECT_EQ(text.size(), m.kind == MoveKind::Copy ? 2U : 4U);
            const MoveParse back = parseMoveText(p, Logic::Star, text);
            ASSERT_EQ(back.kind, MoveParse::Kind::Move) << text;
            EXPECT_TRUE(back.move.sameEffect(m)) << text;
            EXPECT_TRUE(p.isLegal(Logic::Star, back.move)) << text;
        }
    }
}

TEST(MoveNotation, ReadsTheProtocolsFormsAndRefusesTheRest) {
    const Position p = fen(std::string(kStandardStartFen));
    struct Case {
        const char* text;
        MoveParse::Kind kind;
        bool legal;
    };
    const Case cases[] = {
        {"b6", MoveParse::Kind::Move, true},    {"a7b6", MoveParse::Kind::Move, true},
        {"g1e3", MoveParse::Kind::Move, true},  {"a7c7", MoveParse::Kind::Move, true},
        {"d4", MoveParse::Kind::Move, false},   {"g7f6", MoveParse::Kind::Move, false},
        {"a7d7", MoveParse::Kind::Invalid, false}, {"0000", MoveParse::Kind::Pass, false},
        {"", MoveParse::Kind::Invalid, false},  {"z9", MoveParse::Kind::Invalid, false},
        {"a7b", MoveParse::Kind::Invalid, false}, {"a7b6c5", MoveParse::Kind::Invalid, false},
        {"000", MoveParse::Kind::Invalid, false}, {"a7a7", MoveParse::Kind::Invalid, false},
    };
    for (const Case& c : cases) {
        const MoveParse r = parseMoveText(p, Logic::Star, c.text);
        EXPECT_EQ(r.kind, c.kind) << c.text;
        if (r.kind == MoveParse::Kind::Move) {
            EXPECT_EQ(p.isLegal(Logic::Star, r.move), c.legal) << c.text;
        }
    }
    EXPECT_EQ(parseMoveText(p, Logic::Star, "a7c7").move.kind, MoveKind::Jump);
}

TEST(StandardRules, PassOnlyWhenStuckAndTheGameGoesOn) {
    struct Case {
        const char* fen;
        bool mustPass;
        bool over;
    };
    const Case cases[] = {
        {"x5o/7/7/7/7/7/o5x x 0 1", false, false},
        {"7/7/7/7/4ooo/4ooo/4oox x 0 1", true, false},
        {"7/7/7/7/4ooo/4ooo/4oox o 0 1", false, false},
        {"xxxxxxx/-------/-------/7/7/-------/ooooooo x 0 1", true, false},
        {"xxxxxxx/-------/-------/7/7/-------/ooooooo o 0 1", false, false},
        {"x6/7/7/7/7/7/7 x 0 1", false, true},       // no token of o
        {"xo5/-------/7/7/7/7/7 x 0 1", false, false},
        {"xo---2/-----2/-----2/7/7/7/7 x 0 1", false, true},  // neither side reaches a free cell
        {"x5o/7/7/7/7/7/o5x x 100 1", false, true},
        {"xxxx/oooo/xxxx/oooo x 0 1", false, true},  // full
    };
    for (const Case& c : cases) {
        Position p = fen(c.fen);
        EXPECT_EQ(p.mustPass(Logic::Star), c.mustPass) << c.fen;
        EXPECT_EQ(p.isOver(Logic::Star), c.over) << c.fen;
        const Player before = p.toMove();
        EXPECT_EQ(p.pass(Logic::Star), c.mustPass) << c.fen;
        EXPECT_EQ(p.toMove(), c.mustPass ? other(before) : before) << c.fen;
    }
}

TEST(StandardRules, CountersFollowCopiesJumpsAndPasses) {
    Position p = fen("x5o/7/7/7/7/7/o5x x 5 3");
    p.play(Logic::Star, parseMoveText(p, Logic::Star, "a7c5").move);  // jump
    EXPECT_EQ(p.halfmoveClock(), 6);
    EXPECT_EQ(p.fullmoveNumber(), 3);
    p.play(Logic::Star, parseMoveText(p, Logic::Star, "f7").move);  // copy by o
    EXPECT_EQ(p.halfmoveClock(), 0);
    EXPECT_EQ(p.fullmoveNumber(), 4);
    Position stuck = fen("7/7/7/7/4ooo/4ooo/4oox x 10 8");
    ASSERT_TRUE(stuck.pass(Logic::Star));
    EXPECT_EQ(stuck.halfmoveClock(), 11);
    EXPECT_EQ(writeFen(stuck), "7/7/7/7/4ooo/4ooo/4oox o 11 8");
}

TEST(StandardRules, HalfMoveLimitDrawsWhileMovesAreLeft) {
    EXPECT_EQ(fen("x5o/7/7/7/7/7/oo4x x 100 1").winner(Logic::Star), 0);
    EXPECT_EQ(fen("x5o/7/7/7/7/7/oo4x x 99 1").isOver(Logic::Star), false);
    // With no token left the count decides even on the limit.
    EXPECT_EQ(fen("7/7/7/7/7/7/oo5 x 100 1").winner(Logic::Star), 2);
}

TEST(StandardRules, TomelinsGamesKeepTheirCounters) {
    Position p = *Position::fromBoardString("+XXX-XXXXXXXXXXX", Player::One);
    const Position start = p;
    std::vector<Move> moves;
    p.legalMoves(Logic::Star, moves);
    p.play(Logic::Star, moves.back());
    EXPECT_EQ(p.halfmoveClock(), start.halfmoveClock());
    EXPECT_EQ(p.fullmoveNumber(), start.fullmoveNumber());
    EXPECT_FALSE(p.mustPass(Logic::Star));
    EXPECT_FALSE(p.pass(Logic::Star));
}

}  // namespace
}  // namespace tomelin
