// The document properties window, opened by its command: the facts of the document's own file
// (name, place, size, times in UTC, attributes), the placeholders of a document without a file, and
// "<Неизвестно>" for a file that is gone.
#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>
#include <regex>

#include "main_window_support.h"
#include "mainwindow/forms/document_properties.h"
#include "platform/testing/vb.h"
#include "platform/testing/win.h"
#include "platform/win/focus.h"
#include "platform/win/keys.h"

using namespace qmtest;
using platform::script::Kind;

namespace {

// 1 December 2006, 23:05:09 UTC.
constexpr std::time_t kDecember2006 = 1165014309;

void SetFileTimes(const std::filesystem::path& file, std::time_t access, std::time_t write) {
  const timespec times[2] = {{access, 0}, {write, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
}

class DocumentProperties : public MainWindowTest {
 protected:
  DocumentProperties() { modDocument::Reset(); }
  void TearDown() override {
    if (DocumentPropertiesWindow().IsLoaded()) DocumentPropertiesWindow().Terminate();
  }
  void Open(const std::filesystem::path& file) {
    w();
    Answer(Kind::OpenFile, 1, vb::FromUtf8(file.string()));
    modDocument::OpenDocument();
    ASSERT_EQ(modDocument::DocumentPath(), vb::FromUtf8(file.string()));
  }
  // Runs the command; `look` sees the window while it is shown.
  void ShowProperties(std::function<void(frmDocumentProperties&)> look) {
    vb::testing::QueueModalAction([look] {
      frmDocumentProperties& f = DocumentPropertiesWindow();
      look(f);
      f.cmdClose.Click();
    });
    w().CmdFileProperties();
    EXPECT_FALSE(DocumentPropertiesWindow().IsLoaded());
  }
  std::vector<int> Ticked(frmDocumentProperties& f) {
    std::vector<int> out;
    for (int i = 1; i <= 4; ++i)
      if (f.chkAttrib[i - 1].Value() == vb::vbChecked) out.push_back(i);
    return out;
  }

  TempDir dir;
};

TEST_F(DocumentProperties, ARealFileShowsItsNameSizeTimesInUtcAndAttributes) {
  const std::filesystem::path file = dir.path() / "Письмо.txt";
  WriteBytes(file, std::string(1536, 'a'));
  Open(file);
  SetFileTimes(file, kDecember2006, kDecember2006);
  std::filesystem::permissions(file, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  // The times do not depend on the computer's time zone.
  const char* oldZone = std::getenv("TZ");
  const std::string keptZone = oldZone ? oldZone : "";
  setenv("TZ", "Asia/Vladivostok", 1);
  tzset();
  ShowProperties([&](frmDocumentProperties& f) {
    EXPECT_EQ(f.Caption(), u"Свойства документа");
    EXPECT_EQ(f.tabProperties.TabText(1), u"Общие");
    EXPECT_TRUE(f.picGeneral.Visible());
    EXPECT_EQ(f.lblName.Caption(), u"Письмо.txt");
    EXPECT_EQ(f.txtLocation.Text(), vb::FromUtf8(file.string()));
    EXPECT_EQ(f.lblSize.Caption(), u"1,50 КБ");
    EXPECT_EQ(f.lblDate[1].Caption(), u"01.12.2006 г., 23:5:9");
    EXPECT_EQ(f.lblDate[2].Caption(), u"01.12.2006 г.");
    // Creation is the file system's birth time where it keeps one (not settable here).
    const std::string created = vb::ToUtf8(f.lblDate[0].Caption());
    EXPECT_TRUE(created == "<Неизвестно>" ||
                std::regex_match(created, std::regex(R"(\d\d\.\d\d\.\d{4} г\., \d{1,2}:\d{1,2}:\d{1,2})")))
        << created;
    EXPECT_EQ(Ticked(f), (std::vector<int>{3, 4}));  // read-only and archive
    EXPECT_TRUE(f.cmdClose.Default());
    EXPECT_TRUE(vb::testing::SaveWindowPicture(f.hWnd(), vb::FromUtf8(QM_BINARY_DIR) + u"/document_properties.png"));
  });
  if (oldZone) {
    setenv("TZ", keptZone.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
  std::filesystem::permissions(file, std::filesystem::perms::owner_all);
}

TEST_F(DocumentProperties, TheDocumentsOwnFileIsShownNotTheSharedDialogsLastFile) {
  const std::filesystem::path document = dir.path() / "документ.txt";
  const std::filesystem::path other = dir.path() / ".вставка.txt";
  WriteBytes(document, "12345");
  WriteBytes(other, std::string(4000, 'x'));
  Open(document);
  // Another command (insert a file, import) used the shared dialog since.
  w().CommonDialog.FileName = vb::FromUtf8(other.string());
  ShowProperties([&](frmDocumentProperties& f) {
    EXPECT_EQ(f.lblName.Caption(), u"документ.txt");
    EXPECT_EQ(f.lblSize.Caption(), u"5 байт");
    EXPECT_EQ(Ticked(f), (std::vector<int>{4}));
  });
}

TEST_F(DocumentProperties, EnterAndEscCloseTheWindow) {
  for (int vk : {win::VK_RETURN, win::VK_ESCAPE}) {
    vb::testing::QueueModalAction([vk] { platform::testing::KeyClick(DocumentPropertiesWindow().hWnd(), vk); });
    w().CmdFileProperties();
    EXPECT_FALSE(DocumentPropertiesWindow().IsLoaded()) << vk;
  }
}

TEST_F(DocumentProperties, ADocumentWithoutAFileShowsPlaceholders) {
  w().CommonDialog.FileName = vb::FromUtf8((dir.path() / "чужой.txt").string());
  ShowProperties([](frmDocumentProperties& f) {
    EXPECT_EQ(f.lblName.Caption(), u"Документ");
    EXPECT_EQ(f.txtLocation.Text(), u"<Файл не сохранен>");
    EXPECT_EQ(f.lblSize.Caption(), u"<Файл не сохранен>");
    for (vb::Label& date : f.lblDate) EXPECT_EQ(date.Caption(), u"<Неизвестно>");
    EXPECT_TRUE(f.DocumentPath().empty());
  });
}

TEST_F(DocumentProperties, AFileThatIsGoneShowsUnknownInsteadOfInventedDates) {
  const std::filesystem::path file = dir.path() / "удалённый.txt";
  WriteBytes(file, "текст");
  Open(file);
  std::filesystem::remove(file);
  ShowProperties([&](frmDocumentProperties& f) {
    EXPECT_EQ(f.lblName.Caption(), u"удалённый.txt");
    EXPECT_EQ(f.txtLocation.Text(), vb::FromUtf8(file.string()));
    EXPECT_EQ(f.lblSize.Caption(), u"<Неизвестно>");
    for (vb::Label& date : f.lblDate) EXPECT_EQ(date.Caption(), u"<Неизвестно>");
    EXPECT_TRUE(Ticked(f).empty());
  });
}

TEST_F(DocumentProperties, AFileOfFourGigabytesAndMoreShowsItsTrueSize) {
  const std::filesystem::path file = dir.path() / "большой.txt";
  WriteBytes(file, "a");
  Open(file);
  std::error_code ec;
  std::filesystem::resize_file(file, 5LL << 30, ec);  // sparse: takes no room on the disk
  if (ec) GTEST_SKIP() << "the file system cannot hold a sparse 5 GiB file";
  ShowProperties([](frmDocumentProperties& f) { EXPECT_EQ(f.lblSize.Caption(), u"5,00 ГБ"); });
}

TEST_F(DocumentProperties, TheAttributeBoxesShowTheFileAndNeitherTakeTheFocusNorChange) {
  const std::filesystem::path file = dir.path() / ".скрытый.txt";
  WriteBytes(file, "x");
  Open(file);
  ShowProperties([this](frmDocumentProperties& f) {
    platform::testing::ShowAndWait(f.hWnd());
    f.chkAttrib[2].SetFocus();
    EXPECT_EQ(win::GetFocus(), f.cmdClose.hWnd());
    // A click does not make the window say what the file is not.
    for (vb::CheckBox& box : f.chkAttrib) platform::testing::Click(box.hWnd(), 5, 5);
    EXPECT_EQ(Ticked(f), (std::vector<int>{1, 4}));
  });
}

}  // namespace
