// A change of the editor's text in many places at once (what Replace All makes): the text, its
// paragraphs and their indents come out as the same places changed one after another would leave
// them, and the change tells what each place held.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "platform/richedit/editor_text.h"
#include "platform/richedit/gap_text.h"
#include "support.h"

namespace {

using platform::richedit::EditorText;
using platform::richedit::GapText;
using qmtest::U8;

// Places and their texts, and what they make of a text.
struct Request {
  std::vector<vb::TextPlace> places;  // positions in the text before
  std::u16string texts;

  // The text after, the places as made (positions in it), and what they removed, one after another.
  struct Outcome {
    std::u16string text;
    std::vector<vb::TextPlace> places;
    std::u16string removed;
  };
  Outcome Apply(const std::u16string& before) const {
    Outcome o;
    std::size_t copied = 0;
    std::size_t from = 0;
    for (const vb::TextPlace& p : places) {
      o.text += before.substr(copied, static_cast<std::size_t>(p.position) - copied);
      o.places.push_back({static_cast<std::int32_t>(o.text.size()), p.removed, p.inserted});
      o.text += texts.substr(from, static_cast<std::size_t>(p.inserted));
      o.removed += before.substr(static_cast<std::size_t>(p.position), static_cast<std::size_t>(p.removed));
      copied = static_cast<std::size_t>(p.position + p.removed);
      from += static_cast<std::size_t>(p.inserted);
    }
    o.text += before.substr(copied);
    return o;
  }
};

// Random places in `text`, apart and none inside a CR LF pair, each with one of `pieces`.
Request RandomRequest(const std::u16string& text, std::mt19937& random, const std::vector<std::u16string>& pieces) {
  const auto length = static_cast<std::int32_t>(text.size());
  std::vector<std::int32_t> cuts(2 * std::uniform_int_distribution<std::size_t>(1, 12)(random));
  for (std::int32_t& c : cuts) c = std::uniform_int_distribution<std::int32_t>(0, length)(random);
  std::sort(cuts.begin(), cuts.end());
  for (std::int32_t& c : cuts)
    if (c > 0 && c < length && text[c - 1] == u'\r' && text[c] == u'\n') --c;
  Request r;
  for (std::size_t i = 0; i < cuts.size(); i += 2) {
    const std::u16string& piece = pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
    r.places.push_back({cuts[i], cuts[i + 1] - cuts[i], static_cast<std::int32_t>(piece.size())});
    r.texts += piece;
  }
  return r;
}

// Every way of reading the text agrees with `expected`.
void ExpectText(GapText& t, const std::u16string& expected) {
  ASSERT_EQ(t.size(), expected.size());
  ASSERT_TRUE(t.Equals(expected));
  std::u16string scratch;
  for (std::size_t at = 0; at <= expected.size(); at += 3) ASSERT_EQ(t.Piece(at, 7, scratch), expected.substr(at, 7)) << at;
  ASSERT_EQ(U8(t.Whole()), U8(expected));
}

TEST(TextInPlaces, TheTextMovesOnceAndEveryPlaceGetsItsOwnText) {
  std::mt19937 random(17);
  const std::vector<std::u16string> pieces = {u"", u"ё", u"ЖЖЖЖЖЖ", u"\r\n", u"x", u"длинная замена "};
  GapText t;
  std::u16string model = u"Съешь же ещё этих мягких французских булок, да выпей чаю.\r\nвторая строка";
  t.Assign(model);
  for (int step = 0; step < 300; ++step) {
    // The gap left anywhere by an edit of one place: before the places, among them or after them.
    const std::size_t at = std::uniform_int_distribution<std::size_t>(0, model.size())(random);
    t.Replace(at, 0, u"й");
    model.insert(at, u"й");
    const Request r = RandomRequest(model, random, pieces);
    const Request::Outcome expected = r.Apply(model);
    std::u16string removed = u"до";
    t.Replace(r.places, r.texts, removed);
    ASSERT_EQ(U8(removed), U8(u"до" + expected.removed)) << "step " << step;
    model = expected.text;
    ASSERT_NO_FATAL_FAILURE(ExpectText(t, model)) << "step " << step;
  }
  EXPECT_TRUE(t.Narrow());

  // A text the code page lacks turns the whole text to UTF-16, the places as they were.
  const Request r{{{1, 2, 1}, {5, 0, 2}}, u"€😀"};
  const Request::Outcome expected = r.Apply(model);
  std::u16string removed;
  t.Replace(r.places, r.texts, removed);
  EXPECT_FALSE(t.Narrow());
  EXPECT_EQ(U8(removed), U8(expected.removed));
  ASSERT_NO_FATAL_FAILURE(ExpectText(t, expected.text));
}

// Two texts with the same paragraphs and indents: the one changed in all places at once, the other
// a place after another.
struct TwoTexts {
  EditorText atOnce;
  EditorText inTurn;
  explicit TwoTexts(const std::u16string& text) {
    for (EditorText* e : {&atOnce, &inTurn}) {
      GapText chars;
      chars.Assign(text);
      e->Assign(std::move(chars));
      for (std::ptrdiff_t p = 0; p < e->Paragraphs(); p += 3) e->SetIndent(p, p, static_cast<double>(p % 7));
    }
  }
  void ExpectSame() const {
    ASSERT_EQ(U8(atOnce.Range(0, atOnce.Length())), U8(inTurn.Range(0, inTurn.Length())));
    ASSERT_EQ(atOnce.Paragraphs(), inTurn.Paragraphs());
    for (std::ptrdiff_t p = 0; p < atOnce.Paragraphs(); ++p) {
      ASSERT_EQ(atOnce.ParagraphStart(p), inTurn.ParagraphStart(p)) << p;
      ASSERT_EQ(atOnce.Indent(p), inTurn.Indent(p)) << p;
    }
  }
};

TEST(TextInPlaces, ParagraphsAndIndentsFollowEveryPlaceAsEditsOneAfterAnotherDo) {
  std::mt19937 random(23);
  const std::vector<std::u16string> pieces = {u"", u"ё", u"\r\n", u"a\r\nb", u"\r\n\r\n", u"слово", u"ёё"};
  std::u16string start;
  for (int line = 0; line < 60; ++line) start += std::u16string(static_cast<std::size_t>(line % 9), u'е') + u"\r\n";
  TwoTexts two(start + u"конец");
  for (int step = 0; step < 200; ++step) {
    const std::u16string before = two.atOnce.Range(0, two.atOnce.Length());
    const Request r = RandomRequest(before, random, pieces);
    const Request::Outcome expected = r.Apply(before);
    const EditorText::Change c = two.atOnce.Replace(r.places, r.texts);
    std::int32_t shift = 0;
    std::size_t from = 0;
    for (const vb::TextPlace& p : r.places) {
      two.inTurn.Replace(p.position + shift, p.removed, std::u16string_view(r.texts).substr(from, static_cast<std::size_t>(p.inserted)));
      from += static_cast<std::size_t>(p.inserted);
      shift += p.inserted - p.removed;
    }
    ASSERT_NO_FATAL_FAILURE(two.ExpectSame()) << "step " << step;
    ASSERT_EQ(U8(two.atOnce.Range(0, two.atOnce.Length())), U8(expected.text));
    ASSERT_EQ(U8(c.removed), U8(expected.removed));
    ASSERT_EQ(c.places.size(), expected.places.size());
    for (std::size_t i = 0; i < c.places.size(); ++i) {
      EXPECT_EQ(c.places[i].position, expected.places[i].position) << i;
      EXPECT_EQ(c.places[i].removed, expected.places[i].removed) << i;
      EXPECT_EQ(c.places[i].inserted, expected.places[i].inserted) << i;
    }
    // The one edit it amounts to runs from the first place's start to the last one's end.
    EXPECT_EQ(c.span.at, r.places.front().position);
    EXPECT_EQ(c.span.removed, r.places.back().position + r.places.back().removed - c.span.at);
    EXPECT_EQ(c.span.inserted, expected.places.back().position + expected.places.back().inserted - c.span.at);
    EXPECT_EQ(c.span.paragraph, std::count(before.begin(), before.begin() + c.span.at, u'\n'));
  }
}

TEST(TextInPlaces, PlacesAreFittedToTheTextAndTheirLineBreaksMadeCrLf) {
  TwoTexts two(u"ab\r\ncd\r\nef");
  // A place that begins between CR and LF begins before the CR; one that ends there ends before it;
  // one that reaches back into the place before begins at that one's end; one past the end stops
  // there; a lone LF put in becomes CR LF.
  const EditorText::Change c = two.atOnce.Replace({{3, 1, 1}, {4, 2, 1}, {5, 0, 0}, {7, 9, 2}}, u"XY\nZ");
  EXPECT_EQ(U8(two.atOnce.Range(0, two.atOnce.Length())), U8(u"abX\r\nY\r\nZ"));
  EXPECT_EQ(U8(c.removed), U8(u"cd\r\nef"));
  const std::vector<std::vector<std::int32_t>> made = {{2, 0, 1}, {5, 2, 1}, {6, 0, 0}, {6, 4, 3}};
  ASSERT_EQ(c.places.size(), made.size());
  for (std::size_t i = 0; i < made.size(); ++i)
    EXPECT_EQ((std::vector<std::int32_t>{c.places[i].position, c.places[i].removed, c.places[i].inserted}), made[i]) << i;
  EXPECT_EQ(two.atOnce.Paragraphs(), 3);
  EXPECT_EQ(two.atOnce.ParagraphStart(1), 5);
  EXPECT_EQ(two.atOnce.ParagraphStart(2), 8);
}

}  // namespace
