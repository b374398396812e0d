#include "setupwin/token_chooser.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>

#include "core/random.h"
#include "platform/draw/picture_box.h"
#include "support/window_parts.h"

namespace tomelin {
namespace {

class TokenChooserTest : public ::testing::Test {
protected:
    MtRandomSource random{3};
    TokenChooser chooser{1, random};
};

TEST_F(TokenChooserTest, LoadShowsThePlayersShapeAndSnapsHisColourToTheSliders) {
    chooser.load(0, PlayerStyle{rgb(255, 128, 0), 3, kWhite}, 0);
    EXPECT_EQ(chooser.windowTitle(), QStringLiteral("Výběr figurky hráče 1"));
    EXPECT_EQ(chooser.player(), 1);
    EXPECT_EQ(chooser.sliders(), (ChannelIndices{0, 2, 4}));
    EXPECT_EQ(chooser.shape(), 3);
    EXPECT_EQ(chooser.colour(), rgb(255, 135, 15));
    // Each slider shows its channel's value.
    EXPECT_EQ(test::part<QLabel>(chooser, "value0").text(), QStringLiteral("255"));
    EXPECT_EQ(test::part<QLabel>(chooser, "value1").text(), QStringLiteral("135"));
    EXPECT_EQ(test::part<QLabel>(chooser, "value2").text(), QStringLiteral("15"));
    test::part<QScrollBar>(chooser, "VScroll1_", 1).setValue(1);
    EXPECT_EQ(test::part<QLabel>(chooser, "value1").text(), QStringLiteral("195"));

    // A damaged shape selects the first one.
    for (int damaged : {9, 0}) {
        chooser.load(0, PlayerStyle{rgb(255, 255, 255), damaged, kWhite}, 0);
        EXPECT_EQ(test::part<QComboBox>(chooser, "Combo1").currentIndex(), 0) << damaged;
        EXPECT_EQ(chooser.shape(), 1) << damaged;
    }
}

// While the choice looks like the other player's token (same shape, same colour on the
// sliders' grid), the chooser says that he already has it.
TEST_F(TokenChooserTest, TheOtherPlayersTokenIsShownAsTaken) {
    QLabel& note = test::part<QLabel>(chooser, "takenNote");
    const PlayerStyle blueOval{rgb(0, 127, 225), 5, kWhite};
    chooser.load(0, PlayerStyle{rgb(255, 128, 0), 5, kWhite}, 0, blueOval);
    EXPECT_FALSE(chooser.takenByOther());
    EXPECT_FALSE(note.isVisibleTo(&chooser));
    test::part<QScrollBar>(chooser, "VScroll1_", 0).setValue(4);
    test::part<QScrollBar>(chooser, "VScroll1_", 2).setValue(0);
    EXPECT_TRUE(chooser.takenByOther());
    EXPECT_TRUE(note.isVisibleTo(&chooser));
    EXPECT_EQ(note.text(), QStringLiteral("Tuto figurku už má 2. hráč."));
    test::part<QComboBox>(chooser, "Combo1").setCurrentIndex(0);  // another shape
    EXPECT_FALSE(note.isVisibleTo(&chooser));
    // Player 2 opening it on player 1's token; without another token nothing is taken.
    chooser.load(1, blueOval, 0, blueOval);
    EXPECT_TRUE(note.isVisibleTo(&chooser));
    EXPECT_EQ(note.text(), QStringLiteral("Tuto figurku už má 1. hráč."));
    chooser.load(1, blueOval, 0);
    EXPECT_FALSE(note.isVisibleTo(&chooser));
}

TEST_F(TokenChooserTest, SetFigurGivesClassHighlightAndIconForPersonAndComputer) {
    chooser.load(0, PlayerStyle{rgb(255, 255, 255), 2, kWhite}, 0);
    const PlayerStyle white{rgb(255, 255, 255), 2, rgb(191, 191, 191)};
    EXPECT_EQ(chooser.SetFigur(false), (AppliedToken{white, 12, 12}));
    // The sliders feed the colour class; the class table itself is the token class's test.
    test::part<QScrollBar>(chooser, "VScroll1_", 1).setValue(4);
    test::part<QScrollBar>(chooser, "VScroll1_", 2).setValue(4);
    const PlayerStyle red{rgb(255, 15, 15), 2, rgb(255, 127, 127)};
    EXPECT_EQ(chooser.SetFigur(true), (AppliedToken{red, 0, 6}));
}

TEST_F(TokenChooserTest, ASliderRedrawsThePreviewOnlyAfterTheDelayAShapeAtOnce) {
    chooser.load(0, PlayerStyle{rgb(255, 255, 255), 1, kWhite}, 0);
    chooser.redrawPreview();
    EXPECT_FALSE(chooser.previewPending());
    QImage before = test::part<PictureBox>(chooser, "Picture2").image().copy();
    test::part<QScrollBar>(chooser, "VScroll1_", 0).setValue(4);
    EXPECT_TRUE(chooser.previewPending());
    EXPECT_EQ(test::part<PictureBox>(chooser, "Picture2").image(), before);
    EXPECT_EQ(chooser.colour(), rgb(15, 255, 255));  // the swatch follows at once
    chooser.redrawPreview();                         // what the timer's tick does
    EXPECT_FALSE(chooser.previewPending());
    EXPECT_NE(test::part<PictureBox>(chooser, "Picture2").image(), before);

    before = test::part<PictureBox>(chooser, "Picture2").image().copy();
    test::part<QComboBox>(chooser, "Combo1").setCurrentIndex(4);
    EXPECT_NE(test::part<PictureBox>(chooser, "Picture2").image(), before);
}

TEST_F(TokenChooserTest, OkReportsThePlayerOfTheCaptionAndHides) {
    chooser.load(1, PlayerStyle{rgb(255, 135, 15), 1, kWhite}, 0);
    chooser.show();
    QSignalSpy spy(&chooser, &TokenChooser::confirmed);
    chooser.confirm();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 2);
    EXPECT_FALSE(chooser.isVisible());
}

}  // namespace
}  // namespace tomelin
