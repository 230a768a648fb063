// A sample window carrying every control of the runtime, written as a PNG into the build tree
// (sample_form.png) for a person to look at, and checked for each control drawn in its place.
#include <gtest/gtest.h>

#include <initializer_list>

#include "controls/progress_bar.h"
#include "platform/testing/vb.h"
#include "platform/vb/control_array.h"
#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "platform/vb/picturebox.h"
#include "platform/vb/runtime.h"
#include "platform/vb/strings.h"
#include "support_gdi.h"

namespace {

class frmEverything : public vb::Form {
 public:
  vb::Label lblTitle{*this};
  vb::TextBox txtName{*this};
  vb::TextBox txtPassword{*this};
  vb::TextBox txtNotes{*this, true};
  vb::Frame fraChoice{*this};
  vb::OptionButton optFirst{fraChoice};
  vb::OptionButton optSecond{fraChoice};
  vb::CheckBox chkOff{fraChoice};
  vb::CheckBox chkOn{fraChoice};
  vb::CheckBox chkGrayed{fraChoice};
  vb::ComboBox cboList{*this, vb::vbComboDropdownList};
  vb::ComboBox cboEdit{*this};
  vb::ListBox lstPlain{*this};
  vb::ListBox lstChecks{*this, vb::vbListBoxCheckbox};
  vb::PictureBox picDrawing{*this};
  vb::Shape shpBox{*this};
  vb::Shape shpCircle{*this};
  vb::Image imgPicture{*this};
  ProgressBar Bar{*this};
  vb::ControlArray<vb::CommandButton> cmdAction{*this};
  vb::Timer tmrIdle{*this};

 protected:
  void Design() override {
    Caption(u"Все элементы управления");
    Move(0, 0, 9000, 6600);
    lblTitle.Move(120, 120, 4000, 255);
    lblTitle.Caption(u"Метка: &Образец текста");
    txtName.Move(120, 420, 2800, 315);
    txtName.Text(u"Текстовое поле");
    txtPassword.Move(120, 800, 2800, 315);
    txtPassword.PasswordChar(u'*');
    txtPassword.Text(u"секрет");
    txtNotes.Move(120, 1180, 2800, 900);
    txtNotes.Text(u"Многострочное\r\nполе");
    fraChoice.Move(3100, 120, 2700, 1960);
    fraChoice.Caption(u"Рамка:");
    optFirst.Move(120, 300, 2400, 280);
    optFirst.Caption(u"Переключатель 1");
    optSecond.Move(120, 600, 2400, 280);
    optSecond.Caption(u"Переключатель 2");
    optSecond.Value(true);
    chkOff.Move(120, 900, 2400, 280);
    chkOff.Caption(u"Флажок снят");
    chkOn.Move(120, 1200, 2400, 280);
    chkOn.Caption(u"Флажок установлен");
    chkOn.Value(vb::vbChecked);
    chkGrayed.Move(120, 1500, 2400, 280);
    chkGrayed.Caption(u"Флажок серый");
    chkGrayed.Value(vb::vbGrayed);
    cboList.Move(6000, 120, 2700, 315);
    for (auto s : {u"DOS 866", u"Windows 1251", u"UNIX KOI-8"}) cboList.AddItem(s);
    cboList.ListIndex(1);
    cboEdit.Move(6000, 500, 2700, 315);
    cboEdit.Text(u"Можно печатать");
    lstPlain.Move(6000, 900, 2700, 800);
    for (auto s : {u"Первый", u"Второй", u"Третий"}) lstPlain.AddItem(s);
    lstPlain.ListIndex(0);
    lstChecks.Move(6000, 1800, 2700, 800);
    for (auto s : {u"Отмечен", u"Не отмечен"}) lstChecks.AddItem(s);
    lstChecks.Selected(0, true);
    picDrawing.Move(120, 2300, 2800, 1400);
    picDrawing.BackColor(vb::vbWhite);
    shpBox.Move(3100, 2300, 1200, 800);
    shpBox.BorderColor(0x0000C0);
    shpBox.FillStyle(vb::vbFSSolid);
    shpBox.FillColor(0xC0FFC0);
    shpCircle.Move(4500, 2300, 1200, 800);
    shpCircle.ShapeKind(vb::vbShapeCircle);
    shpCircle.BorderWidth(2);
    imgPicture.Move(3100, 3300, 1200, 450);
    imgPicture.Stretch(true);
    Bar.Move(120, 3900, 5600, 375);
    cmdAction.Load(0).Move(120, 4500, 1500, 375);
    cmdAction(0).Caption(u"Кнопка 0");
    cmdAction(0).Default(true);
    tmrIdle.Interval(1000);
  }
  void Form_Load() override {
    auto& second = cmdAction.Load(1);
    second.Move(1800, 4500, 1500, 375);
    second.Caption(u"Кнопка 1");
    second.Visible(true);
    picDrawing.Print(u"Печать в поле рисунка");
    picDrawing.Line(60, 600, 2600, 600, 0xFF0000);
    picDrawing.Line(60, 750, 1200, 1200, 0x00A000, true);
    picDrawing.Line(1400, 750, 2600, 1200, 0x0080FF, true, true);
    Bar.Text(u"Выполнено:");
    Bar.Value(42);
  }
};

}  // namespace

TEST(SampleForm, EveryControlIsDrawnIntoAPicture) {
  frmEverything form;
  form.Show();
  vb::DoEvents();
  // The image shows a picture file: the drawing of the picture box, saved and loaded back.
  const std::u16string drawing = vb::FromUtf8(QM_BINARY_DIR "/sample_drawing.png");
  ASSERT_TRUE(vb::testing::SaveWindowPicture(form.picDrawing.hWnd(), drawing));
  form.imgPicture.Picture(vb::LoadPicture(drawing));
  EXPECT_EQ(form.imgPicture.Picture()->WidthPixels(), 187);  // 2800 twips, to the nearest pixel
  const platform::testing::Picture picture = vb::testing::WindowPicture(form.hWnd());
  EXPECT_TRUE(platform::testing::SavePicture(picture, vb::FromUtf8(QM_BINARY_DIR "/sample_form.png")));
  const auto place = [&](vb::Control& c) { return qmtest::RectIn(c.hWnd(), form.hWnd()); };
  const win::COLORREF face = win::GetSysColor(win::COLOR_BTNFACE);
  for (vb::Control* c : std::initializer_list<vb::Control*>{
           &form.lblTitle, &form.txtName, &form.txtPassword, &form.txtNotes, &form.fraChoice, &form.cboList,
           &form.cboEdit, &form.lstPlain, &form.lstChecks, &form.picDrawing, &form.imgPicture, &form.Bar,
           &form.cmdAction(0), &form.cmdAction(1)})
    EXPECT_GT(picture.Count(place(*c), [&](win::COLORREF p) { return p != face; }), 20) << "control at " << place(*c).left << "," << place(*c).top;
  EXPECT_TRUE(qmtest::ShowsTick(picture, place(form.chkOn)));
  EXPECT_FALSE(qmtest::ShowsTick(picture, place(form.chkOff)));
  EXPECT_TRUE(qmtest::ShowsTick(picture, place(form.optSecond)));
  EXPECT_FALSE(qmtest::ShowsTick(picture, place(form.optFirst)));
  // The shapes: the box filled light green inside its red border, the circle's border in ink.
  const win::RECT box = place(form.shpBox), circle = place(form.shpCircle);
  EXPECT_EQ(picture.at((box.left + box.right) / 2, (box.top + box.bottom) / 2), 0xC0FFC0u);
  EXPECT_EQ(picture.at((box.left + box.right) / 2, box.top), 0x0000C0u);
  EXPECT_GT(picture.Count(circle, qmtest::DarkInk), 0);
  // What was drawn stays drawn: the progress bar's colour is in its box.
  EXPECT_EQ(form.Bar.picStatus.Point(0, 0), 0x800000);
  EXPECT_EQ(form.picDrawing.Point(1500, 900), 0x0080FF);
  form.Terminate();
}
