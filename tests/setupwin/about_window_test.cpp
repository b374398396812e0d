#include "setupwin/about_window.h"

#include <gtest/gtest.h>
#include <QDesktopServices>
#include <QFileInfo>
#include <QTest>

#include "setupwin/artwork.h"
#include "setupwin/click_label.h"
#include "setupwin/data_paths.h"
#include "setupwin/link_opener.h"

namespace tomelin {
namespace {

// Catches what the desktop would be asked to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher() {
        QDesktopServices::setUrlHandler("mailto", this, "open");
        QDesktopServices::setUrlHandler("file", this, "open");
    }
    ~UrlCatcher() override {
        QDesktopServices::unsetUrlHandler("mailto");
        QDesktopServices::unsetUrlHandler("file");
    }
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened << url; }
};

TEST(AboutWindow, ALeftClickOnALinkOpensTheMailDraftOrTheShippedHelpPage) {
    UrlCatcher catcher;
    AboutWindow about(Artwork::titlePicture());
    about.show();
    auto* mail = about.findChild<ClickLabel*>("Label6");
    ASSERT_NE(mail, nullptr);
    // A right click or a press dragged away opens nothing.
    QTest::mouseClick(mail, Qt::RightButton);
    QTest::mousePress(mail, Qt::LeftButton);
    QTest::mouseRelease(mail, Qt::LeftButton, {}, QPoint(-20, -20));
    EXPECT_TRUE(catcher.opened.isEmpty());

    QTest::mouseClick(mail, Qt::LeftButton);
    QTest::mouseClick(about.findChild<ClickLabel*>("Label3"), Qt::LeftButton);
    ASSERT_EQ(catcher.opened.size(), 2);
    EXPECT_EQ(catcher.opened[0].scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(catcher.opened[0].path(), QString::fromLatin1(kProjectMailAddress));
    ASSERT_TRUE(catcher.opened[1].isLocalFile());
    const QFileInfo page(catcher.opened[1].toLocalFile());
    EXPECT_TRUE(page.isFile());
    EXPECT_EQ(page.fileName(), QStringLiteral("index.html"));
}

TEST(DataFolders, TheFirstFolderHoldingTheFileWins) {
    const QString source = QStringLiteral(TOMELIN_SOURCE_DATA_DIR);
    EXPECT_EQ(findDataFile("help/index.html", {"/nonexistent-tomelin", source}),
              QFileInfo(source + "/help/index.html").absoluteFilePath());
    EXPECT_TRUE(findDataFile("help/index.html", {"/nonexistent-tomelin"}).isEmpty());
    EXPECT_TRUE(findDataFile("help/missing.html", {source}).isEmpty());
    // The source tree is always among the candidates, so a build finds the page unchanged.
    EXPECT_TRUE(dataFolderCandidates().contains(source));
    // An empty target (no page found) is ignored quietly.
    EXPECT_FALSE(OpenLink(QUrl()));
}

}  // namespace
}  // namespace tomelin

#include "about_window_test.moc"
