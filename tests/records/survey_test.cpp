// The records survey: list contents and orders, the player lists and the statistics.

#include "records/survey.h"

#include <gtest/gtest.h>

#include <locale>

#include "platform/store/store_folder.h"
#include "records/game_record.h"

namespace tomelin {
namespace {

using testing::StoreFolder;
using Names = std::vector<std::string>;

class SurveyTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(m_store, nullptr); }

    // Writes a won game: p1 against p2 ending c1 : c2.
    int game(const std::string& p1, const std::string& p2, int c1, int c2,
             const std::string& token1 = "ACE1", const std::string& token2 = "ECA5") {
        GameRecord record;
        record.board = "Originál";
        record.names = {p1, p2};
        record.counts = {c1, c2};
        record.tokens = {token1, token2};
        record.winner = winnerFromCounts(c1, c2);
        record.moves = 30;
        const RecordWrite write = writeGameRecord(*m_store, record);
        EXPECT_EQ(write.outcome, RecordWrite::Outcome::Written);
        return write.number;
    }
    // Writes record `number` directly, value by value, the way older or damaged stores
    // may hold it; `skip` names one value to leave out.
    void rawRecord(int number, const std::string& token1, const std::string& token2,
                   std::int32_t winner, const std::string& skip = "(none)") {
        const std::string path = recordKeyPath(number);
        m_store->CreateRegKey(path);
        auto put = [&](const char* name, const StoreValue& value, int type) {
            if (name != skip)
                m_store->WriteRegValue(path, name, value, type);
        };
        put(kRecBoard, std::string("Dáma"), kTypeText);
        put(kRecMoves, 7, kTypeInt);
        put(kRecPlayer1, std::string("Eva"), kTypeText);
        put(kRecPlayer2, std::string("Jan"), kTypeText);
        put(kRecLogic, 1, kTypeInt);
        put(kRecTimes, 0, kTypeInt);
        put(kRecCount1, 40, kTypeInt);
        put(kRecCount2, 24, kTypeInt);
        put(kRecToken1, token1, kTypeText);
        put(kRecToken2, token2, kTypeText);
        put(kRecWinner, winner, kTypeInt);
    }

    StoreFolder m_folder;
    std::unique_ptr<SqliteStore> m_store = m_folder.open();
};

TEST_F(SurveyTest, EmptyStoreGivesEmptyListsAndScrollMaximumMinusOne) {
    const Survey survey = PruzkHer(*m_store);
    for (const auto& list : survey.lists)
        EXPECT_TRUE(list.empty());
    EXPECT_TRUE(survey.viewerPlayers.empty());
    EXPECT_TRUE(survey.setupPlayers.empty());
    EXPECT_EQ(survey.scrollMaximum(), -1);
}

TEST_F(SurveyTest, EvaAndJanWorkedExample) {
    game("Eva", "PC Génius", 40, 24, "AEE3", "EEE6");
    game("Jan", "Eva", 33, 31, "AAE2", "BBB4");
    const Survey survey = PruzkHer(*m_store);
    ASSERT_EQ(survey.recordCount(), 2);
    EXPECT_EQ(survey.scrollMaximum(), 1);
    const auto& lists = survey.lists;
    EXPECT_EQ(lists[kListPlayer1], (Names{"Eva", "Jan"}));
    EXPECT_EQ(lists[kListPlayer2], (Names{"PC Génius", "Eva"}));
    EXPECT_EQ(lists[kListWinner], (Names{"Eva", "Jan"}));
    EXPECT_EQ(lists[kListShare], (Names{"62.5", "51.5"}));
    EXPECT_EQ(lists[kListCount1], (Names{"(40)", "(33)"}));
    EXPECT_EQ(lists[kListCount2], (Names{"(24)", "(31)"}));
    EXPECT_EQ(lists[kListLoserWinner], (Names{"PC Génius", "Eva", "Eva", "Jan"}));
    EXPECT_EQ(lists[kListTokens], (Names{"EEE6", "AEE3", "BBB4", "AAE2"}));

    EXPECT_EQ(survey.viewerPlayers, (Names{"PC Génius", "Eva", "Jan"}));
    EXPECT_EQ(lists[kListViewerTokens], (Names{"EEE6", "AEE3", "AAE2"}));
    EXPECT_EQ(survey.setupPlayers, (Names{"Eva", "Jan"}));
    EXPECT_EQ(lists[kListSetupTokens], (Names{"AEE3", "AAE2"}));

    const PlayerStats eva = playerStatistics(survey, "Eva");
    EXPECT_EQ(eva.played, 2);
    EXPECT_EQ(eva.won, 1);
    EXPECT_EQ(eva.lost, 1);
    EXPECT_EQ(eva.rateHundredths, 5550);  // (62.5 + 48.5) / 2
    const PlayerStats jan = playerStatistics(survey, "Jan");
    EXPECT_EQ(jan.played, 1);
    EXPECT_EQ(jan.won, 1);
    EXPECT_EQ(jan.rateHundredths, 5150);
    const PlayerStats pc = playerStatistics(survey, "PC Génius");
    EXPECT_EQ(pc.lost, 1);
    EXPECT_EQ(pc.rateHundredths, 3750);
    EXPECT_EQ(playerStatistics(survey, "eva").played, 0);  // names compare exactly
}

TEST_F(SurveyTest, OtherListsCarryBoardLogicMovesAndTimes) {
    GameRecord record = finishedGameRecord("Bitva", {"Eva", "Jan"}, "2", {2, 4}, {5, 60},
                                           {TokenStyle{0xFF, 2}, TokenStyle{0xFF0000, 7}}, 40.5);
    ASSERT_EQ(writeGameRecord(*m_store, record).number, 1);
    const Survey survey = PruzkHer(*m_store);
    EXPECT_EQ(survey.lists[kListBoard], (Names{"Bitva"}));
    EXPECT_EQ(survey.lists[kListLogic], (Names{"2"}));
    EXPECT_EQ(survey.lists[kListMoves], (Names{"41"}));
    EXPECT_EQ(survey.lists[kListTimes], (Names{"24"}));
    EXPECT_EQ(survey.lists[kListShare], (Names{"92.3"}));  // 60 of 65, cut to one decimal
    EXPECT_EQ(survey.lists[kListWinner], (Names{"Jan"}));
    EXPECT_EQ(survey.recordNumbers, (std::vector<int>{1}));
}

TEST_F(SurveyTest, AnonymousNamesAndTheDrawNameEnterNoPlayerList) {
    game("Hráč 1", "Hráč 2", 30, 10);
    game("Nerozhodně", "Hráč 1", 10, 30);
    game("", "Hráč 2", 10, 30);  // a name lost from a damaged record
    const Survey survey = PruzkHer(*m_store);
    EXPECT_EQ(survey.recordCount(), 3);
    EXPECT_TRUE(survey.viewerPlayers.empty());
    EXPECT_TRUE(survey.setupPlayers.empty());
    EXPECT_TRUE(survey.lists[kListViewerTokens].empty());
}

TEST_F(SurveyTest, ComputerNamesEnterOnlyTheViewerList) {
    game("PC Začátečník", "PC Profesionál", 30, 10);
    game("Eva", "PC Začátečník", 30, 10);
    const Survey survey = PruzkHer(*m_store);
    EXPECT_EQ(survey.viewerPlayers, (Names{"PC Profesionál", "PC Začátečník", "Eva"}));
    EXPECT_EQ(survey.setupPlayers, (Names{"Eva"}));
}

TEST_F(SurveyTest, PlayerKeepsTheTokenOfHisFirstAppearance) {
    game("Eva", "Jan", 30, 10, "AAA1", "BBB2");
    game("Eva", "Jan", 10, 30, "CCC3", "DDD4");
    const Survey survey = PruzkHer(*m_store);
    EXPECT_EQ(survey.setupPlayers, (Names{"Jan", "Eva"}));
    EXPECT_EQ(survey.lists[kListSetupTokens], (Names{"BBB2", "AAA1"}));
}

TEST_F(SurveyTest, GameAgainstHimselfCountsTwoGamesAndHundredPoints) {
    game("Eva", "Eva", 40, 24);
    const PlayerStats eva = playerStatistics(PruzkHer(*m_store), "Eva");
    EXPECT_EQ(eva.played, 2);
    EXPECT_EQ(eva.won, 1);
    EXPECT_EQ(eva.lost, 1);
    EXPECT_EQ(eva.rateHundredths, 5000);
}

TEST_F(SurveyTest, RateIsCutToTwoDecimals) {
    game("Eva", "Jan", 2, 1);  // 66.6
    game("Eva", "Jan", 2, 1);
    game("Eva", "Jan", 1, 2);  // lost: 100 - 66.6 = 33.4
    const PlayerStats eva = playerStatistics(PruzkHer(*m_store), "Eva");
    EXPECT_EQ(eva.rateHundredths, 5553);  // 166.6 / 3 = 55.5333...
}

TEST_F(SurveyTest, ReadsEveryRecordInNumberOrderAcrossGapsAndBeyond999) {
    rawRecord(4, "AEE3", "EEA5", 1);
    rawRecord(1, "AEE3", "EEA5", 2);
    rawRecord(1000, "AEE3", "EEA5", 1);
    rawRecord(2, "AEE3", "EEA5", 1);
    const Survey survey = PruzkHer(*m_store);
    EXPECT_EQ(survey.recordNumbers, (std::vector<int>{1, 2, 4, 1000}));
    EXPECT_EQ(survey.lists[kListWinner], (Names{"Jan", "Eva", "Eva", "Eva"}));
}

TEST_F(SurveyTest, OldFormatRecordIsSkippedAndNothingIsDeleted) {
    rawRecord(1, "AEE3", "EEA5", 1);
    rawRecord(2, "AEE", "EEA5", 1);
    rawRecord(3, "AEE3", "EE5", 2);
    rawRecord(4, "AEE3", "EEA5", 2);
    const Survey survey = PruzkHer(*m_store);
    EXPECT_EQ(survey.recordNumbers, (std::vector<int>{1, 4}));
    EXPECT_EQ(survey.skippedNumbers, (std::vector<int>{2, 3}));
    for (int n = 1; n <= 4; ++n) {
        EXPECT_FALSE(isEmptyValue(m_store->ReadRegValue(recordKeyPath(n), kRecBoard))) << n;
    }
}

TEST_F(SurveyTest, RecordWithoutAWinnerIsSkippedInListsAndStatistics) {
    rawRecord(1, "AEE3", "EEA5", 1);
    rawRecord(2, "BBB1", "CCC2", 0);
    rawRecord(3, "BBB1", "CCC2", 0, kRecWinner);
    rawRecord(4, "BBB1", "CCC2", 7);
    const Survey survey = PruzkHer(*m_store);
    EXPECT_EQ(survey.recordNumbers, (std::vector<int>{1}));
    EXPECT_EQ(survey.lists[kListLoserWinner], (Names{"Jan", "Eva"}));
    EXPECT_EQ(survey.lists[kListTokens], (Names{"EEA5", "AEE3"}));
    EXPECT_EQ(survey.skippedNumbers, (std::vector<int>{2, 3, 4}));
    const PlayerStats eva = playerStatistics(survey, "Eva");
    EXPECT_EQ(eva.played, 1);
    EXPECT_EQ(eva.rateHundredths, 6250);
    EXPECT_EQ(playerStatistics(survey, kDrawName).played, 0);
}

TEST_F(SurveyTest, KeysThatAreNoRecordsAreIgnored) {
    rawRecord(1, "AEE3", "EEA5", 1);
    m_store->CreateRegKey(recordKeyPath(2));  // a free number: no board name
    m_store->CreateRegKey(std::string(kRecordsKey) + "\\poznámka");
    m_store->CreateRegKey(std::string(kRecordsKey) + "\\7");
    EXPECT_EQ(PruzkHer(*m_store).recordNumbers, (std::vector<int>{1}));
}

// A locale that writes numbers with a decimal comma.
struct CommaNumbers : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST_F(SurveyTest, ShareKeepsItsDecimalsUnderACommaLocale) {
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new CommaNumbers));
    game("Eva", "Jan", 40, 24);
    const Survey survey = PruzkHer(*m_store);
    const PlayerStats eva = playerStatistics(survey, "Eva");
    std::locale::global(previous);
    EXPECT_EQ(survey.lists[kListShare], (Names{"62.5"}));
    EXPECT_EQ(eva.rateHundredths, 6250);
}

}  // namespace
}  // namespace tomelin
