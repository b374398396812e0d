// The viewer's text: the Czech word for games, the player lines and the record lines.

#include <gtest/gtest.h>

#include "records/survey.h"

namespace tomelin {
namespace {

using Lines4 = std::array<std::string, 4>;
using Lines8 = std::array<std::string, 8>;

TEST(CzechGamesWord, FitsTheCount) {
    EXPECT_EQ(CzechGamesWord(0), " her");
    EXPECT_EQ(CzechGamesWord(1), " hru");
    for (int n = 2; n <= 4; ++n)
        EXPECT_EQ(CzechGamesWord(n), " hry") << n;
    for (int n : {5, 11, 21, 22, 1000})
        EXPECT_EQ(CzechGamesWord(n), " her") << n;
    EXPECT_EQ(CzechGamesWord(-1), " ");
}

TEST(NumberTexts, UseADotAndDropTrailingZeros) {
    EXPECT_EQ(hundredthsText(5550), "55.5");
    EXPECT_EQ(hundredthsText(5000), "50");
    EXPECT_EQ(hundredthsText(3333), "33.33");
    EXPECT_EQ(hundredthsText(5505), "55.05");
    EXPECT_EQ(hundredthsText(0), "0");
    EXPECT_EQ(hundredthsText(10000), "100");
    EXPECT_EQ(tenthsText(625), "62.5");
    EXPECT_EQ(tenthsText(500), "50");
}

TEST(PlayerLines, OneWinAndFourLosses) {
    PlayerStats stats;
    stats.won = 1;
    stats.lost = 4;
    stats.played = 5;
    stats.rateHundredths = 4210;
    EXPECT_EQ(playerLines(stats), (Lines4{"Vyhrál\t\t1 hru", "Prohrál\t\t4 hry",
                                          "Celkem odehrál\t5 her", "Úspěšnost\t42.1%"}));
    EXPECT_EQ(anonymousPlayersLines()[0], "Nejsou záznamy žádného");
    EXPECT_EQ(anonymousPlayersLines()[1], "konkrétního hráče.");
}

Survey oneRecord(const std::string& logic, const std::string& times) {
    Survey survey;
    auto& l = survey.lists;
    l[kListBoard] = {"Originál"};
    l[kListPlayer1] = {"Eva"};
    l[kListPlayer2] = {"Jan"};
    l[kListCount1] = {"(40)"};
    l[kListCount2] = {"(24)"};
    l[kListLogic] = {logic};
    l[kListMoves] = {"57"};
    l[kListWinner] = {"Eva"};
    l[kListShare] = {"62.5"};
    l[kListTimes] = {times};
    return survey;
}

TEST(RecordLines, ShowOneRecord) {
    EXPECT_EQ(recordLines(oneRecord("1", "24"), 0),
              (Lines8{"Hrací pole\tOriginál", "1. hráč\t\tEva(40)", "2. hráč\t\tJan(24)",
                      "Logika pohybu\tHvězda", "Počet tahů\t57", "Vítěz\t\tEva(62.5%)",
                      "Čas na hru 1. h.\t60 minut", "Čas na hru 2. h.\t10 minut"}));
}

TEST(RecordLines, CrossLogicAndTimesForty) {
    const Lines8 lines = recordLines(oneRecord("2", "40"), 0);
    EXPECT_EQ(lines[3], "Logika pohybu\tKříž");
    EXPECT_EQ(lines[6], "Čas na hru 1. h.\t10 minut");
    EXPECT_EQ(lines[7], "Čas na hru 2. h.\tNeomezeně");
}

TEST(RecordLines, DamagedValuesShowNothingInsteadOfFailing) {
    const Lines8 lines = recordLines(oneRecord("3", "97"), 0);
    EXPECT_EQ(lines[3], "Logika pohybu\t");
    EXPECT_EQ(lines[6], "Čas na hru 1. h.\t");
    EXPECT_EQ(lines[7], "Čas na hru 2. h.\t");
    EXPECT_EQ(recordLines(oneRecord("1", "-5"), 0)[6], "Čas na hru 1. h.\t");
    EXPECT_EQ(recordLines(oneRecord("1", "0"), 1), Lines8{});
    EXPECT_EQ(recordLines(oneRecord("1", "0"), -1), Lines8{});
}

TEST(PlayerKind, ComputerNamesGiveTheirStrength) {
    EXPECT_EQ(playerKindOfName("PC Začátečník"), 1);
    EXPECT_EQ(playerKindOfName("PC Profesionál"), 2);
    EXPECT_EQ(playerKindOfName("PC Génius"), 3);
    EXPECT_EQ(playerKindOfName("PC génius"), 0);
    EXPECT_EQ(playerKindOfName("Eva"), 0);
}

}  // namespace
}  // namespace tomelin
