#include "core/document_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "platform/codepage/codepage.h"

namespace modDocument {
namespace {

// The bytes of a line break.
std::string_view BytesOf(LineBreak b) {
  switch (b) {
    case LineBreak::kLf: return "\n";
    case LineBreak::kCr: return "\r";
    default: return "\r\n";
  }
}

// The number of line breaks that are a lone CR or a lone LF (each takes one more unit as CR LF).
std::size_t LoneBreaks(std::string_view bytes) {
  std::size_t lone = 0;
  const char* p = bytes.data();
  const char* end = p + bytes.size();
  for (;;) {
    const void* hit = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    const char* lf = hit != nullptr ? static_cast<const char*>(hit) : end;
    // CRs before this LF (or the end) that no LF follows.
    for (const char* q = p; q < lf; ++q) {
      q = static_cast<const char*>(std::memchr(q, '\r', static_cast<std::size_t>(lf - q)));
      if (q == nullptr) break;
      if (q + 1 != lf) ++lone;
    }
    if (lf == end) break;
    if (lf == bytes.data() || lf[-1] != '\r') ++lone;
    p = lf + 1;
  }
  return lone;
}

// Appends decoded characters a block at a time (no zero-filling of the text first).
class Appender {
 public:
  explicit Appender(std::u16string& out) : out_(out) {}
  ~Appender() { Flush(); }
  Appender(const Appender&) = delete;
  Appender& operator=(const Appender&) = delete;
  // Decodes a run of bytes that holds no line break.
  void PutRun(const unsigned char* p, std::size_t n, const std::array<char16_t, 256>& table) {
    while (n > 0) {
      if (used_ == kSize) Flush();
      const std::size_t take = std::min(n, kSize - used_);
      char16_t* o = buf_ + used_;
      for (std::size_t i = 0; i < take; ++i) o[i] = table[p[i]];
      used_ += take;
      p += take;
      n -= take;
    }
  }
  void PutLineBreak() {
    if (used_ + 2 > kSize) Flush();
    buf_[used_++] = u'\r';
    buf_[used_++] = u'\n';
  }
  void Flush() {
    out_.append(buf_, used_);
    used_ = 0;
  }

 private:
  static constexpr std::size_t kSize = 8192;
  std::u16string& out_;
  char16_t buf_[kSize];
  std::size_t used_ = 0;
};

// The next CR or LF at or after p, or end.
const unsigned char* NextBreak(const unsigned char* p, const unsigned char* end) {
  while (p < end && *p != '\r' && *p != '\n') ++p;
  return p;
}

}  // namespace

DecodedFile DecodeFile(std::string_view bytes) {
  DecodedFile file;
  // The editor's first edit opens room in the text: it is allowed for here, once.
  const std::size_t length = bytes.size() + LoneBreaks(bytes);
  file.text.reserve(length + std::max<std::size_t>(4096, length / 64) + 4096);
  std::size_t counts[4] = {};
  std::vector<std::uint8_t> kinds;
  {
    const std::array<char16_t, 256>& table = vb::Windows1251Chars();
    Appender out(file.text);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
      const unsigned char* brk = NextBreak(p, end);
      out.PutRun(p, static_cast<std::size_t>(brk - p), table);
      if (brk == end) break;
      LineBreak kind = LineBreak::kLf;
      p = brk + 1;
      if (*brk == '\r') {
        kind = p < end && *p == '\n' ? LineBreak::kCrLf : LineBreak::kCr;
        if (kind == LineBreak::kCrLf) ++p;
      }
      kinds.push_back(static_cast<std::uint8_t>(kind));
      ++counts[static_cast<int>(kind)];
      out.PutLineBreak();
    }
  }
  // The final line break stays out of the text.
  file.layout.endsWithBreak = !kinds.empty() && !bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r');
  if (file.layout.endsWithBreak) {
    file.layout.final = static_cast<LineBreak>(kinds.back());
    kinds.pop_back();
    file.text.resize(file.text.size() - 2);
  }
  // The usual break is the most frequent one (CR LF when none is more frequent).
  LineBreak usual = LineBreak::kCrLf;
  for (const LineBreak b : {LineBreak::kLf, LineBreak::kCr})
    if (counts[static_cast<int>(b)] > counts[static_cast<int>(usual)]) usual = b;
  file.layout.usual = usual;
  if (!file.layout.endsWithBreak) file.layout.final = usual;
  if (std::any_of(kinds.begin(), kinds.end(), [&](std::uint8_t k) { return k != static_cast<std::uint8_t>(usual); }))
    file.tags = std::move(kinds);
  return file;
}

std::string EncodeFile(std::u16string_view text, const std::vector<std::uint8_t>& tags, const FileLayout& layout,
                       bool* lossy) {
  FileEncoder encoder(tags, layout, text.size());
  encoder.Put(text);
  return encoder.Finish(lossy);
}

// No character takes more than one byte, and a CR LF no more than two: the room is reserved once
// and written a block at a time (never filled with zeros first).
FileEncoder::FileEncoder(const std::vector<std::uint8_t>& tags, const FileLayout& layout, std::size_t length)
    : tags_(tags), layout_(layout) {
  out_.reserve(length + 2);
}

void FileEncoder::Put(std::u16string_view text) {
  const std::array<std::int16_t, 0x10000>& bytes = vb::Windows1251Bytes();
  constexpr std::size_t kBlock = 8192;
  char block[kBlock + 2];
  std::size_t used = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (used >= kBlock) {
      out_.append(block, used);
      used = 0;
    }
    const char16_t c = text[i];
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      const auto tag = line_ < tags_.size() ? static_cast<LineBreak>(tags_[line_]) : LineBreak::kNew;
      const std::string_view b = BytesOf(tag == LineBreak::kNew ? layout_.usual : tag);
      for (const char x : b) block[used++] = x;
      ++line_;
      ++i;
      continue;
    }
    const int byte = bytes[c];
    if (byte >= 0) {
      block[used++] = static_cast<char>(byte);
      continue;
    }
    // A surrogate pair is one character.
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) ++i;
    block[used++] = '?';
    lost_ = true;
  }
  out_.append(block, used);
}

std::string FileEncoder::Finish(bool* lossy) {
  if (layout_.endsWithBreak) out_ += BytesOf(layout_.final);
  if (lossy != nullptr) *lossy = lost_;
  return std::move(out_);
}

}  // namespace modDocument
