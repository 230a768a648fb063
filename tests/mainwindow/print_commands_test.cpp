// The print command and the print confirmation on the PDF printer: the stored print preferences on
// the printer, the settings dialog's copies and margins, the "Printing" switch, the confirmation's
// values and choices, and the pages they give, read back from the PDF. Values that cannot be
// printed with, and a printer that fails, are told and print nothing.
#include <cmath>
#include <cstdlib>

#include "main_window_support.h"
#include "mainwindow/forms/printing.h"
#include "preference_windows_stand_in.h"
#include "mainwindow/print_job.h"
#include "pdf_support.h"
#include "platform/testing/vb.h"
#include "platform/testing/win.h"
#include "platform/win/keys.h"
#include "platform/win/focus.h"

using namespace qmtest;
namespace prefs = settings::preferences;

namespace {

// The first number after `label` in pdfinfo's output or in a word of pdftotext's boxes.
double NumberAfter(const std::string& text, const std::string& label) {
  const auto at = text.find(label);
  return at == std::string::npos ? -1 : std::atof(text.c_str() + at + label.size());
}

struct PageSize {
  double width = 0;
  double height = 0;
};

// The document's title as pdfinfo reads it.
std::string Title(const std::filesystem::path& pdf) {
  const std::string info = CommandOutput("pdfinfo '" + pdf.string() + "'");
  const auto at = info.find("Title:");
  if (at == std::string::npos) return {};
  const auto from = info.find_first_not_of(' ', at + 6);
  return info.substr(from, info.find('\n', from) - from);
}

PageSize PageSizeOf(const std::filesystem::path& pdf) {
  const std::string info = CommandOutput("pdfinfo '" + pdf.string() + "'");
  PageSize size;
  size.width = NumberAfter(info, "Page size:");
  const auto x = info.find(" x ", info.find("Page size:"));
  size.height = x == std::string::npos ? -1 : std::atof(info.c_str() + x + 3);
  return size;
}

// The left edge of the first word on page 1, in points from the paper's edge.
double FirstWordLeft(const std::filesystem::path& pdf) {
  return NumberAfter(CommandOutput("pdftotext -bbox -f 1 -l 1 '" + pdf.string() + "' -"), "<word xMin=\"");
}

constexpr double kPointsPerMillimetre = 72 / 25.4;

class PrintCommands : public MainWindowTest {
 protected:
  void SetUp() override {
    if (!HavePoppler()) GTEST_SKIP() << "poppler-utils are not installed";
    UsePdfPrinter(pdf);
    boxes = {u"1", u"20", u"5", u"5", u"5"};
    SetPref(prefs::kPaperSize, u"A4 210 x 297 мм");
    SetPref(prefs::kOrientation, u"vbPRORPortrait");
  }
  void TearDown() override {
    if (PrintingWindow().IsLoaded()) PrintingWindow().Terminate();
  }
  void SetPrinting(int value) {
    modRegistry::WriteRegistryDword(win::HKEY_CURRENT_USER, settings::kDialogsKey, settings::dialogs::kPrinting, value);
  }
  int Printing() {
    return modRegistry::ReadRegistryDword(win::HKEY_CURRENT_USER, settings::kDialogsKey, settings::dialogs::kPrinting);
  }
  bool Printed() { return std::filesystem::exists(pdf); }
  // The command when it prints: the PDF printer then tells the file it wrote.
  void PrintExpectingTheFile() {
    AnswerBox(vb::vbOK);
    w().CmdFilePrint();
  }
  // What the PDF printer tells when it has written the file.
  std::u16string Written() { return u"Документ напечатан в файл ''" + vb::FromUtf8(pdf.string()) + u"''."; }
  // The command, with the one message box it is expected to show.
  std::u16string PrintExpectingMessage() {
    AnswerBox(vb::vbOK);
    w().CmdFilePrint();
    return Prompts().empty() ? u"" : Prompts().back();
  }

  TempDir dir;
  std::filesystem::path pdf = dir.path() / "out.pdf";
  // The settings dialog's printing boxes as the print command reads them.
  PreferenceWindowsStandIn preferences_;
  mainwindow::PrintBoxes& boxes = preferences_.boxes;
  int& boxReads = preferences_.boxReads;
};

TEST_F(PrintCommands, WithThePrintingSwitchOffTheDocumentIsPrintedAtOnceWithTheBoxesMargins) {
  editor().Text(u"Печатный текст документа");
  // Absent counts as 0.
  PrintExpectingTheFile();
  ASSERT_EQ(PdfPages(pdf), 1);
  EXPECT_NE(PageText(pdf, 1).find("Печатный текст документа"), std::string::npos);
  EXPECT_NEAR(FirstWordLeft(pdf), 20 * kPointsPerMillimetre, 3);
  EXPECT_GT(boxReads, 0);
  EXPECT_EQ(Prompts(), std::vector<std::u16string>{Written()});
  EXPECT_EQ(platform::script::Log().back().flags, vb::vbInformation);

  boxes.left = u"50,5";
  SetPrinting(0);
  PrintExpectingTheFile();
  EXPECT_NEAR(FirstWordLeft(pdf), 50.5 * kPointsPerMillimetre, 3);
  EXPECT_EQ(editor().Text(), u"Печатный текст документа");
}

// The print job carries the document's name (the PDF keeps it as its title, a queue as its job
// name): its file's name, or "Документ" for a document that has none.
TEST_F(PrintCommands, TheJobIsNamedAfterTheDocument) {
  const auto file = dir.path() / "отчёт за май.txt";
  WriteBytes(file, "\xd2\xe5\xea\xf1\xf2");  // "Текст" in Windows 1251
  Answer(platform::script::Kind::OpenFile, 1, vb::FromUtf8(file.string()));
  mainwindow::RouteButtonClick(u"MENU:FILE:OPEN", w());
  ASSERT_EQ(editor().Text(), u"Текст");
  PrintExpectingTheFile();
  EXPECT_EQ(Title(pdf), "отчёт за май.txt");

  mainwindow::RouteButtonClick(u"MENU:FILE:NEW", w());
  editor().Text(u"Новый");
  PrintExpectingTheFile();
  EXPECT_EQ(Title(pdf), "Документ");
}

TEST_F(PrintCommands, ANewProfilesEmptyBoxesPrintWithTheDefaults) {
  editor().Text(u"Первая печать");
  boxes = {u"", u"", u" ", u"", u""};
  PrintExpectingTheFile();
  EXPECT_EQ(Prompts(), std::vector<std::u16string>{Written()});
  ASSERT_EQ(PdfPages(pdf), 1);
  EXPECT_NEAR(FirstWordLeft(pdf), 20 * kPointsPerMillimetre, 3);
  EXPECT_EQ(vb::Printer.Copies(), 1);
}

TEST_F(PrintCommands, MarginBoxesBecomeTwipsAsTheCommandConvertsThem) {
  const auto m = print_job::MarginsOf({u"1", u"20", u"5", u"5", u"5"});
  ASSERT_TRUE(m);
  // 283.5 twips are passed as whole twips, to the even neighbour.
  EXPECT_EQ(m->left, 1134);
  EXPECT_EQ(m->top, 284);
  EXPECT_EQ(m->right, 284);
  EXPECT_EQ(m->bottom, 284);
  EXPECT_EQ(print_job::MarginsOf({u"1", u" 12,5 ", u"0", u"999", u"7.5"})->left, 709);
  for (const char16_t* bad : {u"", u"abc", u"-1", u"1000", u"5 мм", u"1e3", u"2,,5"}) {
    EXPECT_FALSE(print_job::MarginsOf({u"1", u"20", u"5", bad, u"5"})) << vb::ToUtf8(bad);
  }
  EXPECT_EQ(print_job::CopiesOf({u" 99 ", u"", u"", u"", u""}), 99);
  for (const char16_t* bad : {u"", u"0", u"100", u"2.5", u"два", u"99999999999"}) {
    EXPECT_FALSE(print_job::CopiesOf({bad, u"", u"", u"", u""})) << vb::ToUtf8(bad);
  }
}

TEST_F(PrintCommands, StoredPrintPreferencesSetThePrinterAndUnknownTextsLeaveItAlone) {
  editor().Text(u"Текст");
  SetPref(prefs::kPrintQuality, u"vbPRPQHigh");
  SetPref(prefs::kColorMode, u"vbPRCMMonochrome");
  SetPref(prefs::kOrientation, u"vbPRORLandscape");
  SetPref(prefs::kPaperSize, u"A5 148 x 210 мм");
  boxes.copies = u"3";
  w().RichTextBox->FontName(u"DejaVu Serif");
  w().RichTextBox->FontSize(14);
  PrintExpectingTheFile();
  EXPECT_EQ(vb::Printer.PrintQuality(), vb::vbPRPQHigh);
  EXPECT_EQ(vb::Printer.ColorMode(), vb::vbPRCMMonochrome);
  EXPECT_EQ(vb::Printer.Orientation(), vb::vbPRORLandscape);
  EXPECT_EQ(vb::Printer.PaperSize(), vb::vbPRPSA5);
  EXPECT_EQ(vb::Printer.Copies(), 3);
  EXPECT_EQ(vb::Printer.FontName(), u"DejaVu Serif");
  EXPECT_EQ(vb::Printer.FontSize(), 14);
  // The printed page is an A5 sheet on its side.
  const PageSize size = PageSizeOf(pdf);
  EXPECT_NEAR(size.width, 210 * kPointsPerMillimetre, 1);
  EXPECT_NEAR(size.height, 148 * kPointsPerMillimetre, 1);

  // Texts that name no choice (a new profile's empty ones, a hand-edited file) change nothing.
  SetPref(prefs::kPrintQuality, u"");
  SetPref(prefs::kColorMode, u"vbPRCMColour");
  SetPref(prefs::kOrientation, u"1");
  SetPref(prefs::kPaperSize, u"");
  PrintExpectingTheFile();
  EXPECT_EQ(vb::Printer.PrintQuality(), vb::vbPRPQHigh);
  EXPECT_EQ(vb::Printer.ColorMode(), vb::vbPRCMMonochrome);
  EXPECT_EQ(vb::Printer.Orientation(), vb::vbPRORLandscape);
  EXPECT_EQ(vb::Printer.PaperSize(), vb::vbPRPSA5);
  EXPECT_EQ(Prompts(), std::vector<std::u16string>(2, Written()));
}

TEST_F(PrintCommands, AnUnknownPaperCopiesOrMarginsThatAreNoNumbersAreToldAndNothingIsPrinted) {
  editor().Text(u"Текст, который нельзя потерять");
  SetPrinting(1);  // even the confirmation is not shown
  SetPref(prefs::kPaperSize, u"A4");
  EXPECT_NE(PrintExpectingMessage().find(u"размер бумаги ''A4'' не известен программе"), std::u16string::npos);
  SetPref(prefs::kPaperSize, u"A4 210 x 297 мм");
  boxes.copies = u"много";
  EXPECT_NE(PrintExpectingMessage().find(u"количество копий должно быть целым числом от 1 до 99"), std::u16string::npos);
  boxes.copies = u"1";
  boxes.height = u"пять";
  EXPECT_NE(PrintExpectingMessage().find(u"поле ''Нижнее''"), std::u16string::npos);
  // A stored value the settings dialog could not take arrives as an empty box.
  SetPref(prefs::kPositionHeight, u"пять");
  boxes.height = u"";
  EXPECT_NE(PrintExpectingMessage().find(u"поле ''Нижнее''"), std::u16string::npos);
  // Numbers that leave no room on the paper.
  boxes.height = u"5";
  boxes.left = u"150";
  boxes.width = u"100";
  EXPECT_NE(PrintExpectingMessage().find(u"не оставляют места"), std::u16string::npos);
  EXPECT_FALSE(Printed());
  EXPECT_FALSE(PrintingWindow().IsLoaded());
  EXPECT_EQ(editor().Text(), u"Текст, который нельзя потерять");
  for (const auto& shown : platform::script::Log()) {
    EXPECT_EQ(shown.prompt.rfind(u"Документ не напечатан: ", 0), 0u);
    EXPECT_EQ(shown.title, u"Brannoch Quillmark 3.0 Preview");
  }
}

TEST_F(PrintCommands, APrinterThatCannotPrintIsToldAndTheNextPrintWorks) {
  editor().Text(u"Текст");
  // The PDF printer's file in a folder that does not exist: the device cannot start.
  platform::printing::SetPdfOutputPath(vb::FromUtf8((dir.path() / "нет такой папки" / "out.pdf").string()));
  const std::u16string told = PrintExpectingMessage();
  EXPECT_NE(told.find(u"принтер ''PDF'' недоступен"), std::u16string::npos) << vb::ToUtf8(told);
  EXPECT_NE(told.find(vb::FromUtf8((dir.path() / "нет такой папки" / "out.pdf").string())), std::u16string::npos)
      << "the file that could not be written is named";
  EXPECT_EQ(editor().Text(), u"Текст");
  platform::printing::SetPdfOutputPath(vb::FromUtf8(pdf.string()));
  PrintExpectingTheFile();
  EXPECT_EQ(PdfPages(pdf), 1);
}

class PrintConfirmation : public PrintCommands {};

TEST_F(PrintConfirmation, ShowsTheStoredSettingsTranslatedAndUnknownOnesEmpty) {
  SetPrinting(1);
  SetPref(prefs::kPrinterName, u"Лазерный принтер");
  SetPref(prefs::kPrintQuality, u"vbPRPQDraft");
  SetPref(prefs::kColorMode, u"vbPRCMColor");
  SetPref(prefs::kOrientation, u"vbPRORLandscape");
  SetPref(prefs::kCopies, u"2");
  SetPref(prefs::kPaperSize, u"B5 182 x 257 мм");
  vb::testing::QueueModalAction([] {
    frmPrinting& f = PrintingWindow();
    EXPECT_EQ(f.Caption(), u"Печать документа");
    EXPECT_EQ(f.lblDefaultPrinter.Caption(), u"Лазерный принтер");
    EXPECT_EQ(f.lblPrintQuality.Caption(), u"Черновое");
    EXPECT_EQ(f.lblPrintColor.Caption(), u"Цветная");
    EXPECT_EQ(f.lblOrientation.Caption(), u"Альбомная");
    EXPECT_EQ(f.lblCopies.Caption(), u"2");
    EXPECT_EQ(f.lblPaperSize.Caption(), u"B5 182 x 257 мм");
    EXPECT_EQ(f.chkDoNotShowThisDialog.Value(), vb::vbUnchecked);
    EXPECT_TRUE(f.cmdPrint.Default());
    EXPECT_EQ(f.cmdClose.TabIndex(), 0);
    EXPECT_TRUE(vb::testing::SaveWindowPicture(f.hWnd(), vb::FromUtf8(QM_BINARY_DIR) + u"/print_confirmation.png"));
    f.cmdClose_Click();
  });
  w().CmdFilePrint();
  EXPECT_FALSE(Printed());

  SetPref(prefs::kPrintQuality, u"vbPRPQBest");
  SetPref(prefs::kColorMode, u"");
  SetPref(prefs::kOrientation, u"vbPRORportrait");
  vb::testing::QueueModalAction([] {
    frmPrinting& f = PrintingWindow();
    EXPECT_EQ(f.lblPrintQuality.Caption(), u"");
    EXPECT_EQ(f.lblPrintColor.Caption(), u"");
    EXPECT_EQ(f.lblOrientation.Caption(), u"");
    f.cmdClose_Click();
  });
  w().CmdFilePrint();
}

TEST_F(PrintConfirmation, PrintSendsTheDocumentWithTheChosenSettingsToThePages) {
  editor().Text(u"Первая строка\r\nВторая строка");
  SetPrinting(1);
  SetPref(prefs::kPaperSize, u"A5 148 x 210 мм");
  boxes.left = u"30";
  vb::testing::QueueModalAction([] { PrintingWindow().cmdPrint_Click(); });
  PrintExpectingTheFile();
  EXPECT_FALSE(PrintingWindow().IsLoaded());
  ASSERT_EQ(PdfPages(pdf), 1);
  const std::string page = PageText(pdf, 1);
  EXPECT_EQ(FirstLine(page), "Первая строка");
  EXPECT_NE(page.find("Вторая строка"), std::string::npos);
  EXPECT_NEAR(FirstWordLeft(pdf), 30 * kPointsPerMillimetre, 3);
  EXPECT_NEAR(PageSizeOf(pdf).width, 148 * kPointsPerMillimetre, 1);
  EXPECT_EQ(Printing(), 1);
}

TEST_F(PrintConfirmation, TheBoxSwitchesTheWindowOffAtOnceAndTheNextPrintGoesStraightThrough) {
  editor().Text(u"Текст");
  SetPrinting(1);
  vb::testing::QueueModalAction([this] {
    frmPrinting& f = PrintingWindow();
    f.chkDoNotShowThisDialog.Value(vb::vbChecked);
    EXPECT_EQ(Printing(), 0);
    f.chkDoNotShowThisDialog.Value(vb::vbUnchecked);
    EXPECT_EQ(Printing(), 1);
    f.chkDoNotShowThisDialog.Value(vb::vbChecked);
    f.cmdClose_Click();
  });
  w().CmdFilePrint();
  EXPECT_FALSE(Printed());
  EXPECT_EQ(Printing(), 0);
  // No window now: the document goes to the printer at once.
  PrintExpectingTheFile();
  EXPECT_EQ(PdfPages(pdf), 1);
}

TEST_F(PrintConfirmation, EscClosesItWithoutPrinting) {
  editor().Text(u"Текст");
  SetPrinting(1);
  vb::testing::QueueModalAction([] { platform::testing::KeyClick(PrintingWindow().hWnd(), win::VK_ESCAPE, 0, u"\x1b"); });
  w().CmdFilePrint();
  EXPECT_FALSE(PrintingWindow().IsLoaded());
  EXPECT_FALSE(Printed());
}

TEST_F(PrintConfirmation, MarginsChangedWhileTheWindowIsOpenAreCheckedWhenPrintIsPressed) {
  editor().Text(u"Текст");
  SetPrinting(1);
  vb::testing::QueueModalAction([this] {
    boxes.top = u"сверху";
    AnswerBox(vb::vbOK);
    PrintingWindow().cmdPrint_Click();
  });
  w().CmdFilePrint();
  EXPECT_FALSE(Printed());
  ASSERT_FALSE(Prompts().empty());
  EXPECT_NE(Prompts().back().find(u"поле ''Верхнее''"), std::u16string::npos);
}

}  // namespace
