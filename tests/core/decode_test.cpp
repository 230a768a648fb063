// The conversion engine against the system's own converters: every letter table and every
// direction are checked with iconv renderings of real text, not with expectations of our own.
#include "core/decode.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <array>
#include <cerrno>
#include <string>

#include "support.h"

namespace {

using qmtest::U8;

// The iconv name of each code page, by list index.
constexpr std::array<const char*, 5> kIconvNames = {"CP866", "CP1251", "KOI8-R", "ISO-8859-5", "MAC-CYRILLIC"};

std::string Run(const char* to, const char* from, const std::string& in) {
  iconv_t cd = iconv_open(to, from);
  EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1)) << from << " -> " << to;
  std::string out(in.size() * 4 + 16, '\0');
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  char* dst = out.data();
  std::size_t dstLeft = out.size();
  const std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  EXPECT_NE(rc, static_cast<std::size_t>(-1)) << from << " -> " << to << " failed, errno " << errno;
  iconv_close(cd);
  out.resize(out.size() - dstLeft);
  return out;
}

// The bytes of a UTF-16 text in a single-byte code page.
std::string Encode(const std::u16string& text, const char* page) {
  const std::string bytes(reinterpret_cast<const char*>(text.data()), text.size() * 2);
  const std::string out = Run(page, "UTF-16LE", bytes);
  EXPECT_EQ(out.size(), text.size()) << page << " is not single-byte for " << U8(text);
  return out;
}

// Bytes shown as Windows 1251; 0x98, which that code page leaves undefined, shows as U+0098.
std::u16string ShowAs1251(const std::string& bytes) {
  static const std::array<char16_t, 256> shown = [] {
    std::array<char16_t, 256> table{};
    for (int b = 0; b < 256; ++b) {
      if (b == 0x98) {
        table[b] = u'\u0098';
        continue;
      }
      const std::string u = Run("UTF-16LE", "CP1251", std::string(1, static_cast<char>(b)));
      EXPECT_EQ(u.size(), 2u) << "byte " << b;
      if (u.size() == 2)
        table[b] = static_cast<char16_t>(static_cast<unsigned char>(u[0]) | static_cast<unsigned char>(u[1]) << 8);
    }
    return table;
  }();
  std::u16string out;
  for (const char b : bytes) out += shown[static_cast<unsigned char>(b)];
  return out;
}

// What a text written in the code page at `listIndex` looks like when shown as Windows 1251.
std::u16string Mojibake(const std::u16string& text, int listIndex) {
  return ShowAs1251(Encode(text, kIconvNames[listIndex]));
}

bool IsTableLetter(char16_t c) { return c >= u'А' && c <= u'я'; }

// Russian prose with Latin words, digits, punctuation and line breaks; only characters every one
// of the five code pages can hold.
const std::u16string kProse =
    u"Старый дом на краю деревни стоял пустым уже третий год. Соседи говорили, что хозяин уехал\r\n"
    u"в город в 1998 году и больше не вернулся; письма приходили редко, раз в полгода.\r\n"
    u"\r\n"
    u"Внутри пахло пылью, яблоками и старыми книгами. На столе лежала тетрадь с надписью\r\n"
    u"\"Notes & sketches\", а рядом - карта: Москва (55.75, 37.62), Санкт-Петербург, Казань!\r\n"
    u"Щука, шило, цапля, чайка, юла, эхо, ящик, ъ и ь, ы - все буквы на месте? Да: 100%.\r\n"
    u"Вдруг кто-то постучал: \"Open the door, please\" - сказал мягкий голос за дверью.\n"
    u"В чащах юга жил бы цитрус? Да, но фальшивый экземпляр! СЪЕШЬ ЖЕ ЭТИХ МЯГКИХ ФРАНЦУЗСКИХ\r\n"
    u"БУЛОК, ДА ВЫПЕЙ ЧАЮ: ГРАЖДАНЕ ОБЪЯВИЛИ ПОДЪЕЗД, ЩЕДРЫЙ ЦИРК ЙОГОВ.\r\n";

// The same kind of prose with Ё and ё, letters no table holds.
const std::u16string kProseWithYo =
    kProse + u"Ёжик ещё шёл по тропинке, а ЁЛКА стояла в углу; всё было тихо.\r\n";

TEST(CodePages, NamesAndDirections) {
  const std::array<std::u16string, 5> names = {u"DOS 866", u"Windows 1251", u"UNIX KOI-8", u"ISO 8859-5",
                                               u"MAC Apple"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(modDecode::CodePageName(i), names[i]);
  EXPECT_TRUE(modDecode::CodePageName(-1).empty());
  EXPECT_TRUE(modDecode::CodePageName(5).empty());

  EXPECT_EQ(modDecode::DirectionName(0), u"DOS 866 -> Windows 1251");
  EXPECT_EQ(modDecode::DirectionName(4), u"Windows 1251 -> DOS 866");
  EXPECT_EQ(modDecode::DirectionName(6), u"Windows 1251 -> ISO 8859-5");
  EXPECT_EQ(modDecode::DirectionName(19), u"MAC Apple -> ISO 8859-5");
  EXPECT_TRUE(modDecode::DirectionName(-1).empty());
  EXPECT_TRUE(modDecode::DirectionName(20).empty());

  // Every ordered pair of different code pages has exactly one index, in list order, and back.
  int expected = 0;
  for (int s = 0; s < 5; ++s) {
    for (int t = 0; t < 5; ++t) {
      if (s == t) {
        EXPECT_FALSE(modDecode::DirectionIndex(s, t).has_value());
        continue;
      }
      const auto d = modDecode::DirectionIndex(s, t);
      ASSERT_TRUE(d.has_value());
      EXPECT_EQ(*d, expected++);
      const auto pages = modDecode::DirectionCodePages(*d);
      ASSERT_TRUE(pages.has_value());
      EXPECT_EQ(pages->sourceListIndex, s);
      EXPECT_EQ(pages->targetListIndex, t);
      EXPECT_EQ(modDecode::DirectionName(*d), names[s] + u" -> " + names[t]);
    }
  }
  EXPECT_FALSE(modDecode::DirectionIndex(-1, 0).has_value());
  EXPECT_FALSE(modDecode::DirectionIndex(0, 5).has_value());
  EXPECT_FALSE(modDecode::DirectionCodePages(20).has_value());
  EXPECT_FALSE(modDecode::DirectionCodePages(-1).has_value());
}

TEST(CodePages, TablesMatchTheSystemConverters) {
  std::u16string letters;
  for (char16_t c = u'А'; c <= u'я'; ++c) letters += c;
  ASSERT_EQ(letters.size(), 64u);
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(kIconvNames[i]);
    EXPECT_EQ(modDecode::GetCodePageTable(i + 1), Mojibake(letters, i));
  }
  EXPECT_TRUE(modDecode::GetCodePageTable(0).empty());
  EXPECT_TRUE(modDecode::GetCodePageTable(6).empty());
  EXPECT_TRUE(modDecode::GetCodePageTable(-1).empty());
}

TEST(ConvertText, ProseComesBackExactly) {
  for (char16_t c = u'А'; c <= u'я'; ++c) ASSERT_NE(kProse.find(c), std::u16string::npos) << U8({c});
  std::array<std::u16string, 5> shown;
  for (int i = 0; i < 5; ++i) shown[i] = Mojibake(kProse, i);
  for (int x = 0; x < 5; ++x) {
    SCOPED_TRACE(kIconvNames[x]);
    EXPECT_EQ(modDecode::ConvertText(shown[x], x + 1, 2), kProse);
    EXPECT_EQ(modDecode::ConvertText(kProse, 2, x + 1), shown[x]);
  }
  for (int d = 0; d < 20; ++d) {
    const auto pages = *modDecode::DirectionCodePages(d);
    const int a = pages.sourceListIndex, b = pages.targetListIndex;
    SCOPED_TRACE(U8(modDecode::DirectionName(d)));
    EXPECT_EQ(modDecode::ConvertText(shown[a], a + 1, b + 1), shown[b]);
  }
}

// With Ё and ё, from page A's rendering to page B's: each letter becomes its rendering in B, as
// iconv gives it; every other character (Ё, ё, Latin, digits, punctuation, line breaks) keeps its
// rendering in A, which no letter of A shares.
TEST(ConvertText, ProseWithYoInEveryDirection) {
  std::array<std::u16string, 5> shown;
  for (int i = 0; i < 5; ++i) shown[i] = Mojibake(kProseWithYo, i);
  for (int d = 0; d < 20; ++d) {
    const auto pages = *modDecode::DirectionCodePages(d);
    const int a = pages.sourceListIndex, b = pages.targetListIndex;
    SCOPED_TRACE(U8(modDecode::DirectionName(d)));
    std::u16string expected = shown[a];
    for (std::size_t i = 0; i < kProseWithYo.size(); ++i)
      if (IsTableLetter(kProseWithYo[i])) expected[i] = shown[b][i];
    EXPECT_EQ(modDecode::ConvertText(shown[a], a + 1, b + 1), expected);
  }
}

TEST(ConvertText, KnownLetters) {
  EXPECT_EQ(modDecode::ConvertText(u"П я", 2, 1), u"Џ п");
  EXPECT_EQ(modDecode::ConvertText(u"Џ п", 1, 2), u"П я");
  EXPECT_EQ(modDecode::ConvertText(u"\u0098", 1, 2), u"Ш");
  EXPECT_EQ(modDecode::ConvertText(u"\u0098", 5, 2), u"Ш");
  // Ё and ё are no letters of the tables, but their Windows-1251 bytes are letters elsewhere:
  // 0xA8 is и in code page 866 and 0xB8 is И in ISO 8859-5.
  EXPECT_EQ(modDecode::ConvertText(u"Ё", 1, 2), u"и");
  EXPECT_EQ(modDecode::ConvertText(u"ё", 4, 2), u"И");
  EXPECT_EQ(modDecode::ConvertText(u"Ёё", 2, 1), u"Ёё");
}

TEST(ConvertText, UnknownCodePageChangesNothing) {
  const std::u16string text = u"Привет, world";
  EXPECT_EQ(modDecode::ConvertText(text, 0, 2), text);
  EXPECT_EQ(modDecode::ConvertText(text, 2, 6), text);
  EXPECT_EQ(modDecode::ConvertText(text, -3, 40000), text);
  EXPECT_EQ(modDecode::ConvertText(u"", 2, 1), u"");
}

TEST(ConvertText, LongTextConvertsInFull) {
  std::u16string text;
  while (text.size() < 100'000) text += kProseWithYo;
  text.resize(100'000);
  const std::u16string shown = Mojibake(text, 2);
  const std::u16string converted = modDecode::ConvertText(shown, 3, 2);
  ASSERT_EQ(converted.size(), text.size());
  std::u16string expected = shown;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (IsTableLetter(text[i])) expected[i] = text[i];
  EXPECT_EQ(converted, expected);
}

TEST(MapCharacters, FirstMatchAndOneMappingPerCharacter) {
  // Each character is looked up in the input: a -> b and b -> c give "bc", not "cc".
  EXPECT_EQ(modDecode::MapCharacters(u"ab", u"bc", u"ab"), u"bc");
  // A character occurring twice in the source table takes the target of its first position.
  EXPECT_EQ(modDecode::MapCharacters(u"aXb", u"xyz", u"aab"), u"xXz");
  // A position the target table does not reach leaves the character as it is, even when the
  // same character occurs again later in the source table.
  EXPECT_EQ(modDecode::MapCharacters(u"abc", u"x", u"acc"), u"xbc");
  EXPECT_EQ(modDecode::MapCharacters(u"abc", u"", u"abc"), u"abc");
  EXPECT_EQ(modDecode::MapCharacters(u"abc", u"xyz", u""), u"abc");
  // Comparison is exact: no case folding.
  EXPECT_EQ(modDecode::MapCharacters(u"Aa", u"x", u"a"), u"Ax");
}

TEST(MapCharacters, SameAsConvertTextWithThePagesTables) {
  const std::u16string shown = Mojibake(kProseWithYo, 4);
  EXPECT_EQ(modDecode::MapCharacters(shown, modDecode::GetCodePageTable(3), modDecode::GetCodePageTable(5)),
            modDecode::ConvertText(shown, 5, 3));
}

}  // namespace
