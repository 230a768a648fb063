// The shell's shut-down and restart questions: a message box of the layer, and on Yes the login
// manager's request (exit_windows.h). A request the login manager refuses or cannot take is told.
#include <string>

#include "platform/shell/exit_windows.h"
#include "platform/shell/shell_dialogs.h"
#include "platform/vb/msgbox.h"

namespace win {
namespace {

struct Exit {
  const char16_t* title;
  const char16_t* question;
  const char16_t* failure;
};

Exit ExitOf(DWORD flags) {
  if ((flags & EWX_REBOOT) != 0)
    return {u"Перезагрузка", u"Перезагрузить компьютер сейчас?", u"Не удалось перезагрузить компьютер"};
  if ((flags & (EWX_SHUTDOWN | EWX_POWEROFF)) != 0)
    return {u"Завершение работы", u"Выключить компьютер сейчас?", u"Не удалось выключить компьютер"};
  return {u"Завершение сеанса", u"Завершить сеанс сейчас?", u"Не удалось завершить сеанс"};
}

int AskThenExit(const std::u16string& prompt, DWORD flags) {
  const Exit exit = ExitOf(flags);
  const std::u16string question = prompt.empty() ? exit.question : prompt + u"\n\n" + exit.question;
  if (vb::MsgBox(question, vb::vbYesNo | vb::vbQuestion, exit.title) != vb::vbYes) return IDNO;
  if (!ExitWindowsEx(flags, 0))
    vb::MsgBox(std::u16string(exit.failure) + u": служба входа в систему отказала в этом или недоступна.",
               vb::vbExclamation, exit.title);
  return IDYES;
}

}  // namespace

int RestartDialog(HWND, const char16_t* prompt, DWORD flags) {
  return AskThenExit(prompt != nullptr ? prompt : u"", flags);
}

void ExitWindowsDialog(HWND) { AskThenExit(u"", EWX_SHUTDOWN); }

}  // namespace win
