#include "core/move_selection.h"

namespace tomelin {

Marks reachableMarks(const Position& position, Logic logic, CellPos cell) {
    Marks marks;
    if (position.at(cell.x, cell.y) != tokenOf(position.toMove()))
        return marks;
    const Directions& dirs = Directions::of(logic);
    for (int d = 0; d < dirs.count(); ++d) {
        const auto du = static_cast<std::size_t>(d);
        const bool copy = dirs.kind[du] == Directions::kCopyKind;
        const Move move{cell,
                        {cell.x + dirs.dx[du], cell.y + dirs.dy[du]},
                        copy ? MoveKind::Copy : MoveKind::Jump};
        if (position.isLegal(logic, move))
            marks.set(move.to.x, move.to.y, copy ? Marks::kCopy : Marks::kJump);
    }
    marks.set(cell.x, cell.y, Marks::kSelected);
    return marks;
}

bool MoveSelection::click(const Position& position, Logic logic, int x, int y,
                          GameObserver& observer, const std::function<void(const Move&)>& play) {
    if (m_state == 2)
        m_state = 0;

    bool made = false;
    if (m_state == 1) {
        const std::uint8_t m = m_marks.at(x, y);
        if (m == Marks::kJump || m == Marks::kCopy) {
            play({m_selected, {x, y}, m == Marks::kJump ? MoveKind::Jump : MoveKind::Copy});
            made = true;
        }
        m_state = (m == Marks::kSelected || made) ? 2 : 0;
        m_marks.clear();
        // `ShBrd` on the old selection: its cells lose their highlight.
        observer.ringsChanged(m_selected.x, m_selected.y);
        observer.selectionMarkerChanged(nullptr);
    }
    if (m_state != 0)
        return made;
    // Only the mover's own tokens can be selected; clicks off the board find no cell.
    if (position.at(x, y) != tokenOf(position.toMove()))
        return false;
    const CellPos cell{x, y};
    observer.selectionMarkerChanged(&cell);
    m_marks = reachableMarks(position, logic, cell);
    m_selected = cell;
    m_state = 1;
    observer.ringsChanged(x, y);
    return false;
}

void MoveSelection::cancel(GameObserver& observer) {
    const bool hadSelection = m_state == 1;
    m_marks.clear();
    m_state = 0;
    if (hadSelection) {
        observer.ringsChanged(m_selected.x, m_selected.y);
        observer.selectionMarkerChanged(nullptr);
    }
}

}  // namespace tomelin
