#include "setup/widgets/key_colours.h"

#include <gtest/gtest.h>

namespace tomelin {
namespace {

SystemColours testColours() {
    return {QColor(212, 208, 200), QColor(255, 255, 250), QColor(10, 20, 30), QColor(64, 64, 64)};
}

QImage singlePixel(const QColor& c) {
    QImage image(1, 1, QImage::Format_RGB32);
    image.setPixelColor(0, 0, c);
    return image;
}

QColor recoloured(const QColor& pixel, const QColor& k, const SystemColours& sys) {
    QImage image = singlePixel(pixel);
    RecolourKeyColours(image, k, sys);
    return image.pixelColor(0, 0);
}

TEST(RecolourKeyColours, EachKeyColourBecomesItsSystemColour) {
    const SystemColours sys = testColours();
    const QColor k(111, 112, 113);
    EXPECT_EQ(recoloured(QColor(255, 255, 255), k, sys), k);
    EXPECT_EQ(recoloured(QColor(255, 0, 0), k, sys), sys.buttonFace);
    EXPECT_EQ(recoloured(QColor(255, 255, 0), k, sys), sys.buttonHighlight);
    EXPECT_EQ(recoloured(QColor(0, 255, 0), k, sys), sys.buttonText);
    EXPECT_EQ(recoloured(QColor(0, 0, 255), k, sys), sys.darkShadow);
}

TEST(RecolourKeyColours, OtherPixelsStayUnchanged) {
    const SystemColours sys = testColours();
    for (const QColor& c : {QColor(254, 255, 255), QColor(0, 0, 0), QColor(255, 0, 1),
                            QColor(128, 128, 128), QColor(0, 254, 0)}) {
        EXPECT_EQ(recoloured(c, QColor(1, 2, 3), sys), c) << c.name().toStdString();
    }
}

TEST(RecolourKeyColours, AColourWrittenByOneTestIsMatchedByTheLaterOnes) {
    // k is pure green: white turns green, then the green test turns it into button text.
    const SystemColours sys = testColours();
    EXPECT_EQ(recoloured(QColor(255, 255, 255), QColor(0, 255, 0), sys), sys.buttonText);
    // A button face that is itself yellow is replaced again by the highlight.
    SystemColours yellowFace = sys;
    yellowFace.buttonFace = QColor(255, 255, 0);
    EXPECT_EQ(recoloured(QColor(255, 0, 0), QColor(1, 1, 1), yellowFace), sys.buttonHighlight);
    // An earlier test never sees a colour written by a later one.
    SystemColours whiteShadow = sys;
    whiteShadow.darkShadow = QColor(255, 255, 255);
    EXPECT_EQ(recoloured(QColor(0, 0, 255), QColor(1, 1, 1), whiteShadow), QColor(255, 255, 255));
}

TEST(RecolourKeyColours, TransparentPixelsMatchNothing) {
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 255, 255, 0));
    image.setPixel(1, 0, qRgba(255, 255, 255, 255));
    RecolourKeyColours(image, QColor(9, 9, 9), testColours());
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(image.pixelColor(1, 0), QColor(9, 9, 9));
}

TEST(ToolbarKeyColour, IsTheMidpointOfTextAndFaceRoundedHalfToEven) {
    SystemColours sys = testColours();
    sys.buttonText = QColor(0, 1, 3);
    sys.buttonFace = QColor(255, 4, 0);
    // 127.5 -> 128, 2.5 -> 2, 1.5 -> 2
    EXPECT_EQ(toolbarKeyColour(sys), QColor(128, 2, 2));
}

TEST(SetupTitleStrip, RunsFromMidGreyToTheButtonFace) {
    const QColor face(212, 208, 200);
    const QImage strip = setupTitleStrip(50, 64, face);
    EXPECT_EQ(strip.pixelColor(10, 0), QColor(127, 127, 127));
    EXPECT_EQ(strip.pixelColor(10, 63), face);
    // Darker at the top than lower down, and the same across a row.
    EXPECT_LT(strip.pixelColor(0, 10).red(), strip.pixelColor(0, 40).red());
    EXPECT_EQ(strip.pixelColor(0, 30), strip.pixelColor(49, 30));
}

}  // namespace
}  // namespace tomelin
