// frmGoTo: the go-to-line window. The user types a line number (lines count from 1) and "Перейти"
// puts the caret at the first character of that line of the main window's editor and closes the
// window; a number with a fraction ("2.5" or "2,5") is taken less one to the nearest whole line, a
// half to the even neighbour. An empty box is asked to be filled; anything that is not a line of the
// text (a number beyond the last line, 0, a negative number, a number too large, anything but a
// number) is told as a line that does not exist, and the window stays for another entry.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "platform/vb/picturebox.h"

class frmGoTo : public vb::Form {
 public:
  vb::Label Label1{*this};
  vb::Label Label2{*this};
  vb::TextBox txtGo{*this};
  vb::CommandButton cmdGo{*this};
  vb::PictureBox picLine{*this};

  frmGoTo();

  // The 0-based line of an entry: its number (decimal digits, at most one "." or "," among them,
  // blanks around allowed) less one, rounded to the nearest whole number with a half going to the
  // even one, from 0 to the largest 32-bit number; nothing for any other entry.
  static std::optional<std::int32_t> LineOfEntry(std::u16string_view entry);

 protected:
  void Design() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  void txtGo_Change();
  void cmdGo_Click();
};

// The program's one go-to window, made on first use.
frmGoTo& GoToWindow();
