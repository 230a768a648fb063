// The shell's Run dialog over the layer's Run window and program starter.
#include <QFileInfo>

#include "platform/dialogs/run_window.h"
#include "platform/script/script.h"
#include "platform/shell/run_history.h"
#include "platform/shell/shell.h"
#include "platform/shell/shell_dialogs.h"
#include "platform/vb/msgbox.h"

namespace win {
namespace {

// The folder the program starts in. RFF_CALCDIRECTORY: the program's own folder when the command
// names it with a path; otherwise (and without the flag) the folder given, else the current one.
std::u16string WorkingFolder(const std::vector<std::u16string>& words, const char16_t* directory, UINT flags) {
  if ((flags & RFF_CALCDIRECTORY) != 0 && words.front().find(u'/') != std::u16string::npos)
    return QFileInfo(QString::fromStdU16String(words.front())).absolutePath().toStdU16String();
  return directory != nullptr ? std::u16string(directory) : std::u16string();
}

// Starts the command (see platform::shell::SplitCommand for how it is cut into the program and its
// arguments: no shell reads it). A command that does not start is told, and the user may mend it.
bool Start(const std::u16string& command, const std::u16string& title, const char16_t* directory, UINT flags) {
  const std::vector<std::u16string> words = platform::shell::SplitCommand(command);
  if (!words.empty() && platform::shell::StartProgram(words, WorkingFolder(words, directory, flags)) != 0) {
    platform::shell::RememberRun(command);
    return true;
  }
  const std::u16string name = words.empty() ? command : words.front();
  vb::MsgBox(u"Не удаётся найти или запустить «" + name + u"». Проверьте, правильно ли указано имя, и повторите попытку.",
             vb::vbExclamation, title);
  return false;
}

}  // namespace

// The Run flags: RFF_NOBROWSE takes the browse button away; RFF_NODEFAULT leaves the box empty
// instead of holding the last command (the earlier ones stay in its list); RFF_NOLABEL takes the
// label "Открыть:" away; RFF_CALCDIRECTORY starts the program in its own folder (WorkingFolder).
// RFF_NOSEPARATEMEM has no meaning here: every program runs in a process of its own.
void RunFileDlg(HWND owner, HICON icon, const char16_t* directory, const char16_t* title, const char16_t* description,
                UINT flags) {
  platform::dialogs::RunWindowSetup setup;
  setup.owner = owner;
  setup.icon = icon;
  setup.title = title != nullptr && *title != 0 ? title : platform::dialogs::kRunDefaultTitle;
  setup.prompt = description != nullptr ? description : u"";
  setup.history = platform::shell::RunHistory();
  setup.startWithLast = (flags & RFF_NODEFAULT) == 0;
  setup.browseButton = (flags & RFF_NOBROWSE) == 0;
  setup.label = (flags & RFF_NOLABEL) == 0;
  auto start = [&](const std::u16string& command) { return Start(command, setup.title, directory, flags); };
  if (!platform::script::Active()) {
    platform::dialogs::ShowRunWindow(setup, start);
    return;
  }
  platform::script::Shown shown;
  shown.kind = platform::script::Kind::Run;
  shown.title = setup.title;
  shown.prompt = setup.prompt.empty() ? platform::dialogs::kRunDefaultPrompt : setup.prompt;
  shown.flags = static_cast<int>(flags);
  shown.text = setup.startWithLast && !setup.history.empty() ? setup.history.front() : u"";
  // Each scripted answer is one press of OK (with the command typed) or Cancel.
  while (auto answer = platform::script::Take(shown)) {
    if (answer->result == 0 || start(answer->text)) return;
  }
}

}  // namespace win
