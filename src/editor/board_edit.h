#pragma once
// The board editor's model, free of any window toolkit: the editing grid `EDM` fills, the
// current tool, painting with clamping and the mirror "Zrcadlo", the side 6 to 15, and the
// checks a board must pass before it is saved.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tomelin {

// Editor cell codes. They differ from the game's cell codes: one small number per kind of
// cell the user can paint, in the order the right mouse button cycles through them.
enum class EditCell : std::uint8_t {
    NoCell = 0,   // "0": not part of the board
    Free = 1,     // "X": a free cell
    Player1 = 2,  // "+": a starting token of player 1
    Player2 = 3,  // "-": a starting token of player 2
};

// Why a board may not be saved; the checks run in this order and the first failure wins.
enum class BoardRefusal {
    NoFreeCell,
    NoPlayer1Token,
    NoPlayer2Token,
};

// The Czech message shown under the title "Nelze uložit" for a refusal.
const char* boardRefusalText(BoardRefusal refusal);

// A cell of the editing grid, column first.
struct EditPos {
    int column = 0;
    int row = 0;
    bool operator==(const EditPos&) const = default;
};

// The editing grid of one open editor: 25 x 25 cells of which the top-left side x side
// square is the board. Cells outside that square keep their codes, so shrinking the board
// and growing it again brings them back.
class BoardEdit {
public:
    static constexpr int kGridSize = 25;
    static constexpr int kMinSide = 6;
    static constexpr int kMaxSide = 15;

    BoardEdit();

    // `EDM`: fills the whole grid with free cells, then copies the board string into the
    // top-left square and makes the free-cell tool current. The editor makes boards of side
    // 6 to 15; a stored board of another side (2 to 16, made elsewhere) is edited at its own
    // side, which then joins the range, so that saving it unchanged writes it back unchanged.
    // A string that is not a board string (n * n characters of "0X+-") leaves an all-free
    // grid of the current side and returns false.
    bool load(std::string_view boardString);

    int side() const { return m_side; }
    // The sides the spinner offers: 6 to 15, widened to the loaded board's side.
    int minSide() const { return m_minSide; }
    int maxSide() const { return m_maxSide; }
    // The spinner's arrows (`HScroll1`): one step smaller or larger, never leaving
    // minSide() to maxSide(). Return whether the side changed.
    bool shrink();
    bool grow();

    EditCell at(int column, int row) const;
    // The current tool: the kind of cell the left mouse button paints.
    EditCell tool() const { return m_tool; }
    void setTool(EditCell tool) { m_tool = tool; }
    // Right mouse button: the next tool in the cycle 0, 1, 2, 3, 0, ...
    EditCell cycleTool();

    // The mirror option "Zrcadlo".
    bool mirror() const { return m_mirror; }
    void setMirror(bool on) { m_mirror = on; }

    // The board cell under a point of a canvas of the given size in pixels, clamped into the
    // board so that a drag beyond the canvas paints the border cells.
    EditPos cellAt(double x, double y, double canvasWidth, double canvasHeight) const;

    // Paints the current tool into a cell (clamped into the board) and, with the mirror on,
    // into the cell opposite through the board's centre with the players' tokens exchanged.
    // Returns the cells whose code changed, in the order they changed, for redrawing.
    std::vector<EditPos> paint(EditPos cell);

    // The board string of the side x side square, row by row from the top.
    std::string boardString() const;

    // The three save checks in order; nothing when the board may be saved.
    std::optional<BoardRefusal> saveRefusal() const;

private:
    bool paintOne(int column, int row, EditCell code);

    std::array<EditCell, kGridSize * kGridSize> m_cells{};
    int m_side = kMinSide;
    int m_minSide = kMinSide;
    int m_maxSide = kMaxSide;
    EditCell m_tool = EditCell::Free;
    bool m_mirror = true;
};

// A position written as FEN (x, o, holes as '-') as the board string the editor loads; the
// side to move and the counters are not part of a board. Empty when the text is no FEN.
std::string boardStringFromFen(std::string_view fen);

// The board string character of an editor cell code, and back; a character outside "0X+-"
// has no code.
char editCellChar(EditCell code);
std::optional<EditCell> editCellFromChar(char c);

}  // namespace tomelin
