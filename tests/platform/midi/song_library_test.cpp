#include "platform/midi/song_library.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "platform/midi/song_files.h"

namespace tomelin {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;
using ::testing::ElementsAre;

// Only regular files ending in ".mid" in any letter case count; names keep their accents and
// spaces and sort without regard to letter case. Without songs only silence is left.
TEST(SongList, SilenceThenTheMidFilesSortedIgnoringCase) {
    TempFolder temp;
    EXPECT_THAT(buildSongList(temp.path()), ElementsAre("(Ticho)"));
    EXPECT_THAT(buildSongList(temp.path() / "nowhere"), ElementsAre("(Ticho)"));
    EXPECT_THAT(buildSongList(std::nullopt), ElementsAre("(Ticho)"));
    for (const char* name : {"quiet.mid", "Loud.MID", "beta.mid", "alfa.mid", "Alfa.mid",
                             "Kočka leze dírou.mid", "notes.txt", "long.midi", "mid", ".mid"}) {
        temp.write(name);
    }
    fs::create_directory(temp.path() / "folder.mid");
    EXPECT_THAT(buildSongList(temp.path()), ElementsAre("(Ticho)", "Alfa", "alfa", "beta",
                                                        "Kočka leze dírou", "Loud", "quiet"));
    EXPECT_EQ(songFile("/data/Zvuk", "Kočka"), fs::path("/data/Zvuk/Kočka.mid"));
}

// The program's folder first, then the data folders in order; empty names are skipped.
TEST(SongFolder, FirstCandidateHoldingASongWins) {
    EXPECT_THAT(songFolderCandidates("/opt/bin", {"", "/usr/share/tomelin"}),
                ElementsAre("/opt/bin/Zvuk", "/usr/share/tomelin/Zvuk"));
    EXPECT_THAT(songFolderCandidates("", {"/src/assets"}), ElementsAre("/src/assets/Zvuk"));
    TempFolder program, installed, source;
    for (const TempFolder* folder : {&program, &installed, &source}) {
        fs::create_directory(folder->path() / "Zvuk");
    }
    program.write("Zvuk/readme.txt");  // no song: passed over
    installed.write("Zvuk/one.mid");
    source.write("Zvuk/two.mid");
    const auto find = [&](std::vector<fs::path> data) {
        return findSongFolder(songFolderCandidates(program.path(), data));
    };
    EXPECT_EQ(find({installed.path(), source.path()}), installed.path() / "Zvuk");
    EXPECT_EQ(find({"/nowhere", source.path()}), source.path() / "Zvuk");
    EXPECT_EQ(find({}), std::nullopt);
}

// floor(r × (count − 1)) + 1: never the silence item while there is a song, and an r outside
// [0, 1) is brought back into it.
TEST(RandomSong, PicksASongForAnyNumberAndSilenceOnlyWithoutSongs) {
    const struct {
        int count;
        double r;
        int item;
    } rows[] = {{2, 0.0, 1},  {2, 0.999, 1},  {5, 0.0, 1}, {5, 0.25, 2},
                {5, 0.74, 3}, {5, 0.9999, 4}, {5, 1.0, 4}, {5, 7.5, 4},
                {5, -0.5, 1}, {5, NAN, 1},    {1, 0.5, 0}, {0, 0.5, 0}};
    for (const auto& row : rows) {
        EXPECT_EQ(randomSongItem(row.count, row.r), row.item) << row.count << " items, r " << row.r;
    }
}

}  // namespace
}  // namespace tomelin
