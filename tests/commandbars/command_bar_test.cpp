#include "commandbars/command_bar.h"

#include <gtest/gtest.h>

#include "commandbars/button.h"
#include "commandbars/utility.h"
#include "platform/vb/error.h"
#include "stand_in_links.h"
#include "support.h"

using namespace commandbars;
using qmtest::ErrorNumberOf;
using qmtest::MakeBar;
using qmtest::MakeButton;
using qmtest::StandInControl;
using qmtest::StandInLinks;

namespace {

// The number the toolkit raises for its error code.
std::int32_t Toolkit(std::int32_t code) {
  return ErrorNumberOf([&] { RaiseCommandBarError(code); });
}

std::vector<bool> CheckedOf(cCommandBarInt& bar) {
  std::vector<bool> v;
  for (std::int32_t i = 1; i <= bar.Count(); ++i) v.push_back(bar.Item(i)->Checked());
  return v;
}

// A bar of buttons made from (key, style) pairs.
struct Bar {
  std::unique_ptr<cCommandBarInt> bar;
  std::vector<std::unique_ptr<cButtonInt>> buttons;
  Bar(std::u16string key, std::vector<std::int32_t> styles) : bar(MakeBar(key)) {
    for (std::size_t i = 0; i < styles.size(); ++i) {
      buttons.push_back(MakeButton(key + u":" + static_cast<char16_t>(u'A' + i), u"", styles[i]));
      bar->Add(*buttons.back());
    }
  }
  cButtonInt& operator[](std::size_t i) { return *buttons[i]; }
};

}  // namespace

TEST(CommandBar, EditingRefusesDuplicatesAndMissingReferencesUnchanged) {
  StandInLinks links;
  StandInControl control;
  links.controls[7] = &control;
  auto bar = MakeBar(u"TOOLBAR");
  bar->AddOwner(7, 100);
  auto x = MakeButton(u"X"), y = MakeButton(u"Y"), z = MakeButton(u"Z");
  bar->Add(*x);
  EXPECT_EQ(control.Codes(), std::vector<std::int32_t>{1});
  control.notices.clear();
  EXPECT_EQ(ErrorNumberOf([&] { bar->Add(*x); }), Toolkit(5));
  EXPECT_EQ(ErrorNumberOf([&] { bar->InsertAfter(*z, *y); }), Toolkit(3));
  EXPECT_EQ(ErrorNumberOf([&] { bar->InsertBefore(*x, *x); }), Toolkit(5));
  EXPECT_EQ(ErrorNumberOf([&] { bar->Remove(*y); }), Toolkit(3));
  EXPECT_TRUE(control.notices.empty());
  EXPECT_EQ(bar->Count(), 1);
  EXPECT_EQ(z->HoldingBarCount(), 0);

  bar->InsertBefore(*y, *x);
  bar->InsertAfter(*z, *y);
  EXPECT_EQ(bar->IndexOf(u"Y"), 1);
  EXPECT_EQ(bar->IndexOf(u"Z"), 2);
  EXPECT_EQ(bar->IndexOf(u"X"), 3);
  EXPECT_EQ(bar->IndexOf(u"x"), 0);
  EXPECT_EQ(bar->Item(u"x"), x.get());
  EXPECT_EQ(ErrorNumberOf([&] { bar->Item(4); }), 9);
  bar->Remove(*z);
  EXPECT_EQ(bar->Count(), 2);
  EXPECT_EQ(z->HoldingBarCount(), 0);
  EXPECT_EQ(control.Codes(), (std::vector<std::int32_t>{1, 1, 1}));
}

TEST(CommandBar, AddRegistersNoOwnersButInsertDoes) {
  auto bar = MakeBar(u"TOOLBAR");
  auto first = MakeButton(u"FIRST");
  bar->Add(*first);
  bar->AddOwner(7, 100);
  bar->AddOwner(7, 200);  // a control already recorded changes nothing
  EXPECT_EQ(bar->OwnerCount(), 1);
  EXPECT_EQ(first->OwnerControl(100), 7);
  auto added = MakeButton(u"ADDED"), inserted = MakeButton(u"INSERTED");
  bar->Add(*added);
  bar->InsertAfter(*inserted, *first);
  EXPECT_EQ(added->OwnerControl(100), 0);
  EXPECT_EQ(inserted->OwnerControl(100), 7);
}

TEST(CommandBar, RemovingKeepsARegistrationAnotherBarOfTheFormStillNeeds) {
  // The menu and a toolbar on one form both show SAVE; the menu's control registered it first.
  auto menu = MakeBar(u"MENU"), toolbar = MakeBar(u"TOOLBAR"), other = MakeBar(u"OTHER");
  auto save = MakeButton(u"SAVE");
  menu->Add(*save);
  toolbar->Add(*save);
  menu->AddOwner(7, 100);
  toolbar->AddOwner(8, 100);
  other->AddOwner(9, 200);
  other->Add(*save);
  save->AddOwner(9, 200);
  toolbar->Remove(*save);
  EXPECT_EQ(save->OwnerControl(100), 7);
  toolbar->Add(*save);
  toolbar->Clear();
  EXPECT_EQ(save->OwnerControl(100), 7);
  EXPECT_EQ(save->OwnerControl(200), 9);
  toolbar->Add(*save);
  toolbar->RemoveOwner(8);
  EXPECT_EQ(save->OwnerControl(100), 7);
  // The last bar of the form lets it go.
  menu->Remove(*save);
  EXPECT_EQ(save->OwnerControl(100), 0);
  other->Clear();
  EXPECT_EQ(save->OwnerControl(200), 0);
  EXPECT_EQ(save->HoldingBarCount(), 1);  // still on the toolbar
}

TEST(CommandBar, RadioGroupsLieBetweenSeparators) {
  Bar b(u"R", {eRadio, eRadio, eSeparator, eRadio});
  b[1].Checked(true);
  b[3].Checked(true);
  b[0].Checked(true);
  EXPECT_EQ(CheckedOf(*b.bar), (std::vector<bool>{true, false, false, true}));
  b[1].Checked(true);
  EXPECT_EQ(CheckedOf(*b.bar), (std::vector<bool>{false, true, false, true}));
  b[1].Checked(false);  // a plain radio group keeps one checked
  EXPECT_TRUE(b[1].Checked());
  b[3].Checked(false);
  EXPECT_TRUE(b[3].Checked());
}

TEST(CommandBar, NullableRadioGroupsMayEndEmpty) {
  Bar b(u"N", {eRadioNullable, eRadioNullable});
  b[0].Checked(true);
  b[0].Checked(false);
  EXPECT_EQ(CheckedOf(*b.bar), (std::vector<bool>{false, false}));
  b[0].Checked(true);
  b[1].Checked(true);
  EXPECT_EQ(CheckedOf(*b.bar), (std::vector<bool>{false, true}));
}

TEST(CommandBar, GroupBoundsAtTheEdgesAndOrdinaryButtonsInside) {
  Bar lead(u"S", {eSeparator, eRadio, eRadio, eNormal, eCheck, eSeparator, eRadio});
  lead[4].Checked(true);
  lead[6].Checked(true);
  lead[1].Checked(true);
  lead[2].Checked(true);
  EXPECT_EQ(CheckedOf(*lead.bar), (std::vector<bool>{false, false, true, false, false, false, true}));
  Bar first(u"F", {eRadio, eSeparator, eRadio});
  first[2].Checked(true);
  first[0].Checked(true);
  EXPECT_EQ(CheckedOf(*first.bar), (std::vector<bool>{true, false, true}));
}

TEST(CommandBar, GroupChangesReachTheControlsButtonByButton) {
  StandInLinks links;
  StandInControl control;
  links.controls[7] = &control;
  Bar b(u"R", {eRadio, eRadio, eRadio});
  b.bar->AddOwner(7, 100);
  b[0].Checked(true);
  control.notices.clear();
  b[2].Checked(true);
  // The uncheck of the two others, then the check itself; each names its button.
  ASSERT_EQ(control.notices.size(), 3u);
  EXPECT_EQ(control.notices[0].btn, &b[0]);
  EXPECT_EQ(control.notices[1].btn, &b[1]);
  EXPECT_EQ(control.notices[2].btn, &b[2]);
  for (const auto& n : control.notices) EXPECT_EQ(n.code, 6);
}

TEST(CommandBar, TitleReachesOnlyControlsInUse) {
  StandInLinks links;
  StandInControl shown, idle;
  idle.inUse = false;
  links.controls[7] = &shown;
  links.controls[8] = &idle;
  auto bar = MakeBar(u"TOOLBAR");
  bar->AddOwner(7, 100);
  bar->AddOwner(8, 100);
  bar->AddOwner(9, 100);  // a control that cannot be found is skipped
  bar->Title(u"Стандартная");
  EXPECT_EQ(bar->Title(), u"Стандартная");
  ASSERT_EQ(shown.notices.size(), 1u);
  EXPECT_EQ(shown.notices[0].code, 3);
  EXPECT_EQ(shown.notices[0].btn, nullptr);
  EXPECT_TRUE(idle.notices.empty());
}

TEST(CommandBar, ClicksToggleCheckButtonsAndListEntries) {
  Bar b(u"C", {eCheck, eNormal, eNormal});
  b.bar->ButtonClicked(1);
  EXPECT_TRUE(b[0].Checked());
  b.bar->ButtonClicked(1);
  EXPECT_FALSE(b[0].Checked());
  b.bar->ButtonClicked(2);
  EXPECT_FALSE(b[1].Checked());
  b[2].State(1);
  b[2].Style(eCheck);
  b.bar->ButtonClicked(3);
  EXPECT_EQ(b[2].State(), 0);
  EXPECT_TRUE(b[2].Checked());
  b.bar->ButtonClicked(0);
  b.bar->ButtonClicked(9);
}

TEST(CommandBar, ShortcutSearchFindsAButtonBeforeItsSubBarAndEarlierFirst) {
  auto bar = MakeBar(u"MENU");
  auto sub = MakeBar(u"MENU:EDIT");
  auto edit = MakeButton(u"MENU:EDIT", u"&Правка");
  auto copy = MakeButton(u"MENU:EDIT:COPY");
  auto again = MakeButton(u"TOOLBAR:COPY");
  copy->ShortcutKey('C');
  copy->ShortcutModifiers(2);
  again->ShortcutKey('C');
  again->ShortcutModifiers(2);
  sub->Add(*copy);
  edit->Bar(sub.get());
  bar->Add(*edit);
  bar->Add(*again);
  IBarControl* ctl = nullptr;
  EXPECT_EQ(bar->FindShortcut(100, 'C', 2, ctl), copy.get());
  edit->ShortcutKey('C');
  edit->ShortcutModifiers(2);
  EXPECT_EQ(bar->FindShortcut(100, 'C', 2, ctl), edit.get());
}

TEST(CommandBar, DestroyedBarLeavesItsButtonsClean) {
  auto first = MakeButton(u"FIRST"), btn = MakeButton(u"X");
  {
    auto bar = MakeBar(u"GONE");
    bar->Add(*first);
    bar->AddOwner(7, 100);
    bar->InsertAfter(*btn, *first);
    EXPECT_EQ(btn->OwnerControl(100), 7);
  }
  EXPECT_EQ(btn->HoldingBarCount(), 0);
  EXPECT_EQ(btn->OwnerControl(100), 0);
  btn->Caption(u"after");
}
