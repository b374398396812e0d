// The installed desktop integration files pass the freedesktop validators, and the icons the
// build draws are real PNGs of their sizes.

#include <gtest/gtest.h>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>

#include <QLabel>
#include <vector>

#include "setupwin/about_window.h"
#include "setupwin/artwork.h"
#include "setupwin/splash_window.h"

namespace tomelin {
namespace {

const QString kAssets = QStringLiteral(TOMELIN_SOURCE_DATA_DIR);
const QString kAppId = QStringLiteral("io.github.tomelin.Tomelin");
const QString kDesktopFiles = kAssets + "/desktop/" + kAppId;

QString readText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Runs a validator; the test is skipped when the tool is not installed.
void validate(const char* tool, const QStringList& args, bool mustBeQuiet) {
    const QString path = QStandardPaths::findExecutable(tool);
    if (path.isEmpty()) {
        GTEST_SKIP() << tool << " is not installed (make deps installs it)";
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(path, args);
    ASSERT_TRUE(process.waitForFinished(60000)) << tool << " did not finish";
    const std::string output = process.readAll().toStdString();
    EXPECT_EQ(process.exitCode(), 0) << output;
    if (mustBeQuiet) {
        EXPECT_EQ(output.find_first_not_of(" \n"), std::string::npos) << output;
    }
}

TEST(DesktopIntegration, TheDesktopFilePassesDesktopFileValidate) {
    validate("desktop-file-validate", {kDesktopFiles + ".desktop"}, true);
}

TEST(DesktopIntegration, TheMetainfoPassesAppstreamValidation) {
    validate("appstreamcli", {"validate", "--no-net", kDesktopFiles + ".metainfo.xml"}, false);
}

TEST(DesktopIntegration, TheFilesNameEachOtherTheIconAndTheCurrentVersion) {
    const QString xml = readText(kDesktopFiles + ".metainfo.xml");
    EXPECT_TRUE(xml.contains("<id>" + kAppId + "</id>"));
    EXPECT_TRUE(xml.contains(">" + kAppId + ".desktop</launchable>"));
    EXPECT_TRUE(xml.contains(QStringLiteral("<release version=\"%1\"").arg(TOMELIN_VERSION)))
        << "the newest release must be the project's version " << TOMELIN_VERSION;
    EXPECT_TRUE(readText(kDesktopFiles + ".desktop").contains("Icon=" + kAppId + "\n"));
}

// One version everywhere: the project's is the one the About window and the splash show,
// the manual pages' and the package changelog's newest entry.
TEST(DesktopIntegration, WindowsManualsAndChangelogShowTheProjectVersion) {
    const QString version = QStringLiteral(TOMELIN_VERSION);
    AboutWindow about(QPixmap{});
    EXPECT_EQ(about.findChild<QLabel*>("Label1")->text(), "Verze " + version);
    SplashWindow splash(QPixmap{}, QPixmap{});
    EXPECT_EQ(splash.findChild<QLabel*>("Label1")->text(), version);
    const QString packaging = kAssets + "/../packaging/";
    for (const char* page : {"tomelin.6", "tomelin-cli.6"})
        EXPECT_TRUE(readText(packaging + page).contains("\"Tomelin " + version + "\"")) << page;
    EXPECT_TRUE(readText(packaging + "changelog").startsWith("tomelin (" + version + ")"));
}

// What a user or a packager reads about the game tells of all four strengths, the hint,
// playing taken-back moves again and resuming a kept game.
TEST(DesktopIntegration, EveryTextTellsOfTheFourStrengthsTheHintRedoAndResume) {
    const QString root = kAssets + "/../";
    const struct {
        const char* file;
        std::vector<const char*> told;  // besides the four strengths
    } texts[] = {
        {"packaging/tomelin.6", {"\n.B N\n", "\n.B Y\n", "Pokračovat ve hře"}},
        {"packaging/package.cmake", {"hint (N)", "played again (Y)", "resumed"}},
        {"assets/desktop/io.github.tomelin.Tomelin.metainfo.xml",
         {"hint (key N)", "play them again (Y)", "resumed"}},
        {"assets/help/index.html", {"<kbd>N</kbd>", "<kbd>Y</kbd>", "Pokračovat ve hře"}},
        {"README.md", {"`N`", "`Y`", "Pokračovat ve hře"}},
    };
    for (const auto& t : texts) {
        const QString text = readText(root + t.file);
        ASSERT_FALSE(text.isEmpty()) << t.file;
        for (const char* strength : {"Začátečník", "Profesionál", "Génius", "Velmistr"})
            EXPECT_TRUE(text.contains(QString::fromUtf8(strength))) << t.file << ": " << strength;
        for (const char* told : t.told)
            EXPECT_TRUE(text.contains(QString::fromUtf8(told))) << t.file << ": " << told;
        EXPECT_FALSE(text.contains(QStringLiteral("three strengths"))) << t.file;
        EXPECT_FALSE(text.contains(QStringLiteral("třech silách"))) << t.file;
    }
}

// The screenshots the AppStream data names (assets/install.cmake) are real pictures of the
// program's windows, not empty screens.
TEST(DesktopIntegration, TheKeptScreenshotsArePicturesOfTheGame) {
    const QString install = readText(kAssets + "/install.cmake");
    for (const char* name : {"setup", "game-hint", "computer-game", "records"}) {
        EXPECT_TRUE(install.contains(QStringLiteral("\"%1|").arg(name))) << name;
        const QImage shot(kAssets + "/screenshots/" + name + ".png");
        ASSERT_FALSE(shot.isNull()) << name;
        EXPECT_GE(shot.width(), 800) << name;
        EXPECT_GE(shot.height(), 600) << name;
        // The desktop around the windows is black; a window covers a good part of it.
        int lit = 0;
        for (int y = 0; y < shot.height(); y += 8) {
            for (int x = 0; x < shot.width(); x += 8)
                lit += qGray(shot.pixel(x, y)) > 16 ? 1 : 0;
        }
        EXPECT_GT(lit, (shot.width() / 8) * (shot.height() / 8) / 5) << name;
    }
}

TEST(Artwork, TheIconAndEverySharedPictureHaveContent) {
    for (int size : {16, 24, 48, 256}) {
        const QImage icon = Artwork::appIcon(size);
        ASSERT_EQ(icon.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255) << size;
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << "rounded corners stay transparent";
    }
    for (int i = 0; i < kSharedPictureCount; ++i) {
        const QImage picture = Artwork::sharedPicture(i);
        int opaque = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                opaque += qAlpha(picture.pixel(x, y)) > 0 ? 1 : 0;
            }
        }
        EXPECT_GT(opaque, 200) << "picture " << i;
    }
    // Persons and computers of one class differ; so do two classes. Past the end: empty.
    EXPECT_NE(Artwork::sharedPicture(0), Artwork::sharedPicture(6));
    EXPECT_NE(Artwork::sharedPicture(0), Artwork::sharedPicture(1));
    EXPECT_EQ(Artwork::sharedPicture(kSharedPictureCount).pixel(16, 16), 0u);
}

}  // namespace
}  // namespace tomelin
