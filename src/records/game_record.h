#pragma once
// The stored form of a finished game ("Hry\00001" ...) and writing it at game end.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <vector>

#include "core/directions.h"
#include "core/game_setup.h"
#include "platform/store/store.h"

namespace tomelin {

// Key of all records; each record is one subkey named by its five-digit number.
inline constexpr const char* kRecordsKey = "Software\\Brantl\\Tomelin\\Hry";

// Value names of one record, in the order they are written ("Vyhrál" last).
inline constexpr const char* kRecBoard = "";
inline constexpr const char* kRecMoves = "PočetTahů";
inline constexpr const char* kRecPlayer1 = "Hráč1";
inline constexpr const char* kRecPlayer2 = "Hráč2";
inline constexpr const char* kRecLogic = "LogikaPohybu";
inline constexpr const char* kRecTimes = "Časy";
inline constexpr const char* kRecCount1 = "Hráč1Počet";
inline constexpr const char* kRecCount2 = "Hráč2Počet";
inline constexpr const char* kRecToken1 = "Hráč1Figurka";
inline constexpr const char* kRecToken2 = "Hráč2Figurka";
inline constexpr const char* kRecWinner = "Vyhrál";

// One finished game as stored: the typed row that the one writer (writeGameRecord) stores
// and the one reader (readGameRecords) gives back. Display texts are made from it, never
// read back into it.
struct GameRecord {
    std::string board;                  // board name (the title without "Tomelin - ")
    std::array<std::string, 2> names;   // "Hráč1", "Hráč2"
    int logic = 1;                      // "LogikaPohybu": 1 star ("Hvězda"), 2 cross ("Kříž")
    int times = 0;                      // "Časy": 10 * t1 + t2, list positions 0..4
    std::array<int, 2> counts{0, 0};    // "Hráč1Počet", "Hráč2Počet"
    std::array<std::string, 2> tokens;  // "Hráč1Figurka", "Hráč2Figurka" (token strings)
    int winner = 0;                     // "Vyhrál": 1 or 2; 0 a draw (never stored)
    int moves = 0;                      // "PočetTahů"
};

// A token's colour (0x00BBGGRR) and shape code.
struct TokenStyle {
    std::uint32_t colour = 0;
    int shape = 1;
    bool operator==(const TokenStyle&) const = default;
};

// Token string: one letter "A".."E" per red, green, blue channel (65 + (255 - x) / 60),
// then the shape number, e.g. red 255, green 0, blue 0, shape 3 -> "AEE3".
std::string tokenString(std::uint32_t colour, int shape);
// Reverse of tokenString: letter L gives 255 - 60 * (L - "A"). A damaged string is mended:
// a lower-case letter counts as its capital, other letters outside "A".."E" take the
// nearest valid level, a missing letter reads as "A", and a shape outside 1..8 becomes 1.
TokenStyle decodeTokenString(std::string_view text);
// The content of a token string is at least four characters (three letters and a shape);
// shorter ones come from an old format and are not taken into the survey.
bool isCompleteTokenString(std::string_view text);

// Key path of record N: N with leading zeros to five digits ("00001", "12345", "123456").
std::string recordKeyPath(int number);
// The record number a subkey name of the records key stands for, if it is one.
std::optional<int> recordNumberFromKeyName(std::string_view name);

// "PočetTahů" from the move counter: the counter plus one half, rounded down.
int movesFromCounter(double moveCounter);
// "Časy" from the two time-list positions.
inline int timesCode(int listPos1, int listPos2) {
    return 10 * listPos1 + listPos2;
}

// What game end knows of a finished game, in the game window and in the tool alike.
struct GameEnd {
    std::string board;                       // the board's name
    std::array<std::string, 2> names;        // as the game window shows them
    Logic logic = Logic::Star;
    std::array<TimeLimit, 2> timeLimits{};   // stored as time-list positions
    std::array<int, 2> counts{0, 0};         // tokens on the board at the end
    std::array<TokenStyle, 2> tokens;
    double moveCounter = 0;                  // `MoveCounter` at the end
};

// The record of a finished game. The winner follows from the counts (0 for a draw), the
// stored logic number from the logic (core/directions.h).
GameRecord finishedGameRecord(const GameEnd& end);

// What writing a finished game did.
struct RecordWrite {
    enum class Outcome {
        Written,    // stored as record `number`
        NotStored,  // a draw, or a board without tokens: nothing is kept
        Failed,     // the store refused; nothing of the record is kept
    };
    Outcome outcome = Outcome::NotStored;
    int number = 0;
    int status = kStatusOk;  // the failing operation's status when Failed
    std::string reason;      // why it failed, in Czech, when the store gave a reason
};

// The lowest record number whose key is missing or has an empty unnamed value.
int lowestFreeRecordNumber(Store& store);

// Game end's store writes: takes the lowest free record number and writes every value,
// "Vyhrál" last, in one transaction, so a crash or a failing write leaves no half record
// and two programs writing at once never take the same number. A draw (winner 0) or a
// record without tokens writes nothing; a record without a board name is refused
// (kStatusBadValue), since it could never be read; a read-only store refuses it
// (kStatusReadOnly). The reused key of a lost record is emptied
// first.
RecordWrite writeGameRecord(Store& store, const GameRecord& record);

// Game end's record: finishedGameRecord written with writeGameRecord. The tool's
// `play --record` records through this.
RecordWrite recordFinishedGame(Store& store, const GameEnd& end);

// The end of the game kept in the store: its record written and the kept game removed in one
// transaction, so that a kill at any moment leaves either the kept game (to be finished
// again) or the record, never neither and never both. When nothing can be written, the
// kept game is still removed if the store lets it, so that an ended game is never offered
// for resuming. A draw removes the kept game only. `afterRemoval`, when given, runs inside
// the transaction between the two steps.
RecordWrite recordAndForgetKeptGame(Store& store, const GameEnd& end,
                                    const std::function<void()>& afterRemoval = {});

// One record as read back, with its number.
struct StoredGameRecord {
    int number = 0;
    GameRecord record;
};
// The one reader: every record of the store (a key with a non-empty unnamed value), in
// ascending number. A missing value reads as empty text or 0, as the store gives it.
std::vector<StoredGameRecord> readGameRecords(Store& store);

}  // namespace tomelin
