// The toolbar layout from the stored switches: an empty store shows all 48 items and the direction
// list, a stored layout is kept, any non-zero switch shows, the direction list follows the
// conversion toolbar's item "01"; and the search commands after a key press.
#include "core/toolbar_visibility.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/registry.h"
#include "core/settings_schema.h"
#include "support.h"

namespace {

class Buttons : public CommandButtonServices {
 public:
  std::vector<std::pair<std::u16string, bool>> visible;  // in the order set
  std::vector<std::pair<std::u16string, bool>> enabled;
  std::vector<bool> list;
  void ButtonVisible(std::u16string_view key, bool v) override { visible.emplace_back(key, v); }
  void ButtonEnabled(std::u16string_view key, bool v) override { enabled.emplace_back(key, v); }
  void DirectionListVisible(bool v) override { list.push_back(v); }
  bool Shown(std::u16string_view key) const {
    for (const auto& [k, v] : visible)
      if (k == key) return v;
    throw std::runtime_error("never set");
  }
};

void Store(std::u16string_view toolbar, int position, std::int32_t value) {
  modRegistry::WriteRegistryDword(win::HKEY_CURRENT_USER, toolbar, modGeneral::ToolbarValueName(position), value);
}

}  // namespace

TEST(ToolbarVisibility, AnEmptyStoreShowsEveryItemAndTheDirectionList) {
  qmtest::FreshSettings fresh;
  Buttons b;
  modGeneral::LoadToolBarButtonsVisibility(b);
  ASSERT_EQ(b.visible.size(), 48u);
  for (const auto& [key, v] : b.visible) EXPECT_TRUE(v);
  EXPECT_EQ(b.list, std::vector<bool>{true});
  // Standard toolbar first, each toolbar in its order.
  EXPECT_EQ(b.visible[0].first, u"TOOLBAR:SEP1");
  EXPECT_EQ(b.visible[39].first, u"TOOLBAR:SEP12");
  EXPECT_EQ(b.visible[40].first, u"TOOLBAR2:SEP1");
  EXPECT_EQ(b.visible[47].first, u"TOOLBAR2:SEP4");
}

TEST(ToolbarVisibility, EachSwitchShowsTheItemAtItsPosition) {
  qmtest::FreshSettings fresh;
  Store(settings::kToolBarsStandartKey, 1, -1);   // as the customisation dialog writes a shown item
  Store(settings::kToolBarsStandartKey, 4, 2);    // any non-zero value shows
  Store(settings::kToolBarsStandartKey, 5, 0);
  Store(settings::kToolBarsStandartKey, 39, 1);
  Store(settings::kToolBarsDecodeKey, 3, 1);
  modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, settings::kToolBarsStandartKey, u"08", u"1");  // text is no switch
  Buttons b;
  modGeneral::LoadToolBarButtonsVisibility(b);
  EXPECT_TRUE(b.Shown(u"TOOLBAR:NEW"));
  EXPECT_TRUE(b.Shown(u"TOOLBAR:SAVE"));
  EXPECT_FALSE(b.Shown(u"TOOLBAR:SEP2"));
  EXPECT_TRUE(b.Shown(u"TOOLBAR:SEP12"));
  EXPECT_FALSE(b.Shown(u"TOOLBAR:FULLSCREEN"));
  EXPECT_TRUE(b.Shown(u"TOOLBAR2:START"));
  EXPECT_FALSE(b.Shown(u"TOOLBAR2:DECODE"));
  EXPECT_EQ(b.list, std::vector<bool>{false});
}

// Each toolbar on its own: a layout stored for one (hidden items included) is kept as it is, while
// the other, with nothing stored, shows every item.
TEST(ToolbarVisibility, AStoredLayoutIsKeptAndAToolbarWithoutOneShowsEverything) {
  qmtest::FreshSettings fresh;
  for (int i = 0; i < 8; ++i) Store(settings::kToolBarsDecodeKey, i, 0);
  Buttons hidden;
  modGeneral::LoadToolBarButtonsVisibility(hidden);
  for (std::u16string_view key : modGeneral::DecodeToolbarKeys()) EXPECT_FALSE(hidden.Shown(key));
  EXPECT_EQ(hidden.list, std::vector<bool>{false});
  for (std::u16string_view key : modGeneral::StandardToolbarKeys()) EXPECT_TRUE(hidden.Shown(key));
  Store(settings::kToolBarsStandartKey, 2, -1);  // one value stored: the others hide their items
  Buttons one;
  modGeneral::LoadToolBarButtonsVisibility(one);
  EXPECT_TRUE(one.Shown(u"TOOLBAR:OPEN"));
  EXPECT_FALSE(one.Shown(u"TOOLBAR:NEW"));
}

TEST(ToolbarVisibility, TheDirectionListFollowsItsPanelItem) {
  qmtest::FreshSettings fresh;
  Store(settings::kToolBarsDecodeKey, 1, 1);
  Buttons b;
  modGeneral::LoadToolBarButtonsVisibility(b);
  EXPECT_TRUE(b.Shown(u"TOOLBAR2:DECODE"));
  EXPECT_EQ(b.list, std::vector<bool>{true});
  Store(settings::kToolBarsDecodeKey, 1, 0);
  Buttons hidden;
  modGeneral::LoadToolBarButtonsVisibility(hidden);
  EXPECT_FALSE(hidden.Shown(u"TOOLBAR2:DECODE"));
  EXPECT_EQ(hidden.list, std::vector<bool>{false});
}

TEST(ToolbarVisibility, AKeyPressEnablesSearchAndPrintAndDisablesFindNext) {
  Buttons b;
  modDocument::EnableSearchCommands(b);
  using E = std::vector<std::pair<std::u16string, bool>>;
  EXPECT_EQ(b.enabled, (E{{u"MENU:FIND:FIND", true},
                          {u"MENU:FIND:FINDNEXT", false},
                          {u"MENU:FIND:REPLACE", true},
                          {u"MENU:FIND:GOTO", true},
                          {u"MENU:FILE:PRINT", true}}));
}
