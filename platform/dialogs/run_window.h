// Inside the layer only: the Run window, "Запуск программы": an icon and a prompt, a box for the
// command with the commands run before in its list, OK, Cancel and a browse button. It is modal
// and opens centred over its owner (on the screen when it has none). It starts nothing itself: OK
// hands the command to the caller, and the window stays up while the caller answers that the
// command did not start, so the user can mend it.
#pragma once

#include "platform/layer_only.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/types.h"

namespace platform::dialogs {

struct RunWindowSetup {
  win::HWND owner = 0;
  win::HICON icon = 0;                  // shown beside the prompt and in the title bar; 0: none
  std::u16string title;                 // empty: "Запуск программы"
  std::u16string prompt;                // empty: the window's own instruction
  std::vector<std::u16string> history;  // commands run before, the latest first
  bool startWithLast = true;            // the box starts holding the latest command
  bool browseButton = true;
  bool label = true;                    // the label "Открыть:" before the box
};

// The instruction the window shows when the caller gives none.
inline constexpr char16_t kRunDefaultPrompt[] =
    u"Введите имя программы и её параметры, и она будет запущена.";
inline constexpr char16_t kRunDefaultTitle[] = u"Запуск программы";

// Shows the window until the user cancels it or `start` accepts a command. Returns the command
// accepted, or nothing when cancelled.
std::optional<std::u16string> ShowRunWindow(const RunWindowSetup& setup,
                                            const std::function<bool(const std::u16string&)>& start);

}  // namespace platform::dialogs
