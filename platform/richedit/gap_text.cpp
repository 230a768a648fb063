#include "platform/richedit/gap_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "platform/codepage/codepage.h"

namespace platform::richedit {
namespace {
// The least room a new gap gets; more on large texts, so that reopening it (which moves the text
// after it) happens once in many edits.
constexpr std::size_t kLeastGap = 4096;

// The bytes of `s` into `out`; false (with `out` partly written) when a character has none.
bool ToBytes(std::u16string_view s, char* out) {
  const std::array<std::int16_t, 0x10000>& table = vb::Windows1251Bytes();
  for (const char16_t c : s) {
    const int b = table[c];
    if (b < 0) return false;
    *out++ = static_cast<char>(b);
  }
  return true;
}

// True when every character of `s` has a byte.
bool Encodable(std::u16string_view s) {
  const std::array<std::int16_t, 0x10000>& table = vb::Windows1251Bytes();
  for (const char16_t c : s)
    if (table[c] < 0) return false;
  return true;
}

void ToChars(const char* p, std::size_t n, char16_t* out) {
  const std::array<char16_t, 256>& table = vb::Windows1251Chars();
  for (std::size_t i = 0; i < n; ++i) out[i] = table[static_cast<unsigned char>(p[i])];
}

}  // namespace

std::size_t GapText::RoomFor(std::size_t length) { return std::max(kLeastGap, length / 64) + kLeastGap; }

template <typename Char>
void GapText::Store<Char>::Assign(std::basic_string<Char> text) {
  buf = std::move(text);
  gapStart = buf.size();
  gapLength = 0;
}

template <typename Char>
void GapText::Store<Char>::MoveGap(std::size_t to) {
  if (to == gapStart || gapLength == 0) {
    gapStart = to;
    return;
  }
  Char* b = buf.data();
  if (to < gapStart) {
    std::memmove(b + to + gapLength, b + to, (gapStart - to) * sizeof(Char));
  } else {
    std::memmove(b + gapStart, b + gapStart + gapLength, (to - gapStart) * sizeof(Char));
  }
  gapStart = to;
}

template <typename Char>
void GapText::Store<Char>::GrowGap(std::size_t at, std::size_t length) {
  MoveGap(at);
  if (gapLength >= length) return;
  const std::size_t grow = std::max({length - gapLength + kLeastGap, size() / 64});
  buf.insert(gapStart, grow, Char());
  gapLength += grow;
}

template <typename Char>
Char* GapText::Store<Char>::Open(std::size_t at, std::size_t removed, std::size_t count) {
  GrowGap(at, count > removed ? count - removed : 0);
  gapLength += removed;  // the removed characters join the gap
  Char* where = buf.data() + gapStart;
  gapStart += count;
  gapLength -= count;
  return where;
}

template <typename Char>
template <typename Write, typename Keep>
void GapText::Store<Char>::Replace(const std::vector<vb::TextPlace>& places, const char16_t* texts, char16_t* removed,
                                   Write put, Keep take) {
  if (places.empty()) return;
  // The gap opens once, at the first place, as long as the text ever grows ahead of its old end
  // during the pass; each place then moves only the text between it and the place before.
  std::int64_t growth = 0;
  std::int64_t most = 0;
  for (const vb::TextPlace& p : places) {
    growth += p.inserted - p.removed;
    most = std::max(most, growth);
  }
  GrowGap(static_cast<std::size_t>(places.front().position), static_cast<std::size_t>(most));
  std::int64_t shift = 0;  // how much the places before moved the text
  for (const vb::TextPlace& p : places) {
    const auto out = static_cast<std::size_t>(p.removed);
    const auto in = static_cast<std::size_t>(p.inserted);
    MoveGap(static_cast<std::size_t>(p.position + shift));
    take(buf.data() + gapStart + gapLength, out, removed);
    removed += out;
    gapLength += out;
    put(texts, in, buf.data() + gapStart);
    texts += in;
    gapStart += in;
    gapLength -= in;
    shift += p.inserted - p.removed;
  }
}

template <typename Char>
void GapText::Store<Char>::Close() {
  MoveGap(size());
  buf.resize(size());  // keeps the storage
  gapLength = 0;
}

void GapText::Assign(std::u16string text) {
  whole_ = std::u16string();
  wholeBuilt_ = false;
  std::string bytes;
  bytes.reserve(text.size() + RoomFor(text.size()));  // the room is not touched until an edit needs it
  bytes.resize(text.size());
  if (ToBytes(text, bytes.data())) {
    std::u16string().swap(text);
    narrow_ = true;
    bytes_.Assign(std::move(bytes));
    wide_.Assign({});
    return;
  }
  std::string().swap(bytes);
  narrow_ = false;
  if (text.capacity() < text.size() + RoomFor(text.size()) / 2) text.reserve(text.size() + RoomFor(text.size()));
  wide_.Assign(std::move(text));
  bytes_.Assign({});
}

void GapText::Reserve(std::size_t length) {
  // The room a gap takes as the text grows to that length, twice over.
  if (narrow_) bytes_.buf.reserve(length + 2 * RoomFor(length));
  else wide_.buf.reserve(length + 2 * RoomFor(length));
}

// The text turns to UTF-16, its gap kept where it was.
void GapText::Widen() {
  bytes_.Close();
  std::u16string text;
  text.reserve(bytes_.buf.size() + RoomFor(bytes_.buf.size()));
  text.resize(bytes_.buf.size());
  ToChars(bytes_.buf.data(), bytes_.buf.size(), text.data());
  bytes_.Assign({});
  wide_.Assign(std::move(text));
  narrow_ = false;
}

void GapText::Replace(std::size_t at, std::size_t count, std::u16string_view with) {
  whole_ = std::u16string();
  wholeBuilt_ = false;
  if (narrow_) {
    // Looked at before the gap opens: a character the code page lacks leaves the text untouched.
    if (Encodable(with)) {
      ToBytes(with, bytes_.Open(at, count, with.size()));
      return;
    }
    Widen();
  }
  char16_t* to = wide_.Open(at, count, with.size());
  std::copy(with.begin(), with.end(), to);
}

void GapText::Replace(const std::vector<vb::TextPlace>& places, std::u16string_view texts, std::u16string& removed) {
  whole_ = std::u16string();
  wholeBuilt_ = false;
  std::size_t removing = 0;
  for (const vb::TextPlace& p : places) removing += static_cast<std::size_t>(p.removed);
  const std::size_t kept = removed.size();
  removed.resize(kept + removing);
  char16_t* out = removed.data() + kept;
  if (narrow_ && !Encodable(texts)) Widen();
  if (narrow_) {
    const std::array<std::int16_t, 0x10000>& bytesOf = vb::Windows1251Bytes();
    const std::array<char16_t, 256>& charsOf = *chars_;
    bytes_.Replace(
        places, texts.data(), out,
        [&bytesOf](const char16_t* from, std::size_t n, char* to) {
          for (std::size_t i = 0; i < n; ++i) to[i] = static_cast<char>(bytesOf[from[i]]);
        },
        [&charsOf](const char* from, std::size_t n, char16_t* to) {
          for (std::size_t i = 0; i < n; ++i) to[i] = charsOf[static_cast<unsigned char>(from[i])];
        });
    return;
  }
  const auto copy = [](const char16_t* from, std::size_t n, char16_t* to) { std::copy_n(from, n, to); };
  wide_.Replace(places, texts.data(), out, copy, copy);
}

std::u16string_view GapText::Piece(std::size_t at, std::size_t count, std::u16string& scratch) const {
  at = std::min(at, size());
  count = std::min(count, size() - at);
  if (!narrow_) {
    if (at + count <= wide_.gapStart) return std::u16string_view(wide_.buf.data() + at, count);
    if (at >= wide_.gapStart) return std::u16string_view(wide_.buf.data() + at + wide_.gapLength, count);
  }
  scratch.resize(count);
  char16_t* out = scratch.data();
  // The part before the gap, then the part after it.
  const std::size_t gapStart = narrow_ ? bytes_.gapStart : wide_.gapStart;
  const std::size_t gapLength = narrow_ ? bytes_.gapLength : wide_.gapLength;
  const std::size_t before = at < gapStart ? std::min(count, gapStart - at) : 0;
  if (narrow_) {
    ToChars(bytes_.buf.data() + at, before, out);
    ToChars(bytes_.buf.data() + at + before + gapLength, count - before, out + before);
  } else {
    std::copy_n(wide_.buf.data() + at, before, out);
    std::copy_n(wide_.buf.data() + at + before + gapLength, count - before, out + before);
  }
  return scratch;
}

std::u16string GapText::Range(std::size_t at, std::size_t count) const {
  std::u16string scratch;
  const std::u16string_view piece = Piece(at, count, scratch);
  if (piece.data() == scratch.data()) return scratch;
  return std::u16string(piece);
}

bool GapText::Equals(std::u16string_view other) const {
  if (other.size() != size()) return false;
  for (std::size_t i = 0; i < other.size(); ++i)
    if ((*this)[i] != other[i]) return false;
  return true;
}

const std::u16string& GapText::Whole() {
  if (!narrow_) {
    wide_.Close();
    return wide_.buf;
  }
  if (!wholeBuilt_) {
    bytes_.Close();
    whole_.resize(bytes_.buf.size());
    ToChars(bytes_.buf.data(), bytes_.buf.size(), whole_.data());
    wholeBuilt_ = true;
  }
  return whole_;
}

std::u16string GapText::Take() {
  std::u16string out;
  if (narrow_) {
    Whole();
    out = std::move(whole_);
    whole_ = std::u16string();
    wholeBuilt_ = false;
  } else {
    wide_.Close();
    out = std::move(wide_.buf);
  }
  bytes_.Assign({});
  wide_.Assign({});
  narrow_ = true;
  return out;
}

std::size_t GapText::Capacity() const {
  return bytes_.buf.capacity() + (wide_.buf.capacity() + whole_.capacity()) * sizeof(char16_t);
}

}  // namespace platform::richedit
