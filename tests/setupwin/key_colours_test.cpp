#include "setupwin/key_colours.h"

#include <gtest/gtest.h>

namespace tomelin {
namespace {

const SystemColours kSystem{QColor(212, 208, 200), QColor(255, 255, 250), QColor(10, 20, 30),
                            QColor(64, 64, 64)};

TEST(RecolourKeyColours, EachKeyColourBecomesItsSystemColourInTurnAndOthersStay) {
    // k is pure green, so white turns into k and then, as green, into the button text: a
    // colour written by one test is matched by the later ones, never by an earlier one.
    const QColor k(0, 255, 0);
    SystemColours yellowFace = kSystem;
    yellowFace.buttonFace = QColor(255, 255, 0);
    SystemColours whiteShadow = kSystem;
    whiteShadow.darkShadow = Qt::white;
    struct Row {
        QColor pixel;
        SystemColours system;
        QColor expected;
    };
    const Row rows[] = {
        {Qt::white, kSystem, kSystem.buttonText},
        {QColor(255, 0, 0), kSystem, kSystem.buttonFace},
        {QColor(255, 255, 0), kSystem, kSystem.buttonHighlight},
        {QColor(0, 0, 255), kSystem, kSystem.darkShadow},
        {QColor(255, 0, 0), yellowFace, kSystem.buttonHighlight},
        {QColor(0, 0, 255), whiteShadow, Qt::white},
        // Near misses stay as they are.
        {QColor(254, 255, 255), kSystem, QColor(254, 255, 255)},
        {QColor(255, 0, 1), kSystem, QColor(255, 0, 1)},
        {QColor(0, 254, 0), kSystem, QColor(0, 254, 0)},
        {Qt::black, kSystem, Qt::black},
        {QColor(255, 255, 255, 0), kSystem, QColor(255, 255, 255, 0)},  // transparent: no colour
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pixel.name(QColor::HexArgb).toStdString());
        QImage image(1, 1, QImage::Format_ARGB32);
        image.setPixelColor(0, 0, row.pixel);
        RecolourKeyColours(image, k, row.system);
        EXPECT_EQ(image.pixelColor(0, 0), row.expected);
    }
}

TEST(ToolbarKeyColour, IsTheMidpointOfTextAndFaceRoundedHalfToEven) {
    SystemColours system = kSystem;
    system.buttonText = QColor(0, 1, 3);
    system.buttonFace = QColor(255, 4, 0);
    // 127.5 -> 128, 2.5 -> 2, 1.5 -> 2
    EXPECT_EQ(toolbarKeyColour(system), QColor(128, 2, 2));
}

TEST(SetupTitleStrip, RunsFromMidGreyToTheButtonFace) {
    const QImage strip = setupTitleStrip(50, 64, kSystem.buttonFace);
    EXPECT_EQ(strip.pixelColor(10, 0), QColor(127, 127, 127));
    EXPECT_EQ(strip.pixelColor(10, 63), kSystem.buttonFace);
    // Darker at the top than lower down, and the same across a row.
    EXPECT_LT(strip.pixelColor(0, 10).red(), strip.pixelColor(0, 40).red());
    EXPECT_EQ(strip.pixelColor(0, 30), strip.pixelColor(49, 30));
}

}  // namespace
}  // namespace tomelin
