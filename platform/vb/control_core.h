// Inside the layer only: the state behind the runtime's controls and windows, and the helpers the
// control implementations share.
#pragma once

#include "platform/layer_only.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <deque>
#include <functional>
#include <vector>

#include "platform/vb/control.h"
#include "platform/vb/error.h"
#include "platform/vb/strings.h"
#include "platform/win/types.h"

namespace vb {
class Form;
}

namespace platform::detail {

struct HostCore {
  std::vector<vb::Control*> controls;  // in the order they were constructed
  std::vector<std::function<void()>> unloadHooks;
  bool loaded = false;
  bool designing = false;
  win::HWND self = 0;
};

struct ControlCore {
  vb::Control* owner = nullptr;
  QPointer<QWidget> widget;
  win::HWND handle = 0;
  vb::StdFont font;
  bool fontSet = false;
  vb::OLE_COLOR back = vb::vbButtonFace;
  vb::OLE_COLOR fore = vb::vbButtonText;
  int tabIndex = 0;
  int mousePointer = 0;
  vb::Picture mouseIcon;
  bool passiveClick = false;  // Click and DblClick come from the mouse messages, not the widget
  bool pressed = false;       // the left button went down on a passive control
};

// The widget property of a container whose controls are placed inside its border (its contents
// rectangle), as a picture box's are.
constexpr const char* kPlacesInsideBorder = "vbPlacesInsideBorder";

// The control's widget: made by the control, parented to its container's window, entered into the
// window table with the runtime's control procedure, and given the container's font.
void Adopt(vb::Control& c, QWidget* w, const char* className, bool takesChildInput = false);
// The widget the control's window belongs in.
QWidget* ContainerWidget(vb::Control& c);
// Destroys a control's window now (it leaves the window table at once; the widget goes when the
// event loop next runs, so an event it is handling finishes safely).
void DestroyControlWindow(vb::Control& c);

vb::Control* ControlOfHandle(win::HWND h);
// Notes that window h belongs to the control (for windows the control did not make itself).
void RegisterControlWindow(vb::Control& c, win::HWND h);
// The form a control finally sits on, or null.
vb::Form* FormOf(vb::Control& c);
// The dialog keys of a form: Enter presses its default button (or `focused` when that is a button),
// Esc its cancel button. True when a button took the key; an open drop-down list keeps its own
// Enter and Esc.
bool PressDialogButton(vb::Form& form, int vk, vb::Control* focused = nullptr);
// The same for a window a control of the runtime took as its own (a rich text box): the form that
// control sits on answers the key.
bool PressDialogButtonFrom(win::HWND h, int vk);

QColor ToQColor(vb::OLE_COLOR c);
QFont ToQFont(const vb::StdFont& f);
void ApplyColors(QWidget* w, vb::OLE_COLOR back, vb::OLE_COLOR fore);
Qt::CursorShape CursorOf(int mousePointer);
// Shows the control's MousePointer and MouseIcon over its widget.
void ApplyPointer(vb::Control& c);

int ShiftState();

// Runs what the event loop delivered (input, a timer's tick, a paint): a runtime error the program
// does not handle is shown in the runtime's error box instead of unwinding through the toolkit, and
// the program goes on. Events raised by values set in code are not guarded: their errors reach the
// code that set the value.
void ReportUnhandledError(const vb::Error& e);
// Counts the program's events running on the stack; windows and objects given to
// vb::DestroyWhenEventsReturn while any runs are destroyed after the outermost one returns.
struct EventDepth {
  EventDepth();
  ~EventDepth();
};
template <class F>
void FromEventLoop(F&& f) {
  EventDepth running;
  try {
    f();
  } catch (const vb::Error& e) {
    ReportUnhandledError(e);
  }
}
// Destroys a widget the way vb::DestroyWhenEventsReturn destroys objects.
void DestroyWidgetWhenEventsReturn(QWidget* w);
// What tests queued to run inside the next modal Show, once the form is shown.
std::deque<std::function<void()>>& ModalActions();

inline int Px(float twips) { return static_cast<int>(twips / vb::TwipsPerPixel + (twips >= 0 ? 0.5f : -0.5f)); }
inline float Tw(int pixels) { return static_cast<float>(pixels * vb::TwipsPerPixel); }

}  // namespace platform::detail

// Helpers of the intrinsic controls' implementations.
namespace platform::detail::controls {

inline QString Q(const std::u16string& s) { return QString::fromStdU16String(s); }
inline std::u16string U(const QString& s) { return s.toStdU16String(); }

// A caption with the runtime's mnemonics ("&x" underlines x, "&&" is an ampersand) as plain text.
inline QString WithoutMnemonics(const std::u16string& s) {
  QString out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == u'&' && i + 1 < s.size()) {
      ++i;
    } else if (s[i] == u'&') {
      continue;
    }
    out += QChar(s[i]);
  }
  return out;
}

inline Qt::Alignment AlignmentOf(int a) {
  switch (a) {
    case vb::vbRightJustify: return Qt::AlignRight;
    case vb::vbCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
  }
}
inline int AlignmentFrom(Qt::Alignment a) {
  if (a & Qt::AlignRight) return vb::vbRightJustify;
  if (a & Qt::AlignHCenter) return vb::vbCenter;
  return vb::vbLeftJustify;
}

}  // namespace platform::detail::controls
