// Measuring and painting the command bars into a memory context: a 40-button toolbar and a
// 14-item menu, laid out and painted, or only repainted. Each reports microseconds per paint and,
// as `ratio`, its time over a bare fill of the same area measured in the same run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "bench/run_benchmarks.h"
#include "commandbars/button.h"
#include "commandbars/colour_scheme.h"
#include "commandbars/command_bar.h"
#include "commandbars/command_bar_image_list.h"
#include "commandbars/draw_button_params.h"
#include "commandbars/utility.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/icons.h"

namespace {

using namespace commandbars;

// A memory context on a 32-bit DIB section.
struct MemoryDc {
  win::HDC dc = 0;
  win::HBITMAP bitmap = 0;
  win::HGDIOBJ old = 0;
  MemoryDc(int w, int h) {
    win::BITMAPINFO info;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biBitCount = 32;
    dc = win::CreateCompatibleDC(0);
    void* bits = nullptr;
    bitmap = win::CreateDIBSection(dc, &info, win::DIB_RGB_COLORS, &bits, 0, 0);
    old = win::SelectObject(dc, bitmap);
  }
  ~MemoryDc() {
    win::SelectObject(dc, old);
    win::DeleteObject(bitmap);
    win::DeleteDC(dc);
  }
};

// Sixteen icons of 16 x 16 drawn from pixels.
win::HIMAGELIST Icons() {
  const win::HIMAGELIST list = win::ImageList_Create(16, 16, win::ILC_COLOR32 | win::ILC_MASK, 16, 4);
  const win::HDC dc = win::CreateCompatibleDC(0);
  for (int i = 0; i < 16; ++i) {
    std::vector<std::uint32_t> colour, mask;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const bool inside = (x - 8) * (x - 8) + (y - 8) * (y - 8) < 40;
        colour.push_back(inside ? 0xFF000000u | static_cast<std::uint32_t>(i * 15) << 16 | (x * 16) << 8 | y * 16 : 0);
        mask.push_back(inside ? 0 : 0xFFFFFF);
      }
    win::BITMAPINFO info;
    info.bmiHeader.biWidth = 16;
    info.bmiHeader.biHeight = -16;
    info.bmiHeader.biBitCount = 32;
    win::ICONINFO ii;
    ii.hbmColor = win::CreateBitmap(16, 16, 1, 32, nullptr);
    ii.hbmMask = win::CreateBitmap(16, 16, 1, 1, nullptr);
    win::SetDIBits(dc, ii.hbmColor, 0, 16, colour.data(), &info, win::DIB_RGB_COLORS);
    win::SetDIBits(dc, ii.hbmMask, 0, 16, mask.data(), &info, win::DIB_RGB_COLORS);
    const win::HICON icon = win::CreateIconIndirect(&ii);
    win::ImageList_AddIcon(list, icon);
    win::DestroyIcon(icon);
    win::DeleteObject(ii.hbmColor);
    win::DeleteObject(ii.hbmMask);
  }
  win::DeleteDC(dc);
  return list;
}

// A bar with its buttons, the icon source, a font and a context of the bar's size.
struct Scene {
  std::unique_ptr<cCommandBarInt> bar = std::make_unique<cCommandBarInt>();
  std::vector<std::unique_ptr<cButtonInt>> buttons;
  std::unique_ptr<cCommandBarInt> sub = std::make_unique<cCommandBarInt>();
  win::HIMAGELIST source = Icons();
  cCommandBarImageList icons;
  cFontCache fonts;
  MemoryDc surface;
  int width, height;
  cDrawButtonParams draw;
  std::vector<cDisplayButtonInfo> infos;

  Scene(int w, int h, std::int32_t sizeStyle) : surface(w, h), width(w), height(h) {
    ResetColours();
    bar->Key(u"BAR");
    sub->Key(u"SUB");
    icons.InitialiseFromVariant(source);
    vb::StdFont font;
    font.Name = u"Tahoma";
    font.Size = 8.25;
    draw.hdc = surface.dc;
    draw.hFont = fonts.hFont(font, 0, surface.dc);
    draw.FontFace = font.Name;
    draw.FontSize = 8;
    draw.ImageList = &icons;
    draw.SizeStyle = sizeStyle;
    draw.ToolbarSize = h;
  }
  ~Scene() {
    bar->Clear();
    icons.Destroy();
    win::ImageList_Destroy(source);
  }
  cButtonInt& Add(std::u16string caption, std::int32_t style, int icon) {
    auto b = std::make_unique<cButtonInt>();
    std::u16string key = u"BAR:";
    for (char c : std::to_string(buttons.size())) key += static_cast<char16_t>(c);
    b->Key(key);
    b->Caption(std::move(caption));
    b->Style(style);
    b->IconIndex(icon);
    bar->Add(*b);
    buttons.push_back(std::move(b));
    return *buttons.back();
  }
  void Background() {
    FillColourRect(surface.dc, SchemeColour(29), SchemeColour(30), 0, 0, width, height, false);
  }
  void Layout() {
    cMeasureButtonParams m;
    m.FromDrawButtonParams(draw);
    std::int32_t w = width, h = height;
    infos.clear();
    if (draw.SizeStyle <= 2) {
      bar->Measure(m, w, h, infos, false);
    } else {
      m.Height = height;
      bar->Layout(m, w, h, infos);
    }
  }
  void Paint() {
    Background();
    bar->Draw(draw, infos);
  }
};

// A toolbar of 40 buttons in groups of five, with a checked, a split and a drop-down button.
std::unique_ptr<Scene> Toolbar() {
  auto s = std::make_unique<Scene>(1200, 26, 4);
  for (int i = 0; i < 40; ++i) {
    if (i > 0 && i % 5 == 0) s->Add(u"", eSeparator, -1);
    const std::int32_t style = i == 3 ? eCheck : i == 7 ? eSplit : eNormal;
    cButtonInt& b = s->Add(u"Кнопка", style, i % 16);
    if (i == 3) b.Checked(true);
    if (i == 12) {
      b.Bar(s->sub.get());
      b.ShowDropDownInToolbar(true);
    }
    if (i == 20) b.Enabled(false);
  }
  s->Layout();
  s->infos[1].mouseOver = true;
  return s;
}

// A menu of 14 items with icons, shortcuts, separators, a check mark and a sub-menu.
std::unique_ptr<Scene> Menu() {
  auto s = std::make_unique<Scene>(260, 330, 1);
  const char16_t* captions[] = {u"&Создать", u"&Открыть...", u"Недавние", u"", u"Со&хранить", u"Сохранить &как...",
                                u"", u"&Печать...", u"Пара&метры страницы...", u"", u"Перенос по словам",
                                u"Строка состояния", u"", u"В&ыход"};
  for (int i = 0; i < 14; ++i) {
    const bool separator = captions[i][0] == u'\0';
    cButtonInt& b = s->Add(captions[i], separator ? eSeparator : i >= 10 && i <= 11 ? eCheck : eNormal,
                           separator || i == 10 ? -1 : i);
    b.ShortcutKey(static_cast<std::int16_t>(separator ? 0 : 'A' + i));
    b.ShortcutModifiers(kCtrlModifier);
    if (i == 2) b.Bar(s->sub.get());
    if (i == 10 || i == 11) b.Checked(true);
    if (i == 8) b.Enabled(false);
  }
  s->Layout();
  s->infos[4].mouseOver = true;
  return s;
}

// Mean seconds of one bare fill of the scene's area.
double FloorSeconds(Scene& s) {
  const win::RECT r{0, 0, s.width, s.height};
  const win::HBRUSH brush = win::CreateSolidBrush(win::RGB(200, 210, 220));
  constexpr int kRounds = 2000;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kRounds; ++i) win::FillRect(s.surface.dc, &r, brush);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  win::DeleteObject(brush);
  return took.count() / kRounds;
}

template <class Work>
void Run(benchmark::State& state, Scene& s, Work work) {
  const double floor = FloorSeconds(s);
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    work();
    benchmark::ClobberMemory();
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  const double perPaint = took.count() / static_cast<double>(state.iterations());
  state.counters["us_per_paint"] = perPaint * 1e6;
  state.counters["ratio"] = perPaint / floor;
}

void BM_ToolbarLayoutAndPaint(benchmark::State& state) {
  auto s = Toolbar();
  Run(state, *s, [&] {
    s->Layout();
    s->Paint();
  });
}

void BM_ToolbarRepaint(benchmark::State& state) {
  auto s = Toolbar();
  Run(state, *s, [&] { s->Paint(); });
}

void BM_MenuMeasureAndPaint(benchmark::State& state) {
  auto s = Menu();
  Run(state, *s, [&] {
    s->Layout();
    s->Paint();
  });
}

void BM_MenuRepaint(benchmark::State& state) {
  auto s = Menu();
  Run(state, *s, [&] { s->Paint(); });
}

BENCHMARK(BM_ToolbarLayoutAndPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ToolbarRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MenuMeasureAndPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MenuRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return RunInApplication(argc, argv); }
