// The records survey: list contents and orders, the player lists and the statistics.

#include "records/survey.h"

#include <gtest/gtest.h>

#include <locale>

#include "core/winner.h"
#include "platform/store/store_folder.h"
#include "records/game_record.h"

namespace tomelin {
namespace {

using Names = std::vector<std::string>;
using Stats = std::array<int, 4>;  // won, lost, played, rate in hundredths

Stats statsOf(const Survey& survey, const std::string& name) {
    const PlayerStats s = playerStatistics(survey, name);
    return {s.won, s.lost, s.played, s.rateHundredths};
}

class SurveyTest : public testing::StoreTest {
protected:
    // Writes a won game: p1 against p2 ending c1 : c2.
    void game(const std::string& p1, const std::string& p2, int c1, int c2,
              const std::string& token1 = "ACE1", const std::string& token2 = "ECA5") {
        const GameRecord record{.board = "Originál",
                                .names = {p1, p2},
                                .logic = 2,
                                .times = 24,
                                .counts = {c1, c2},
                                .tokens = {token1, token2},
                                .winner = winnerOfCounts(c1, c2),
                                .moves = 30};
        EXPECT_EQ(writeGameRecord(*m_store, record).outcome, RecordWrite::Outcome::Written);
    }
    // Writes record `number` value by value, the way older or damaged stores may hold it;
    // `skip` names one value to leave out.
    void rawRecord(int number, const std::string& token1, const std::string& token2,
                   const std::string& winner, const std::string& skip = "(none)") {
        const std::string path = recordKeyPath(number);
        m_store->CreateRegKey(path);
        const char* names[] = {kRecBoard,  kRecPlayer1, kRecPlayer2, kRecToken1,
                               kRecToken2, kRecMoves,   kRecLogic,   kRecTimes,
                               kRecCount1, kRecCount2,  kRecWinner};
        const std::string values[] = {"Dáma", "Eva", "Jan", token1, token2, "7",
                                      "1",    "0",   "40",  "24",   winner};
        for (int i = 0; i < 11; ++i) {
            if (names[i] != skip)
                m_store->WriteRegValue(path, names[i], values[i], i < 5 ? kTypeText : kTypeInt);
        }
    }
};

TEST_F(SurveyTest, EmptyStoreGivesEmptyListsAndScrollMaximumMinusOne) {
    const Survey survey = readSurvey(*m_store);
    for (const auto& list : survey.lists)
        EXPECT_TRUE(list.empty());
    EXPECT_TRUE(survey.viewerPlayers.empty());
    EXPECT_TRUE(survey.setupPlayers.empty());
    EXPECT_EQ(survey.scrollMaximum(), -1);
}

TEST_F(SurveyTest, EvaAndJanWorkedExample) {
    game("Eva", "PC Génius", 40, 24, "AEE3", "EEE6");
    game("Jan", "Eva", 33, 31, "AAE2", "BBB4");
    const Survey survey = readSurvey(*m_store);
    ASSERT_EQ(survey.recordCount(), 2);
    EXPECT_EQ(survey.scrollMaximum(), 1);
    const auto& lists = survey.lists;
    EXPECT_EQ(lists[kListBoard], (Names{"Originál", "Originál"}));
    EXPECT_EQ(lists[kListLogic], (Names{"2", "2"}));
    EXPECT_EQ(lists[kListMoves], (Names{"30", "30"}));
    EXPECT_EQ(lists[kListTimes], (Names{"24", "24"}));
    EXPECT_EQ(lists[kListPlayer1], (Names{"Eva", "Jan"}));
    EXPECT_EQ(lists[kListPlayer2], (Names{"PC Génius", "Eva"}));
    EXPECT_EQ(lists[kListWinner], (Names{"Eva", "Jan"}));
    EXPECT_EQ(lists[kListShare], (Names{"62.5", "51.5"}));
    EXPECT_EQ(lists[kListCount1], (Names{"(40)", "(33)"}));
    EXPECT_EQ(lists[kListCount2], (Names{"(24)", "(31)"}));
    EXPECT_EQ(lists[kListLoserWinner], (Names{"PC Génius", "Eva", "Eva", "Jan"}));
    EXPECT_EQ(lists[kListTokens], (Names{"EEE6", "AEE3", "BBB4", "AAE2"}));
    // Computer names enter only the viewer's list.
    EXPECT_EQ(survey.viewerPlayers, (Names{"PC Génius", "Eva", "Jan"}));
    EXPECT_EQ(lists[kListViewerTokens], (Names{"EEE6", "AEE3", "AAE2"}));
    EXPECT_EQ(survey.setupPlayers, (Names{"Eva", "Jan"}));
    EXPECT_EQ(lists[kListSetupTokens], (Names{"AEE3", "AAE2"}));

    EXPECT_EQ(statsOf(survey, "Eva"), (Stats{1, 1, 2, 5550}));  // (62.5 + 48.5) / 2
    EXPECT_EQ(statsOf(survey, "Jan"), (Stats{1, 0, 1, 5150}));
    EXPECT_EQ(statsOf(survey, "PC Génius"), (Stats{0, 1, 1, 3750}));
    EXPECT_EQ(statsOf(survey, "eva"), (Stats{0, 0, 0, 0}));  // names compare exactly
}

TEST_F(SurveyTest, PlayerListsSkipAnonymousNamesAndKeepEachPlayersFirstToken) {
    game("Hráč 1", "Hráč 2", 30, 10);
    game("Nerozhodně", "Hráč 1", 10, 30);
    game("", "Hráč 2", 10, 30);  // a name lost from a damaged record
    game("Eva", "Jan", 30, 10, "AAA1", "BBB2");
    game("Eva", "Jan", 10, 30, "CCC3", "DDD4");
    const Survey survey = readSurvey(*m_store);
    EXPECT_EQ(survey.recordCount(), 5);
    EXPECT_EQ(survey.viewerPlayers, (Names{"Jan", "Eva"}));
    EXPECT_EQ(survey.setupPlayers, (Names{"Jan", "Eva"}));
    EXPECT_EQ(survey.lists[kListSetupTokens], (Names{"BBB2", "AAA1"}));
}

TEST_F(SurveyTest, GameAgainstHimselfCountsTwiceAndRatesAreCutToTwoDecimals) {
    game("Eva", "Eva", 40, 24);
    game("Jan", "Ota", 2, 1);  // 66.6
    game("Jan", "Ota", 2, 1);
    game("Jan", "Ota", 1, 2);  // lost: 100 - 66.6 = 33.4
    const Survey survey = readSurvey(*m_store);
    EXPECT_EQ(statsOf(survey, "Eva"), (Stats{1, 1, 2, 5000}));
    EXPECT_EQ(statsOf(survey, "Jan"), (Stats{2, 1, 3, 5553}));  // 166.6 / 3 = 55.53...
}

TEST_F(SurveyTest, DamagedRecordsAreSkippedKeptAndOthersReadInNumberOrder) {
    rawRecord(1000, "AEE3", "EEA5", "1");
    rawRecord(4, "AEE3", "EEA5", "1");
    rawRecord(1, "AEE3", "EEA5", "2");
    rawRecord(2, "AEE", "EEA5", "1");  // old format tokens
    rawRecord(3, "AEE3", "EE5", "2");
    rawRecord(5, "BBB1", "CCC2", "0");  // no winner
    rawRecord(6, "BBB1", "CCC2", "0", kRecWinner);
    rawRecord(7, "BBB1", "CCC2", "7");
    m_store->CreateRegKey(recordKeyPath(8));  // a free number: no board name
    m_store->CreateRegKey(std::string(kRecordsKey) + "\\poznámka");
    m_store->CreateRegKey(std::string(kRecordsKey) + "\\9");
    const Survey survey = readSurvey(*m_store);
    EXPECT_EQ(survey.recordNumbers, (std::vector<int>{1, 4, 1000}));
    EXPECT_EQ(survey.skippedNumbers, (std::vector<int>{2, 3, 5, 6, 7}));
    EXPECT_EQ(survey.lists[kListWinner], (Names{"Jan", "Eva", "Eva"}));
    EXPECT_EQ(survey.lists[kListTokens], (Names{"AEE3", "EEA5", "EEA5", "AEE3", "EEA5", "AEE3"}));
    EXPECT_EQ(statsOf(survey, "Eva"), (Stats{2, 1, 3, 6250}));
    EXPECT_EQ(statsOf(survey, kDrawName).at(2), 0);
    for (int n = 1; n <= 7; ++n)
        EXPECT_FALSE(isEmptyValue(m_store->ReadRegValue(recordKeyPath(n), kRecBoard))) << n;
}

// A locale that writes numbers with a decimal comma.
struct CommaNumbers : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST_F(SurveyTest, ShareKeepsItsDecimalsUnderACommaLocale) {
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new CommaNumbers));
    game("Eva", "Jan", 40, 24);
    const Survey survey = readSurvey(*m_store);
    const PlayerStats eva = playerStatistics(survey, "Eva");
    std::locale::global(previous);
    EXPECT_EQ(survey.lists[kListShare], (Names{"62.5"}));
    EXPECT_EQ(eva.rateHundredths, 6250);
}

}  // namespace
}  // namespace tomelin
