#include "platform/testing/x11.h"

#include <xcb/xcb.h>

#include <QApplication>
#include <QDialog>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <cstring>

#include "platform/win/window_record.h"

namespace platform::testing {
namespace {

std::uint32_t WindowOf(QWidget* w) {
  if (w == nullptr || w->window()->windowHandle() == nullptr) return 0;
  return static_cast<std::uint32_t>(w->window()->windowHandle()->winId());
}

// A connection of the test's own, as another program has.
class OtherClient {
 public:
  OtherClient() : c_(xcb_connect(nullptr, nullptr)) {}
  ~OtherClient() { xcb_disconnect(c_); }
  xcb_connection_t* get() const { return c_; }

 private:
  xcb_connection_t* c_;
};

void Destroy(std::uint32_t id) {
  QApplication::sync();  // the window exists on the server before it is destroyed there
  OtherClient other;
  xcb_destroy_window(other.get(), id);
  // A round trip: the server has done it when the answer comes.
  std::free(xcb_get_input_focus_reply(other.get(), xcb_get_input_focus(other.get()), nullptr));
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  xcb_intern_atom_reply_t* reply =
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
  const xcb_atom_t atom = reply != nullptr ? reply->atom : XCB_ATOM_NONE;
  std::free(reply);
  return atom;
}

}  // namespace

void AskToCloseFromOutsideOnX11(win::HWND h) {
  QApplication::sync();
  OtherClient other;
  xcb_client_message_event_t e{};
  e.response_type = XCB_CLIENT_MESSAGE;
  e.format = 32;
  e.window = NativeWindowOnX11(h);
  e.type = Atom(other.get(), "WM_PROTOCOLS");
  e.data.data32[0] = Atom(other.get(), "WM_DELETE_WINDOW");
  e.data.data32[1] = XCB_CURRENT_TIME;
  xcb_send_event(other.get(), 0, e.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&e));
  std::free(xcb_get_input_focus_reply(other.get(), xcb_get_input_focus(other.get()), nullptr));
}

void ExposeFromOutsideOnX11(win::HWND h) {
  QApplication::sync();
  OtherClient other;
  xcb_clear_area(other.get(), 1, NativeWindowOnX11(h), 0, 0, 0, 0);
  std::free(xcb_get_input_focus_reply(other.get(), xcb_get_input_focus(other.get()), nullptr));
}

std::uint32_t NativeWindowOnX11(win::HWND h) { return WindowOf(detail::WidgetOf(h)); }

bool ExistsOnX11(std::uint32_t id) {
  QApplication::sync();
  OtherClient other;
  xcb_get_window_attributes_reply_t* reply =
      xcb_get_window_attributes_reply(other.get(), xcb_get_window_attributes(other.get(), id), nullptr);
  const bool there = reply != nullptr;
  std::free(reply);
  return there;
}

std::uint32_t TransientForOnX11(win::HWND h) {
  QApplication::sync();
  OtherClient other;
  const xcb_get_property_cookie_t cookie =
      xcb_get_property(other.get(), 0, NativeWindowOnX11(h), XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 0, 1);
  xcb_get_property_reply_t* reply = xcb_get_property_reply(other.get(), cookie, nullptr);
  std::uint32_t owner = 0;
  if (reply != nullptr && xcb_get_property_value_length(reply) == 4) {
    owner = *static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
  }
  std::free(reply);
  return owner;
}

void DestroyFromOutsideOnX11(win::HWND h) { Destroy(NativeWindowOnX11(h)); }

bool DestroyModalDialogFromOutsideOnX11() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr) return false;
  Destroy(WindowOf(modal));
  return true;
}

std::uint32_t ModalWindowOnX11() {
  QWidget* modal = QApplication::activeModalWidget();
  return modal != nullptr && modal->isVisible() ? WindowOf(modal) : 0;
}

std::uint32_t FocusedWindowOnX11() {
  OtherClient other;
  xcb_get_input_focus_reply_t* reply = xcb_get_input_focus_reply(other.get(), xcb_get_input_focus(other.get()), nullptr);
  const std::uint32_t focus = reply != nullptr ? reply->focus : 0;
  std::free(reply);
  return focus;
}

bool ModalDialogShown() { return QApplication::activeModalWidget() != nullptr; }

void CancelModalDialog() {
  if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
}

}  // namespace platform::testing
