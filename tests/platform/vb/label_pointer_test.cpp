// Labels that size themselves and their border looks; the pointer a control shows, the desktop's
// shared hand pointer; pictures kept in property bags; the program's (absent) resources.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/icons.h"
#include "platform/testing/win.h"
#include "platform/vb/app.h"
#include "platform/vb/error.h"
#include "platform/vb/form.h"
#include "platform/vb/label.h"
#include "platform/vb/runtime.h"
#include "platform/vb/usercontrol.h"

namespace {

class frmLabels : public vb::Form {
 public:
  vb::Label lblFit{*this};
  vb::Label lblFixed{*this};

 protected:
  void Design() override {
    Move(0, 0, 6000, 3000);
    lblFit.Move(120, 120, 600, 255);
    lblFit.Caption(u"Метка");
    lblFixed.Move(120, 600, 600, 255);
    lblFixed.Caption(u"Метка");
  }
};

vb::Picture Hand() {
  return std::make_shared<vb::StdPicture>(vb::vbPicTypeIcon,
                                          static_cast<std::intptr_t>(win::LoadCursorA(0, win::IDC_HAND)));
}

class LabelPointerTest : public ::testing::Test {
 protected:
  void TearDown() override {
    form.Terminate();
    vb::DoEvents();
  }
  frmLabels form;
};

}  // namespace

TEST_F(LabelPointerTest, AnAutoSizedLabelFollowsItsCaptionFontAndBorder) {
  form.lblFit.AutoSize(true);
  const float width = form.lblFit.Width(), height = form.lblFit.Height();
  EXPECT_NE(width, 600);
  form.lblFit.Caption(u"Метка с гораздо более длинным текстом");
  EXPECT_GT(form.lblFit.Width(), width);
  vb::StdFont big = form.lblFit.Font();
  big.Size = 20;
  form.lblFit.Font(big);
  EXPECT_GT(form.lblFit.Height(), height);
  const float unframed = form.lblFit.Width();
  form.lblFit.BorderStyle(1);
  EXPECT_GT(form.lblFit.Width(), unframed);
  EXPECT_EQ(form.lblFit.Left(), 120);
  EXPECT_EQ(form.lblFit.Top(), 120);

  // Without AutoSize the label keeps the size it was given.
  form.lblFixed.Caption(u"Метка с гораздо более длинным текстом");
  form.lblFixed.Font(big);
  EXPECT_EQ(form.lblFixed.Width(), 600);
  EXPECT_EQ(form.lblFixed.Height(), 255);
}

TEST_F(LabelPointerTest, BorderAndAppearanceAreKeptAndComeBackDesignedAfterAReload) {
  EXPECT_EQ(form.lblFit.Appearance(), 1);
  EXPECT_EQ(form.lblFit.BorderStyle(), 0);
  form.lblFit.BorderStyle(1);
  form.lblFit.Appearance(0);
  EXPECT_EQ(form.lblFit.BorderStyle(), 1);
  EXPECT_EQ(form.lblFit.Appearance(), 0);
  form.lblFit.AutoSize(true);
  form.Terminate();
  EXPECT_EQ(form.lblFit.BorderStyle(), 0);
  EXPECT_EQ(form.lblFit.Appearance(), 1);
  EXPECT_FALSE(form.lblFit.AutoSize());
}

TEST_F(LabelPointerTest, AControlShowsItsPointerAndTheHandIsTheDesktopsShared) {
  const win::HCURSOR hand = win::LoadCursorA(0, win::IDC_HAND);
  ASSERT_NE(hand, 0);
  EXPECT_EQ(win::LoadCursorA(0, win::IDC_HAND), hand);
  EXPECT_EQ(win::LoadCursorA(0, 32512), 0);  // only the hand is offered

  form.lblFit.MouseIcon(Hand());
  EXPECT_FALSE(platform::testing::ShowsHandPointer(form.lblFit.hWnd()));  // not custom yet
  form.lblFit.MousePointer(vb::vbCustom);
  EXPECT_TRUE(platform::testing::ShowsHandPointer(form.lblFit.hWnd()));
  form.lblFit.MousePointer(vb::vbDefault);
  EXPECT_FALSE(platform::testing::ShowsHandPointer(form.lblFit.hWnd()));
  form.lblFit.MousePointer(vb::vbCustom);
  form.lblFit.MouseIcon(nullptr);  // custom without a picture: the default pointer
  EXPECT_FALSE(platform::testing::ShowsHandPointer(form.lblFit.hWnd()));
  EXPECT_EQ(form.lblFit.MousePointer(), vb::vbCustom);

  // A picture holding the shared hand goes without destroying it.
  { auto picture = Hand(); }
  EXPECT_FALSE(win::DestroyCursor(hand));
  form.lblFit.MouseIcon(Hand());
  EXPECT_TRUE(platform::testing::ShowsHandPointer(form.lblFit.hWnd()));
  // A reloaded control shows the default pointer again.
  form.Terminate();
  EXPECT_EQ(form.lblFit.MousePointer(), vb::vbDefault);
  EXPECT_FALSE(platform::testing::ShowsHandPointer(form.lblFit.hWnd()));
}

TEST(PropertyBagPictures, APictureIsKeptAndNoneIsTheDefault) {
  vb::PropertyBag bag;
  bag.WriteProperty(u"Picture", vb::Picture(), vb::Picture());
  EXPECT_TRUE(bag.Empty());
  const vb::Picture hand = Hand();
  bag.WriteProperty(u"Picture", hand, vb::Picture());
  EXPECT_EQ(bag.ReadProperty(u"picture", vb::Picture()), hand);
  EXPECT_EQ(bag.ReadProperty(u"Other", vb::Picture()), nullptr);
  // A number is no picture.
  bag.WriteProperty(u"Number", std::int32_t{5}, std::int32_t{0});
  EXPECT_EQ(bag.ReadProperty(u"Number", vb::Picture()), nullptr);
}

TEST(ProgramResources, AreReadByTypeAndNumberAndAMissingOneRaises326) {
  // The test program's own resource; the type is not told apart by letter case.
  const std::vector<std::uint8_t> note = vb::LoadResData(7, u"note");
  EXPECT_EQ(std::string(note.begin(), note.end()), "Заметка программы.\n");
  try {
    vb::LoadResData(101, u"SOUND");
    ADD_FAILURE() << "a resource was found";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Number, 326);
    EXPECT_NE(e.Description.find(u"101"), std::u16string::npos);
  }
}
