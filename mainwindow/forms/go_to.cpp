#include "mainwindow/forms/go_to.h"

#include <charconv>
#include <string>

#include "core/main_window.h"
#include "mainwindow/forms/main.h"
#include "mainwindow/window_chrome.h"
#include "mainwindow/window_placement.h"
#include "platform/richedit/messages.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/strings.h"
#include "platform/win/messages.h"

frmGoTo::frmGoTo() {
  txtGo.Change = [this] { txtGo_Change(); };
  cmdGo.Click = [this] { cmdGo_Click(); };
  chrome::AddButtonSounds(cmdGo);
}

void frmGoTo::Design() {
  Caption(u"Перейти...");
  BorderStyle(vb::vbFixedDouble);
  Move(0, 0, 4395, 2160);
  Label1.Move(120, 120, 4035, 615);
  Label1.WordWrap(true);
  Label1.Caption(u"Введите в поле ниже номер строки, на которую следует перейти и нажмите 'Перейти'.");
  Label2.Move(120, 870, 375, 255);
  Label2.Caption(u"№:");
  txtGo.Move(540, 825, 3615, 315);
  picLine.Move(0, 1260, 4400, 30);
  picLine.BorderStyle(1);
  cmdGo.Move(2880, 1350, 1275, 375);
  cmdGo.Caption(u"&Перейти");
  cmdGo.Default(true);
}

void frmGoTo::Form_Load() {
  mainwindow::CentreOverMainWindow(*this);
  chrome::ApplyTopMost(hWnd());
  chrome::PlaySoundEvent(chrome::kFormLoad);
}

void frmGoTo::Form_Unload(int&) { chrome::PlaySoundEvent(chrome::kFormUnload); }

void frmGoTo::txtGo_Change() { cmdGo.Enabled(!txtGo.Text().empty()); }

namespace {

// The entry as a number: decimal digits with at most one decimal separator ("." or ","), blanks
// around allowed; nothing for any other text.
std::optional<double> NumberOfEntry(std::u16string_view entry) {
  const std::size_t first = entry.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return std::nullopt;
  entry = entry.substr(first, entry.find_last_not_of(u' ') - first + 1);
  std::string number;
  bool separator = false, digits = false;
  for (char16_t c : entry) {
    if (c >= u'0' && c <= u'9') {
      number += static_cast<char>(c);
      digits = true;
    } else if ((c == u'.' || c == u',') && !separator) {
      number += '.';
      separator = true;
    } else {
      return std::nullopt;
    }
  }
  if (!digits) return std::nullopt;
  double value = 0;
  std::from_chars(number.data(), number.data() + number.size(), value);
  return value;
}

}  // namespace

std::optional<std::int32_t> frmGoTo::LineOfEntry(std::u16string_view entry) {
  const std::optional<double> number = NumberOfEntry(entry);
  // Beyond this the line number, rounded, is past the largest 32-bit number.
  constexpr double kPastTheLast = 2147483647.5;
  if (!number || *number - 1 >= kPastTheLast) return std::nullopt;
  const std::int32_t line = vb::CLng(*number - 1);
  if (line < 0) return std::nullopt;
  return line;
}

void frmGoTo::cmdGo_Click() {
  const std::u16string entry = txtGo.Text();
  if (entry.empty()) {
    vb::MsgBox(u"Введите номер строки!", vb::vbInformation, core::kProgramTitle);
    return;
  }
  vb::RichTextBox& editor = *MainWindow().RichTextBox;
  const std::optional<std::int32_t> line = LineOfEntry(entry);
  const win::LRESULT index =
      line ? win::SendMessageA(editor.hWnd(), win::EM_LINEINDEX, static_cast<win::WPARAM>(*line), 0) : -1;
  if (index == -1) {
    vb::MsgBox(u"Неверный номер строки!\nСтрока №" + entry + u" не существует.", vb::vbExclamation,
               core::kProgramTitle);
    return;
  }
  editor.SelStart(static_cast<std::int32_t>(index));
  editor.SetFocus();
  Unload();
}

frmGoTo& GoToWindow() {
  static frmGoTo* window = new frmGoTo;
  return *window;
}
