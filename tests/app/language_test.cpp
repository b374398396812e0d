// The windows' language: which one a start chooses, where the choice is kept, the texts each
// language shows, and the English windows whole (no Czech, no text cut off).

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

#include "app/language.h"
#include "core/game.h"
#include "core/texts.h"
#include "platform/store/language_setting.h"
#include "platform/store/sqlite_store.h"
#include "platform/store/token_detail.h"
#include "records/store_check.h"
#include "records/survey.h"
#include "recordswin/records_viewer.h"
#include "setupwin/about_window.h"
#include "setupwin/artwork.h"
#include "setupwin/launched_program.h"
#include "setupwin/token_chooser.h"

namespace tomelin {
namespace {

const QRegularExpression kCzechLetter(QStringLiteral("[áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ]"));

TEST(WindowLanguage, TheStoredChoiceThenTheDesktopsFirstKnownLanguageThenCzech) {
    struct Case {
        std::string stored;
        std::vector<std::string> desktop;
        std::string chosen;
    };
    const Case cases[] = {
        {"", {"en-GB", "en"}, "en"},
        {"", {"en_US"}, "en"},
        {"", {"EN"}, "en"},
        {"", {"de-DE", "de", "en"}, "en"},  // the first language the game has
        {"", {"cs-CZ", "en"}, "cs"},
        {"", {"de-DE", "fr"}, "cs"},  // no translation: Czech
        {"", {"C"}, "cs"},
        {"", {}, "cs"},
        {"en", {"cs-CZ"}, "en"},  // the player's choice over the desktop's
        {"cs", {"en-US"}, "cs"},
        {"de", {"en-US"}, "en"},  // an unknown choice counts as none
    };
    for (const Case& c : cases) {
        std::string desktop;
        for (const std::string& tag : c.desktop)
            desktop += tag + " ";
        EXPECT_EQ(chooseLanguage(c.stored, c.desktop), c.chosen)
            << "stored \"" << c.stored << "\", desktop " << desktop;
    }
}

TEST(WindowLanguage, TheChoiceIsKeptBesideTheProgramsOwnSettingAndOnlyAKnownOne) {
    std::unique_ptr<SqliteStore> store = SqliteStore::open(":memory:").store;
    ASSERT_TRUE(store);
    store->CreateRegKey(kProgramKey);
    ASSERT_EQ(store->WriteRegValue(kProgramKey, kDetailValueName, std::string("7"), kTypeText),
              kStatusOk);
    EXPECT_EQ(storedLanguage(*store), "");

    EXPECT_TRUE(storeLanguage(*store, "en"));
    EXPECT_EQ(storedLanguage(*store), "en");
    EXPECT_EQ(store->ReadRegValue(kProgramKey, kLanguageValueName), StoreValue(std::string("en")));
    EXPECT_FALSE(storeLanguage(*store, "de"));
    EXPECT_EQ(storedLanguage(*store), "en");
    EXPECT_TRUE(storeLanguage(*store, ""));
    EXPECT_EQ(storedLanguage(*store), "");
    // An unknown value written by someone else is no choice.
    store->WriteRegValue(kProgramKey, kLanguageValueName, std::string("xx"), kTypeText);
    EXPECT_EQ(storedLanguage(*store), "");
    // The program's own setting is left as it was.
    EXPECT_EQ(store->ReadRegValue(kProgramKey, kDetailValueName), StoreValue(std::string("7")));
}

// Installs a language chosen in a store of its own; removed again after each test.
class InstalledLanguage : public ::testing::Test {
protected:
    void TearDown() override { removeWindowLanguage(); }
    QString install(const std::string& language) {
        std::unique_ptr<SqliteStore> store = SqliteStore::open(":memory:").store;
        EXPECT_TRUE(storeLanguage(*store, language));
        return installWindowLanguage(*store);
    }
};

TEST_F(InstalledLanguage, CzechPluralFormsFromTheTranslationAreTheProgramsOwnCzech) {
    for (int n = 0; n <= 30; ++n) {
        const PlayerStats stats{
            .won = n, .lost = n + 1, .played = 2 * n + 1, .rateHundredths = 5000};
        StoreCheck check;
        check.hiddenRecords = n;
        check.hiddenBoards = n + 1;
        const auto ownLines = playerLines(stats);
        const std::string ownMessage = hiddenEntriesMessage(check, "/tmp/a.db");
        ASSERT_EQ(install("cs"), QStringLiteral("cs"));
        ASSERT_TRUE(hasTextTranslator());
        EXPECT_EQ(playerLines(stats), ownLines) << n;
        EXPECT_EQ(hiddenEntriesMessage(check, "/tmp/a.db"), ownMessage) << n;
        removeWindowLanguage();
        EXPECT_FALSE(hasTextTranslator());
    }
}

// Qt's own texts (the standard buttons of message boxes and the file dialog) speak the chosen
// language too; "OK", the one button the program's own message boxes have, reads the same.
TEST_F(InstalledLanguage, QtsOwnButtonsSpeakTheChosenLanguage) {
    const QString qtTranslations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFileInfo::exists(qtTranslations + QStringLiteral("/qtbase_cs.qm")))
        GTEST_SKIP() << "Qt's translations are not installed (qt6-translations-l10n)";
    struct Case {
        std::string language;
        QString cancel, yes, no, ok;
    };
    const Case cases[] = {
        {"cs", QStringLiteral("Zrušit"), QStringLiteral("&Ano"), QStringLiteral("&Ne"),
         QStringLiteral("OK")},
        {"en", QStringLiteral("Cancel"), QStringLiteral("&Yes"), QStringLiteral("&No"),
         QStringLiteral("OK")},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(install(c.language), QString::fromStdString(c.language));
        QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Yes |
                             QDialogButtonBox::No | QDialogButtonBox::Ok);
        EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), c.cancel) << c.language;
        EXPECT_EQ(box.button(QDialogButtonBox::Yes)->text(), c.yes) << c.language;
        EXPECT_EQ(box.button(QDialogButtonBox::No)->text(), c.no) << c.language;
        EXPECT_EQ(box.button(QDialogButtonBox::Ok)->text(), c.ok) << c.language;
        removeWindowLanguage();
    }
    // Without the program's languages Qt speaks its own English again.
    QDialogButtonBox plain(QDialogButtonBox::Cancel);
    EXPECT_EQ(plain.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancel"));
}

TEST_F(InstalledLanguage, EnglishNamesWhatIsStoredInCzechAndCountsInEnglish) {
    ASSERT_EQ(install("en"), QStringLiteral("en"));
    EXPECT_EQ(QLocale().language(), QLocale::English);
    EXPECT_EQ(trText("Players", kComputerNames[3]), "PC Grandmaster");
    EXPECT_EQ(trText("Boards", "Čelem vzad"), "About Turn");
    // A name of the player's own is shown as it is.
    EXPECT_EQ(trText("Boards", "Moje pole"), "Moje pole");

    Survey survey;
    survey.records = {GameRecord{.board = "Originál",
                                 .names = {"PC Velmistr", "Jan"},
                                 .logic = 2,
                                 .times = 24,
                                 .counts = {40, 24},
                                 .tokens = {"AEE3", "BDD2"},
                                 .winner = 1,
                                 .moves = 57}};
    survey.shareTenths = {625};
    survey.recordNumbers = {1};
    const auto lines = recordLines(survey, 0);
    EXPECT_EQ(lines[0], "Board\tOriginal");
    EXPECT_EQ(lines[1], "Player 1\t\tPC Grandmaster(40)");
    EXPECT_EQ(lines[3], "Movement logic\tCross");
    EXPECT_EQ(lines[5], "Winner\t\tPC Grandmaster(62.5%)");
    EXPECT_EQ(lines[6], "Time, player 1\t60 minutes");
    for (const std::string& line : lines)
        EXPECT_FALSE(QString::fromStdString(line).contains(kCzechLetter)) << line;
    // What is stored stays Czech.
    EXPECT_EQ(survey.records[0].board, "Originál");
    EXPECT_EQ(survey.records[0].names[0], "PC Velmistr");

    const std::pair<int, const char*> counts[] = {
        {0, "Won\t\t0 games"}, {1, "Won\t\t1 game"}, {2, "Won\t\t2 games"}, {5, "Won\t\t5 games"}};
    for (const auto& [n, text] : counts)
        EXPECT_EQ(playerLines(PlayerStats{.won = n})[0], text);
    StoreCheck check;
    check.hiddenRecords = 1;
    check.hiddenBoards = 3;
    EXPECT_EQ(hiddenEntriesMessage(check, "/tmp/a.db"),
              "In the file of saved boards and game records “/tmp/a.db”, 1 game record and 3 "
              "boards cannot be read. They stay in the file unchanged; the command "
              "“tomelin-cli store check” lists them.");
}

// Every visible text of a window: no Czech letter (but in `allowed`), and none cut off.
void expectEnglishAndWhole(QWidget& window, const QStringList& allowed = {}) {
    SCOPED_TRACE(window.objectName().toStdString());
    const auto czech = [&](const QString& text) {
        return text.contains(kCzechLetter) && !allowed.contains(text);
    };
    EXPECT_FALSE(czech(window.windowTitle())) << window.windowTitle().toStdString();
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        if (!w->isVisibleTo(&window))
            continue;
        const std::string name = w->objectName().toStdString();
        EXPECT_FALSE(czech(w->toolTip())) << name << ": " << w->toolTip().toStdString();
        EXPECT_FALSE(czech(w->accessibleName()))
            << name << ": " << w->accessibleName().toStdString();
        if (auto* label = qobject_cast<QLabel*>(w)) {
            EXPECT_FALSE(czech(label->text())) << name << ": " << label->text().toStdString();
            if (!label->wordWrap() && !label->text().isEmpty() &&
                label->textFormat() != Qt::RichText) {
                for (const QString& line : label->text().split('\n'))
                    EXPECT_LE(label->fontMetrics().horizontalAdvance(line),
                              label->contentsRect().width())
                        << name << " cuts \"" << line.toStdString() << "\"";
            }
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            EXPECT_FALSE(czech(button->text())) << name << ": " << button->text().toStdString();
            // A push button's size hint holds the style's minimum width as well: its text
            // with a little room is what has to fit. Radio buttons and check boxes need their
            // mark beside the text, as their size hint says.
            const int needed = qobject_cast<QPushButton*>(button)
                                   ? button->fontMetrics().horizontalAdvance(button->text()) + 6
                                   : button->sizeHint().width();
            if (!button->text().isEmpty()) {
                EXPECT_LE(needed, button->width())
                    << name << " cuts \"" << button->text().toStdString() << "\"";
            }
        } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
            EXPECT_FALSE(czech(box->title())) << name << ": " << box->title().toStdString();
            EXPECT_LE(box->fontMetrics().horizontalAdvance(box->title()) + 16, box->width())
                << name << " cuts \"" << box->title().toStdString() << "\"";
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                EXPECT_FALSE(czech(combo->itemText(i)))
                    << name << ": " << combo->itemText(i).toStdString();
        }
    }
}

class EnglishWindows : public LaunchedProgram {
protected:
    void SetUp() override {
        LaunchedProgram::SetUp();
        std::unique_ptr<SqliteStore> choice = SqliteStore::open(":memory:").store;
        ASSERT_TRUE(storeLanguage(*choice, "en"));
        ASSERT_EQ(installWindowLanguage(*choice), QStringLiteral("en"));
    }
    void TearDown() override { removeWindowLanguage(); }
};

TEST_F(EnglishWindows, EveryWindowShowsItsTextsInEnglishWhole) {
    storeGame({"Eva", "Jan"}, {"AEE3", "BDD2"});
    storeGame({"Jan", "PC Génius"}, {"BDD2", "AEE3"});
    launch();
    form().show();
    expectEnglishAndWhole(form());
    // The computer's strengths, shown when a player is the computer.
    test::part<QRadioButton>(form(), "Option18").click();
    expectEnglishAndWhole(form());

    start();
    game().show();
    expectEnglishAndWhole(game());

    BoardEditor editor(store(), QString::fromStdString(builtinBoards()[3].boardString),
                       QStringLiteral("Pole"), QStringLiteral("07"));
    editor.show();
    expectEnglishAndWhole(editor, {QStringLiteral("Pole")});

    RecordsViewer viewer(readSurvey(store()), 2);
    viewer.show();
    expectEnglishAndWhole(viewer);

    AboutWindow about(Artwork::titlePicture(), nullptr, &store());
    about.show();
    // Each language is offered by its own name.
    expectEnglishAndWhole(about, {QStringLiteral("Čeština")});

    TokenChooser chooser(2, random);
    chooser.show();
    expectEnglishAndWhole(chooser);
}

}  // namespace
}  // namespace tomelin
