#include "setup/widgets/token_chooser.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QScrollBar>
#include <QSignalSpy>

#include "core/random.h"
#include "platform/draw/picture_box.h"

namespace tomelin {
namespace {

class TokenChooser : public ::testing::Test {
protected:
    MtRandomSource random{3};
    frmVyb chooser{1, random};
};

TEST_F(TokenChooser, FigurShowsThePlayersShapeAndSnapsHisColourToTheSliders) {
    chooser.load(0, PlayerStyle{rgb(255, 128, 0), 3, kWhite}, 0);
    EXPECT_EQ(chooser.windowTitle(), QStringLiteral("Výběr figurky hráče 1"));
    EXPECT_EQ(chooser.player(), 1);
    EXPECT_EQ(chooser.sliders(), (ChannelIndices{0, 2, 4}));
    EXPECT_EQ(chooser.shapeList()->count(), 8);
    EXPECT_EQ(chooser.shapeList()->itemText(0), QStringLiteral("Obdélník"));
    EXPECT_EQ(chooser.shapeList()->itemText(7), QStringLiteral("Políčko"));
    EXPECT_EQ(chooser.shape(), 3);
    EXPECT_EQ(chooser.colour(), rgb(255, 135, 15));

    chooser.load(1, PlayerStyle{rgb(0, 127, 225), 5, kWhite}, 2);
    EXPECT_EQ(chooser.windowTitle(), QStringLiteral("Výběr figurky hráče 2"));
    EXPECT_EQ(chooser.player(), 2);
    EXPECT_EQ(chooser.colour(), rgb(15, 135, 255));
    EXPECT_EQ(chooser.shape(), 5);
}

TEST_F(TokenChooser, ADamagedShapeSelectsTheFirstShape) {
    chooser.load(0, PlayerStyle{rgb(255, 255, 255), 9, kWhite}, 0);
    EXPECT_EQ(chooser.shapeList()->currentIndex(), 0);
    EXPECT_EQ(chooser.shape(), 1);
    chooser.load(0, PlayerStyle{rgb(255, 255, 255), 0, kWhite}, 0);
    EXPECT_EQ(chooser.shape(), 1);
}

TEST_F(TokenChooser, SetFigurGivesClassHighlightAndIconForPersonAndComputer) {
    chooser.load(0, PlayerStyle{rgb(255, 255, 255), 2, kWhite}, 0);
    AppliedToken person = chooser.SetFigur(false);
    EXPECT_EQ(person.style.colour, rgb(255, 255, 255));
    EXPECT_EQ(person.icon, 12);
    EXPECT_EQ(person.style.shape, 2);
    EXPECT_EQ(chooser.SetFigur(true).icon, 14);

    chooser.slider(1)->setValue(4);
    chooser.slider(2)->setValue(4);
    person = chooser.SetFigur(false);
    EXPECT_EQ(person.style.colour, rgb(255, 15, 15));
    EXPECT_EQ(person.colourClass, 0);
    EXPECT_EQ(person.style.secondColour, rgb(255, 127, 127));
    EXPECT_EQ(person.icon, 0);
    EXPECT_EQ(chooser.SetFigur(true).icon, 6);
}

TEST_F(TokenChooser, ASliderChangeRedrawsThePreviewOnlyAfterTheDelay) {
    chooser.load(0, PlayerStyle{rgb(255, 255, 255), 1, kWhite}, 0);
    chooser.redrawPreview();
    EXPECT_FALSE(chooser.previewPending());
    const QImage before = chooser.preview()->image().copy();
    chooser.slider(0)->setValue(4);
    EXPECT_TRUE(chooser.previewPending());
    EXPECT_EQ(chooser.preview()->image(), before);
    // The swatch follows at once.
    EXPECT_EQ(chooser.colour(), rgb(15, 255, 255));
    chooser.redrawPreview();  // what the timer's tick does
    EXPECT_FALSE(chooser.previewPending());
    EXPECT_NE(chooser.preview()->image(), before);
}

TEST_F(TokenChooser, AShapeChangeRedrawsThePreviewAtOnce) {
    chooser.load(0, PlayerStyle{rgb(255, 135, 15), 1, kWhite}, 0);
    chooser.redrawPreview();
    const QImage before = chooser.preview()->image().copy();
    chooser.shapeList()->setCurrentIndex(4);
    EXPECT_NE(chooser.preview()->image(), before);
}

TEST_F(TokenChooser, OkReportsThePlayerOfTheCaptionAndHides) {
    chooser.load(1, PlayerStyle{rgb(255, 135, 15), 1, kWhite}, 0);
    chooser.show();
    QSignalSpy spy(&chooser, &frmVyb::confirmed);
    chooser.Command1_Click();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 2);
    EXPECT_FALSE(chooser.isVisible());
}

}  // namespace
}  // namespace tomelin
