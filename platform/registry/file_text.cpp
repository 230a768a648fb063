#include "platform/registry/file_text.h"

#include <cstdio>
#include <cstring>

#include "platform/registry/quoted_text.h"
#include "platform/vb/strings.h"

namespace platform::registry {

using win::DWORD;

// UTF-8, one line each:
//   ; a comment
//   [HKEY_CURRENT_USER\Software\Key]     a key (every key but HKEY_CURRENT_USER itself gets one)
//   "Name"="text"                        a REG_SZ value of the key above
//   "Name"=dword:0000000a                a REG_DWORD value, in hexadecimal
// Names and texts are quoted as platform/registry/quoted_text.h says. Key names hold no control
// character and stand unquoted. Reading also accepts a byte order mark, CR LF line ends, blanks
// around a line and around "=", and "dword:" in any case; anything else makes the file damaged.

namespace {

constexpr char kRootName[] = "HKEY_CURRENT_USER";

constexpr char kHeader[] =
    "; Settings of Quillmark for this user. Each [key] line is followed by the key's values:\n"
    ";   \"Name\"=\"text\"  or  \"Name\"=dword:0000000a (a 32-bit number in hexadecimal).\n"
    "; Names compare without regard to case. In quotes, \\\\ stands for \\, \\\" for a quote,\n"
    "; \\n for a line feed, \\r for a carriage return, and \\uXXXX (hexadecimal) for any other\n"
    "; control character or a lone surrogate half.\n"
    "\n";

// Copies a quoted form into the new text and gives its place there.
Place Copy(const Texts& texts, Place from, std::string& out) {
  const Place to{out.size(), from.bytes, false};
  out += texts.At(from);
  return to;
}

void AppendKey(Key& key, const std::string& path, bool isRoot, const Texts& texts, std::string& out) {
  if (!isRoot || !key.values.empty()) {
    out += '[';
    out += path;
    out += "]\n";
    for (Entry& entry : key.values) {
      entry.MoveName(Copy(texts, entry.name(), out));
      out += '=';
      if (entry.isNumber()) {
        char number[16];
        std::snprintf(number, sizeof number, "dword:%08x", static_cast<unsigned>(entry.number()));
        out += number;
      } else {
        entry.SetText(Copy(texts, entry.text(), out), entry.units());
      }
      out += '\n';
    }
    out += '\n';
  }
  for (Key& sub : key.subkeys) AppendKey(sub, path + '\\' + vb::ToUtf8(sub.name), false, texts, out);
}

}  // namespace

void Serialize(Key& root, Texts* texts) {
  std::string out;
  out.reserve(sizeof kHeader + texts->file.size() + texts->side.size());
  out += kHeader;
  AppendKey(root, kRootName, true, *texts, out);
  texts->file = std::move(out);
  texts->side.clear();
  texts->side.shrink_to_fit();
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

void SkipBlanks(std::string_view line, std::size_t& i) {
  while (i < line.size() && IsBlank(line[i])) ++i;
}

bool ReadDword(std::string_view s, DWORD* number) {
  if (s.size() < 7 || s.size() > 14) return false;
  for (std::size_t k = 0; k < 6; ++k) {
    if (static_cast<char>(s[k] | 0x20) != "dword:"[k]) return false;
  }
  *number = 0;
  for (char c : s.substr(6)) {
    const char lower = static_cast<char>(c | 0x20);
    int d = -1;
    if (c >= '0' && c <= '9') d = c - '0';
    if (lower >= 'a' && lower <= 'f') d = lower - 'a' + 10;
    if (d < 0) return false;
    *number = *number * 16 + static_cast<DWORD>(d);
  }
  return true;
}

// The place of a quoted form found at `at` of the file's bytes: there when it is in the store's own
// form, else in that form in the side text.
Place PlaceOf(Texts& texts, std::size_t at, const QuotedScan& scan) {
  if (scan.canonical) return {at, static_cast<std::uint32_t>(scan.bytes), false};
  return texts.AddSide(Unquoted(std::string_view(texts.file).substr(at, scan.bytes)));
}

// A key line makes its key the current one (none when the line is bad: the values under it
// belong to no key that can be named).
bool ParseKeyLine(std::string_view line, Key* root, Key*& current, std::vector<std::u16string>& names) {
  current = nullptr;
  if (line.size() < 2 || line.back() != ']' || !ValidUtf8(line)) return false;
  const std::u16string inner = vb::FromUtf8(line.substr(1, line.size() - 2));
  const std::size_t sep = inner.find(u'\\');
  if (!SameName(std::u16string_view(inner).substr(0, sep), u"HKEY_CURRENT_USER")) return false;
  if (sep == std::u16string::npos) {
    names.clear();
  } else if (sep + 1 == inner.size() || !SplitPath(std::u16string_view(inner).substr(sep + 1), &names)) {
    return false;
  }
  current = MakeKey(*root, names, nullptr);
  return true;
}

// A value line of the current key, starting at `at` of the file's bytes.
bool ParseValueLine(Texts& texts, std::size_t at, std::string_view line, Key* current) {
  QuotedScan name;
  if (current == nullptr || !ScanQuoted(line, true, &name)) return false;
  std::size_t i = name.bytes;
  SkipBlanks(line, i);
  if (i >= line.size() || line[i] != '=') return false;
  ++i;
  SkipBlanks(line, i);
  Entry entry(PlaceOf(texts, at, name), name.hash);
  if (i < line.size() && line[i] == '"') {
    QuotedScan text;
    if (!ScanQuoted(line.substr(i), false, &text) || i + text.bytes != line.size()) return false;
    entry.SetText(PlaceOf(texts, at + i, text), text.units);
  } else {
    DWORD number = 0;
    if (!ReadDword(line.substr(i), &number)) return false;
    entry.SetNumber(number);
  }
  PutRead(*current, entry, texts);
  return true;
}

// Reads the line at `at` of the file's bytes into the tree; false when it is no settings line.
bool ParseLine(Texts& texts, std::size_t at, std::string_view line, Key* root, Key*& current,
               std::vector<std::u16string>& names) {
  while (!line.empty() && (IsBlank(line.front()) || line.front() == '\r')) {
    line.remove_prefix(1);
    ++at;
  }
  while (!line.empty() && (IsBlank(line.back()) || line.back() == '\r')) line.remove_suffix(1);
  if (line.empty() || line.front() == ';') return ValidUtf8(line);
  if (line.front() == '[') return ParseKeyLine(line, root, current, names);
  return ParseValueLine(texts, at, line, current);
}

}  // namespace

bool Parse(Texts* texts, Key* root) {
  const std::string_view bytes = texts->file;
  std::size_t pos = bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
  Key* current = nullptr;
  std::vector<std::u16string> names;
  bool whole = true;
  while (pos < bytes.size()) {
    const void* newline = std::memchr(bytes.data() + pos, '\n', bytes.size() - pos);
    const std::size_t end = newline != nullptr ? static_cast<const char*>(newline) - bytes.data() : bytes.size();
    if (!ParseLine(*texts, pos, bytes.substr(pos, end - pos), root, current, names)) whole = false;
    pos = end + 1;
  }
  return whole;
}

}  // namespace platform::registry
