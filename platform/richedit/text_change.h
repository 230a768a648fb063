// A change of the rich edit control's text, made in one place or in several at once (Replace All
// changes every match as one change). Each place is where some characters gave way to others; a
// list of places runs left to right and its places do not overlap.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vb {

// At `position`, `removed` characters give way to `inserted` ones. Asking for a change, positions
// are counted in the text as it is; in a change made, in the text after it.
struct TextPlace {
  std::int32_t position = 0;
  std::int32_t removed = 0;
  std::int32_t inserted = 0;
};

// A change made: its places, left to right, and the texts they removed, one after another.
// `revision` counts the changes made to the control since it was made.
struct TextChange {
  std::vector<TextPlace> places;
  std::u16string removed;
  std::uint64_t revision = 0;
};

}  // namespace vb
