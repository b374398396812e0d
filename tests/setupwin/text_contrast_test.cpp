// Every text of the setup, About and game windows reads at 4.5:1 or better against what lies
// behind it, under a light and under a dark desktop palette.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QStyle>
#include <algorithm>
#include <map>

#include "setupwin/about_window.h"
#include "setupwin/launched_program.h"
#include "support/contrast.h"

namespace tomelin {
namespace {

QPalette darkPalette() {
    QPalette p;
    const QColor window(53, 53, 53), base(35, 35, 35), text(235, 235, 235);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::Link, QColor(42, 130, 218));
    p.setColor(QPalette::Light, QColor(90, 90, 90));
    p.setColor(QPalette::Midlight, QColor(70, 70, 70));
    p.setColor(QPalette::Dark, QColor(25, 25, 25));
    p.setColor(QPalette::Mid, QColor(40, 40, 40));
    p.setColor(QPalette::Shadow, Qt::black);
    return p;
}

// Where a label's text lies in it: its width and height placed by the label's alignment
// (the whole contents for wrapped text).
QRect textArea(const QLabel& label) {
    const QRect contents = label.contentsRect();
    if (label.wordWrap())
        return contents;
    const QFontMetrics fm = label.fontMetrics();
    const QSize size(std::min(contents.width(), fm.horizontalAdvance(label.text())),
                     std::min(contents.height(), fm.height()));
    return QStyle::alignedRect(label.layoutDirection(), label.alignment(), size, contents);
}

// "name [text]: ratio" for every visible label with text in `window` whose colour reads below
// 4.5:1 against any pixel behind its text (the window drawn with the label hidden).
QStringList poorTexts(QWidget& window) {
    window.ensurePolished();
    QStringList poor;
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&window) || label->text().trimmed().isEmpty() ||
            label->width() < 4 || label->height() < 4 || label->textFormat() == Qt::RichText)
            continue;
        label->ensurePolished();
        const QColor text = label->palette().color(label->foregroundRole());
        const QRect area = textArea(*label).translated(label->mapTo(&window, QPoint(0, 0)));
        label->hide();
        const QImage behind = window.grab(area).toImage();
        label->show();
        double worst = 21;
        for (int y = 0; y < behind.height(); ++y)
            for (int x = 0; x < behind.width(); ++x)
                worst = std::min(worst, test::contrastRatio(text, behind.pixelColor(x, y)));
        if (worst < 4.5)
            poor << QStringLiteral("%1 [%2]: %3")
                        .arg(label->objectName(), label->text().left(20))
                        .arg(worst, 0, 'f', 2);
    }
    return poor;
}

class TextContrast : public LaunchedProgram, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        LaunchedProgram::SetUp();
        m_saved = QApplication::palette();
        if (GetParam())
            QApplication::setPalette(darkPalette());
    }
    void TearDown() override { QApplication::setPalette(m_saved); }
    QPalette m_saved;
};

TEST_P(TextContrast, EveryTextReadsAtFourAndAHalfToOne) {
    SetupWindow& setup = launch();
    setup.show();
    EXPECT_TRUE(poorTexts(setup).isEmpty()) << poorTexts(setup).join('\n').toStdString();
    AboutWindow about(setup.titlePicture());
    about.show();
    EXPECT_TRUE(poorTexts(about).isEmpty()) << poorTexts(about).join('\n').toStdString();
    setup.requestStart();
    GameWindow& game = this->game();
    timers.fire(GameTimer::Start);
    ASSERT_TRUE(game.isVisible());
    EXPECT_TRUE(poorTexts(game).isEmpty()) << poorTexts(game).join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(LightAndDark, TextContrast, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Dark" : "Light"; });

}  // namespace
}  // namespace tomelin
