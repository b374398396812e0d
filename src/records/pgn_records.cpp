#include "records/pgn_records.h"

#include <ostream>

#include "core/fen.h"
#include "core/game.h"
#include "records/time_list.h"

namespace tomelin {

namespace {

std::string secondsText(int listPosition) {
    const TimeLimit limit = timeLimitAtListPosition(listPosition);
    return limit.limited() ? std::to_string(limit.duration().count()) : "-";
}

}  // namespace

std::optional<std::string> fenForBoard(const std::string& boardString, Logic logic) {
    if (logic != Logic::Star)
        return std::nullopt;
    const std::optional<Position> p = Position::fromBoardString(boardString, Player::One);
    if (!p || p->side() > 7)
        return std::nullopt;
    return writeFen(*p);
}

PgnGame recordPgn(const StoredGameRecord& stored, const BoardList& boards) {
    const GameRecord& r = stored.record;
    PgnGame g;
    g.tags = {{"Event", "Tomelin"},
              {"Site", "Tomelin"},
              {"Date", "????.??.??"},
              {"Round", std::to_string(stored.number)},
              {"Black", r.names[0]},
              {"White", r.names[1]},
              {"Result", pgnResult(r.winner)}};
    const Logic logic = r.logic == 1 ? Logic::Star : Logic::Cross;
    std::optional<std::string> boardString;
    for (int i = 0; i < boards.size(); ++i) {
        if (boards.names[static_cast<std::size_t>(i)] == r.board && boards.isPlayable(i)) {
            boardString = boards.strings[static_cast<std::size_t>(i)];
            break;
        }
    }
    const std::optional<std::string> fen = boardString ? fenForBoard(*boardString, logic) : std::nullopt;
    if (fen && *fen != kStandardStartFen) {
        g.tags.emplace_back("SetUp", "1");
        g.tags.emplace_back("FEN", *fen);
    }
    g.tags.emplace_back("Logic", logic == Logic::Star ? "star" : "cross");
    const int t1 = r.times / 10, t2 = r.times % 10;
    if (t1 == t2) {
        g.tags.emplace_back("TimeControl", secondsText(t1));
    } else {
        g.tags.emplace_back("TimeControl", "?");
        g.tags.emplace_back("BlackTimeControl", secondsText(t1));
        g.tags.emplace_back("WhiteTimeControl", secondsText(t2));
    }
    g.tags.emplace_back("TomelinBoard", r.board);
    if (boardString && !fen)
        g.tags.emplace_back("TomelinBoardString", *boardString);
    g.tags.emplace_back("TomelinScore", std::to_string(r.counts[0]) + "-" + std::to_string(r.counts[1]));
    g.tags.emplace_back("TomelinMoves", std::to_string(r.moves));
    g.tags.emplace_back("TomelinTokens", r.tokens[0] + " " + r.tokens[1]);
    g.comment = "the record keeps the result, not the moves";
    g.result = pgnResult(r.winner);
    return g;
}

void writeRecordsPgn(Store& store, std::ostream& out) {
    const BoardList boards = readBoardList(store);
    for (const StoredGameRecord& stored : readGameRecords(store))
        out << writePgn(recordPgn(stored, boards));
}

std::string surveyPgn(const Survey& survey, const BoardList& boards, int k) {
    const auto one = [&](std::size_t i) {
        const int number = i < survey.recordNumbers.size() ? survey.recordNumbers[i] : static_cast<int>(i) + 1;
        return writePgn(recordPgn({number, survey.records[i]}, boards));
    };
    if (k >= 0)
        return k < survey.recordCount() ? one(static_cast<std::size_t>(k)) : std::string();
    std::string text;
    for (std::size_t i = 0; i < survey.records.size(); ++i)
        text += one(i);
    return text;
}

}  // namespace tomelin
