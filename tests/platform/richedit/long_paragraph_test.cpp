// A paragraph of hundreds of thousands of characters (a text without line breaks): an edit breaks
// again only the lines near it, and the lines come out where a layout of the whole would put them;
// the indent, the caret, clicks and the selection hold on every line of it.
#include <gtest/gtest.h>

#include <QFont>
#include <QImage>
#include <QTextLayout>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "platform/richedit/editor_layout.h"
#include "platform/richedit/editor_text.h"
#include "platform/richedit/editor_widget.h"
#include "platform/richedit/rich_text_box.h"
#include "platform/testing/richedit.h"
#include "platform/testing/win.h"
#include "platform/win/keys.h"
#include "platform/win/placement.h"
#include "platform/win/window.h"
#include "platform/win/window_record.h"
#include "support.h"

namespace {

using platform::richedit::EditorLayout;
using platform::richedit::EditorText;
using platform::richedit::EditorWidget;
using platform::richedit::GapText;
using platform::testing::KeyClick;

std::u16string Prose(std::size_t length) { return platform::testing::RussianProse(length); }

// Where every line of the text starts.
std::vector<std::int32_t> LineStarts(EditorLayout& layout) {
  std::vector<std::int32_t> starts;
  for (std::int32_t n = 0; n < layout.LineCount(); ++n) starts.push_back(layout.LineAt(n).start);
  return starts;
}

// The same from one layout of each whole paragraph in the toolkit's own way: the lines a page
// `width` wide holds, margins and no indent.
std::vector<std::int32_t> WholeLayoutStarts(const EditorText& text, qreal width) {
  std::vector<std::int32_t> starts;
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  for (std::ptrdiff_t p = 0; p < text.Paragraphs(); ++p) {
    QTextLayout layout(QString::fromStdU16String(text.Range(text.ParagraphStart(p), text.ParagraphLength(p))), QFont());
    layout.setTextOption(option);
    layout.beginLayout();
    const std::size_t before = starts.size();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(width - 2 * EditorLayout::kMargin);
      starts.push_back(text.ParagraphStart(p) + line.textStart());
    }
    layout.endLayout();
    if (starts.size() == before) starts.push_back(text.ParagraphStart(p));  // an empty paragraph
  }
  return starts;
}

TEST(LongParagraph, EditsBreakTheLinesAsALayoutOfTheWholeDoes) {
  // A text that repeats one sentence (whose lines, once shifted, may never break where they did
  // again) and one that does not.
  std::u16string varied;
  std::mt19937 words(3);
  while (varied.size() < 6000) varied += std::u16string(std::uniform_int_distribution<std::size_t>(1, 14)(words), u'щ') + u" ";
  for (const std::u16string& paragraph : {Prose(6000), varied}) {
    EditorText text;
    GapText chars;
    chars.Assign(u"перед\r\n" + paragraph + u"\r\nпосле");
    text.Assign(std::move(chars));
    EditorLayout layout(text);
    layout.SetPageWidth(230);
    ASSERT_GT(layout.LinesOf(1), 100);
    std::mt19937 random(5);
    // Edits of every kind: letters, spaces that open a break, long words that fill a line,
    // deletions that let a word go up a line, line breaks that split and join paragraphs; between
    // them, questions about single lines, so that lines not yet broken again outlast several edits.
    const std::u16string pieces[] = {u"ж", u" ", u"  ", u"сверхдлинноеслово", u"", u"\r\n", u"а б в г д е ж з"};
    for (int step = 0; step < 400; ++step) {
      const std::int32_t length = text.Length();
      const std::int32_t at = std::uniform_int_distribution<std::int32_t>(0, length)(random);
      const std::int32_t count = std::uniform_int_distribution<std::int32_t>(0, step % 7 == 0 ? 40 : 3)(random);
      const std::u16string& piece = pieces[std::uniform_int_distribution<std::size_t>(0, std::size(pieces) - 1)(random)];
      layout.Follow(text.Replace(at, std::min(count, length - at), piece));
      const EditorLayout::Line asked = layout.LineOf(std::uniform_int_distribution<std::int32_t>(0, text.Length())(random));
      ASSERT_LE(asked.start, asked.end);
      if (step % 10 != 9) continue;
      ASSERT_EQ(LineStarts(layout), WholeLayoutStarts(text, 230)) << "step " << step;
      EditorLayout fresh(text);
      fresh.SetPageWidth(230);
      ASSERT_EQ(LineStarts(fresh), WholeLayoutStarts(text, 230)) << "step " << step;
    }
  }
}

// Replace All changes many places at once, some far apart in one long paragraph, some in short ones
// around it; the lines come out as a layout of the whole puts them.
TEST(LongParagraph, AChangeInManyPlacesBreaksTheLinesAsALayoutOfTheWholeDoes) {
  EditorText text;
  GapText chars;
  chars.Assign(u"перед\r\nкороткая строка\r\n" + Prose(6000) + u"\r\nпосле\r\nконец");
  text.Assign(std::move(chars));
  EditorLayout layout(text);
  layout.SetPageWidth(230);
  const std::u16string pieces[] = {u"ё", u"сверхдлинноеслово", u"", u"\r\n", u" "};
  std::mt19937 random(9);
  for (int step = 0; step < 40; ++step) {
    // Lines are asked about before the change, so some of them were laid out and are followed.
    layout.LineOf(std::uniform_int_distribution<std::int32_t>(0, text.Length())(random));
    std::vector<std::int32_t> at(2 * std::uniform_int_distribution<std::size_t>(1, 30)(random));
    for (std::int32_t& a : at) a = text.Snap(std::uniform_int_distribution<std::int32_t>(0, text.Length())(random));
    std::sort(at.begin(), at.end());
    std::vector<vb::TextPlace> places;
    std::u16string texts;
    for (std::size_t i = 0; i < at.size(); i += 2) {
      const std::u16string& piece = pieces[std::uniform_int_distribution<std::size_t>(0, std::size(pieces) - 1)(random)];
      places.push_back({at[i], std::min(at[i + 1] - at[i], 3), static_cast<std::int32_t>(piece.size())});
      texts += piece;
    }
    layout.Follow(text.Replace(places, texts).span);
    ASSERT_EQ(LineStarts(layout), WholeLayoutStarts(text, 230)) << "step " << step;
  }
}

// A shown control holding one paragraph of `length` characters.
struct Shown {
  vb::RichTextBox box;
  EditorWidget* edit = nullptr;

  explicit Shown(std::size_t length) {
    win::MoveWindow(box.hWnd(), 0, 0, 420, 300, win::TRUE);
    platform::testing::ShowAndWait(box.hWnd());
    edit = dynamic_cast<EditorWidget*>(platform::detail::WidgetOf(box.hWnd()));
    box.Text(Prose(length));
  }
  EditorLayout& Layout() const { return edit->Layout(); }
  void Show() const { edit->viewport()->repaint(); }
};

TEST(LongParagraph, ATypedKeyBreaksOnlyTheLinesNearIt) {
  Shown s(1'000'000);
  s.box.SelStart(500'000);
  s.Show();
  const std::int64_t before = s.Layout().CharactersBroken();
  KeyClick(s.box.hWnd(), 'A', 0, u"ж");
  s.Show();
  KeyClick(s.box.hWnd(), win::VK_BACK);
  KeyClick(s.box.hWnd(), win::VK_BACK);
  s.Show();
  EXPECT_LT(s.Layout().CharactersBroken() - before, 20'000) << "three keys broke lines far from them";
  EXPECT_EQ(s.box.SelStart(), 499'999);
  EXPECT_EQ(s.box.TextLength(), 999'999);
  // The caret shows where it is, and the lines around it are those of a whole layout.
  EXPECT_TRUE(s.edit->viewport()->rect().contains(s.edit->CaretRect(s.box.SelStart())));
  EditorLayout fresh(s.edit->Text());
  fresh.SetPageWidth(s.Layout().PageWidth());
  fresh.SetFont(s.edit->font());
  const std::int32_t line = s.Layout().LineOf(499'999).number;
  for (std::int32_t n = line - 30; n <= line + 30; ++n) EXPECT_EQ(s.Layout().LineAt(n).start, fresh.LineAt(n).start) << n;
}

TEST(LongParagraph, TheIndentHoldsOnEveryLineAndClicksAndKeysFollowIt) {
  Shown s(100'000);
  s.box.ScaleMode = 3;  // pixels
  s.box.SelIndent(40);
  const int margin = static_cast<int>(EditorLayout::kMargin);
  // In the middle of the paragraph, after typing there, every shown line begins at the indent.
  s.box.SelStart(50'000);
  KeyClick(s.box.hWnd(), 'A', 0, u"ж");
  KeyClick(s.box.hWnd(), win::VK_SPACE, 0, u" ");
  s.Show();
  const EditorLayout::Line here = s.Layout().LineOf(s.box.SelStart());
  for (std::int32_t n = here.number - 5; n <= here.number + 5; ++n) {
    const EditorLayout::Line line = s.Layout().LineAt(n);
    const QRect start = s.edit->CaretRect(line.start);
    EXPECT_EQ(start.left(), margin + 40) << n;
    // A click just right of the indent lands on the line's first character.
    QTest::mouseClick(s.edit->viewport(), Qt::LeftButton, {}, QPoint(start.left() + 1, start.center().y()));
    EXPECT_EQ(s.box.SelStart(), line.start) << n;
  }
  EXPECT_NEAR(s.box.SelIndent(), 40, 0.01);

  // Down and Up keep the caret's x across the lines; Home and End keep it on its line.
  s.box.SelStart(here.start + 10);
  const int x = s.edit->CaretRect(s.box.SelStart()).left();
  const int y = s.edit->CaretRect(s.box.SelStart()).top();
  for (int i = 1; i <= 3; ++i) {
    KeyClick(s.box.hWnd(), win::VK_DOWN);
    EXPECT_NEAR(s.edit->CaretRect(s.box.SelStart()).left(), x, 8) << i;
    EXPECT_EQ(s.edit->CaretRect(s.box.SelStart()).top(), y + i * static_cast<int>(s.Layout().Pitch()));
  }
  KeyClick(s.box.hWnd(), win::VK_HOME);
  EXPECT_EQ(s.box.SelStart(), s.Layout().LineOf(s.box.SelStart()).start);
  EXPECT_EQ(s.edit->CaretRect(s.box.SelStart()).left(), margin + 40);
  KeyClick(s.box.hWnd(), win::VK_END);
  const EditorLayout::Line line = s.Layout().LineOf(s.box.SelStart());
  EXPECT_EQ(s.edit->CaretRect(s.box.SelStart()).top(), y + 3 * static_cast<int>(s.Layout().Pitch())) << "End stays on the line";
  EXPECT_GE(s.box.SelStart(), line.end - 1);
  // Shift+Up selects back across the line above.
  KeyClick(s.box.hWnd(), win::VK_UP, win::MK_SHIFT);
  EXPECT_GT(s.box.SelLength(), 10);

  // The end of the paragraph: its last line shows the last characters, at the indent.
  KeyClick(s.box.hWnd(), win::VK_END, win::MK_CONTROL);
  EXPECT_EQ(s.box.SelStart(), s.box.TextLength());
  const EditorLayout::Line last = s.Layout().LineOf(s.box.SelStart());
  EXPECT_TRUE(last.last);
  EXPECT_EQ(s.edit->CaretRect(last.start).left(), margin + 40);
  EXPECT_TRUE(s.edit->viewport()->rect().contains(s.edit->CaretRect(s.box.SelStart())));
}

TEST(LongParagraph, PictureOfASelectionAcrossItsLines) {
  Shown s(200'000);
  s.box.ScaleMode = 3;
  s.box.SelIndent(24);
  s.box.SelStart(120'000);
  KeyClick(s.box.hWnd(), 'A', 0, u"Ж");
  s.box.SelStart(120'000 - 150);
  s.box.SelLength(300);
  s.Show();
  const QImage picture = s.edit->grab().toImage();
  EXPECT_TRUE(picture.save(QM_BINARY_DIR "/long_paragraph.png"));
  // The selection shows on the lines it covers and on none other: the highlight's rows.
  const QColor highlight = s.edit->palette().color(QPalette::Inactive, QPalette::Highlight);
  const QRect first = s.edit->CaretRect(120'000 - 150);
  const QRect end = s.edit->CaretRect(120'000 + 150);
  const auto highlighted = [&](int y) {
    for (int x = 0; x < picture.width(); ++x)
      if (picture.pixelColor(x, y) == highlight || picture.pixelColor(x, y) == s.edit->palette().color(QPalette::Active, QPalette::Highlight)) return true;
    return false;
  };
  EXPECT_TRUE(highlighted(first.center().y()));
  EXPECT_TRUE(highlighted(end.center().y()));
  EXPECT_FALSE(highlighted(first.top() - static_cast<int>(s.Layout().Pitch()) / 2));
  EXPECT_FALSE(highlighted(end.bottom() + static_cast<int>(s.Layout().Pitch()) / 2));
}

}  // namespace
