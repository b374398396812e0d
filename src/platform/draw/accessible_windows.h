#pragma once
// The program's own top-level windows are windows to a screen reader: Qt gives a plain widget
// shown as a window the role of a client area ("filler" on Linux), so a reader would not
// announce its title when it comes up. Dialogs keep their own role.

namespace tomelin {

// Installed once, before the first window is shown; later calls do nothing.
void installWindowAccessibility();

}  // namespace tomelin
