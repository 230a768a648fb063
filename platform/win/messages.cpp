// Sent messages, and messages posted through Qt's event queue.
#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include "platform/win/window.h"
#include "platform/win/window_record.h"

namespace platform::detail {
namespace {

const QEvent::Type kPostedMessage = static_cast<QEvent::Type>(QEvent::registerEventType());

struct PostedMessage : QEvent {
  PostedMessage(win::HWND h, win::UINT m, win::WPARAM w, win::LPARAM l)
      : QEvent(kPostedMessage), h(h), msg(m), wParam(w), lParam(l) {}
  win::HWND h;
  win::UINT msg;
  win::WPARAM wParam;
  win::LPARAM lParam;
};

class Mailbox : public QObject {
 protected:
  void customEvent(QEvent* e) override {
    if (e->type() != kPostedMessage) return;
    auto* m = static_cast<PostedMessage*>(e);
    if (win::IsWindow(m->h)) win::SendMessageA(m->h, m->msg, m->wParam, m->lParam);
  }
};

Mailbox& mailbox() {
  static Mailbox* m = new Mailbox;
  return *m;
}

}  // namespace
}  // namespace platform::detail

namespace win {

using platform::detail::FindRecord;
using platform::detail::WindowRecord;

LRESULT SendMessageA(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowRecord* r = FindRecord(h);
  if (r == nullptr) return 0;
  WNDPROC proc = r->proc != nullptr ? r->proc : &DefWindowProcA;
  return proc(h, msg, wParam, lParam);
}

BOOL PostMessageA(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!IsWindow(h)) return FALSE;
  QCoreApplication::postEvent(&platform::detail::mailbox(), new platform::detail::PostedMessage(h, msg, wParam, lParam));
  return TRUE;
}

}  // namespace win
