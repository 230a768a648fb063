#include "platform/win/monitor.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cstring>

#include "platform/win/window.h"
#include "platform/win/window_record.h"

namespace platform::detail {
namespace {

std::function<std::vector<testing::Monitor>()>& provider() {
  static std::function<std::vector<testing::Monitor>()> p;
  return p;
}

// Monitor handles: 0x4D01 for the first screen, and so on.
constexpr win::HMONITOR kFirst = 0x4D01;

std::vector<testing::Monitor> Monitors() {
  if (provider()) return provider()();
  std::vector<testing::Monitor> out;
  const QScreen* primary = QGuiApplication::primaryScreen();
  for (const QScreen* s : QGuiApplication::screens()) {
    const QRect g = s->geometry();
    const QRect a = s->availableGeometry();
    out.push_back(testing::Monitor{win::RECT{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()},
                                   win::RECT{a.left(), a.top(), a.left() + a.width(), a.top() + a.height()},
                                   s == primary, s->name().toStdU16String()});
  }
  return out;
}

win::HMONITOR Fallback(const std::vector<testing::Monitor>& all, win::DWORD flags, win::POINT pt) {
  if (all.empty() || flags == win::MONITOR_DEFAULTTONULL) return 0;
  if (flags == win::MONITOR_DEFAULTTOPRIMARY) {
    for (size_t i = 0; i < all.size(); ++i)
      if (all[i].primary) return kFirst + static_cast<win::HMONITOR>(i);
    return kFirst;
  }
  // Nearest: the smallest distance from the point to a monitor's rectangle.
  long long best = -1;
  win::HMONITOR found = 0;
  for (size_t i = 0; i < all.size(); ++i) {
    const win::RECT& r = all[i].bounds;
    const long long dx = pt.x < r.left ? r.left - pt.x : pt.x >= r.right ? pt.x - r.right + 1 : 0;
    const long long dy = pt.y < r.top ? r.top - pt.y : pt.y >= r.bottom ? pt.y - r.bottom + 1 : 0;
    const long long d = dx * dx + dy * dy;
    if (best < 0 || d < best) {
      best = d;
      found = kFirst + static_cast<win::HMONITOR>(i);
    }
  }
  return found;
}

}  // namespace
}  // namespace platform::detail

namespace platform::testing {

void SetMonitorProvider(std::function<std::vector<Monitor>()> p) { detail::provider() = std::move(p); }

}  // namespace platform::testing

namespace win {

using platform::detail::kFirst;
using platform::detail::Monitors;

HMONITOR MonitorFromPoint(POINT pt, DWORD flags) {
  const auto all = Monitors();
  for (size_t i = 0; i < all.size(); ++i) {
    const RECT& r = all[i].bounds;
    if (pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom) return kFirst + static_cast<HMONITOR>(i);
  }
  return platform::detail::Fallback(all, flags, pt);
}

HMONITOR MonitorFromWindow(HWND h, DWORD flags) {
  RECT w;
  if (!GetWindowRect(h, &w)) return 0;
  const auto all = Monitors();
  long long best = 0;
  HMONITOR found = 0;
  for (size_t i = 0; i < all.size(); ++i) {
    const RECT& r = all[i].bounds;
    const long long iw = std::max(0, std::min(w.right, r.right) - std::max(w.left, r.left));
    const long long ih = std::max(0, std::min(w.bottom, r.bottom) - std::max(w.top, r.top));
    if (iw * ih > best) {
      best = iw * ih;
      found = kFirst + static_cast<HMONITOR>(i);
    }
  }
  if (found != 0) return found;
  return platform::detail::Fallback(all, flags, POINT{(w.left + w.right) / 2, (w.top + w.bottom) / 2});
}

BOOL GetMonitorInfoW(HMONITOR monitor, void* info) {
  if (info == nullptr) return FALSE;
  const auto all = Monitors();
  const long long i = static_cast<long long>(monitor) - kFirst;
  if (i < 0 || i >= static_cast<long long>(all.size())) return FALSE;
  const platform::testing::Monitor& m = all[static_cast<size_t>(i)];
  DWORD size = 0;
  std::memcpy(&size, info, sizeof size);
  if (size != sizeof(MONITORINFO) && size != sizeof(MONITORINFOEXW)) return FALSE;
  auto* mi = static_cast<MONITORINFO*>(info);
  mi->rcMonitor = m.bounds;
  mi->rcWork = m.work;
  mi->dwFlags = m.primary ? MONITORINFOF_PRIMARY : 0;
  if (size == sizeof(MONITORINFOEXW)) {
    auto* ex = static_cast<MONITORINFOEXW*>(info);
    std::fill(std::begin(ex->szDevice), std::end(ex->szDevice), u'\0');
    std::copy_n(m.name.begin(), std::min<size_t>(m.name.size(), CCHDEVICENAME - 1), ex->szDevice);
  }
  return TRUE;
}

}  // namespace win
