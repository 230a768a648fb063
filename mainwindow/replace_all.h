// Replacing every match of a search text in an editor at once. The matches are those the editor's
// own Find gives one after the other from the start of the text, each search going on after the
// previous match, so every match of the text as it stood before is replaced exactly once and a
// replacement is never searched again (replacing "a" by "aa" ends).
//
// The matches are replaced where they are, as one change of the editor in as many places: the
// editor raises one change, so the edit history keeps the whole run as one step (one undo brings the
// text back), and the run costs one pass over the text however far apart the matches lie.
#pragma once

#include <cstdint>
#include <string_view>

namespace vb {
class RichTextBox;
}

namespace mainwindow {

// Replaces every match of `what` (Find's options: 2 whole word, 4 match case) by `with` and returns
// the number of replacements. The caret ends right after the last replacement; with no match (or
// an empty `what`) nothing changes and the result is 0.
std::int64_t ReplaceAll(vb::RichTextBox& editor, std::u16string_view what, std::u16string_view with, int options);

}  // namespace mainwindow
