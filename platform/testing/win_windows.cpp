#include "platform/testing/win.h"

#include <QAccessible>
#include <QWidget>
#include <memory>

#include "platform/win/dispatch.h"
#include "platform/win/window.h"
#include "platform/win/window_record.h"

namespace platform::testing {

win::HWND CreateForeignWindow() {
  auto rec = std::make_unique<detail::WindowRecord>();
  rec->className = "Foreign";
  win::HWND h = detail::NewRecord(std::move(rec));
  detail::FindRecord(h)->processId = win::GetCurrentProcessId() + 1;
  return h;
}

}  // namespace platform::testing

namespace platform::testing {

void FireTimer(win::HWND h, win::UINT_PTR id) { detail::FireTimerNow(h, id); }

bool TimerExists(win::HWND h, win::UINT_PTR id) { return detail::HasTimer(h, id); }

win::UINT_PTR LastThreadTimerId() { return detail::LastThreadTimer(); }

}  // namespace platform::testing

namespace platform::testing {

std::vector<std::u16string> AccessibleTexts(win::HWND h) {
  std::vector<std::u16string> out;
  QWidget* window = detail::WidgetOf(h);
  if (window == nullptr) return out;
  QList<QWidget*> widgets = window->findChildren<QWidget*>();
  widgets.prepend(window);
  for (QWidget* w : widgets) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    if (a == nullptr) continue;
    for (QAccessible::Text kind : {QAccessible::Name, QAccessible::Value, QAccessible::Description})
      if (const QString text = a->text(kind); !text.isEmpty()) out.push_back(text.toStdU16String());
  }
  return out;
}

}  // namespace platform::testing
