// The print dialog's device records: global memory blocks that count their locks, the duplex it is
// given and gives back, and the port of the printer chosen. PrinterOnCups tests need a print
// scheduler of their own with two printers; ./test.sh runs them under tests/e2e/private_cups.sh,
// elsewhere they skip.
#include "platform/dialogs/print_dialog.h"

#include <gtest/gtest.h>

#include <cups/cups.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/codepage/codepage.h"
#include "platform/dialogs/common_dialog.h"
#include "platform/script/script.h"
#include "platform/shell/shell_dialogs.h"
#include "platform/testing/dialogs.h"
#include "platform/vb/printer.h"
#include "platform/win/global_memory.h"

using namespace win;
using platform::script::Answer;
using platform::script::Kind;

namespace {

bool PrivateCups() { return std::getenv("QM_PRIVATE_CUPS") != nullptr; }

HGLOBAL DevMode(const char* device, DWORD fields, short duplex) {
  const HGLOBAL block = GlobalAlloc(GHND, sizeof(DEVMODEA));
  auto* dm = static_cast<DEVMODEA*>(GlobalLock(block));
  std::strncpy(dm->dmDeviceName, device, CCHDEVICENAME - 1);
  dm->dmSize = sizeof(DEVMODEA);
  dm->dmFields = fields;
  dm->dmOrientation = DMORIENT_PORTRAIT;
  dm->dmDuplex = duplex;
  GlobalUnlock(block);
  return block;
}

// The dialog's answer: the device mode's duplex and the device names' three texts.
struct Returned {
  short duplex = 0;
  DWORD fields = 0;
  std::string driver, device, port;
};

Returned Read(const PRINTDLGA& pd) {
  Returned r;
  const auto* dm = static_cast<const DEVMODEA*>(GlobalLock(pd.hDevMode));
  r.duplex = dm->dmDuplex;
  r.fields = dm->dmFields;
  GlobalUnlock(pd.hDevMode);
  const auto* bytes = static_cast<const char*>(GlobalLock(pd.hDevNames));
  DEVNAMES names;
  std::memcpy(&names, bytes, sizeof names);
  r.driver = bytes + names.wDriverOffset;
  r.device = bytes + names.wDeviceOffset;
  r.port = bytes + names.wOutputOffset;
  GlobalUnlock(pd.hDevNames);
  return r;
}

Returned RunDialog(HGLOBAL devMode) {
  PRINTDLGA pd;
  pd.lStructSize = sizeof pd;
  pd.hDevMode = devMode;
  EXPECT_NE(PrintDlgA(&pd), FALSE);
  const Returned r = Read(pd);
  EXPECT_EQ(GlobalFree(pd.hDevMode), 0);
  EXPECT_EQ(GlobalFree(pd.hDevNames), 0);
  return r;
}

}  // namespace

TEST(GlobalMemory, MoveableBlocksCountTheirLocksAndAFreeWhileLockedIsReported) {
  const int before = platform::testing::LockedBlocksFreed();
  const HGLOBAL moveable = GlobalAlloc(GHND, 16);
  ASSERT_NE(GlobalLock(moveable), nullptr);
  ASSERT_NE(GlobalLock(moveable), nullptr);
  EXPECT_EQ(GlobalFlags(moveable) & GMEM_LOCKCOUNT, 2u);
  EXPECT_NE(GlobalUnlock(moveable), FALSE);  // still locked once
  EXPECT_EQ(GlobalUnlock(moveable), FALSE);
  EXPECT_EQ(GlobalUnlock(moveable), FALSE);  // it was not locked
  EXPECT_EQ(GlobalFree(moveable), 0);
  EXPECT_EQ(GlobalFlags(moveable), GMEM_INVALID_HANDLE);
  EXPECT_EQ(platform::testing::LockedBlocksFreed(), before);

  const HGLOBAL fixed = GlobalAlloc(GMEM_FIXED, 16);
  ASSERT_NE(GlobalLock(fixed), nullptr);
  EXPECT_EQ(GlobalFlags(fixed) & GMEM_LOCKCOUNT, 0u);  // a fixed block has no lock count
  EXPECT_EQ(GlobalFree(fixed), 0);

  const HGLOBAL held = GlobalAlloc(GHND, 16);
  GlobalLock(held);
  EXPECT_EQ(GlobalFree(held), 0);
  EXPECT_EQ(platform::testing::LockedBlocksFreed(), before + 1);
}

TEST(PrintDialog, KeepsTheDuplexItWasGivenUnlessOneIsChosenAndNamesThePort) {
  platform::script::ClearQueue();
  const std::u16string pdfPath = platform::printing::PdfOutputPath();
  platform::printing::SetPdfOutputPath(u"/tmp/Отчёты/Quillmark.pdf");

  platform::script::Queue(Answer{Kind::Printer, 1, u"PDF"});
  Returned r = RunDialog(DevMode("PDF", DM_ORIENTATION | DM_DUPLEX, DMDUP_HORIZONTAL));
  EXPECT_EQ(r.duplex, DMDUP_HORIZONTAL);
  EXPECT_EQ(r.driver, "winspool");
  EXPECT_EQ(r.device, "PDF");
  // The PDF printer's output goes to its file.
  EXPECT_EQ(r.port, vb::ToWindows1251(u"/tmp/Отчёты/Quillmark.pdf"));

  platform::script::Queue(Answer{Kind::Printer, 1, u"PDF|2"});
  r = RunDialog(DevMode("PDF", DM_ORIENTATION | DM_DUPLEX, DMDUP_HORIZONTAL));
  EXPECT_EQ(r.duplex, DMDUP_VERTICAL);
  EXPECT_NE(r.fields & DM_DUPLEX, 0u);
  platform::printing::SetPdfOutputPath(pdfPath);
}

TEST(PrinterOnCups, EveryQueueIsAPrinterWhosePortIsItsDeviceAddress) {
  if (!PrivateCups()) GTEST_SKIP() << "needs tests/e2e/private_cups.sh";
  std::u16string names;
  for (int i = 0; i < vb::Printers.Count(); ++i) names += vb::Printers.Item(i).DeviceName + u";";
  EXPECT_EQ(names, u"Duplexer;Hall;PDF;");
  EXPECT_EQ(platform::printing::PortOf(u"Hall"), u"ipp://hall.example:631/ipp/print");
  EXPECT_EQ(platform::printing::PortOf(u"Duplexer"), u"ipp://duplexer.example:631/ipp/print");
  EXPECT_EQ(platform::printing::PortOf(u"Nowhere"), u"");
}

// A document printed to a queue is a job named as the printer's JobName says, so the queue and every
// print-queue window show what was printed.
TEST(PrinterOnCups, AJobCarriesItsName) {
  if (!PrivateCups()) GTEST_SKIP() << "needs tests/e2e/private_cups.sh";
  for (int i = 0; i < vb::Printers.Count(); ++i)
    if (vb::Printers.Item(i).DeviceName == u"Hall") vb::Printer.Select(i);
  ASSERT_EQ(vb::Printer.DeviceName(), u"Hall");
  vb::Printer.JobName(u"отчёт за май.txt");
  vb::Printer.Print(u"Текст");
  vb::Printer.EndDoc();
  vb::Printer.Select(vb::Printers.Count() - 1);  // the PDF printer
  cups_job_t* jobs = nullptr;
  const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, "Hall", 0, CUPS_WHICHJOBS_ALL);
  std::vector<std::string> titles;
  for (int i = 0; i < count; ++i) titles.emplace_back(jobs[i].title != nullptr ? jobs[i].title : "");
  cupsFreeJobs(count, jobs);
  EXPECT_NE(std::find(titles.begin(), titles.end(), "отчёт за май.txt"), titles.end());
}

TEST(PrinterOnCups, TheRealDialogOffersTheDuplexItWasGivenAndGivesBackTheChoice) {
  if (!PrivateCups()) GTEST_SKIP() << "needs tests/e2e/private_cups.sh";
  platform::script::SetActive(false);
  std::u16string seenPrinter;
  int seenDuplex = -1;
  platform::testing::AnswerNextPrintDialog(DMDUP_VERTICAL, &seenPrinter, &seenDuplex);
  const Returned r = RunDialog(DevMode("Duplexer", DM_ORIENTATION | DM_DUPLEX, DMDUP_HORIZONTAL));
  platform::script::SetActive(true);
  EXPECT_EQ(seenPrinter, u"Duplexer");
  EXPECT_EQ(seenDuplex, DMDUP_HORIZONTAL);
  EXPECT_EQ(r.device, "Duplexer");
  EXPECT_EQ(r.duplex, DMDUP_VERTICAL);
  EXPECT_EQ(r.port, "ipp://duplexer.example:631/ipp/print");
}

TEST(PrinterOnCups, TheRuntimesPrinterDialogTakesTheDuplexChosen) {
  if (!PrivateCups()) GTEST_SKIP() << "needs tests/e2e/private_cups.sh";
  for (int i = 0; i < vb::Printers.Count(); ++i)
    if (vb::Printers.Item(i).DeviceName == u"Duplexer") vb::Printer.Select(i);
  ASSERT_EQ(vb::Printer.DeviceName(), u"Duplexer");
  vb::Printer.Duplex(vb::vbPRDPHorizontal);
  platform::script::SetActive(false);
  int seenDuplex = 0;
  platform::testing::AnswerNextPrintDialog(vb::vbPRDPVertical, nullptr, &seenDuplex);
  vb::CommonDialog dialog;
  dialog.ShowPrinter();
  platform::script::SetActive(true);
  EXPECT_EQ(seenDuplex, vb::vbPRDPHorizontal);
  EXPECT_EQ(vb::Printer.Duplex(), vb::vbPRDPVertical);
  vb::Printer.Duplex(vb::vbPRDPSimplex);
  vb::Printer.Select(vb::Printers.Count() - 1);  // the PDF printer
}

TEST(PrinterOnCups, ThePrintersPropertiesTakeTheDuplexChosenForTheCurrentPrinter) {
  if (!PrivateCups()) GTEST_SKIP() << "needs tests/e2e/private_cups.sh";
  for (int i = 0; i < vb::Printers.Count(); ++i)
    if (vb::Printers.Item(i).DeviceName == u"Duplexer") vb::Printer.Select(i);
  ASSERT_EQ(vb::Printer.DeviceName(), u"Duplexer");
  platform::script::SetActive(false);
  platform::testing::AnswerNextPrintDialog(vb::vbPRDPVertical, nullptr, nullptr);
  EXPECT_NE(win::SHObjectProperties(0, win::SHOP_PRINTERNAME, u"Duplexer", nullptr), FALSE);
  platform::script::SetActive(true);
  EXPECT_EQ(vb::Printer.Duplex(), vb::vbPRDPVertical);
  vb::Printer.Duplex(vb::vbPRDPSimplex);
  vb::Printer.Select(vb::Printers.Count() - 1);  // the PDF printer
}
