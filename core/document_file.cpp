#include "core/document_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "platform/codepage/codepage.h"
#include "platform/richedit/rich_text_box.h"

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

// The number of line breaks that are a lone CR or a lone LF (each takes one more unit as CR LF):
// the CR and LF bytes less two for each CR LF, counted sixteen bytes at a time.
std::size_t LoneBreaks(std::string_view bytes) {
  using Lanes = unsigned char __attribute__((vector_size(16)));
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  std::size_t breaks = 0;
  std::size_t pairs = 0;
  std::size_t i = 0;
  while (n - i > 16) {
    // Each lane counts to 255 at most before it is added up.
    Lanes laneBreaks = {};
    Lanes lanePairs = {};
    const std::size_t rounds = std::min<std::size_t>((n - i - 1) / 16, 255);
    for (std::size_t r = 0; r < rounds; ++r, i += 16) {
      Lanes here;
      Lanes next;  // the byte after each
      std::memcpy(&here, p + i, sizeof here);
      std::memcpy(&next, p + i + 1, sizeof next);
      const Lanes cr = here == '\r';
      laneBreaks -= cr | (here == '\n');
      lanePairs -= cr & (next == '\n');
    }
    for (int k = 0; k < 16; ++k) {
      breaks += laneBreaks[k];
      pairs += lanePairs[k];
    }
  }
  for (; i < n; ++i) {
    breaks += p[i] == '\r' || p[i] == '\n';
    pairs += p[i] == '\r' && i + 1 < n && p[i + 1] == '\n';
  }
  return breaks - 2 * pairs;
}

}  // namespace

DecodedFile DecodeFile(std::string_view bytes) {
  DecodedFile file;
  // The text's length is known before it is written: room for it is made once (and for the room
  // the editor's first edit opens), and it is written in one pass, a table lookup per byte, through
  // a small block that is appended whole (cheaper than filling the text with zeros first).
  const std::size_t length = bytes.size() + LoneBreaks(bytes);
  file.text.reserve(length + vb::RichTextBox::RoomToTake(length));
  std::size_t counts[4] = {};
  std::vector<std::uint8_t> kinds;
  const std::array<char16_t, 256>& table = vb::Windows1251Chars();
  constexpr std::size_t kBlock = 8192;
  char16_t block[kBlock + 2];
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* const end = p + bytes.size();
  while (p < end) {
    char16_t* out = block;
    // Each byte gives at most two characters (a line break's CR LF).
    const unsigned char* const stop = p + std::min<std::size_t>(static_cast<std::size_t>(end - p), kBlock / 2);
    while (p < stop) {
      const unsigned char b = *p++;
      if (b != '\r' && b != '\n') [[likely]] {
        *out++ = table[b];
        continue;
      }
      LineBreak kind = LineBreak::kLf;
      if (b == '\r') {
        kind = p < end && *p == '\n' ? LineBreak::kCrLf : LineBreak::kCr;
        if (kind == LineBreak::kCrLf) ++p;
      }
      kinds.push_back(static_cast<std::uint8_t>(kind));
      ++counts[static_cast<int>(kind)];
      *out++ = u'\r';
      *out++ = u'\n';
    }
    file.text.append(block, static_cast<std::size_t>(out - block));
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

// No character takes more than one byte, and a CR LF no more than two: the bytes are sized once
// and written in place, a table lookup per character.
FileEncoder::FileEncoder(const std::vector<std::uint8_t>& tags, const FileLayout& layout, std::size_t length)
    : tags_(tags), layout_(layout) {
  out_.resize(length + 2);
}

char* FileEncoder::Room(std::size_t length) {
  if (out_.size() < used_ + length + 2) out_.resize(used_ + length + 2);
  return out_.data() + used_;
}

char* FileEncoder::PutBreak(char* out) {
  const auto tag = line_ < tags_.size() ? static_cast<LineBreak>(tags_[line_]) : LineBreak::kNew;
  for (const char x : BytesOf(tag == LineBreak::kNew ? layout_.usual : tag)) *out++ = x;
  ++line_;
  return out;
}

void FileEncoder::Put(std::u16string_view text) {
  const std::array<std::int16_t, 0x10000>& bytes = vb::Windows1251Bytes();
  char* out = Room(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    const int byte = bytes[c];
    if (byte >= 0 && c != u'\r') [[likely]] {
      *out++ = static_cast<char>(byte);
      continue;
    }
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      out = PutBreak(out);
      ++i;
      continue;
    }
    if (byte >= 0) {  // a lone CR
      *out++ = static_cast<char>(byte);
      continue;
    }
    // A surrogate pair is one character.
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) ++i;
    *out++ = '?';
    lost_ = true;
  }
  used_ = static_cast<std::size_t>(out - out_.data());
}

void FileEncoder::PutBytes(std::string_view bytes) {
  char* out = Room(bytes.size());
  // The runs between CRs are copied as they are.
  for (std::size_t i = 0; i < bytes.size();) {
    const void* cr = std::memchr(bytes.data() + i, '\r', bytes.size() - i);
    const std::size_t end = cr != nullptr ? static_cast<std::size_t>(static_cast<const char*>(cr) - bytes.data()) : bytes.size();
    std::memcpy(out, bytes.data() + i, end - i);
    out += end - i;
    i = end;
    if (i == bytes.size()) break;
    if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
      out = PutBreak(out);
      i += 2;
    } else {
      *out++ = '\r';  // a lone CR
      ++i;
    }
  }
  used_ = static_cast<std::size_t>(out - out_.data());
}

std::string FileEncoder::Finish(bool* lossy) {
  out_.resize(used_);
  if (layout_.endsWithBreak) out_ += BytesOf(layout_.final);
  if (lossy != nullptr) *lossy = lost_;
  return std::move(out_);
}

}  // namespace modDocument
