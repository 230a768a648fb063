// The common dialog wrapper answered through the script hook: what each dialog is given, what comes
// back into the properties, and cancelling.
#include "controls/common_dialog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <limits>
#include <vector>

#include "platform/script/script.h"
#include "platform/testing/dialogs.h"
#include "platform/vb/error.h"
#include "platform/win/global_memory.h"
#include "platform/vb/printer.h"
#include "platform/vb/screen.h"
#include "platform/vb/strings.h"
#include "platform/shell/shell.h"
#include "support.h"
#include "support_desktop.h"
#include "support_script.h"

namespace {

using platform::script::Answer;
using platform::script::Kind;

// The filter as the dialog sees it: four parts, each closed by a NUL.
std::u16string Block() {
  static constexpr char16_t kParts[] = u"Текст (*.txt)\0*.txt\0Все файлы (*.*)\0*.*\0";
  return std::u16string(kParts, std::size(kParts) - 1);
}

class CommonDialogTest : public qmtest::ScriptedDialogs {
 protected:
  static std::int32_t ErrorOf(const std::function<void()>& f) {
    try {
      f();
    } catch (const vb::Error& e) {
      return e.Number == 0 && e.Source.empty() && e.Description.empty() ? -1 : e.Number;
    }
    return 0;
  }
  clsCommonDialog cd;
};

}  // namespace

TEST_F(CommonDialogTest, FileDialogsTakeTheFilterAsNulSeparatedPartsAndGiveBackNameAndTitle) {
  cd.Filter = u"Текст (*.txt)|*.txt|Все файлы (*.*)|*.*|";
  cd.DialogTitle = u"Открыть документ";
  cd.flags = 0x4 | 0x20;  // the hook bit is never passed on
  Answer(Kind::OpenFile, 1, u"/home/user/Документы/письмо.txt");
  cd.ShowOpen();
  EXPECT_EQ(Shown().prompt, Block());
  EXPECT_EQ(Shown().title, u"Открыть документ");
  EXPECT_EQ(Shown().flags, 0x4);
  EXPECT_EQ(cd.Filename, u"/home/user/Документы/письмо.txt");
  EXPECT_EQ(cd.FileTitle, u"письмо.txt");
  EXPECT_TRUE(cd.InitDir.empty());
  // Without the last "|" the dialog sees the same four parts.
  cd.Filter = u"Текст (*.txt)|*.txt|Все файлы (*.*)|*.*";
  Answer(Kind::SaveFile, 1, u"/tmp/новый.txt");
  cd.ShowSave();
  EXPECT_EQ(Shown().prompt, Block());
  EXPECT_EQ(cd.Filename, u"/tmp/новый.txt");

  // Cancelled: nothing changes; with CancelError an error without number, source or text.
  Answer(Kind::OpenFile, 0);
  cd.ShowOpen();
  EXPECT_EQ(cd.Filename, u"/tmp/новый.txt");
  EXPECT_EQ(cd.FileTitle, u"новый.txt");
  cd.CancelError = true;
  Answer(Kind::OpenFile, 0);
  EXPECT_EQ(ErrorOf([&] { cd.ShowOpen(); }), -1);
  EXPECT_EQ(cd.Filename, u"/tmp/новый.txt");

  // A name longer than the file buffer is refused before any dialog shows.
  const std::size_t shown = platform::script::Log().size();
  cd.Filename = std::u16string(256, u'a');
  EXPECT_EQ(ErrorOf([&] { cd.ShowOpen(); }), 5);
  EXPECT_EQ(platform::script::Log().size(), shown);
  // A chosen path that does not fit the 255-unit buffer is no choice.
  cd.Filename.clear();
  cd.CancelError = false;
  Answer(Kind::OpenFile, 1, u"/" + std::u16string(300, u'x'));
  cd.ShowOpen();
  EXPECT_TRUE(cd.Filename.empty());
}

TEST_F(CommonDialogTest, ColourAndFontDialogsReadAndWriteTheirProperties) {
  cd.flags = 0x4001;
  cd.RGBResult = 0x123456;
  Answer(Kind::Color, 1, u"255");
  cd.ShowColor();
  EXPECT_EQ(Shown().flags, 1);
  EXPECT_EQ(cd.RGBResult, 255);
  Answer(Kind::Color, 0);
  cd.ShowColor();
  EXPECT_EQ(cd.RGBResult, 255);

  cd.FontName = u"Arial";
  cd.FontSize = 10;
  cd.Bold = true;
  cd.Italic = true;
  Answer(Kind::Font, 1, u"DejaVu Sans|11.5");
  cd.ShowFont();
  EXPECT_EQ(Shown().prompt, u"Arial");
  EXPECT_EQ(Shown().flags, 0x141);  // the flags property plays no part
  EXPECT_EQ(cd.FontName, u"DejaVu Sans");
  EXPECT_EQ(cd.FontSize, 11);  // 115 tenths, the fraction dropped
  EXPECT_TRUE(cd.Bold);
  EXPECT_TRUE(cd.Italic);
  EXPECT_FALSE(cd.Underline);
  // The size offered comes back unchanged when the user keeps it.
  cd.FontSize = 10;
  Answer(Kind::Font, 1, u"DejaVu Sans");
  cd.ShowFont();
  EXPECT_EQ(cd.FontSize, 10);
  // A face name longer than the record holds is cut, never written past it.
  cd.FontName = std::u16string(80, u'Ж');
  Answer(Kind::Font, 0);
  cd.ShowFont();
  EXPECT_EQ(Shown().prompt, std::u16string(31, u'Ж'));
  EXPECT_EQ(cd.FontName, std::u16string(80, u'Ж'));

  cd.HelpKey = 5;
  cd.ShowHelp();  // no help file: nothing opens, nothing fails
  EXPECT_EQ(cd.HelpKey, 257);
}

TEST_F(CommonDialogTest, HelpOpensTheHelpFileWithTheDesktopsProgramForItsType) {
  qmtest::PrivateDesktop desktop;
  desktop.Opens("text/html");
  std::vector<std::u16string> opened;
  platform::testing::SetOpenHandler([&](const std::u16string& url) {
    opened.push_back(url);
    return true;
  });
  qmtest::TempDir dir;
  qmtest::WriteBytes(dir.path() / "help.html", "<html></html>");
  qmtest::WriteBytes(dir.path() / "help.hlp", "?_");
  cd.HelpFile = vb::FromUtf8((dir.path() / "help.html").string());
  cd.HelpCommand = 3;
  cd.ShowHelp();
  // A help file of a kind no program here reads opens nothing.
  cd.HelpFile = vb::FromUtf8((dir.path() / "help.hlp").string());
  cd.ShowHelp();
  platform::testing::SetOpenHandler(nullptr);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], u"file://" + vb::FromUtf8((dir.path() / "help.html").string()));
  EXPECT_EQ(cd.HelpKey, 257);
}

TEST_F(CommonDialogTest, TheFontNameIsTheFaceThePlatformMatched) {
  cd.FontSize = 12;
  // A face that is not installed comes back as the installed face it was matched to.
  Answer(Kind::Font, 1, u"Quillmark No Such Face");
  cd.ShowFont();
  EXPECT_NE(cd.FontName, u"Quillmark No Such Face");
  bool installed = false;
  for (int i = 0; i < vb::Screen.FontCount(); ++i) installed = installed || vb::Screen.Fonts(i).starts_with(cd.FontName);
  EXPECT_TRUE(installed) << vb::ToUtf8(cd.FontName);
  // The old dialog faces are drawn with the font the layer maps them to, and named after it.
  Answer(Kind::Font, 1, u"MS Sans Serif");
  cd.ShowFont();
  EXPECT_EQ(cd.FontName, u"DejaVu Sans");
  Answer(Kind::Font, 1, u"DejaVu Serif");
  cd.ShowFont();
  EXPECT_EQ(cd.FontName, u"DejaVu Serif");
}

TEST_F(CommonDialogTest, AFontSizeWhoseTenthsDoNotFitIsRefusedBeforeTheDialog) {
  cd.FontName = u"DejaVu Sans";
  for (const std::int32_t size : {214748365, -214748365, std::numeric_limits<std::int32_t>::max(),
                                  std::numeric_limits<std::int32_t>::min()}) {
    cd.FontSize = size;
    EXPECT_EQ(ErrorOf([&] { cd.ShowFont(); }), 5) << size;
    EXPECT_EQ(cd.FontSize, size);
  }
  EXPECT_TRUE(platform::script::Log().empty());
  // The largest size that fits is offered.
  cd.FontSize = 214748364;
  Answer(Kind::Font, 0);
  cd.ShowFont();
  EXPECT_EQ(platform::script::Log().size(), 1u);
}

TEST_F(CommonDialogTest, ThePrinterChosenBecomesTheCurrentPrinter) {
  const std::u16string before = vb::Printer.DeviceName();
  Answer(Kind::Printer, 1, u"pdf");
  cd.ShowPrinter();
  EXPECT_EQ(Shown().prompt, before);
  EXPECT_EQ(vb::Printer.DeviceName(), u"PDF");
  Answer(Kind::Printer, 0);
  cd.CancelError = true;
  EXPECT_EQ(ErrorOf([&] { cd.ShowPrinter(); }), -1);
  EXPECT_EQ(vb::Printer.DeviceName(), u"PDF");
}

TEST_F(CommonDialogTest, ThePrinterDialogTakesAndGivesBackTheDuplexAndLeavesNoBlockLocked) {
  const int lockedBefore = platform::testing::LockedBlocksFreed();
  vb::Printer.Duplex(vb::vbPRDPVertical);
  // A choice that says nothing of the duplex keeps the one the dialog was given.
  Answer(Kind::Printer, 1, u"PDF");
  cd.ShowPrinter();
  EXPECT_EQ(vb::Printer.Duplex(), vb::vbPRDPVertical);
  // The dialog is told the printer's port: the PDF printer's is its file.
  EXPECT_EQ(Shown().text, platform::printing::PdfOutputPath());
  Answer(Kind::Printer, 1, u"PDF|2");
  cd.ShowPrinter();
  EXPECT_EQ(vb::Printer.Duplex(), vb::vbPRDPHorizontal);
  // Cancelled: nothing changes.
  Answer(Kind::Printer, 0);
  cd.ShowPrinter();
  EXPECT_EQ(vb::Printer.Duplex(), vb::vbPRDPHorizontal);
  // Every block the dialog exchanged was unlocked before it was freed.
  EXPECT_EQ(platform::testing::LockedBlocksFreed(), lockedBefore);
  vb::Printer.Duplex(vb::vbPRDPSimplex);
}

TEST_F(CommonDialogTest, OnCupsTheRealDialogOffersTheCurrentPrintersDuplexAndPortAndTheChoiceApplies) {
  if (std::getenv("QM_PRIVATE_CUPS") == nullptr) GTEST_SKIP() << "needs tests/e2e/private_cups.sh";
  const auto select = [](std::u16string_view name) {
    for (int i = 0; i < vb::Printers.Count(); ++i)
      if (vb::Printers.Item(i).DeviceName == name) vb::Printer.Select(i);
    return vb::Printer.DeviceName() == name;
  };
  ASSERT_TRUE(select(u"Duplexer"));
  vb::Printer.Duplex(vb::vbPRDPVertical);
  EXPECT_EQ(vb::Printer.Port(), u"ipp://duplexer.example:631/ipp/print");
  platform::script::SetActive(false);
  std::u16string seenPrinter;
  int seenDuplex = 0;
  platform::testing::AnswerNextPrintDialog(vb::vbPRDPHorizontal, &seenPrinter, &seenDuplex);
  cd.ShowPrinter();
  platform::script::SetActive(true);
  EXPECT_EQ(seenPrinter, u"Duplexer");
  EXPECT_EQ(seenDuplex, vb::vbPRDPVertical);
  EXPECT_EQ(vb::Printer.Duplex(), vb::vbPRDPHorizontal);
  vb::Printer.Duplex(vb::vbPRDPSimplex);
  select(u"PDF");
}

TEST_F(CommonDialogTest, TheFolderBrowserKeepsTheLastChoiceAndStaysInsideItsRoot) {
  qmtest::TempDir dir;
  const std::filesystem::path inside = dir.path() / "Документы";
  std::filesystem::create_directories(inside);
  const std::u16string root = vb::FromUtf8(dir.path().string());
  const std::u16string chosen = vb::FromUtf8(inside.string());

  cd.flags = 0x4001;
  cd.DialogPrompt = u"Выберите папку для хранения документов ...";
  Answer(Kind::Folder, 0);
  cd.ShowFolder();
  EXPECT_EQ(Shown().flags, 0x4001);
  EXPECT_EQ(Shown().prompt, u"Выберите папку для хранения документов ...");
  EXPECT_TRUE(cd.InitDir.empty());
  Answer(Kind::Folder, 1, chosen);
  cd.ShowFolder();
  EXPECT_EQ(cd.InitDir, chosen);
  cd.flags = 0;
  Answer(Kind::Folder, 0);
  cd.ShowFolder();
  EXPECT_EQ(Shown().flags, 1);
  EXPECT_EQ(cd.InitDir, chosen);
  // Rooted: a folder outside the root is no choice; the root and what lies below it are.
  cd.InitDir.clear();
  Answer(Kind::Folder, 1, u"/usr");
  cd.ShowFolder(root);
  EXPECT_TRUE(cd.InitDir.empty());
  Answer(Kind::Folder, 1, root + u"/Документы/");
  cd.ShowFolder(root);
  EXPECT_EQ(cd.InitDir, chosen);
  cd.CancelError = true;  // plays no part in the shell's dialogs
  Answer(Kind::Folder, 0);
  cd.ShowFolder(root);
  EXPECT_EQ(cd.InitDir, chosen);
}

TEST_F(CommonDialogTest, FormattingADriveFailsAndTheAboutBoxShows) {
  const std::size_t shown = platform::script::Log().size();
  EXPECT_EQ(cd.ShowFormat(2, 0xFFFF, 0), -3);  // the drive cannot be formatted
  EXPECT_EQ(platform::script::Log().size(), shown);

  // The about box shows; an empty application name becomes one NUL character and stays so.
  cd.DialogPrompt = u"Перекодировщик кириллицы";
  Answer(Kind::Other, 1);
  cd.ShowAbout();
  EXPECT_EQ(cd.AppName, std::u16string(1, u'\0'));
  EXPECT_EQ(Shown().title, u"О программе ");
  cd.AppName = u"Quillmark";
  Answer(Kind::Other, 1);
  cd.ShowAbout();
  EXPECT_EQ(Shown().title, u"О программе Quillmark");
  EXPECT_EQ(Shown().prompt, u"Quillmark\nПерекодировщик кириллицы");
}

TEST_F(CommonDialogTest, TheRealFolderBrowserChoosesAFolder) {
  qmtest::TempDir dir;
  const std::filesystem::path inside = dir.path() / "Резервные копии";
  std::filesystem::create_directories(inside);
  platform::script::SetActive(false);
  std::u16string title, start;
  cd.DialogPrompt = u"Выберите папку для хранения резервных копий ...";
  cd.flags = 0x4001;
  platform::testing::ChooseInNextFileDialog(vb::FromUtf8(inside.string()), &title, &start);
  cd.ShowFolder(vb::FromUtf8(dir.path().string()));
  EXPECT_EQ(title, u"Выберите папку для хранения резервных копий ...");
  EXPECT_EQ(start, vb::FromUtf8(dir.path().string()));
  EXPECT_EQ(cd.InitDir, vb::FromUtf8(inside.string()));
  platform::testing::ChooseInNextFileDialog({}, nullptr, nullptr);
  cd.ShowFolder();
  EXPECT_EQ(cd.InitDir, vb::FromUtf8(inside.string()));
  platform::script::SetActive(true);
}
