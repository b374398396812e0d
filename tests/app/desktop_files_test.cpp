// The installed desktop integration files pass the freedesktop validators, and the icons the
// build draws are real PNGs of their sizes.

#include <gtest/gtest.h>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>

#include "setup/widgets/artwork.h"

namespace tomelin {
namespace {

const QString kAssets = QStringLiteral(TOMELIN_SOURCE_DATA_DIR);
const QString kAppId = QStringLiteral("io.github.tomelin.Tomelin");

// Runs a validator; its output is returned for the failure message.
int runTool(const QString& tool, const QStringList& args, QString& output) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(tool, args);
    if (!process.waitForFinished(60000)) {
        output = "did not finish";
        return -1;
    }
    output = QString::fromUtf8(process.readAll());
    return process.exitCode();
}

TEST(DesktopIntegration, TheDesktopFilePassesDesktopFileValidate) {
    const QString tool = QStandardPaths::findExecutable("desktop-file-validate");
    if (tool.isEmpty()) {
        GTEST_SKIP() << "desktop-file-validate is not installed (make deps installs it)";
    }
    QString output;
    EXPECT_EQ(runTool(tool, {kAssets + "/desktop/" + kAppId + ".desktop"}, output), 0)
        << output.toStdString();
    EXPECT_TRUE(output.trimmed().isEmpty()) << output.toStdString();
}

TEST(DesktopIntegration, TheMetainfoPassesAppstreamValidation) {
    const QString tool = QStandardPaths::findExecutable("appstreamcli");
    if (tool.isEmpty()) {
        GTEST_SKIP() << "appstreamcli is not installed (make deps installs it)";
    }
    QString output;
    EXPECT_EQ(
        runTool(tool, {"validate", "--no-net", kAssets + "/desktop/" + kAppId + ".metainfo.xml"},
                output),
        0)
        << output.toStdString();
}

TEST(DesktopIntegration, TheMetainfoNamesTheDesktopFileAndTheCurrentVersion) {
    QFile file(kAssets + "/desktop/" + kAppId + ".metainfo.xml");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(xml.contains("<id>" + kAppId + "</id>"));
    EXPECT_TRUE(xml.contains(">" + kAppId + ".desktop</launchable>"));
    EXPECT_TRUE(xml.contains(QStringLiteral("<release version=\"%1\"").arg(TOMELIN_VERSION)))
        << "the newest release must be the project's version " << TOMELIN_VERSION;
    QFile desktop(kAssets + "/desktop/" + kAppId + ".desktop");
    ASSERT_TRUE(desktop.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(desktop.readAll()).contains("Icon=" + kAppId + "\n"));
}

TEST(DesktopIntegration, TheHelpPageIsCzechAndExplainsTheRules) {
    QFile file(kAssets + "/help/index.html");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(html.contains("lang=\"cs\""));
    for (const char* word : {"Hvězda", "Kříž", "Kopie", "Skok", "Konec hry"}) {
        EXPECT_TRUE(html.contains(QString::fromUtf8(word))) << word;
    }
}

TEST(Artwork, TheApplicationIconIsDrawnAtEverySizeWithOpaqueContent) {
    for (int size : {16, 24, 48, 256}) {
        const QImage icon = Artwork::appIcon(size);
        ASSERT_EQ(icon.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255) << size;
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << "rounded corners stay transparent";
    }
}

TEST(Artwork, EverySharedPictureHasContentAndOthersAreEmpty) {
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
    // Persons and computers of one class differ; so do two classes.
    EXPECT_NE(Artwork::sharedPicture(0), Artwork::sharedPicture(6));
    EXPECT_NE(Artwork::sharedPicture(0), Artwork::sharedPicture(1));
    const QImage none = Artwork::sharedPicture(kSharedPictureCount);
    EXPECT_EQ(none.pixel(16, 16), 0u);
}

}  // namespace
}  // namespace tomelin
