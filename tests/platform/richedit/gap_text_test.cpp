// The editor's kept text: edits anywhere, at one byte a character or as UTF-16, read back exactly
// through every way of reading it, and searches find what a plain search of the text finds.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/richedit/gap_text.h"
#include "platform/richedit/rich_text_box.h"
#include "support.h"

namespace {

using platform::richedit::GapText;
using qmtest::U8;

// Every way of reading the text agrees with the model.
void ExpectHolds(GapText& t, const std::u16string& model) {
  ASSERT_EQ(t.size(), model.size());
  ASSERT_TRUE(t.Equals(model));
  for (std::size_t i = 0; i < model.size(); i += 7) {
    ASSERT_EQ(t[i], model[i]) << i;
  }
  std::u16string scratch;
  for (std::size_t at = 0; at <= model.size(); at += 5) {
    ASSERT_EQ(t.Range(at, 9), model.substr(at, 9)) << at;
    ASSERT_EQ(t.Piece(at, 9, scratch), model.substr(at, 9)) << at;
  }
  ASSERT_EQ(U8(t.Whole()), U8(model));
}

TEST(GapText, EditsAnywhereReadBackExactlyAndAForeignCharacterTurnsTheTextToUtf16) {
  std::mt19937 random(11);
  const std::u16string pieces[] = {u"a", u"ж", u"\r\n", u"слово ", u"\u00a0№", u""};
  GapText t;
  std::u16string model = u"Привет, мир!\r\nвторая строка";
  t.Assign(model);
  EXPECT_TRUE(t.Narrow());
  for (int step = 0; step < 300; ++step) {
    const std::size_t at = std::uniform_int_distribution<std::size_t>(0, model.size())(random);
    const std::size_t count = std::min(model.size() - at, std::uniform_int_distribution<std::size_t>(0, 6)(random));
    const std::u16string& with = pieces[std::uniform_int_distribution<std::size_t>(0, std::size(pieces) - 1)(random)];
    // Reading the whole text between edits must not leave a stale copy behind.
    if (step % 3 == 0) {
      ASSERT_EQ(t.Whole(), model);
    }
    t.Replace(at, count, with);
    model.replace(at, count, with);
    ASSERT_NO_FATAL_FAILURE(ExpectHolds(t, model)) << "step " << step;
  }
  EXPECT_TRUE(t.Narrow());  // every character typed has a Windows-1251 byte

  // A character the code page lacks, typed in the middle of the text after a run of edits there.
  const std::size_t middle = model.size() / 2;
  t.Replace(middle, 1, u"€😀ü");
  model.replace(middle, 1, u"€😀ü");
  EXPECT_FALSE(t.Narrow());
  ASSERT_NO_FATAL_FAILURE(ExpectHolds(t, model));
  for (int step = 0; step < 100; ++step) {
    const std::size_t at = std::uniform_int_distribution<std::size_t>(0, model.size())(random);
    const std::size_t count = std::min<std::size_t>(model.size() - at, 3);
    t.Replace(at, count, u"ы");
    model.replace(at, count, u"ы");
  }
  ASSERT_NO_FATAL_FAILURE(ExpectHolds(t, model));

  EXPECT_EQ(U8(t.Take()), U8(model));
  EXPECT_EQ(t.size(), 0u);
  EXPECT_TRUE(t.Equals(u""));
}

TEST(GapText, ATextOutsideTheCodePageIsKeptAsUtf16FromTheStart) {
  GapText t;
  t.Assign(u"ab\u2028cd");
  EXPECT_FALSE(t.Narrow());
  ASSERT_NO_FATAL_FAILURE(ExpectHolds(t, u"ab\u2028cd"));
  t.Assign(u"ёЁ\u0098");  // 0x98, which the code page leaves undefined, still has its byte
  EXPECT_TRUE(t.Narrow());
  ASSERT_NO_FATAL_FAILURE(ExpectHolds(t, u"ёЁ\u0098"));
  EXPECT_FALSE(t.Equals(u"ёЁ"));
  EXPECT_FALSE(t.Equals(u"ёЁx"));
}

// The control searches a text kept at one byte a character in windows: matches across the
// windows' edges, overlapping candidates and whole words there are found as a plain search finds
// them, from any start.
TEST(GapText, SearchesOfALargeTextFindWhatAPlainSearchFinds) {
  std::mt19937 random(5);
  std::u16string text(300'000, u'ж');
  const std::u16string words[] = {u" Слово ", u"слово", u"ССС", u" сс,"};
  for (int k = 0; k < 400; ++k) {
    const std::u16string& w = words[std::uniform_int_distribution<std::size_t>(0, std::size(words) - 1)(random)];
    text.replace(std::uniform_int_distribution<std::size_t>(0, text.size() - w.size())(random), w.size(), w);
  }
  vb::RichTextBox box;
  box.Text(text);
  ASSERT_EQ(box.Text(), text);
  // The text holds Cyrillic letters, spaces and commas only.
  const auto fold = [](char16_t c, bool matchCase) {
    return !matchCase && c >= u'А' && c <= u'Я' ? static_cast<char16_t>(c + 0x20) : c;
  };
  const auto isWordChar = [](char16_t c) { return c >= u'А' && c <= u'я'; };
  const auto plain = [&](std::u16string_view what, std::size_t from, int options) {
    std::vector<std::int32_t> found;
    const bool matchCase = (options & vb::rtfMatchCase) != 0;
    for (std::size_t at = from; at + what.size() <= text.size();) {
      bool same = true;
      for (std::size_t k = 0; k < what.size() && same; ++k) same = fold(text[at + k], matchCase) == fold(what[k], matchCase);
      const bool whole = (at == 0 || !isWordChar(text[at - 1])) &&
                         (at + what.size() >= text.size() || !isWordChar(text[at + what.size()]));
      if (same && ((options & vb::rtfWholeWord) == 0 || whole)) {
        found.push_back(static_cast<std::int32_t>(at));
        at += what.size();
      } else {
        ++at;
      }
    }
    return found;
  };
  // Searched for from every start in a stretch before it, a word is found wherever the search
  // begins.
  {
    vb::RichTextBox lone;
    std::u16string sparse(20'000, u'ж');
    sparse.replace(9'000, 7, u" Слово ");
    lone.Text(sparse);
    for (std::int32_t from = 3'000; from <= 9'001; ++from) {
      ASSERT_EQ(lone.Find(u"слово", from, -1, vb::rtfWholeWord), 9'001) << from;
    }
    EXPECT_EQ(lone.Find(u"слово", 9'002), -1);
  }
  for (const std::u16string what : {u"слово", u"Слово", u"ово жж", u"сс", u"жжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжжж"}) {
    for (const int options : {0, vb::rtfMatchCase, vb::rtfWholeWord, vb::rtfWholeWord | vb::rtfMatchCase}) {
      SCOPED_TRACE(U8(what) + " options " + std::to_string(options));
      for (const std::size_t from : {std::size_t{0}, std::size_t{65'000}, std::size_t{123'457}}) {
        const auto expected = plain(what, from, options);
        ASSERT_EQ(box.Matches(what, static_cast<std::int32_t>(from), options), expected) << from;
        EXPECT_EQ(box.Find(what, static_cast<std::int32_t>(from), -1, options), expected.empty() ? -1 : expected.front());
      }
    }
  }
}

// A text kept at one byte a character is searched in its bytes: it finds what the toolkit's search
// of the same text as UTF-16 finds, letters of every case the code page holds and characters that
// only fold to them, matches across the place of the last edit included.
TEST(GapText, ASearchOfTheBytesFindsWhatTheToolkitsSearchFinds) {
  const std::u16string text =
      u"Ёлка ёлка ЁЛКА елка. Micro µ and MICRO? Kelvin k K. ЇЖАК їжак Ґанок ґанок, №5 «ё» СЛОВОслово\r\nСЛОВО";
  vb::RichTextBox narrow;
  vb::RichTextBox wide;
  narrow.Text(text);
  wide.Text(text + u"\u2028");  // a character the code page lacks, after the rest: kept as UTF-16
  // An edit in the middle of "СЛОВОслово" leaves the gap there.
  narrow.SelStart(87);
  narrow.SelText(u"x");
  narrow.SelStart(87);
  narrow.SelLength(1);
  narrow.SelText(u"");
  ASSERT_EQ(narrow.Text(), text);
  const std::u16string needles[] = {u"ёлка", u"ЁЛКА", u"е", u"μ",      u"K", u"їжак", u"Ґ", u"ОС",
                                    u"словос", u"\r\nс", u"№5 «Ё»", u"ΜΙΚΡΟ", u"k", u"ОСЛ", u"Ж"};
  for (const std::u16string& what : needles) {
    for (const int options : {0, vb::rtfMatchCase, vb::rtfWholeWord, vb::rtfWholeWord | vb::rtfMatchCase}) {
      SCOPED_TRACE(U8(what) + " options " + std::to_string(options));
      for (const std::int32_t from : {0, 3, 80, 86, 87}) {
        ASSERT_EQ(narrow.Matches(what, from, options), wide.Matches(what, from, options)) << from;
      }
    }
  }
  EXPECT_EQ(narrow.Matches(u"ёлка", 0, 0), (std::vector<std::int32_t>{0, 5, 10}));
  EXPECT_EQ(narrow.Matches(u"μ", 0, 0), (std::vector<std::int32_t>{27})) << "µ folds to μ";
  EXPECT_EQ(narrow.Matches(u"ОСЛ", 0, 0), (std::vector<std::int32_t>{86})) << "across the gap";
}

}  // namespace
