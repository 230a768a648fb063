// The toolbar customisation dialog: its tabs, lists and options; loading a stored layout (any
// non-zero value ticks, whatever was stored); Apply writing all 48 values and the three options
// every time; OK and Reset; and the main window's toolbars following an Apply, opened from its View
// menu command. Pictures of both tabs and of the main window go into the build tree.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "core/registry.h"
#include "core/settings_schema.h"
#include "commandbars/colour_scheme.h"
#include "core/toolbar_visibility.h"
#include "mainwindow/forms/main.h"
#include "platform/media/sound.h"
#include "platform/registry/store.h"
#include "platform/script/script.h"
#include "platform/testing/win.h"
#include "platform/testing/vb.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/strings.h"
#include "preferences/forms/toolbar_customize.h"
#include "handed_preference_windows.h"
#include "support.h"
#include "support_gdi.h"

namespace {

using platform::script::Kind;
namespace tb = settings::toolbars;

// What an item value holds when it is stored as text.
constexpr int kText = -98;

// A 32-bit item value (0 when absent), or kText.
int StoredItem(std::u16string_view key, int position) {
  const std::u16string name = modGeneral::ToolbarValueName(position);
  if (modRegistry::ReadRegistryString(win::HKEY_CURRENT_USER, key, name)) return kText;
  return modRegistry::ReadRegistryDword(win::HKEY_CURRENT_USER, key, name);
}
std::vector<int> StoredItems(std::u16string_view key, int count) {
  std::vector<int> out;
  for (int i = 0; i < count; ++i) out.push_back(StoredItem(key, i));
  return out;
}
std::vector<int> StoredStandard() { return StoredItems(settings::kToolBarsStandartKey, 40); }
std::vector<int> StoredDecode() { return StoredItems(settings::kToolBarsDecodeKey, 8); }
void StoreItem(std::u16string_view key, int position, std::int32_t value) {
  modRegistry::WriteRegistryDword(win::HKEY_CURRENT_USER, key, modGeneral::ToolbarValueName(position), value);
}
std::u16string StoredOption(std::u16string_view name) {
  return modRegistry::ReadRegistryString(win::HKEY_CURRENT_USER, settings::kToolBarsKey, name).value_or(u"<none>");
}
void StoreOption(std::u16string_view name, std::u16string_view text) {
  modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, settings::kToolBarsKey, name, text);
}
// The positions whose box is ticked.
std::vector<int> Ticked(vb::ListBox& list) {
  std::vector<int> out;
  for (int i = 0; i < list.ListCount(); ++i) {
    if (list.Selected(i)) out.push_back(i);
  }
  return out;
}
std::vector<int> All(int count, int value) { return std::vector<int>(count, value); }
// A stored layout that hides every item of both toolbars.
void StoreEveryItemHidden() {
  for (int i = 0; i < 40; ++i) StoreItem(settings::kToolBarsStandartKey, i, 0);
  for (int i = 0; i < 8; ++i) StoreItem(settings::kToolBarsDecodeKey, i, 0);
}
// Ticks exactly the given positions of the list.
void TickOnly(vb::ListBox& list, const std::vector<int>& ticked) {
  for (int i = 0; i < list.ListCount(); ++i)
    list.Selected(i, std::find(ticked.begin(), ticked.end(), i) != ticked.end());
}
void AnswerBox(int button) { platform::script::Queue({Kind::MessageBox, button, {}}); }

class ToolBarCustomizeTest : public ::testing::Test {
 protected:
  ~ToolBarCustomizeTest() override {
    if (form.IsLoaded()) form.Unload();
    EXPECT_EQ(platform::script::Pending(), 0u) << "answers left unused";
    platform::script::ClearQueue();
  }
  qmtest::FreshSettings store;
  frmToolBarCustomize form;
};

TEST_F(ToolBarCustomizeTest, TwoTabsTheirPanelsAndTheCaptionsOfBothListsInOrder) {
  form.Load();
  EXPECT_EQ(form.Caption(), u"Настройка панелей инструментов...");
  ASSERT_EQ(form.tabCustomToolbar.TabCount(), 2);
  EXPECT_EQ(form.tabCustomToolbar.TabText(1), u"Панели инструментов");
  EXPECT_EQ(form.tabCustomToolbar.TabKey(1), u"TOOLBARS");
  EXPECT_EQ(form.tabCustomToolbar.TabItemData(1), 1000);
  EXPECT_EQ(form.tabCustomToolbar.TabText(2), u"Параметры");
  EXPECT_EQ(form.tabCustomToolbar.TabKey(2), u"OPTIONS");
  EXPECT_EQ(form.tabCustomToolbar.TabItemData(2), 2000);
  EXPECT_EQ(form.tabCustomToolbar.SelectedTab(), 1);
  EXPECT_TRUE(form.picToolbars.Visible());
  EXPECT_FALSE(form.picOptions.Visible());

  ASSERT_EQ(form.lstToolBarStandart.ListCount(), 40);
  ASSERT_EQ(form.lstToolBarDecode.ListCount(), 8);
  EXPECT_EQ(form.lstToolBarStandart.List(1), u"Создать документ");
  EXPECT_EQ(form.lstToolBarStandart.List(32), u"Параметры программы");
  EXPECT_EQ(form.lstToolBarStandart.List(38), u"О программе");
  EXPECT_EQ(form.lstToolBarDecode.List(1), u"Выбор кодировки");
  EXPECT_EQ(form.lstToolBarDecode.List(6), u"Отменить перекодирование");
  // Each separator of a list stands where its toolbar has one.
  const auto standardKeys = modGeneral::StandardToolbarKeys();
  for (int i = 0; i < 40; ++i) {
    const bool separator = standardKeys[i].find(u":SEP") != std::u16string_view::npos;
    EXPECT_EQ(form.lstToolBarStandart.List(i) == u"- Разделитель -", separator) << i;
  }
  const auto decodeKeys = modGeneral::DecodeToolbarKeys();
  for (int i = 0; i < 8; ++i) {
    const bool separator = decodeKeys[i].find(u":SEP") != std::u16string_view::npos;
    EXPECT_EQ(form.lstToolBarDecode.List(i) == u"- Разделитель -", separator) << i;
  }

  form.tabCustomToolbar.SelectTab(2);
  EXPECT_FALSE(form.picToolbars.Visible());
  EXPECT_TRUE(form.picOptions.Visible());
  form.tabCustomToolbar.SelectTab(u"TOOLBARS");
  EXPECT_TRUE(form.picToolbars.Visible());
  EXPECT_FALSE(form.picOptions.Visible());
}

// With no stored layout the toolbars show every button, and the dialog ticks them so.
TEST_F(ToolBarCustomizeTest, AFreshProfileLoadsEveryItemTickedAndOKWritesNothing) {
  form.Load();
  EXPECT_EQ(Ticked(form.lstToolBarStandart).size(), 40u);
  EXPECT_EQ(Ticked(form.lstToolBarDecode).size(), 8u);
  for (vb::CheckBox* c : {&form.chkUseLargeIcons, &form.chkShowToolTips, &form.chkHideInfrequently}) {
    EXPECT_EQ(c->Value(), vb::vbUnchecked);
  }
  EXPECT_EQ(form.lstToolBarStandart.ListIndex(), 0);
  EXPECT_EQ(form.lstToolBarDecode.ListIndex(), 0);
  EXPECT_FALSE(form.cmdApply.Enabled());
  form.cmdOK_Click();
  EXPECT_FALSE(form.IsLoaded());
  const std::string file = qmtest::ReadBytes(store.folder() / "quillmark" / "registry.reg");
  EXPECT_EQ(file.find("ToolBars"), std::string::npos) << file;
}

TEST_F(ToolBarCustomizeTest, AnyNonZeroValueTicksAndTheNextApplyRewritesEveryValueAsMinusOneOrZero) {
  StoreItem(settings::kToolBarsStandartKey, 0, 1);
  StoreItem(settings::kToolBarsStandartKey, 5, -1);
  StoreItem(settings::kToolBarsStandartKey, 6, 2);
  StoreItem(settings::kToolBarsStandartKey, 7, INT_MAX);
  StoreItem(settings::kToolBarsStandartKey, 8, INT_MIN);
  StoreItem(settings::kToolBarsStandartKey, 9, 0);
  // A value of the wrong type, and names beyond the list, are no items.
  modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, settings::kToolBarsStandartKey, u"10", u"-1");
  StoreItem(settings::kToolBarsStandartKey, 40, -1);
  StoreItem(settings::kToolBarsDecodeKey, 1, 7);
  StoreItem(settings::kToolBarsDecodeKey, 7, -7);
  ASSERT_EQ(StoredItem(settings::kToolBarsStandartKey, 10), kText);
  form.Load();
  EXPECT_EQ(Ticked(form.lstToolBarStandart), (std::vector<int>{0, 5, 6, 7, 8}));
  EXPECT_EQ(Ticked(form.lstToolBarDecode), (std::vector<int>{1, 7}));
  EXPECT_FALSE(form.cmdApply.Enabled());

  form.cmdApply_Click();
  std::vector<int> standard = All(40, 0);
  for (int i : {0, 5, 6, 7, 8}) standard[i] = -1;
  EXPECT_EQ(StoredStandard(), standard);
  EXPECT_EQ(StoredDecode(), (std::vector<int>{0, -1, 0, 0, 0, 0, 0, -1}));
  EXPECT_EQ(StoredOption(tb::kUseLargeIcons), u"0");
  EXPECT_EQ(StoredOption(tb::kShowToolTips), u"0");
  EXPECT_EQ(StoredOption(tb::kHideInfrequently), u"0");
  EXPECT_FALSE(form.cmdApply.Enabled());
}

TEST_F(ToolBarCustomizeTest, AnOptionIsTickedOnlyByTheWholeNumberOne) {
  const std::pair<std::u16string_view, int> cases[] = {
      {u"1", vb::vbChecked}, {u" 1 ", vb::vbChecked}, {u"+1", vb::vbChecked}, {u"0", vb::vbUnchecked},
      {u"2", vb::vbUnchecked}, {u"-1", vb::vbUnchecked}, {u"да", vb::vbUnchecked}, {u"", vb::vbUnchecked},
      {u"1.5", vb::vbUnchecked}, {u"99999999999", vb::vbUnchecked}};
  for (const auto& [text, value] : cases) {
    StoreOption(tb::kUseLargeIcons, text);
    StoreOption(tb::kShowToolTips, text);
    StoreOption(tb::kHideInfrequently, text);
    frmToolBarCustomize f;
    f.Load();
    EXPECT_EQ(f.chkUseLargeIcons.Value(), value) << vb::ToUtf8(std::u16string(text));
    EXPECT_EQ(f.chkShowToolTips.Value(), value);
    EXPECT_EQ(f.chkHideInfrequently.Value(), value);
    EXPECT_FALSE(f.cmdApply.Enabled());
    f.Unload();
  }
}

TEST_F(ToolBarCustomizeTest, EveryEditEnablesApplyAndOKAfterApplyWritesNothingMore) {
  StoreEveryItemHidden();
  form.Load();
  auto edits = std::vector<std::function<void()>>{
      [&] { form.lstToolBarStandart.Selected(3, true); },
      [&] { form.lstToolBarStandart.Selected(3, false); },
      [&] { form.lstToolBarDecode.Selected(7, true); },
      [&] { form.chkUseLargeIcons.Value(vb::vbChecked); },
      [&] { form.chkShowToolTips.Value(vb::vbChecked); },
      [&] { form.chkHideInfrequently.Value(vb::vbChecked); }};
  for (std::size_t i = 0; i < edits.size(); ++i) {
    edits[i]();
    EXPECT_TRUE(form.cmdApply.Enabled()) << i;
    form.cmdApply_Click();
    EXPECT_FALSE(form.cmdApply.Enabled()) << i;
  }
  EXPECT_EQ(StoredDecode(), (std::vector<int>{0, 0, 0, 0, 0, 0, 0, -1}));
  EXPECT_EQ(StoredOption(tb::kUseLargeIcons), u"1");
  EXPECT_EQ(StoredOption(tb::kShowToolTips), u"1");
  EXPECT_EQ(StoredOption(tb::kHideInfrequently), u"1");
  // Whatever changes the store now stays: OK has nothing left to apply.
  StoreItem(settings::kToolBarsDecodeKey, 7, 0);
  form.cmdOK_Click();
  EXPECT_EQ(StoredItem(settings::kToolBarsDecodeKey, 7), 0);
  EXPECT_FALSE(form.IsLoaded());
}

TEST_F(ToolBarCustomizeTest, TickingOnlyTheSettingsButtonStoresItAloneAndReopensSo) {
  StoreEveryItemHidden();
  form.Load();
  form.lstToolBarStandart.Selected(32, true);
  form.cmdOK_Click();
  std::vector<int> standard = All(40, 0);
  standard[32] = -1;
  EXPECT_EQ(StoredStandard(), standard);
  EXPECT_EQ(StoredDecode(), All(8, 0));
  form.Load();
  EXPECT_EQ(Ticked(form.lstToolBarStandart), std::vector<int>{32});
  EXPECT_TRUE(Ticked(form.lstToolBarDecode).empty());
}

TEST_F(ToolBarCustomizeTest, ResetAskedNoChangesNothing) {
  StoreEveryItemHidden();
  form.Load();
  form.lstToolBarStandart.Selected(4, true);
  AnswerBox(vb::vbNo);
  form.cmdReset_Click();
  EXPECT_EQ(Ticked(form.lstToolBarStandart), std::vector<int>{4});
  EXPECT_TRUE(form.cmdApply.Enabled());
  EXPECT_EQ(StoredOption(tb::kUseLargeIcons), u"<none>");
  EXPECT_EQ(StoredStandard(), All(40, 0));
}

TEST_F(ToolBarCustomizeTest, ResetTicksEveryItemAppliesAndKeepsTheOptions) {
  StoreOption(tb::kUseLargeIcons, u"1");
  form.Load();
  form.lstToolBarStandart.ListIndex(20);
  form.chkShowToolTips.Value(vb::vbChecked);
  platform::script::Log().clear();
  AnswerBox(vb::vbYes);
  AnswerBox(vb::vbOK);
  qmtest::FileReplacements replaced(platform::registry::FilePath());
  form.cmdReset_Click();
  EXPECT_EQ(replaced.Count(), 1);  // the 51 values in one write
  const auto& log = platform::script::Log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].prompt, u"Вы действительно хотите сбросить текущие параметры и установить параметры по умолчанию?");
  EXPECT_EQ(log[0].title, u"Brannoch Quillmark 3.0 Preview");
  EXPECT_EQ(log[0].flags, vb::vbYesNo | vb::vbQuestion);
  EXPECT_EQ(log[1].prompt, u"Установлены параметры по умолчанию.");
  EXPECT_EQ(log[1].title, u"Brannoch Quillmark 3.0 Preview");
  EXPECT_EQ(log[1].flags, vb::vbInformation);
  EXPECT_EQ(Ticked(form.lstToolBarStandart).size(), 40u);
  EXPECT_EQ(Ticked(form.lstToolBarDecode).size(), 8u);
  EXPECT_EQ(form.lstToolBarStandart.ListIndex(), 0);
  EXPECT_EQ(StoredStandard(), All(40, -1));
  EXPECT_EQ(StoredDecode(), All(8, -1));
  EXPECT_EQ(StoredOption(tb::kUseLargeIcons), u"1");
  EXPECT_EQ(StoredOption(tb::kShowToolTips), u"1");
  EXPECT_EQ(StoredOption(tb::kHideInfrequently), u"0");
  EXPECT_FALSE(form.cmdApply.Enabled());
}

TEST_F(ToolBarCustomizeTest, ClosingByTheFrameDropsUnappliedEditsWithTheUnloadSounds) {
  qmtest::TempDir dir;
  const std::string loadWav = (dir.path() / "load.wav").string();
  const std::string unloadWav = (dir.path() / "unload.wav").string();
  for (const std::string& wav : {loadWav, unloadWav}) qmtest::WriteBytes(wav, qmtest::SilentWave(80));
  const auto sound = [](std::u16string_view name, const std::u16string& text) {
    modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, settings::kSoundsKey, name, text);
  };
  sound(u"FormLoad", u"1");
  sound(u"FormLoadPath", vb::FromUtf8(loadWav));
  sound(u"FormUnload", u"1");
  sound(u"FormUnloadPath", vb::FromUtf8(unloadWav));
  StoreEveryItemHidden();
  form.Show();
  EXPECT_EQ(platform::testing::CurrentSound(), vb::FromUtf8(loadWav));
  form.lstToolBarStandart.Selected(1, true);
  form.chkUseLargeIcons.Value(vb::vbChecked);
  platform::testing::CloseByUser(form.hWnd());
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_EQ(platform::testing::CurrentSound(), vb::FromUtf8(unloadWav));
  EXPECT_EQ(StoredItem(settings::kToolBarsStandartKey, 1), 0);
  EXPECT_EQ(StoredOption(tb::kUseLargeIcons), u"<none>");
  form.Load();
  EXPECT_TRUE(Ticked(form.lstToolBarStandart).empty());
}

// The rows of a list with a check box per item that show a tick, counted from the first row shown:
// a row is a band of the captions' column that is not the list's white (the current row is one band
// of highlight), and a tick is a band of ink in the boxes' column.
std::vector<int> TickedRows(const platform::testing::Picture& picture, const win::RECT& list) {
  const int boxes = list.left + 22;
  const auto rows = picture.RowBands(win::RECT{boxes + 4, list.top + 2, list.right - 24, list.bottom - 2},
                                     [](win::COLORREF c) { return c != 0xFFFFFF; });
  std::vector<int> out;
  for (const auto& [top, height] : picture.RowBands(win::RECT{list.left + 2, list.top + 2, boxes, list.bottom - 2}, qmtest::DarkInk)) {
    const int middle = top + height / 2;
    for (std::size_t i = 0; i < rows.size(); ++i)
      if (middle >= rows[i].first - 1 && middle <= rows[i].first + rows[i].second) out.push_back(static_cast<int>(i));
  }
  return out;
}

// The pictures of both tabs show the stored ticks in the lists and on the options, the captions of
// frames, boxes and buttons, Apply greyed while nothing changed, and the chosen tab's panel alone.
TEST_F(ToolBarCustomizeTest, PicturesOfBothTabs) {
  StoreItem(settings::kToolBarsStandartKey, 1, -1);
  StoreItem(settings::kToolBarsStandartKey, 2, -1);
  StoreItem(settings::kToolBarsDecodeKey, 3, -1);
  StoreOption(tb::kShowToolTips, u"1");
  form.Show();
  const std::u16string folder = vb::FromUtf8(QM_BINARY_DIR);
  const auto place = [&](vb::Control& c) { return qmtest::RectIn(c.hWnd(), form.hWnd()); };
  const auto inked = [&](const platform::testing::Picture& p, const win::RECT& r) { return p.Count(r, qmtest::DarkInk) > 0; };
  const auto tabRaised = [&](const platform::testing::Picture& p, int i) {
    return qmtest::TabStandsOut(p, form.hWnd(), form.tabCustomToolbar.TabCtrlhWnd(), i);
  };
  const platform::testing::Picture toolbars = vb::testing::WindowPicture(form.hWnd());
  EXPECT_TRUE(platform::testing::SavePicture(toolbars, folder + u"/toolbar_customize_toolbars.png"));
  EXPECT_TRUE(tabRaised(toolbars, 0));
  EXPECT_FALSE(tabRaised(toolbars, 1));
  for (vb::Frame* frame : {&form.Frame1, &form.Frame2}) {
    const win::RECT r = place(*frame);
    EXPECT_TRUE(inked(toolbars, win::RECT{r.left, r.top, r.right, r.top + 12})) << "its caption";
  }
  EXPECT_EQ(TickedRows(toolbars, place(form.lstToolBarStandart)), (std::vector<int>{1, 2}));
  EXPECT_EQ(TickedRows(toolbars, place(form.lstToolBarDecode)), (std::vector<int>{3}));
  EXPECT_EQ(toolbars.RowBands(place(form.lstToolBarDecode), qmtest::DarkInk).size(), 7u) << "eight rows, the first highlighted";
  EXPECT_TRUE(inked(toolbars, place(form.cmdOK)));
  EXPECT_TRUE(inked(toolbars, place(form.cmdReset)));
  EXPECT_FALSE(inked(toolbars, place(form.cmdApply))) << "greyed";

  form.tabCustomToolbar.SelectTab(2);
  const platform::testing::Picture options = vb::testing::WindowPicture(form.hWnd());
  EXPECT_TRUE(platform::testing::SavePicture(options, folder + u"/toolbar_customize_options.png"));
  EXPECT_FALSE(tabRaised(options, 0));
  EXPECT_TRUE(tabRaised(options, 1));
  const win::RECT list = place(form.lstToolBarStandart);
  EXPECT_LT(options.Count(list, 0xFFFFFF), (list.right - list.left) * (list.bottom - list.top) / 10) << "no list";
  // Each box with its caption; only the stored option ticked.
  for (vb::CheckBox* box : {&form.chkHideInfrequently, &form.chkShowToolTips, &form.chkUseLargeIcons}) {
    const win::RECT r = place(*box);
    EXPECT_EQ(qmtest::ShowsTick(options, r), box == &form.chkShowToolTips);
    EXPECT_TRUE(inked(options, win::RECT{r.left + 20, r.top, r.right, r.bottom}));
  }
}

// The main window with its View menu command wired to the dialog, as the program starts it, and
// both toolbars switched on.
class ToolBarCustomizeOnMainWindow : public ::testing::Test {
 protected:
  ToolBarCustomizeOnMainWindow() {
    for (std::u16string_view bar : {settings::preferences::kToolBarStandart, settings::preferences::kToolBarDecode}) {
      modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, settings::kPreferencesKey, bar, u"1");
    }
    main.Load();
  }
  ~ToolBarCustomizeOnMainWindow() override {
    main.Terminate();
    EXPECT_EQ(vb::testing::PendingModalActions(), 0u);
    platform::script::ClearQueue();
  }
  bool ButtonVisible(std::u16string_view key) { return main.cmdBar(0).Buttons().Item(key).Visible(); }
  // The ticks of the three one-shot timers that are armed, as the message loop would run them.
  void RunArmedTimers() {
    for (vb::Timer* t : {&main.TimerLoadToolBarButtons, &main.TimerCommandBars, &main.TimerUpdate}) {
      if (t->Enabled()) t->Tick();
    }
  }

  qmtest::FreshSettings store;
  qmtest::HandedPreferenceWindows preferenceWindows;
  frmMain main{[] {}};
};

TEST_F(ToolBarCustomizeOnMainWindow, TheViewCommandOpensTheDialogOverTheWindowAndTheToolbarsFollowItsOK) {
  RunArmedTimers();
  // Nothing stored: every item of both toolbars shown, the direction list too.
  for (std::u16string_view key : modGeneral::StandardToolbarKeys()) EXPECT_TRUE(ButtonVisible(key));
  for (std::u16string_view key : modGeneral::DecodeToolbarKeys()) EXPECT_TRUE(ButtonVisible(key));
  EXPECT_TRUE(main.cmbDecode.Visible());

  bool shown = false;
  vb::testing::QueueModalAction([&] {
    frmToolBarCustomize& d = ToolBarCustomizeDialog();
    shown = d.Visible();
    // Centred when loaded; the frame the window gets when shown moves its centre by a few pixels.
    EXPECT_NEAR(d.Left() + d.Width() / 2, main.Left() + main.Width() / 2, 90);
    EXPECT_NEAR(d.Top() + d.Height() / 2, main.Top() + main.Height() / 2, 90);
    TickOnly(d.lstToolBarStandart, {1, 2, 4, 5, 19});
    TickOnly(d.lstToolBarDecode, {1, 3, 4});
    d.chkUseLargeIcons.Value(vb::vbChecked);
    d.cmdOK_Click();
    // Armed by the dialog; they run once its handler has returned (checked here, before the modal
    // loop lets a 1 ms timer fire).
    EXPECT_TRUE(main.TimerLoadToolBarButtons.Enabled());
    EXPECT_TRUE(main.TimerCommandBars.Enabled());
    EXPECT_TRUE(main.TimerUpdate.Enabled());
    EXPECT_TRUE(ButtonVisible(u"TOOLBAR:CUT"));
  });
  main.CmdViewToolbarsCustomize();
  EXPECT_TRUE(shown);
  EXPECT_FALSE(ToolBarCustomizeDialog().IsLoaded());

  RunArmedTimers();
  std::vector<std::u16string_view> visible;
  for (std::u16string_view key : modGeneral::StandardToolbarKeys()) {
    if (ButtonVisible(key)) visible.push_back(key);
  }
  for (std::u16string_view key : modGeneral::DecodeToolbarKeys()) {
    if (ButtonVisible(key)) visible.push_back(key);
  }
  EXPECT_EQ(visible, (std::vector<std::u16string_view>{u"TOOLBAR:NEW", u"TOOLBAR:OPEN", u"TOOLBAR:SAVE",
                                                       u"TOOLBAR:SEP2", u"TOOLBAR:FIND", u"TOOLBAR2:DECODE",
                                                       u"TOOLBAR2:START", u"TOOLBAR2:STOP"}));
  EXPECT_TRUE(main.cmbDecode.Visible());
  EXPECT_EQ(main.cmdBar(1).Height(), 435);
  EXPECT_EQ(main.cmdBar(2).Height(), 435);
  for (vb::Timer* t : {&main.TimerLoadToolBarButtons, &main.TimerCommandBars, &main.TimerUpdate}) {
    EXPECT_FALSE(t->Enabled());
  }
}

TEST_F(ToolBarCustomizeOnMainWindow, ApplyRearmsTheTimersEvenWithNothingChangedAndTheyReapplyTheSameState) {
  for (int i = 0; i < 40; ++i) StoreItem(settings::kToolBarsStandartKey, i, -1);
  StoreItem(settings::kToolBarsDecodeKey, 1, -1);
  RunArmedTimers();
  frmToolBarCustomize dialog(&main);
  dialog.Load();
  dialog.cmdApply_Click();
  EXPECT_TRUE(main.TimerLoadToolBarButtons.Enabled());
  EXPECT_TRUE(main.TimerCommandBars.Enabled());
  EXPECT_TRUE(main.TimerUpdate.Enabled());
  RunArmedTimers();
  for (std::u16string_view key : modGeneral::StandardToolbarKeys()) EXPECT_TRUE(ButtonVisible(key)) << vb::ToUtf8(std::u16string(key));
  EXPECT_TRUE(ButtonVisible(u"TOOLBAR2:DECODE"));
  EXPECT_FALSE(ButtonVisible(u"TOOLBAR2:START"));
  EXPECT_EQ(main.cmdBar(1).Height(), 375);

  // Unticking the direction item hides the direction list with it.
  dialog.lstToolBarDecode.Selected(1, false);
  dialog.cmdOK_Click();
  RunArmedTimers();
  EXPECT_FALSE(ButtonVisible(u"TOOLBAR2:DECODE"));
  EXPECT_FALSE(main.cmbDecode.Visible());
}

// After Reset the picture shows every item of both toolbars side by side within its bar: each
// button's picture, each separator's etched line, and the direction list over its place, one pixel
// inside its left edge and centred across the bar.
TEST_F(ToolBarCustomizeOnMainWindow, PictureOfTheWindowWithEveryItemShown) {
  main.Show();
  frmToolBarCustomize dialog(&main);
  dialog.Load();
  AnswerBox(vb::vbYes);
  AnswerBox(vb::vbOK);
  dialog.cmdReset_Click();
  dialog.Unload();
  RunArmedTimers();
  EXPECT_TRUE(main.cmbDecode.Visible());
  const platform::testing::Picture picture = vb::testing::WindowPicture(main.hWnd());
  EXPECT_TRUE(platform::testing::SavePicture(picture, vb::FromUtf8(QM_BINARY_DIR "/toolbar_customize_main.png")));
  const win::COLORREF etch = commandbars::SchemeColour(28), etchLight = commandbars::SchemeColour(27);
  for (int i : {1, 2}) {
    commandbars::kestCommandBar& control = main.cmdBar(i);
    const win::RECT bar = qmtest::RectIn(control.hwnd(), main.hWnd());
    const commandbars::cCommandBarButtons buttons = control.CommandBars().Item(control.ToolbarKey()).Buttons();
    ASSERT_EQ(static_cast<std::size_t>(buttons.count()), control.DisplayInfo().size());
    // A horizontal bar's background changes from row to row only: its last column shows it.
    const auto drawn = [&](int x, int y) { return picture.at(x, y) != picture.at(bar.right - 1, y); };
    int previousRight = 0;
    for (int b = 1; b <= buttons.count(); ++b) {
      const std::u16string key = buttons.Item(b).Key();
      const commandbars::cDisplayButtonInfo& shown = control.DisplayInfo()[static_cast<std::size_t>(b - 1)];
      const std::string name = vb::ToUtf8(key);
      EXPECT_FALSE(shown.Hidden) << name;
      EXPECT_GE(shown.left, previousRight) << name;
      EXPECT_LE(shown.Right, bar.right - bar.left) << name;
      previousRight = shown.Right;
      const win::RECT place{bar.left + shown.left, bar.top + shown.tOp, bar.left + shown.Right, bar.top + shown.Bottom};
      if (key.find(u":SEP") != std::u16string::npos) {
        EXPECT_GT(picture.Count(place, etch), 0) << name;
        EXPECT_GT(picture.Count(place, etchLight), 0) << name;
      } else if (key == u"TOOLBAR2:DECODE") {
        const win::RECT list = qmtest::RectIn(main.cmbDecode.hWnd(), main.hWnd());
        EXPECT_EQ(list.left, place.left + 1);
        EXPECT_NEAR((list.top + list.bottom) / 2.0, (bar.top + bar.bottom) / 2.0, 1);
        EXPECT_GT(picture.Count(list, qmtest::DarkInk), 0) << "the chosen direction";
      } else {
        int ink = 0;
        for (int y = place.top; y < place.bottom; ++y)
          for (int x = place.left; x < place.right; ++x) ink += drawn(x, y) ? 1 : 0;
        EXPECT_GE(ink, 30) << name;
      }
    }
  }
}

}  // namespace
