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
