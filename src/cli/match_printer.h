#pragma once
// What `tomelin-cli play` prints of a game as it goes: one line per move (or, with --show, a
// readable board after each), the moves in the protocol's notation for the PGN file, and
// the kept game after every turn change.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_text.h"
#include "cli/game_keeping.h"
#include "core/fen.h"
#include "core/game.h"

namespace tomelin::cli {

// Column letter and row number of a cell, as a person reads the board ("c4").
inline std::string cellName(CellPos c) {
    std::string name(1, static_cast<char>('a' + c.x));
    name.append(std::to_string(c.y + 1));
    return name;
}

// Prints the record lines of a match and, with --show, a readable picture of the board.
class MatchPrinter : public GameObserver {
public:
    MatchPrinter(std::ostream& out, const Game& game, bool show)
        : m_out(out), m_game(game), m_show(show) {}

    // The game is kept after every turn change; the lines then reach the stream at once, so
    // that what was printed never runs ahead of what was kept by more than one move.
    void keepWith(GameKeeping* keeping, std::ostream* err) {
        m_keeping = keeping;
        m_err = err;
    }
    // A resumed game counts on from its moves made.
    void setMoves(int moves) { m_moves = moves; }
    bool keepFailed() const { return m_keepFailed; }

    void turnChanged(Player) override {
        if (m_keeping && !m_keepFailed && !m_game.gameOver())
            m_keepFailed = !m_keeping->keep(m_game, *m_err);
    }

    void moveMade(Player mover, CellPos source, CellPos target) override {
        const int player = number(mover);
        ++m_moves;
        const bool copy = m_game.lastMove() && m_game.lastMove()->kind == MoveKind::Copy;
        m_moveTexts.push_back(moveText(m_game.position().side(),
                                       {source, target, copy ? MoveKind::Copy : MoveKind::Jump}));
        if (!m_show) {  // the move line: machine-read, not translated
            m_out << "move " << m_moves << ' ' << player << ' ' << source.x << ' ' << source.y
                  << ' ' << target.x << ' ' << target.y << '\n';
            if (m_keeping)
                m_out.flush();
            return;
        }
        m_out << cliArgs(
                     copy ? cliTr("show", "Move %1: %2 (%3) copies %4 -> %5")
                          : cliTr("show", "Move %1: %2 (%3) jumps %4 -> %5"),
                     {std::to_string(m_moves), m_game.setup().player(mover).name,
                      std::string(1, symbol(tokenOf(mover))), cellName(source), cellName(target)})
              << '\n';
        drawBoard();
    }
    void freeCellsFilled(Player stuck, int cells) override {
        const int stuckPlayer = number(stuck);
        const int receiver = number(opponent(stuck));
        // The PGN's comment is machine-read, not translated.
        m_fill = "player " + std::to_string(stuckPlayer) + " cannot move: " + std::to_string(cells) +
                 " free cells go to player " + std::to_string(receiver);
        if (!m_show) {
            m_out << "fill " << stuckPlayer << ' ' << cells << '\n';
            return;
        }
        m_out << cliArgs(cliTr("show", "Player %1 cannot move: %2 free cells go to player %3"),
                         {std::to_string(stuckPlayer), std::to_string(cells),
                          std::to_string(receiver)})
              << '\n';
        drawBoard();
    }
    void gameEnded(int, int, int) override { m_ended = true; }

    int moves() const { return m_moves; }
    // This game's moves in the standard notation, and the fill that ended it, if one did.
    const std::vector<std::string>& moveTexts() const { return m_moveTexts; }
    const std::string& fill() const { return m_fill; }
    bool ended() const { return m_ended; }

    void drawBoard() {
        const Board b = m_game.position().toBoard();
        const int n = b.side();
        m_out << "     ";
        for (int x = 0; x < n; ++x)
            m_out << static_cast<char>('a' + x) << ' ';
        m_out << '\n';
        for (int y = 0; y < n; ++y) {
            m_out << "  " << (y + 1 < 10 ? " " : "") << y + 1 << ' ';
            for (int x = 0; x < n; ++x)
                m_out << symbol(b.at(x, y)) << ' ';
            m_out << '\n';
        }
        const auto c = b.count();
        m_out << "  +: " << c.tokens1 << "  -: " << c.tokens2 << "  " << cliTr("show", "free:")
              << " " << c.free << "\n";
        // The notation's name, the same in every language: not translated.
        m_out << "  FEN: " << writeFen(m_game.position()) << "\n\n";
    }

private:
    static char symbol(std::uint8_t code) {
        switch (code) {
            case kFreeCell:
                return '.';
            case kToken1:
                return '+';
            case kToken2:
                return '-';
            default:
                return ' ';
        }
    }

    std::ostream& m_out;
    const Game& m_game;
    bool m_show;
    int m_moves = 0;
    bool m_ended = false;
    GameKeeping* m_keeping = nullptr;
    std::ostream* m_err = nullptr;
    bool m_keepFailed = false;
    std::vector<std::string> m_moveTexts;
    std::string m_fill;
};

}  // namespace tomelin::cli
