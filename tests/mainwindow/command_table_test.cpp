// The command table: its counts by style and bar, its keys, the rules its kinds of rows follow, the
// shortcuts, and the toolbar items at the positions the visibility preferences name.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "core/toolbar_visibility.h"
#include "mainwindow/command_routing.h"
#include "mainwindow/command_table.h"

using namespace mainwindow;
using namespace commandbars;

namespace {

std::size_t WordCount(std::u16string_view key) { return SplitCommandKey(key).size(); }

bool StartsWith(std::u16string_view key, std::u16string_view prefix) { return key.substr(0, prefix.size()) == prefix; }

const CommandRow& Row(std::u16string_view key) {
  for (const CommandRow& r : CommandTable())
    if (r.key == key) return r;
  throw std::runtime_error("no such key");
}

std::vector<std::u16string_view> KeysUnder(std::u16string_view bar) {
  std::vector<std::u16string_view> keys;
  const std::u16string prefix = std::u16string(bar) + u":";
  for (const CommandRow& r : CommandTable())
    if (StartsWith(r.key, prefix) && WordCount(r.key) == WordCount(bar) + 1) keys.push_back(r.key);
  return keys;
}

}  // namespace

TEST(CommandTable, CountsByStyleAndBar) {
  std::map<int, int> styles;
  int menus = 0, toolbar = 0, toolbar2 = 0, menuSeparators = 0, toolbarSeparators = 0, toolbar2Separators = 0;
  for (const CommandRow& r : CommandTable()) {
    ++styles[r.style];
    const bool sep = r.style == eSeparator;
    if (StartsWith(r.key, u"MENU:")) ++menus, menuSeparators += sep;
    if (StartsWith(r.key, u"TOOLBAR:")) ++toolbar, toolbarSeparators += sep;
    if (StartsWith(r.key, u"TOOLBAR2:")) ++toolbar2, toolbar2Separators += sep;
  }
  EXPECT_EQ(CommandTable().size(), 150u);
  EXPECT_EQ(styles, (std::map<int, int>{{eNormal, 112}, {eSeparator, 34}, {ePanel, 1}, {eCheck, 3}}));
  EXPECT_EQ(menus, 102);
  EXPECT_EQ(toolbar, 40);
  EXPECT_EQ(toolbar2, 8);
  EXPECT_EQ(menuSeparators, 18);
  EXPECT_EQ(toolbarSeparators, 12);
  EXPECT_EQ(toolbar2Separators, 4);
}

TEST(CommandTable, KeysAreDistinctUpperCaseWordsWhoseParentsComeFirst) {
  std::set<std::u16string_view> seen;
  for (const CommandRow& r : CommandTable()) {
    EXPECT_TRUE(seen.insert(r.key).second) << "repeated key";
    const auto words = SplitCommandKey(r.key);
    ASSERT_GE(words.size(), 2u);
    for (const auto& w : words) {
      EXPECT_FALSE(w.empty());
      for (char16_t c : w) EXPECT_TRUE((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'));
    }
    // Every deeper key's parent is an earlier button (a menu-bar entry or an item opening a sub-menu).
    if (words.size() > 2) {
      const std::u16string_view parent = r.key.substr(0, r.key.rfind(u':'));
      EXPECT_TRUE(seen.count(parent)) << "a parent comes after its child";
    }
  }
}

TEST(CommandTable, EachKindOfRowFollowsItsRule) {
  for (const CommandRow& r : CommandTable()) {
    const bool hasShortcut = r.shortcutKey != 0;
    if (!hasShortcut) EXPECT_EQ(r.shortcutModifiers, kCtrlModifier);
    if (r.style == eSeparator) {
      EXPECT_TRUE(r.caption.empty() && r.toolTip.empty() && r.icon == -1 && !hasShortcut);
      EXPECT_TRUE(SplitCommandKey(r.key).back().starts_with(u"SEP"));
    } else if (StartsWith(r.key, u"MENU:") && WordCount(r.key) == 2) {
      EXPECT_TRUE(!r.caption.empty() && r.showCaptionInToolbar && r.icon == -1 && r.toolTip.empty() && !hasShortcut);
    } else if (StartsWith(r.key, u"MENU:")) {
      EXPECT_TRUE(!r.caption.empty() && r.toolTip.empty() && !r.showCaptionInToolbar);
    } else if (StartsWith(r.key, u"TOOLBAR:")) {
      EXPECT_TRUE(r.caption.empty() && !r.toolTip.empty() && !hasShortcut);
    } else {
      EXPECT_FALSE(hasShortcut);
    }
  }
  // The standard toolbar's icons run 0 to 27 over its buttons; menu icons 0 to 32 each once.
  int next = 0;
  for (const CommandRow& r : CommandTable())
    if (StartsWith(r.key, u"TOOLBAR:") && r.style != eSeparator) EXPECT_EQ(r.icon, next++);
  EXPECT_EQ(next, 28);
  std::set<int> menuIcons;
  for (const CommandRow& r : CommandTable())
    if (StartsWith(r.key, u"MENU:") && r.icon != -1) EXPECT_TRUE(menuIcons.insert(r.icon).second);
  EXPECT_EQ(menuIcons.size(), 33u);
  EXPECT_EQ(*menuIcons.rbegin(), 32);
}

TEST(CommandTable, ShortcutsSitOnTheirMenuItems) {
  struct Expected {
    std::u16string_view key;
    int vk;
    int modifiers;
  };
  const Expected expected[] = {
      {u"MENU:FILE:NEW", 78, 2},        {u"MENU:FILE:OPEN", 79, 2},      {u"MENU:FILE:SAVE", 83, 2},
      {u"MENU:FILE:SAVEAS", 83, 3},     {u"MENU:FILE:PRINT", 80, 2},     {u"MENU:EDIT:UNDO", 90, 2},
      {u"MENU:EDIT:REDO", 115, 0},      {u"MENU:EDIT:CUT", 88, 2},       {u"MENU:EDIT:COPY", 67, 2},
      {u"MENU:EDIT:PASTE", 86, 2},      {u"MENU:EDIT:DELETE", 68, 2},    {u"MENU:EDIT:SELECTALL", 65, 2},
      {u"MENU:EDIT:CLEAR", 75, 2},      {u"MENU:FIND:FIND", 70, 2},      {u"MENU:FIND:FINDNEXT", 114, 0},
      {u"MENU:FIND:REPLACE", 72, 2},    {u"MENU:FIND:GOTO", 71, 2},      {u"MENU:INSERT:TEXTFILE", 84, 2},
      {u"MENU:FORMAT:OUTDENT", 116, 0}, {u"MENU:FORMAT:INDENT", 117, 0}, {u"MENU:SERVICE:SETTINGS", 81, 2},
      {u"MENU:SERVICE:LOCKED", 76, 2},  {u"MENU:DECODE:UNDO", 120, 2},   {u"MENU:DECODE:DECODE", 120, 0},
      {u"MENU:DECODE:WIZARD", 87, 2},   {u"MENU:HELP:ABOUT", 112, 2},
  };
  int withShortcut = 0;
  std::set<std::pair<int, int>> combinations;
  for (const CommandRow& r : CommandTable())
    if (r.shortcutKey != 0) {
      ++withShortcut;
      EXPECT_TRUE(combinations.insert({r.shortcutKey, r.shortcutModifiers}).second) << "one shortcut, two commands";
      EXPECT_TRUE(StartsWith(r.key, u"MENU:"));
    }
  EXPECT_EQ(withShortcut, static_cast<int>(std::size(expected)));
  for (const Expected& e : expected) {
    EXPECT_EQ(Row(e.key).shortcutKey, e.vk);
    EXPECT_EQ(Row(e.key).shortcutModifiers, e.modifiers);
  }
}

TEST(CommandTable, ToolbarItemsStandAtTheirNumberedPositions) {
  const auto toolbar = KeysUnder(u"TOOLBAR");
  ASSERT_EQ(toolbar.size(), 40u);
  EXPECT_EQ(toolbar[0], u"TOOLBAR:SEP1");
  EXPECT_EQ(toolbar[1], u"TOOLBAR:NEW");
  EXPECT_EQ(toolbar[4], u"TOOLBAR:SAVE");
  EXPECT_EQ(toolbar[8], u"TOOLBAR:FULLSCREEN");
  EXPECT_EQ(toolbar[21], u"TOOLBAR:GOTO");
  EXPECT_EQ(toolbar[31], u"TOOLBAR:WIZARD");
  EXPECT_EQ(toolbar[38], u"TOOLBAR:ABOUT");
  EXPECT_EQ(toolbar[39], u"TOOLBAR:SEP12");
  const auto toolbar2 = KeysUnder(u"TOOLBAR2");
  EXPECT_EQ(toolbar2, (std::vector<std::u16string_view>{u"TOOLBAR2:SEP1", u"TOOLBAR2:DECODE", u"TOOLBAR2:SEP2",
                                                         u"TOOLBAR2:START", u"TOOLBAR2:STOP", u"TOOLBAR2:SEP3",
                                                         u"TOOLBAR2:UNDO", u"TOOLBAR2:SEP4"}));
  EXPECT_EQ(Row(u"TOOLBAR2:DECODE").style, ePanel);
  EXPECT_TRUE(Row(u"TOOLBAR2:START").showCaptionInToolbar);
  EXPECT_TRUE(Row(u"TOOLBAR2:STOP").showCaptionInToolbar);
  EXPECT_FALSE(Row(u"TOOLBAR2:UNDO").showCaptionInToolbar);
  EXPECT_TRUE(Row(u"TOOLBAR2:UNDO").caption.empty());
  EXPECT_EQ(Row(u"TOOLBAR2:UNDO").icon, 2);
}

TEST(CommandTable, MenusHoldTheirItemsInOrder) {
  EXPECT_EQ(KeysUnder(u"MENU"), (std::vector<std::u16string_view>{u"MENU:FILE", u"MENU:EDIT", u"MENU:FIND",
                                                                   u"MENU:VIEW", u"MENU:INSERT", u"MENU:FORMAT",
                                                                   u"MENU:SERVICE", u"MENU:DECODE", u"MENU:HELP"}));
  EXPECT_EQ(KeysUnder(u"MENU:VIEW:TOOLBARS"),
            (std::vector<std::u16string_view>{u"MENU:VIEW:TOOLBARS:TBSTANDART", u"MENU:VIEW:TOOLBARS:TBDECODE",
                                              u"MENU:VIEW:TOOLBARS:SEP1", u"MENU:VIEW:TOOLBARS:TBCUSTOMIZE"}));
  std::set<std::u16string_view> checks;
  for (const CommandRow& r : CommandTable())
    if (r.style == eCheck) checks.insert(r.key);
  EXPECT_EQ(checks, (std::set<std::u16string_view>{u"MENU:VIEW:ONTOP", u"MENU:VIEW:TOOLBARS:TBSTANDART",
                                                   u"MENU:VIEW:TOOLBARS:TBDECODE"}));
  // The same captions under different keys.
  EXPECT_EQ(Row(u"MENU:FORMAT:ALLTEXTCASE:CASEU").caption, Row(u"MENU:FORMAT:SELTEXTCASE:CASEU").caption);
  EXPECT_EQ(Row(u"MENU:DECODE").caption, u"Перекодирование");
  EXPECT_EQ(Row(u"MENU:VIEW:TOOLBARS:TBDECODE").caption, u"Перекодирование");
  EXPECT_EQ(Row(u"MENU:DECODE:DECODE").caption, u"Перекодирование");
  EXPECT_EQ(Row(u"MENU:DECODE:MAC:MI").caption, u"MAC Apple -> ISO 8859-5");
}

// A button either runs one thing, a handler or a conversion direction, or is one of the rows that
// run nothing: a menu-bar entry, an item that opens a sub-menu, a separator, the panel. A command
// row left without its handler would do nothing when chosen; this finds it.
TEST(CommandTable, EveryCommandButtonRunsOneThingAndTheOthersNothing) {
  std::set<std::u16string_view> parents;
  for (const CommandRow& r : CommandTable())
    if (WordCount(r.key) > 2) parents.insert(r.key.substr(0, r.key.rfind(u':')));
  std::vector<int> directions;
  for (const CommandRow& r : CommandTable()) {
    const std::string key(r.key.begin(), r.key.end());
    const bool runsNothing = r.style == eSeparator || r.style == ePanel || parents.count(r.key) != 0 ||
                             (StartsWith(r.key, u"MENU:") && WordCount(r.key) == 2);
    EXPECT_EQ(r.Runs(), !runsNothing) << key;
    EXPECT_FALSE(r.handler != nullptr && r.direction >= 0) << key;
    if (runsNothing) EXPECT_FALSE(r.changesDocument) << key;
    if (r.direction >= 0) {
      EXPECT_TRUE(StartsWith(r.key, u"MENU:DECODE:") && WordCount(r.key) == 4) << key;
      directions.push_back(r.direction);
    }
  }
  std::vector<int> inOrder(20);
  for (int d = 0; d < 20; ++d) inOrder[d] = d;
  EXPECT_EQ(directions, inOrder);
}

// FindCommand finds a key only as it stands in the table.
TEST(CommandTable, FindCommandComparesWholeKeysExactly) {
  for (const CommandRow& r : CommandTable()) EXPECT_EQ(FindCommand(r.key), &r);
  for (std::u16string_view key : {u"", u"MENU", u"menu:file:new", u"MENU:FILE:NEW ", u"MENU:FILE:NE", u"TOOLBAR:"})
    EXPECT_EQ(FindCommand(key), nullptr);
}

// The core applies the stored layout by these keys; they are the toolbars' items in table order.
TEST(CommandTable, TheCoresToolbarLayoutNamesTheTablesItems) {
  const auto standard = modGeneral::StandardToolbarKeys();
  const auto decode = modGeneral::DecodeToolbarKeys();
  EXPECT_EQ(std::vector<std::u16string_view>(standard.begin(), standard.end()), KeysUnder(u"TOOLBAR"));
  EXPECT_EQ(std::vector<std::u16string_view>(decode.begin(), decode.end()), KeysUnder(u"TOOLBAR2"));
}
