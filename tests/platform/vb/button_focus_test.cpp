// The keyboard focus on a command button shows: a dotted rectangle of every other pixel in the
// button's text colour, three pixels inside its edges, on the default button as on any other; a
// button without the focus has none.
#include <gtest/gtest.h>

#include "platform/gdi/gdi.h"
#include "platform/testing/vb.h"
#include "platform/testing/win.h"
#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "platform/vb/runtime.h"
#include "platform/win/window.h"

namespace {

class frmButtons : public vb::Form {
 public:
  vb::CommandButton cmdOK{*this};
  vb::CommandButton cmdOther{*this};

 protected:
  void Design() override {
    Caption(u"Кнопки");
    ClientSize(4000, 1200);
    cmdOK.Move(120, 120, 1800, 450);
    cmdOK.Caption(u"OK");
    cmdOK.Default(true);
    cmdOther.Move(2040, 120, 1800, 450);
    cmdOther.Caption(u"Отмена");
  }
};

class ButtonFocus : public ::testing::Test {
 protected:
  void SetUp() override {
    form.Show();
    platform::testing::ShowAndWait(form.hWnd());
  }
  void TearDown() override {
    form.Terminate();
    vb::DoEvents();
  }
  void Focus(vb::CommandButton& b) {
    b.SetFocus();
    vb::DoEvents();
    ASSERT_EQ(win::GetFocus(), b.hWnd());
  }
  // The dots along the top edge of the focus rectangle, away from the corners: the pixels of the
  // button's text colour in its fourth row, each as 1 at its place, beginning at the fourth column.
  std::string TopDots(vb::CommandButton& b) {
    const int width = static_cast<int>(b.Width() / vb::TwipsPerPixel);
    std::string dots;
    for (int x = 3; x < width - 3; ++x)
      dots += vb::testing::WindowPicturePixel(b.hWnd(), x, 3) == win::GetSysColor(win::COLOR_BTNTEXT) ? '1' : '0';
    return dots;
  }
  static std::string Dotted(std::size_t length) {
    std::string s;
    for (std::size_t i = 0; i < length; ++i) s += i % 2 == 0 ? '1' : '0';
    return s;
  }
  frmButtons form;
};

TEST_F(ButtonFocus, TheDefaultButtonWithTheKeyboardShowsTheFocusRectangle) {
  Focus(form.cmdOther);
  const std::string without = TopDots(form.cmdOK);
  EXPECT_EQ(without.find('1'), std::string::npos) << without;
  EXPECT_EQ(TopDots(form.cmdOther), Dotted(TopDots(form.cmdOther).size()));
  Focus(form.cmdOK);
  EXPECT_EQ(TopDots(form.cmdOK), Dotted(without.size()));
  EXPECT_EQ(TopDots(form.cmdOther).find('1'), std::string::npos);
}

}  // namespace
