// The Wizard's version facts, built into the program, read through the runtime's App object.
#include <gtest/gtest.h>

#include "platform/vb/app.h"

TEST(WizardVersion, TheProgramCarriesItsVersionFacts) {
  EXPECT_EQ(vb::App.Major, 3);
  EXPECT_EQ(vb::App.Minor, 0);
  EXPECT_EQ(vb::App.Revision, 0);
  EXPECT_EQ(vb::App.ProductName, u"Wizard");
  EXPECT_EQ(vb::App.FileDescription, u"Wizard for Quillmark");
}
