// The text the rich edit control keeps follows every kind of edit, and each change is reported as
// the one stretch that differs.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "platform/richedit/rich_text_box.h"
#include "platform/testing/win.h"
#include "platform/vb/clipboard.h"
#include "platform/win/keys.h"
#include "platform/win/window.h"
#include "support.h"

namespace {

using qmtest::U8;

// The text the control should hold: a model kept beside it, with CR LF for every line break.
struct Model {
  std::u16string text;
  void Replace(std::size_t at, std::size_t count, std::u16string_view with) {
    std::u16string crlf;
    for (std::size_t i = 0; i < with.size(); ++i) {
      if (with[i] == u'\r' || with[i] == u'\n') {
        crlf += u"\r\n";
        if (with[i] == u'\r' && i + 1 < with.size() && with[i + 1] == u'\n') ++i;
      } else {
        crlf += with[i];
      }
    }
    text.replace(at, count, crlf);
  }
};

// Checks the control against the model, and that its last change turns `before` into its text.
void ExpectFollows(const vb::RichTextBox& box, const Model& model, const std::u16string& before) {
  ASSERT_EQ(U8(box.Text()), U8(model.text));
  ASSERT_EQ(box.TextLength(), static_cast<std::int32_t>(model.text.size()));
  const vb::TextChange& c = box.LastChange();
  // The places, left to right, turn the old text into the new one: the text before a place is new
  // by then, so each place's position counts in the new text.
  std::u16string rebuilt = before;
  std::size_t from = 0;
  for (const vb::TextPlace& p : c.places) {
    const auto at = static_cast<std::size_t>(p.position);
    const auto removed = static_cast<std::size_t>(p.removed);
    ASSERT_LE(at + removed, rebuilt.size());
    ASSERT_LE(from + removed, c.removed.size());
    ASSERT_EQ(U8(rebuilt.substr(at, removed)), U8(c.removed.substr(from, removed)));
    rebuilt.replace(at, removed, model.text.substr(at, static_cast<std::size_t>(p.inserted)));
    from += removed;
  }
  ASSERT_EQ(from, c.removed.size());
  ASSERT_EQ(U8(rebuilt), U8(model.text));
}

// The one place of the control's last change.
vb::TextPlace OnlyPlace(const vb::RichTextBox& box) {
  EXPECT_EQ(box.LastChange().places.size(), 1u);
  return box.LastChange().places.empty() ? vb::TextPlace{-1, -1, -1} : box.LastChange().places.front();
}

TEST(RichTextBoxChanges, RandomEditsInCodeAreFollowedExactly) {
  vb::RichTextBox box;
  Model model;
  std::mt19937 random(7);
  const std::u16string pieces[] = {u"a", u"ж", u"\r\n", u"\n", u"\r", u"x\r\ny", u"\u00a0", u"\u2028", u"слово ", u""};
  int changes = 0;
  box.Change = [&] { ++changes; };
  box.Text(u"начало\r\nвторая строка\r\n\r\nконец");
  model.text = box.Text();
  for (int step = 0; step < 400; ++step) {
    const std::u16string before = model.text;
    const auto length = static_cast<std::int32_t>(model.text.size());
    std::int32_t start = std::uniform_int_distribution<std::int32_t>(0, length)(random);
    // A position inside a CR LF pair falls at the end of its line, as the control puts it.
    if (start > 0 && start < length && model.text[start - 1] == u'\r' && model.text[start] == u'\n') --start;
    box.SelStart(start);
    box.SelLength(std::uniform_int_distribution<std::int32_t>(0, 12)(random));
    const std::int32_t selStart = box.SelStart();
    const std::int32_t selLength = box.SelLength();
    ASSERT_EQ(box.SelText(), model.text.substr(static_cast<std::size_t>(selStart), static_cast<std::size_t>(selLength)));
    const std::u16string& piece = pieces[std::uniform_int_distribution<std::size_t>(0, std::size(pieces) - 1)(random)];
    const std::uint64_t revision = box.LastChange().revision;
    box.SelText(piece);
    if (piece.empty() && selLength == 0) {
      EXPECT_EQ(box.LastChange().revision, revision);  // nothing happened
      continue;
    }
    model.Replace(static_cast<std::size_t>(selStart), static_cast<std::size_t>(selLength), piece);
    ASSERT_NO_FATAL_FAILURE(ExpectFollows(box, model, before)) << "step " << step;
    EXPECT_EQ(box.LastChange().revision, revision + 1);
  }
  EXPECT_GT(changes, 300);
}

TEST(RichTextBoxChanges, TypingClipboardMessagesAndWholeTextAreFollowed) {
  vb::RichTextBox box;
  Model model;
  box.Text(u"один\r\nдва");
  model.text = box.Text();
  const auto step = [&](auto&& edit, std::size_t at, std::size_t count, std::u16string_view with) {
    const std::u16string before = model.text;
    edit();
    model.Replace(at, count, with);
    ExpectFollows(box, model, before);
  };
  box.SelStart(4);
  step([&] { platform::testing::KeyClick(box.hWnd(), win::VK_RETURN); }, 4, 0, u"\r\n");
  step([&] { platform::testing::KeyClick(box.hWnd(), 'A', 0, u"ж"); }, 6, 0, u"ж");
  step([&] { platform::testing::KeyClick(box.hWnd(), win::VK_BACK); }, 6, 1, u"");
  step([&] { platform::testing::KeyClick(box.hWnd(), win::VK_BACK); }, 4, 2, u"");  // joins the lines again
  box.SelStart(4);
  step([&] { platform::testing::KeyClick(box.hWnd(), win::VK_DELETE); }, 4, 2, u"");
  EXPECT_EQ(U8(box.Text()), "одиндва");

  box.SelStart(0);
  box.SelLength(4);
  step([&] { win::SendMessageA(box.hWnd(), win::WM_CUT, 0, 0); }, 0, 4, u"");
  box.SelStart(3);
  step([&] { win::SendMessageA(box.hWnd(), win::WM_PASTE, 0, 0); }, 3, 0, u"один");
  vb::Clipboard.SetText(u"a\nb\r\nc\rd");
  box.SelStart(0);
  box.SelLength(2);
  step([&] { win::SendMessageA(box.hWnd(), win::WM_PASTE, 0, 0); }, 0, 2, u"a\nb\r\nc\rd");
  box.SelStart(1);
  box.SelLength(5);
  step([&] { win::SendMessageA(box.hWnd(), win::WM_CLEAR, 0, 0); }, 1, 5, u"");

  // A whole new text is one change of the stretch that differs, placed furthest left.
  box.Text(u"aaaa");
  box.Text(u"aaaaa");
  EXPECT_EQ(OnlyPlace(box).position, 0);
  EXPECT_EQ(box.LastChange().removed, u"");
  EXPECT_EQ(OnlyPlace(box).inserted, 1);
  box.Text(u"bab\nbbb");
  EXPECT_EQ(OnlyPlace(box).position, 0);
  EXPECT_EQ(box.LastChange().removed, u"aaaaa");
  EXPECT_EQ(OnlyPlace(box).removed, 5);
  EXPECT_EQ(OnlyPlace(box).inserted, 8);
  EXPECT_EQ(box.TextRange(2, 3), u"b\r\n");
  EXPECT_EQ(box.TextRange(6, 99), u"bb");
}

// Replace All's change: many places at once, one Change, one last change that tells every place.
TEST(RichTextBoxChanges, AChangeInManyPlacesIsOneChangeFollowedExactly) {
  vb::RichTextBox box;
  Model model;
  std::mt19937 random(13);
  const std::u16string pieces[] = {u"", u"ё", u"\r\n", u"\n", u"x\ry", u"слово"};
  int changes = 0;
  box.Change = [&] { ++changes; };
  box.Text(u"Съешь же ещё\r\nэтих мягких\r\n\r\nфранцузских булок");
  model.text = box.Text();
  for (int step = 0; step < 200; ++step) {
    const std::u16string before = model.text;
    // Places left to right, none inside a CR LF pair, each replaced by one of the pieces; the model
    // takes them from the right, so the positions it is given stay those of the text before.
    std::vector<std::int32_t> cuts(2 * std::uniform_int_distribution<std::size_t>(2, 8)(random));
    for (std::int32_t& c : cuts) c = std::uniform_int_distribution<std::int32_t>(0, static_cast<std::int32_t>(before.size()))(random);
    std::sort(cuts.begin(), cuts.end());
    for (std::int32_t& c : cuts)
      if (c > 0 && c < static_cast<std::int32_t>(before.size()) && before[c - 1] == u'\r' && before[c] == u'\n') --c;
    std::vector<vb::TextPlace> places;
    std::u16string texts;
    std::vector<std::u16string_view> chosen;
    for (std::size_t i = 0; i < cuts.size(); i += 2) {
      const std::u16string& piece = pieces[std::uniform_int_distribution<std::size_t>(0, std::size(pieces) - 1)(random)];
      places.push_back({cuts[i], cuts[i + 1] - cuts[i], static_cast<std::int32_t>(piece.size())});
      texts += piece;
      chosen.push_back(piece);
    }
    for (std::size_t i = places.size(); i-- > 0;)
      model.Replace(static_cast<std::size_t>(places[i].position), static_cast<std::size_t>(places[i].removed), chosen[i]);
    const int before_changes = changes;
    box.Replace(places, texts);
    if (model.text == before && std::all_of(places.begin(), places.end(), [](const vb::TextPlace& p) { return p.removed == 0; }) && texts.empty())
      continue;
    ASSERT_EQ(changes, before_changes + 1) << "step " << step;
    ASSERT_NO_FATAL_FAILURE(ExpectFollows(box, model, before)) << "step " << step;
    const vb::TextPlace& last = box.LastChange().places.back();
    EXPECT_EQ(box.SelStart(), last.position + last.inserted) << "the caret after the last place's new text";
    EXPECT_EQ(box.SelLength(), 0);
  }
}

// Tags of line breaks that no place touched stay with their breaks, wherever the places before
// them took breaks out or put new ones in; the new breaks get 0.
TEST(RichTextBoxChanges, LineBreakTagsFollowEachPlaceOfAChange) {
  vb::RichTextBox box;
  box.Text(u"a\r\nb\r\nc\r\nd\r\ne");
  box.LineBreakTags({1, 2, 3, 4});
  // The first break goes, a new one comes after "c", and one letter changes without any break.
  box.Replace({{1, 2, 0}, {7, 0, 2}, {12, 1, 1}}, u"\r\nE");
  EXPECT_EQ(U8(box.Text()), U8(u"ab\r\nc\r\n\r\nd\r\nE"));
  EXPECT_EQ(box.LineBreakTags(), (std::vector<std::uint8_t>{2, 0, 3, 4}));
  // A place that takes out as many breaks as it puts in keeps their tags, as an edit in one place does.
  box.Replace({{0, 1, 1}, {2, 2, 2}}, u"A\r\n");
  EXPECT_EQ(U8(box.Text()), U8(u"Ab\r\nc\r\n\r\nd\r\nE"));
  EXPECT_EQ(box.LineBreakTags(), (std::vector<std::uint8_t>{2, 0, 3, 4}));
}

// The last change holds what it removed, and no more: the room of a long text removed before goes
// with the next change.
TEST(RichTextBoxChanges, ASmallChangeAfterALargeOneHoldsNoMemoryOfIt) {
  vb::RichTextBox box;
  box.Text(std::u16string(1'000'000, u'ж'));
  box.Text(u"");
  EXPECT_EQ(box.LastChange().removed.size(), 1'000'000u);
  box.SelText(u"a");
  EXPECT_LT(box.LastChange().removed.capacity(), 100u);
  box.Text(std::u16string(1'000'000, u'ж'));
  box.Text(u"b");
  box.Text(u"c");
  EXPECT_LT(box.LastChange().removed.capacity(), 100u);
}

}  // namespace
