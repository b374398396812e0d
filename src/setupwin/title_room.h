#pragma once
// How wide a window must be for the window manager to show its whole title.

#include <QString>

namespace tomelin {

// The width `title` takes in a bold version of the application's font (window managers draw
// titles bold and rarely larger), plus room for the window's icon and three title buttons.
int titleRoom(const QString& title);

}  // namespace tomelin
