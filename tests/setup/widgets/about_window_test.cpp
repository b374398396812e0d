#include "setup/widgets/about_window.h"

#include <gtest/gtest.h>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QTest>

#include "setup/widgets/artwork.h"
#include "setup/widgets/click_label.h"
#include "setup/widgets/data_paths.h"
#include "setup/widgets/link_opener.h"

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

TEST(AboutWindow, ShowsItsTextsAndVersion) {
    frmAbout about(Artwork::titlePicture());
    EXPECT_EQ(about.windowTitle(), QStringLiteral("O programu..."));
    EXPECT_EQ(about.findChild<QLabel*>("Label1")->text(), QStringLiteral("Verze 1.55"));
    EXPECT_EQ(about.findChild<QLabel*>("lblVersion")->text(), QStringLiteral("20.01. 2001"));
    EXPECT_EQ(about.findChild<QLabel*>("Label4")->text(), QStringLiteral("Mé stránky :"));
    EXPECT_EQ(about.findChild<QLabel*>("Label7")->text(),
              QStringLiteral("Veškeré dotazy rád zodpovím a nahlášené chyby samozřejmě opravím."));
    EXPECT_TRUE(about.findChild<QLabel*>("Label5")->text().startsWith(
        QStringLiteral("Na tento e-mail mi, prosím, pište")));
    EXPECT_TRUE(about.isModal());
}

TEST(AboutWindow, TheMailLinkOpensADraftToTheProjectAddress) {
    UrlCatcher catcher;
    frmAbout about(Artwork::titlePicture());
    about.show();
    auto* link = about.findChild<ClickLabel*>("Label6");
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->text(), QString::fromLatin1(kProjectMailAddress));
    QTest::mouseClick(link, Qt::LeftButton);
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened[0].scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(catcher.opened[0].path(), QString::fromLatin1(kProjectMailAddress));
}

TEST(AboutWindow, TheWebLinkOpensTheHelpPageThatShipsWithTheGame) {
    UrlCatcher catcher;
    frmAbout about(Artwork::titlePicture());
    about.show();
    QTest::mouseClick(about.findChild<ClickLabel*>("Label3"), Qt::LeftButton);
    ASSERT_EQ(catcher.opened.size(), 1);
    const QUrl url = catcher.opened[0];
    EXPECT_TRUE(url.isLocalFile());
    const QFileInfo page(url.toLocalFile());
    EXPECT_TRUE(page.isFile());
    EXPECT_EQ(page.fileName(), QStringLiteral("index.html"));
}

TEST(AboutWindow, ARightClickOrADragAwayOpensNothing) {
    UrlCatcher catcher;
    frmAbout about(Artwork::titlePicture());
    about.show();
    auto* link = about.findChild<ClickLabel*>("Label6");
    QTest::mouseClick(link, Qt::RightButton);
    QTest::mousePress(link, Qt::LeftButton);
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-20, -20));
    EXPECT_TRUE(catcher.opened.isEmpty());
}

TEST(DataFolders, TheFirstFolderHoldingTheFileWins) {
    const QString source = QStringLiteral(TOMELIN_SOURCE_DATA_DIR);
    EXPECT_EQ(findDataFile("help/index.html", {"/nonexistent-tomelin", source}),
              QFileInfo(source + "/help/index.html").absoluteFilePath());
    EXPECT_TRUE(findDataFile("help/index.html", {"/nonexistent-tomelin"}).isEmpty());
    EXPECT_TRUE(findDataFile("help/missing.html", {source}).isEmpty());
    // The source tree is always among the candidates, so a build finds the page unchanged.
    EXPECT_TRUE(dataFolderCandidates().contains(source));
}

TEST(OpenLink, AnEmptyTargetIsIgnoredQuietly) {
    EXPECT_FALSE(OpenLink(QUrl()));
}

}  // namespace
}  // namespace tomelin

#include "about_window_test.moc"
