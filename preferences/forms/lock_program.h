// frmLockProgram: the program lock. Shown modally while every other window of the program is
// hidden; only the stored password, typed exactly, unlocks it (the user name takes no part). The
// stored values are read once, at load; an empty stored password unlocks with an empty entry. The
// stored password is kept out of every control of the window, so no key, click, copy or
// accessibility tool can reach it there. The window cannot be closed by the user: its window menu
// has no Close, so its frame, the window manager and Alt+F4 leave it open. A right password
// unloads it and shows the main window. While it is loaded, every copy of the program knows that
// one is locked (AnyCopyLocked), also a copy started after it, so that none shows or changes the
// stored password meanwhile.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/vb/controls.h"
#include "platform/vb/copy_mark.h"
#include "platform/vb/form.h"
#include "platform/vb/picturebox.h"

class frmLockProgram : public vb::Form {
 public:
  vb::Image Image2{*this};
  vb::Frame Frame1{*this};
  vb::Label Label15{Frame1};
  vb::TextBox txtUser{Frame1};
  vb::Label Label16{Frame1};
  vb::TextBox txtPassword{Frame1};
  vb::Image imgShowPasswordTip{Frame1};
  vb::Label lblShowPasswordTip{Frame1};
  vb::PictureBox picLine{*this};
  vb::Label Label1{*this};
  vb::CommandButton cmdEnter{*this};

  // `showMain` shows the main window once the right password was typed.
  explicit frmLockProgram(std::function<void()> showMain);

  static constexpr char16_t kWrongPassword[] = u"Вы ввели неверный пароль. Попробуйте еще раз.";

  // True while a lock window is loaded in any copy of the program, this one included.
  static bool AnyCopyLocked();

 protected:
  void Design() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  void cmdEnter_Click();
  void lblShowPasswordTip_Click();

  std::function<void()> showMain_;
  std::u16string storedPassword_;  // as read at load
  std::optional<vb::CopyMark> locked_;
};
