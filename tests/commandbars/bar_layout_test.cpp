// Popup menus stacked and gridded, menu bars wrapped, toolbars overflowing into the chevron.
#include <gtest/gtest.h>

#include <numeric>

#include "commandbars/button.h"
#include "commandbars/command_bar.h"
#include "commandbars/draw_button_params.h"
#include "commandbars/utility.h"
#include "measure_support.h"
#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "stand_in_links.h"
#include "support_gdi.h"

using namespace commandbars;
using qmtest::frmPanel;
using qmtest::MakeBar;
using qmtest::MakeButton;

namespace {

struct Layouts : ::testing::Test, qmtest::MeasureSurface {
  std::unique_ptr<cCommandBarInt> bar = MakeBar(u"BAR");
  std::vector<std::unique_ptr<cButtonInt>> buttons;
  std::vector<cDisplayButtonInfo> infos;
  cButtonInt& Add(std::u16string caption, std::int32_t style = eNormal, std::int32_t icon = 0) {
    buttons.push_back(MakeButton(u"B" + std::u16string(1, static_cast<char16_t>(u'0' + buttons.size())), caption, style));
    buttons.back()->IconIndex(icon);
    bar->Add(*buttons.back());
    return *buttons.back();
  }
  // A toolbar of n icon buttons 24 wide, a separator after each `group` of them when group > 0.
  void Toolbar(int n, int group = 0) {
    for (int i = 0; i < n; ++i) {
      if (group > 0 && i > 0 && i % group == 0) Add(u"", eSeparator, -1);
      Add(u"");
    }
  }
  std::vector<bool> Hidden() const {
    std::vector<bool> v;
    for (const auto& i : infos) v.push_back(i.Hidden);
    return v;
  }
  void LayoutToolbar(std::int32_t width, std::int32_t& w, std::int32_t& h) {
    p.SizeStyle = 4;
    w = width;
    h = 30;
    bar->Layout(p, w, h, infos);
  }
};

}  // namespace

TEST_F(Layouts, PopupItemsStackInOneColumnAsWideAsTheWidest) {
  Add(u"&Открыть...");
  Add(u"", eSeparator, -1);
  Add(u"Со&хранить как...");
  p.SizeStyle = 1;
  std::int32_t w = 0, h = 0;
  bar->Measure(p, w, h, infos, false);
  ASSERT_EQ(infos.size(), 3u);
  EXPECT_EQ(infos[0].tOp, 1);
  EXPECT_EQ(infos[1].tOp, infos[0].Bottom);
  EXPECT_EQ(infos[1].Bottom - infos[1].tOp, 3);
  EXPECT_EQ(infos[2].tOp, infos[1].Bottom);
  EXPECT_EQ(h, infos[2].Bottom);
  for (const auto& i : infos) {
    EXPECT_EQ(i.left, 0);
    EXPECT_EQ(i.Right, w);
  }
  cMeasureButtonParams one = p;
  one.Height = 0;
  EXPECT_EQ(w, buttons[2]->Measure(one, false));
}

TEST_F(Layouts, PopupSkipsInvisibleAndInfrequentItemsUnlessShowingAll) {
  qmtest::StandInLinks links;
  Add(u"Один");
  Add(u"Два").Visible(false);
  Add(u"Три").Infrequent(true);
  p.SizeStyle = 1;
  std::int32_t w = 0, h = 0;
  links.showInfrequent = false;
  bar->Measure(p, w, h, infos, false);
  EXPECT_EQ(infos[1].Bottom, infos[1].tOp);
  EXPECT_EQ(infos[2].Bottom, infos[2].tOp);
  const std::int32_t one = h;
  links.showInfrequent = true;
  bar->Measure(p, w, h, infos, false);
  EXPECT_GT(h, one);
  EXPECT_EQ(infos[1].Bottom, infos[1].tOp);
  p.SizeStyle = 2;
  bar->Measure(p, w, h, infos, true);
  EXPECT_GT(infos[1].Bottom, infos[1].tOp);
}

TEST_F(Layouts, ColourSwatchesFormAGridOfEight) {
  Add(u"Нет цвета", eNormal, -1);
  for (int i = 0; i < 16; ++i) Add(u"", eNormal, -1).ColorBox(i * 0x101010);
  Add(u"Другие цвета...", eNormal, -1);
  p.SizeStyle = 1;
  std::int32_t w = 0, h = 0;
  bar->Measure(p, w, h, infos, false);
  EXPECT_GE(w, 16 * 8 + 28);
  const std::int32_t cell = infos[1].Right - infos[1].left;
  EXPECT_EQ(cell, 16 + 10);
  EXPECT_EQ(w, std::max(cell * 8 + 28, infos[0].Right));
  const std::int32_t rowHeight = infos[1].Bottom - infos[1].tOp;
  for (int i = 0; i < 16; ++i) {
    const auto& c = infos[static_cast<std::size_t>(1 + i)];
    EXPECT_EQ(c.left, 26 + (i % 8) * cell) << i;
    EXPECT_EQ(c.tOp, infos[0].Bottom + (i / 8) * rowHeight) << i;
  }
  EXPECT_EQ(infos[17].tOp, infos[16].Bottom);
  EXPECT_EQ(infos[17].Right, w);
  EXPECT_EQ(h, infos[17].Bottom);
}

TEST_F(Layouts, TwoSwatchesStackAndAGridEndsOnItsLastPlacedItem) {
  Add(u"", eNormal, -1).ColorBox(0xFF);
  Add(u"", eNormal, -1).ColorBox(0xFF00);
  p.SizeStyle = 1;
  std::int32_t w = 0, h = 0;
  bar->Measure(p, w, h, infos, false);
  EXPECT_EQ(infos[1].tOp, infos[0].Bottom);
  EXPECT_EQ(infos[1].left, 0);
  // A grid whose last item is hidden ends below the last cell shown.
  Add(u"", eNormal, -1).ColorBox(0xFF0000);
  Add(u"Скрытый").Visible(false);
  bar->Measure(p, w, h, infos, false);
  EXPECT_EQ(infos[2].left, 26 + 2 * (infos[0].Right - infos[0].left));
  EXPECT_EQ(h, infos[2].Bottom);
}

TEST_F(Layouts, MainMenuBarWrapsIntoRowsAndNeverHides) {
  for (auto c : {u"&Файл", u"&Правка", u"&Вид", u"Пе&рекодировка", u"&Сервис", u"&Справка"}) Add(c, eNormal, -1);
  p.SizeStyle = 3;
  std::int32_t w = 10000, h = 0;
  bar->Layout(p, w, h, infos);
  const std::int32_t oneRow = w;
  const std::int32_t rowHeight = h;
  EXPECT_EQ(infos.back().Right, oneRow);
  for (std::size_t i = 1; i < infos.size(); ++i) EXPECT_EQ(infos[i].left, infos[i - 1].Right);
  w = infos[2].Right + 5;
  h = 0;
  bar->Layout(p, w, h, infos);
  EXPECT_EQ(infos[3].left, 0);
  EXPECT_EQ(infos[3].tOp, rowHeight);
  EXPECT_GT(h, rowHeight);
  for (const auto& i : infos) EXPECT_FALSE(i.Hidden);
  // An item wider than the bar starts its own row without leaving an empty one.
  w = 5;
  bar->Layout(p, w, h, infos);
  EXPECT_EQ(infos[0].tOp, 0);
  EXPECT_EQ(infos[1].tOp, rowHeight);
  EXPECT_EQ(h, rowHeight * 6);
}

TEST_F(Layouts, ToolbarHidesFromTheEndAndBringsButtonsBackOneByOne) {
  frmPanel form;
  Toolbar(5);
  buttons[4]->Style(ePanel);
  buttons[4]->PanelControl(&form.txtZoom);
  form.txtZoom.Visible(true);
  std::int32_t w, h;
  LayoutToolbar(1000, w, h);
  EXPECT_EQ(w, 4 * 24 + 24);
  EXPECT_EQ(h, 24);
  LayoutToolbar(80, w, h);
  EXPECT_EQ(Hidden(), (std::vector<bool>{false, false, false, true, true}));
  EXPECT_FALSE(form.txtZoom.Visible());
  EXPECT_EQ(w, 72);
  EXPECT_TRUE(buttons[4]->Visible());
  LayoutToolbar(100, w, h);
  EXPECT_EQ(Hidden(), (std::vector<bool>{false, false, false, false, true}));
  LayoutToolbar(120, w, h);
  EXPECT_EQ(Hidden(), (std::vector<bool>(5, false)));
  EXPECT_EQ(w, 120);
}

TEST_F(Layouts, ToolbarWithSeparatorsMovesWholeGroups) {
  Toolbar(6, 2);  // [0 1] | [2 3] | [4 5]
  std::int32_t w, h;
  LayoutToolbar(2 * 24 + 8 + 2 * 24 + 8 + 24, w, h);
  EXPECT_EQ(Hidden(), (std::vector<bool>{false, false, false, false, false, true, true, true}));
  EXPECT_LE(w, 2 * 24 + 8 + 2 * 24);
  LayoutToolbar(1000, w, h);  // room for the last group: it comes back whole
  EXPECT_EQ(Hidden(), (std::vector<bool>(8, false)));
  for (auto& i : infos) i.Hidden = false;
  LayoutToolbar(60, w, h);
  EXPECT_EQ(Hidden(), (std::vector<bool>{false, false, true, true, true, true, true, true}));
  LayoutToolbar(2 * 24 + 8 + 24 + 10, w, h);  // one button of the next group would fit, not both
  EXPECT_EQ(Hidden(), (std::vector<bool>{false, false, true, true, true, true, true, true}));
}

TEST_F(Layouts, DoubleSeparatorsTakeTheRoomOfOne) {
  Add(u"");
  Add(u"", eSeparator, -1);
  Add(u"", eSeparator, -1);
  Add(u"");
  std::int32_t w, h;
  LayoutToolbar(1000, w, h);
  EXPECT_EQ(w, 24 + 8 + 24);
  EXPECT_EQ(infos[2].Right, infos[2].left);
}

TEST_F(Layouts, RightToLeftBarsStartAtTheRightEdgeAndStillOverflow) {
  Toolbar(4);
  p.RightToLeft = true;
  std::int32_t w, h;
  LayoutToolbar(200, w, h);
  EXPECT_EQ(infos[0].Right, 200);
  EXPECT_EQ(infos[1].Right, 176);
  EXPECT_EQ(w, 96);
  LayoutToolbar(60, w, h);
  EXPECT_EQ(Hidden(), (std::vector<bool>{false, false, true, true}));
  EXPECT_EQ(infos[1].left, 12);
}

TEST_F(Layouts, VerticalToolbarsRunDownAndStretchSeparatorsAcross) {
  Toolbar(3, 2);
  p.Orientation = 1;
  p.SizeStyle = 4;
  std::int32_t w = 0, h = 1000;
  bar->Layout(p, w, h, infos);
  EXPECT_EQ(infos[1].tOp, 24);
  EXPECT_EQ(infos[2].tOp, 48);
  EXPECT_EQ(infos[2].Bottom, 56);
  EXPECT_EQ(infos[2].Right, h);
  EXPECT_EQ(w, 24 * 3 + 8);
  EXPECT_EQ(h, 24);
  w = 0;
  h = 50;
  bar->Layout(p, w, h, infos);
  EXPECT_EQ(Hidden(), (std::vector<bool>{false, false, true, true}));
  // What a hidden separator frees is its length along the bar (8), not its width across it (24):
  // with 40 pixels, hiding the last group alone would still leave the second button cut.
  for (auto& i : infos) i.Hidden = false;
  w = 0;
  h = 40;
  bar->Layout(p, w, h, infos);
  EXPECT_TRUE(infos[1].Hidden);
  EXPECT_LE(w, 40);
}

TEST_F(Layouts, EmptyBarsAndShortRecordArrays) {
  std::int32_t w = 100, h = 30;
  bar->Layout(p, w, h, infos);
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 0);
  EXPECT_TRUE(infos.empty());
  bar->Measure(p, w, h, infos, false);
  EXPECT_TRUE(infos.empty());
  cDrawButtonParams d;
  bar->Draw(d, infos);
  bar->DrawButton(d, 1);
  Toolbar(3);
  LayoutToolbar(1000, w, h);
  EXPECT_EQ(infos.size(), 3u);
  infos.resize(1);
  d.hdc = surface.dc;
  d.SizeStyle = 4;
  bar->Draw(d, infos);  // buttons without a record are not drawn
}
