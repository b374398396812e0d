#include "platform/midi/song_library.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/midi/temp_folder.h"

namespace tomelin {
namespace {

using test::TempFolder;
using ::testing::ElementsAre;

TEST(SongList, WithoutAFolderHoldsOnlySilence) {
    EXPECT_THAT(buildSongList(std::nullopt), ElementsAre("(Ticho)"));
}

TEST(SongList, MissingOrEmptyFolderHoldsOnlySilence) {
    TempFolder temp;
    EXPECT_THAT(buildSongList(temp.path()), ElementsAre("(Ticho)"));
    EXPECT_THAT(buildSongList(temp.path() / "nowhere"), ElementsAre("(Ticho)"));
}

TEST(SongList, OneSongFollowsSilence) {
    TempFolder temp;
    temp.write("abc.mid", "MThd");
    EXPECT_THAT(buildSongList(temp.path()), ElementsAre("(Ticho)", "abc"));
}

TEST(SongList, NamesKeepAccentsAndSpaces) {
    TempFolder temp;
    temp.write("Kočka leze dírou.mid", "");
    temp.write("Skákal pes.mid", "");
    EXPECT_THAT(buildSongList(temp.path()),
                ElementsAre("(Ticho)", "Kočka leze dírou", "Skákal pes"));
}

TEST(SongList, OnlyMidFilesCountInAnyLetterCase) {
    TempFolder temp;
    temp.write("Loud.MID", "");
    temp.write("quiet.mid", "");
    temp.write("notes.txt", "");
    temp.write("long.midi", "");
    temp.write("mid", "");
    temp.write(".mid", "");
    std::filesystem::create_directory(temp.path() / "folder.mid");
    EXPECT_THAT(listSongs(temp.path()), ElementsAre("Loud", "quiet"));
}

TEST(SongList, SortsWithoutRegardToLetterCase) {
    TempFolder temp;
    temp.write("beta.mid", "");
    temp.write("Alfa.mid", "");
    temp.write("Gama.mid", "");
    temp.write("alfa.mid", "");
    EXPECT_THAT(listSongs(temp.path()), ElementsAre("Alfa", "alfa", "beta", "Gama"));
}

TEST(SongFolder, CandidatesGoFromProgramToInstalledToSource) {
    EXPECT_THAT(songFolderCandidates("/opt/bin", {"/usr/share/tomelin", "/src/assets"}),
                ElementsAre(std::filesystem::path("/opt/bin/Zvuk"),
                            std::filesystem::path("/usr/share/tomelin/Zvuk"),
                            std::filesystem::path("/src/assets/Zvuk")));
    EXPECT_THAT(songFolderCandidates("", {"", "/usr/share/tomelin"}),
                ElementsAre(std::filesystem::path("/usr/share/tomelin/Zvuk")));
}

TEST(SongFolder, FirstFolderWithASongWins) {
    TempFolder program;
    TempFolder installed;
    TempFolder source;
    std::filesystem::create_directory(program.path() / "Zvuk");  // empty: passed over
    std::filesystem::create_directory(installed.path() / "Zvuk");
    std::filesystem::create_directory(source.path() / "Zvuk");
    installed.write("Zvuk/one.mid", "");
    source.write("Zvuk/two.mid", "");
    const auto candidates =
        songFolderCandidates(program.path(), {installed.path() / "missing", source.path()});
    EXPECT_EQ(findSongFolder(candidates), source.path() / "Zvuk");
    EXPECT_EQ(
        findSongFolder(songFolderCandidates(program.path(), {installed.path(), source.path()})),
        installed.path() / "Zvuk");
}

TEST(SongFolder, NoneWhenNoCandidateHoldsASong) {
    TempFolder program;
    std::filesystem::create_directory(program.path() / "Zvuk");
    program.write("Zvuk/readme.txt", "");
    EXPECT_EQ(findSongFolder(songFolderCandidates(program.path(), {})), std::nullopt);
    EXPECT_EQ(findSongFolder({}), std::nullopt);
}

TEST(SongFolder, SongFileAddsTheExtensionBack) {
    EXPECT_EQ(songFile("/data/Zvuk", "Skákal pes"),
              std::filesystem::path("/data/Zvuk/Skákal pes.mid"));
}

TEST(RandomSong, NeverPicksSilenceWhenThereIsASong) {
    EXPECT_EQ(randomSongItem(2, 0.0), 1);
    EXPECT_EQ(randomSongItem(2, 0.999), 1);
    EXPECT_EQ(randomSongItem(5, 0.0), 1);
    EXPECT_EQ(randomSongItem(5, 0.25), 2);
    EXPECT_EQ(randomSongItem(5, 0.74), 3);
    EXPECT_EQ(randomSongItem(5, 0.9999), 4);
}

TEST(RandomSong, SilenceWhenTheListHoldsNoSong) {
    EXPECT_EQ(randomSongItem(1, 0.5), 0);
    EXPECT_EQ(randomSongItem(0, 0.5), 0);
}

TEST(RandomSong, NumbersOutsideTheUnitRangeStayInTheList) {
    EXPECT_EQ(randomSongItem(5, 1.0), 4);
    EXPECT_EQ(randomSongItem(5, 7.5), 4);
    EXPECT_EQ(randomSongItem(5, -0.5), 1);
    EXPECT_EQ(randomSongItem(5, std::nan("")), 1);
}

}  // namespace
}  // namespace tomelin
