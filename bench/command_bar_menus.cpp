// What a user waits for in the menus: from a click on a menu-bar entry to its drop-down painted on
// the screen, and from a hover on a menu item to its sub-menu painted (the 250 ms delay itself left
// out: its timer is ticked at once). The floor is the same items painted with plain drawing calls
// (the background, each item's caption and shortcut, the separator's line) into a shown window of
// the menu's size, and shown on the screen; the ratio to it is reported as the counter "ratio",
// beside the absolute figures.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/run_benchmarks.h"
#include "commandbars/command_bars.h"
#include "commandbars/kest_command_bar.h"
#include "commandbars/menu_mode.h"
#include "platform/gdi/gdi.h"
#include "platform/testing/win.h"
#include "platform/vb/control_array.h"
#include "platform/vb/form.h"
#include "platform/vb/runtime.h"
#include "platform/win/placement.h"
#include "platform/win/window.h"

namespace {

using commandbars::cButtons;
using commandbars::cCommandBar;
using commandbars::cCommandBars;
using commandbars::kestCommandBar;
namespace mCommandBars = commandbars::mCommandBars;
namespace input = platform::testing;
using Clock = std::chrono::steady_clock;

// A window with a menu bar of four menus of fourteen items, one of them with a sub-menu.
class frmMenus : public vb::Form {
 public:
  vb::ControlArray<kestCommandBar> cmdBar{*this};

 protected:
  void Design() override {
    Move(0, 0, 9000, 6000);
    cmdBar.Connect = [this](kestCommandBar& c) {
      c.RequestNewInstance = [this](kestCommandBar*& ctl) { ctl = &cmdBar.Load(next_++); };
    };
    cmdBar.Load(0).Move(0, 0, 9000, 330);
    cmdBar(0).Visible(true);
  }
  void Form_Load() override {
    cButtons buttons = cmdBar(0).Buttons();
    cCommandBars bars = cmdBar(0).CommandBars();
    cCommandBar menu = bars.Add(u"MENU");
    cCommandBar sub = bars.Add(u"SUB");
    for (int m = 0; m < 4; ++m) {
      const std::u16string n = std::u16string(1, static_cast<char16_t>(u'0' + m));
      cCommandBar drop = bars.Add(u"DROP" + n);
      menu.Buttons().Add(buttons.Add(u"M" + n, -1, u"&Меню " + n));
      buttons.Item(u"M" + n).Bar(&drop);
      for (int i = 0; i < 14; ++i) {
        const std::u16string k = u"I" + n + u":" + std::u16string(1, static_cast<char16_t>(u'a' + i));
        drop.Buttons().Add(buttons.Add(k, -1, u"Пункт меню " + k, i == 6 ? 1 : 0, u"", static_cast<std::int16_t>('A' + i), 2));
      }
    }
    for (int i = 0; i < 10; ++i) sub.Buttons().Add(buttons.Add(u"S" + std::u16string(1, static_cast<char16_t>(u'a' + i)), -1, u"Подпункт"));
    buttons.Item(u"I0:c").Bar(&sub);
    cmdBar(0).MainMenu(true);
    cmdBar(0).Toolbar(&menu);
  }

 private:
  int next_ = 1;
};

win::POINT Centre(kestCommandBar& c, int index) {
  const commandbars::cDisplayButtonInfo& r = c.DisplayInfo().at(static_cast<std::size_t>(index - 1));
  return win::POINT{(r.left + r.Right) / 2, (r.tOp + r.Bottom) / 2};
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// The one window of the kind, shown on first use and kept for the whole run.
template <typename Window>
Window& Shown() {
  static Window* form = [] {
    auto* f = new Window;
    f->Show();
    input::ShowAndWait(f->hWnd());
    return f;
  }();
  return *form;
}

frmMenus& Form() { return Shown<frmMenus>(); }

std::u16string Letter(int i) { return std::u16string(1, static_cast<char16_t>(u'a' + i)); }

// A plain window that the floor paints in.
class frmPlain : public vb::Form {
 protected:
  void Design() override { Move(9000, 0, 4000, 6000); }
};

// The floor: the menu's items painted with plain drawing calls where the menu shows them (`items`
// its item rectangles, `captions` their captions, an empty one a separator), in a window of the
// menu's size, and shown on the screen.
double PlainPaintSeconds(const win::RECT& menu, const std::vector<win::RECT>& items,
                         const std::vector<std::u16string>& captions) {
  const win::HWND h = Shown<frmPlain>().hWnd();
  const auto t0 = Clock::now();
  win::MoveWindow(h, 700, 0, menu.right - menu.left, menu.bottom - menu.top, win::TRUE);
  const win::HDC dc = win::GetDC(h);
  win::LOGFONTA lf;
  lf.lfHeight = -11;
  lf.lfWeight = win::FW_NORMAL;
  std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "Tahoma");
  const win::HFONT font = win::CreateFontIndirectA(&lf);
  const win::HGDIOBJ oldFont = win::SelectObject(dc, font);
  win::RECT all{0, 0, menu.right - menu.left, menu.bottom - menu.top};
  win::FillRect(dc, &all, win::GetSysColorBrush(win::COLOR_MENU));
  win::SetBkMode(dc, win::TRANSPARENT);
  for (std::size_t i = 0; i < items.size() && i < captions.size(); ++i) {
    win::RECT r = items[i];
    if (captions[i].empty()) {
      const int y = (r.top + r.bottom) / 2;
      win::MoveToEx(dc, r.left + 24, y, nullptr);
      win::LineTo(dc, r.right - 4, y);
      continue;
    }
    r.left += 28;
    win::DrawTextW(dc, captions[i], -1, &r, win::DT_LEFT | win::DT_VCENTER | win::DT_SINGLELINE);
    r.right -= 12;
    win::DrawTextW(dc, u"Ctrl+" + std::u16string(1, static_cast<char16_t>(u'A' + i)), -1, &r,
                   win::DT_RIGHT | win::DT_VCENTER | win::DT_SINGLELINE);
  }
  win::SelectObject(dc, oldFont);
  win::DeleteObject(font);
  win::ReleaseDC(h, dc);
  input::ReturnToEventLoop();  // the window shows what was painted
  return Seconds(Clock::now() - t0);
}

// What a shown menu holds, for the floor to paint the same.
struct MenuPicture {
  win::RECT size{};
  std::vector<win::RECT> items;
};
MenuPicture PictureOf(kestCommandBar& menu) {
  MenuPicture p;
  win::GetClientRect(menu.hwnd(), &p.size);
  for (const commandbars::cDisplayButtonInfo& d : menu.DisplayInfo())
    p.items.push_back({d.left, d.tOp, d.Right, d.Bottom});
  return p;
}

void Report(benchmark::State& state, double work, double floor) {
  state.counters["ratio"] = floor > 0 ? work / floor : 0;
  state.counters["floor_us"] = floor * 1e6 / static_cast<double>(state.iterations());
}

void BM_ClickToDropDownPainted(benchmark::State& state) {
  kestCommandBar& bar = Form().cmdBar(0);
  double work = 0, floor = 0;
  int entry = 1;
  for (auto _ : state) {
    const win::POINT p = Centre(bar, entry);
    auto t0 = Clock::now();
    input::Click(bar.hwnd(), p.x, p.y);
    input::ReturnToEventLoop();  // the drop-down's widget paints
    auto t1 = Clock::now();
    work += Seconds(t1 - t0);
    state.SetIterationTime(Seconds(t1 - t0));
    kestCommandBar* drop = mCommandBars::FindControl(bar.MenuOfItem(entry));
    if (drop == nullptr) {
      state.SkipWithError("no drop-down");
      break;
    }
    std::vector<std::u16string> captions;
    const std::u16string n = std::u16string(1, static_cast<char16_t>(u'0' + entry - 1));
    for (int i = 0; i < 14; ++i) captions.push_back(i == 6 ? u"" : u"Пункт меню I" + n + u":" + Letter(i));
    const MenuPicture shown = PictureOf(*drop);
    mCommandBars::LeaveMenuMode();
    input::ReturnToEventLoop();
    floor += PlainPaintSeconds(shown.size, shown.items, captions);
    entry = entry % 4 + 1;
  }
  Report(state, work, floor);
}

void BM_HoverToSubMenuPainted(benchmark::State& state) {
  kestCommandBar& bar = Form().cmdBar(0);
  const win::POINT p = Centre(bar, 1);
  input::Click(bar.hwnd(), p.x, p.y);
  kestCommandBar* drop = mCommandBars::FindControl(bar.MenuOfItem(1));
  if (drop == nullptr) {
    state.SkipWithError("no drop-down");
    return;
  }
  std::vector<std::u16string> captions(10, u"Подпункт");
  double work = 0, floor = 0;
  for (auto _ : state) {
    const win::POINT item = Centre(*drop, 3);
    auto t0 = Clock::now();
    input::MouseMove(drop->hwnd(), item.x, item.y);
    input::FireTimer(drop->hwnd(), 1);
    input::ReturnToEventLoop();
    auto t1 = Clock::now();
    work += Seconds(t1 - t0);
    state.SetIterationTime(Seconds(t1 - t0));
    kestCommandBar* sub = mCommandBars::FindControl(drop->MenuOfItem(3));
    if (sub == nullptr) {
      state.SkipWithError("no sub-menu");
      break;
    }
    const MenuPicture shown = PictureOf(*sub);
    // Away to a plain item: its tick closes the sub-menu.
    const win::POINT away = Centre(*drop, 1);
    input::MouseMove(drop->hwnd(), away.x, away.y);
    input::FireTimer(drop->hwnd(), 1);
    input::ReturnToEventLoop();
    floor += PlainPaintSeconds(shown.size, shown.items, captions);
  }
  mCommandBars::LeaveMenuMode();
  Report(state, work, floor);
}

BENCHMARK(BM_ClickToDropDownPainted)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(400);
BENCHMARK(BM_HoverToSubMenuPainted)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(400);

}  // namespace

int main(int argc, char** argv) { return RunInApplication(argc, argv); }
