#include "platform/draw/recording_surface.h"

#include <algorithm>

namespace tomelin {

void RecordingSurface::fillBox(double x1, double y1, double x2, double y2, Rgb colour) {
    m_ops.push_back({Kind::FillBox, x1, y1, x2, y2, colour});
}

void RecordingSurface::boxOutline(double x1, double y1, double x2, double y2, Rgb colour) {
    m_ops.push_back({Kind::BoxOutline, x1, y1, x2, y2, colour});
}

void RecordingSurface::line(double x1, double y1, double x2, double y2, Rgb colour) {
    m_ops.push_back({Kind::Line, x1, y1, x2, y2, colour});
}

void RecordingSurface::ellipse(double cx, double cy, double radius, double aspect, Rgb colour) {
    m_ops.push_back({Kind::Ellipse, cx, cy, radius, aspect, colour});
}

void RecordingSurface::refresh() {
    m_ops.push_back({Kind::Refresh, 0, 0, 0, 0, 0});
}

std::size_t RecordingSurface::count(Kind kind) const {
    return static_cast<std::size_t>(std::count_if(
        m_ops.begin(), m_ops.end(), [kind](const Op& op) { return op.kind == kind; }));
}

std::vector<RecordingSurface::Op> RecordingSurface::only(Kind kind) const {
    std::vector<Op> result;
    std::copy_if(m_ops.begin(), m_ops.end(), std::back_inserter(result),
                 [kind](const Op& op) { return op.kind == kind; });
    return result;
}

}  // namespace tomelin
