// Inside the layer only: printing of the rich edit control's text. Lays the text out a rectangle at
// a time on a printer's device, as EM_FORMATRANGE does, and draws the lines that fit.
#pragma once

#include "platform/layer_only.h"

#include <QFont>
#include <cstdint>

#include "platform/richedit/editor_text.h"
#include "platform/richedit/messages.h"

namespace platform::richedit {

// Lays the text out from the control position fr.chrg.cpMin to fr.chrg.cpMax (-1: the end) into
// fr.rc on the device of fr.hdc, in `font`, line by line, drawing the lines that fit when
// `render`. Each paragraph keeps its indent. Returns the first position that did not fit.
std::int32_t FormatRange(const EditorText& text, const QFont& font, bool render, const win::FORMATRANGE& fr);

}  // namespace platform::richedit
