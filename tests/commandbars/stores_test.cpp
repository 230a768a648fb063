// The process-wide stores, the control registry and the popup pool, reached as the toolkit reaches
// them.
#include <gtest/gtest.h>

#include "command_bar_host.h"
#include "commandbars/button.h"
#include "commandbars/command_bar.h"
#include "commandbars/command_bars.h"
#include "commandbars/hooks.h"
#include "commandbars/menu_mode.h"
#include "platform/vb/error.h"
#include "platform/vb/runtime.h"

namespace mCommandBars = commandbars::mCommandBars;
using cbtest::frmHost;

namespace {

// A window with one bare command-bar control.
class frmBare : public vb::Form {
 public:
  cbtest::kestCommandBar bar{*this};
  cbtest::kestCommandBar second{*this};
};

int ErrorOf(auto&& f) {
  try {
    f();
  } catch (const vb::Error& e) {
    return e.Number;
  }
  return 0;
}

}  // namespace

TEST(Stores, TheFirstControlBuildsTheChevronMenuAndTheLastTakesEverythingAway) {
  EXPECT_FALSE(mCommandBars::StoresLive());
  {
    frmBare form;
    form.Load();
    ASSERT_TRUE(mCommandBars::StoresLive());
    EXPECT_EQ(mCommandBars::BarCount(), 3);
    EXPECT_EQ(mCommandBars::ButtonCount(), 6);
    EXPECT_TRUE(commandbars::mHooks::KeyboardHookInstalled());
    // The chevron's menu: one entry whose sub-menu carries the toolbar's title, a separator and
    // the disabled "Customise"; the title entry's own sub-menu ends with the disabled "Reset".
    commandbars::cButtonInt& entry = mCommandBars::ButtonItem(u"CHEVRON:ADDORREMOVE");
    EXPECT_EQ(entry.Caption(), u"&Add or Remove Buttons");
    ASSERT_NE(entry.Bar(), nullptr);
    EXPECT_EQ(entry.Bar()->Key(), u"CHEVRON:ADDORREMOVEBAR");
    EXPECT_EQ(entry.Bar()->Count(), 3);
    EXPECT_FALSE(mCommandBars::ButtonItem(u"chevron:customise").Enabled());
    EXPECT_EQ(mCommandBars::BarItem(u"CHEVRON:ADDORREMOVE").Item(2)->Caption(), u"&Reset Toolbar");
  }
  EXPECT_FALSE(mCommandBars::StoresLive()) << "the last control took the stores with it";
  EXPECT_FALSE(commandbars::mHooks::KeyboardHookInstalled());
  frmBare again;
  again.Load();
  EXPECT_EQ(mCommandBars::BarCount(), 3) << "a new first control builds the chevron bars again";
}

TEST(Stores, KeysAreRefusedWhenTakenOrNumericAndErrorsLeaveTheStoresAlone) {
  frmBare form;
  form.Load();
  mCommandBars::AddButton(u"TOOLBAR:SAVE");
  EXPECT_EQ(ErrorOf([] { mCommandBars::AddButton(u"TOOLBAR:SAVE"); }), 457);
  EXPECT_EQ(ErrorOf([] { mCommandBars::AddButton(u"toolbar:save"); }), 457) << "keys ignore letter case";
  EXPECT_EQ(ErrorOf([] { mCommandBars::AddButton(u"CHEVRON:CUSTOMISE"); }), 457) << "the toolkit's keys are taken";
  EXPECT_EQ(ErrorOf([] { mCommandBars::AddBar(u"7"); }), 13);
  EXPECT_EQ(ErrorOf([] { mCommandBars::AddBar(u"1.5"); }), 13);
  EXPECT_EQ(ErrorOf([] { mCommandBars::AddBar(u"7A"); }), 0);
  EXPECT_EQ(ErrorOf([] { mCommandBars::RemoveBar(u"NOPE"); }), vb::vbObjectError + 25263);
  EXPECT_EQ(ErrorOf([] { mCommandBars::RemoveButton(u"NOPE"); }), vb::vbObjectError + 25263);
  EXPECT_EQ(ErrorOf([] { mCommandBars::BarItem(99); }), 9);
  EXPECT_EQ(ErrorOf([] { mCommandBars::BarItem(u"NOPE"); }), 5);
  EXPECT_EQ(mCommandBars::BarCount(), 4);
  EXPECT_EQ(mCommandBars::ButtonCount(), 7);
  EXPECT_EQ(mCommandBars::ButtonItem(7).Key(), u"TOOLBAR:SAVE") << "positions follow insertion";
}

TEST(Stores, ARemovedButtonLeavesEveryBarFirstAndNothingReachesItAfterwards) {
  frmBare form;
  form.Load();
  commandbars::cButtonInt& save = mCommandBars::AddButton(u"SAVE");
  commandbars::cCommandBarInt& a = mCommandBars::AddBar(u"A");
  commandbars::cCommandBarInt& b = mCommandBars::AddBar(u"B");
  a.Add(save);
  b.Add(save);
  mCommandBars::RemoveButton(u"save");
  EXPECT_EQ(a.Count(), 0);
  EXPECT_EQ(b.Count(), 0);
  EXPECT_EQ(mCommandBars::FindButton(u"SAVE"), nullptr);
  commandbars::cButtonInt& open = mCommandBars::AddButton(u"OPEN");
  a.Add(open);
  mCommandBars::RemoveBar(u"A");
  EXPECT_EQ(mCommandBars::FindBar(u"A"), nullptr);
  EXPECT_EQ(open.HoldingBarCount(), 0) << "a removed bar is cleared first";
}

TEST(Stores, TwoControlsShareTheStoresUntilTheLastGoes) {
  auto form = std::make_unique<frmHost>();
  form->Load();
  const int buttons = mCommandBars::ButtonCount();
  frmBare other;
  other.Load();
  EXPECT_EQ(mCommandBars::ButtonCount(), buttons);
  other.Unload();
  EXPECT_EQ(mCommandBars::ButtonCount(), buttons) << "one control left: nothing is lost";
  form->Unload();
  EXPECT_FALSE(mCommandBars::StoresLive());
}

TEST(Stores, TheWindowLeadsToItsControlOnlyWhileTheControlRuns) {
  frmBare form;
  form.Load();
  const win::HWND h = form.bar.hwnd();
  commandbars::kestCommandBar* found = nullptr;
  ASSERT_TRUE(mCommandBars::ControlFromHwnd(h, found));
  EXPECT_EQ(found, &form.bar);
  EXPECT_EQ(ErrorOf([&] { mCommandBars::ControlFromHwnd(0, found); }), vb::vbObjectError + 25262);
  EXPECT_EQ(ErrorOf([&] { mCommandBars::ControlFromHwnd(form.hWnd(), found); }), vb::vbObjectError + 25262)
      << "a window without a control";
  form.Unload();
  EXPECT_EQ(mCommandBars::FindControl(h), nullptr);
}

TEST(Stores, ThePoolAsksTheHostForAnInstanceOnlyWhenNoneIsFreeAndNeverHandsOutOneThatWent) {
  frmHost form;
  form.Load();
  commandbars::kestCommandBar* first = mCommandBars::GetPopupInstance();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(form.instancesAsked, 1);
  EXPECT_EQ(mCommandBars::PoolCount(), 1);
  first->InUse(false);
  EXPECT_EQ(mCommandBars::GetPopupInstance(), first) << "a free instance is taken again";
  EXPECT_EQ(form.instancesAsked, 1);
  EXPECT_TRUE(first->InUse());
  commandbars::kestCommandBar* second = mCommandBars::GetPopupInstance();
  EXPECT_NE(second, first) << "a busy instance is not handed out";
  EXPECT_EQ(form.instancesAsked, 2);
  mCommandBars::ReleasePoolInstances();
  EXPECT_FALSE(first->InUse());
  EXPECT_FALSE(second->InUse());
  // The host lets the first go: the pool forgets it and hands out the second.
  form.cmdBar.Unload(first->Index());
  vb::DoEvents();
  EXPECT_EQ(mCommandBars::PoolCount(), 1);
  EXPECT_EQ(mCommandBars::GetPopupInstance(), second);
  form.refuseInstances = true;
  EXPECT_EQ(mCommandBars::GetPopupInstance(), nullptr) << "a busy pool and a host that gives nothing";
  EXPECT_EQ(form.instancesAsked, 3);
}

TEST(Stores, LosingTheControlThatHoldsTheMenusLeavesMenuModeCompletely) {
  frmHost form;
  form.Load();
  commandbars::kestCommandBar* extra = &form.cmdBar.Load(9);
  mCommandBars::SetMenuMode(true, extra->hwnd());
  ASSERT_TRUE(mCommandBars::InMenuMode());
  EXPECT_FALSE(form.cmdBar(1).Enabled()) << "the other bars wait while a menu is open";
  form.cmdBar.Unload(9);
  vb::DoEvents();
  EXPECT_FALSE(mCommandBars::InMenuMode());
  EXPECT_TRUE(form.cmdBar(1).Enabled());
  EXPECT_FALSE(commandbars::mHooks::MouseHookInstalled());
}
