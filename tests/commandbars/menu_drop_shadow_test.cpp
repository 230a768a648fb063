#include "commandbars/menu_drop_shadow.h"

#include <gtest/gtest.h>

#include "platform/testing/gdi.h"
#include "platform/win/window.h"

using commandbars::cMenuDropShadow;

namespace {
// The alpha of the picture's pixel at (x, y), y counted from the top.
int Alpha(const cMenuDropShadow& s, int x, int y) {
  const int row = s.PictureHeight() - 1 - y;
  return s.PictureBits()[(row * s.PictureWidth() + x) * 4 + 3];
}
}  // namespace

TEST(MenuDropShadow, RightShadowFadesAwayFromTheMenuAndInAtTheTop) {
  cMenuDropShadow s;
  s.Initialise(200, 100, 5, 100, 0);
  s.Create();
  ASSERT_NE(s.hwnd(), 0);
  win::RECT r;
  win::GetWindowRect(s.hwnd(), &r);
  EXPECT_EQ(r.left, 200);
  EXPECT_EQ(r.top, 105);
  EXPECT_EQ(r.right - r.left, 5);
  EXPECT_EQ(r.bottom - r.top, 100);
  ASSERT_EQ(s.PictureWidth(), 5);
  ASSERT_EQ(s.PictureHeight(), 95);
  std::vector<int> column;
  for (int y = 0; y < 7; ++y) column.push_back(Alpha(s, 0, y));
  EXPECT_EQ(column, (std::vector<int>{51, 102, 153, 204, 255, 255, 255}));
  EXPECT_EQ(Alpha(s, 94 - 94, 94), 255);
  std::vector<int> row;
  for (int x = 0; x < 5; ++x) row.push_back(Alpha(s, x, 50));
  EXPECT_EQ(row, (std::vector<int>{255, 204, 153, 102, 51}));
  // Premultiplied shadow colour: blue 192 x 204 / 255 = 153.6.
  const std::uint8_t* p = s.PictureBits() + (50 * 5 + 1) * 4;
  EXPECT_EQ(std::vector<int>(p, p + 4), (std::vector<int>{154, 0, 0, 204}));
  EXPECT_EQ(platform::testing::SurfaceAlpha(s.hwnd(), 0, 50), 96) << "constant alpha 96 over full alpha";
  EXPECT_NE(win::GetWindowLongA(s.hwnd(), win::GWL_EXSTYLE) & win::WS_EX_TRANSPARENT, 0)
      << "the shadow never takes the mouse";
  const win::HWND h = s.hwnd();
  s.Destroy();
  EXPECT_EQ(s.hwnd(), 0);
  EXPECT_FALSE(win::IsWindow(h));
  EXPECT_EQ(s.PictureBits(), nullptr);
}

TEST(MenuDropShadow, BottomShadowFadesDownwardsAndAtBothEnds) {
  cMenuDropShadow s;
  s.ShadowType(1);
  s.ShadowColor(static_cast<std::int32_t>(0x80000010));  // a system colour is translated
  s.Initialise(0, 300, 50, 5, 0);
  s.Create();
  ASSERT_EQ(s.PictureWidth(), 50);
  ASSERT_EQ(s.PictureHeight(), 5);
  for (int x = 0; x < 50; ++x) ASSERT_EQ(Alpha(s, x, 4), 0) << "the bottom row is clear";
  // Top row: column factor x 4 / 5.
  const int factors[] = {0, 51, 102, 153, 204, 255};
  for (int x = 0; x < 5; ++x) EXPECT_EQ(Alpha(s, x, 0), factors[x] * 4 / 5) << x;
  EXPECT_EQ(Alpha(s, 25, 0), 204);
  for (int x = 46; x < 50; ++x) EXPECT_EQ(Alpha(s, x, 0), factors[50 - x] * 4 / 5) << x;
  const std::uint8_t* p = s.PictureBits() + (4 * 50 + 25) * 4;  // top row, middle: alpha 204
  EXPECT_EQ(p[2], 102) << "grey 128 x 204 / 255 = 102.4";
  win::RECT r;
  win::GetWindowRect(s.hwnd(), &r);
  EXPECT_EQ(r.left, 5);
  EXPECT_EQ(r.top, 300);
}

TEST(MenuDropShadow, DestroyingAShadowNeverMadeDoesNothing) {
  cMenuDropShadow s;
  s.Destroy();
  EXPECT_EQ(s.hwnd(), 0);
  EXPECT_EQ(s.ShadowSize(), 5);
  EXPECT_EQ(s.ShadowColor(), 0xC00000);
}
