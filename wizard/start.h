// The Wizard program's start-up routine: it starts the common controls, tells the user that the
// wizard is still being completed, reports an error if one was raised on the way, and returns; the
// program then ends. It reads and writes nothing and opens no window of its own.
#pragma once

#include <cstdint>
#include <string>

namespace wizard::modMain {

// The title of every box the wizard shows.
inline constexpr char16_t kProgramTitle[] = u"Brannoch Quillmark 3.0";
inline constexpr char16_t kNotice[] = u"Мастер находится в стадии доработки ...";

// The program's entry: the notice, and the error box when an error stopped it.
void Main();

// The error check Main ends with: a critical box with the number and description for an error
// number above 0, nothing for 0, below 0 or 364 (a window unloaded while it loaded).
void ReportError(std::int32_t number, const std::u16string& description);

}  // namespace wizard::modMain
