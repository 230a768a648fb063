// Draws a menu bar with its File menu open and a toolbar in every state, once per drawing style,
// and writes them as command-bars-sheet.png in the build tree for a person to look at. The popup's
// background and icon column are drawn here as the popup host draws them.
#include <gtest/gtest.h>

#include <filesystem>

#include "commandbars/button.h"
#include "commandbars/colour_scheme.h"
#include "commandbars/command_bar.h"
#include "commandbars/command_bar_image_list.h"
#include "commandbars/draw_button_params.h"
#include "commandbars/utility.h"
#include "measure_support.h"
#include "platform/gdi/icons.h"
#include "platform/testing/gdi.h"
#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "platform/win/keys.h"
#include "stand_in_links.h"
#include "support_gdi.h"

using namespace commandbars;
using qmtest::frmPanel;
using qmtest::MakeBar;
using qmtest::MakeButton;

namespace {

const char* const kIconFiles[] = {"New", "Open", "Save", "Print", "Cut", "Copy", "Paste", "Undo", "Find", "Font", "Locked"};
enum Icon { New, Open, Save, Print, Cut, Copy, Paste, Undo, Find, Font, Locked };

// The program's own small command icons, or plain squares where a file is missing.
win::HIMAGELIST CommandIcons() {
  const win::HIMAGELIST list = win::ImageList_Create(16, 16, win::ILC_COLOR32 | win::ILC_MASK, 12, 4);
  const std::string folder = std::string(QM_BINARY_DIR) + "/bin/Data/icons/toolbars/small/";
  for (const char* name : kIconFiles) {
    auto icon = static_cast<win::HICON>(
        win::LoadImageA(0, folder + name + ".ico", win::IMAGE_ICON, 16, 16, win::LR_LOADFROMFILE));
    if (icon == 0) icon = qmtest::MakeIcon(16, 16, [](int x, int y) { return 0xFF000000u | (x * 16) << 16 | y * 16; });
    win::ImageList_AddIcon(list, icon);
    win::DestroyIcon(icon);
  }
  return list;
}

struct Sheet {
  qmtest::Surface& sheet;
  cFontCache fonts;
  vb::StdFont font;
  win::HFONT hFont = 0;
  std::vector<std::unique_ptr<cButtonInt>> buttons;

  explicit Sheet(qmtest::Surface& s) : sheet(s) {
    font.Name = u"Tahoma";
    font.Size = 8.25;
    hFont = fonts.hFont(font, 0, s.dc);
  }
  cButtonInt& Button(cCommandBarInt& bar, std::u16string caption, int icon = -1, std::int32_t style = eNormal) {
    buttons.push_back(MakeButton(bar.Key() + u":" + std::u16string(1, static_cast<char16_t>(u'A' + buttons.size())),
                                 caption, style));
    if (icon >= 0) buttons.back()->IconIndex(icon);
    bar.Add(*buttons.back());
    return *buttons.back();
  }
  cDrawButtonParams Params(win::HDC dc, cCommandBarImageList* list, std::int32_t sizeStyle) {
    cDrawButtonParams p;
    p.hdc = dc;
    p.hFont = hFont;
    p.FontFace = font.Name;
    p.FontSize = 8;
    p.ImageList = list;
    p.SizeStyle = sizeStyle;
    return p;
  }
  cMeasureButtonParams Measure(const cDrawButtonParams& d, int height) {
    cMeasureButtonParams m;
    m.FromDrawButtonParams(d);
    m.Height = height;
    return m;
  }
};

// One style's panel at (x0, y0): a menu bar, its open File menu and a toolbar.
void DrawPanel(Sheet& sh, int x0, int y0, cCommandBarImageList& icons, frmPanel& form) {
  auto menu = MakeBar(u"MENU");
  auto file = MakeBar(u"MENU:FILE");
  auto recent = MakeBar(u"MENU:FILE:RECENT");
  auto toolbar = MakeBar(u"TOOLBAR");
  for (auto c : {u"&Файл", u"&Правка", u"&Вид", u"Пе&рекодировка", u"&Справка"})
    sh.Button(*menu, c).ShowCaptionInToolbar(true);
  sh.buttons[sh.buttons.size() - 5]->Bar(file.get());

  auto item = [&](std::u16string caption, int icon, int key, int modifiers = kCtrlModifier) -> cButtonInt& {
    cButtonInt& b = sh.Button(*file, caption, icon);
    b.ShortcutKey(static_cast<std::int16_t>(key));
    b.ShortcutModifiers(key != 0 ? modifiers : 0);
    return b;
  };
  item(u"&Создать", New, 'N');
  item(u"&Открыть...", Open, 'O');
  item(u"&Недавние файлы", -1, 0).Bar(recent.get());
  sh.Button(*file, u"", -1, eSeparator);
  cButtonInt& save = item(u"Со&хранить", Save, 'S');
  item(u"Сохранить &как...", -1, win::VK_F1 + 11, 0).Enabled(false);
  item(u"&Печать...", Print, 'P').Enabled(false);
  sh.Button(*file, u"", -1, eSeparator);
  cButtonInt& wrap = sh.Button(*file, u"Перенос по &словам", -1, eCheck);
  wrap.Checked(true);
  cButtonInt& locked = sh.Button(*file, u"&Блокировка", Locked, eCheck);
  locked.Checked(true);
  sh.Button(*file, u"", -1, eSeparator);
  item(u"В&ыход", -1, win::VK_F1 + 3, kAltModifier);

  // Menu bar.
  qmtest::Surface bar(400, 22);
  FillBarBackground(0, 0, bar.dc, SchemeColour(30), SchemeColour(29), 0, 0, 400, 22, true, CommandBarStyle() == 3);
  cDrawButtonParams p = sh.Params(bar.dc, nullptr, 3);
  cMeasureButtonParams m = sh.Measure(p, 22);
  std::vector<cDisplayButtonInfo> menuInfos;
  std::int32_t w = 400, h = 22;
  menu->Layout(m, w, h, menuInfos);
  menuInfos[0].ShowingMenu = true;
  menuInfos[2].mouseOver = true;
  p.ToolbarSize = 22;
  menu->Draw(p, menuInfos);
  win::BitBlt(sh.sheet.dc, x0, y0, 400, 22, bar.dc, 0, 0, win::SRCCOPY);

  // Toolbar: normal, hot, pressed, checked, disabled | split, split with its part hot, a caption,
  // a drop-down | a panel.
  sh.Button(*toolbar, u"Создать", New);
  sh.Button(*toolbar, u"Открыть", Open);
  sh.Button(*toolbar, u"Сохранить", Save);
  sh.Button(*toolbar, u"Блокировка", Locked, eCheck).Checked(true);
  sh.Button(*toolbar, u"Печать", Print).Enabled(false);
  sh.Button(*toolbar, u"", -1, eSeparator);
  sh.Button(*toolbar, u"Отменить", Undo, eSplit);
  sh.Button(*toolbar, u"Вставить", Paste, eSplit);
  cButtonInt& find = sh.Button(*toolbar, u"Найти", Find);
  find.ShowCaptionInToolbar(true);
  cButtonInt& fonts = sh.Button(*toolbar, u"Шрифт", Font);
  fonts.Bar(recent.get());
  fonts.ShowDropDownInToolbar(true);
  sh.Button(*toolbar, u"", -1, eSeparator);
  cButtonInt& zoom = sh.Button(*toolbar, u"Масштаб", -1, ePanel);
  zoom.PanelWidth(60);
  zoom.PanelControl(&form.txtZoom);

  qmtest::Surface tb(400, 26);
  FillColourRect(tb.dc, SchemeColour(29), SchemeColour(30), 0, 0, 400, 26, false);
  cDrawButtonParams tp = sh.Params(tb.dc, &icons, 4);
  cMeasureButtonParams tm = sh.Measure(tp, 26);
  std::vector<cDisplayButtonInfo> tools;
  w = 400;
  h = 26;
  toolbar->Layout(tm, w, h, tools);
  tools[1].mouseOver = true;
  tools[2].mouseOver = tools[2].mouseDown = true;
  tools[7].MouseOverSplit = tools[7].MouseDownSplit = true;
  tp.ToolbarSize = 26;
  toolbar->Draw(tp, tools);
  // Where the panel's control would stand: a plain edit field.
  const cDisplayButtonInfo& z = tools.back();
  const win::RECT field{z.left + 1, z.tOp + 3, z.left + 1 + 60, z.Bottom - 3};
  win::FillRect(tb.dc, &field, static_cast<win::HBRUSH>(win::GetStockObject(win::WHITE_BRUSH)));
  DrawBorder(tb.dc, SchemeColour(13), field.left, field.top, 60, field.bottom - field.top);
  win::BitBlt(sh.sheet.dc, x0, y0 + 250, 400, 26, tb.dc, 0, 0, win::SRCCOPY);

  // The File menu, opened below its bar button.
  cDrawButtonParams mp = sh.Params(0, &icons, 1);
  cMeasureButtonParams mm = sh.Measure(mp, 0);
  qmtest::Surface measureDc(8, 8);
  mm.hdc = measureDc.dc;
  std::vector<cDisplayButtonInfo> items;
  std::int32_t iw = 0, ih = 0;
  file->Measure(mm, iw, ih, items, false);
  const int pw = iw, ph = ih + 2;
  qmtest::Surface popup(pw, ph);
  FillColourRect(popup.dc, SchemeColour(17), SchemeColour(18), 0, 0, pw, ph, false);
  DrawBorder(popup.dc, SchemeColour(13), 0, 0, pw, ph);
  const int start = 0, length = menuInfos[0].Right - menuInfos[0].left;  // the popup stands under its button
  FillColourRect(popup.dc, SchemeColour(17), SchemeColour(17), start + 1, 0, length - 2, 1, false);
  FillColourRect(popup.dc, SchemeColour(29), SchemeColour(30), 1, 2, 16 + 8, ph - 4, true);
  mp.hdc = popup.dc;
  items[file->IndexOf(save.Key()) - 1].mouseOver = true;
  file->Draw(mp, items);
  win::BitBlt(sh.sheet.dc, x0 + menuInfos[0].left, y0 + menuInfos[0].Bottom, pw, ph, popup.dc, 0, 0, win::SRCCOPY);

  menu->Clear();
  file->Clear();
  toolbar->Clear();
  sh.buttons.clear();
}

}  // namespace

TEST(CommandBarSheet, WritesEveryStyle) {
  qmtest::StandInLinks links;
  constexpr int W = 820, H = 580;
  qmtest::Surface s(W, H, win::RGB(236, 233, 216));
  Sheet sheet(s);
  const win::HIMAGELIST source = CommandIcons();
  frmPanel form;
  for (int style = 0; style < 4; ++style) {
    ResetColours();
    SetCommandBarStyle(style);
    cCommandBarImageList icons;
    icons.InitialiseFromVariant(source);
    icons.SetDisabledColor(static_cast<win::COLORREF>(SchemeColour(3)));
    DrawPanel(sheet, 10 + (style % 2) * 410, 10 + (style / 2) * 285, icons, form);
    for (int d = 0; d <= style; ++d) win::SetPixel(s.dc, 4 + (style % 2) * 410, 12 + d * 3 + (style / 2) * 285, 0);
  }
  ResetColours();
  win::ImageList_Destroy(source);
  const std::string path = std::string(QM_BINARY_DIR) + "/command-bars-sheet.png";
  ASSERT_TRUE(platform::testing::SaveSurfacePng(s.dc, path));
  EXPECT_GT(std::filesystem::file_size(path), 1000u);
}
