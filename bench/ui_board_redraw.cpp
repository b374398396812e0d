// Speed of the board drawing: the full redraw `Prekr` and one move's redraw.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "core/manual_timer_host.h"
#include "core/random.h"
#include "drawing/board_painter.h"
#include "gamewin/board_view.h"
#include "gamewin/game_window.h"
#include "gamewin/window_layout.h"
#include "platform/draw/image_surface.h"

namespace {

using namespace tomelin;

// The game window at 13/15 of a 1080-pixel screen with "Bitva" on it, at detail level 3.
struct BitvaWindow {
    ManualTimerHost timers;
    MtRandomSource random{1};
    GameWindow window{nullptr, &timers, &random};
    BoardView& board = *window.findChild<BoardView*>(QStringLiteral("PL"));

    explicit BitvaWindow(int shape2, const char* name2, int detail = 3) {
        timers.setHandler([this](GameTimer t) { window.game().onTimer(t); });
        window.setDetailLevel(detail);
        window.setWindowHeight(startHeight(1080));
        window.setPlayerStyle(2, PlayerStyle{rgb(75, 135, 255), shape2, kWhite});
        GameSetup setup;
        setup.board = findBuiltinBoard("Bitva")->boardString;
        setup.players = {playerNamed("Eva"), playerNamed(name2)};
        window.setBoardName(QStringLiteral("Bitva"));
        window.setGameSetup(setup);
        window.startGame();
        timers.fire(GameTimer::Start);
    }
};

void fullRedraw(benchmark::State& state, int shape2, const char* name2, int detail = 3) {
    BitvaWindow w(shape2, name2, detail);
    for (auto _ : state) {
        w.window.redrawBoard();
        benchmark::DoNotOptimize(w.board.image().constBits());
    }
    state.counters["cellH"] = w.board.cellH();
}

void BM_PrekrBitvaDetail3DefaultTokens(benchmark::State& state) {
    fullRedraw(state, kShapeOval, "Jan");
}
void BM_PrekrBitvaDetail3StarsAndMarks(benchmark::State& state) {
    // The most primitives a cell can take: four-ellipse stars with all three strength marks.
    fullRedraw(state, kShapeStar, "PC Génius");
}
// The stored default detail ("5" gives level 1), where the runs step farthest apart.
void BM_PrekrBitvaDetail1DefaultTokens(benchmark::State& state) {
    fullRedraw(state, kShapeOval, "Jan", 1);
}
void BM_PrekrBitvaDetail1StarsAndMarks(benchmark::State& state) {
    fullRedraw(state, kShapeStar, "PC Génius", 1);
}
BENCHMARK(BM_PrekrBitvaDetail1DefaultTokens)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrekrBitvaDetail1StarsAndMarks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrekrBitvaDetail3DefaultTokens)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrekrBitvaDetail3StarsAndMarks)->Unit(benchmark::kMillisecond);

// One move on "Bitva": the rings shown and cleared round the selected token, then the
// target, the source and two captured tokens drawn again.
void BM_OneMoveRedrawBitvaDetail3(benchmark::State& state) {
    const WindowLayout layout = layoutForHeight(startHeight(1080));
    ImageSurface picture(layout.board.width(), layout.board.height());
    MtRandomSource random{1};
    BoardPainter painter(picture, random);
    Board board;
    LoadBoardDescriptor(board, findBuiltinBoard("Bitva")->boardString + "1");
    painter.setGeometry(picture.width(), picture.height(), board.side());
    BoardLook look;
    look.detail = 3;
    look.styles[2] = PlayerStyle{rgb(75, 135, 255), kShapeStar, kWhite};
    look.kinds = {0, 0, 3};
    painter.drawAll(board, look);
    const Directions& dirs = Directions::star();
    Marks marks;
    for (int d = 0; d <= dirs.lastDir; ++d)
        marks.set(7 + dirs.dx[static_cast<std::size_t>(d)],
                  7 + dirs.dy[static_cast<std::size_t>(d)],
                  dirs.kind[static_cast<std::size_t>(d)] == Directions::kCopyKind ? Marks::kCopy
                                                                                  : Marks::kJump);
    const Marks none;
    for (auto _ : state) {
        painter.drawRings(board, marks, dirs, look.styles[1], 7, 7);
        painter.drawRings(board, none, dirs, look.styles[1], 7, 7);
        painter.drawCell(board, look, 8, 8);
        painter.drawCell(board, look, 7, 7);
        painter.drawCell(board, look, 9, 8);
        painter.drawCell(board, look, 9, 9);
        benchmark::DoNotOptimize(picture.image().constBits());
    }
}
BENCHMARK(BM_OneMoveRedrawBitvaDetail3)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
