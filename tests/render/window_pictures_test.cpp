// The program's windows drawn offscreen, each in a fixed state: the setup window after
// start-up, the game window a few moves into a game, the board editor and the records
// viewer over three records. With TOMELIN_WINDOW_PICTURES set to a folder the pictures are
// kept there as PNGs, so that a change meant to leave the windows alone can be checked pixel
// for pixel against the pictures of the tree before it.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPixmap>
#include <map>

#include "editor/board_editor.h"
#include "records/survey.h"
#include "recordswin/records_viewer.h"
#include "setupwin/launched_program.h"

namespace tomelin {
namespace {

class WindowPictures : public LaunchedProgram {
protected:
    Game& core() { return game().game(); }
    void turnChange() {
        if (timers.isActive(GameTimer::TurnChange))
            timers.fire(GameTimer::TurnChange);
    }

    // The window as it would appear on a screen, kept under `name` when a folder is given.
    QImage picture(QWidget& window, const QString& name) {
        QImage image = window.grab().toImage();
        pictures[name] = image;
        const QString folder = qEnvironmentVariable("TOMELIN_WINDOW_PICTURES");
        if (!folder.isEmpty()) {
            QDir().mkpath(folder);
            EXPECT_TRUE(image.save(QDir(folder).filePath(name + ".png"))) << name.toStdString();
        }
        return image;
    }

    // How many different colours the picture holds (a window drew more than its background).
    static int colours(const QImage& image) {
        std::map<QRgb, int> seen;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2)
                ++seen[image.pixel(x, y)];
        return static_cast<int>(seen.size());
    }

    std::map<QString, QImage> pictures;
};

TEST_F(WindowPictures, TheWindowsAreDrawnInAFixedState) {
    storeGame({"Eva", "Jan"}, {"AEE3", "BDD2"});
    storeGame({"Jan", "PC Génius"}, {"BDD2", "AEE3"});
    storeGame({"Eva", "PC Génius"}, {"AEE3", "AEE3"});
    launch();
    const QImage setup = picture(form(), "setup_window");

    start();
    timers.fire(GameTimer::Start);
    turnChange();
    for (int m = 0; m < 4; ++m) {
        timers.fire(GameTimer::Clock);
        std::vector<Move> legal;
        core().position().legalMoves(core().logic(), legal);
        ASSERT_FALSE(legal.empty());
        core().clickCell(legal.back().from.x, legal.back().from.y);
        core().clickCell(legal.back().to.x, legal.back().to.y);
        turnChange();
    }
    // A token chosen but not yet moved, so the marker shows too.
    std::vector<Move> legal;
    core().position().legalMoves(core().logic(), legal);
    ASSERT_FALSE(legal.empty());
    core().clickCell(legal.front().from.x, legal.front().from.y);
    const QImage gameWindow = picture(game(), "game_window");

    BoardEditor editor(store(), QString::fromStdString(builtinBoards()[3].boardString),
                       QStringLiteral("Pole"), QStringLiteral("07"));
    editor.show();
    const QImage editorPicture = picture(editor, "board_editor");

    RecordsViewer viewer(readSurvey(store()), 2);
    viewer.show();
    const QImage viewerPicture = picture(viewer, "records_viewer");

    for (const auto& [name, image] : pictures) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_GE(image.width(), 200);
        EXPECT_GE(image.height(), 150);
        EXPECT_GT(colours(image), 8);
    }
    // Drawing a window twice without a change between gives the same picture.
    EXPECT_EQ(viewer.grab().toImage(), viewerPicture);
    EXPECT_EQ(game().grab().toImage(), gameWindow);
}

}  // namespace
}  // namespace tomelin
