// The picture box as a drawing surface.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

#include "platform/vb/form.h"
#include "platform/vb/picturebox.h"
#include "platform/vb/runtime.h"
#include "platform/win/window_record.h"

namespace {

class frmCanvas : public vb::Form {
 public:
  vb::PictureBox pic{*this};

 protected:
  void Design() override {
    pic.Move(0, 0, 1500, 750);  // 100 by 50 pixels, 96 by 46 inside the border
    pic.BackColor(vb::vbWhite);
  }
};

class PictureBoxTest : public ::testing::Test {
 protected:
  void TearDown() override {
    form.Terminate();
    vb::DoEvents();
  }
  frmCanvas form;
};

}  // namespace

TEST_F(PictureBoxTest, PrintMovesTheCurrentPointByTheTextsSize) {
  vb::PictureBox& p = form.pic;
  EXPECT_EQ(p.ScaleWidth(), 96 * 15);
  EXPECT_EQ(p.ScaleHeight(), 46 * 15);
  EXPECT_GT(p.TextWidth(u"ab"), p.TextWidth(u"a"));
  EXPECT_EQ(p.TextHeight(u"a\nb"), 2 * p.TextHeight(u"a"));
  p.CurrentX(300);
  p.Print(u"Тест", false);
  EXPECT_EQ(p.CurrentX(), 300 + p.TextWidth(u"Тест"));
  p.Print(u"");
  EXPECT_EQ(p.CurrentX(), 0);
  EXPECT_EQ(p.CurrentY(), p.TextHeight(u"Тест"));
  p.ForeColor(0x0000FF);
  p.CurrentX(0);
  p.CurrentY(0);
  p.Print(u"███");
  bool inked = false;
  for (int x = 0; x < 40 && !inked; ++x) inked = p.Point(static_cast<float>(x * 15), 120) == 0x0000FF;
  EXPECT_TRUE(inked);
  p.Cls();
  EXPECT_EQ(p.CurrentY(), 0);
  EXPECT_EQ(p.Point(0, 120), 0xFFFFFF);
}

TEST_F(PictureBoxTest, DrawModesCombineThePenWithWhatIsThere) {
  vb::PictureBox& p = form.pic;
  p.Line(0, 0, 300, 300, 0x123456, true, true);
  EXPECT_EQ(p.Point(150, 150), 0x123456);
  EXPECT_EQ(p.Point(315, 150), 0xFFFFFF);  // the box ends at its second corner
  p.DrawMode(vb::vbXorPen);
  p.Line(0, 0, 300, 300, 0x123456, true, true);
  EXPECT_EQ(p.Point(150, 150), 0x000000);
  p.DrawMode(vb::vbNotXorPen);
  p.Line(0, 0, 300, 300, 0x123456, true, true);  // not (pen xor black)
  EXPECT_EQ(p.Point(150, 150), 0xEDCBA9);
  p.DrawMode(vb::vbInvert);
  p.Line(0, 0, 300, 300, 0, true, true);
  EXPECT_EQ(p.Point(150, 150), 0x123456);
  p.DrawMode(vb::vbCopyPen);
  p.PSet(600, 600, 0x00FF00);
  EXPECT_EQ(p.Point(600, 600), 0x00FF00);
  EXPECT_EQ(p.Point(-15, 0), -1);
  // A new background colour clears the drawing.
  p.BackColor(0xC0C0C0);
  EXPECT_EQ(p.Point(150, 150), 0xC0C0C0);
}

TEST_F(PictureBoxTest, MouseEventsComeInTheBoxsScale) {
  vb::PictureBox& p = form.pic;
  p.ScaleMode(vb::vbPixels);
  EXPECT_EQ(p.ScaleWidth(), 96);
  float gotX = -1, gotY = -1;
  int gotButton = 0;
  p.MouseDown = [&](int button, int, float x, float y) {
    gotButton = button;
    gotX = x;
    gotY = y;
  };
  form.Show();
  QWidget* w = platform::detail::WidgetOf(p.hWnd());
  QMouseEvent e(QEvent::MouseButtonPress, QPointF(12, 7), w->mapToGlobal(QPointF(12, 7)), Qt::RightButton,
                Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
  EXPECT_EQ(gotButton, vb::vbRightButton);
  EXPECT_EQ(gotX, 10);  // inside the two-pixel border
  EXPECT_EQ(gotY, 5);
}
