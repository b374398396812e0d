#include "records/widgets/frm_vlst.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QScrollBar>
#include <memory>
#include <string>

#include "platform/draw/picture_box.h"
#include "platform/store/sqlite_store.h"
#include "records/game_record.h"
#include "records/widgets/tab_list.h"

namespace tomelin {
namespace {

class FrmVlstTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto opened = SqliteStore::open(":memory:");
        ASSERT_TRUE(opened.store) << opened.detail;
        m_store = std::move(opened.store);
    }

    // Stores one finished game; the winner follows from the counts.
    void record(const std::string& board, const std::string& player1, const std::string& player2,
                int count1, int count2, int times = 0, const std::string& token1 = "AEE3",
                const std::string& token2 = "EEA5", int logic = 1) {
        GameRecord r;
        r.board = board;
        r.names = {player1, player2};
        r.logic = logic;
        r.times = times;
        r.counts = {count1, count2};
        r.tokens = {token1, token2};
        r.winner = winnerFromCounts(count1, count2);
        r.moves = 25;
        ASSERT_EQ(writeGameRecord(*m_store, r).outcome, RecordWrite::Outcome::Written);
    }

    std::unique_ptr<FrmVlst> open() { return std::make_unique<FrmVlst>(PruzkHer(*m_store), 2); }

    static QString line(const TabList* list, int i) { return list->lines().value(i); }

    static bool pictureIsBlank(PictureBox* picture) {
        const QImage image = picture->image();
        const QRgb background = image.pixel(0, 0);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) != background)
                    return false;
            }
        }
        return true;
    }

    std::unique_ptr<SqliteStore> m_store;
};

TEST_F(FrmVlstTest, OpensAtTheLastRecordAndScrollsBackToTheFirst) {
    record("Originál", "Eva", "PC Génius", 40, 24);
    record("Dáma", "Jan", "Eva", 33, 31, 0, "ACE1", "AEE3", 2);
    record("Bitva", "Eva", "Jan", 20, 44);
    auto viewer = open();
    EXPECT_EQ(viewer->windowTitle(), "Záznamy");
    EXPECT_EQ(viewer->recordScroll()->minimum(), 0);
    EXPECT_EQ(viewer->recordScroll()->maximum(), 2);
    EXPECT_EQ(viewer->recordScroll()->value(), 2);
    EXPECT_EQ(line(viewer->recordList(), 0), "Hrací pole\tBitva");
    EXPECT_EQ(viewer->recordList()->count(), 8);

    viewer->recordScroll()->setValue(0);
    EXPECT_EQ(viewer->recordList()->lines(),
              (QStringList{"Hrací pole\tOriginál", "1. hráč\t\tEva(40)", "2. hráč\t\tPC Génius(24)",
                           "Logika pohybu\tHvězda", "Počet tahů\t25", "Vítěz\t\tEva(62.5%)",
                           "Čas na hru 1. h.\tNeomezeně", "Čas na hru 2. h.\tNeomezeně"}));
    viewer->recordScroll()->setValue(1);
    EXPECT_EQ(line(viewer->recordList(), 3), "Logika pohybu\tKříž");
    EXPECT_EQ(line(viewer->recordList(), 5), "Vítěz\t\tJan(51.5%)");
}

TEST_F(FrmVlstTest, SplitsTheTimesIntoBothPlayersLimits) {
    record("Originál", "Eva", "Jan", 40, 24, 24);
    record("Originál", "Eva", "Jan", 40, 24, 40);
    auto viewer = open();
    EXPECT_EQ(line(viewer->recordList(), 6), "Čas na hru 1. h.\t10 minut");
    EXPECT_EQ(line(viewer->recordList(), 7), "Čas na hru 2. h.\tNeomezeně");
    viewer->recordScroll()->setValue(0);
    EXPECT_EQ(line(viewer->recordList(), 6), "Čas na hru 1. h.\t60 minut");
    EXPECT_EQ(line(viewer->recordList(), 7), "Čas na hru 2. h.\t10 minut");
}

TEST_F(FrmVlstTest, ShowsTheFirstPlayersStatisticsWithCzechCounts) {
    record("Originál", "Eva", "Jan", 40, 24);  // Eva wins with 62.5 %
    for (int i = 0; i < 4; ++i) {
        record("Originál", "Jan", "Eva", 33, 31);  // Eva loses with 48.5 %
    }
    auto viewer = open();
    ASSERT_EQ(viewer->playerList()->count(), 2);
    EXPECT_EQ(viewer->playerList()->itemText(0), "Jan");  // the loser of the first record
    EXPECT_TRUE(viewer->playerList()->isEnabled());

    viewer->playerList()->setCurrentIndex(1);
    EXPECT_EQ(viewer->statisticsList()->lines(),
              (QStringList{"Vyhrál\t\t1 hru", "Prohrál\t\t4 hry", "Celkem odehrál\t5 her",
                           "Úspěšnost\t51.3%"}));
    viewer->playerList()->setCurrentIndex(0);
    EXPECT_EQ(viewer->statisticsList()->lines(),
              (QStringList{"Vyhrál\t\t4 hry", "Prohrál\t\t1 hru", "Celkem odehrál\t5 her",
                           "Úspěšnost\t48.7%"}));
}

TEST_F(FrmVlstTest, DrawsComputerPlayersTokensWithTheirStrength) {
    record("Originál", "PC Začátečník", "PC Profesionál", 40, 24, 0, "AEE3", "AEE3");
    record("Originál", "PC Génius", "Eva", 40, 24, 0, "AEE3", "AEE3");
    auto viewer = open();
    QComboBox* players = viewer->playerList();
    const QStringList names{"PC Profesionál", "PC Začátečník", "Eva", "PC Génius"};
    const int kinds[] = {2, 1, 0, 3};
    ASSERT_EQ(players->count(), names.size());
    QList<QImage> pictures;
    for (int i = 0; i < names.size(); ++i) {
        players->setCurrentIndex(i);
        EXPECT_EQ(players->currentText(), names[i]);
        EXPECT_EQ(viewer->shownPlayerKind(), kinds[i]) << names[i].toStdString();
        EXPECT_FALSE(pictureIsBlank(viewer->tokenPicture())) << names[i].toStdString();
        pictures << viewer->tokenPicture()->image();
    }
    // The same token string drawn for different strengths differs only by the marks.
    EXPECT_NE(pictures[0], pictures[2]);
    EXPECT_NE(pictures[1], pictures[2]);
    EXPECT_NE(pictures[3], pictures[2]);
    EXPECT_NE(pictures[0], pictures[3]);
}

TEST_F(FrmVlstTest, AnonymousOnlyRecordsShowTheNoticeAndStillTheRecords) {
    record("Dáma", "Hráč 1", "Hráč 2", 12, 30);
    auto viewer = open();
    EXPECT_EQ(viewer->playerList()->count(), 0);
    EXPECT_FALSE(viewer->playerList()->isEnabled());
    EXPECT_EQ(viewer->statisticsList()->lines(),
              (QStringList{"Nejsou záznamy žádného", "konkrétního hráče."}));
    EXPECT_TRUE(pictureIsBlank(viewer->tokenPicture()));
    EXPECT_EQ(line(viewer->recordList(), 0), "Hrací pole\tDáma");
    EXPECT_EQ(line(viewer->recordList(), 5), "Vítěz\t\tHráč 2(71.4%)");
}

TEST_F(FrmVlstTest, WithoutRecordsOnlyTheMessageIsShown) {
    QStringList shown;
    const bool opened = openRecordsViewer(
        PruzkHer(*m_store), 2, nullptr,
        [&](const QString& title, const QString& text) { shown << title << text; });
    EXPECT_FALSE(opened);
    EXPECT_EQ(shown, (QStringList{"Tomelin", "Zatím nejsou žádné záznamy výsledků"}));
}

TEST_F(FrmVlstTest, ValueColumnsLineUpAtOneTabStop) {
    record("Čelem vzad", "PC Profesionál", "Eva", 40, 24, 31);
    auto viewer = open();
    viewer->playerList()->setCurrentIndex(1);
    for (const TabList* list : {viewer->statisticsList(), viewer->recordList()}) {
        const QStringList lines = list->lines();
        ASSERT_FALSE(lines.isEmpty());
        const int valueColumn = list->partOffsets(lines[0]).last();
        for (const QString& text : lines) {
            const QList<int> offsets = list->partOffsets(text);
            EXPECT_EQ(offsets.last(), valueColumn) << text.toStdString();
            // The caption ends before the value starts.
            const int captionWidth =
                list->fontMetrics().horizontalAdvance(text.section('\t', 0, 0));
            EXPECT_LT(captionWidth, valueColumn) << text.toStdString();
        }
    }
}

}  // namespace
}  // namespace tomelin
