// What a user waits for in the menus: from a click on a menu-bar entry to its drop-down painted on
// the screen, and from a hover on a menu item to its sub-menu painted (the 250 ms delay itself left
// out: its timer is ticked at once). The floor is the same number of bare event pumps; the ratio
// to it is reported as the counter "ratio", beside the absolute figures.
#include <benchmark/benchmark.h>

#include <chrono>

#include "commandbars/command_bars.h"
#include "commandbars/kest_command_bar.h"
#include "commandbars/menu_mode.h"
#include "platform/application.h"
#include "platform/testing/win.h"
#include "platform/vb/control_array.h"
#include "platform/vb/form.h"
#include "platform/vb/runtime.h"
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

frmMenus& Form() {
  static frmMenus* form = [] {
    auto* f = new frmMenus;
    f->Show();
    input::ShowAndWait(f->hWnd());
    return f;
  }();
  return *form;
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
    input::ReturnToEventLoop();
    auto t2 = Clock::now();
    work += Seconds(t1 - t0);
    floor += Seconds(t2 - t1);
    state.SetIterationTime(Seconds(t1 - t0));
    if (bar.MenuOfItem(entry) == 0) state.SkipWithError("no drop-down");
    mCommandBars::LeaveMenuMode();
    input::ReturnToEventLoop();
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
  double work = 0, floor = 0;
  for (auto _ : state) {
    const win::POINT item = Centre(*drop, 3);
    auto t0 = Clock::now();
    input::MouseMove(drop->hwnd(), item.x, item.y);
    input::FireTimer(drop->hwnd(), 1);
    input::ReturnToEventLoop();
    auto t1 = Clock::now();
    input::ReturnToEventLoop();
    auto t2 = Clock::now();
    work += Seconds(t1 - t0);
    floor += Seconds(t2 - t1);
    state.SetIterationTime(Seconds(t1 - t0));
    if (drop->MenuOfItem(3) == 0) state.SkipWithError("no sub-menu");
    // Away to a plain item: its tick closes the sub-menu.
    const win::POINT away = Centre(*drop, 1);
    input::MouseMove(drop->hwnd(), away.x, away.y);
    input::FireTimer(drop->hwnd(), 1);
    input::ReturnToEventLoop();
  }
  mCommandBars::LeaveMenuMode();
  Report(state, work, floor);
}

BENCHMARK(BM_ClickToDropDownPainted)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(400);
BENCHMARK(BM_HoverToSubMenuPainted)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(400);

}  // namespace

int main(int argc, char** argv) {
  platform::Application app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
