#include "commandbars/button.h"

#include <gtest/gtest.h>

#include "commandbars/command_bar.h"
#include "commandbars/key_names.h"
#include "platform/win/keys.h"
#include "stand_in_links.h"

using namespace commandbars;
using qmtest::MakeBar;
using qmtest::MakeButton;
using qmtest::StandInControl;
using qmtest::StandInLinks;

namespace {

// A button on one bar shown by one in-use control.
struct ShownButton : ::testing::Test {
  StandInLinks links;
  StandInControl control;
  std::unique_ptr<cCommandBarInt> bar = MakeBar(u"TOOLBAR");
  std::unique_ptr<cButtonInt> btn = MakeButton(u"TOOLBAR:SAVE", u"&Save");
  void SetUp() override {
    links.controls[7] = &control;
    bar->AddOwner(7, 100);
    bar->Add(*btn);
    control.notices.clear();
  }
};

}  // namespace

TEST(Button, StartsWithItsDefaults) {
  cButtonInt b;
  EXPECT_EQ(b.IconIndex(), -1);
  EXPECT_EQ(b.ColorBox(), -1);
  EXPECT_EQ(b.PanelWidth(), 16);
  EXPECT_TRUE(b.Enabled());
  EXPECT_TRUE(b.Visible());
  EXPECT_FALSE(b.Locked());
  EXPECT_EQ(b.State(), 2);
  EXPECT_EQ(b.Style(), eNormal);
  EXPECT_FALSE(b.Checked());
  EXPECT_EQ(b.Bar(), nullptr);
  EXPECT_EQ(b.ButtonMargin(), 4);
  EXPECT_EQ(b.SplitWidth(), 11);
  EXPECT_EQ(b.ShortcutMargin(), 20);
}

TEST_F(ShownButton, EveryPropertyWriteSendsItsCodeEvenUnchanged) {
  btn->Enabled(true);
  btn->Locked(false);
  btn->Caption(u"&Save");
  btn->IconIndex(3);
  btn->ColorBox(-1);
  btn->Style(eCheck);
  btn->PanelWidth(16);
  btn->Visible(true);
  btn->Infrequent(false);
  btn->ExtraLong(9);
  btn->ShowCaptionInToolbar(true);
  btn->ShowDropDownInToolbar(false);
  btn->Checked(true);
  EXPECT_EQ(control.Codes(), (std::vector<std::int32_t>{5, 5, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 6}));
  for (const qmtest::BarNotice& n : control.notices) {
    EXPECT_EQ(n.bar, bar.get());
    EXPECT_EQ(n.btn, btn.get());
  }
}

TEST_F(ShownButton, StoreOnlyPropertiesAndNonToggleCheckedSendNothing) {
  btn->ToolTip(u"Сохранить");
  btn->ShortcutKey('S');
  btn->ShortcutModifiers(kCtrlModifier);
  btn->Tag(u"t");
  btn->itemData(4);
  btn->State(1);
  btn->Key(u"TOOLBAR:SAVE");
  for (std::int32_t style : {eNormal, eSeparator, eSplit, ePanel}) {
    btn->Style(style);
    control.notices.clear();
    btn->Checked(true);
    EXPECT_FALSE(btn->Checked()) << style;
    EXPECT_TRUE(control.notices.empty()) << style;
  }
}

TEST_F(ShownButton, ControlsNotInUseAreNotTold) {
  control.inUse = false;
  btn->Enabled(false);
  EXPECT_TRUE(control.notices.empty());
}

TEST(ButtonShortcut, TextNamesKeysFromTheFixedTableWithModifiersInOrder) {
  cButtonInt b;
  b.ShortcutModifiers(7);
  EXPECT_EQ(b.ShortcutText(), u"");
  b.ShortcutKey(46);
  b.ShortcutModifiers(kCtrlModifier);
  EXPECT_EQ(b.ShortcutText(), u"Ctrl+Del");
  b.ShortcutKey(win::VK_F1 + 2);
  b.ShortcutModifiers(7);
  EXPECT_EQ(b.ShortcutText(), u"Ctrl+Shift+Alt+F3");
  b.ShortcutModifiers(0);
  const std::vector<std::pair<int, std::u16string>> names{
      {win::VK_HOME, u"Home"}, {win::VK_END, u"End"},   {win::VK_INSERT, u"Ins"}, {win::VK_PRIOR, u"PgUp"},
      {win::VK_NEXT, u"PgDn"}, {win::VK_LEFT, u"Left"}, {win::VK_UP, u"Up"},      {win::VK_RIGHT, u"Right"},
      {win::VK_DOWN, u"Down"}, {win::VK_F24, u"F24"},   {win::VK_F10, u"F10"},    {'S', u"S"},
      {'7', u"7"},             {win::VK_NUMPAD0 + 7, u"Num 7"}};
  for (const auto& [key, name] : names) {
    b.ShortcutKey(static_cast<std::int16_t>(key));
    EXPECT_EQ(b.ShortcutText(), name) << key;
  }
  EXPECT_EQ(ShortcutKeyName(0xFF), u"");
}

TEST(ButtonShortcut, ToolTipAppendsTheShortcutOnlyWhenThereIsOne) {
  cButtonInt b;
  b.ToolTip(u"Сохранить");
  EXPECT_EQ(b.ToolTipText(true), u"Сохранить");
  b.ShortcutKey('S');
  b.ShortcutModifiers(kCtrlModifier);
  EXPECT_EQ(b.ToolTipText(true), u"Сохранить (Ctrl+S)");
  EXPECT_EQ(b.ToolTipText(false), u"Сохранить");
}

TEST(ButtonMnemonic, LetterAfterTheFirstSingleAmpersandInAnyCaseAndScript) {
  cButtonInt b;
  b.Caption(u"O&pen");
  EXPECT_TRUE(b.MatchesMnemonic('P'));
  EXPECT_FALSE(b.MatchesMnemonic('O'));
  b.Caption(u"&Файл");
  EXPECT_TRUE(b.MatchesMnemonic('A'));  // Ф shares the key of A
  b.Caption(u"&файл");
  EXPECT_TRUE(b.MatchesMnemonic('A'));
  b.Caption(u"Пр&авка");
  EXPECT_TRUE(b.MatchesMnemonic('F'));
  b.Caption(u"&Ёлка");
  EXPECT_TRUE(b.MatchesMnemonic(win::VK_OEM_3));
  b.Caption(u"Save &&Close");
  EXPECT_FALSE(b.MatchesMnemonic('C'));
  EXPECT_FALSE(b.MatchesMnemonic(win::VK_OEM_7));
  b.Caption(u"Tom &&&Jerry");
  EXPECT_TRUE(b.MatchesMnemonic('J'));
  b.Caption(u"End&");
  EXPECT_FALSE(b.MatchesMnemonic('D'));
  b.Caption(u"No mnemonic");
  EXPECT_FALSE(b.MatchesMnemonic('N'));
  b.Caption(u"&№");
  EXPECT_FALSE(b.MatchesMnemonic(0));
  EXPECT_EQ(KeyOfCharacter(u'ю'), win::VK_OEM_PERIOD);
  EXPECT_EQ(KeyOfCharacter(u'Х'), win::VK_OEM_4);
}

TEST(ButtonDropDown, OnlySplitButtonsHaveAPart) {
  cButtonInt b;
  EXPECT_FALSE(b.InDropDownPart(39, 0, 40, 22, false, 0).has_value());
  b.Style(eSplit);
  EXPECT_TRUE(*b.InDropDownPart(30, 0, 40, 22, false, 0));
  EXPECT_FALSE(*b.InDropDownPart(29, 0, 40, 22, false, 0));
  EXPECT_TRUE(*b.InDropDownPart(10, 99, 40, 22, true, 1));
  EXPECT_FALSE(*b.InDropDownPart(11, 0, 40, 22, true, 0));
}

TEST(ButtonHighlight, PanelsSeparatorsAndListEntries) {
  cButtonInt b;
  EXPECT_TRUE(b.CanHighlight(0, false));
  b.Style(ePanel);
  for (int o : {0, 1, 2, 3}) EXPECT_FALSE(b.CanHighlight(o, false)) << o;
  b.IconIndex(0);
  EXPECT_TRUE(b.CanHighlight(1, false));
  EXPECT_TRUE(b.CanHighlight(2, false));
  EXPECT_FALSE(b.CanHighlight(0, false));
  EXPECT_FALSE(b.CanHighlight(3, false));
  b.Style(eNormal);
  b.Enabled(false);
  EXPECT_FALSE(b.CanHighlight(0, true));
  b.State(0);
  EXPECT_TRUE(b.CanHighlight(0, true));
  EXPECT_FALSE(b.CanHighlight(0, false));
  b.State(1);
  b.Enabled(true);
  b.Locked(true);
  EXPECT_FALSE(b.CanHighlight(0, false));
  EXPECT_TRUE(b.CanHighlight(0, true));
  b.Locked(false);
  b.Style(eSeparator);
  EXPECT_FALSE(b.CanHighlight(1, false));
}

TEST(ButtonOwners, FirstControlPerFormWinsAndSubBarsFollow) {
  auto sub = MakeBar(u"MENU:FILE");
  auto item = MakeButton(u"MENU:FILE:NEW", u"&New");
  sub->Add(*item);
  cButtonInt b;
  b.Bar(sub.get());
  b.AddOwner(7, 100);
  b.AddOwner(8, 100);
  b.AddOwner(9, 200);
  EXPECT_EQ(b.OwnerControl(100), 7);
  EXPECT_EQ(b.OwnerControl(200), 9);
  EXPECT_EQ(item->OwnerControl(100), 7);
  EXPECT_EQ(sub->OwnerCount(), 2);
  b.RemoveOwner(100);
  b.RemoveOwner(300);
  EXPECT_EQ(b.OwnerControl(100), 0);
  EXPECT_EQ(item->OwnerControl(100), 7);  // the sub-bar is not visited
}

TEST(ButtonOwners, ABarThatIsItsOwnSubBarRegistersOnce) {
  auto bar = MakeBar(u"LOOP");
  auto b = MakeButton(u"LOOP:SELF");
  bar->Add(*b);
  b->Bar(bar.get());
  bar->AddOwner(7, 100);
  EXPECT_EQ(b->OwnerControl(100), 7);
  EXPECT_EQ(bar->OwnerCount(), 1);
}

TEST(ButtonShortcut, FindsOwnAndSubBarShortcutsThroughLiveOwners) {
  StandInLinks links;
  StandInControl menu, other;
  links.controls[7] = &menu;
  links.controls[8] = &other;
  auto sub = MakeBar(u"MENU:FILE");
  auto save = MakeButton(u"MENU:FILE:SAVE", u"&Save");
  save->ShortcutKey('S');
  save->ShortcutModifiers(kCtrlModifier);
  sub->Add(*save);
  auto file = MakeButton(u"MENU:FILE", u"&File");
  file->Bar(sub.get());
  file->AddOwner(7, 100);
  file->AddOwner(8, 100);

  IBarControl* ctl = nullptr;
  EXPECT_EQ(file->FindShortcut(100, 'S', kCtrlModifier, false, ctl), save.get());
  EXPECT_EQ(ctl, &menu);
  ctl = nullptr;
  EXPECT_EQ(file->FindShortcut(100, 'S', kCtrlModifier | kShiftModifier, false, ctl), nullptr);
  ctl = nullptr;
  EXPECT_EQ(file->FindShortcut(200, 'S', kCtrlModifier, false, ctl), nullptr);
  EXPECT_EQ(ctl, nullptr);
  EXPECT_EQ(file->FindShortcut(200, 'S', kCtrlModifier, true, ctl), save.get());

  // A disabled button hides its whole sub-bar; visibility and locking do not count.
  file->Enabled(false);
  EXPECT_EQ(file->FindShortcut(100, 'S', kCtrlModifier, false, ctl), nullptr);
  file->Enabled(true);
  save->Visible(false);
  save->Locked(true);
  EXPECT_EQ(file->FindShortcut(100, 'S', kCtrlModifier, false, ctl), save.get());

  // An owner control that has gone is no match, and nothing reaches it.
  links.controls.erase(7);
  ctl = nullptr;
  EXPECT_EQ(file->FindShortcut(100, 'S', kCtrlModifier, false, ctl), nullptr);
  EXPECT_EQ(ctl, nullptr);
}

TEST(ButtonShortcut, SubBarCyclesEndTheSearch) {
  auto a = MakeBar(u"A");
  auto b = MakeBar(u"B");
  auto toB = MakeButton(u"A:B");
  auto toA = MakeButton(u"B:A");
  a->Add(*toB);
  b->Add(*toA);
  toB->Bar(b.get());
  toA->Bar(a.get());
  IBarControl* ctl = nullptr;
  EXPECT_EQ(toB->FindShortcut(1, 'Q', 2, true, ctl), nullptr);
  EXPECT_EQ(a->FindShortcut(1, 'Q', 2, ctl), nullptr);
  toA->ShortcutKey('Q');
  toA->ShortcutModifiers(2);
  EXPECT_EQ(a->FindShortcut(1, 'Q', 2, ctl), toA.get());
}

TEST(ButtonLinks, GoneBarsResolveToNothing) {
  auto btn = MakeButton(u"X");
  {
    auto bar = MakeBar(u"SUB");
    btn->Bar(bar.get());
    EXPECT_EQ(btn->Bar(), bar.get());
  }
  EXPECT_EQ(btn->Bar(), nullptr);
  IBarControl* ctl = nullptr;
  EXPECT_EQ(btn->FindShortcut(1, 'Q', 0, true, ctl), nullptr);
  btn->Caption(u"still fine");  // notifying walks no gone bar
}

TEST(ButtonLinks, LeavingEveryBarAndReleasingReferences) {
  auto a = MakeBar(u"A");
  auto b = MakeBar(u"B");
  auto btn = MakeButton(u"X");
  a->Add(*btn);
  b->Add(*btn);
  EXPECT_EQ(btn->HoldingBarCount(), 2);
  btn->RemoveFromAllBars();
  EXPECT_EQ(a->Count(), 0);
  EXPECT_EQ(b->Count(), 0);
  EXPECT_EQ(btn->HoldingBarCount(), 0);
  a->Add(*btn);
  btn->Bar(b.get());
  btn->ReleaseReferences();
  EXPECT_EQ(btn->Bar(), nullptr);
  EXPECT_EQ(btn->HoldingBarCount(), 0);
  EXPECT_EQ(btn->PanelControl(), nullptr);
}
