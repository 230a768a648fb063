// The program lock: the password rules of the lock window, its texts, that it cannot be closed by
// the user, and, through the main window's lock command, that no window of the program is visible
// while it is locked and that every one comes back as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/main_window.h"
#include "mainwindow/forms/main.h"
#include "mainwindow/main_window_support.h"
#include "mainwindow/program_windows.h"
#include "platform/testing/vb.h"
#include "platform/testing/win.h"
#include "platform/vb/clipboard.h"
#include "platform/vb/runtime.h"
#include "platform/win/keys.h"
#include "platform/win/window.h"
#include "preferences/forms/lock_program.h"
#include "handed_preference_windows.h"
#include "settings_support.h"
#include "support_x11.h"

using namespace qmtest;

namespace {

constexpr int kCtrl = 0x0008;

void SetLocked(std::u16string_view name, std::u16string_view text) {
  modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, settings::kLockedKey, name, text);
}

// The user types into a text box (replacing what it held) and presses Enter on it.
void Type(vb::TextBox& box, const std::u16string& text) { box.Text(text); }
void Enter(frmLockProgram& lock) { platform::testing::KeyClick(lock.txtPassword.hWnd(), win::VK_RETURN); }

// The lock window's password box, found as outside tools find it: the second text box of its frame.
win::HWND PasswordBox(win::HWND lock) {
  const win::HWND frame = win::FindWindowExA(lock, 0, "ThunderFrame");
  const win::HWND user = win::FindWindowExA(frame, 0, "ThunderTextBox");
  return win::FindWindowExA(frame, user, "ThunderTextBox");
}

class LockWindow : public ::testing::Test {
 protected:
  LockWindow() {
    platform::script::ClearQueue();
    platform::script::Log().clear();
  }
  ~LockWindow() override {
    if (lock.IsLoaded()) lock.Unload();
    vb::DoEvents();
    EXPECT_EQ(platform::script::Pending(), 0u) << "answers left unused";
  }
  // Loads and shows the window (modeless: the test is the user).
  void Open() { lock.Show(); }

  FreshSettings settings_;
  int mainShown = 0;
  frmLockProgram lock{[this] { ++mainShown; }};
};

}  // namespace

TEST_F(LockWindow, ShowsItsTextsAndTheStoredUserWithAnEmptyPasswordBox) {
  SetLocked(settings::locked::kUser, u"Ольга");
  SetLocked(settings::locked::kPassword, u"Секрет");
  Open();
  EXPECT_EQ(lock.Caption(), u"Brannoch Quillmark 3.0");
  EXPECT_EQ(lock.Frame1.Caption(), u"Идентификация:");
  EXPECT_EQ(lock.Label15.Caption(), u"Имя пользователя:");
  EXPECT_EQ(lock.Label16.Caption(), u"Пароль:");
  EXPECT_EQ(lock.lblShowPasswordTip.Caption(), u"подсказка");
  EXPECT_EQ(lock.Label1.Caption(),
            u"Программа заблокирована! Чтобы разблокировать программу введите имя и пароль в соответствующие поля "
            u"выше и нажмите 'Войти'.\rВы можете настроить имя и пароль в параметрах программы.");
  EXPECT_EQ(lock.cmdEnter.Caption(), u"Войти");
  EXPECT_EQ(lock.txtUser.Text(), u"Ольга");
  EXPECT_EQ(lock.txtPassword.Text(), u"");
}

// The stored password is in no control of the window: Tab from the user name walks its two boxes and
// its button only, Ctrl+A, Ctrl+C wherever the focus is copies no password, and no text an
// accessibility tool reads from the window holds it.
TEST_F(LockWindow, NoKeyCopyOrAccessibilityToolReachesTheStoredPassword) {
  constexpr char16_t kStored[] = u"Secret7";
  SetLocked(settings::locked::kUser, u"Ольга");
  SetLocked(settings::locked::kPassword, kStored);
  Open();
  platform::testing::ShowAndWait(lock.hWnd());
  vb::Clipboard.SetText(u"что было скопировано");
  lock.txtUser.SetFocus();
  vb::DoEvents();
  const std::vector<win::HWND> tabStops = {lock.txtUser.hWnd(), lock.txtPassword.hWnd(), lock.cmdEnter.hWnd()};
  for (std::size_t i = 0; i < 2 * tabStops.size(); ++i) {
    const win::HWND focus = win::GetFocus();
    EXPECT_EQ(focus, tabStops[i % tabStops.size()]) << "Tab number " << i;
    platform::testing::KeyClick(focus, 'A', kCtrl);
    platform::testing::KeyClick(focus, 'C', kCtrl);
    EXPECT_EQ(vb::Clipboard.GetText().find(kStored), std::u16string::npos) << "Tab number " << i;
    platform::testing::KeyClick(focus, win::VK_TAB);
  }
  const std::vector<std::u16string> texts = platform::testing::AccessibleTexts(lock.hWnd());
  EXPECT_FALSE(texts.empty());
  for (const std::u16string& text : texts) EXPECT_EQ(text.find(kStored), std::u16string::npos) << vb::ToUtf8(text);
  EXPECT_TRUE(lock.Visible());
  EXPECT_EQ(mainShown, 0);
}

// The box that holds the stored password lies outside the window: Tab goes round the user name,
// the password and the button, and never into it (where Ctrl+A, Ctrl+C would copy the password).
TEST_F(LockWindow, TabGoesRoundTheVisibleControlsOnly) {
  SetLocked(settings::locked::kUser, u"Ольга");
  SetLocked(settings::locked::kPassword, u"Secret7");
  Open();
  platform::testing::ShowAndWait(lock.hWnd());
  lock.txtUser.SetFocus();
  vb::DoEvents();
  std::vector<win::HWND> stops;
  for (int i = 0; i < 6; ++i) {
    platform::testing::KeyClick(win::GetFocus(), win::VK_TAB);
    vb::DoEvents();
    stops.push_back(win::GetFocus());
  }
  const std::vector<win::HWND> round{lock.txtPassword.hWnd(), lock.cmdEnter.hWnd(), lock.txtUser.hWnd()};
  EXPECT_EQ(stops, (std::vector<win::HWND>{round[0], round[1], round[2], round[0], round[1], round[2]}));
}

TEST_F(LockWindow, OnlyTheExactPasswordUnlocksWhateverTheUserName) {
  SetLocked(settings::locked::kUser, u"Ольга");
  SetLocked(settings::locked::kPassword, u"СеКрет");
  Open();
  const std::vector<std::u16string> wrong = {u"секрет", u"СЕКРЕТ", u"СеКрет ", u" СеКрет", u"", u"СеКре"};
  for (const auto& typed : wrong) {
    AnswerBox(vb::vbOK);
    Type(lock.txtPassword, typed);
    lock.cmdEnter.Value(true);
    EXPECT_TRUE(lock.Visible()) << vb::ToUtf8(typed);
    EXPECT_EQ(lock.txtPassword.Text(), u"") << "emptied after each wrong try";
  }
  ASSERT_EQ(platform::script::Log().size(), wrong.size()) << "one notice per wrong try, no limit";
  for (const auto& shown : platform::script::Log()) {
    EXPECT_EQ(shown.prompt, u"Вы ввели неверный пароль. Попробуйте еще раз.");
    EXPECT_EQ(shown.title, u"Brannoch Quillmark 3.0 Preview");
    EXPECT_EQ(shown.flags, vb::vbInformation);
  }
  EXPECT_EQ(mainShown, 0);

  Type(lock.txtUser, u"");
  Type(lock.txtPassword, u"СеКрет");
  Enter(lock);
  EXPECT_FALSE(lock.IsLoaded()) << "the user name takes no part; Enter presses Войти";
  EXPECT_EQ(mainShown, 1);
}

TEST_F(LockWindow, AStoredEmptyPasswordUnlocksWithAnEmptyEntry) {
  SetLocked(settings::locked::kUser, u"Ольга");
  Open();
  AnswerBox(vb::vbOK);
  Type(lock.txtPassword, u"что-то");
  lock.cmdEnter.Value(true);
  EXPECT_TRUE(lock.IsLoaded());
  Type(lock.txtPassword, u"");
  lock.cmdEnter.Value(true);
  EXPECT_FALSE(lock.IsLoaded());
  EXPECT_EQ(mainShown, 1);
}

TEST_F(LockWindow, TheHintLinkFollowsTheStoredTipAndTheMaskItsSwitch) {
  Open();
  EXPECT_FALSE(lock.lblShowPasswordTip.Enabled()) << "no tip: the link and its picture are off";
  EXPECT_FALSE(lock.imgShowPasswordTip.Enabled());
  EXPECT_EQ(lock.txtPassword.PasswordChar(), u'\0') << "absent switch: typed in clear";
  lock.Unload();

  SetLocked(settings::locked::kTip, u"Имя кота");
  for (std::int32_t value : {0, 2}) {
    modRegistry::WriteRegistryDword(win::HKEY_CURRENT_USER, settings::kLockedKey,
                                    settings::locked::kDoNotShowPassword, value);
    Open();
    EXPECT_EQ(lock.txtPassword.PasswordChar(), u'\0') << value;
    lock.Unload();
  }
  modRegistry::WriteRegistryDword(win::HKEY_CURRENT_USER, settings::kLockedKey, settings::locked::kDoNotShowPassword,
                                  1);
  Open();
  EXPECT_EQ(lock.txtPassword.PasswordChar(), u'*');
  EXPECT_TRUE(lock.lblShowPasswordTip.Enabled());
  AnswerBox(vb::vbOK);
  lock.lblShowPasswordTip.Click();
  ASSERT_EQ(platform::script::Log().size(), 1u);
  EXPECT_EQ(platform::script::Log()[0].prompt, u"Имя кота");
  EXPECT_EQ(platform::script::Log()[0].title, core::kProgramTitle);
  EXPECT_TRUE(lock.Visible()) << "the hint leaves the window open";
}

TEST_F(LockWindow, CannotBeClosedByItsFrameTheWindowManagerOrAltF4) {
  SetLocked(settings::locked::kPassword, u"x");
  Open();
  platform::testing::CloseByUser(lock.hWnd());
  platform::testing::KeyClick(lock.txtPassword.hWnd(), win::VK_F4, platform::testing::kAlt);
  platform::testing::KeyClick(lock.cmdEnter.hWnd(), win::VK_F4, platform::testing::kAlt);
  win::SendMessageA(lock.hWnd(), win::WM_SYSCOMMAND, win::SC_CLOSE, 0);
  vb::DoEvents();
  EXPECT_TRUE(lock.IsLoaded());
  EXPECT_TRUE(lock.Visible());
  EXPECT_EQ(mainShown, 0);
  EXPECT_EQ(win::GetMenuItemCount(win::GetSystemMenu(lock.hWnd(), win::FALSE)), 5) << "Close and its separator are gone";
}

// The lock command of the real main window, with the real lock window behind its opener.
class ProgramLock : public MainWindowTest {
 protected:
  ~ProgramLock() override {
    for (vb::Form* f : {&findWindow, &settingsWindow}) f->Unload();
  }
  // Stand-ins for the program's modeless windows (find, settings): any shown window counts.
  class frmOther : public vb::Form {};
  frmOther findWindow;
  frmOther settingsWindow;
  HandedPreferenceWindows preferenceWindows_;
};

TEST_F(ProgramLock, NotSetUpItOnlyTellsWhereToSetItUp) {
  w().Show();
  AnswerBox(vb::vbOK);
  w().CmdServiceLocked();
  ASSERT_EQ(Prompts().size(), 1u);
  EXPECT_EQ(Prompts()[0],
            u"Параметры блокировки программы не настроены! Настроить параметры блокировки \n"
            u"можно в меню ''Сервис'' -> ''Параметры программы'' на вкладке ''Блокировка''.");
  EXPECT_EQ(platform::script::Log()[0].title, core::kProgramTitle);
  EXPECT_TRUE(w().Visible());
}

TEST_F(ProgramLock, NoWindowOfTheProgramIsVisibleWhileLockedAndAllComeBackAsTheyWere) {
  SetLocked(settings::locked::kUser, u"Ольга");
  SetLocked(settings::locked::kPassword, u"пароль");
  w().Show();
  findWindow.Show(vb::vbModeless, &w());
  findWindow.Move(1500, 1200, 4000, 2500);
  settingsWindow.Show(vb::vbModeless, &w());
  settingsWindow.WindowState(vb::vbMinimized);
  const std::vector<win::HWND> before = program_windows::Shown();
  ASSERT_EQ(before.size(), 3u);

  std::vector<win::HWND> whileLocked, afterClosingTries, afterWrongPassword;
  std::u16string lockCaption;
  vb::testing::QueueModalAction([&] {
    whileLocked = program_windows::Shown();
    if (whileLocked.size() != 1) return;
    const win::HWND lock = whileLocked[0];
    lockCaption = win::GetWindowTextA(lock);
    platform::testing::CloseByUser(lock);
    platform::testing::KeyClick(PasswordBox(lock), win::VK_F4, platform::testing::kAlt);
    afterClosingTries = program_windows::Shown();
    AnswerBox(vb::vbOK);
    platform::testing::KeyClick(PasswordBox(lock), 'A', 0, u"Пароль");
    platform::testing::KeyClick(PasswordBox(lock), win::VK_RETURN);
    afterWrongPassword = program_windows::Shown();
    platform::testing::KeyClick(PasswordBox(lock), 'A', 0, u"пароль");
    platform::testing::KeyClick(PasswordBox(lock), win::VK_RETURN);
  });
  w().CmdServiceLocked();

  ASSERT_EQ(whileLocked.size(), 1u) << "only the lock window is shown";
  EXPECT_EQ(lockCaption, u"Brannoch Quillmark 3.0");
  EXPECT_EQ(afterClosingTries, whileLocked) << "neither the frame nor Alt+F4 closes it";
  EXPECT_EQ(afterWrongPassword, whileLocked);
  EXPECT_EQ(Prompts(), std::vector<std::u16string>{frmLockProgram::kWrongPassword});
  EXPECT_FALSE(win::IsWindow(whileLocked[0])) << "the lock window is gone once lifted";
  EXPECT_EQ(program_windows::Shown(), before) << "every window back, in its place in the stack";
  EXPECT_EQ(settingsWindow.WindowState(), vb::vbMinimized);
  EXPECT_EQ(findWindow.Left(), 1500.0f);
  EXPECT_EQ(findWindow.Top(), 1200.0f);
}

TEST_F(ProgramLock, TheLockCanBeTakenAgainAfterItWasLifted) {
  SetLocked(settings::locked::kPassword, u"1");
  w().Show();
  for (int round = 0; round < 2; ++round) {
    std::size_t shown = 0;
    vb::testing::QueueModalAction([&] {
      const std::vector<win::HWND> now = program_windows::Shown();
      shown = now.size();
      platform::testing::KeyClick(PasswordBox(now[0]), '1', 0, u"1");
      platform::testing::KeyClick(PasswordBox(now[0]), win::VK_RETURN);
    });
    w().CmdServiceLocked();
    EXPECT_EQ(shown, 1u) << round;
    EXPECT_TRUE(w().Visible()) << round;
  }
}

// While a copy of the program is locked, no settings dialog, of this copy or of one started
// meanwhile, shows the stored password or lets it change; once the lock is lifted the page is as
// before.
class LockedCopy : public qmtest::SettingsDialogTest {
 protected:
  void SetUp() override {
    SetLocked(settings::locked::kUser, u"Ольга");
    SetLocked(settings::locked::kPassword, u"Secret7");
    SetLocked(settings::locked::kTip, u"Имя кота");
  }
  void ExpectSealed() {
    EXPECT_EQ(form.txtPassword.Text(), u"");
    for (vb::TextBox* box : {&form.txtUser, &form.txtPassword, &form.txtTip}) EXPECT_FALSE(box->Enabled());
    EXPECT_FALSE(form.chkDoNotShowPassword.Enabled());
  }
  frmLockProgram otherCopysLock{[] {}};
};

TEST_F(LockedCopy, TheLockPageShowsNoPasswordAndTakesNoChange) {
  otherCopysLock.Load();
  LoadAndSettle();
  ExpectSealed();
  EXPECT_EQ(form.txtUser.Text(), u"Ольга");
  form.txtPassword.Text(u"new");
  form.txtTip.Text(u"");
  form.cmdApply_Click();
  EXPECT_EQ(qmtest::StoredText(settings::kLockedKey, settings::locked::kPassword), u"Secret7");
  EXPECT_EQ(qmtest::StoredText(settings::kLockedKey, settings::locked::kTip), u"Имя кота");

  otherCopysLock.Unload();
  form.Unload();
  LoadAndSettle();
  EXPECT_EQ(form.txtPassword.Text(), u"Secret7") << "unlocked, the page is as before";
  EXPECT_TRUE(form.txtPassword.Enabled());
}

// The dialog keeps its values while hidden: shown again, it follows the lock as it stands then.
TEST_F(LockedCopy, ADialogOpenedBeforeTheLockFollowsIt) {
  class frmMainStandIn : public vb::Form {} mainWindow;
  // The user opens the dialog, leaves it by OK (hidden, back in the main window), opens it again.
  auto activate = [](vb::Form& window) {
    window.Show();
    platform::testing::ShowAndWait(window.hWnd());
    return qmtest::Eventually([&] { return win::GetActiveWindow() == window.hWnd(); });
  };
  auto reopen = [&] {
    form.Hide();
    EXPECT_TRUE(activate(mainWindow));
    EXPECT_TRUE(activate(form));
  };
  LoadAndSettle();
  ASSERT_TRUE(activate(form));
  ASSERT_EQ(form.txtPassword.Text(), u"Secret7");
  form.txtPassword.Text(u"changed while unlocked");
  otherCopysLock.Load();
  form.cmdApply_Click();
  EXPECT_EQ(qmtest::StoredText(settings::kLockedKey, settings::locked::kPassword), u"Secret7")
      << "no change while a copy is locked";
  reopen();
  ExpectSealed();
  otherCopysLock.Unload();
  reopen();
  EXPECT_EQ(form.txtPassword.Text(), u"Secret7");
  EXPECT_TRUE(form.txtPassword.Enabled());
  mainWindow.Unload();
}
