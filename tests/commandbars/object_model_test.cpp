// The host's handles on bars and buttons: what they read and change, and the errors they raise,
// with their numbers and texts, leaving the stores as they were.
#include <gtest/gtest.h>

#include "command_bar_host.h"
#include "commandbars/command_bars.h"
#include "platform/vb/error.h"
#include "platform/vb/runtime.h"

using namespace cbtest;
namespace mCommandBars = commandbars::mCommandBars;

namespace {

struct Raised {
  std::int32_t number = 0;
  std::u16string description;
  std::u16string source;
};

template <class F>
Raised Catch(F&& f) {
  try {
    f();
  } catch (const vb::Error& e) {
    return {e.Number, e.Description, e.Source};
  }
  return {};
}

}  // namespace

TEST(ObjectModel, ErrorsCarryTheToolkitsNumbersAndTextsAndChangeNothing) {
  frmHost form;
  form.Load();
  cButtons buttons = form.cmdBar(1).Buttons();
  cCommandBars bars = form.cmdBar(2).CommandBars();
  const int buttonCount = buttons.count();
  const int barCount = bars.count();

  Raised r = Catch([&] { buttons.Add(u"FILE:SAVE"); });
  EXPECT_EQ(r.number, 457);
  EXPECT_EQ(r.description, u"This key is already associated with an element of this collection.");
  EXPECT_EQ(r.source.substr(r.source.find(u'.')), u".kestPicker");
  EXPECT_EQ(Catch([&] { buttons.Add(u"file:save"); }).number, 457);
  r = Catch([&] { bars.Add(u"12"); });
  EXPECT_EQ(r.number, 13);
  EXPECT_EQ(r.description, u"Type Mismatch.");
  r = Catch([&] { bars.Remove(u"NO:SUCH:BAR"); });
  EXPECT_EQ(r.number, vb::vbObjectError + 25263);
  EXPECT_EQ(r.description, u"Item does not exist.");
  r = Catch([&] { bars.Item(u"MENU").Buttons().Add(nullptr); });
  EXPECT_EQ(r.number, 91);
  EXPECT_EQ(r.description, u"Object variable or With block variable not set.");
  const cButton save = buttons.Item(u"FILE:SAVE");
  EXPECT_EQ(Catch([&] { bars.Item(u"MENU").Buttons().InsertAfter(&save, nullptr); }).number, 91);
  EXPECT_EQ(Catch([&] { bars.Item(u"FILE").Buttons().Add(save); }).number, 457) << "a button sits on a bar once";
  EXPECT_EQ(Catch([&] { buttons.Item(u"NO:SUCH:BUTTON"); }).number, 5) << "the keyed collection's own error";
  EXPECT_EQ(Catch([&] { buttons.Item(500); }).number, 9);
  EXPECT_EQ(Catch([&] { form.cmdBar(0).ShowPopupMenu(10, 10, nullptr); }).number, 91);

  EXPECT_EQ(buttons.count(), buttonCount);
  EXPECT_EQ(bars.count(), barCount);
  EXPECT_EQ(bars.Item(u"MENU").Buttons().count(), 3);
  EXPECT_EQ(bars.Item(u"FILE").Buttons().count(), 7);
}

TEST(ObjectModel, AHandleWhoseControlIsGoneOrNeverWasRaisesError2) {
  cButton loose;
  Raised r = Catch([&] { loose.Caption(); });
  EXPECT_EQ(r.number, vb::vbObjectError + 25262);
  EXPECT_EQ(r.description, u"Owning kestCommandBar Control does not exist.");
  EXPECT_EQ(loose.Key(), u"") << "Key needs no control";
  cButton kept;
  {
    frmHost form;
    form.Load();
    kept = form.cmdBar(1).Buttons().Item(u"FILE:NEW");
    EXPECT_EQ(kept.Caption(), u"&Новый");
  }
  EXPECT_EQ(Catch([&] { kept.Enabled(false); }).number, vb::vbObjectError + 25262);
  EXPECT_EQ(kept.Key(), u"FILE:NEW");
}

TEST(ObjectModel, HandlesAreCheapViewsOfOneSharedButton) {
  frmHost form;
  form.Load();
  // Two handles from two controls reach one button.
  cButton a = form.cmdBar(0).Buttons().Item(u"MENU:FILE");
  cButton b = form.cmdBar(2).Buttons()(u"menu:file");
  a.Caption(u"&Документ");
  EXPECT_EQ(b.Caption(), u"&Документ");
  EXPECT_EQ(b.Key(), u"MENU:FILE") << "the stored key keeps its letters";
  a.Tag(u"метка");
  a.itemData(42);
  EXPECT_EQ(b.Tag(), u"метка");
  EXPECT_EQ(b.itemData(), 42);
  // Reading a property changes nothing else.
  EXPECT_EQ(b.IconIndex(), -1);
  EXPECT_EQ(b.ColorBox(), -1);
  EXPECT_FALSE(b.ShowDropDownInToolbar());
  EXPECT_EQ(b.Caption(), u"&Документ");
  // The defaults of Add: no icon, no caption, plain, no tooltip, no key, Ctrl.
  cButton bare = form.cmdBar(0).Buttons().Add(u"BARE");
  EXPECT_EQ(bare.IconIndex(), -1);
  EXPECT_EQ(bare.Caption(), u"");
  EXPECT_EQ(bare.ToolTip(), u"");
  EXPECT_EQ(bare.ShortcutKey(), 0);
  EXPECT_EQ(bare.ShortcutModifiers(), 2);
  EXPECT_EQ(form.cmdBar(0).Buttons().Add(u"ICON0", 0).IconIndex(), 0);
  // Checked takes effect only on check and radio buttons.
  cButton plain = form.cmdBar(0).Buttons().Item(u"FILE:NEW");
  plain.Checked(true);
  EXPECT_FALSE(plain.Checked());
  cButton wrap = form.cmdBar(0).Buttons().Item(u"EDIT:WRAP");
  wrap.Checked(true);
  EXPECT_TRUE(wrap.Checked());
  // A bar added without a title reads "".
  EXPECT_EQ(form.cmdBar(0).CommandBars().Add(u"EMPTY").Title(), u"");
  EXPECT_EQ(form.cmdBar(0).CommandBars().Item(u"TOOLBAR").Title(), u"Стандартная");
  EXPECT_EQ(form.cmdBar(0).Buttons().Item(u"MENU:FILE").Bar().Key(), u"FILE");
  EXPECT_TRUE(form.cmdBar(0).Buttons().Item(u"FILE:NEW").Bar().IsNull());
  EXPECT_EQ(Catch([&] { form.cmdBar(0).Buttons().Item(u"FILE:NEW").Bar(nullptr); }).number, 91);
}

TEST(ObjectModel, ControlsOfAWindowShareTheButtonsTheyShow) {
  frmHost form;
  form.Load();
  cCommandBar toolbar = form.cmdBar(1).Toolbar();
  EXPECT_EQ(toolbar.Key(), u"TOOLBAR");
  EXPECT_EQ(toolbar.Buttons().Item(2).Key(), u"TB:OPEN");
  form.cmdBar(1).Toolbar(nullptr);
  EXPECT_TRUE(form.cmdBar(1).Toolbar().IsNull());
  EXPECT_EQ(form.cmdBar(0).IdealSize(), 0);
  // Disabling a button reaches it on every bar.
  form.cmdBar(2).Buttons().Item(u"FILE:SAVE").Enabled(false);
  EXPECT_FALSE(form.cmdBar(0).CommandBars().Item(u"FILE").Buttons().Item(u"FILE:SAVE").Enabled());
  // Removing a bar a control shows leaves the control empty, not broken.
  form.cmdBar(0).CommandBars().Remove(u"TOOLBAR2");
  EXPECT_EQ(form.cmdBar(2).Toolbar().Key(), u"TOOLBAR2");
  EXPECT_EQ(Catch([&] { form.cmdBar(2).Toolbar().Title(); }).number, 5);
}

TEST(ObjectModel, PersistedPropertiesAreTheFiveGivenAndOnlyTheFontWhenAllAreDefaults) {
  frmHost form;
  form.Load();
  vb::PropertyBag bag = form.cmdBar(1).SaveProperties();
  EXPECT_EQ(bag.Names(), std::vector<std::u16string>{u"font"});
  form.cmdBar(0).Orientation(1);
  form.cmdBar(0).Enabled(false);
  bag = form.cmdBar(0).SaveProperties();
  EXPECT_EQ(bag.Names(), (std::vector<std::u16string>{u"enabled", u"font", u"mainmenu", u"orientation"}));
}
