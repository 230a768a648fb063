#include "mainwindow/main_placement.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "core/registry.h"
#include "core/settings_schema.h"
#include "platform/vb/control.h"
#include "platform/vb/screen.h"
#include "platform/vb/strings.h"
#include "platform/win/monitor.h"

namespace mainwindow {

namespace prefs = settings::preferences;

std::optional<Placement> StoredPlacement() {
  const std::u16string_view names[4] = {prefs::kMainLeft, prefs::kMainTop, prefs::kMainWidth, prefs::kMainHeight};
  float values[4] = {};
  for (int i = 0; i < 4; ++i) {
    const auto text = modRegistry::ReadRegistryString(win::HKEY_CURRENT_USER, settings::kPreferencesKey, names[i]);
    if (!text || text->empty()) return std::nullopt;
    const double value = vb::Val(*text);
    if (!std::isfinite(value) || std::fabs(value) > 1e9) return std::nullopt;
    values[i] = static_cast<float>(value);
  }
  const Placement stored{values[0], values[1], values[2], values[3]};
  if (!(stored.width > 0) || !(stored.height > 0)) return std::nullopt;
  return stored;
}

namespace {

// One side: the size kept within [minimum, room] (room wins when it is smaller), then the start
// moved the least needed to keep the whole size within [from, from + room].
void FitSide(float& start, float& size, float minimum, float from, float room) {
  size = std::min(std::max(size, minimum), room);
  start = std::clamp(start, from, from + room - size);
}

}  // namespace

Placement FitToScreen(Placement wanted, const win::RECT& work) {
  const float tw = vb::TwipsPerPixel;
  FitSide(wanted.left, wanted.width, kMinimumWidth, work.left * tw, (work.right - work.left) * tw);
  FitSide(wanted.top, wanted.height, kMinimumHeight, work.top * tw, (work.bottom - work.top) * tw);
  return wanted;
}

namespace {

// The screen nearest the middle of `wanted`; false when there is none.
bool NearestScreen(const Placement& wanted, win::MONITORINFO* info) {
  const float tw = vb::TwipsPerPixel;
  const win::POINT centre{static_cast<int>((wanted.left + wanted.width / 2) / tw),
                          static_cast<int>((wanted.top + wanted.height / 2) / tw)};
  const win::HMONITOR monitor = win::MonitorFromPoint(centre, win::MONITOR_DEFAULTTONEAREST);
  return monitor != 0 && win::GetMonitorInfoW(monitor, info);
}

}  // namespace

win::RECT WorkAreaFor(const Placement& wanted) {
  win::MONITORINFO info;
  if (NearestScreen(wanted, &info)) return info.rcWork;
  const float tw = vb::TwipsPerPixel;
  return win::RECT{0, 0, static_cast<int>(vb::Screen.Width() / tw), static_cast<int>(vb::Screen.Height() / tw)};
}

bool OnAScreen(const Placement& wanted) {
  win::MONITORINFO info;
  if (!NearestScreen(wanted, &info)) return false;
  const float tw = vb::TwipsPerPixel;
  const win::RECT& m = info.rcMonitor;
  return std::max(wanted.left, m.left * tw) < std::min(wanted.left + wanted.width, m.right * tw) &&
         std::max(wanted.top, m.top * tw) < std::min(wanted.top + wanted.height, m.bottom * tw);
}

}  // namespace mainwindow
