// The segmented progress bar on a window, read back pixel by pixel from the control's surface, and
// a picture of it at a few values (kest_progress_bar.png in the build tree) for a person to look at.
#include "controls/kest_progress_bar.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/testing/gdi.h"
#include "platform/testing/vb.h"
#include "platform/vb/form.h"
#include "platform/vb/runtime.h"
#include "platform/vb/strings.h"
#include "support_gdi.h"

namespace {

using win::COLORREF;
using win::RECT;

constexpr COLORREF kBar = 0x800000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kThemeChunk = win::RGB(6, 176, 37);

class frmBars : public vb::Form {
 public:
  // 102 by 22 pixels: a bar area of 100 by 20 inside the one-pixel border.
  kestProgressBar Bar{*this};
  // 22 by 102 pixels: fills from the bottom.
  kestProgressBar Tall{*this};

 protected:
  void Design() override {
    Move(0, 0, 6000, 3000);
    Bar.Move(0, 0, 102 * 15, 22 * 15);
    Tall.Move(2000, 0, 22 * 15, 102 * 15);
  }
};

// A bitmap picture of w x h pixels.
vb::Picture Bitmap(int w, int h, const std::function<COLORREF(int, int)>& colour) {
  const win::HDC mem = win::CreateCompatibleDC(0);
  const win::HBITMAP bmp = win::CreateCompatibleBitmap(mem, w, h);
  const win::HDC screen = win::CreateDC("DISPLAY", "", "", nullptr);
  const win::HBITMAP colourBmp = win::CreateCompatibleBitmap(screen, w, h);
  win::DeleteDC(screen);
  win::DeleteObject(bmp);
  const win::HGDIOBJ old = win::SelectObject(mem, colourBmp);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) win::SetPixelV(mem, x, y, colour(x, y));
  win::SelectObject(mem, old);
  win::DeleteDC(mem);
  return std::make_shared<vb::StdPicture>(vb::vbPicTypeBitmap, colourBmp);
}

class KestProgressBarTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::testing::SetTheme(false); }
  void TearDown() override {
    platform::testing::SetTheme(true);
    form.Terminate();
    vb::DoEvents();
  }
  COLORREF At(kestProgressBar& bar, int x, int y) { return platform::testing::SurfacePixel(bar.hWnd(), x, y); }
  COLORREF At(int x, int y = 10) { return At(form.Bar, x, y); }
  // The runs of bar colour along the middle row: their starts and lengths.
  std::vector<std::pair<int, int>> Blocks(COLORREF colour = kBar) {
    std::vector<std::pair<int, int>> out;
    for (int x = 0; x < 102; ++x) {
      if (At(x) != colour) continue;
      if (!out.empty() && out.back().first + out.back().second == x) {
        ++out.back().second;
      } else {
        out.emplace_back(x, 1);
      }
    }
    return out;
  }
  bool RowHas(int y, COLORREF colour) {
    for (int x = 1; x < 101; ++x)
      if (At(x, y) == colour) return true;
    return false;
  }
  frmBars form;
  const COLORREF face = win::GetSysColor(win::COLOR_BTNFACE);
};

}  // namespace

TEST_F(KestProgressBarTest, TheBarFillsItsShareOfTheAreaRoundedHalfToEven) {
  form.Bar.Value(42);
  EXPECT_EQ(Blocks(), (std::vector<std::pair<int, int>>{{1, 42}}));
  EXPECT_EQ(At(43), face);
  form.Bar.Max(200);
  form.Bar.Value(85);  // 42.5 pixels: to the even 42
  EXPECT_EQ(Blocks(), (std::vector<std::pair<int, int>>{{1, 42}}));
  form.Bar.Value(87);  // 43.5: to 44
  EXPECT_EQ(Blocks(), (std::vector<std::pair<int, int>>{{1, 44}}));
  EXPECT_DOUBLE_EQ(form.Bar.Percent(), 43.5);

  form.Bar.Min(100);
  form.Bar.Value(50);  // below Min: empty
  EXPECT_EQ(form.Bar.Percent(), 0);
  EXPECT_TRUE(Blocks().empty());
  form.Bar.Value(500);  // above Max: full
  EXPECT_EQ(form.Bar.Percent(), 100);
  EXPECT_EQ(Blocks(), (std::vector<std::pair<int, int>>{{1, 100}}));
}

TEST_F(KestProgressBarTest, ARangeOfNothingIsEmptyUpToMinAndFullBeyond) {
  form.Bar.Min(10);
  form.Bar.Max(10);
  form.Bar.Value(10);
  EXPECT_EQ(form.Bar.Percent(), 0);
  EXPECT_TRUE(Blocks().empty());
  form.Bar.Value(11);
  EXPECT_EQ(form.Bar.Percent(), 100);
  EXPECT_EQ(Blocks(), (std::vector<std::pair<int, int>>{{1, 100}}));
}

TEST_F(KestProgressBarTest, SegmentsShowOnlyWholeBlocks) {
  form.Bar.Segments(true);
  form.Bar.Value(55);  // 55 pixels, moved back to 50: five blocks of 8 with gaps of 2
  EXPECT_EQ(Blocks(), (std::vector<std::pair<int, int>>{{1, 8}, {11, 8}, {21, 8}, {31, 8}, {41, 8}}));
  EXPECT_EQ(At(9), face);
  form.Bar.Value(9);  // not one whole block yet
  EXPECT_TRUE(Blocks().empty());
  form.Bar.Value(100);
  EXPECT_EQ(Blocks().size(), 10u);
}

TEST_F(KestProgressBarTest, AControlTallerThanWideFillsFromTheBottom) {
  form.Tall.Value(30);  // 30 of 100 rows, from row 100 up to row 71
  EXPECT_EQ(At(form.Tall, 10, 100), kBar);
  EXPECT_EQ(At(form.Tall, 10, 71), kBar);
  EXPECT_EQ(At(form.Tall, 10, 70), face);
  form.Tall.Segments(true);
  // Three whole blocks from the bottom: rows 93-100, 83-90, 73-80.
  EXPECT_EQ(At(form.Tall, 10, 100), kBar);
  EXPECT_EQ(At(form.Tall, 10, 92), face);
  EXPECT_EQ(At(form.Tall, 10, 73), kBar);
  EXPECT_EQ(At(form.Tall, 10, 72), face);
  EXPECT_EQ(At(form.Tall, 10, 71), face);
}

TEST_F(KestProgressBarTest, TextChangesColourWhereTheBarCoversIt) {
  form.Bar.ForeColor(kRed);
  form.Bar.BarForeColor(kGreen);
  form.Bar.Text(u"Идёт работа");
  // Not shown until ShowText.
  EXPECT_FALSE(RowHas(10, kRed));
  form.Bar.ShowText(true);
  EXPECT_TRUE(RowHas(10, kRed));
  EXPECT_FALSE(RowHas(10, kGreen));
  form.Bar.Value(100);
  EXPECT_TRUE(RowHas(10, kGreen));
  EXPECT_FALSE(RowHas(10, kRed));
  form.Bar.Value(50);  // the left half over the bar, the right half outside it
  bool greenLeft = false, redRight = false, wrongSide = false;
  for (int x = 1; x < 101; ++x) {
    for (int y = 1; y < 21; ++y) {
      const COLORREF c = At(x, y);
      if (x <= 50) {
        greenLeft |= c == kGreen;
        wrongSide |= c == kRed;
      } else {
        redRight |= c == kRed;
        wrongSide |= c == kGreen;
      }
    }
  }
  EXPECT_TRUE(greenLeft);
  EXPECT_TRUE(redRight);
  EXPECT_FALSE(wrongSide);
  // An empty text draws nothing.
  form.Bar.Text(u"");
  form.Bar.Value(0);
  EXPECT_FALSE(RowHas(10, kRed));
}

TEST_F(KestProgressBarTest, BordersFollowStyleAndAppearance) {
  const COLORREF shadow = win::GetSysColor(win::COLOR_BTNSHADOW);
  const COLORREF light = win::GetSysColor(win::COLOR_BTNHIGHLIGHT);
  // Sunken lines: shadow left and top, highlight right and bottom.
  EXPECT_EQ(At(0, 10), shadow);
  EXPECT_EQ(At(50, 0), shadow);
  EXPECT_EQ(At(101, 10), light);
  EXPECT_EQ(At(50, 21), light);
  form.Bar.BorderStyle(2);
  EXPECT_EQ(At(0, 10), light);
  EXPECT_EQ(At(101, 10), shadow);
  form.Bar.Appearance(0);
  EXPECT_EQ(At(0, 10), kBlack);
  EXPECT_EQ(At(101, 10), kBlack);
  // The wider edge insets the bar by two pixels.
  form.Bar.Appearance(2);
  form.Bar.BorderStyle(1);
  form.Bar.Value(100);
  {
    qmtest::Surface edge(102, 22, face);
    win::RECT all{0, 0, 102, 22};
    win::DrawEdge(edge.dc, &all, win::EDGE_SUNKEN, win::BF_RECT | win::BF_SOFT);
    for (auto [x, y] : {std::pair{0, 10}, {1, 10}, {50, 0}, {50, 1}, {101, 10}, {100, 10}, {50, 21}, {50, 20}})
      EXPECT_EQ(At(x, y), edge.at(x, y)) << x << "," << y;
  }
  EXPECT_EQ(Blocks(), (std::vector<std::pair<int, int>>{{2, 98}}));
  // No border: the bar takes the whole control.
  form.Bar.BorderStyle(0);
  EXPECT_EQ(Blocks(), (std::vector<std::pair<int, int>>{{0, 102}}));
}

TEST_F(KestProgressBarTest, TheVisualStyleDrawsWhenOnAndActive) {
  form.Bar.XpStyle(true);
  form.Bar.Value(55);
  // Without an active style: the classic bar.
  EXPECT_EQ(Blocks(), (std::vector<std::pair<int, int>>{{1, 55}}));
  platform::testing::SetTheme(true);
  form.Bar.Value(55);
  // The style's track, and its chunk up to a whole step of chunk plus twice the space (10).
  EXPECT_EQ(Blocks(kThemeChunk), (std::vector<std::pair<int, int>>{{1, 50}}));
  EXPECT_EQ(At(51), kWhite);
  EXPECT_EQ(At(0, 10), win::RGB(188, 188, 188));
  form.Bar.XpStyle(false);
  EXPECT_EQ(Blocks(), (std::vector<std::pair<int, int>>{{1, 55}}));
}

TEST_F(KestProgressBarTest, TheHostMayDrawInstead) {
  int calls = 0;
  form.Bar.BeforeDraw = [&](win::HDC hdc, int left, int top, int width, int height, bool& doDefault) {
    ++calls;
    EXPECT_EQ(left, 0);
    EXPECT_EQ(top, 0);
    EXPECT_EQ(width, 102);
    EXPECT_EQ(height, 22);
    const win::RECT all{0, 0, width, height};
    const win::HBRUSH b = win::CreateSolidBrush(kGreen);
    win::FillRect(hdc, &all, b);
    win::DeleteObject(b);
    doDefault = false;
  };
  form.Bar.Value(80);
  EXPECT_GE(calls, 1);
  EXPECT_EQ(At(0, 0), kGreen);
  EXPECT_EQ(At(40), kGreen);
  EXPECT_EQ(At(101, 21), kGreen);
}

TEST_F(KestProgressBarTest, PicturesAreStretchedOrTiledBehindAndInsideTheBar) {
  // 4 x 4: red left half, green right half.
  const vb::Picture halves = Bitmap(4, 4, [](int x, int) { return x < 2 ? kRed : kGreen; });
  form.Bar.BorderStyle(0);
  form.Bar.Picture(halves);
  // Stretched over 102 pixels: red to the middle, then green.
  EXPECT_EQ(At(0), kRed);
  EXPECT_EQ(At(50), kRed);
  EXPECT_EQ(At(52), kGreen);
  EXPECT_EQ(At(101), kGreen);
  form.Bar.BackPictureMode(0);  // tiled: red, red, green, green, red, ...
  EXPECT_EQ(At(0), kRed);
  EXPECT_EQ(At(2), kGreen);
  EXPECT_EQ(At(4), kRed);
  EXPECT_EQ(At(99), kGreen);
  EXPECT_EQ(At(100), kRed);  // the last copy is cut after its second column
  EXPECT_EQ(At(101), kRed);

  // The bar picture fills only the bar.
  form.Bar.Picture(nullptr);
  form.Bar.BarPicture(Bitmap(2, 2, [](int, int) { return kGreen; }));
  form.Bar.Value(30);
  EXPECT_EQ(Blocks(kGreen), (std::vector<std::pair<int, int>>{{0, 31}}));
  EXPECT_EQ(At(40), face);
  // Lightness 0 turns the bar picture black.
  form.Bar.ModifyBarPicture(1, 0, 1);
  EXPECT_EQ(At(10), kBlack);
  EXPECT_EQ(At(40), face);
}

TEST_F(KestProgressBarTest, PropertiesPersistUnderTheirKeysWithTheirDefaults) {
  EXPECT_TRUE(form.Bar.SaveProperties().Empty());
  EXPECT_EQ(form.Bar.Max(), 100);
  EXPECT_EQ(form.Bar.BackColor(), vb::vbButtonFace);
  EXPECT_EQ(form.Bar.ForeColor(), vb::vbWindowText);
  EXPECT_EQ(form.Bar.BarColor(), kBar);
  EXPECT_EQ(form.Bar.BarForeColor(), kWhite);
  EXPECT_EQ(form.Bar.TextAlignX(), 1);
  EXPECT_EQ(form.Bar.Appearance(), 1);
  form.Bar.Segments(true);
  form.Bar.Value(30);
  form.Bar.Text(u"Загрузка");
  form.Bar.BarColor(kRed);
  form.Bar.Picture(Bitmap(2, 2, [](int, int) { return kRed; }));
  EXPECT_EQ(form.Bar.ChangedProperties(), (std::vector<std::u16string>{u"Segments", u"Value", u"Text", u"BarColor",
                                                                        u"Picture", u"BarPicture"}));
  const vb::PropertyBag saved = form.Bar.SaveProperties();
  EXPECT_EQ(saved.Names(), (std::vector<std::u16string>{u"barcolor", u"picture", u"segments", u"text", u"value"}));

  // A saved bar loads as it was saved.
  form.Terminate();
  form.Bar.DesignProperties() = saved;
  form.Load();
  EXPECT_TRUE(form.Bar.Segments());
  EXPECT_EQ(form.Bar.Value(), 30);
  EXPECT_EQ(form.Bar.Text(), u"Загрузка");
  EXPECT_EQ(form.Bar.BarColor(), kRed);
  EXPECT_EQ(form.Bar.Max(), 100);
  ASSERT_NE(form.Bar.Picture(), nullptr);
  EXPECT_EQ(form.Bar.Picture()->WidthPixels(), 2);
  // The background picture shows behind three blocks of the bar colour.
  EXPECT_EQ(Blocks(kRed), (std::vector<std::pair<int, int>>{{1, 100}}));
  form.Bar.BarColor(kGreen);
  EXPECT_EQ(Blocks(kGreen).size(), 3u);
}

// The picture shows each bar filled to its value: its share of the area inside the border, rounded
// half to even, and in segments only whole blocks; text in the text colour outside the bar and in
// the bar's text colour over it.
TEST_F(KestProgressBarTest, APictureAtAFewValues) {
  class frmShow : public vb::Form {
   public:
    kestProgressBar Plain{*this}, Blocks{*this}, Styled{*this}, Raised{*this}, Wide{*this}, Up{*this};

   protected:
    void Design() override {
      Caption(u"Полосы");
      Move(0, 0, 4200, 3300);
      Plain.Move(150, 150, 3000, 330);
      Blocks.Move(150, 600, 3000, 330);
      Styled.Move(150, 1050, 3000, 330);
      Raised.Move(150, 1500, 3000, 330);
      Wide.Move(150, 1950, 3000, 330);
      Up.Move(3400, 150, 330, 2130);
    }
  } show;
  show.Show();
  show.Plain.ShowText(true);
  show.Plain.Text(u"25%");
  show.Plain.Value(25);
  show.Blocks.Segments(true);
  show.Blocks.Value(55);
  show.Styled.XpStyle(true);
  platform::testing::SetTheme(true);
  show.Styled.ShowText(true);
  show.Styled.Text(u"Оформление");
  show.Styled.Value(70);
  platform::testing::SetTheme(false);
  show.Raised.BorderStyle(2);
  show.Raised.BarColor(0x0080FF);
  show.Raised.Value(90);
  show.Wide.Appearance(2);
  show.Wide.ShowText(true);
  show.Wide.TextAlignX(0);
  show.Wide.Text(u"Почти половина");
  show.Wide.Value(40);
  show.Up.Segments(true);
  show.Up.Value(60);
  platform::testing::SetTheme(true);
  vb::DoEvents();
  const platform::testing::Picture picture = vb::testing::WindowPicture(show.hWnd());
  EXPECT_TRUE(platform::testing::SavePicture(picture, vb::FromUtf8(QM_BINARY_DIR "/kest_progress_bar.png")));
  const COLORREF text = win::GetSysColor(win::COLOR_WINDOWTEXT);
  const auto at = [&](kestProgressBar& bar) { return qmtest::RectIn(bar.hWnd(), show.hWnd()); };
  // Each horizontal bar is 200 by 22 pixels; the top row inside the border holds no text.
  const RECT plain = at(show.Plain);
  ASSERT_EQ(plain.right - plain.left, 200);
  ASSERT_EQ(plain.bottom - plain.top, 22);
  // 25 of 100 over 198 pixels: 49.5, to the even 50.
  EXPECT_EQ(picture.RowRuns(plain.top + 1, plain.left, plain.right, kBar),
            (std::vector<std::pair<int, int>>{{plain.left + 1, 50}}));
  const RECT plainText = picture.Ink(RECT{plain.left + 51, plain.top + 1, plain.right - 1, plain.bottom - 1}, face);
  EXPECT_GT(picture.Count(plainText, text), 0) << "the text stands outside the bar, in the text colour";
  EXPECT_EQ(picture.Count(RECT{plain.left + 1, plain.top + 1, plain.left + 51, plain.bottom - 1}, kWhite), 0);
  EXPECT_LT(plainText.left - (plain.left + 1), (plain.right - 1) - plainText.right + 1) << "centred: 25% stands right of the bar";

  // 108.9 pixels, moved back to whole steps of 10: ten blocks of 8.
  const RECT blocks = at(show.Blocks);
  std::vector<std::pair<int, int>> ten;
  for (int i = 0; i < 10; ++i) ten.emplace_back(blocks.left + 1 + 10 * i, 8);
  EXPECT_EQ(picture.RowRuns(blocks.top + 10, blocks.left, blocks.right, kBar), ten);

  // The visual style's chunk, 138.6 pixels moved back to 130, on its white track.
  const RECT styled = at(show.Styled);
  EXPECT_EQ(picture.RowRuns(styled.top + 1, styled.left, styled.right, kThemeChunk),
            (std::vector<std::pair<int, int>>{{styled.left + 1, 130}}));
  EXPECT_TRUE(picture.All(RECT{styled.left + 131, styled.top + 1, styled.right - 1, styled.top + 3}, kWhite));
  EXPECT_GT(picture.Count(styled, text), 0) << "its text";

  // Raised: highlight left and top, shadow right and bottom; 178.2 pixels of orange.
  const RECT raised = at(show.Raised);
  EXPECT_EQ(picture.at(raised.left, raised.top + 10), win::GetSysColor(win::COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(picture.at(raised.right - 1, raised.top + 10), win::GetSysColor(win::COLOR_BTNSHADOW));
  EXPECT_EQ(picture.RowRuns(raised.top + 10, raised.left, raised.right, 0x0080FF),
            (std::vector<std::pair<int, int>>{{raised.left + 1, 178}}));

  // The wider edge leaves 196 pixels, 78.4 of them filled; the text starts at the left over the bar
  // in white and goes on past the bar's end in the text colour.
  const RECT wide = at(show.Wide);
  const int wideEnd = wide.left + 2 + 78;
  EXPECT_EQ(picture.RowRuns(wide.top + 2, wide.left, wide.right, kBar), (std::vector<std::pair<int, int>>{{wide.left + 2, 78}}));
  const RECT inside{wide.left + 2, wide.top + 2, wide.right - 2, wide.bottom - 2};
  EXPECT_GT(picture.Count(RECT{inside.left, inside.top, wideEnd, inside.bottom}, kWhite), 0);
  EXPECT_EQ(picture.Count(RECT{inside.left, inside.top, wideEnd, inside.bottom}, text), 0);
  EXPECT_GT(picture.Count(RECT{wideEnd, inside.top, inside.right, inside.bottom}, text), 0);
  EXPECT_EQ(picture.Count(RECT{wideEnd, inside.top, inside.right, inside.bottom}, kWhite), 0);
  EXPECT_LT(picture.Ink(inside, kBar).left - inside.left, 10) << "aligned left";

  // Upright, 22 by 142: 84 of 140 rows, whole blocks of 8 from the bottom up.
  const RECT up = at(show.Up);
  ASSERT_EQ(up.bottom - up.top, 142);
  std::vector<std::pair<int, int>> eight;
  for (int i = 7; i >= 0; --i) eight.emplace_back(up.bottom - 2 - 7 - 10 * i, 8);
  EXPECT_EQ(picture.ColumnRuns(up.left + 10, up.top, up.bottom, kBar), eight);
  show.Terminate();
}
