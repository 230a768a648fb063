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

// The file's bytes of lines to be copied as they stand, in a row: a text value's line that the file
// holds as the store writes it ("name"="text" and a line feed) is copied with those in a row after
// it at once.
class LineRun {
 public:
  LineRun(const std::string& file, std::string& out) : file_(file), out_(out) {}

  // Takes the entry's line into the run, and moves its places to where the run puts them; false
  // when the file does not hold it so.
  bool Take(Entry& entry) {
    const Place name = entry.name();
    const Place text = entry.text();
    const std::uint64_t end = text.at + text.bytes;  // the line feed's place
    if (entry.isNumber() || name.side || text.at != name.at + name.bytes + 1 || end >= file_.size() ||
        file_[end] != '\n') {
      return false;
    }
    if (name.at != to_) {
      Flush();
      from_ = name.at;
    }
    to_ = end + 1;
    const std::uint64_t at = out_.size() + (name.at - from_);
    entry.MoveName({at, name.bytes, false});
    entry.SetText({at + name.bytes + 1, text.bytes, false}, entry.units());
    return true;
  }
  // Copies the run; a new one starts.
  void Flush() {
    out_.append(file_, from_, to_ - from_);
    from_ = to_ = 0;
  }

 private:
  const std::string& file_;
  std::string& out_;
  std::uint64_t from_ = 0;  // the run's bytes in the file
  std::uint64_t to_ = 0;
};

void AppendValue(Entry& entry, const Texts& texts, std::string& out) {
  const Place text = entry.text();
  entry.MoveName(Copy(texts, entry.name(), out));
  out += '=';
  if (entry.isNumber()) {
    char number[16];
    std::snprintf(number, sizeof number, "dword:%08x", static_cast<unsigned>(entry.number()));
    out += number;
  } else {
    entry.SetText(Copy(texts, text, out), entry.units());
  }
  out += '\n';
}

void AppendKey(Key& key, const std::string& path, bool isRoot, Texts& texts, std::string& out) {
  IndexRead(key, texts);  // so a name read twice is written once
  if (!isRoot || !key.values.empty()) {
    out += '[';
    out += path;
    out += "]\n";
    LineRun run(texts.file, out);
    for (Entry& entry : key.values) {
      if (run.Take(entry)) continue;
      run.Flush();
      AppendValue(entry, texts, out);
    }
    run.Flush();
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

// The places of a value's quoted name and quoted text found at `name` and `text` of the file's
// bytes: there when both are in the store's own form, else both in that form in the side text.
void PlaceValue(Texts& texts, std::size_t name, const QuotedScan& nameScan, std::size_t text,
                const QuotedScan& textScan, Entry* entry) {
  const auto quoted = [&](std::size_t at, const QuotedScan& scan) {
    return std::string_view(texts.file).substr(at, scan.bytes);
  };
  if (nameScan.canonical && textScan.canonical) {
    entry->SetText({text, static_cast<std::uint32_t>(textScan.bytes), false}, textScan.units);
    return;
  }
  entry->MoveName(nameScan.canonical ? texts.CopyToSide(quoted(name, nameScan))
                                     : texts.AddSide(Unquoted(quoted(name, nameScan))));
  entry->SetText(textScan.canonical ? texts.CopyToSide(quoted(text, textScan))
                                    : texts.AddSide(Unquoted(quoted(text, textScan))),
                 textScan.units);
}

// Reads the file's lines into the tree, one by one.
class Reader {
 public:
  Reader(Texts& texts, Key* root) : texts_(texts), bytes_(texts.file), root_(root) {}

  // Reads the line at `at` of the file's bytes, and gives where the next starts; false when it is
  // no settings line. A value line is read to its end in one pass; other lines are found first.
  bool Line(std::size_t at, std::size_t* next) {
    if (PlainValueLine(at, next)) return true;
    at = SkipBlanksAndReturns(at);
    if (at < bytes_.size() && bytes_[at] == '"' && ValueLine(at, next)) return true;
    const void* newline = std::memchr(bytes_.data() + at, '\n', bytes_.size() - at);
    const std::size_t end = newline != nullptr ? static_cast<const char*>(newline) - bytes_.data() : bytes_.size();
    *next = end + 1;
    std::string_view line = bytes_.substr(at, end - at);
    while (!line.empty() && (IsBlank(line.back()) || line.back() == '\r')) line.remove_suffix(1);
    if (line.empty() || line.front() == ';') return ValidUtf8(line);
    if (line.front() == '[') return KeyLine(line);
    if (line.front() == '"') return NumberLine(at, line);
    return false;
  }

  // Text value lines at `at` of the file's bytes as ScanPlainLines reads them, as many as there
  // are in a row; gives where the next line starts. False when there is none.
  bool PlainLines(std::size_t at, std::size_t* next) {
    if (current_ == nullptr) return false;
    PlainLine lines[64];
    const std::size_t count = ScanPlainLines(bytes_.substr(at), lines, std::size(lines));
    for (std::size_t i = 0; i < count; ++i) {
      const PlainLine& line = lines[i];
      current_->values.AddRead({at, line.nameBytes, false}, line.hash)
          .SetText({at + line.nameBytes + 1, line.textBytes, false}, line.textBytes - 2);
      at += line.nameBytes + line.textBytes + 2;
    }
    *next = at;
    return count != 0;
  }

 private:
  std::size_t SkipBlanksAndReturns(std::size_t at) const {
    while (at < bytes_.size() && (IsBlank(bytes_[at]) || bytes_[at] == '\r')) ++at;
    return at;
  }

  // A key line makes its key the current one (none when the line is bad: the values under it
  // belong to no key that can be named).
  bool KeyLine(std::string_view line) {
    current_ = nullptr;
    if (line.size() < 2 || line.back() != ']' || !ValidUtf8(line)) return false;
    const std::u16string inner = vb::FromUtf8(line.substr(1, line.size() - 2));
    const std::size_t sep = inner.find(u'\\');
    if (!SameName(std::u16string_view(inner).substr(0, sep), u"HKEY_CURRENT_USER")) return false;
    if (sep == std::u16string::npos) {
      names_.clear();
    } else if (sep + 1 == inner.size() || !SplitPath(std::u16string_view(inner).substr(sep + 1), &names_)) {
      return false;
    }
    current_ = MakeKey(*root_, names_, nullptr);
    return true;
  }

  // The quoted name at `at` and the "=" after it: the scan of the name, and where the value starts.
  bool NameAndEquals(std::size_t at, QuotedScan* name, std::size_t* value) const {
    if (current_ == nullptr || !ScanQuoted(bytes_.substr(at), true, name)) return false;
    std::size_t i = at + name->bytes;
    while (i < bytes_.size() && IsBlank(bytes_[i])) ++i;
    if (i == bytes_.size() || bytes_[i] != '=') return false;
    ++i;
    while (i < bytes_.size() && IsBlank(bytes_[i])) ++i;
    *value = i;
    return true;
  }

  // A text value line at `at` of the file's bytes, read to its end: a quoted form cannot hold a
  // line break, so the line ends after the text, with nothing but blanks. False when it is none
  // (a number's line, or no settings line at all).
  bool ValueLine(std::size_t at, std::size_t* next) {
    QuotedScan name;
    QuotedScan text;
    std::size_t i = 0;
    if (!NameAndEquals(at, &name, &i) || i == bytes_.size() || bytes_[i] != '"' ||
        !ScanQuoted(bytes_.substr(i), false, &text)) {
      return false;
    }
    const std::size_t end = SkipBlanksAndReturns(i + text.bytes);
    if (end < bytes_.size() && bytes_[end] != '\n') return false;
    PlaceValue(texts_, at, name, i, text, &Add(at, name));
    *next = end + 1;
    return true;
  }

  // A text value line at `at` as the store writes it, of plain characters alone: the common case,
  // read in one go. False for any other line.
  bool PlainValueLine(std::size_t at, std::size_t* next) {
    QuotedScan name;
    QuotedScan text;
    if (current_ == nullptr || !ScanPlainNameAndText(bytes_.substr(at), &name, &text)) return false;
    const std::size_t textAt = at + name.bytes + 1;
    const std::size_t end = textAt + text.bytes;
    if (end == bytes_.size() || bytes_[end] != '\n') return false;
    Add(at, name).SetText({textAt, static_cast<std::uint32_t>(text.bytes), false}, text.units);
    *next = end + 1;
    return true;
  }

  // A 32-bit value line, found whole at `at` of the file's bytes.
  bool NumberLine(std::size_t at, std::string_view line) {
    QuotedScan name;
    std::size_t i = 0;
    DWORD number = 0;
    if (!NameAndEquals(at, &name, &i) || i - at > line.size() || !ReadDword(line.substr(i - at), &number)) {
      return false;
    }
    Entry& entry = Add(at, name);
    if (!name.canonical) entry.MoveName(texts_.AddSide(Unquoted(line.substr(0, name.bytes))));
    entry.SetNumber(number);
    return true;
  }

  // A new value of the current key, named by the quoted name at `at`, its text or number to be set.
  [[gnu::always_inline]] Entry& Add(std::size_t at, const QuotedScan& name) {
    return current_->values.AddRead({at, static_cast<std::uint32_t>(name.bytes), false}, name.hash);
  }

  Texts& texts_;
  const std::string_view bytes_;
  Key* root_;
  Key* current_ = nullptr;
  std::vector<std::u16string> names_;
};

}  // namespace

bool Parse(Texts* texts, Key* root) {
  std::size_t pos = std::string_view(texts->file).substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
  Reader reader(*texts, root);
  bool whole = true;
  while (pos < texts->file.size()) {
    if (!reader.PlainLines(pos, &pos) && !reader.Line(pos, &pos)) whole = false;
  }
  return whole;
}

}  // namespace platform::registry
