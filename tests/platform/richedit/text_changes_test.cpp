// The text the rich edit control keeps follows every kind of edit, and each change is reported as
// the one stretch that differs.
#include <gtest/gtest.h>

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

}  // namespace
