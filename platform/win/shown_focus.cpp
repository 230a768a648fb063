#include "platform/win/shown_focus.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <vector>

namespace platform::detail {
namespace {

// The windows in the order they were last active, newest last.
std::vector<QPointer<QWindow>>& activeHistory() {
  static std::vector<QPointer<QWindow>> h;
  return h;
}

bool TakesFocus(const QWindow* w) {
  const Qt::WindowFlags type = w->flags() & Qt::WindowType_Mask;
  return w->isVisible() && type != Qt::Popup && type != Qt::ToolTip;
}

void ActivateSuccessorOf(const QWindow* gone) {
  if (QWindow* next = SuccessorOf(gone)) next->requestActivate();
}

// When the window that has the keyboard hides, the one active before it gets it back.
class HideWatcher : public QObject {
 public:
  bool eventFilter(QObject* receiver, QEvent* e) override {
    if (e->type() != QEvent::Hide || !receiver->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(receiver);
    if (widget->isWindow() && widget->windowHandle() != nullptr &&
        QGuiApplication::focusWindow() == widget->windowHandle()) {
      ActivateSuccessorOf(widget->windowHandle());
    }
    return false;
  }
};

}  // namespace

QWindow* SuccessorOf(const QWindow* gone) {
  const auto& h = activeHistory();
  for (auto it = h.rbegin(); it != h.rend(); ++it) {
    QWindow* w = it->data();
    if (w != nullptr && w != gone && TakesFocus(w)) return w;
  }
  return nullptr;
}

void NoteFocusWindow(QWindow* w) {
  if (w != nullptr && !w->isVisible()) {
    // Handed the focus after it had gone: the keyboard goes where the user can see it.
    ActivateSuccessorOf(w);
    return;
  }
  auto& h = activeHistory();
  h.erase(std::remove_if(h.begin(), h.end(), [w](const QPointer<QWindow>& p) { return p.isNull() || p == w; }),
          h.end());
  if (w != nullptr) h.push_back(w);
}

void KeepFocusOnShownWindows() {
  static bool installed = false;
  if (installed || qApp == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) return;
  installed = true;
  static HideWatcher watcher;
  qApp->installEventFilter(&watcher);
  QObject::connect(qApp, &QGuiApplication::focusWindowChanged, qApp, [](QWindow* w) { NoteFocusWindow(w); });
}

}  // namespace platform::detail
