// The disabled look of every intrinsic control: the same control enabled and disabled, side by
// side, compared by the pixels of its text. A disabled control writes in the system's grey text
// colour (COLOR_GRAYTEXT), and captions (labels, check boxes, option buttons, buttons, frames)
// stand embossed on a highlight (COLOR_3DHILIGHT) shadow one pixel down and right.
#include <gtest/gtest.h>

#include <QImage>

#include <string>

#include "platform/gdi/gdi.h"
#include "platform/testing/gdi.h"
#include "platform/testing/vb.h"
#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "platform/vb/runtime.h"
#include "platform/vb/strings.h"
#include "platform/win/window.h"
#include "support.h"

namespace {

// Each kind of control twice, the upper one enabled and the lower one disabled.
class frmLooks : public vb::Form {
 public:
  vb::Label lbl[2]{vb::Label{*this}, vb::Label{*this}};
  vb::CheckBox chk[2]{vb::CheckBox{*this}, vb::CheckBox{*this}};
  vb::OptionButton opt[2]{vb::OptionButton{*this}, vb::OptionButton{*this}};
  vb::CommandButton cmd[2]{vb::CommandButton{*this}, vb::CommandButton{*this}};
  vb::Frame fra[2]{vb::Frame{*this}, vb::Frame{*this}};
  vb::TextBox txt[2]{vb::TextBox{*this}, vb::TextBox{*this}};
  vb::TextBox txtMulti[2]{vb::TextBox{*this, true}, vb::TextBox{*this, true}};
  vb::ComboBox cboList[2]{vb::ComboBox{*this, vb::vbComboDropdownList}, vb::ComboBox{*this, vb::vbComboDropdownList}};
  vb::ComboBox cboEdit[2]{vb::ComboBox{*this}, vb::ComboBox{*this}};
  vb::ListBox lst[2]{vb::ListBox{*this}, vb::ListBox{*this}};

 protected:
  void Design() override {
    Caption(u"Вид");
    ClientSize(9000, 5400);
    for (int i = 0; i < 2; ++i) {
      const float top = 120.0f + 2700.0f * static_cast<float>(i);
      lbl[i].Move(120, top, 1800, 300);
      lbl[i].Caption(u"Метка ШЩЖ");
      chk[i].Move(2040, top, 2200, 300);
      chk[i].Caption(u"Флажок ШЩЖ");
      opt[i].Move(4360, top, 2200, 300);
      opt[i].Caption(u"Выбор ШЩЖ");
      cmd[i].Move(6680, top, 2200, 450);
      cmd[i].Caption(u"Кнопка ШЩЖ");
      fra[i].Move(120, top + 500, 2600, 700);
      fra[i].Caption(u"Рамка ШЩЖ");
      txt[i].Move(2840, top + 500, 2000, 330);
      txt[i].Text(u"Текст ШЩЖ");
      txtMulti[i].Move(4960, top + 500, 2000, 700);
      txtMulti[i].Text(u"Строки ШЩЖ");
      cboList[i].Move(120, top + 1400, 2600, 330);
      cboList[i].AddItem(u"Список ШЩЖ");
      cboList[i].ListIndex(0);
      cboEdit[i].Move(2840, top + 1400, 2600, 330);
      cboEdit[i].Text(u"Правка ШЩЖ");
      lst[i].Move(5560, top + 1400, 2600, 900);
      lst[i].AddItem(u"Строка ШЩЖ");
    }
  }
};

// The grey text and highlight colours are set apart from anything else a control draws, so their
// pixels can be counted.
constexpr win::COLORREF kGrey = win::RGB(192, 0, 0);
constexpr win::COLORREF kLight = win::RGB(0, 0, 192);

// Smoothed text blends its colour into the background at its edges: a pixel counts for a colour
// when that colour's channel stands well above the others.
struct Ink {
  int black = 0;      // pixels of ordinary dark text
  int grey = 0;       // pixels of the grey text colour
  int highlight = 0;  // pixels of the highlight colour
};

Ink InkOf(vb::Control& c) {
  const qmtest::TempDir dir;
  const std::u16string file = vb::FromUtf8((dir.path() / "control.png").string());
  EXPECT_TRUE(vb::testing::SaveWindowPicture(c.hWnd(), file));
  const QImage img = QImage(QString::fromStdU16String(file)).convertToFormat(QImage::Format_RGB32);
  Ink ink;
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      const QRgb p = img.pixel(x, y);
      const int r = qRed(p), g = qGreen(p), b = qBlue(p);
      ink.black += std::max({r, g, b}) < 48;
      ink.grey += r - std::max(g, b) > 64;
      ink.highlight += b - std::max(r, g) > 64;
    }
  }
  return ink;
}

class DisabledControls : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::testing::SetSysColor(win::COLOR_GRAYTEXT, kGrey);
    platform::testing::SetSysColor(win::COLOR_3DHILIGHT, kLight);
    form.Show();
    for (vb::Control* c : form.Controls())
      if (c->Top() > 2000) c->Enabled(false);
    vb::DoEvents();
  }
  void TearDown() override {
    form.Terminate();
    platform::testing::ResetSysColors();
    vb::DoEvents();
  }
  // The enabled control writes in black and nothing grey; the disabled one in grey and nothing
  // black, and a caption stands on its highlight shadow.
  template <class C>
  void ExpectTheLooks(C (&pair)[2], bool caption, const char* kind) {
    SCOPED_TRACE(kind);
    EXPECT_TRUE(pair[0].Enabled());
    EXPECT_FALSE(pair[1].Enabled());
    const Ink on = InkOf(pair[0]), off = InkOf(pair[1]);
    EXPECT_GT(on.black, 20);
    EXPECT_EQ(on.grey, 0);
    EXPECT_EQ(on.highlight, 0);
    EXPECT_EQ(off.black, 0);
    EXPECT_GT(off.grey, 20);
    if (caption) {
      EXPECT_GT(off.highlight, 10);
    } else {
      EXPECT_EQ(off.highlight, 0);
    }
  }
  frmLooks form;
};

TEST_F(DisabledControls, CaptionsStandEmbossedInGreyAndTextIsGrey) {
  EXPECT_TRUE(vb::testing::SaveWindowPicture(form.hWnd(), vb::FromUtf8(QM_BINARY_DIR "/disabled_look.png")));
  ExpectTheLooks(form.lbl, true, "label");
  ExpectTheLooks(form.chk, true, "check box");
  ExpectTheLooks(form.opt, true, "option button");
  ExpectTheLooks(form.cmd, true, "command button");
  ExpectTheLooks(form.fra, true, "frame");
  ExpectTheLooks(form.cboList, true, "drop-down list");
  ExpectTheLooks(form.txt, false, "text box");
  ExpectTheLooks(form.txtMulti, false, "multi-line text box");
  ExpectTheLooks(form.cboEdit, false, "combo box");
  ExpectTheLooks(form.lst, false, "list box");
}

// An edit box stands on the window colour, and on the button face while disabled; one given a
// colour of its own keeps it.
TEST_F(DisabledControls, DisabledEditBoxesStandOnTheButtonFace) {
  // Right of the text, left of a combo box's arrow.
  const auto background = [](vb::Control& c) {
    const int right = static_cast<int>(c.Width() / vb::TwipsPerPixel) - 30;
    return vb::testing::WindowPicturePixel(c.hWnd(), right, 6);
  };
  const win::COLORREF face = win::GetSysColor(win::COLOR_BTNFACE), window = win::GetSysColor(win::COLOR_WINDOW);
  ASSERT_NE(face, window);
  EXPECT_EQ(background(form.txt[0]), window);
  EXPECT_EQ(background(form.txt[1]), face);
  EXPECT_EQ(background(form.txtMulti[0]), window);
  EXPECT_EQ(background(form.txtMulti[1]), face);
  EXPECT_EQ(background(form.cboEdit[1]), face);
  form.txt[1].BackColor(win::RGB(255, 255, 160));
  EXPECT_EQ(background(form.txt[1]), win::RGB(255, 255, 160));
}

// A disabled control writes in grey whatever its own colour, and writes in that colour again
// when enabled.
TEST_F(DisabledControls, TheirOwnForeColourComesBackWhenEnabled) {
  form.lbl[1].ForeColor(win::RGB(0, 160, 0));
  form.txt[1].ForeColor(win::RGB(0, 160, 0));
  EXPECT_EQ(InkOf(form.lbl[1]).black, 0);
  EXPECT_GT(InkOf(form.lbl[1]).grey, 20);
  EXPECT_GT(InkOf(form.txt[1]).grey, 20);
  form.lbl[1].Enabled(true);
  form.txt[1].Enabled(true);
  EXPECT_EQ(InkOf(form.lbl[1]).grey, 0);
  EXPECT_EQ(InkOf(form.txt[1]).grey, 0);
}

}  // namespace
