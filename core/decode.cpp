#include "core/decode.h"

#include <algorithm>
#include <array>
#include <memory>
#include <mutex>
#include <vector>

#include "core/number_text.h"
#include "core/registry.h"
#include "core/settings_schema.h"

namespace modDecode {

namespace {

constexpr std::array<std::u16string_view, kCodePageCount> kCodePageNames = {
    u"DOS 866", u"Windows 1251", u"UNIX KOI-8", u"ISO 8859-5", u"MAC Apple"};

// Each letter А..Я, а..я as its byte in the code page shows in Windows 1251.
constexpr std::array<std::u16string_view, kCodePageCount> kLetterTables = {
    // DOS 866: А..п are 0x80..0xAF, р..я are 0xE0..0xEF; Ш is 0x98.
    u"ЂЃ‚ѓ„…†‡€‰Љ‹ЊЌЋЏђ‘’“”•–—\u0098™љ›њќћџ\u00A0ЎўЈ¤Ґ¦§Ё©Є«¬\u00AD®Їабвгдежзийклмноп",
    // Windows 1251: the letters themselves.
    u"АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдежзийклмнопрстуфхцчшщъыьэюя",
    // KOI8-R: 0xC0..0xFF in that standard's own letter order.
    u"бвчздецъйклмнопртуфхжигюыэящшьасБВЧЗДЕЦЪЙКЛМНОПРТУФХЖИГЮЫЭЯЩШЬАС",
    // ISO 8859-5: 0xB0..0xEF.
    u"°±Ііґµ¶·ё№є»јЅѕїАБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдежзийклмноп",
    // Mac OS Cyrillic: А..Я 0x80..0x9F (Ш is 0x98), а..ю 0xE0..0xFE, я 0xDF.
    u"ЂЃ‚ѓ„…†‡€‰Љ‹ЊЌЋЏђ‘’“”•–—\u0098™љ›њќћџабвгдежзийклмнопрстуфхцчшщъыьэюЯ",
};

// The mapping of one pair of tables as a table over every UTF-16 unit, so a character costs one
// look-up whatever the tables hold.
class LetterMap {
 public:
  LetterMap(std::u16string_view targetTable, std::u16string_view sourceTable) : to_(0x10000) {
    for (std::size_t c = 0; c < to_.size(); ++c) to_[c] = static_cast<char16_t>(c);
    // Walking the source table backwards leaves each character with its first position.
    for (std::size_t p = sourceTable.size(); p-- > 0;) {
      const char16_t c = sourceTable[p];
      to_[c] = p < targetTable.size() ? targetTable[p] : c;
    }
  }

  // The whole result is built before it is handed back, so a text is never left half converted.
  // It is written a block at a time into reserved room, never filled with zeros first.
  std::u16string Apply(std::u16string_view text) const {
    std::u16string out;
    // Room for a first edit of the text in the editor, which takes it as it is: capacity that is
    // never written costs no memory.
    out.reserve(text.size() + text.size() / 64 + 8192);
    const char16_t* to = to_.data();
    constexpr std::size_t kBlock = 4096;
    char16_t block[kBlock];
    for (std::size_t at = 0; at < text.size(); at += kBlock) {
      const std::size_t n = std::min(kBlock, text.size() - at);
      const char16_t* in = text.data() + at;
      std::size_t i = 0;
      // Four characters a round keep several look-ups in flight.
      for (; i + 4 <= n; i += 4) {
        block[i] = to[in[i]];
        block[i + 1] = to[in[i + 1]];
        block[i + 2] = to[in[i + 2]];
        block[i + 3] = to[in[i + 3]];
      }
      for (; i < n; ++i) block[i] = to[in[i]];
      out.append(block, n);
    }
    return out;
  }

 private:
  std::vector<char16_t> to_;
};

bool IsCodePage(int codePage) { return codePage >= 1 && codePage <= kCodePageCount; }

// The map of a pair of code page numbers (both 1 to 5), built on first use and kept.
const LetterMap& PairMap(int sourceCodePage, int targetCodePage) {
  constexpr int kPairs = kCodePageCount * kCodePageCount;
  static std::array<std::once_flag, kPairs> built;
  static std::array<std::unique_ptr<LetterMap>, kPairs> maps;
  const int k = (sourceCodePage - 1) * kCodePageCount + (targetCodePage - 1);
  std::call_once(built[k], [&] {
    maps[k] = std::make_unique<LetterMap>(kLetterTables[targetCodePage - 1], kLetterTables[sourceCodePage - 1]);
  });
  return *maps[k];
}

}  // namespace

std::u16string_view CodePageName(int listIndex) {
  if (listIndex < 0 || listIndex >= kCodePageCount) return {};
  return kCodePageNames[listIndex];
}

std::u16string GetCodePageTable(int codePage) {
  if (!IsCodePage(codePage)) return {};
  return std::u16string(kLetterTables[codePage - 1]);
}

std::u16string MapCharacters(std::u16string_view text, std::u16string_view targetTable,
                             std::u16string_view sourceTable) {
  return LetterMap(targetTable, sourceTable).Apply(text);
}

std::u16string ConvertText(std::u16string_view text, int sourceCodePage, int targetCodePage) {
  if (!IsCodePage(sourceCodePage) || !IsCodePage(targetCodePage)) return std::u16string(text);
  return PairMap(sourceCodePage, targetCodePage).Apply(text);
}

std::optional<int> DirectionIndex(int sourceListIndex, int targetListIndex) {
  if (sourceListIndex < 0 || sourceListIndex >= kCodePageCount || targetListIndex < 0 ||
      targetListIndex >= kCodePageCount || sourceListIndex == targetListIndex)
    return std::nullopt;
  const int targetPosition = targetListIndex < sourceListIndex ? targetListIndex : targetListIndex - 1;
  return sourceListIndex * (kCodePageCount - 1) + targetPosition;
}

std::optional<DirectionPages> DirectionCodePages(int direction) {
  if (direction < 0 || direction >= kDirectionCount) return std::nullopt;
  const int source = direction / (kCodePageCount - 1);
  const int position = direction % (kCodePageCount - 1);
  return DirectionPages{source, position < source ? position : position + 1};
}

std::u16string DirectionName(int direction) {
  const auto pages = DirectionCodePages(direction);
  if (!pages) return {};
  std::u16string name(kCodePageNames[pages->sourceListIndex]);
  name += u" -> ";
  name += kCodePageNames[pages->targetListIndex];
  return name;
}

int StoredDefaultDirection() {
  const auto stored = number_text::WholeNumber(modRegistry::ReadPreference(settings::preferences::kDefaultCode));
  return stored && *stored >= 0 && *stored < kDirectionCount ? *stored : 0;
}

}  // namespace modDecode
