#include "platform/registry/file_text.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/vb/strings.h"

namespace platform::registry {

using win::DWORD;

// UTF-8, one line each:
//   ; a comment
//   [HKEY_CURRENT_USER\Software\Key]     a key (every key but HKEY_CURRENT_USER itself gets one)
//   "Name"="text"                        a REG_SZ value of the key above
//   "Name"=dword:0000000a                a REG_DWORD value, in hexadecimal
// Inside quotes, \\ is "\", \" is a quote, \n a line feed, \r a carriage return, and \uXXXX (four
// hexadecimal digits) one UTF-16 unit: every other control character and a lone surrogate half are
// written that way, so any text, NUL and line breaks included, reads back exactly. Key names hold no
// control character and stand unquoted. Reading also accepts a byte order mark, CR LF line ends,
// blanks around a line and around "=", and "dword:" in any case; anything else makes the file damaged.

namespace {

constexpr char16_t kRootName[] = u"HKEY_CURRENT_USER";

constexpr char kHeader[] =
    "; Settings of Quillmark for this user. Each [key] line is followed by the key's values:\n"
    ";   \"Name\"=\"text\"  or  \"Name\"=dword:0000000a (a 32-bit number in hexadecimal).\n"
    "; Names compare without regard to case. In quotes, \\\\ stands for \\, \\\" for a quote,\n"
    "; \\n for a line feed, \\r for a carriage return, and \\uXXXX (hexadecimal) for any other\n"
    "; control character or a lone surrogate half.\n"
    "\n";

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c < 0xDC00; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c < 0xE000; }

void AppendAscii(std::u16string& out, const char* s) {
  while (*s != 0) out += static_cast<char16_t>(*s++);
}

void AppendQuoted(std::u16string& out, std::u16string_view s) {
  out += u'"';
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c == u'\\' || c == u'"') {
      out += u'\\';
      out += c;
    } else if (c == u'\n') {
      out += u"\\n";
    } else if (c == u'\r') {
      out += u"\\r";
    } else if (IsHighSurrogate(c) && i + 1 < s.size() && IsLowSurrogate(s[i + 1])) {
      out += c;
      out += s[++i];
    } else if (c < 0x20 || c == 0x7F || IsHighSurrogate(c) || IsLowSurrogate(c)) {
      char code[8];
      std::snprintf(code, sizeof code, "\\u%04X", static_cast<unsigned>(c));
      AppendAscii(out, code);
    } else {
      out += c;
    }
  }
  out += u'"';
}

void AppendKey(std::u16string& out, const Key& key, const std::u16string& path, bool isRoot) {
  if (!isRoot || !key.values.empty()) {
    out += u'[' + path + u"]\n";
    for (const auto& entry : key.values) {
      AppendQuoted(out, entry.name);
      out += u'=';
      if (entry.value.type == win::REG_DWORD) {
        char number[16];
        std::snprintf(number, sizeof number, "dword:%08x", static_cast<unsigned>(entry.value.number));
        AppendAscii(out, number);
      } else {
        AppendQuoted(out, entry.value.text);
      }
      out += u'\n';
    }
    out += u'\n';
  }
  for (const auto& sub : key.subkeys) AppendKey(out, sub, path + u'\\' + sub.name, false);
}

}  // namespace

std::string Serialize(const Key& root) {
  std::u16string text;
  AppendKey(text, root, kRootName, true);
  return kHeader + vb::ToUtf8(text);
}

namespace {

// Well-formed UTF-8 only: no overlong forms, no surrogates, nothing above U+10FFFF.
bool ValidUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      ++i;
      continue;
    }
    std::size_t more = 0;
    std::uint32_t c = 0;
    if (b >= 0xC2 && b <= 0xDF) {
      more = 1;
      c = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
      more = 2;
      c = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      more = 3;
      c = b & 0x07;
    } else {
      return false;
    }
    if (s.size() - i <= more) return false;
    for (std::size_t k = 1; k <= more; ++k) {
      const auto cb = static_cast<unsigned char>(s[i + k]);
      if ((cb & 0xC0) != 0x80) return false;
      c = (c << 6) | (cb & 0x3F);
    }
    if (more == 2 && (c < 0x800 || (c >= 0xD800 && c < 0xE000))) return false;
    if (more == 3 && (c < 0x10000 || c > 0x10FFFF)) return false;
    i += more + 1;
  }
  return true;
}

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

void SkipBlanks(std::u16string_view line, std::size_t& i) {
  while (i < line.size() && IsBlank(line[i])) ++i;
}

// A quoted name or text starting at line[i]; i ends after the closing quote.
bool ReadQuoted(std::u16string_view line, std::size_t& i, std::u16string* out) {
  if (i >= line.size() || line[i] != u'"') return false;
  for (++i; i < line.size();) {
    const char16_t c = line[i++];
    if (c == u'"') return true;
    if (c != u'\\') {
      *out += c;
      continue;
    }
    if (i >= line.size()) return false;
    const char16_t e = line[i++];
    if (e == u'\\' || e == u'"') {
      *out += e;
    } else if (e == u'n') {
      *out += u'\n';
    } else if (e == u'r') {
      *out += u'\r';
    } else if (e == u'u' && i + 4 <= line.size()) {
      unsigned unit = 0;
      for (std::size_t k = 0; k < 4; ++k) {
        const int d = HexDigit(line[i + k]);
        if (d < 0) return false;
        unit = unit * 16 + static_cast<unsigned>(d);
      }
      i += 4;
      *out += static_cast<char16_t>(unit);
    } else {
      return false;
    }
  }
  return false;
}

bool ReadDword(std::u16string_view s, DWORD* number) {
  if (s.size() < 7 || s.size() > 14 || vb::LCase(s.substr(0, 6)) != u"dword:") return false;
  *number = 0;
  for (char16_t c : s.substr(6)) {
    const int d = HexDigit(c);
    if (d < 0) return false;
    *number = *number * 16 + static_cast<DWORD>(d);
  }
  return true;
}

}  // namespace

namespace {

// Reads one line into the tree; false when it is no settings line. A key line makes its key the
// current one (none when the line is bad: the values under it belong to no key that can be named).
bool ParseLine(std::u16string_view line, Key* root, Key*& current, std::vector<std::u16string>& names) {
  while (!line.empty() && (IsBlank(line.front()) || line.front() == u'\r')) line.remove_prefix(1);
  while (!line.empty() && (IsBlank(line.back()) || line.back() == u'\r')) line.remove_suffix(1);
  if (line.empty() || line.front() == u';') return true;

  if (line.front() == u'[') {
    current = nullptr;
    if (line.size() < 2 || line.back() != u']') return false;
    const std::u16string_view inner = line.substr(1, line.size() - 2);
    const std::size_t sep = inner.find(u'\\');
    if (!SameName(inner.substr(0, sep), kRootName)) return false;
    if (sep != std::u16string_view::npos && (sep + 1 == inner.size() || !SplitPath(inner.substr(sep + 1), &names)))
      return false;
    if (sep == std::u16string_view::npos) names.clear();
    current = MakeKey(*root, names, nullptr);
    return true;
  }

  if (current == nullptr) return false;
  std::size_t i = 0;
  std::u16string name;
  if (!ReadQuoted(line, i, &name)) return false;
  SkipBlanks(line, i);
  if (i >= line.size() || line[i] != u'=') return false;
  ++i;
  SkipBlanks(line, i);
  Value value;
  if (i < line.size() && line[i] == u'"') {
    value.type = win::REG_SZ;
    if (!ReadQuoted(line, i, &value.text) || i != line.size()) return false;
  } else {
    value.type = win::REG_DWORD;
    if (!ReadDword(line.substr(i), &value.number)) return false;
  }
  Put(*current, name, value);
  return true;
}

}  // namespace

bool Parse(std::string_view bytes, Key* root) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  Key* current = nullptr;
  std::vector<std::u16string> names;
  bool whole = true;
  for (std::size_t pos = 0; pos < bytes.size();) {
    std::size_t end = bytes.find('\n', pos);
    if (end == std::string_view::npos) end = bytes.size();
    const std::string_view line = bytes.substr(pos, end - pos);
    pos = end + 1;
    if (!ValidUtf8(line) || !ParseLine(vb::FromUtf8(line), root, current, names)) whole = false;
  }
  return whole;
}

}  // namespace platform::registry
