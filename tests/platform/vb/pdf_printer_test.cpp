// Where the PDF printer writes: the documents folder as the desktop names it, made when missing,
// and a folder that is not there said with the file that could not be written.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "pdf_support.h"
#include "platform/vb/error.h"
#include "platform/vb/printer.h"
#include "support.h"

namespace {

using namespace qmtest;

// A home folder of the test's own, and the desktop's settings (XDG_CONFIG_HOME) beside it.
class PdfPrinterFolder : public ::testing::Test {
 protected:
  PdfPrinterFolder() : oldHome_(std::getenv("HOME") != nullptr ? std::getenv("HOME") : "") {
    std::filesystem::create_directory(home());
    setenv("HOME", home().c_str(), 1);
    UsePdfPrinter(home() / "unused.pdf");
    platform::printing::SetPdfOutputPath(u"");  // the default: the documents folder
  }
  ~PdfPrinterFolder() override {
    setenv("HOME", oldHome_.c_str(), 1);
    platform::printing::SetPdfOutputPath(u"");
  }
  std::filesystem::path home() const { return dir_.path() / "home"; }
  static void PrintAPage() {
    vb::Printer.Print(u"Страница");
    vb::Printer.EndDoc();
  }
  static std::string PrinterError() {
    try {
      PrintAPage();
    } catch (const vb::Error& e) {
      vb::Printer.EndDoc();
      return vb::ToUtf8(e.Description);
    }
    return "";
  }

  TempDir dir_;
  FreshSettings desktopSettings_;
  std::string oldHome_;
};

}  // namespace

TEST_F(PdfPrinterFolder, AMissingDocumentsFolderIsMadeInTheHomeFolder) {
  const auto file = home() / "Documents" / "Quillmark.pdf";
  EXPECT_EQ(platform::printing::PdfOutputPath(), vb::FromUtf8(file.string()));
  PrintAPage();
  EXPECT_TRUE(std::filesystem::is_regular_file(file));
  if (HavePoppler()) EXPECT_EQ(PdfPages(file), 1);
}

TEST_F(PdfPrinterFolder, TheDesktopsDocumentsFolderIsFollowed) {
  WriteBytes(std::filesystem::path(std::getenv("XDG_CONFIG_HOME")) / "user-dirs.dirs",
             "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Рабочий стол\"\n"
             "XDG_DOCUMENTS_DIR=\"$HOME/Мои документы\"\n");
  const auto file = home() / "Мои документы" / "Quillmark.pdf";
  EXPECT_EQ(platform::printing::PdfOutputPath(), vb::FromUtf8(file.string()));
  PrintAPage();
  EXPECT_TRUE(std::filesystem::is_regular_file(file));
}

TEST_F(PdfPrinterFolder, AFolderThatIsNotThereOrCannotBeMadeIsSaidWithTheFile) {
  // A file set for the printer in a folder that does not exist: nothing is made for it.
  const auto chosen = home() / "нет такой папки" / "out.pdf";
  platform::printing::SetPdfOutputPath(vb::FromUtf8(chosen.string()));
  std::string told = PrinterError();
  EXPECT_NE(told.find(chosen.string()), std::string::npos) << told;
  EXPECT_FALSE(std::filesystem::exists(chosen.parent_path()));

  // The documents folder where no folder can be made.
  platform::printing::SetPdfOutputPath(u"");
  UnwritableFolder locked(home());
  if (!locked.ok()) GTEST_SKIP() << "this file system cannot make a folder unwritable for root";
  told = PrinterError();
  EXPECT_NE(told.find("не удалось создать папку документов"), std::string::npos) << told;
  EXPECT_NE(told.find((home() / "Documents").string()), std::string::npos) << told;
}
