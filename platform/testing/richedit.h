// Floors for benchmarks of the rich edit control: what the toolkit's own editor takes for the same
// work, with none of the control's bookkeeping.
#pragma once

#include <string>

namespace platform::testing {

// Gives a bare toolkit editor (plain text, no undo, never shown) the text, lines separated by LF,
// as one call. The text is made the toolkit's string before the call, and is not timed by it.
// Returns the milliseconds the call took.
double BareSetPlainTextMilliseconds(const std::u16string& lfText);

}  // namespace platform::testing
