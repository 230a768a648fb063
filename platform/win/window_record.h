// Inside the layer only: the record behind each window handle and the link between handles and
// widgets. Other parts of the layer (drawing, forms, controls) use it to reach a window's widget.
#pragma once

#include "platform/layer_only.h"

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/win/types.h"

namespace platform::detail {

struct WindowRecord {
  win::HWND handle = 0;
  win::WNDPROC proc = nullptr;
  std::string className;
  win::LONG style = 0;
  win::LONG exStyle = 0;
  win::HWND parent = 0;  // the parent window (child windows) or the owner (top-level windows)
  win::LONG_PTR id = 0;
  win::LONG_PTR userData = 0;
  win::DWORD processId = 0;
  std::unordered_map<std::string, win::LONG_PTR> props;  // names folded to lower case
  QPointer<QWidget> widget;
  bool ownsWidget = false;        // created by CreateWindowExA; deleted when the window goes
  bool takesChildInput = false;   // input of unattached child widgets counts as this window's
  QImage surface;                 // retained drawing surface shown by windows the layer creates
  bool painting = false;          // WM_PAINT is being handled: the widget shows the surface next
  bool inputDisabled = false;     // EnableWindow(FALSE): no input reaches the window or what it holds
  bool blockedByModal = false;    // a top-level window that a modal window shown now keeps from input
  bool greysWhenDisabled = true;  // a control that shows itself disabled; a container keeps its looks
  bool madeTopLevel = false;      // a child window whose parent became the desktop
};

WindowRecord* FindRecord(win::HWND h);
// Enters a record into the window table under a new handle.
win::HWND NewRecord(std::unique_ptr<WindowRecord> rec);
// Class and property names compare in lower case.
std::string FoldCase(std::string_view s);
// The window a widget stands for, or 0.
win::HWND HandleOfWidget(const QObject* widget);
QWidget* WidgetOf(win::HWND h);

// Enters a widget made elsewhere in the layer (a form, an intrinsic control, a rich edit) into the
// window table. Its procedure starts as `proc` (DefWindowProc when null): messages it does not take
// go to the widget's own handling. The window leaves the table when the widget is destroyed.
win::HWND AttachWidget(QWidget* widget, std::string className, win::WNDPROC proc = nullptr,
                       bool takesChildInput = false);

// The window's own input is stopped, or that of a window holding it (up to its top-level window).
bool InputDisabled(const QWidget* widget);
// Marks a top-level window shown or raised: WindowFromPoint finds the newest of overlapping
// windows first.
void NoteRaised(QWidget* window);
// The flags of a top-level popup window with these extended styles: frameless, never taking the
// keyboard, placed by the program past the window manager (an application window excepted).
Qt::WindowFlags PopupFlags(win::LONG exStyle);
// A child window made top-level (its parent became the desktop): a frameless tool window in screen
// coordinates, of the kind window systems never activate, still owned by `owner`.
void ApplyTopLevelFlags(WindowRecord& r, QWidget* w, QWidget* owner);
// Makes a top-level window belong to its owner (the record's parent) as the window system
// expresses ownership: transient for the owner's window, of the dialog type. Again after anything
// that makes the toolkit create the window anew (a change of its flags).
void ApplyOwner(win::HWND h);
// Tells the window manager that the top-level window of fixed size (a fixed dialog, a tool window,
// a message box) has no minimise or maximise button: call it before the window is shown. A
// frameless window is left as it is.
void ShowWithoutMinMaxButtons(QWidget* window);
// Whether ShowWithoutMinMaxButtons typed the window so.
bool ShownWithoutMinMaxButtons(const QWindow* window);
// The cursor position tests give with their input; unset, the pointer's own.
void SetTestCursor(int x, int y);

}  // namespace platform::detail
