// The about and agreement windows: the version line, the links and their looks, a donation note
// without payment details, the agreement read afresh at each opening and left uneditable, a
// missing or unreadable agreement said in the window; both opened by the main window's Help
// commands. Pictures of the lock, about and agreement windows go into the build tree.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>

#include "mainwindow/main_window_support.h"
#include "platform/testing/vb.h"
#include "platform/testing/win.h"
#include "platform/vb/app.h"
#include "platform/vb/runtime.h"
#include "platform/win/keys.h"
#include "platform/win/window.h"
#include "mainwindow/program_windows.h"
#include "preferences/forms/about.h"
#include "preferences/forms/license.h"
#include "preferences/forms/lock_program.h"
#include "handed_preference_windows.h"
#include "support_gdi.h"

using namespace qmtest;

namespace {

std::u16string folder;
std::u16string TestFolder() { return folder; }

void Write(const std::filesystem::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary);
  out << bytes;
}

bool Contains(const std::u16string& text, std::u16string_view part) { return text.find(part) != std::u16string::npos; }

std::u16string PicturePath(const char* name) { return vb::FromUtf8(std::string(QM_BINARY_DIR "/") + name); }

class AgreementWindow : public ::testing::Test {
 protected:
  AgreementWindow() {
    folder = vb::FromUtf8(dir.path().string());
    frmLicense::AgreementFolder = &TestFolder;
  }
  ~AgreementWindow() override {
    if (license.IsLoaded()) license.Unload();
    frmLicense::AgreementFolder = programFolder_;
    vb::DoEvents();
  }
  std::u16string (*const programFolder_)() = frmLicense::AgreementFolder;
  TempDir dir;
  frmLicense license;
};

}  // namespace

TEST(AboutWindow, TheVersionLineNamesTheVersionBuildAndPlatform) {
  EXPECT_EQ(frmAbout::VersionLine(3, 0, 241), u"Version 3.0.0 Preview build 241 for Linux.");
  EXPECT_EQ(frmAbout::VersionLine(10, 12, 0), u"Version 10.12.0 Preview build 0 for Linux.");

  const int revision = vb::App.Revision;
  vb::App.Revision = 241;
  frmAbout about;
  about.Load();
  EXPECT_EQ(about.lblVersion.Caption(), u"Version 3.0.0 Preview build 241 for Linux.");
  about.Unload();
  vb::App.Revision = revision;
  vb::DoEvents();
}

TEST(AboutWindow, ShowsTheProgramsOwnAddressesAsLinksAndNoPaymentDetails) {
  frmAbout about;
  about.Load();
  EXPECT_EQ(about.Caption(), u"О программе");
  EXPECT_EQ(about.Label3.Caption(), u"Вопросы и комментарии:");
  EXPECT_EQ(about.Label4.Caption(), u"Обновления программы:");
  EXPECT_EQ(about.Hyperlink1.Caption(), u"quillmark@example.org");
  EXPECT_EQ(about.Hyperlink1.HyperLinkAddress(), u"mailto:quillmark@example.org");
  EXPECT_EQ(about.Hyperlink2.Caption(), u"https://quillmark.example.org/");
  EXPECT_EQ(about.Hyperlink2.HyperLinkAddress(), u"https://quillmark.example.org/");
  for (HyperLink* link : {&about.Hyperlink1, &about.Hyperlink2}) {
    EXPECT_EQ(link->Font().Name, u"Tahoma");
    EXPECT_DOUBLE_EQ(link->Font().Size, 8.25);
    EXPECT_TRUE(link->Font().Underline);
    EXPECT_EQ(link->ForeColor(), 0x88u);
    EXPECT_EQ(link->HoverColor(), vb::vbHighlight);
  }
  EXPECT_EQ(about.cmdOK.Caption(), u"Ok");
  EXPECT_TRUE(about.cmdOK.Default());

  // A wallet or account number is a long run of digits (or a letter and digits): none may appear.
  const std::u16string note = about.lblMoney.Caption();
  EXPECT_FALSE(note.empty());
  int run = 0, longest = 0;
  for (char16_t c : note) {
    run = (c >= u'0' && c <= u'9') ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  EXPECT_LT(longest, 4) << "no payment details";
  about.Unload();
  vb::DoEvents();
}

TEST_F(AgreementWindow, TheProgramsAgreementIsReadAndCannotBeEdited) {
  folder = vb::FromUtf8(QM_BINARY_DIR "/bin");
  license.Show();
  const std::u16string text = license.RichTextBox->Text();
  EXPECT_EQ(license.Caption(), u"Лицензионное соглашение");
  EXPECT_EQ(license.cmdClose.Caption(), u"OK");
  EXPECT_TRUE(license.cmdClose.Default());
  EXPECT_TRUE(Contains(text, u"ЛИЦЕНЗИОННОЕ СОГЛАШЕНИЕ С КОНЕЧНЫМ ПОЛЬЗОВАТЕЛЕМ")) << vb::ToUtf8(text.substr(0, 80));
  EXPECT_TRUE(Contains(text, u"«как есть»")) << "code page 1251 letters and quotes read as such";
  EXPECT_TRUE(Contains(text, u"quillmark@example.org"));
  EXPECT_FALSE(Contains(text, u"\\'")) << "no RTF escapes left in the text";

  const win::HWND box = license.RichTextBox->hWnd();
  license.RichTextBox->SelStart(0);
  for (int vk : {win::VK_DELETE, win::VK_BACK}) platform::testing::KeyClick(box, vk);
  platform::testing::KeyClick(box, 'A', 0, u"ф");
  platform::testing::KeyClick(box, 'V', win::MK_CONTROL);
  platform::testing::KeyClick(box, 'X', win::MK_CONTROL);
  EXPECT_EQ(license.RichTextBox->Text(), text) << "editing keys change nothing";
  EXPECT_TRUE(vb::testing::SaveWindowPicture(license.hWnd(), PicturePath("license_window.png")));

  // Enter in the text, which has the keyboard when the window opens, presses OK; so does Esc.
  platform::testing::KeyClick(box, win::VK_RETURN);
  EXPECT_FALSE(license.IsLoaded());
  license.Show();
  platform::testing::KeyClick(license.RichTextBox->hWnd(), win::VK_ESCAPE, 0, u"\x1b");
  EXPECT_FALSE(license.IsLoaded());
}

TEST_F(AgreementWindow, IsReadAgainAtEveryOpening) {
  Write(dir.path() / "License.rtf", "{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'e5\\'f0\\'e2\\'fb\\'e9\\par}");
  license.Load();
  EXPECT_TRUE(Contains(license.RichTextBox->Text(), u"Первый"));
  license.Unload();
  Write(dir.path() / "License.rtf", "{\\rtf1\\ansi\\ansicpg1251 \\'c2\\'f2\\'ee\\'f0\\'ee\\'e9\\par}");
  license.Load();
  EXPECT_TRUE(Contains(license.RichTextBox->Text(), u"Второй"));
}

TEST_F(AgreementWindow, AMissingOrUnreadableFileIsSaidInTheWindow) {
  license.Show();
  std::u16string text = license.RichTextBox->Text();
  EXPECT_TRUE(Contains(text, u"Файл лицензионного соглашения не найден:")) << vb::ToUtf8(text);
  EXPECT_TRUE(Contains(text, vb::FromUtf8((dir.path() / "License.rtf").string()))) << "with its path";
  EXPECT_TRUE(license.RichTextBox->Locked());
  EXPECT_TRUE(vb::testing::SaveWindowPicture(license.hWnd(), PicturePath("license_missing.png")));
  license.Unload();

  Write(dir.path() / "License.rtf", "{\\rtf1\\ansi \\'zz}");
  license.Show();
  text = license.RichTextBox->Text();
  EXPECT_TRUE(Contains(text, u"Не удалось прочитать файл лицензионного соглашения:")) << vb::ToUtf8(text);
  license.cmdClose.Value(true);
  EXPECT_FALSE(license.IsLoaded()) << "the window closes as usual";

  std::filesystem::remove(dir.path() / "License.rtf");
  std::filesystem::create_directory(dir.path() / "License.rtf");
  license.Show();
  EXPECT_TRUE(Contains(license.RichTextBox->Text(), u"License.rtf")) << "a folder in its place is no agreement";
}

// The Help menu's commands and the lock command open the real windows over the main window.
class HelpWindows : public MainWindowTest {
 protected:
  HandedPreferenceWindows preferenceWindows_;
};

TEST_F(HelpWindows, AboutAndAgreementOpenModalOverTheMainWindowAndCloseByTheirButton) {
  w().Show();
  std::u16string caption;
  win::HWND owner = 0;
  vb::testing::QueueModalAction([&] {
    const win::HWND about = program_windows::Shown().front();
    caption = win::GetWindowTextA(about);
    owner = win::GetParent(about);
    EXPECT_TRUE(vb::testing::SaveWindowPicture(about, PicturePath("about_window.png")));
    platform::testing::Click(win::FindWindowExA(about, 0, "ThunderCommandButton"), 5, 5);
  });
  w().CmdHelpAbout();
  EXPECT_EQ(caption, u"О программе");
  EXPECT_EQ(owner, w().hWnd());
  EXPECT_EQ(vb::testing::PendingModalActions(), 0u);

  vb::testing::QueueModalAction([&] {
    const win::HWND license = program_windows::Shown().front();
    caption = win::GetWindowTextA(license);
    platform::testing::Click(win::FindWindowExA(license, 0, "ThunderCommandButton"), 5, 5);
  });
  w().CmdHelpLicense();
  EXPECT_EQ(caption, u"Лицензионное соглашение");
  EXPECT_TRUE(w().Visible());
}

// The lock window's picture shows the lock, the identification frame with its captions, the stored
// user name and an empty password box, the hint as an underlined link, the notice in several lines
// and the button's caption centred on it.
TEST_F(HelpWindows, APictureOfTheLockWindow) {
  modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, settings::kLockedKey, settings::locked::kUser, u"Ольга");
  modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, settings::kLockedKey, settings::locked::kTip, u"Кот");
  frmLockProgram lock([] {});
  lock.Show();
  const platform::testing::Picture picture = vb::testing::WindowPicture(lock.hWnd());
  EXPECT_TRUE(platform::testing::SavePicture(picture, PicturePath("lock_window.png")));
  const win::COLORREF face = win::GetSysColor(win::COLOR_BTNFACE);
  const win::COLORREF box = win::GetSysColor(win::COLOR_WINDOW);
  const auto place = [&](vb::Control& c) { return qmtest::RectIn(c.hWnd(), lock.hWnd()); };
  const auto inked = [&](const win::RECT& r) { return picture.Count(r, qmtest::DarkInk) > 0; };
  const auto inset = [](win::RECT r, int by) { return win::RECT{r.left + by, r.top + by, r.right - by, r.bottom - by}; };

  const win::RECT lockPicture = picture.Ink(place(lock.Image2), face);
  EXPECT_GE(lockPicture.right - lockPicture.left, 24) << "the lock, stretched over its 32 pixels";
  const win::RECT frame = place(lock.Frame1);
  EXPECT_TRUE(inked(win::RECT{frame.left, frame.top, frame.left + (frame.right - frame.left) / 2, frame.top + 12}))
      << "the frame's caption";
  EXPECT_TRUE(inked(place(lock.Label15)));
  EXPECT_TRUE(inked(place(lock.Label16)));
  // The user name from the start of its box; the password box white and empty.
  const win::RECT user = inset(place(lock.txtUser), 2);
  const win::RECT name = picture.Ink(user, box);
  EXPECT_TRUE(inked(name));
  EXPECT_LT(name.left - user.left, 6);
  EXPECT_LT(name.right - name.left, (user.right - user.left) / 3);
  EXPECT_TRUE(picture.All(inset(place(lock.txtPassword), 2), box));
  // The hint: its picture, and its word in the links' blue over an underline as wide as the word.
  EXPECT_GT(picture.Count(place(lock.imgShowPasswordTip), [&](win::COLORREF c) { return c != face; }), 20);
  const win::RECT link = place(lock.lblShowPasswordTip);
  const win::RECT word = picture.Bounds(link, [](win::COLORREF c) { return c == 0xC00000; });
  ASSERT_GT(word.right, word.left);
  int underline = 0;
  for (int y = word.top; y < word.bottom; ++y)
    for (const auto& run : picture.RowRuns(y, word.left, word.right, 0xC00000)) underline = std::max(underline, run.second);
  EXPECT_GE(underline, word.right - word.left - 1);
  // The notice wraps into four lines at least.
  EXPECT_GE(picture.RowBands(place(lock.Label1), qmtest::DarkInk).size(), 4u);
  const win::RECT button = place(lock.cmdEnter);
  const win::RECT caption = picture.Bounds(inset(button, 3), qmtest::DarkInk);
  EXPECT_NEAR((caption.left + caption.right) / 2.0, (button.left + button.right) / 2.0, 2);
  EXPECT_NEAR((caption.top + caption.bottom) / 2.0, (button.top + button.bottom) / 2.0, 2);
  lock.Unload();
  vb::DoEvents();
}
