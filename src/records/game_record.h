#pragma once
// The stored form of a finished game ("Hry\00001" ...) and writing it at game end.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

// One finished game as stored.
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
// "LogikaPohybu" from the game's logic label ("1" star, anything else cross).
inline int logicCode(std::string_view logicLabel) {
    return logicLabel == "1" ? 1 : 2;
}
// The winner from the token counts: 1, 2, or 0 for equal counts.
inline int winnerFromCounts(int count1, int count2) {
    return count1 > count2 ? 1 : (count2 > count1 ? 2 : 0);
}

// The record of a game that ended with these counts, from what the game window holds:
// the board name, both names, the logic label, both time-list positions, the tokens and
// the move counter. The winner follows from the counts (0 for a draw).
GameRecord finishedGameRecord(std::string_view boardName, const std::array<std::string, 2>& names,
                              std::string_view logicLabel, const std::array<int, 2>& timeListPos,
                              const std::array<int, 2>& counts,
                              const std::array<TokenStyle, 2>& tokens, double moveCounter);

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

}  // namespace tomelin
