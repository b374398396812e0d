// The board's select-then-target clicks on their own, without a game: which cells a token
// may reach, and what each click does to the selection.

#include <gtest/gtest.h>

#include <tuple>

#include "core/move_selection.h"
#include "game_harness.h"

namespace tomelin {
namespace {

using namespace test;

Position positionOf(const char* rowsText, Player toMove) {
    return *Position::fromBoardString(rows(rowsText), toMove);
}

std::string marksText(const Marks& marks, int side) {
    std::string s;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x)
            s += static_cast<char>('0' + marks.at(x, y));
        s += '/';
    }
    return s;
}

// Counts what the board is told: ring redraws and marker moves (-1 for parked).
struct SelectionDisplay : GameObserver {
    std::vector<CellPos> rings;
    std::vector<int> markers;  // x of the marker, -1 when parked
    void ringsChanged(int x, int y) override { rings.push_back({x, y}); }
    void selectionMarkerChanged(const CellPos* cell) override {
        markers.push_back(cell ? cell->x : -1);
    }
};

TEST(ReachableMarks, MarksTheMoversTargetsAndNothingForOtherCells) {
    // Board, player to move, cell, logic, marks (1 jump, 2 copy, 3 the token itself).
    const std::tuple<const char*, Player, CellPos, Logic, const char*> cases[] = {
        {"+XX/XXX/XX-/", Player::One, {0, 0}, Logic::Star, "321/221/110/"},
        {"+XX/XXX/XX-/", Player::One, {0, 0}, Logic::Cross, "321/210/100/"},
        // Player two's token from player two's point of view.
        {"+XX/XXX/XX-/", Player::Two, {2, 2}, Logic::Star, "011/122/123/"},
        // A token of the player not to move, a free cell and a hole select nothing.
        {"+XX/XXX/XX-/", Player::Two, {0, 0}, Logic::Star, "000/000/000/"},
        {"+XX/XXX/XX-/", Player::One, {1, 1}, Logic::Star, "000/000/000/"},
        {"+0X/0XX/XX-/", Player::One, {1, 0}, Logic::Star, "000/000/000/"},
        // Holes and tokens block the targets but not the jumps over them.
        {"+0X/-XX/XX-/", Player::One, {0, 0}, Logic::Star, "301/021/110/"},
    };
    for (const auto& [board, toMove, cell, logic, expected] : cases) {
        SCOPED_TRACE(std::string(board) + " " + std::to_string(cell.x) + "," +
                     std::to_string(cell.y));
        const Position position = positionOf(board, toMove);
        EXPECT_EQ(marksText(reachableMarks(position, logic, cell), 3), expected);
    }
}

TEST(MoveSelection, EachClickSelectsCompletesOrEndsTheSelection) {
    const Position position = positionOf("+XX/XXX/XX-/", Player::One);
    // Clicks in order, then the state, the selected cell and the move made by the last click
    // ("" none, else "x,y>x,y copy|jump").
    const std::tuple<std::vector<CellPos>, int, CellPos, const char*> cases[] = {
        {{{0, 0}}, 1, {0, 0}, ""},
        {{{0, 0}, {1, 1}}, 2, {0, 0}, "0,0>1,1 copy"},
        {{{0, 0}, {2, 0}}, 2, {0, 0}, "0,0>2,0 jump"},
        // The selected token again: deselected, no move.
        {{{0, 0}, {0, 0}}, 2, {0, 0}, ""},
        // A cell that is no target: deselected.
        {{{0, 0}, {2, 2}}, 0, {0, 0}, ""},
        // From state 2 the next click on an own token selects again.
        {{{0, 0}, {0, 0}, {0, 0}}, 1, {0, 0}, ""},
        // The opponent's token, a free cell and a cell off the board select nothing.
        {{{2, 2}}, 0, {0, 0}, ""},
        {{{1, 2}}, 0, {0, 0}, ""},
        {{{-1, -1}}, 0, {0, 0}, ""},
    };
    for (const auto& [clicks, state, selected, move] : cases) {
        SCOPED_TRACE(::testing::PrintToString(clicks.size()) + " clicks, last " +
                     std::to_string(clicks.back().x) + "," + std::to_string(clicks.back().y));
        MoveSelection selection;
        SelectionDisplay display;
        std::string played;
        int plays = 0;
        for (const CellPos c : clicks) {
            played.clear();
            const bool made =
                selection.click(position, Logic::Star, c.x, c.y, display, [&](const Move& m) {
                    ++plays;
                    played = std::to_string(m.from.x) + "," + std::to_string(m.from.y) + ">" +
                             std::to_string(m.to.x) + "," + std::to_string(m.to.y) +
                             (m.kind == MoveKind::Copy ? " copy" : " jump");
                });
            EXPECT_EQ(made, !played.empty());
        }
        EXPECT_EQ(selection.state(), state);
        EXPECT_EQ(selection.selected(), selected);
        EXPECT_EQ(played, move);
        EXPECT_EQ(plays, std::string(move).empty() ? 0 : 1);
        // Marks exist only while a token is selected.
        EXPECT_EQ(selection.marks().at(0, 0) == Marks::kSelected, state == 1);
    }
}

TEST(MoveSelection, TheMoveIsPlayedWhileTheSelectionIsStillShown) {
    const Position position = positionOf("+XX/XXX/XX-/", Player::One);
    MoveSelection selection;
    SelectionDisplay display;
    selection.click(position, Logic::Star, 0, 0, display, [](const Move&) {});
    ASSERT_EQ(display.markers, (std::vector<int>{0}));
    int stateDuringPlay = -1;
    std::size_t markersDuringPlay = 0;
    selection.click(position, Logic::Star, 1, 1, display, [&](const Move&) {
        stateDuringPlay = selection.state();
        markersDuringPlay = display.markers.size();
    });
    EXPECT_EQ(stateDuringPlay, 1);
    EXPECT_EQ(markersDuringPlay, 1u);  // parked only after the move
    EXPECT_EQ(display.markers, (std::vector<int>{0, -1}));
    // Rings drawn on selecting and cleared after the move, both around the token.
    EXPECT_EQ(display.rings, (std::vector<CellPos>{{0, 0}, {0, 0}}));
}

TEST(MoveSelection, CancelClearsAnOpenSelectionAndTellsOnlyThen) {
    const Position position = positionOf("+XX/XXX/XX-/", Player::One);
    for (const bool open : {true, false}) {
        SCOPED_TRACE(open);
        MoveSelection selection;
        SelectionDisplay display;
        if (open)
            selection.click(position, Logic::Star, 0, 0, display, [](const Move&) {});
        const std::size_t before = display.rings.size();
        selection.cancel(display);
        EXPECT_EQ(selection.state(), 0);
        EXPECT_EQ(selection.marks().at(1, 1), Marks::kNone);
        EXPECT_EQ(display.rings.size() - before, open ? 1u : 0u);
        EXPECT_EQ(display.markers.empty() ? 0 : display.markers.back(), open ? -1 : 0);
    }
}

}  // namespace
}  // namespace tomelin
