#include "recordswin/records_viewer.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>
#include <array>
#include <memory>
#include <sstream>
#include <string>

#include "boards/board_list.h"
#include "core/winner.h"
#include "drawing/token_painter.h"
#include "platform/draw/image_surface.h"
#include "platform/draw/picture_box.h"
#include "platform/store/sqlite_store.h"
#include "records/game_record.h"
#include "records/pgn_records.h"
#include "recordswin/tab_list.h"
#include "support/temp_folder.h"
#include "support/window_parts.h"

namespace tomelin {
namespace {

class RecordsViewerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_store); }

    // Stores one finished game of 25 moves, both players with the same token; the winner
    // follows from the counts.
    void record(const std::string& board, std::array<std::string, 2> names,
                std::array<int, 2> counts, int times = 0, int logic = 1) {
        const std::array<std::string, 2> tokens{"AEE3", "AEE3"};
        const GameRecord r{
            board, names, logic, times, counts, tokens, winnerOfCounts(counts[0], counts[1]), 25};
        ASSERT_EQ(writeGameRecord(*m_store, r).outcome, RecordWrite::Outcome::Written);
    }

    std::unique_ptr<RecordsViewer> open() {
        return std::make_unique<RecordsViewer>(readSurvey(*m_store), 2);
    }

    static bool isBlank(const QImage& image) {
        QImage blank(image.size(), image.format());
        blank.fill(image.pixelColor(0, 0));
        return image == blank;
    }

    std::unique_ptr<SqliteStore> m_store = SqliteStore::open(":memory:").store;
};

TEST_F(RecordsViewerTest, OpensAtTheLastRecordAndScrollsBackToTheFirstInAlignedColumns) {
    record("Originál", {"Eva", "PC Génius"}, {40, 24}, 24);
    record("Dáma", {"Jan", "Eva"}, {33, 31}, 0, 2);
    record("Bitva", {"Eva", "Jan"}, {20, 44});
    auto viewer = open();
    TabList* list = &test::part<TabList>(*viewer, "List1");
    QScrollBar* scroll = &test::part<QScrollBar>(*viewer, "HScroll1");
    EXPECT_EQ(viewer->windowTitle(), "Záznamy");
    EXPECT_EQ(scroll->maximum(), 2);
    EXPECT_EQ(scroll->value(), 2);
    EXPECT_EQ(list->lines().value(0), "Hrací pole\tBitva");
    scroll->setValue(1);
    EXPECT_EQ(list->lines().value(3), "Logika pohybu\tKříž");
    scroll->setValue(0);
    // The lines' wording is the record lines' own test; here the scroll picks the record.
    EXPECT_EQ(list->lines().value(5), "Vítěz\t\tEva(62.5%)");

    // In both lists every value starts at the same tab stop, clear of the longest caption.
    for (const TabList* tabs : {&test::part<TabList>(*viewer, "List2"), list}) {
        ASSERT_GE(tabs->count(), 4);
        const int valueColumn = tabs->partOffsets(tabs->lines().value(0)).last();
        for (const QString& text : tabs->lines()) {
            EXPECT_EQ(tabs->partOffsets(text).last(), valueColumn) << text.toStdString();
            EXPECT_LT(tabs->fontMetrics().horizontalAdvance(text.section('\t', 0, 0)), valueColumn)
                << text.toStdString();
        }
    }

    // All four statistics lines and all eight record lines are visible at once, whatever the
    // font's line height, and the record list ends above its scroll bar.
    viewer->show();
    for (const TabList* tabs : {&test::part<TabList>(*viewer, "List2"), list}) {
        EXPECT_EQ(tabs->verticalScrollBar()->maximum(), 0) << tabs->count() << " lines";
        const QRect last = tabs->visualItemRect(tabs->item(tabs->count() - 1));
        EXPECT_LE(last.bottom(), tabs->viewport()->height());
    }
    EXPECT_EQ(list->count(), 8);
    EXPECT_LE(list->geometry().bottom(), scroll->geometry().top());
}

TEST_F(RecordsViewerTest, ChoosingAPlayerShowsHisStatisticsAndHisTokenMarkedWithHisStrength) {
    record("Originál", {"PC Začátečník", "PC Profesionál"}, {40, 24});
    record("Dáma", {"PC Génius", "Eva"}, {33, 31});
    record("Bitva", {"Eva", "PC Génius"}, {20, 44});
    auto viewer = open();
    const struct {
        QString name;
        int kind;
        QString success;
    } rows[] = {{"PC Profesionál", 2, "37.5%"},
                {"PC Začátečník", 1, "62.5%"},
                {"Eva", 0, "39.9%"},
                {"PC Génius", 3, "60.1%"}};
    QComboBox& players = test::part<QComboBox>(*viewer, "ComboB");
    ASSERT_EQ(players.count(), 4);
    EXPECT_TRUE(players.isEnabled());
    QList<QImage> pictures;
    for (int i = 0; i < 4; ++i) {
        const auto& row = rows[i];
        SCOPED_TRACE(row.name.toStdString());
        players.setCurrentIndex(i);
        EXPECT_EQ(players.currentText(), row.name);
        EXPECT_EQ(test::part<TabList>(*viewer, "List2").lines().value(3),
                  "Úspěšnost\t" + row.success);
        // His token, drawn with the strength marks of his kind.
        PictureBox& token = test::part<PictureBox>(*viewer, "Picture4");
        ImageSurface expected(token.width(), token.height(), token.backgroundColour());
        MtRandomSource random(0);  // shape 3 scatters nothing
        drawToken(expected, {0, 0, static_cast<double>(token.height())},
                  {.shape = 3,
                   .colour = decodeTokenString("AEE3").colour,
                   .playerKind = row.kind,
                   .detailLevel = 2},
                  random);
        EXPECT_EQ(token.image(), expected.image());
        pictures << token.image();
        EXPECT_FALSE(isBlank(pictures.last()));
    }
    // The one token string differs between the four strengths only by the marks.
    for (int i = 0; i < 4; ++i) {
        for (int j = i + 1; j < 4; ++j)
            EXPECT_NE(pictures[i], pictures[j]) << i << " / " << j;
    }
}

TEST_F(RecordsViewerTest, NoRecordsGiveOnlyAMessageAndAnonymousOnesANoticeForStatistics) {
    QStringList shown;
    const auto collect = [&](const QString& title, const QString& text) { shown << title << text; };
    EXPECT_FALSE(openRecordsViewer(readSurvey(*m_store), 2, nullptr, collect));
    EXPECT_EQ(shown, (QStringList{"Tomelin", "Zatím nejsou žádné záznamy výsledků"}));

    record("Dáma", {"Hráč 1", "Hráč 2"}, {12, 30});
    auto viewer = open();
    QComboBox& players = test::part<QComboBox>(*viewer, "ComboB");
    EXPECT_EQ(players.count(), 0);
    EXPECT_FALSE(players.isEnabled());
    EXPECT_EQ(test::part<TabList>(*viewer, "List2").lines(),
              (QStringList{"Nejsou záznamy žádného", "konkrétního hráče."}));
    EXPECT_TRUE(isBlank(test::part<PictureBox>(*viewer, "Picture4").image()));
    EXPECT_EQ(test::part<TabList>(*viewer, "List1").lines().value(5), "Vítěz\t\tHráč 2(71.4%)");
}

TEST_F(RecordsViewerTest, ExportsTheShownRecordOrEveryRecordAsTheToolsPgn) {
    // A user board whose start FEN can write, so the export must look the board up.
    const std::string small =
        "+XX-"
        "X0XX"
        "XX0X"
        "-XX+";
    ASSERT_FALSE(saveBoardToSlot(*m_store, "01", "Malé", small));
    record("Originál", {"Eva", "PC Génius"}, {40, 24}, 24);
    record("Malé", {"Jan", "Eva"}, {9, 5});
    record("Dáma", {"Jan", "Eva"}, {33, 31}, 0, 2);
    std::ostringstream tool;
    writeRecordsPgn(*m_store, tool);

    test::TempFolder folder;
    std::vector<QString> asked;
    QString answer;
    QStringList messages;
    auto viewer = open();
    viewer->setBoards(readBoardList(*m_store));
    viewer->setSaveFileChooser([&](const QString& caption, const QString& suggested) {
        asked.push_back(caption + "|" + suggested);
        return answer;
    });
    viewer->setMessageHandler(
        [&](const QString& title, const QString& text) { messages << title << text; });
    QScrollBar& scroll = test::part<QScrollBar>(*viewer, "HScroll1");
    QPushButton& one = test::part<QPushButton>(*viewer, "exportRecord");
    QPushButton& all = test::part<QPushButton>(*viewer, "exportAll");

    // Every record: the very text `tomelin-cli records --pgn` writes.
    answer = QString::fromStdString((folder.path() / "all.pgn").string());
    all.click();
    EXPECT_EQ(test::readFile(folder.path() / "all.pgn"), tool.str());
    EXPECT_NE(tool.str().find("[FEN \"x2o/1-2/2-1/o2x x 0 1\"]"), std::string::npos) << tool.str();

    // The shown record only: the second one, with its store number as the round.
    scroll.setValue(1);
    answer = QString::fromStdString((folder.path() / "one.pgn").string());
    one.click();
    const std::string single = test::readFile(folder.path() / "one.pgn");
    EXPECT_NE(single.find("[Round \"2\"]"), std::string::npos) << single;
    EXPECT_NE(single.find("[White \"Eva\"]"), std::string::npos) << single;
    EXPECT_NE(tool.str().find(single), std::string::npos) << "not the tool's text of that record";
    EXPECT_EQ(single.find("[Round \"1\"]"), std::string::npos) << single;
    ASSERT_EQ(asked.size(), 2U);
    EXPECT_EQ(asked[1], "Uložit záznam do PGN|tomelin-2.pgn");

    // Cancelled: nothing written, nothing said.
    answer.clear();
    one.click();
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "tomelin-2.pgn"));
    // A file that cannot be written is said so.
    answer = QString::fromStdString((folder.path() / "missing" / "x.pgn").string());
    all.click();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[0], "Záznamy");
    EXPECT_TRUE(messages[1].startsWith("Soubor " + answer + " se nepodařilo uložit"))
        << messages[1].toStdString();
}

}  // namespace
}  // namespace tomelin
