#pragma once
// Small helpers the game window's parts share: labels, text colours and the dark panels
// over the board.

#include <QFrame>
#include <QLabel>

#include "core/ports.h"
#include "platform/draw/image_surface.h"

namespace tomelin {

// A label that lets mouse events through, in `pointSize` points.
QLabel* makePartLabel(QWidget* parent, Qt::Alignment align, int pointSize, bool bold,
                      const QString& name);
void setTextColour(QLabel& label, Rgb colour);
void setBold(QLabel& label, bool bold);
// The dark rounded panel the result and the thinking indicator sit on; `name` is its object
// name, which its style sheet is keyed to.
void stylePanel(QFrame& panel, const QString& name);
// Nearest whole pixel.
int px(double v);

}  // namespace tomelin
