// Printing the whole text of a rich edit control on the current printer, page by page, with the
// control's own page formatting and margins measured from the paper's edge.
#pragma once

#include <cstdint>

namespace vb {
class RichTextBox;
}

namespace modPrint {

// Margins in twips. Printer errors rise to the caller; so does a page that can take no character
// (margins that leave no room), after the document has been ended: error 482 with a description
// for the user.
void PrintRichText(vb::RichTextBox& control, std::int32_t leftMargin, std::int32_t topMargin, std::int32_t rightMargin,
                   std::int32_t bottomMargin);

}  // namespace modPrint
