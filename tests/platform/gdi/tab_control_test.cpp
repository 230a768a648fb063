// The tab control window class at the message level: items, selection, the notifications its
// parent receives, hit testing and the display area.
#include "platform/gdi/tab_control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/win/keys.h"
#include "platform/testing/win.h"
#include "platform/win/window.h"

using namespace win;

namespace {

std::vector<int> notified;
LRESULT refuse = 0;

LRESULT Parent(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_NOTIFY) {
    const auto* hdr = reinterpret_cast<const NMHDR*>(l);
    notified.push_back(hdr->code);
    if (hdr->code == TCN_SELCHANGING) return refuse;
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

class TabWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    static const bool registered = [] {
      WNDCLASSA wc;
      wc.lpszClassName = "TabParentProbe";
      wc.lpfnWndProc = &Parent;
      return RegisterClassA(wc) != 0;
    }();
    (void)registered;
    InitCommonControls();
    parent = CreateWindowExA(0, "TabParentProbe", u"", WS_POPUP, 0, 0, 400, 200, 0, 0, 0, nullptr);
    tab = CreateWindowExA(0, WC_TABCONTROLA, u"", WS_CHILD | WS_VISIBLE, 0, 0, 400, 200, parent, 7, 0, nullptr);
    notified.clear();
    refuse = 0;
  }
  void TearDown() override { DestroyWindow(parent); }
  LRESULT Insert(int at, std::u16string text, LPARAM data = 0) {
    TCITEMA item;
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = text.data();
    item.lParam = data;
    return SendMessageA(tab, TCM_INSERTITEMA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&item));
  }
  std::u16string Text(int i, int buffer = 64) {
    std::u16string b(static_cast<std::size_t>(buffer), u'#');
    TCITEMA item;
    item.mask = TCIF_TEXT;
    item.pszText = b.data();
    item.cchTextMax = buffer;
    if (SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)) == 0) return u"<none>";
    return b.substr(0, b.find(u'\0'));
  }
  RECT Rect(int i) {
    RECT r{};
    SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    return r;
  }
  HWND parent = 0;
  HWND tab = 0;
};

}  // namespace

TEST_F(TabWindow, ItemsAreInsertedClampedAndDeletedWithTheSelectionFollowing) {
  EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), -1);
  EXPECT_EQ(Insert(0, u"Один"), 0);
  EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 0);  // the first tab is selected
  EXPECT_EQ(Insert(5, u"Три"), 1);                        // beyond the end: appended
  EXPECT_EQ(Insert(1, u"Два"), 1);
  EXPECT_EQ(Insert(-1, u"Нет"), -1);
  EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(Text(0) + Text(1) + Text(2), u"ОдинДваТри");
  EXPECT_EQ(Text(2, 3), u"Тр");  // the buffer's size, NUL included
  EXPECT_EQ(Text(3), u"<none>");

  EXPECT_EQ(SendMessageA(tab, TCM_SETCURSEL, 2, 0), 0);  // answers the previous selection
  EXPECT_EQ(SendMessageA(tab, TCM_SETCURSEL, 9, 0), -1);
  EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 2);
  EXPECT_TRUE(notified.empty());  // selection by message notifies nobody
  EXPECT_EQ(Insert(0, u"Ноль"), 0);
  EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 3);  // still "Три"
  EXPECT_EQ(SendMessageA(tab, TCM_DELETEITEM, 1, 0), TRUE);
  EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(SendMessageA(tab, TCM_DELETEITEM, 2, 0), TRUE);  // the selected one
  EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), -1);
  EXPECT_EQ(SendMessageA(tab, TCM_DELETEITEM, 5, 0), FALSE);
  EXPECT_EQ(SendMessageA(tab, TCM_DELETEALLITEMS, 0, 0), TRUE);
  EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(TabWindow, ClicksAndKeysAskTheParentFirstAndTellItAfter) {
  for (int i = 0; i < 4; ++i) Insert(i, u"Вкладка " + std::u16string(1, static_cast<char16_t>(u'1' + i)));
  const RECT second = Rect(1);
  TCHITTESTINFO hit;
  hit.pt = POINT{second.left + 3, second.top + 3};
  EXPECT_EQ(SendMessageA(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 1);
  EXPECT_EQ(hit.flags, TCHT_ONITEM);
  hit.pt = POINT{200, 150};
  EXPECT_EQ(SendMessageA(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), -1);

  SendMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(second.left + 3, second.top + 3));
  EXPECT_EQ(notified, (std::vector<int>{TCN_SELCHANGING, TCN_SELCHANGE}));
  EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 1);
  // A click on the selected tab changes nothing.
  notified.clear();
  SendMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(second.left + 3, second.top + 3));
  EXPECT_TRUE(notified.empty());
  // The parent may refuse.
  refuse = 1;
  SendMessageA(tab, WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(notified, (std::vector<int>{TCN_KEYDOWN, TCN_SELCHANGING}));
  EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 1);
  refuse = 0;
  notified.clear();
  SendMessageA(tab, WM_KEYDOWN, VK_END, 0);
  EXPECT_EQ(notified, (std::vector<int>{TCN_KEYDOWN, TCN_SELCHANGING, TCN_SELCHANGE}));
  EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 3);
  notified.clear();
  SendMessageA(tab, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(notified, std::vector<int>{NM_RCLICK});
}

TEST_F(TabWindow, TheDisplayAreaAndTheWindowAreaConvertBothWays) {
  Insert(0, u"Общие");
  RECT r{0, 0, 400, 200};
  SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.left, 4);
  EXPECT_EQ(r.top, Rect(0).bottom + 4);
  EXPECT_EQ(r.right, 396);
  EXPECT_EQ(r.bottom, 196);
  SendMessageA(tab, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, 400);
  EXPECT_EQ(r.bottom, 200);
  // Larger padding makes taller and wider tabs.
  const RECT before = Rect(0);
  SendMessageA(tab, TCM_SETPADDING, 0, MAKELPARAM(12, 6));
  const RECT after = Rect(0);
  EXPECT_EQ((after.right - after.left) - (before.right - before.left), 12);
  EXPECT_EQ((after.bottom - after.top) - (before.bottom - before.top), 6);
  EXPECT_EQ(SendMessageA(tab, TCM_SETEXTENDEDSTYLE, TCS_EX_FLATSEPARATORS, TCS_EX_FLATSEPARATORS), 0);
  EXPECT_EQ(SendMessageA(tab, TCM_GETEXTENDEDSTYLE, 0, 0), TCS_EX_FLATSEPARATORS);
}

namespace {
// Whether any pixel of the rectangle, as the window shows it after painting, has the colour.
bool Shows(HWND h, const RECT& r, COLORREF colour) {
  SendMessageA(h, WM_PAINT, 0, 0);
  const HDC dc = GetDC(h);
  bool found = false;
  for (int y = r.top; y < r.bottom && !found; ++y)
    for (int x = r.left; x < r.right && !found; ++x) found = GetPixel(dc, x, y) == colour;
  ReleaseDC(h, dc);
  return found;
}
}  // namespace

TEST_F(TabWindow, CaptionsShowHotTrackingAndTheDisabledState) {
  Insert(0, u"Общие");
  Insert(1, u"Шрифт");
  const RECT edge = Rect(1);
  const RECT second{edge.left + 3, edge.top + 3, edge.right - 3, edge.bottom - 1};  // inside the edges
  const COLORREF hot = GetSysColor(COLOR_HOTLIGHT), grey = GetSysColor(COLOR_GRAYTEXT);
  SendMessageA(tab, WM_MOUSEMOVE, 0, MAKELPARAM(second.left + 3, second.top + 3));
  EXPECT_FALSE(Shows(tab, second, hot));  // without hot tracking
  SetWindowLongA(tab, GWL_STYLE, GetWindowLongA(tab, GWL_STYLE) | TCS_HOTTRACK);
  SendMessageA(tab, WM_MOUSEMOVE, 0, MAKELPARAM(second.left + 3, second.top + 3));
  EXPECT_TRUE(Shows(tab, second, hot));
  EXPECT_FALSE(Shows(tab, RECT{Rect(0).left + 3, 3, Rect(0).right - 3, Rect(0).bottom - 1}, hot));
  SendMessageA(tab, WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(Shows(tab, second, hot));
  EXPECT_FALSE(Shows(tab, second, grey));
  EnableWindow(tab, FALSE);
  EXPECT_TRUE(Shows(tab, second, grey));
}
