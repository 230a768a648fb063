// Hooks for tests that run under a real X server (the xcb platform): what the X server holds for a
// window, and another client acting on the program's windows, as a window manager or a tool does.
#pragma once

#include <cstdint>

#include "platform/win/types.h"

namespace platform::testing {

// The X window of h's top-level window (0 when it has none).
std::uint32_t NativeWindowOnX11(win::HWND h);
// The X server has the window `id`.
bool ExistsOnX11(std::uint32_t id);
// The X window that h's top-level window's WM_TRANSIENT_FOR names (0 when it names none).
std::uint32_t TransientForOnX11(win::HWND h);
// Another client asks h's top-level window to close, as a window manager does for its close box.
void AskToCloseFromOutsideOnX11(win::HWND h);
// Another client has the X server tell h's top-level window that its whole area must be drawn anew.
void ExposeFromOutsideOnX11(win::HWND h);
// Another client destroys the X window of h's top-level window.
void DestroyFromOutsideOnX11(win::HWND h);
// Another client destroys the X window of the modal dialog shown now (a message box); false when
// none is shown.
bool DestroyModalDialogFromOutsideOnX11();
// The X window of the modal dialog shown now (0 when none is shown or it has no window yet).
std::uint32_t ModalWindowOnX11();
// The X window that has the keyboard focus, as the X server says (0 when none).
std::uint32_t FocusedWindowOnX11();
// A modal dialog of the toolkit (a message box) is shown.
bool ModalDialogShown();
// The modal dialog shown now, if any, is cancelled by the program (so a test that failed ends).
void CancelModalDialog();

}  // namespace platform::testing
