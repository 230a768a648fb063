// Printing a rich edit control's text on the PDF printer, page by page with EM_FORMATRANGE, as the
// program's print routine does, and reading the pages back from the PDF with poppler's tools.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/richedit/rich_text_box.h"
#include "platform/vb/error.h"
#include "platform/vb/printer.h"
#include "platform/gdi/gdi.h"
#include "platform/win/window.h"
#include "pdf_support.h"
#include "support.h"

namespace {

using namespace qmtest;

// The program's print routine: margins in twips from the paper's edges; returns the first character
// of every page.
std::vector<win::LONG> PrintRichText(vb::RichTextBox& box, win::LONG left, win::LONG top, win::LONG right, win::LONG bottom) {
  std::vector<win::LONG> pageStarts{0};
  vb::Printer.Print(u" ");
  vb::Printer.ScaleMode(1);
  int offX = 0;
  int offY = 0;
  offX = win::GetDeviceCaps(vb::Printer.hDC(), win::PHYSICALOFFSETX);
  offY = win::GetDeviceCaps(vb::Printer.hDC(), win::PHYSICALOFFSETY);
  const auto ox = static_cast<win::LONG>(vb::Printer.ScaleX(offX, 3, 1) + 0.5);
  const auto oy = static_cast<win::LONG>(vb::Printer.ScaleY(offY, 3, 1) + 0.5);
  win::FORMATRANGE fr;
  fr.hdc = fr.hdcTarget = vb::Printer.hDC();
  fr.rc = win::RECT{left - ox, top - oy, static_cast<win::LONG>(vb::Printer.Width()) - right - ox,
                    static_cast<win::LONG>(vb::Printer.Height()) - bottom - oy};
  fr.rcPage = win::RECT{0, 0, static_cast<win::LONG>(vb::Printer.ScaleWidth()), static_cast<win::LONG>(vb::Printer.ScaleHeight())};
  fr.chrg = win::CHARRANGE{0, -1};
  const auto total = static_cast<win::LONG>(box.Text().size());
  for (;;) {
    const auto next = static_cast<win::LONG>(win::SendMessageA(box.hWnd(), win::EM_FORMATRANGE, 1, reinterpret_cast<win::LPARAM>(&fr)));
    if (next >= total || next <= fr.chrg.cpMin) break;  // a page that takes nothing ends the document
    fr.chrg.cpMin = next;
    pageStarts.push_back(next);
    vb::Printer.NewPage();
    vb::Printer.Print(u" ");
    fr.hdc = fr.hdcTarget = vb::Printer.hDC();
  }
  vb::Printer.EndDoc();
  win::SendMessageA(box.hWnd(), win::EM_FORMATRANGE, 0, 0);
  return pageStarts;
}

std::u16string Lines(int count) {
  std::u16string text;
  for (int i = 1; i <= count; ++i) {
    if (i > 1) text += u"\r\n";
    text += u"Строка номер " + vb::CStr(static_cast<std::int64_t>(i));
  }
  return text;
}

constexpr win::LONG kMm20 = 1134;

TEST(Printing, PagesFollowTheTextsLength) {
  if (!HavePoppler()) GTEST_SKIP() << "poppler-utils not installed";
  qmtest::TempDir dir;
  const auto pdf = dir.path() / "long.pdf";
  UsePdfPrinter(pdf);
  vb::RichTextBox box;
  box.FontName(u"DejaVu Sans");
  box.FontSize(12);
  box.Text(Lines(200));
  const auto starts = PrintRichText(box, kMm20, kMm20, kMm20, kMm20);
  ASSERT_GE(starts.size(), 3u);
  EXPECT_EQ(PdfPages(pdf), static_cast<int>(starts.size()));
  // Each page begins with the line that did not fit on the page before.
  const std::u16string text = box.Text();
  for (int page = 2; page <= static_cast<int>(starts.size()); ++page) {
    const auto from = static_cast<std::size_t>(starts[page - 1]);
    const std::u16string line = text.substr(from, text.find(u"\r\n", from) - from);
    EXPECT_EQ(FirstLine(PageText(pdf, page)), qmtest::U8(line)) << "page " << page;
  }

  // What fits on the first page prints on one page; one character more needs a second.
  const auto firstPage = static_cast<std::size_t>(starts[1]) - 2;  // without the last line's CR LF
  box.Text(text.substr(0, firstPage));
  EXPECT_EQ(PrintRichText(box, kMm20, kMm20, kMm20, kMm20).size(), 1u);
  EXPECT_EQ(PdfPages(pdf), 1);
  box.Text(text.substr(0, firstPage) + u"\r\nX");
  EXPECT_EQ(PrintRichText(box, kMm20, kMm20, kMm20, kMm20).size(), 2u);
  EXPECT_EQ(PdfPages(pdf), 2);
  EXPECT_EQ(FirstLine(PageText(pdf, 2)), "X");
}

TEST(Printing, MarginsCountFromThePapersEdge) {
  if (!HavePoppler()) GTEST_SKIP() << "poppler-utils not installed";
  qmtest::TempDir dir;
  const auto pdf = dir.path() / "margins.pdf";
  UsePdfPrinter(pdf);
  vb::RichTextBox box;
  box.FontName(u"DejaVu Sans");
  box.FontSize(12);
  box.Text(Lines(120));
  const auto narrow = PrintRichText(box, kMm20, kMm20, kMm20, kMm20).size();
  // The first word stands 20 mm (56.7 points) from the paper's left edge.
  const std::string boxes = CommandOutput("pdftotext -bbox -f 1 -l 1 '" + pdf.string() + "' -");
  const auto word = boxes.find(">Строка<");
  ASSERT_NE(word, std::string::npos);
  const double xMin = std::atof(boxes.c_str() + boxes.rfind("xMin=\"", word) + 6);
  EXPECT_NEAR(xMin, 56.7, 2.0);
  const auto wide = PrintRichText(box, kMm20, 4 * kMm20, kMm20, 4 * kMm20).size();
  EXPECT_GT(wide, narrow);
}

TEST(Printing, EmptyControlPrintsOnePage) {
  if (!HavePoppler()) GTEST_SKIP() << "poppler-utils not installed";
  qmtest::TempDir dir;
  const auto pdf = dir.path() / "empty.pdf";
  UsePdfPrinter(pdf);
  vb::RichTextBox box;
  EXPECT_EQ(PrintRichText(box, kMm20, kMm20, kMm20, kMm20).size(), 1u);
  EXPECT_EQ(PdfPages(pdf), 1);
}

TEST(Printer, GeometryOfPaperAndScale) {
  qmtest::TempDir dir;
  UsePdfPrinter(dir.path() / "unused.pdf");
  EXPECT_EQ(vb::Printers.Item(vb::Printers.Count() - 1).DeviceName, u"PDF");
  // Paper sizes are whole points: within 10 twips of the millimetres.
  vb::Printer.ScaleMode(1);
  EXPECT_NEAR(vb::Printer.Width(), 210 / 25.4 * 1440, 10);
  EXPECT_NEAR(vb::Printer.Height(), 297 / 25.4 * 1440, 10);
  vb::Printer.ScaleMode(6);
  EXPECT_NEAR(vb::Printer.ScaleWidth(), 210, 0.5);  // the PDF printer reaches the whole sheet
  EXPECT_NEAR(vb::Printer.ScaleX(1440, 1, 6), 25.4, 1e-9);
  vb::Printer.Orientation(vb::vbPRORLandscape);
  EXPECT_NEAR(vb::Printer.ScaleWidth(), 297, 0.5);
  vb::Printer.PaperSize(vb::vbPRPSA5);
  EXPECT_NEAR(vb::Printer.ScaleHeight(), 148, 0.5);
  vb::Printer.Orientation(vb::vbPRORPortrait);
  vb::Printer.PaperSize(vb::vbPRPSA4);
  vb::Printer.ScaleMode(1);
  EXPECT_THROW(vb::Printer.Orientation(3), vb::Error);
  EXPECT_THROW(vb::Printer.PaperSize(77), vb::Error);
  EXPECT_THROW(vb::Printer.Copies(0), vb::Error);
  EXPECT_FALSE(vb::Printer.Select(vb::Printers.Count()));
}

}  // namespace
