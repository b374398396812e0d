#include "setup/widgets/token_chooser.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QScrollBar>
#include <QSignalSpy>

#include "core/random.h"
#include "platform/draw/picture_box.h"

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

    // A damaged shape selects the first one.
    for (int damaged : {9, 0}) {
        chooser.load(0, PlayerStyle{rgb(255, 255, 255), damaged, kWhite}, 0);
        EXPECT_EQ(chooser.shapeList()->currentIndex(), 0) << damaged;
        EXPECT_EQ(chooser.shape(), 1) << damaged;
    }
}

TEST_F(TokenChooserTest, SetFigurGivesClassHighlightAndIconForPersonAndComputer) {
    chooser.load(0, PlayerStyle{rgb(255, 255, 255), 2, kWhite}, 0);
    const PlayerStyle white{rgb(255, 255, 255), 2, rgb(191, 191, 191)};
    EXPECT_EQ(chooser.SetFigur(false), (AppliedToken{white, 12, 12}));
    // The sliders feed the colour class; the class table itself is the token class's test.
    chooser.slider(1)->setValue(4);
    chooser.slider(2)->setValue(4);
    const PlayerStyle red{rgb(255, 15, 15), 2, rgb(255, 127, 127)};
    EXPECT_EQ(chooser.SetFigur(true), (AppliedToken{red, 0, 6}));
}

TEST_F(TokenChooserTest, ASliderRedrawsThePreviewOnlyAfterTheDelayAShapeAtOnce) {
    chooser.load(0, PlayerStyle{rgb(255, 255, 255), 1, kWhite}, 0);
    chooser.redrawPreview();
    EXPECT_FALSE(chooser.previewPending());
    QImage before = chooser.preview()->image().copy();
    chooser.slider(0)->setValue(4);
    EXPECT_TRUE(chooser.previewPending());
    EXPECT_EQ(chooser.preview()->image(), before);
    EXPECT_EQ(chooser.colour(), rgb(15, 255, 255));  // the swatch follows at once
    chooser.redrawPreview();                         // what the timer's tick does
    EXPECT_FALSE(chooser.previewPending());
    EXPECT_NE(chooser.preview()->image(), before);

    before = chooser.preview()->image().copy();
    chooser.shapeList()->setCurrentIndex(4);
    EXPECT_NE(chooser.preview()->image(), before);
}

TEST_F(TokenChooserTest, OkReportsThePlayerOfTheCaptionAndHides) {
    chooser.load(1, PlayerStyle{rgb(255, 135, 15), 1, kWhite}, 0);
    chooser.show();
    QSignalSpy spy(&chooser, &TokenChooser::confirmed);
    chooser.Command1_Click();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 2);
    EXPECT_FALSE(chooser.isVisible());
}

}  // namespace
}  // namespace tomelin
