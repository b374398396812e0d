// Every window of the program carries its own text as its title, and is wide enough for a
// window manager to show that title whole.

#include <gtest/gtest.h>

#include <QTest>

#include "platform/draw/picture_box.h"
#include "records/survey.h"
#include "recordswin/records_viewer.h"
#include "setupwin/about_window.h"
#include "setupwin/artwork.h"
#include "setupwin/launched_program.h"
#include "setupwin/music_window.h"
#include "setupwin/title_room.h"
#include "setupwin/token_chooser.h"

namespace tomelin {
namespace {

class WindowTitles : public LaunchedProgram {};

TEST_F(WindowTitles, EachWindowShowsItsWholeTitle) {
    storeGame({"Alena", "Bohouš"}, {"AEE1", "EEA6"});
    SetupWindow& form = launch();
    // A click on player 2's token opens the chooser (the dialog runner only records it).
    QTest::mouseClick(&test::part<PictureBox>(*form.panel(1), "Picture7"), Qt::LeftButton);
    AboutWindow about(QPixmap(), &form);
    const Survey survey = readSurvey(store());
    RecordsViewer records(survey, 1, &form);
    struct Seen {
        QWidget* window;
        QString title;
    };
    const Seen windows[] = {
        {&form, QStringLiteral("Tomelin")},
        {&program->musicWindow(), QStringLiteral("Hudba ke Tomelinu")},
        {&test::part<TokenChooser>(form, "frmVyb"), QStringLiteral("Výběr figurky hráče 2")},
        {&about, QStringLiteral("O programu...")},
        {&records, QStringLiteral("Záznamy")},
    };
    for (const Seen& w : windows) {
        SCOPED_TRACE(w.title.toStdString());
        EXPECT_EQ(w.window->windowTitle(), w.title);
        w.window->adjustSize();
        EXPECT_GE(w.window->width(), titleRoom(w.title));
    }
}

TEST(TitleRoom, GrowsWithTheTitleAndLeavesRoomForTheButtons) {
    EXPECT_GT(titleRoom(QStringLiteral("Výběr figurky hráče 1")),
              titleRoom(QStringLiteral("Záznamy")));
    EXPECT_GE(titleRoom(QString()), 100);
}

}  // namespace
}  // namespace tomelin
