// Printing of the rich edit control's text: lays the text out a rectangle at a time on a printer's
// device, as EM_FORMATRANGE does, and draws the lines that fit.
#pragma once

#include <QTextDocument>
#include <cstdint>

#include "platform/richedit/messages.h"

namespace platform::richedit {

// Lays the document's text out from the control position fr.chrg.cpMin to fr.chrg.cpMax (-1: the
// end) into fr.rc on the device of fr.hdc, in `font`, line by line, drawing the lines that fit when
// `render`. Control positions count every line break as two characters; `total` is the text's
// length so counted. Returns the first control position that did not fit.
std::int32_t FormatRange(const QTextDocument& document, std::int32_t total, const QFont& font, bool render,
                         const win::FORMATRANGE& fr);

}  // namespace platform::richedit
