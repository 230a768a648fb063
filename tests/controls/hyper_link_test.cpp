// The hyperlink label on a window: its stored properties, the hover with its timer ticked by the
// test, the click that opens the link through the desktop (recorded, never opened), the size rule,
// and its design-time page. Pictures of it, plain and under the mouse, go into the build tree
// (hyper_link.png, hyper_link_hover.png) for a person to look at.
#include "controls/hyper_link.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/hyper_link_settings.h"
#include "platform/shell/shell.h"
#include "platform/vb/form.h"
#include "platform/vb/runtime.h"
#include "platform/vb/screen.h"
#include "platform/vb/strings.h"
#include "platform/testing/vb.h"
#include "platform/testing/win.h"
#include "platform/win/window.h"

namespace {

class frmLinks : public vb::Form {
 public:
  HyperLink Hyperlink1{*this};
  HyperLink Hyperlink2{*this};
  std::vector<std::string> events;

  frmLinks() {
    Hyperlink1.Click = [this] { events.push_back("Click"); };
    Hyperlink1.mouseDown = [this](int b, int, float, float) { events.push_back("mouseDown:" + std::to_string(b)); };
    Hyperlink1.MouseUp = [this](int b, int, float, float) { events.push_back("MouseUp:" + std::to_string(b)); };
    Hyperlink1.mouseOver = [this](int, int, float, float) { events.push_back("mouseOver"); };
    Hyperlink1.MouseOut = [this] { events.push_back("MouseOut"); };
    Hyperlink1.Change = [this] { events.push_back("Change"); };
  }

 protected:
  void Design() override {
    Caption(u"О программе");
    Move(0, 0, 4500, 2000);
    Hyperlink1.Move(300, 300, 1500, 300);
    Hyperlink2.Move(300, 900, 1500, 300);
  }
};

class HyperLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::testing::SetOpenHandler([this](const std::u16string& url) {
      opened.push_back(url);
      return openSucceeds;
    });
  }
  void TearDown() override {
    platform::testing::SetOpenHandler(nullptr);
    form.Terminate();
    vb::DoEvents();
  }
  win::HWND Label() { return form.Hyperlink1.lblHyperLink.hWnd(); }
  // Puts the screen's cursor over a client point of a window, or far from the program.
  void CursorAt(win::HWND h, int x, int y) {
    win::POINT p{x, y};
    win::ClientToScreen(h, &p);
    win::SetCursorPos(p.x, p.y);
  }
  void CursorAway() { win::SetCursorPos(3000, 3000); }
  void Tick() { platform::testing::FireTimer(form.Hyperlink1.myTimer.hWnd(), 1); }
  bool Ticking() { return form.Hyperlink1.myTimer.Enabled(); }
  void Hover() {
    CursorAt(Label(), 3, 3);
    platform::testing::MouseMove(Label(), 3, 3);
  }

  frmLinks form;
  std::vector<std::u16string> opened;
  bool openSucceeds = true;
};

}  // namespace

TEST_F(HyperLinkTest, ANewControlStoresNothingAndChangedPropertiesComeBack) {
  EXPECT_EQ(form.Hyperlink1.Caption(), u"Hyperlink");
  EXPECT_EQ(form.Hyperlink1.HyperLinkAddress(), HyperLink::kPlaceholderLink);
  EXPECT_EQ(form.Hyperlink1.HoverColor(), 0x0000FFu);
  EXPECT_TRUE(form.Hyperlink1.AutoToolTip());
  EXPECT_TRUE(form.Hyperlink1.AutoSize());
  EXPECT_FALSE(form.Hyperlink1.MOUnderline());
  EXPECT_FALSE(form.Hyperlink1.MOPointer());
  EXPECT_FALSE(form.Hyperlink1.SoundOn());
  // Only the design font of the label differs from the window's.
  EXPECT_EQ(form.Hyperlink1.SaveProperties().Names(), std::vector<std::u16string>{u"font"});

  form.Hyperlink1.HyperLinkAddress(u"  mailto:autor@example.org   ");
  EXPECT_EQ(form.Hyperlink1.HyperLinkAddress(), u"mailto:autor@example.org");
  form.Hyperlink1.Caption(u"Написать автору");
  form.Hyperlink1.ForeColor(0x808000);
  form.Hyperlink1.MOUnderline(true);
  form.Hyperlink1.SoundOn(true);
  form.Hyperlink1.SoundID(101);
  EXPECT_EQ(form.Hyperlink1.ChangedProperties(),
            (std::vector<std::u16string>{u"HyperLink", u"Caption", u"ForeColor", u"MOUnderline", u"SoundOn", u"SoundID"}));
  vb::PropertyBag saved = form.Hyperlink1.SaveProperties();
  // The sound is not kept.
  EXPECT_EQ(saved.Names(),
            (std::vector<std::u16string>{u"caption", u"font", u"forecolor", u"hyperlink", u"mounderline"}));

  form.Terminate();
  form.Hyperlink1.DesignProperties() = saved;
  form.Load();
  EXPECT_EQ(form.Hyperlink1.Caption(), u"Написать автору");
  EXPECT_EQ(form.Hyperlink1.HyperLinkAddress(), u"mailto:autor@example.org");
  EXPECT_EQ(form.Hyperlink1.ForeColor(), 0x808000u);
  EXPECT_TRUE(form.Hyperlink1.MOUnderline());
  EXPECT_FALSE(form.Hyperlink1.SoundOn());
  EXPECT_EQ(form.Hyperlink1.SoundID(), 0);

  // The caption "Hyperlink" is the default: not stored, and it loads back.
  form.Hyperlink1.Caption(u"Hyperlink");
  saved = form.Hyperlink1.SaveProperties();
  EXPECT_FALSE(saved.Contains(u"Caption"));
  form.Terminate();
  form.Hyperlink1.DesignProperties() = saved;
  form.Load();
  EXPECT_EQ(form.Hyperlink1.Caption(), u"Hyperlink");
}

TEST_F(HyperLinkTest, AHoverBeginsOnceAndEndsWhenTheTimerFindsTheMouseElsewhere) {
  form.Show();
  form.Hyperlink1.ForeColor(0x404040);
  form.Hyperlink1.HoverColor(0x0000FF);
  form.Hyperlink1.HyperLinkAddress(u"https://quillmark.example/");
  form.Hyperlink1.Extender().ToolTipText(u"Подсказка окна");
  EXPECT_FALSE(Ticking());

  Hover();
  platform::testing::MouseMove(Label(), 5, 4);
  platform::testing::MouseMove(Label(), 8, 6);
  EXPECT_EQ(form.events, std::vector<std::string>{"mouseOver"});
  EXPECT_EQ(form.Hyperlink1.lblHyperLink.ForeColor(), 0x0000FFu);
  EXPECT_EQ(form.Hyperlink1.lblHyperLink.ToolTipText(), u"https://quillmark.example/");
  EXPECT_TRUE(Ticking());

  Tick();  // still over the label: nothing happens
  EXPECT_EQ(form.events, std::vector<std::string>{"mouseOver"});
  CursorAway();
  Tick();
  Tick();
  EXPECT_EQ(form.events, (std::vector<std::string>{"mouseOver", "MouseOut"}));
  EXPECT_EQ(form.Hyperlink1.lblHyperLink.ForeColor(), 0x404040u);
  EXPECT_FALSE(Ticking());

  // The next entry is a new hover; without AutoToolTip the window's tooltip for the control shows.
  form.Hyperlink1.AutoToolTip(false);
  Hover();
  EXPECT_EQ(form.events, (std::vector<std::string>{"mouseOver", "MouseOut", "mouseOver"}));
  EXPECT_EQ(form.Hyperlink1.lblHyperLink.ToolTipText(), u"Подсказка окна");
  // Over the other link is not over this one.
  CursorAt(form.Hyperlink2.lblHyperLink.hWnd(), 3, 3);
  Tick();
  EXPECT_EQ(form.events.back(), "MouseOut");
}

TEST_F(HyperLinkTest, UnderlineAndHandPointerLastOnlyAsLongAsTheHover) {
  form.Show();
  form.Hyperlink1.MOUnderline(true);
  form.Hyperlink1.MOPointer(true);
  Hover();
  EXPECT_TRUE(form.Hyperlink1.lblHyperLink.Font().Underline);
  EXPECT_EQ(form.Hyperlink1.lblHyperLink.MousePointer(), vb::vbCustom);
  CursorAway();
  Tick();
  EXPECT_FALSE(form.Hyperlink1.lblHyperLink.Font().Underline);
  EXPECT_EQ(form.Hyperlink1.lblHyperLink.MousePointer(), vb::vbDefault);

  // Under a window whose font is underlined the underline stays.
  vb::StdFont underlined = form.Font();
  underlined.Underline = true;
  form.Font(underlined);
  Hover();
  CursorAway();
  Tick();
  EXPECT_TRUE(form.Hyperlink1.lblHyperLink.Font().Underline);

  // Without the switches neither changes.
  CursorAt(form.Hyperlink2.lblHyperLink.hWnd(), 3, 3);
  platform::testing::MouseMove(form.Hyperlink2.lblHyperLink.hWnd(), 3, 3);
  EXPECT_FALSE(form.Hyperlink2.lblHyperLink.Font().Underline);
  EXPECT_EQ(form.Hyperlink2.lblHyperLink.MousePointer(), vb::vbDefault);
}

TEST_F(HyperLinkTest, AClickOpensTheLinkThenRaisesClickWhateverHappened) {
  form.Show();
  form.Hyperlink1.HyperLinkAddress(u"https://quillmark.example/donate");
  vb::Screen.MousePointer(vb::vbArrow);
  platform::testing::Click(Label(), 3, 3);
  EXPECT_EQ(opened, std::vector<std::u16string>{u"https://quillmark.example/donate"});
  EXPECT_EQ(form.events, (std::vector<std::string>{"mouseDown:1", "MouseUp:1", "Click"}));
  EXPECT_EQ(vb::Screen.MousePointer(), vb::vbArrow);  // the pointer comes back

  // The desktop cannot open it, and there is no sound to play: Click all the same.
  openSucceeds = false;
  form.Hyperlink1.SoundOn(true);
  form.Hyperlink1.SoundID(7);
  form.events.clear();
  platform::testing::Click(Label(), 3, 3);
  EXPECT_EQ(opened.size(), 2u);
  EXPECT_EQ(form.events.back(), "Click");
  EXPECT_EQ(vb::Screen.MousePointer(), vb::vbArrow);

  // No link: nothing is opened, Click still comes.
  form.Hyperlink1.HyperLinkAddress(u"   ");
  form.events.clear();
  platform::testing::Click(Label(), 3, 3);
  EXPECT_EQ(opened.size(), 2u);
  EXPECT_EQ(form.events.back(), "Click");
  vb::Screen.MousePointer(vb::vbDefault);
}

TEST_F(HyperLinkTest, TheControlFollowsItsTextOrCutsIt) {
  form.Show();
  const float before = form.Hyperlink1.Width();
  form.Hyperlink1.Caption(u"Гораздо более длинная подпись ссылки");
  EXPECT_GT(form.Hyperlink1.Width(), before);
  EXPECT_EQ(form.Hyperlink1.Width(), form.Hyperlink1.lblHyperLink.Width());
  EXPECT_EQ(form.Hyperlink1.Height(), form.Hyperlink1.lblHyperLink.Height());
  EXPECT_EQ(form.events, std::vector<std::string>{"Change"});
  form.Hyperlink1.Caption(u"Гораздо более длинная подпись ссылки");  // the same text: no change
  EXPECT_EQ(form.events.size(), 1u);

  form.Hyperlink1.AutoSize(false);
  form.Hyperlink1.Extender().Move(300, 300, 900, 450);
  EXPECT_EQ(form.Hyperlink1.lblHyperLink.Width(), 900);
  EXPECT_EQ(form.Hyperlink1.lblHyperLink.Height(), 450);
  form.Hyperlink1.Caption(u"Коротко");
  EXPECT_EQ(form.Hyperlink1.Width(), 900);
  // A bigger font with AutoSize makes the control taller.
  form.Hyperlink1.AutoSize(true);
  const float height = form.Hyperlink1.Height();
  vb::StdFont big = form.Hyperlink1.Font();
  big.Size = 18;
  form.Hyperlink1.Font(big);
  EXPECT_GT(form.Hyperlink1.Height(), height);
}

TEST_F(HyperLinkTest, PicturesOfTheLinkPlainAndUnderTheMouse) {
  form.Show();
  form.BackColor(vb::vbButtonFace);
  for (HyperLink* l : {&form.Hyperlink1, &form.Hyperlink2}) {
    l->ForeColor(0x800000);
    l->HoverColor(0x0000FF);
    l->MOUnderline(true);
    l->MOPointer(true);
  }
  form.Hyperlink1.Caption(u"https://quillmark.example/");
  form.Hyperlink2.Caption(u"Поддержать проект");
  vb::DoEvents();
  EXPECT_TRUE(vb::testing::SaveWindowPicture(form.hWnd(), vb::FromUtf8(QM_BINARY_DIR "/hyper_link.png")));
  Hover();
  vb::DoEvents();
  EXPECT_TRUE(vb::testing::SaveWindowPicture(form.hWnd(), vb::FromUtf8(QM_BINARY_DIR "/hyper_link_hover.png")));
  // The hover shows: the link's own colour is gone from the label's pixels, the hover colour is there.
  bool hoverColour = false;
  for (int x = 0; x < 120; ++x)
    for (int y = 0; y < 20; ++y) hoverColour |= vb::testing::WindowPicturePixel(Label(), x, y) == 0x0000FF;
  EXPECT_TRUE(hoverColour);
}

TEST(HyperLinkPage, FillsFromAndAppliesToTheFirstSelectedControlOnly) {
  frmLinks form;
  Settings page;
  form.Hyperlink1.Caption(u"Первая");
  form.Hyperlink1.HyperLinkAddress(u"https://one.example/");
  form.Hyperlink1.MOPointer(true);
  form.Hyperlink2.Caption(u"Вторая");
  page.SelectedControls = {&form.Hyperlink1, &form.Hyperlink2};
  page.PropertyPage_SelectionChanged();
  EXPECT_EQ(page.txtCaption.Text(), u"Первая");
  EXPECT_EQ(page.txtHyperLink.Text(), u"https://one.example/");
  EXPECT_EQ(page.chkMOPointer.Value(), vb::vbChecked);
  EXPECT_EQ(page.chkMOUnderline.Value(), vb::vbUnchecked);
  EXPECT_EQ(page.chkAutoToolTip.Value(), vb::vbChecked);
  EXPECT_EQ(page.chkAutoSize.Value(), vb::vbChecked);
  EXPECT_EQ(page.chkEnabled.Value(), vb::vbChecked);
  EXPECT_FALSE(page.Changed);

  // Applying an unchanged page writes the same values back.
  page.PropertyPage_ApplyChanges();
  EXPECT_EQ(form.Hyperlink1.Caption(), u"Первая");
  EXPECT_EQ(form.Hyperlink1.HyperLinkAddress(), u"https://one.example/");
  EXPECT_TRUE(form.Hyperlink1.MOPointer());
  EXPECT_TRUE(form.Hyperlink1.Enabled());

  page.chkMOUnderline.Value(vb::vbChecked);
  EXPECT_TRUE(page.Changed);
  page.Changed = false;
  page.txtHyperLink.Text(u"  https://two.example/  ");
  EXPECT_TRUE(page.Changed);
  page.chkEnabled.Value(vb::vbUnchecked);
  page.chkAutoSize.Value(vb::vbUnchecked);
  page.txtCaption.Text(u"Изменённая");
  page.PropertyPage_ApplyChanges();
  EXPECT_TRUE(form.Hyperlink1.MOUnderline());
  EXPECT_EQ(form.Hyperlink1.HyperLinkAddress(), u"https://two.example/");
  EXPECT_FALSE(form.Hyperlink1.Enabled());
  EXPECT_FALSE(form.Hyperlink1.AutoSize());
  EXPECT_EQ(form.Hyperlink1.Caption(), u"Изменённая");
  // The second selected control is left alone.
  EXPECT_EQ(form.Hyperlink2.Caption(), u"Вторая");
  EXPECT_FALSE(form.Hyperlink2.MOUnderline());
  EXPECT_TRUE(form.Hyperlink2.Enabled());
  page.Terminate();
  form.Terminate();
}
