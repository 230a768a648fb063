// Names and texts as the settings file holds them: in double quotes, in UTF-8, where \\ stands for
// "\", \" for a quote, \n for a line feed, \r for a carriage return and \uXXXX (four hexadecimal
// digits) for one UTF-16 unit. The store writes every other control character and every lone
// surrogate half as \uXXXX with capital digits, so any text, NUL and line breaks included, reads
// back exactly and no text breaks a line. Reading also accepts control characters written as they
// are and any unit written as \uXXXX: such a form is not the store's own, and is written again in
// the store's form.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform::registry {

// What a scan of a quoted form found.
struct QuotedScan {
  std::size_t bytes = 0;    // the quoted form's length, both quotes included
  std::uint32_t units = 0;  // the length of its text in UTF-16 units
  std::uint32_t hash = 0;   // NameHash of its text, when asked for
  bool canonical = true;    // written exactly as the store writes that text
};

// Scans the quoted form at the start of `s` (which may go on past it, to the end of the file), in
// one pass over its bytes, a word at a time. False when there is none there: no quotes around it
// on one line, an escape that is none of the above, bytes that are no UTF-8, or a text of 2^31
// units or more (the platform's sizes are 32-bit byte counts).
bool ScanQuoted(std::string_view s, bool hashed, QuotedScan* scan);

// Scans a quoted name, "=" and a quoted text at the start of `s`, as the store writes a value, when
// both hold plain characters alone (printable ASCII but the quote and the backslash), read in one
// go: a line of them too long for ScanPlainLines. False for anything else, and for forms that end
// near the end of `s` (ScanQuoted reads them then).
bool ScanPlainNameAndText(std::string_view s, QuotedScan* name, QuotedScan* text);

// A value line as the store writes it, of plain characters alone: "name"="text" and a line feed
// (a person's CR LF or blanks make it another line).
struct PlainLine {
  std::uint32_t nameBytes;  // the quoted name's length, both quotes included
  std::uint32_t textBytes;  // the quoted text's, which starts after the name and "="
  std::uint32_t hash;       // NameHash of the name
};

// Scans such lines at the start of `s`, at most `room` of them, into `lines`, as long as each ends
// within 32 bytes and 32 bytes of `s` are left at its start: the common case, each line found from
// one look at its bytes (SSE2). Gives how many; the next line, if any, is to be read otherwise
// (always, without SSE2).
std::size_t ScanPlainLines(std::string_view s, PlainLine* lines, std::size_t room);

// Whether the bytes are well-formed UTF-8: no overlong form, no surrogate, nothing above U+10FFFF.
bool ValidUtf8(std::string_view s);

// Appends the store's own quoted form of `text`.
void AppendQuoted(std::string& out, std::u16string_view text);

// The text of a quoted form that ScanQuoted accepted, written to `out`, which has room for all its
// units; or returned.
void Unquote(std::string_view quoted, char16_t* out);
std::u16string Unquoted(std::string_view quoted);

// A hash of the name with its letters folded to capitals: names compare without regard to case.
std::uint32_t NameHash(std::u16string_view name);

// Whether a quoted name (one ScanQuoted accepted) is `name`, or the other quoted name, without
// regard to case.
bool SameName(std::string_view quoted, std::u16string_view name);
bool SameName(std::string_view quoted, std::string_view other);

}  // namespace platform::registry
