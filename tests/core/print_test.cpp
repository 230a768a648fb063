// The print routine on the PDF printer: pages as the text and margins give them, read back from the
// PDF.
#include <gtest/gtest.h>

#include "controls/testing/stand_in.h"
#include "core/print.h"
#include "platform/vb/error.h"
#include "pdf_support.h"
#include "support.h"

using namespace qmtest;

namespace {

constexpr std::int32_t kTwoCentimetres = 1134;

class Printing : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HavePoppler()) GTEST_SKIP() << "poppler-utils are not installed";
    UsePdfPrinter(pdf);
  }
  TempDir dir;
  std::filesystem::path pdf = dir.path() / "out.pdf";
  StandInServices w;
};

std::u16string Lines(int count) {
  std::u16string text;
  for (int i = 1; i <= count; ++i) {
    if (i > 1) text += u"\r\n";
    text += u"Строка " + vb::CStr(static_cast<std::int64_t>(i));
  }
  return text;
}

}  // namespace

TEST_F(Printing, AShortTextGivesOnePageAndAnEmptyOneToo) {
  w.editor().Text(u"Привет, принтер!");
  modPrint::PrintRichText(w.editor(), kTwoCentimetres, kTwoCentimetres, kTwoCentimetres, kTwoCentimetres);
  EXPECT_EQ(PdfPages(pdf), 1);
  EXPECT_NE(PageText(pdf, 1).find("Привет, принтер!"), std::string::npos);

  w.editor().Text(u"");
  modPrint::PrintRichText(w.editor(), kTwoCentimetres, kTwoCentimetres, kTwoCentimetres, kTwoCentimetres);
  EXPECT_EQ(PdfPages(pdf), 1);
}

TEST_F(Printing, ALongTextRunsOnToFurtherPagesInOrder) {
  w.editor().Text(Lines(300));
  modPrint::PrintRichText(w.editor(), kTwoCentimetres, kTwoCentimetres, kTwoCentimetres, kTwoCentimetres);
  const int pages = PdfPages(pdf);
  EXPECT_GE(pages, 3);
  EXPECT_EQ(FirstLine(PageText(pdf, 1)), "Строка 1");
  EXPECT_NE(PageText(pdf, pages).find("Строка 300"), std::string::npos);

  // Wider margins leave less room: more pages.
  modPrint::PrintRichText(w.editor(), kTwoCentimetres, 4 * kTwoCentimetres, kTwoCentimetres, 4 * kTwoCentimetres);
  EXPECT_GT(PdfPages(pdf), pages);
}

TEST_F(Printing, MarginsThatLeaveNoRoomEndTheDocumentAndTellTheUser) {
  w.editor().Text(Lines(5));
  try {
    modPrint::PrintRichText(w.editor(), kTwoCentimetres, 200000, kTwoCentimetres, 200000);
    FAIL() << "no error";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Number, 482);
    EXPECT_FALSE(e.Description.empty());
  }
  EXPECT_EQ(PdfPages(pdf), 1);  // ended, not printing blank pages for ever
}
