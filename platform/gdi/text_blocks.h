// Inside the drawing layer only: text laid out once and kept. Shaping a text (finding its glyphs and
// their places) costs far more than stamping its pixels, and menus and toolbars draw the same few
// captions again at every change of a button's state; so the upright block DrawTextW stamps, and the
// widths it and GetTextExtentPoint32W measure, are kept for the texts drawn lately, by font and
// text. The pixels are those a fresh layout gives: a kept block is the same picture.
#pragma once

#include "platform/layer_only.h"

#include <QFont>
#include <QPoint>
#include <QString>
#include <vector>

#include "platform/gdi/types.h"

namespace platform::gdi {

// A text as DrawTextW lays it out: its lines (a "&" before a letter taken out and the letter marked
// for underlining unless DT_NOPREFIX; line breaks ignored with DT_SINGLELINE), the widest line's
// width, and the pixels the text covers in the upright block of all lines, each line aligned in the
// block by DT_CENTER or DT_RIGHT (drawn without anti-aliasing, a pixel at least half covered).
struct TextBlock {
  int width = 0;       // the widest line
  int height = 0;      // the lines' height together
  int lineHeight = 0;
  int ascent = 0;
  bool drawn = false;  // ink holds the pixels
  std::vector<QPoint> ink;
};

// The layout of `text` in `font` under the DrawTextW flags `format` (only DT_NOPREFIX,
// DT_SINGLELINE, DT_CENTER and DT_RIGHT count). With `withInk`, its pixels are found when they are
// not yet. The reference holds until the next call.
const TextBlock& LaidOutText(const QFont& font, std::u16string_view text, win::UINT format, bool withInk);

// The advance width of `text` in `font`, every character as it stands.
int TextAdvance(const QFont& font, std::u16string_view text);

}  // namespace platform::gdi
