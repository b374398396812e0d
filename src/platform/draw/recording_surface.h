#pragma once
// A drawing surface that only records the primitives it is given, for tests.

#include <cstddef>
#include <vector>

#include "platform/draw/draw_surface.h"

namespace tomelin {

// Keeps every primitive call in order so tests can check counts, geometry and colours.
class RecordingSurface : public DrawSurface {
public:
    enum class Kind { FillBox, BoxOutline, Line, Ellipse, Refresh };
    struct Op {
        Kind kind = Kind::Refresh;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // ellipse: x1, y1 centre, x2 radius, y2 aspect
        Rgb colour = 0;
    };

    explicit RecordingSurface(Rgb background = 0) : m_background(background) {}

    void fillBox(double x1, double y1, double x2, double y2, Rgb colour) override;
    void boxOutline(double x1, double y1, double x2, double y2, Rgb colour) override;
    void line(double x1, double y1, double x2, double y2, Rgb colour) override;
    void ellipse(double cx, double cy, double radius, double aspect, Rgb colour) override;
    void refresh() override;
    Rgb backgroundColour() const override { return m_background; }

    const std::vector<Op>& ops() const { return m_ops; }
    std::size_t count(Kind kind) const;
    // The operations of one kind, in drawing order.
    std::vector<Op> only(Kind kind) const;
    void clear() { m_ops.clear(); }

private:
    std::vector<Op> m_ops;
    Rgb m_background;
};

}  // namespace tomelin
