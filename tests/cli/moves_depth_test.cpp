// `moves --depth` for the searching strength: a depth the search cannot finish in reasonable
// time is refused at once, naming the depths that do run; a game that ends within the depth
// is searched to its end whatever the depth.

#include <gtest/gtest.h>

#include <chrono>

#include "cli/run_tool.h"

namespace {

const std::string kOriginal = "+XXXXXXXXX-" + std::string(99, 'X') + "-XXXXXXXXX+";

TEST(CliMovesDepth, ADepthThatCannotFinishIsRefusedAtOnce) {
    for (const char* depth : {"12", "20", "60"}) {
        SCOPED_TRACE(depth);
        const auto started = std::chrono::steady_clock::now();
        const CliRun r = runTool({"moves", "--board-string", kOriginal, "--player", "1",
                                  "--strength", "4", "--depth", depth});
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("depth " + std::string(depth) + " would search about"),
                  std::string::npos)
            << r.err;
        EXPECT_NE(r.err.find("depths up to "), std::string::npos);
        EXPECT_EQ(r.out, "");
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(30));
    }
    const CliRun shallow = runTool({"moves", "--board-string", kOriginal, "--player", "1",
                                    "--strength", "4", "--depth", "4"});
    ASSERT_EQ(shallow.status, 0) << shallow.err;
    EXPECT_EQ(shallow.out.rfind("master ", 0), 0u);
    EXPECT_NE(shallow.out.find(" depth 4 "), std::string::npos) << shallow.out;
    // Two free cells: the game ends within two moves, so any depth finishes.
    const CliRun ending = runTool({"moves", "--board-string", "++-+X-X--", "--player", "1",
                                   "--strength", "4", "--depth", "60"});
    EXPECT_EQ(ending.status, 0) << ending.err;
}

}  // namespace
