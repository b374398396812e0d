#pragma once
// The board picture `PL`: the persistent cell drawing plus the move markers laid over it and
// a cell cursor of its own that the keyboard steers.

#include <QCursor>
#include <QTimer>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "core/ports.h"
#include "platform/draw/picture_box.h"

namespace tomelin {

// The markers (`Shape1`, `Shape2`, `Shape3`, `Line1`) are not part of the picture: they lie
// over it like the design's frame and line controls, so moving them never touches the cells.
class BoardView : public PictureBox {
    Q_OBJECT
public:
    explicit BoardView(QWidget* parent = nullptr);

    // Cell size of the last full redraw; markers and the key cursor use it.
    void setCellSize(double cellW, double cellH);
    double cellW() const { return m_cellW; }
    double cellH() const { return m_cellH; }

    // `Shape3` (selected token); nothing parks it off the board.
    void setSelection(std::optional<CellPos> cell);
    // `Shape1` (last move's source) and `Shape2` (its target).
    void setLastMove(std::optional<CellPos> source, std::optional<CellPos> target);
    std::optional<CellPos> selection() const { return m_selection; }
    // The hint: its token and its target get their own dashed frames.
    void setHint(std::optional<CellPos> source, std::optional<CellPos> target);
    std::optional<CellPos> hintSource() const { return m_hintSource; }
    std::optional<CellPos> hintTarget() const { return m_hintTarget; }
    std::optional<CellPos> lastSource() const { return m_lastSource; }
    std::optional<CellPos> lastTarget() const { return m_lastTarget; }
    // `Line1(0..2)`: the capture ray between two cell centres, or parked. The game lays it on
    // each captured token and parks it in one go, before anything is painted, so the rays
    // of one move stay on the board for `rayHoldMs` after parking: long enough to be seen.
    void setRay(CellPos from, CellPos to);
    void parkRay();
    // Every ray away at once, the held ones too (a new board).
    void clearRays();
    static constexpr int kRayHoldMs = 400;
    void setRayHold(int ms) { m_rayHoldMs = ms; }
    bool rayShown() const { return m_ray.has_value() || !m_heldRays.empty(); }
    // The rays still shown after parking, as (target, captured token).
    const std::vector<std::array<CellPos, 2>>& heldRays() const { return m_heldRays; }
    void setRayColours(const std::array<Rgb, 3>& colours) { m_rayColours = colours; }
    void setRayWidths(const std::array<int, 3>& widths) { m_rayWidths = widths; }
    const std::array<Rgb, 3>& rayColours() const { return m_rayColours; }
    const std::array<int, 3>& rayWidths() const { return m_rayWidths; }

    // The key cursor, in picture pixels (it starts in the middle of the board).
    QPoint keyCursor() const { return m_cursor; }
    void setKeyCursor(QPoint p) {
        m_cursor = clampToPicture(p);
        update();
    }
    // Whether the key cursor is drawn: from a steering key until the mouse pointer moves
    // (anywhere on the screen), the pointer crosses the board, the board loses the keyboard
    // or a new board is laid (hideKeyCursor).
    bool keyCursorShown() const { return m_cursorShown; }
    void hideKeyCursor();
    // Asked at each key press: whether a person is to move ("H" and "Z" count only then).
    void setPersonToMove(std::function<bool()> query) { m_personToMove = std::move(query); }

    // ---- what a screen reader finds of the board (board_accessible.h) ----
    // The board's side: side x side cells (0 before the first board).
    void setSide(int side);
    int side() const { return m_side; }
    // What a cell says to a reader: its square and what stands on it.
    void setCellText(std::function<QString(CellPos)> text) { m_cellText = std::move(text); }
    QString cellText(CellPos cell) const { return m_cellText ? m_cellText(cell) : QString(); }
    // What stands on `cell` changed.
    void cellContentChanged(CellPos cell);
    // The cell under the key cursor, if the board has cells.
    std::optional<CellPos> keyCell() const;
    // Where `cell` lies on the picture.
    QRectF cellArea(CellPos c) const { return cellRect(c); }

signals:
    // "H": show or hide the music window; "Z": take back a full move.
    void musicKey();
    void takeBackKey();
    // "N": a hint; "Y": redo what "Z" took back.
    void hintKey();
    void redoKey();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QPoint clampToPicture(QPoint p) const;
    QRectF cellRect(CellPos c) const;

    double m_cellW = 1;
    double m_cellH = 1;
    std::optional<CellPos> m_selection;
    std::optional<CellPos> m_hintSource;
    std::optional<CellPos> m_hintTarget;
    std::optional<CellPos> m_lastSource;
    std::optional<CellPos> m_lastTarget;
    std::optional<std::array<CellPos, 2>> m_ray;
    std::vector<std::array<CellPos, 2>> m_heldRays;
    std::array<Rgb, 3> m_heldColours{};
    int m_rayHoldMs = kRayHoldMs;
    QTimer* m_rayHold = nullptr;
    std::array<Rgb, 3> m_rayColours{rgb(255, 255, 0), rgb(255, 128, 0), rgb(255, 0, 0)};
    std::array<int, 3> m_rayWidths{1, 1, 1};
    QPoint m_cursor;
    bool m_cursorShown = false;
    // While the key cursor is drawn: where the mouse pointer was when it was last steered.
    QPoint m_pointerAtKey;
    QTimer* m_pointerWatch = nullptr;
    std::function<bool()> m_personToMove;
    int m_side = 0;
    std::function<QString(CellPos)> m_cellText;
};

// The Windows virtual-key code the game's key steering understands for a Qt key event
// (arrows 37-40, keypad digits 96-105, Insert 45, Space 32, H 72, Z 90), or 0.
int steeringKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);

}  // namespace tomelin
