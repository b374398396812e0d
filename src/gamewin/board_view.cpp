#include "gamewin/board_view.h"

#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

#include "gamewin/board_accessible.h"
#include "gamewin/game_texts.h"
#include "gamewin/key_steering.h"
#include "platform/draw/image_surface.h"

namespace tomelin {

namespace {
constexpr Rgb kSourceFrame = rgb(128, 128, 128);
constexpr Rgb kTargetFrame = rgb(192, 192, 192);
}  // namespace

BoardView::BoardView(QWidget* parent) : PictureBox(parent, rgb(0, 0, 0)) {
    installBoardAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    m_rayHold = new QTimer(this);
    m_rayHold->setSingleShot(true);
    connect(m_rayHold, &QTimer::timeout, this, [this] {
        m_heldRays.clear();
        update();
    });
    // The pointer may move where the board gets no events (outside it, or over a disabled
    // board): it is looked at a few times a second while the key cursor shows.
    m_pointerWatch = new QTimer(this);
    m_pointerWatch->setInterval(150);
    connect(m_pointerWatch, &QTimer::timeout, this, [this] {
        if (QCursor::pos() != m_pointerAtKey)
            hideKeyCursor();
    });
}

void BoardView::hideKeyCursor() {
    m_pointerWatch->stop();
    if (!m_cursorShown)
        return;
    m_cursorShown = false;
    update();
}

void BoardView::enterEvent(QEnterEvent* event) {
    hideKeyCursor();
    PictureBox::enterEvent(event);
}

void BoardView::leaveEvent(QEvent* event) {
    hideKeyCursor();
    PictureBox::leaveEvent(event);
}

void BoardView::focusInEvent(QFocusEvent* event) {
    PictureBox::focusInEvent(event);
    // After the board itself, a reader hears the cell the keyboard would start from.
    if (const auto cell = keyCell())
        tellReaderCellFocused(*this, *cell);
}

void BoardView::focusOutEvent(QFocusEvent* event) {
    hideKeyCursor();
    PictureBox::focusOutEvent(event);
}

void BoardView::setSide(int side) {
    if (side == m_side)
        return;
    m_side = side;
    tellReaderBoardReset(*this);
}

void BoardView::cellContentChanged(CellPos cell) {
    tellReaderCellChanged(*this, cell);
}

std::optional<CellPos> BoardView::keyCell() const {
    const std::optional<CellPos> cell = cellAt(m_cursor.x(), m_cursor.y(), m_cellW, m_cellH);
    if (!cell || m_side <= 0)
        return std::nullopt;
    return CellPos{std::clamp(cell->x, 0, m_side - 1), std::clamp(cell->y, 0, m_side - 1)};
}

void BoardView::setCellSize(double cellW, double cellH) {
    m_cellW = cellW;
    m_cellH = cellH;
    update();
}

void BoardView::setSelection(std::optional<CellPos> cell) {
    m_selection = cell;
    update();
}

void BoardView::setHint(std::optional<CellPos> source, std::optional<CellPos> target) {
    m_hintSource = source;
    m_hintTarget = target;
    update();
}

void BoardView::setLastMove(std::optional<CellPos> source, std::optional<CellPos> target) {
    m_lastSource = source;
    m_lastTarget = target;
    update();
}

void BoardView::setRay(CellPos from, CellPos to) {
    if (!m_ray) {
        // The first ray of a new move replaces what an earlier move left showing.
        m_heldRays.clear();
        m_rayHold->stop();
    }
    m_ray = std::array<CellPos, 2>{from, to};
    m_heldRays.push_back(*m_ray);
    m_heldColours = m_rayColours;
    update();
}

void BoardView::parkRay() {
    m_ray.reset();
    if (m_rayHoldMs > 0 && !m_heldRays.empty()) {
        m_rayHold->start(m_rayHoldMs);
    } else {
        m_rayHold->stop();
        m_heldRays.clear();
    }
    update();
}

void BoardView::clearRays() {
    m_ray.reset();
    m_rayHold->stop();
    m_heldRays.clear();
    update();
}

QRectF BoardView::cellRect(CellPos c) const {
    return QRectF(c.x * m_cellW, c.y * m_cellH, m_cellW, m_cellH);
}

QPoint BoardView::clampToPicture(QPoint p) const {
    return QPoint(std::clamp(p.x(), 0, std::max(0, width() - 1)),
                  std::clamp(p.y(), 0, std::max(0, height() - 1)));
}

void BoardView::resizeEvent(QResizeEvent* event) {
    PictureBox::resizeEvent(event);
    m_cursor = QPoint(width() / 2, height() / 2);
    hideKeyCursor();
}

void BoardView::paintEvent(QPaintEvent* event) {
    PictureBox::paintEvent(event);
    QPainter p(this);
    const auto frame = [&p, this](std::optional<CellPos> cell, Rgb colour, int width) {
        if (!cell)
            return;
        const QRectF r = cellRect(*cell);
        const double half = width / 2.0;
        p.setPen(QPen(toQColor(colour), width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(half, half, -half, -half));
    };
    frame(m_lastSource, kSourceFrame, 3);
    frame(m_lastTarget, kTargetFrame, 3);
    frame(m_selection, kWhite, 1);
    // The hint, unlike the thin white selection: dashed, thick, cyan on the token and
    // yellow on its target.
    const auto dashed = [&p, this](std::optional<CellPos> cell, QColor colour) {
        if (!cell)
            return;
        p.setPen(QPen(colour, 3, Qt::DashLine, Qt::FlatCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawRect(cellRect(*cell).adjusted(4, 4, -4, -4));
    };
    dashed(m_hintSource, QColor(0, 230, 255));
    dashed(m_hintTarget, QColor(255, 230, 0));
    for (const auto& ray : m_heldRays) {
        const QPointF a = cellRect(ray[0]).center();
        const QPointF b = cellRect(ray[1]).center();
        for (std::size_t i = 0; i < 3; ++i) {
            p.setPen(QPen(toQColor(m_heldColours[i]), m_rayWidths[i], Qt::SolidLine, Qt::RoundCap));
            p.drawLine(a, b);
        }
    }
    if (m_cursorShown && isEnabled()) {
        // The key cursor: a dotted frame on the cell that Space would click and a small
        // cross on its exact point (four key presses make one cell). Unlike a pointer it
        // cannot be taken for the mouse's.
        const auto cell = cellAt(m_cursor.x(), m_cursor.y(), m_cellW, m_cellH);
        if (cell) {
            const QRectF r = cellRect(*cell).adjusted(2, 2, -2, -2);
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(Qt::black, 3));
            p.drawRect(r);
            p.setPen(QPen(QColor(255, 220, 0), 2, Qt::DotLine));
            p.drawRect(r);
        }
        const QPointF t = m_cursor;
        p.setPen(QPen(Qt::black, 3));
        p.drawLine(t - QPointF(5, 0), t + QPointF(5, 0));
        p.drawLine(t - QPointF(0, 5), t + QPointF(0, 5));
        p.setPen(QPen(QColor(255, 220, 0), 1));
        p.drawLine(t - QPointF(4, 0), t + QPointF(4, 0));
        p.drawLine(t - QPointF(0, 4), t + QPointF(0, 4));
    }
}

void BoardView::mouseMoveEvent(QMouseEvent* event) {
    // The mouse takes over: the key cursor starts from where the pointer is.
    m_cursor = clampToPicture(event->position().toPoint());
    hideKeyCursor();
    PictureBox::mouseMoveEvent(event);
}

void BoardView::keyPressEvent(QKeyEvent* event) {
    const bool personKey = m_personToMove ? m_personToMove() : false;
    if (personKey && event->modifiers() == Qt::NoModifier &&
        (event->key() == Qt::Key_N || event->key() == Qt::Key_Y)) {
        if (event->key() == Qt::Key_N)
            emit hintKey();
        else
            emit redoKey();
        event->accept();
        return;
    }
    const int code = steeringKeyCode(event->key(), event->modifiers());
    if (code == 0) {
        PictureBox::keyPressEvent(event);
        return;
    }
    const bool person = m_personToMove ? m_personToMove() : false;
    const std::optional<CellPos> cellBefore = keyCell();
    const KeySteering s = steerKey(code, m_cursor.x(), m_cursor.y(), m_cellW, m_cellH, person);
    m_cursor = clampToPicture(QPoint(s.x, s.y));
    // Only the keys that steer or click show where the keyboard is; "H" and "Z" do not.
    if (!s.toggleMusic && !s.takeBack) {
        m_cursorShown = true;
        m_pointerAtKey = QCursor::pos();
        m_pointerWatch->start();
        update();
    }
    // A reader hears the cursor's cell when the cursor crosses into another one (an arrow
    // moves it a quarter of a cell).
    if (const auto cell = keyCell(); cell && cell != cellBefore)
        tellReaderCellFocused(*this, *cell);
    if (s.click)
        emit pressed(QPointF(m_cursor), Qt::LeftButton);
    if (s.toggleMusic)
        emit musicKey();
    if (s.takeBack)
        emit takeBackKey();
    event->accept();
}

int steeringKeyCode(int qtKey, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (keypad) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
            return 96 + (qtKey - Qt::Key_0);
        // The keypad with Num Lock off sends navigation keys.
        switch (qtKey) {
            case Qt::Key_Home:
                return 103;
            case Qt::Key_Up:
                return 104;
            case Qt::Key_PageUp:
                return 105;
            case Qt::Key_Left:
                return 100;
            case Qt::Key_Clear:
                return 101;
            case Qt::Key_Right:
                return 102;
            case Qt::Key_End:
                return 97;
            case Qt::Key_Down:
                return 98;
            case Qt::Key_PageDown:
                return 99;
            case Qt::Key_Insert:
                return 96;
            default:
                break;
        }
    }
    switch (qtKey) {
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Space:
            return 32;
        case Qt::Key_H:
            return 72;
        case Qt::Key_Z:
            return 90;
        default:
            return 0;
    }
}

}  // namespace tomelin
