// A store on a disk that is full: a small file system of its own (a tmpfs in a private mount
// namespace, where the system lets the test make one), filled after games were recorded and
// one was kept. The tool still shows everything stored, refuses every change with the Czech
// reason, and after space is freed everything is still there.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli/run_tool.h"
#include "support/temp_folder.h"

namespace {

using tomelin::test::readFile;

// The script runs inside the namespace; each step's output, errors and status go to files
// in the test's folder outside it.
const char* const kScript = R"(
set -u
CLI=$1; D=$2; O=$3
mount -t tmpfs -o size=2m tmpfs "$D" || exit 77
export TOMELIN_STORE="$D/tomelin.db"
B='+XXXX-XXXXXXXXXXXXXXXXXXXXXXXX-XXXX+'
step() { name=$1; shift; "$CLI" "$@" >"$O/$name.out" 2>"$O/$name.err"; echo $? >"$O/$name.rc"; }
step before records
step kept play --board Dáma --max-moves 3 --seed 2
step games play --board-string "$B" --games 4 --record --seed 3
head -c 50000000 /dev/zero >"$D/fill" 2>/dev/null
step full records
step fullset store set 'Software\Brantl\Tomelin\Test' x y
step fulldelete store delete 'Software\Brantl\Tomelin\RozehranáHra'
step fullplay play --board-string "$B" --games 1 --record --seed 4
step fullresume play --resume --record --seed 1
rm "$D/fill"
step freed records
step freedkept store get 'Software\Brantl\Tomelin\RozehranáHra' PočetTahů
)";

TEST(FullDisk, TheStoreShowsItsDataAndRefusesChangesWithTheReason) {
    if (std::system("unshare -rm true >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "this system lets no test make a file system of its own";
    tomelin::test::TempFolder folder;
    const std::filesystem::path mountPoint = folder.path() / "disk";
    const std::filesystem::path out = folder.path() / "out";
    std::filesystem::create_directories(mountPoint);
    std::filesystem::create_directories(out);
    std::ofstream(folder.path() / "script.sh") << kScript;
    const int raw = std::system(("unshare -rm sh " + shellQuoted((folder.path() / "script.sh").string()) +
                                 " " + shellQuoted(TOMELIN_CLI_PATH) + " " +
                                 shellQuoted(mountPoint.string()) + " " + shellQuoted(out.string()))
                                    .c_str());
    if (WIFEXITED(raw) && WEXITSTATUS(raw) == 77)
        GTEST_SKIP() << "no tmpfs can be mounted here";
    ASSERT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << raw;
    auto rc = [&](const char* step) { return readFile(out / (std::string(step) + ".rc")); };
    auto err = [&](const char* step) { return readFile(out / (std::string(step) + ".err")); };
    ASSERT_EQ(rc("kept"), "0\n") << err("kept");
    ASSERT_EQ(rc("games"), "0\n") << err("games");
    const std::string records = readFile(out / "games.out");
    ASSERT_NE(records.find("result"), std::string::npos);

    // Every record is still listed, with the reason on the error stream.
    EXPECT_EQ(rc("full"), "0\n");
    const std::string listed = readFile(out / "full.out");
    EXPECT_NE(listed.find("record\tVlastní pole"), std::string::npos) << err("full");
    EXPECT_NE(err("full").find("the disk is full"), std::string::npos) << err("full");
    // Every change is refused, saying why; the kept game is not taken.
    for (const char* step : {"fullset", "fulldelete", "fullplay", "fullresume"}) {
        SCOPED_TRACE(step);
        EXPECT_EQ(rc(step), "1\n");
        EXPECT_NE(err(step).find("the disk is full"), std::string::npos) << err(step);
    }
    EXPECT_EQ(readFile(out / "fullplay.out").find("result"), std::string::npos);
    // Space again: the same records, and the kept game where it was.
    EXPECT_EQ(rc("freed"), "0\n");
    EXPECT_EQ(readFile(out / "freed.out"), listed);
    EXPECT_EQ(err("freed"), "");
    EXPECT_EQ(readFile(out / "freedkept.out"), "3\n");
}

}  // namespace
