// The picture box as a drawing surface.
#include <gtest/gtest.h>


#include "platform/gdi/gdi.h"
#include "platform/testing/win.h"
#include "platform/win/window.h"
#include "platform/vb/controls.h"
#include "platform/vb/error.h"
#include "platform/vb/form.h"
#include "platform/vb/picturebox.h"
#include "platform/vb/runtime.h"
#include "platform/vb/strings.h"
#include "support.h"
#include "support_gdi.h"

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
  platform::testing::MouseDown(p.hWnd(), 12, 7, win::MK_RBUTTON);
  EXPECT_EQ(gotButton, vb::vbRightButton);
  EXPECT_EQ(gotX, 10);  // inside the two-pixel border
  EXPECT_EQ(gotY, 5);
}

TEST_F(PictureBoxTest, APictureOwnsItsBitmapAndIsShownUnderTheDrawing) {
  const win::HDC mem = win::CreateCompatibleDC(0);
  const win::HBITMAP bmp = win::CreateBitmap(4, 3, 1, 32, nullptr);
  const win::HGDIOBJ old = win::SelectObject(mem, bmp);
  const win::RECT all{0, 0, 4, 3};
  const win::HBRUSH red = win::CreateSolidBrush(win::RGB(255, 0, 0));
  win::FillRect(mem, &all, red);
  win::DeleteObject(red);
  win::SelectObject(mem, old);
  win::DeleteDC(mem);
  {
    vb::Picture picture = std::make_shared<vb::StdPicture>(vb::vbPicTypeBitmap, bmp);
    EXPECT_EQ(picture->WidthPixels(), 4);
    EXPECT_EQ(picture->HeightPixels(), 3);
    form.pic.Picture(picture);
  }
  EXPECT_EQ(form.pic.Picture()->Handle(), bmp);
  EXPECT_EQ(form.pic.Point(45, 30), 0x0000FF);     // the picture at the top left
  EXPECT_EQ(form.pic.Point(150, 150), 0xFFFFFF);   // the back colour beyond it
  form.pic.PSet(15, 15, 0x00FF00);
  form.pic.Cls();                                   // the drawing goes, the picture stays
  EXPECT_EQ(form.pic.Point(15, 15), 0x0000FF);
  EXPECT_EQ(win::GetObjectType(bmp), win::OBJ_BITMAP);
  form.pic.Picture(nullptr);
  EXPECT_EQ(win::GetObjectType(bmp), 0u);  // the last reference freed it
  EXPECT_EQ(form.pic.Point(15, 15), 0xFFFFFF);
}

// A control in a bordered picture box is placed inside the border, as a control on a window is
// placed inside its frame, and moves with the inside when the border goes.
TEST(PictureBoxContainer, ItsControlsArePlacedInsideTheBorder) {
  struct frmBoxes : vb::Form {
    vb::PictureBox pic{*this};
    vb::OptionButton opt{pic};
    vb::Frame fra{*this};
    vb::OptionButton optInFrame{fra};
    void Design() override {
      pic.Move(300, 300, 1815, 1800);
      opt.Move(0, 0, 1815, 315);
      fra.Move(2400, 300, 1800, 1800);
      optInFrame.Move(0, 0, 1500, 315);
    }
  } form;
  form.Show();
  const auto place = [](vb::Control& c) {
    win::RECT r;
    win::GetWindowRect(c.hWnd(), &r);
    return r;
  };
  EXPECT_EQ(place(form.opt).left, place(form.pic).left + 2);
  EXPECT_EQ(place(form.opt).top, place(form.pic).top + 2);
  EXPECT_EQ(form.opt.Left(), 0);
  EXPECT_EQ(form.opt.Top(), 0);
  form.opt.Move(150, 150);
  EXPECT_EQ(place(form.opt).left, place(form.pic).left + 12);
  EXPECT_EQ(form.opt.Left(), 150);
  form.pic.BorderStyle(0);
  EXPECT_EQ(place(form.opt).left, place(form.pic).left + 10);
  EXPECT_EQ(form.opt.Left(), 150);
  // A frame places what it holds from its outer corner.
  EXPECT_EQ(place(form.optInFrame).left, place(form.fra).left);
  EXPECT_EQ(place(form.optInFrame).top, place(form.fra).top);
  form.Terminate();
  vb::DoEvents();
}

TEST(LoadPicture, IconFilesGiveIconPicturesAndOtherImagesBitmaps) {
  qmtest::TempDir dir;
  const auto path = dir.path() / "two.ico";
  qmtest::WriteBytes(path, qmtest::IconFile({qmtest::IconPicture{2, 32, {0xFFFF0000, 0xFF00FF00, 0, 0}, {0, 0, 0, 0}, {}}}));
  const vb::Picture p = vb::LoadPicture(vb::FromUtf8(path.string()));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->Type(), vb::vbPicTypeIcon);
  EXPECT_EQ(p->WidthPixels(), 2);
  EXPECT_EQ(p->HeightPixels(), 2);
  const auto cur = dir.path() / "one.cur";
  qmtest::WriteBytes(cur, qmtest::IconFile({qmtest::IconPicture{1, 32, {0xFF000000}, {0}, {}}}, 2));
  EXPECT_EQ(vb::LoadPicture(vb::FromUtf8(cur.string()))->Type(), vb::vbPicTypeIcon);
  EXPECT_EQ(vb::LoadPicture(), nullptr);
  try {
    vb::LoadPicture(u"/nonexistent/x.bmp");
    ADD_FAILURE();
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Number, 53);
  }
}

TEST_F(PictureBoxTest, TheBoxsContextDrawsWhatTheGraphicsMethodsSeeInsideTheBorder) {
  vb::PictureBox& p = form.pic;
  const win::HDC dc = p.hDC();
  EXPECT_EQ(p.hDC(), dc);
  const win::RECT r{0, 0, 2, 2};
  const win::HBRUSH green = win::CreateSolidBrush(win::RGB(0, 255, 0));
  win::FillRect(dc, &r, green);
  win::DeleteObject(green);
  EXPECT_EQ(p.Point(15, 15), 0x00FF00);  // (1, 1) of the inner area
  EXPECT_EQ(p.Point(30, 30), 0xFFFFFF);
  p.PSet(45, 0, 0x0000FF);
  EXPECT_EQ(win::GetPixel(dc, 3, 0), win::RGB(255, 0, 0));
  EXPECT_EQ(win::GetPixel(dc, 95, 45), win::RGB(255, 255, 255));  // the inner area is 96 x 46
  EXPECT_EQ(win::GetPixel(dc, 96, 0), win::CLR_INVALID);
}
