#pragma once
// Stored game records and the tool's own games as PGN (core/pgn.h); `tomelin-cli records
// --pgn` and the records viewer's export write the same text.
//
// A record keeps its board by name, the players, the logic, the times, the final counts and
// the number of moves, but not the moves themselves: its PGN game has the tags and the
// result, and a comment saying so. Tags beyond the seven of every PGN game:
//   SetUp, FEN      the start, when it is not the standard one and FEN can write it (the
//                   star logic on a board of side 7 or less)
//   Logic           "star" or "cross"
//   TimeControl     seconds per player, "-" without a limit, "?" when the two differ
//                   (then BlackTimeControl and WhiteTimeControl)
//   TomelinBoard    the board's name
//   TomelinBoardString  the start as a board string, for a board FEN cannot write
//   TomelinScore    the final token counts, "x-o"
//   TomelinMoves    the moves made
//   TomelinTokens   the two players' token strings

#include <iosfwd>
#include <optional>
#include <string>

#include "boards/board_list.h"
#include "core/pgn.h"
#include "records/game_record.h"
#include "records/survey.h"

namespace tomelin {

// The start position a board string gives (player One to move), if it is a board.
std::optional<std::string> fenForBoard(const std::string& boardString, Logic logic);

PgnGame recordPgn(const StoredGameRecord& stored, const BoardList& boards);

// Every record of the store as PGN, in record order.
void writeRecordsPgn(Store& store, std::ostream& out);

// Record k of a survey (its store number as the round), or with k < 0 every record in
// survey order, as PGN text; an index outside the records gives empty text.
std::string surveyPgn(const Survey& survey, const BoardList& boards, int k = -1);

}  // namespace tomelin
