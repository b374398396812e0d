#pragma once
// The records survey `PruzkHer`: every stored game record turned into the fourteen record
// lists and the two player lists, plus the player statistics and the viewer's text lines.

#include <array>
#include <string>
#include <string_view>
#include <vector>
#include "core/texts.h"

#include "platform/store/store.h"
#include "records/game_record.h"

namespace tomelin {

// Indices of the record lists (`LST(0)` .. `LST(13)`).
enum SurveyList : int {
    kListBoard = 0,          // board name
    kListPlayer1 = 1,        // player 1's name
    kListPlayer2 = 2,        // player 2's name
    kListLogic = 3,          // "1" or "2"
    kListMoves = 4,          // number of moves
    kListWinner = 5,         // winner's name
    kListTimes = 6,          // "Časy" as decimal text
    kListLoserWinner = 7,    // two per record: loser's name, then winner's name
    kListCount1 = 8,         // "(" + player 1's count + ")"
    kListCount2 = 9,         // "(" + player 2's count + ")"
    kListShare = 10,         // winner's share of all tokens in percent, "." as decimal point
    kListTokens = 11,        // two per record: loser's token string, then winner's
    kListSetupTokens = 12,   // parallel to Survey::setupPlayers
    kListViewerTokens = 13,  // parallel to Survey::viewerPlayers
};

// Names that never enter a player list.
inline constexpr const char* kDrawName = "Nerozhodně";
inline constexpr const char* kDefaultName1 = TOMELIN_TR_NOOP("Players", "Hráč 1");
inline constexpr const char* kDefaultName2 = TOMELIN_TR_NOOP("Players", "Hráč 2");

// What one survey found.
struct Survey {
    std::array<std::vector<std::string>, 14> lists;
    // The viewer's player list (`ComboB`), order of first appearance; pairs with list 13.
    std::vector<std::string> viewerPlayers;
    // The setup window's name choices (`Text3(0)`, `Text3(1)`); no "PC " names; list 12.
    std::vector<std::string> setupPlayers;
    // The records taken, typed: what the statistics, the viewer's record lines and the tool
    // read. The lists above are only what the windows show; parallel to lists 0..6, 8..10.
    std::vector<GameRecord> records;
    // The store number of each record taken, parallel to lists 0..6 and 8..10.
    std::vector<int> recordNumbers;
    // The winner's share of each record in tenths of a percent (625 for 62.5 %).
    std::vector<int> shareTenths;
    // Records present in the store but left out because they are damaged.
    std::vector<int> skippedNumbers;

    int recordCount() const { return static_cast<int>(records.size()); }
    // `HScroll1`'s maximum after the survey: records - 1 (-1 for none).
    int scrollMaximum() const { return recordCount() - 1; }
};

// `PruzkHer`: reads every record of the store in ascending number (not only 1..999).
// Skipped and reported in `skippedNumbers`, never deleted: a record with a token string of
// fewer than four characters, and one whose "Vyhrál" is missing or not 1 or 2.
Survey readSurvey(Store& store);

// A player's results over the surveyed records.
struct PlayerStats {
    int won = 0;
    int lost = 0;
    int played = 0;
    // Average share of the tokens the player held at the end of his games, in hundredths
    // of a percent, cut (5550 for 55.5 %). A game against himself counts 100 % once for
    // two games.
    int rateHundredths = 0;
    double rate() const { return rateHundredths / 100.0; }
};
// Player statistics for the exact (case-sensitive) name.
PlayerStats playerStatistics(const Survey& survey, std::string_view name);

// `CzechGamesWord`: " hru" for 1, " hry" for 2..4, " her" for 0 and 5 or more, " " for a
// negative count.
std::string CzechGamesWord(int count);

// A number of hundredths as text with "." and up to two decimals, no trailing zeros
// (5550 -> "55.5", 5000 -> "50", 3333 -> "33.33").
std::string hundredthsText(int hundredths);
// A share in tenths as text with "." ("62.5", "50").
std::string tenthsText(int tenths);

// The four lines of the viewer's player part (`List2`), tab-separated.
std::array<std::string, 4> playerLines(const PlayerStats& stats);
// The viewer's notice when no recorded player has a name of his own.
std::array<std::string, 2> anonymousPlayersLines();
// The eight lines of the viewer's record part (`List1`) for record k of the survey.
// An index outside the records gives eight empty lines.
std::array<std::string, 8> recordLines(const Survey& survey, int k);
// The five time-limit texts, list positions 0..4.
std::array<std::string, 5> timeLimitTexts();

}  // namespace tomelin
