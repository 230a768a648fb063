// Hooks for tests of code that stands on the window layer: no test waits for real time or needs a
// second process's window.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/testing/picture.h"
#include "platform/win/types.h"

namespace platform::testing {

// A window of another process: in the table, answering IsWindow, but not local.
win::HWND CreateForeignWindow();

// Runs a timer's tick now, as the event loop would when it falls due.
void FireTimer(win::HWND h, win::UINT_PTR id);
bool TimerExists(win::HWND h, win::UINT_PTR id);
// The identifier of the most recently started thread timer, or 0.
win::UINT_PTR LastThreadTimerId();

}  // namespace platform::testing

namespace platform::testing {

// Input as the user gives it, delivered through the toolkit to the window's widget. Coordinates are
// client pixels; buttons are MK_LBUTTON, MK_RBUTTON or MK_MBUTTON; modifiers are MK_SHIFT and
// MK_CONTROL, plus kAlt.
constexpr int kAlt = 0x1000;
void MouseDown(win::HWND h, int x, int y, int button = 1, int modifiers = 0);
void MouseUp(win::HWND h, int x, int y, int button = 1, int modifiers = 0);
void Click(win::HWND h, int x, int y, int button = 1, int modifiers = 0);
// With a button given, the button is held while the mouse moves (a drag). Mouse input puts the
// pointer where it happens (GetCursorPos reports it).
void MouseMove(win::HWND h, int x, int y, int button = 0);
// A key press and release of a virtual key (letters 'A'..'Z', digits, VK_RETURN, VK_ESCAPE, VK_RMENU
// for AltGr, ...), typing `text` when given (a Cyrillic layout types "ж" on the key of 'A'), else
// what a US layout types on that key. KeyClick holds the modifier keys down around the key, as the
// user does; KeyDown and KeyUp give the one key with the modifiers as held.
void KeyClick(win::HWND h, int vk, int modifiers = 0, const std::u16string& text = {});
void KeyDown(win::HWND h, int vk, int modifiers = 0, const std::u16string& text = {});
void KeyUp(win::HWND h, int vk, int modifiers = 0, const std::u16string& text = {});
// A key as the X server reports it, for the keyboard path that reads X's own key codes: `key` is
// the key's name on a US keyboard as xte gives it ("Alt_L", "Shift_L", "Control_L", "Super_L",
// "space", "Escape", "Return", "Left", "Right", "Up", "Down", "a".."z"); `groupSwitch` when a layout
// option makes the key XKB's group switch (ISO_Next_Group) instead; `group` the keyboard group (layout)
// in force before the key; `modifiers` as held (MK_SHIFT, MK_CONTROL, kAlt, kWin). The text typed is
// the US letter in group 0 and the Russian letter of the same key in group 1.
constexpr int kWin = 0x2000;
void XKeyDown(win::HWND h, const std::string& key, int modifiers, int group, bool groupSwitch = false);
void XKeyUp(win::HWND h, const std::string& key, int modifiers, int group, bool groupSwitch = false);
// Forgets the keys held and goes back to the first layout: what a keyboard test leaves behind.
void ResetKeyboard();
// Shows a window and waits until the toolkit has exposed it.
void ShowAndWait(win::HWND h);
// The application loses or regains activation (another application takes the keyboard).
void SetApplicationActive(bool active);
// The desktop's colours, theme or fonts change.
void ChangeDesktopSettings();
// A picture of what the screen shows over the area (screen pixels): the shown top-level windows,
// menus and their shadows included, each where it stands. SaveScreenPicture writes it to a PNG
// file (false when the file cannot be written).
Picture ScreenPicture(const win::RECT& area);
bool SaveScreenPicture(const win::RECT& area, const std::u16string& path);

}  // namespace platform::testing

namespace platform::testing {

// A click that arrives through the event loop: it happens the next time pending events run (while
// a progress bar pumps them, say), not now.
void PostClick(win::HWND h, int x, int y);
// The same for anything a test does: `action` runs the next time pending events run.
void PostAction(std::function<void()> action);

}  // namespace platform::testing

namespace platform::testing {

// Follows the widget behind a window, which may outlive the window's handle: a window destroyed
// while it handles its own event keeps its widget until control returns to the event loop.
int WatchWidget(win::HWND h);
bool WidgetAlive(int watch);

// The user closes the top-level window of h (its title bar's close button).
void CloseByUser(win::HWND h);

// Every text an accessibility tool reads from the window h and from everything inside it, shown or
// not: names, values (the content of a box) and descriptions.
std::vector<std::u16string> AccessibleTexts(win::HWND h);

// The top-level window of h shows the busy (hourglass) pointer.
bool ShowsBusyPointer(win::HWND h);
// The window h itself shows the desktop's hand pointer.
bool ShowsHandPointer(win::HWND h);

}  // namespace platform::testing

namespace platform::testing {

// Lets the toolkit run what waits for the event loop: deliveries and the deletion of widgets whose
// windows went while they handled their own events.
void ReturnToEventLoop();

// What a real (unscripted) message box showed.
struct RealMessageBox {
  std::u16string title;
  std::u16string text;
  std::vector<std::u16string> buttons;
  win::RECT place{};        // the box on the screen, its frame included
  win::RECT screen{};       // the screen's area for windows
  int widestLine = 0;       // of its text, in pixels of its font
  int textWidth = 0;        // the room its text has
  bool managerFrame = false;  // the window manager frames it (else it draws its own title bar)
  bool closeBox = false;      // the frame it asks of the window manager carries a close box
  std::u16string titleBar;    // the caption its own title bar writes; empty with the manager's frame
};
// The next real message box is read into `seen` and answered by pressing the button with that
// caption, as soon as it is up.
void PressInNextMessageBox(const std::u16string& button, RealMessageBox* seen);
// The user types a key (as KeyClick does) in the modal window shown now, into the control that has
// the focus there, or presses Esc in it, or closes it by its title bar's close button. False when
// no modal window is shown.
bool KeyClickInModalWindow(int vk, int modifiers = 0, const std::u16string& text = {});
bool PressEscapeInModalWindow();
bool CloseModalWindowByUser();
// The modal window shown now, or 0.
win::HWND ModalWindow();

}  // namespace platform::testing
