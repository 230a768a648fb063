// What the tests of the tab strip work on: a window holding a strip and two buttons, eight pages
// with their keys, and a fixture with the strip's tab window, its tabs' places and its pixels.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/tab_control.h"
#include "platform/gdi/gdi.h"
#include "platform/testing/win.h"
#include "platform/vb/controls.h"
#include "platform/vb/error.h"
#include "platform/vb/form.h"
#include "platform/vb/runtime.h"
#include "platform/win/window.h"

namespace qmtest {

using namespace win;

class frmTabs : public vb::Form {
 public:
  TabControl tabs{*this};
  vb::CommandButton cmdOther{*this};
  vb::CommandButton cmdLast{*this};
  std::vector<std::string> events;
  bool cancel = false;
  frmTabs() {
    tabs.BeforeClick = [this](std::int32_t t, bool& c) {
      events.push_back("before " + std::to_string(t));
      c = cancel;
    };
    tabs.TabClick = [this](std::int32_t t) { events.push_back("click " + std::to_string(t)); };
    tabs.TabRightClick = [this] { events.push_back("right"); };
  }
  // Properties the window's design gives the strip, read when it loads, and its size in twips.
  std::function<void(vb::PropertyBag&)> design;
  float stripWidth = 4500;  // 300 pixels
  float stripHeight = 3000;

 protected:
  void Design() override {
    Move(0, 0, 10000, 4000);
    tabs.Move(0, 0, stripWidth, stripHeight);
    cmdOther.Move(0, 3200, 1200, 375);
    cmdLast.Move(1500, 3200, 1200, 375);
    if (design) design(tabs.DesignProperties());
  }
};

const char16_t* const kPages[] = {u"Общие", u"Шрифт", u"Вид", u"Сохранение", u"Печать", u"Блокировка", u"Звуки", u"Перекодировка"};
const char16_t* const kKeys[] = {u"GENERAL", u"FONT", u"VIEW", u"SAVE", u"PRINT", u"LOCKED", u"SOUNDS", u"DECODE"};

class TabControlTest : public ::testing::Test {
 protected:
  void TearDown() override {
    form.Terminate();
    vb::DoEvents();
  }
  void AddEight() {
    for (int i = 0; i < 8; ++i) form.tabs.AddTab(kPages[i], -1, i + 1, kKeys[i], (i + 1) * 1000);
  }
  HWND Tab() { return form.tabs.TabCtrlhWnd(); }
  RECT ItemRect(int i) {
    RECT r;
    SendMessageA(Tab(), TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    return r;
  }
  // Paints the tab window (through every listener) and reads a pixel of what it shows.
  COLORREF PixelAfterPaint(int x, int y) {
    SendMessageA(Tab(), WM_PAINT, 0, 0);
    const HDC dc = GetDC(Tab());
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(Tab(), dc);
    return c;
  }
  std::int32_t ErrorOf(const std::function<void()>& f, std::u16string* description = nullptr, std::u16string* source = nullptr) {
    try {
      f();
    } catch (const vb::Error& e) {
      if (description) *description = e.Description;
      if (source) *source = e.Source;
      return e.Number;
    }
    return 0;
  }
  frmTabs form;
};

}  // namespace qmtest
