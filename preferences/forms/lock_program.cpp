#include "preferences/forms/lock_program.h"

#include "core/close_menu_item.h"
#include "core/main_window.h"
#include "core/registry.h"
#include "core/settings_schema.h"
#include "mainwindow/window_chrome.h"
#include "mainwindow/window_placement.h"
#include "platform/vb/msgbox.h"
#include "preferences/forms/program_picture.h"

namespace {

constexpr char kLockedMark[] = "locked";

std::u16string Stored(std::u16string_view name) {
  return modRegistry::ReadRegistryString(win::HKEY_CURRENT_USER, settings::kLockedKey, name).value_or(u"");
}

}  // namespace

frmLockProgram::frmLockProgram(std::function<void()> showMain) : showMain_(std::move(showMain)) {
  cmdEnter.Click = [this] { cmdEnter_Click(); };
  lblShowPasswordTip.Click = [this] { lblShowPasswordTip_Click(); };
  chrome::AddButtonSounds(cmdEnter);
}

void frmLockProgram::Design() {
  Caption(u"Brannoch Quillmark 3.0");
  BorderStyle(vb::vbFixedDouble);
  constexpr float width = 6600;
  constexpr float height = 4500;
  mainwindow::CentreOnScreen(*this, width, height);
  Image2.Move(240, 300, 480, 480);
  Image2.Stretch(true);
  Image2.Picture(ProgramPicture(u"Data\\icons\\toolbars\\large\\Locked.ico"));
  Frame1.Move(960, 120, width - 1200, 1740);
  Frame1.Caption(u"Идентификация:");
  Label15.Move(240, 390, 1800, 255);
  Label15.Caption(u"Имя пользователя:");
  txtUser.Move(2100, 330, width - 3600, 315);
  Label16.Move(240, 810, 1800, 255);
  Label16.Caption(u"Пароль:");
  txtPassword.Move(2100, 750, width - 3600, 315);
  imgShowPasswordTip.Move(2100, 1200, 240, 240);
  imgShowPasswordTip.Stretch(true);
  imgShowPasswordTip.Picture(ProgramPicture(u"Data\\icons\\menu\\About.ico"));
  lblShowPasswordTip.Move(2400, 1215, 1200, 255);
  lblShowPasswordTip.Caption(u"подсказка");
  vb::StdFont link = lblShowPasswordTip.Font();
  link.Underline = true;
  lblShowPasswordTip.Font(link);
  lblShowPasswordTip.ForeColor(0xC00000);  // blue, as links are
  picLine.Move(0, 2040, width, 30);
  picLine.BorderStyle(1);
  Label1.Move(960, 2190, width - 1200, 1050);
  Label1.WordWrap(true);
  Label1.Caption(
      u"Программа заблокирована! Чтобы разблокировать программу введите имя и пароль в соответствующие поля выше и "
      u"нажмите 'Войти'.\rВы можете настроить имя и пароль в параметрах программы.");
  cmdEnter.Move(width - 1575, 3390, 1215, 375);
  cmdEnter.Caption(u"Войти");
  cmdEnter.Default(true);
  txtUser.TabIndex(0);
  txtPassword.TabIndex(1);
  cmdEnter.TabIndex(2);
}

bool frmLockProgram::AnyCopyLocked() { return vb::CopyMark::HeldByAnyCopy(kLockedMark); }

void frmLockProgram::Form_Load() {
  locked_.emplace(kLockedMark);
  modGeneral::RemoveCloseMenuItem(hWnd());
  chrome::ApplyTopMost(hWnd());
  chrome::PlaySoundEvent(chrome::kFormLoad);
  txtPassword.Text(u"");
  txtUser.Text(Stored(settings::locked::kUser));
  storedPassword_ = Stored(settings::locked::kPassword);
  if (Stored(settings::locked::kTip).empty()) {
    lblShowPasswordTip.Enabled(false);
    imgShowPasswordTip.Enabled(false);
  }
  const bool masked = modRegistry::ReadRegistryDword(win::HKEY_CURRENT_USER, settings::kLockedKey,
                                                     settings::locked::kDoNotShowPassword) == 1;
  txtPassword.PasswordChar(masked ? u'*' : u'\0');
}

void frmLockProgram::Form_Unload(int&) {
  storedPassword_.clear();
  locked_.reset();
  chrome::PlaySoundEvent(chrome::kFormUnload);
}

void frmLockProgram::cmdEnter_Click() {
  if (txtPassword.Text() != storedPassword_) {
    vb::MsgBox(kWrongPassword, vb::vbInformation | vb::vbOKOnly, core::kProgramTitle);
    txtPassword.Text(u"");
    txtPassword.SetFocus();
    return;
  }
  Unload();
  if (showMain_) showMain_();
}

void frmLockProgram::lblShowPasswordTip_Click() {
  vb::MsgBox(Stored(settings::locked::kTip), vb::vbInformation | vb::vbOKOnly, core::kProgramTitle);
}
