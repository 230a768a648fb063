// Where the main window opens: its stored rectangle ("MainLeft", "MainTop", "MainWidth",
// "MainHeight", twips) when the user keeps it, else the middle of the screen; either way made
// usable on a screen, as a stored rectangle may be anything (a screen that is gone, a value edited
// by hand, a window closed while tiny).
#pragma once

#include <optional>

#include "platform/win/types.h"

namespace mainwindow {

// A window's outer rectangle in twips.
struct Placement {
  float left = 0;
  float top = 0;
  float width = 0;
  float height = 0;
};

// The smallest main window that still shows its whole menu bar and lines of text (twips).
constexpr float kMinimumWidth = 8100;
constexpr float kMinimumHeight = 5400;

// The stored rectangle when all four values are there as finite numbers and the size is
// positive; otherwise none (the window opens in the middle of the screen).
std::optional<Placement> StoredPlacement();

// `wanted` made to fit `work` (a screen's work area in pixels): at least the minimum size (unless
// the screen is smaller), at most the work area, and moved the least needed to lie wholly on it.
Placement FitToScreen(Placement wanted, const win::RECT& work);

// The work area of the screen nearest the middle of `wanted`.
win::RECT WorkAreaFor(const Placement& wanted);
// Whether any part of `wanted` lies on a screen (a stored rectangle of a screen that is gone does
// not).
bool OnAScreen(const Placement& wanted);

}  // namespace mainwindow
