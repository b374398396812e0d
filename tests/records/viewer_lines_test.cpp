// The viewer's text: the Czech word for games, the player lines and the record lines.

#include <gtest/gtest.h>

#include "core/game.h"
#include "records/survey.h"

namespace tomelin {
namespace {

using Lines4 = std::array<std::string, 4>;
using Lines8 = std::array<std::string, 8>;

TEST(ViewerTexts, GamesWordFitsTheCountAndNumbersUseADotWithoutTrailingZeros) {
    const std::pair<int, const char*> words[] = {{0, " her"},  {1, " hru"},  {2, " hry"},
                                                 {4, " hry"},  {5, " her"},  {11, " her"},
                                                 {21, " her"}, {22, " her"}, {-1, " "}};
    for (const auto& [count, word] : words)
        EXPECT_EQ(CzechGamesWord(count), word) << count;
    const std::pair<int, const char*> hundredths[] = {
        {5550, "55.5"}, {5000, "50"}, {3333, "33.33"}, {5505, "55.05"}, {0, "0"}, {10000, "100"}};
    for (const auto& [number, text] : hundredths)
        EXPECT_EQ(hundredthsText(number), text);
    EXPECT_EQ(tenthsText(625), "62.5");
    EXPECT_EQ(tenthsText(500), "50");
}

TEST(PlayerLines, OneWinAndFourLosses) {
    const PlayerStats stats{.won = 1, .lost = 4, .played = 5, .rateHundredths = 4210};
    EXPECT_EQ(playerLines(stats), (Lines4{"Vyhrál\t\t1 hru", "Prohrál\t\t4 hry",
                                          "Celkem odehrál\t5 her", "Úspěšnost\t42.1%"}));
    EXPECT_EQ(anonymousPlayersLines()[0], "Nejsou záznamy žádného");
    EXPECT_EQ(anonymousPlayersLines()[1], "konkrétního hráče.");
}

// One surveyed record, Eva beating Jan 40 to 24 (a share of 62.5 %) in 57 moves.
Survey oneRecord(int logic, int times) {
    Survey survey;
    survey.records = {GameRecord{.board = "Originál",
                                 .names = {"Eva", "Jan"},
                                 .logic = logic,
                                 .times = times,
                                 .counts = {40, 24},
                                 .tokens = {"ACE1", "ECA5"},
                                 .winner = 1,
                                 .moves = 57}};
    survey.shareTenths = {625};
    return survey;
}

TEST(RecordLines, ShowOneRecord) {
    EXPECT_EQ(recordLines(oneRecord(1, 24), 0),
              (Lines8{"Hrací pole\tOriginál", "1. hráč\t\tEva(40)", "2. hráč\t\tJan(24)",
                      "Logika pohybu\tHvězda", "Počet tahů\t57", "Vítěz\t\tEva(62.5%)",
                      "Čas na hru 1. h.\t60 minut", "Čas na hru 2. h.\t10 minut"}));
}

TEST(RecordLines, LogicAndTimesCodesAndDamagedValuesShowNothingInsteadOfFailing) {
    // logic, times -> logic text, player 1's time, player 2's time
    struct Row {
        int logic, times;
        const char *logicText, *time1, *time2;
    };
    const Row rows[] = {{2, 40, "Kříž", "10 minut", "Neomezeně"},
                        {3, 97, "", "", ""},
                        {1, -5, "Hvězda", "", ""}};
    for (const Row& row : rows) {
        const Lines8 lines = recordLines(oneRecord(row.logic, row.times), 0);
        EXPECT_EQ(lines[3], std::string("Logika pohybu\t") + row.logicText) << row.times;
        EXPECT_EQ(lines[6], std::string("Čas na hru 1. h.\t") + row.time1) << row.times;
        EXPECT_EQ(lines[7], std::string("Čas na hru 2. h.\t") + row.time2) << row.times;
    }
    EXPECT_EQ(recordLines(oneRecord(1, 0), 1), Lines8{});
    EXPECT_EQ(recordLines(oneRecord(1, 0), -1), Lines8{});
}

TEST(PlayerKind, ComputerNamesGiveTheirStrength) {
    const std::pair<const char*, int> rows[] = {{"PC Začátečník", 1},
                                                {"PC Profesionál", 2},
                                                {"PC Génius", 3},
                                                {"PC Velmistr", 4},
                                                {"PC Velmistr ", 0},
                                                {"PC génius", 0},
                                                {"Eva", 0}};
    for (const auto& [name, kind] : rows)
        EXPECT_EQ(playerKindFromName(name), kind) << name;
}

}  // namespace
}  // namespace tomelin
