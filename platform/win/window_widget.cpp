#include "platform/win/window_widget.h"

#include <QPainter>
#include <QPointer>
#include <algorithm>
#include <vector>

#include "platform/win/window_record.h"

namespace platform::detail {
namespace {

// Popup widgets kept: a menu and a submenu open at once need four shadows.
constexpr std::size_t kKept = 4;

std::vector<QPointer<WindowWidget>>& kept() {
  static std::vector<QPointer<WindowWidget>> k;
  return k;
}

}  // namespace

WindowWidget::WindowWidget(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags), made_(flags) {
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
}

void WindowWidget::paintEvent(QPaintEvent*) {
  WindowRecord* rec = FindRecord(handle);
  if (rec == nullptr || rec->surface.isNull()) return;
  QPainter p(this);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(0, 0, rec->surface);
}

WindowWidget* MakeWindowWidget(QWidget* parent, Qt::WindowFlags flags, bool child, bool translucent) {
  const bool popup = !child && (flags & Qt::WindowType_Mask) == Qt::ToolTip;
  auto& k = kept();
  std::erase_if(k, [](const QPointer<WindowWidget>& w) { return w.isNull(); });
  const auto same = [&](const QPointer<WindowWidget>& w) {
    return w->made_ == flags && w->testAttribute(Qt::WA_TranslucentBackground) == translucent;
  };
  if (const auto it = std::find_if(k.begin(), k.end(), same); popup && it != k.end()) {
    WindowWidget* w = it->data();
    k.erase(it);
    if (w->parentWidget() != parent) w->setParent(parent, flags);
    return w;
  }
  auto* w = new WindowWidget(child ? parent : nullptr, flags);
  // An owned top-level window stays with its owner without becoming its child.
  if (!child && parent != nullptr) w->setParent(parent, w->windowFlags() | flags);
  w->popup_ = popup;
  if (translucent) w->setAttribute(Qt::WA_TranslucentBackground);
  return w;
}

bool KeepWindowWidget(QWidget* widget) {
  auto* w = dynamic_cast<WindowWidget*>(widget);
  auto& k = kept();
  std::erase_if(k, [](const QPointer<WindowWidget>& p) { return p.isNull(); });
  if (w == nullptr || !w->popup_ || k.size() >= kKept || !w->findChildren<QWidget*>().isEmpty()) return false;
  w->hide();
  w->handle = 0;
  k.emplace_back(w);
  return true;
}

}  // namespace platform::detail
