#include "gamewin/board_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <vector>

#include "gamewin/board_view.h"

namespace tomelin {

namespace {

// Column names as the game's square names have them: a, b, c ... from the left.
QString columnName(int x) {
    return QString(QChar(static_cast<char16_t>(u'a' + x)));
}

// Row numbers count from the bottom row, 1 upwards.
QString rowName(int side, int y) {
    return QString::number(side - y);
}

// One cell of the board. It holds no state of its own: what it says is read from the view
// each time, so a cell is never out of date, and one that the board no longer has (a smaller
// board came) reports itself invalid.
class BoardCellInterface : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    BoardCellInterface(BoardView* view, CellPos cell) : m_view(view), m_cell(cell) {}

    bool isValid() const override {
        return m_view && m_cell.x < m_view->side() && m_cell.y < m_view->side();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_view ? m_view->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return m_view ? QAccessible::queryAccessibleInterface(m_view.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name || !isValid())
            return {};
        return m_view->cellText(m_cell);
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        if (!isValid())
            return {};
        const QRect local = m_view->cellArea(m_cell).toAlignedRect();
        return QRect(m_view->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.focusable = true;
        s.selectable = true;
        s.focused = m_view->hasFocus() && m_view->keyCell() == m_cell;
        s.selected = isSelected();
        s.invisible = !m_view->isVisible();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        return nullptr;
    }

    bool isSelected() const override { return m_view && m_view->selection() == m_cell; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_cell.x; }
    int rowIndex() const override { return m_cell.y; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    CellPos cell() const { return m_cell; }
    const BoardView* view() const { return m_view.data(); }

private:
    QPointer<BoardView> m_view;
    CellPos m_cell;
};

// The board: a table of side x side cells.
class BoardInterface : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit BoardInterface(BoardView* view) : QAccessibleWidget(view, QAccessible::Table) {}
    ~BoardInterface() override { forgetCells(); }
    BoardInterface(const BoardInterface&) = delete;
    BoardInterface& operator=(const BoardInterface&) = delete;

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    int childCount() const override { return side() * side(); }
    QAccessibleInterface* child(int index) const override {
        const int n = side();
        if (index < 0 || index >= n * n)
            return nullptr;
        return cellInterface(CellPos{index % n, index / n});
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr || child->role() != QAccessible::Cell)
            return -1;
        const auto* cell = static_cast<const BoardCellInterface*>(child);
        if (cell->view() != view() || !cell->isValid())
            return -1;
        return cell->cell().y * side() + cell->cell().x;
    }
    QAccessibleInterface* focusChild() const override {
        if (!view()->hasFocus())
            return nullptr;
        const std::optional<CellPos> cell = view()->keyCell();
        return cell ? cellInterface(*cell) : nullptr;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i) {
            QAccessibleInterface* c = child(i);
            if (c != nullptr && c->rect().contains(x, y))
                return c;
        }
        return nullptr;
    }

    // ---- the table ----
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        const int n = side();
        if (row < 0 || column < 0 || row >= n || column >= n)
            return nullptr;
        return cellInterface(CellPos{column, row});
    }
    int selectedCellCount() const override { return selectedCell() ? 1 : 0; }
    QList<QAccessibleInterface*> selectedCells() const override {
        if (const auto cell = selectedCell())
            return {cellInterface(*cell)};
        return {};
    }
    QString columnDescription(int column) const override { return columnName(column); }
    QString rowDescription(int row) const override { return rowName(side(), row); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return side(); }
    int rowCount() const override { return side(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override { forgetCells(); }

private:
    BoardView* view() const { return static_cast<BoardView*>(widget()); }
    int side() const { return view()->side(); }
    std::optional<CellPos> selectedCell() const {
        const std::optional<CellPos> cell = view()->selection();
        if (cell && cell->x >= 0 && cell->y >= 0 && cell->x < side() && cell->y < side())
            return cell;
        return std::nullopt;
    }

    // The cells are made when first asked for and kept (a reader keeps asking for the same
    // ones); a board of another side starts afresh.
    QAccessibleInterface* cellInterface(CellPos cell) const {
        const int n = side();
        if (n != m_cellsSide) {
            forgetCells();
            m_cellsSide = n;
            m_cells.assign(static_cast<std::size_t>(n * n), 0);
        }
        QAccessible::Id& id = m_cells[static_cast<std::size_t>(cell.y * n + cell.x)];
        if (id == 0)
            id = QAccessible::registerAccessibleInterface(new BoardCellInterface(view(), cell));
        return QAccessible::accessibleInterface(id);
    }
    void forgetCells() const {
        for (QAccessible::Id id : m_cells) {
            if (id != 0)
                QAccessible::deleteAccessibleInterface(id);
        }
        m_cells.clear();
        m_cellsSide = -1;
    }

    mutable std::vector<QAccessible::Id> m_cells;
    mutable int m_cellsSide = -1;
};

QAccessibleInterface* boardFactory(const QString& /*className*/, QObject* object) {
    if (auto* view = qobject_cast<BoardView*>(object))
        return new BoardInterface(view);
    return nullptr;
}

QAccessibleInterface* cellOf(BoardView& view, CellPos cell) {
    QAccessibleInterface* board = QAccessible::queryAccessibleInterface(&view);
    if (board == nullptr || board->tableInterface() == nullptr)
        return nullptr;
    return board->tableInterface()->cellAt(cell.y, cell.x);
}

// Sends `event` about one cell to a listening reader; nothing while none listens.
void tellReaderAboutCell(BoardView& view, CellPos cell, QAccessible::Event event) {
    if (!QAccessible::isActive())
        return;
    if (QAccessibleInterface* c = cellOf(view, cell)) {
        QAccessibleEvent told(c, event);
        QAccessible::updateAccessibility(&told);
    }
}

}  // namespace

void installBoardAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(boardFactory);
        return true;
    }();
    (void)installed;
}

void tellReaderCellFocused(BoardView& view, CellPos cell) {
    tellReaderAboutCell(view, cell, QAccessible::Focus);
}

void tellReaderCellChanged(BoardView& view, CellPos cell) {
    tellReaderAboutCell(view, cell, QAccessible::NameChanged);
}

void tellReaderBoardReset(BoardView& view) {
    if (!QAccessible::isActive())
        return;
    QAccessibleTableModelChangeEvent reset(&view, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&reset);
}

}  // namespace tomelin
