// The print command's view of the settings dialog: its copies and margin boxes, read through the
// opener the program registers, load the dialog unseen from the stored values when it is not
// loaded, and give what the loaded dialog holds now (typed, not yet applied) when it is.
#include <gtest/gtest.h>

#include "mainwindow/print_job.h"
#include "preferences/preference_windows.h"
#include "settings_support.h"

using namespace qmtest;
namespace pref = settings::preferences;

namespace {

class PrintBoxes : public ::testing::Test {
 protected:
  void TearDown() override {
    if (SettingsDialog().IsLoaded()) SettingsDialog().Terminate();
  }
  FreshSettings store;
  preferences::PreferenceWindows windows;
};

TEST_F(PrintBoxes, ReadingThemLoadsTheDialogUnseenAndThenGivesWhatItHolds) {
  StorePref(pref::kCopies, u"3");
  StorePref(pref::kPositionLeft, u"20");
  StorePref(pref::kPositionTop, u"5");
  StorePref(pref::kPositionWidth, u"7,5");
  StorePref(pref::kPositionHeight, u"10");
  ASSERT_FALSE(SettingsDialog().IsLoaded());
  mainwindow::PrintBoxes boxes = windows.SettingsPrintBoxes();
  EXPECT_TRUE(SettingsDialog().IsLoaded());
  EXPECT_FALSE(SettingsDialog().Visible());
  EXPECT_EQ(boxes.copies, u"3");
  EXPECT_EQ(boxes.left, u"20");
  EXPECT_EQ(boxes.top, u"5");
  EXPECT_EQ(boxes.width, u"7,5");
  EXPECT_EQ(boxes.height, u"10");
  const auto margins = print_job::MarginsOf(boxes);
  ASSERT_TRUE(margins);
  EXPECT_EQ(margins->right, 425);  // 425.25 twips

  // The hidden dialog keeps what was typed; the store is not read again.
  SettingsDialog().txtLeft.Text(u"33");
  StorePref(pref::kCopies, u"9");
  boxes = windows.SettingsPrintBoxes();
  EXPECT_EQ(boxes.left, u"33");
  EXPECT_EQ(boxes.copies, u"3");
}

TEST_F(PrintBoxes, StoredValuesThatAreNoNumbersArriveEmptyAndCannotBePrintedWith) {
  StorePref(pref::kCopies, u"пять");
  StorePref(pref::kPositionLeft, u"-3");
  const mainwindow::PrintBoxes boxes = windows.SettingsPrintBoxes();
  EXPECT_EQ(boxes.copies, u"");
  EXPECT_EQ(boxes.left, u"");
  EXPECT_FALSE(print_job::CopiesOf(boxes));
  EXPECT_FALSE(print_job::MarginsOf(boxes));
}

}  // namespace
