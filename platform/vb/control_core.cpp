// The procedure every control's window starts with, the window records of the controls, their
// dialog keys, and how a control's colours, font and pointer reach its widget.
#include "platform/vb/control_core.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QWidget>
#include <algorithm>
#include <unordered_map>

#include "platform/gdi/gdi.h"
#include "platform/gdi/objects.h"
#include "platform/vb/control.h"
#include "platform/vb/form.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/strings.h"
#include "platform/vb/window_control.h"
#include "platform/win/keys.h"
#include "platform/win/window.h"
#include "platform/win/window_record.h"

namespace platform::detail {

// The window procedure's way to the control's message hooks.
struct ControlAccess {
  static void Mouse(vb::Control& c, win::UINT msg, win::WPARAM w, win::LPARAM l);
  static void Timer(vb::Control& c) { c.HandleTimer(); }
  static bool TakesEnterAsText(const vb::Control& c) { return c.TakesEnterAsText(); }
  static bool AnswersDialogKey(vb::Control& c, int vk, bool focused) { return c.AnswersDialogKey(vk, focused); }
  static void PressForDialogKey(vb::Control& c) { c.PressForDialogKey(); }
};

namespace {

std::unordered_map<win::HWND, vb::Control*>& controlsByHandle() {
  static std::unordered_map<win::HWND, vb::Control*> m;
  return m;
}

// The dialog keys of the control with the keyboard: a single-line box hands Enter to the form's
// buttons, a multi-line one keeps it as a line break.
bool DialogKey(vb::Control& focused, int vk) {
  vb::Form* form = FormOf(focused);
  if (form == nullptr) return false;
  if (vk == win::VK_RETURN && ControlAccess::TakesEnterAsText(focused)) return false;
  return PressDialogButton(*form, vk, &focused);
}

int MouseButtonOf(win::UINT msg, win::WPARAM w) {
  switch (msg) {
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONUP:
    case win::WM_LBUTTONDBLCLK: return vb::vbLeftButton;
    case win::WM_RBUTTONDOWN:
    case win::WM_RBUTTONUP:
    case win::WM_RBUTTONDBLCLK: return vb::vbRightButton;
    case win::WM_MBUTTONDOWN:
    case win::WM_MBUTTONUP:
    case win::WM_MBUTTONDBLCLK: return vb::vbMiddleButton;
    default: {
      int b = 0;
      if (w & win::MK_LBUTTON) b |= vb::vbLeftButton;
      if (w & win::MK_RBUTTON) b |= vb::vbRightButton;
      if (w & win::MK_MBUTTON) b |= vb::vbMiddleButton;
      return b;
    }
  }
}

}  // namespace

// The procedure every control's window starts with: turns its messages into the control's events,
// then hands them to the widget's own handling.
win::LRESULT ControlProc(win::HWND h, win::UINT msg, win::WPARAM w, win::LPARAM l);


win::LRESULT ControlEvents(vb::Control* c, win::HWND h, win::UINT msg, win::WPARAM w, win::LPARAM l);

win::LRESULT ControlProc(win::HWND h, win::UINT msg, win::WPARAM w, win::LPARAM l) {
  vb::Control* c = ControlOfHandle(h);
  if (c == nullptr) return win::DefWindowProcA(h, msg, w, l);
  vb::Control::EventScope scope(c);
  win::LRESULT result = 0;
  bool failed = true;
  FromEventLoop([&] {
    result = ControlEvents(c, h, msg, w, l);
    failed = false;
  });
  // A handler that failed does not hand its input on.
  return failed ? 0 : result;
}

// Enter or Esc that pressed a button: its character is not the control's.
bool dialogKeyTaken = false;

win::LRESULT ControlEvents(vb::Control* c, win::HWND h, win::UINT msg, win::WPARAM w, win::LPARAM l) {
  switch (msg) {
    case win::WM_LBUTTONDOWN:
    case win::WM_RBUTTONDOWN:
    case win::WM_MBUTTONDOWN:
    case win::WM_LBUTTONUP:
    case win::WM_RBUTTONUP:
    case win::WM_MBUTTONUP:
    case win::WM_MOUSEMOVE:
    case win::WM_LBUTTONDBLCLK:
      ControlAccess::Mouse(*c, msg, w, l);
      break;
    case win::WM_KEYDOWN:
    case win::WM_SYSKEYDOWN:
    case win::WM_KEYUP:
    case win::WM_SYSKEYUP: {
      const bool down = msg == win::WM_KEYDOWN || msg == win::WM_SYSKEYDOWN;
      int code = static_cast<int>(w);
      const int shift = ShiftState();
      vb::Form* form = FormOf(*c);
      if (form != nullptr && form->IsLoaded() && !form->Designing() && form->KeyPreview()) {
        down ? form->RaiseKeyDown(code, shift) : form->RaiseKeyUp(code, shift);
        if (code == 0) return 0;
      }
      if (down) {
        if (c->KeyDown && !c->EventsMuted()) c->KeyDown(code, shift);
      } else if (c->KeyUp && !c->EventsMuted()) {
        c->KeyUp(code, shift);
      }
      if (code == 0) return 0;
      if (down && ControlOfHandle(h) != nullptr && DialogKey(*c, code)) {
        dialogKeyTaken = true;
        return 0;
      }
      break;
    }
    case win::WM_CHAR: {
      int ascii = static_cast<int>(w);
      if (dialogKeyTaken && (ascii == 13 || ascii == 27)) {
        dialogKeyTaken = false;
        return 0;
      }
      dialogKeyTaken = false;
      vb::Form* form = FormOf(*c);
      if (form != nullptr && form->IsLoaded() && !form->Designing() && form->KeyPreview()) {
        form->RaiseKeyPress(ascii);
        if (ascii == 0) return 0;
      }
      if (c->KeyPress && !c->EventsMuted()) c->KeyPress(ascii);
      if (ascii == 0) return 0;
      // Enter and Esc went to the dialog keys; a single-line box does not take them as text.
      if (ascii == 27 || (ascii == 13 && !ControlAccess::TakesEnterAsText(*c))) return 0;
      break;
    }
    case win::WM_TIMER:
      ControlAccess::Timer(*c);
      return 0;
    case win::WM_SETFOCUS:
      if (c->GotFocus && !c->EventsMuted()) c->GotFocus();
      break;
    case win::WM_KILLFOCUS:
      if (c->LostFocus && !c->EventsMuted()) c->LostFocus();
      break;
    default:
      break;
  }
  return win::DefWindowProcA(h, msg, w, l);
}

void ControlAccess::Mouse(vb::Control& c, win::UINT msg, win::WPARAM w, win::LPARAM l) {
  if (c.EventsMuted()) return;
  float x = 0, y = 0;
  c.PixelsToUnits(win::GET_X_LPARAM(l), win::GET_Y_LPARAM(l), x, y);
  c.HandleMouse(msg, MouseButtonOf(msg, w), ShiftState(), x, y);
}

void RegisterControlWindow(vb::Control& c, win::HWND h) { controlsByHandle()[h] = &c; }

vb::Control* ControlOfHandle(win::HWND h) {
  auto& m = controlsByHandle();
  auto it = m.find(h);
  return it == m.end() ? nullptr : it->second;
}

vb::Form* FormOf(vb::Control& c) { return c.ContainerOf().OwningHost().OwningForm(); }

bool PressDialogButton(vb::Form& form, int vk, vb::Control* focused) {
  if (vk != win::VK_RETURN && vk != win::VK_ESCAPE) return false;
  if (QApplication::activePopupWidget() != nullptr) return false;
  vb::Control* target = focused != nullptr && ControlAccess::AnswersDialogKey(*focused, vk, true) ? focused : nullptr;
  for (auto it = form.Controls().begin(); target == nullptr && it != form.Controls().end(); ++it) {
    vb::Control* c = *it;
    if (c->core().widget != nullptr && ControlAccess::AnswersDialogKey(*c, vk, false)) target = c;
  }
  if (target == nullptr || !target->core().widget->isEnabled() || !target->core().widget->isVisible()) return false;
  ControlAccess::PressForDialogKey(*target);
  return true;
}

bool PressDialogButtonFrom(win::HWND h, int vk) {
  vb::Control* c = ControlOfHandle(h);
  vb::Form* form = c != nullptr ? FormOf(*c) : nullptr;
  return form != nullptr && PressDialogButton(*form, vk, nullptr);
}

QWidget* ContainerWidget(vb::Control& c) { return WidgetOf(c.ContainerOf().ContainerHandle()); }

void Adopt(vb::Control& c, QWidget* w, const char* className, bool takesChildInput) {
  ControlCore& core = c.core();
  core.widget = w;
  core.mousePointer = vb::vbDefault;
  core.mouseIcon = nullptr;
  w->setAttribute(Qt::WA_DeleteOnClose, false);
  core.handle = AttachWidget(w, className, &ControlProc, takesChildInput);
  controlsByHandle()[core.handle] = &c;
  // A new control takes its container's font, as a control placed on a window does.
  QWidget* parent = w->parentWidget();
  if (parent != nullptr) w->setFont(parent->font());
  if (vb::Form* f = FormOf(c); f != nullptr && f->IsLoaded()) core.font = f->Font();
  w->setFont(ToQFont(core.font));
  // Text, list and combo boxes write on the window colour from the start; the other controls are
  // drawn on their container and take its colours until given their own.
  if (core.back != vb::vbButtonFace || core.fore != vb::vbButtonText) ApplyColors(w, core.back, core.fore);
  w->show();
}

void DestroyControlWindow(vb::Control& c) {
  ControlCore& core = c.core();
  if (core.handle != 0) {
    controlsByHandle().erase(core.handle);
    win::DestroyWindow(core.handle);
    core.handle = 0;
  }
  if (QWidget* w = core.widget.data()) {
    w->hide();
    w->setParent(nullptr);
    DestroyWidgetWhenEventsReturn(w);
  }
  core.widget = nullptr;
}

QColor ToQColor(vb::OLE_COLOR c) {
  // System colours come from the drawing layer's table; a colour it cannot translate shows as the
  // button face.
  win::COLORREF rgb = 0;
  if (win::OleTranslateColor(c, 0, &rgb) != win::S_OK) rgb = win::GetSysColor(win::COLOR_BTNFACE);
  return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF), static_cast<int>((rgb >> 16) & 0xFF));
}

QFont ToQFont(const vb::StdFont& f) {
  QFont q(platform::gdi::FontFamily(QString::fromStdU16String(f.Name)));
  // Point sizes are taken at 96 dots per inch, whatever the screen says.
  q.setPixelSize(std::max(1, static_cast<int>(f.Size * 96.0f / 72.0f + 0.5f)));
  q.setBold(f.Bold);
  q.setItalic(f.Italic);
  q.setUnderline(f.Underline);
  q.setStrikeOut(f.Strikethrough);
  return q;
}

namespace {

bool IsEditBox(const QWidget* w) {
  const auto* combo = qobject_cast<const QComboBox*>(w);
  return qobject_cast<const QLineEdit*>(w) != nullptr || qobject_cast<const QPlainTextEdit*>(w) != nullptr ||
         (combo != nullptr && combo->isEditable());
}

}  // namespace

// A disabled control writes in the system's grey text, whatever its ForeColor, on its own
// background; the style embosses captions on the highlight colour (ControlStyle). A disabled edit
// box that writes on the window colour stands on the button face instead, as the platform's
// disabled edit boxes do; a colour of the box's own stays.
void ApplyColors(QWidget* w, vb::OLE_COLOR back, vb::OLE_COLOR fore) {
  QPalette p = w->palette();
  const QColor b = ToQColor(back), f = ToQColor(fore);
  const QColor grey = ToQColor(vb::vbGrayText), light = ToQColor(vb::vb3DHighlight);
  for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) p.setColor(role, b);
  if (back == vb::vbWindowBackground && IsEditBox(w)) p.setColor(QPalette::Disabled, QPalette::Base, ToQColor(vb::vbButtonFace));
  for (auto group : {QPalette::Active, QPalette::Inactive})
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) p.setColor(group, role, f);
  for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) p.setColor(QPalette::Disabled, role, grey);
  p.setColor(QPalette::Disabled, QPalette::Light, light);
  w->setPalette(p);
}

void ApplyPointer(vb::Control& c) {
  ControlCore& core = c.core();
  QWidget* w = core.widget.data();
  if (w == nullptr) return;
  std::optional<QCursor> cursor;
  if (core.mousePointer == vb::vbCustom) {
    if (core.mouseIcon != nullptr) cursor = platform::gdi::CursorOfHandle(core.mouseIcon->Handle());
  } else if (core.mousePointer != vb::vbDefault) {
    cursor = QCursor(CursorOf(core.mousePointer));
  }
  if (cursor) {
    w->setCursor(*cursor);
  } else {
    w->unsetCursor();
  }
}

Qt::CursorShape CursorOf(int mousePointer) {
  switch (mousePointer) {
    case vb::vbArrow: return Qt::ArrowCursor;
    case vb::vbCrosshair: return Qt::CrossCursor;
    case vb::vbIbeam: return Qt::IBeamCursor;
    case vb::vbSizeAll: return Qt::SizeAllCursor;
    case vb::vbSizeNESW: return Qt::SizeBDiagCursor;
    case vb::vbSizeNS: return Qt::SizeVerCursor;
    case vb::vbSizeNWSE: return Qt::SizeFDiagCursor;
    case vb::vbSizeWE: return Qt::SizeHorCursor;
    case vb::vbUpArrow: return Qt::UpArrowCursor;
    case vb::vbHourglass: return Qt::WaitCursor;
    case vb::vbNoDrop: return Qt::ForbiddenCursor;
    case vb::vbArrowHourglass: return Qt::BusyCursor;
    case vb::vbArrowQuestion: return Qt::WhatsThisCursor;
    default: return Qt::ArrowCursor;
  }
}

void ReportUnhandledError(const vb::Error& e) {
  vb::MsgBox(u"Ошибка выполнения '" + vb::CStr(static_cast<std::int64_t>(e.Number)) + u"':\r\n\r\n" + e.Description,
             vb::vbCritical);
}

int ShiftState() {
  int s = 0;
  if (win::GetKeyState(win::VK_SHIFT) & 0x8000) s |= vb::vbShiftMask;
  if (win::GetKeyState(win::VK_CONTROL) & 0x8000) s |= vb::vbCtrlMask;
  if (win::GetKeyState(win::VK_MENU) & 0x8000) s |= vb::vbAltMask;
  return s;
}

}  // namespace platform::detail
