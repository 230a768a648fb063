// Line breaks in a label's caption: a carriage return breaks the line, alone or before a line feed,
// and the caption reads back as it was given.
#include <gtest/gtest.h>

#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "platform/vb/runtime.h"

namespace {

class frmLabels : public vb::Form {
 public:
  vb::Label lblText{*this};

 protected:
  void Design() override { lblText.AutoSize(true); }
};

}  // namespace

TEST(Label, ACarriageReturnBreaksTheLine) {
  frmLabels form;
  form.Load();
  form.lblText.Caption(u"Первая строка");
  const float one = form.lblText.Height();
  for (const std::u16string text : {u"Первая строка\rвторая", u"Первая строка\r\nвторая", u"Первая строка\nвторая"}) {
    form.lblText.Caption(text);
    EXPECT_GT(form.lblText.Height(), one * 1.5f) << "two lines";
    EXPECT_EQ(form.lblText.Caption(), text) << "read back as given";
  }
  form.lblText.Caption(u"a\r\n\r\nb");
  EXPECT_GT(form.lblText.Height(), one * 2.5f) << "CR LF twice: an empty line between";
  form.Unload();
  vb::DoEvents();
}

// A label whose words wrap shows every line of its caption in its font: given too little height
// for them (a window laid out for narrower letters) it grows down, never up or sideways, and it
// keeps a height that is enough.
TEST(Label, AWrappingLabelGrowsDownToShowEveryLine) {
  struct frmWrap : vb::Form {
    vb::Label lblShort{*this};
    vb::Label lblRoomy{*this};
    vb::Label lblOneLine{*this};
    void Design() override {
      for (vb::Label* l : {&lblShort, &lblRoomy}) {
        l->WordWrap(true);
        l->Caption(u"Выберите направление перекодирования и нажмите 'Перекодировать'. Чтобы выйти нажмите 'Отмена'.");
      }
      lblShort.Move(120, 120, 1995, 300);
      lblRoomy.Move(120, 2000, 1995, 3000);
      lblOneLine.Move(2400, 120, 600, 300);
      lblOneLine.Caption(u"Строка шире метки");
    }
  } form;
  form.Show();
  EXPECT_EQ(form.lblShort.Left(), 120);
  EXPECT_EQ(form.lblShort.Top(), 120);
  EXPECT_EQ(form.lblShort.Width(), 1995);
  const float wide = form.lblShort.Height();
  EXPECT_GT(wide, 900) << "the caption takes several lines at this width";
  EXPECT_EQ(form.lblRoomy.Height(), 3000);
  // Narrower, it grows again, and a height set too small is made enough again.
  form.lblShort.Width(1005);
  const float narrow = form.lblShort.Height();
  EXPECT_GT(narrow, wide);
  form.lblShort.Height(300);
  EXPECT_EQ(form.lblShort.Height(), narrow);
  // A label that does not wrap keeps the size it was given.
  EXPECT_EQ(form.lblOneLine.Width(), 600);
  EXPECT_EQ(form.lblOneLine.Height(), 300);
  form.Terminate();
  vb::DoEvents();
}
