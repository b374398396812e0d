#pragma once
// A small picture of a movement logic's reach: the token in the middle of a 5 x 5 patch of
// cells, its copy targets filled and its jump targets ringed, shown beside the logic options.

#include <QColor>
#include <QImage>

#include "core/directions.h"

namespace tomelin {

inline constexpr int kReachCells = 5;
// Fill of a copy target and ring of a jump target.
inline const QColor kCopyColour(255, 190, 120);
inline const QColor kJumpColour(30, 110, 220);

// The picture, `cell` pixels a cell (plus a one-pixel grid).
QImage reachDiagram(const Directions& directions, int cell = 12);

}  // namespace tomelin
