// Our reader of RTF documents: it takes the plain text out of a document and drops everything else
// (fonts, colours, styles, pictures, document facts, fields' instructions).
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace platform::rtf {

// A document the reader cannot read: not RTF, unbalanced groups, too deep, too large, malformed
// control words.
class ReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Limits that keep a hostile document from exhausting the stack or memory.
constexpr std::size_t kMaxDocumentBytes = 256u * 1024 * 1024;
constexpr int kMaxGroupDepth = 256;

// True when the bytes begin as an RTF document does ("{\rtf").
bool LooksLikeRtf(std::string_view bytes);

// The document's text. Paragraph and line breaks and the ends of table cells become CR LF, tabs
// TAB; bytes written as \'hh or as raw 8-bit characters are read in the code page the document
// (\ansicpg) or the current font's character set gives: 1251, 1252 and 866 are read as such, other
// code pages as 1251. Throws ReadError for a document it cannot read.
std::u16string ReadText(std::string_view rtf);

}  // namespace platform::rtf
