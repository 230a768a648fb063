// The editor's own layout, seen through the shown control: where the caret and clicks land, what
// moves when the text, the indent or the width change, and a large text's far end.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QScrollBar>
#include <QTest>
#include <string>

#include "platform/richedit/editor_widget.h"
#include "platform/richedit/rich_text_box.h"
#include "platform/testing/win.h"
#include "platform/win/keys.h"
#include "platform/win/placement.h"
#include "platform/win/window.h"
#include "platform/win/window_record.h"

namespace {

using platform::richedit::EditorWidget;
using platform::testing::KeyClick;

// A shown control of the given size and the widget behind it.
struct Shown {
  vb::RichTextBox box;
  EditorWidget* edit = nullptr;

  explicit Shown(int width = 400, int height = 300) {
    win::MoveWindow(box.hWnd(), 0, 0, width, height, win::TRUE);
    platform::testing::ShowAndWait(box.hWnd());
    edit = dynamic_cast<EditorWidget*>(platform::detail::WidgetOf(box.hWnd()));
  }

  // The caret's rectangle, in the viewport, at control position `at`.
  QRect CaretAt(std::int32_t at) const { return edit->CaretRect(at); }
  std::int32_t Position() const { return edit->Caret(); }
  std::int32_t Paragraph(std::ptrdiff_t number) const { return edit->Text().ParagraphStart(number); }
  int LineHeight() const { return static_cast<int>(edit->Layout().Pitch()); }
  int Lines(std::ptrdiff_t paragraph) const { return edit->Layout().LinesOf(paragraph); }
  // Clicks the viewport at a point of it.
  void ClickAt(QPoint p) const { QTest::mouseClick(edit->viewport(), Qt::LeftButton, {}, p); }
};

std::u16string Words(int count) {
  std::u16string s;
  for (int i = 0; i < count; ++i) s += i % 3 == 0 ? u"съешь " : i % 3 == 1 ? u"мягких " : u"булок ";
  return s;
}

TEST(EditorLayout, ClicksAndArrowKeysLandOnTheCharacterUnderThem) {
  Shown s;
  s.box.Text(u"первая\r\nвторая строка\r\n" + Words(60) + u"\r\nпоследняя");
  const std::int32_t paragraph = s.Paragraph(2);
  ASSERT_GT(s.Lines(2), 2) << "the long paragraph wraps";

  // A click at the caret's place of a character puts the caret there, on every kind of line.
  for (std::int32_t at : {0, 3, s.Paragraph(1) + 6, paragraph + 5, paragraph + 200, s.Paragraph(3) + 4}) {
    const QRect caret = s.CaretAt(at);
    s.ClickAt(QPoint(caret.left() + 1, caret.center().y()));
    EXPECT_EQ(s.Position(), at) << "click at the caret of " << at;
  }

  // Down goes one line lower, within the wrapped paragraph too; Up comes back.
  const int pitch = s.LineHeight();
  ASSERT_GT(pitch, 0);
  s.box.SelStart(0);
  int y = s.CaretAt(s.Position()).top();
  for (int i = 0; i < 4; ++i) {
    KeyClick(s.box.hWnd(), win::VK_DOWN);
    EXPECT_EQ(s.CaretAt(s.Position()).top(), y + pitch) << "step " << i;
    y = s.CaretAt(s.Position()).top();
  }
  EXPECT_EQ(s.edit->Text().ParagraphOf(s.Position()), 2);
  KeyClick(s.box.hWnd(), win::VK_UP);
  EXPECT_EQ(s.CaretAt(s.Position()).top(), y - pitch);

  // Below the text, a click lands on its last line.
  s.ClickAt(QPoint(5, s.edit->viewport()->height() - 3));
  EXPECT_EQ(s.edit->Text().ParagraphOf(s.Position()), 3);
}

TEST(EditorLayout, ANewControlShowsEveryCharacterTypedIntoIt) {
  Shown s;
  int x = s.CaretAt(0).left();
  for (const char16_t* c = u"Жук"; *c != 0; ++c) {
    KeyClick(s.box.hWnd(), 'A', 0, std::u16string(1, *c));
    EXPECT_GT(s.CaretAt(s.Position()).left(), x) << "after " << (c - u"Жук");
    x = s.CaretAt(s.Position()).left();
  }
  const auto line = s.edit->Layout().LineAt(0);
  EXPECT_EQ(line.end, 3);
  EXPECT_EQ(s.edit->Layout().Shown(line).text(), QString::fromUtf8("Жук"));
  KeyClick(s.box.hWnd(), win::VK_RETURN);
  KeyClick(s.box.hWnd(), 'A', 0, u"я");
  EXPECT_EQ(s.edit->Layout().Shown(s.edit->Layout().LineAt(1)).text(), QString::fromUtf8("я"));
  EXPECT_EQ(s.CaretAt(s.Position()).top(), s.CaretAt(0).top() + s.LineHeight());
}

// The rightmost column of the viewport's picture with ink (text or caret) in the rows of a line.
int InkEnd(const QImage& picture, const QRect& line) {
  int end = -1;
  for (int y = line.top(); y <= line.bottom(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      if (qGray(picture.pixel(x, y)) < 128) end = std::max(end, x);
  return end;
}

TEST(EditorLayout, AnInputMethodsCompositionShowsAtTheCaretUntilItCommits) {
  Shown s;
  s.box.Text(u"слово");
  s.box.SelStart(5);
  s.edit->setFocus();
  const QRect line = s.CaretAt(5);
  const int before = InkEnd(s.edit->viewport()->grab().toImage(), line);
  QInputMethodEvent composing(QString::fromUtf8("жу"), {{QInputMethodEvent::Cursor, 2, 1, {}}});
  QApplication::sendEvent(s.edit, &composing);
  const QImage picture = s.edit->viewport()->grab().toImage();
  EXPECT_GT(InkEnd(picture, line), before + 8) << "the composed letters show after the word";
  EXPECT_EQ(s.box.Text(), u"слово") << "nothing is in the text before the method commits it";
  QInputMethodEvent commit;
  commit.setCommitString(QString::fromUtf8("жук"));
  QApplication::sendEvent(s.edit, &commit);
  EXPECT_EQ(s.box.Text(), u"словожук");
  EXPECT_EQ(s.box.SelStart(), 8);
}

TEST(EditorLayout, TheIndentShiftsAndRewrapsOnlyItsParagraph) {
  Shown s;
  s.box.Text(u"над\r\n" + Words(60) + u"\r\nпод");
  const int lines = s.Lines(1);
  const int x = s.CaretAt(s.Paragraph(1)).left();
  const int below = s.CaretAt(s.Paragraph(2)).top();
  s.box.ScaleMode = 3;  // pixels
  s.box.SelStart(8);
  s.box.SelIndent(96);
  EXPECT_EQ(s.CaretAt(s.Paragraph(1)).left(), x + 96);
  EXPECT_EQ(s.CaretAt(s.Paragraph(0)).left(), x) << "the paragraph above keeps its place";
  const int more = s.Lines(1);
  EXPECT_GT(more, lines) << "a narrower paragraph takes more lines";
  EXPECT_EQ(s.CaretAt(s.Paragraph(2)).top(), below + (more - lines) * s.LineHeight());
  s.box.SelIndent(0);
  EXPECT_EQ(s.CaretAt(s.Paragraph(1)).left(), x);
  EXPECT_EQ(s.CaretAt(s.Paragraph(2)).top(), below);
}

TEST(EditorLayout, EditsAndANewWidthMoveWhatFollows) {
  Shown s;
  s.box.Text(u"один\r\nдва\r\n" + Words(30) + u"\r\nконец");
  const int pitch = s.LineHeight();
  const int end = s.CaretAt(s.Paragraph(3)).top();
  s.box.SelStart(0);
  s.box.SelText(u"\r\n\r\n");
  EXPECT_EQ(s.CaretAt(s.Paragraph(5)).top(), end + 2 * pitch);
  s.box.SelStart(0);
  s.box.SelLength(4);
  s.box.SelText(u"");
  EXPECT_EQ(s.CaretAt(s.Paragraph(3)).top(), end);
  // Typing in a line that then wraps pushes the lines below it down.
  s.box.SelStart(2);
  s.box.SelText(Words(40));
  EXPECT_GT(s.CaretAt(s.Paragraph(3)).top(), end);
  EXPECT_EQ(s.edit->Layout().DocumentHeight(), 2 * 4 + s.edit->Layout().LineCount() * pitch);

  // Narrower, the long paragraph wraps into more lines and the last line goes lower.
  const int before = s.CaretAt(s.Paragraph(3)).top();
  win::MoveWindow(s.box.hWnd(), 0, 0, 200, 300, win::TRUE);
  EXPECT_GT(s.CaretAt(s.Paragraph(3)).top(), before);
  EXPECT_LE(s.edit->Layout().PageWidth(), s.edit->viewport()->width()) << "no sideways scrolling";
}

TEST(EditorLayout, ALargeTextShowsItsFarEndAndItsStart) {
  Shown s;
  std::u16string text;
  for (int i = 0; i < 40000; ++i) {
    text += u"строка " + std::u16string(i % 10 == 0 ? Words(50) : u"") + u"\r\n";
  }
  text += u"последняя";
  s.box.Text(text);
  QScrollBar* bar = s.edit->verticalScrollBar();
  KeyClick(s.box.hWnd(), win::VK_END, win::MK_CONTROL);
  EXPECT_EQ(s.box.SelStart(), static_cast<std::int32_t>(text.size()));
  EXPECT_TRUE(s.edit->viewport()->rect().contains(s.CaretAt(s.Position()))) << "the caret at the end is shown";
  EXPECT_GE(bar->value(), bar->maximum() - 4) << "scrolled to the end";
  // The estimate of the long paragraphs' lines was near enough that the end is where it scrolls.
  EXPECT_GT(s.edit->Layout().LineCount(), 40000 + 4000 * 2) << "the long paragraphs count as the lines they wrap into";

  KeyClick(s.box.hWnd(), win::VK_HOME, win::MK_CONTROL);
  EXPECT_EQ(s.box.SelStart(), 0);
  EXPECT_LE(bar->value(), 4);
  // A click at the middle of the viewport, after a page down, lands where the caret then shows.
  KeyClick(s.box.hWnd(), win::VK_NEXT);
  const QRect caret = s.CaretAt(s.Position());
  s.ClickAt(QPoint(caret.left() + 1, caret.center().y()));
  EXPECT_EQ(s.CaretAt(s.Position()).top(), caret.top());
}

TEST(EditorLayout, PictureOfSelectionIndentAndWrapping) {
  Shown s(360, 220);
  s.box.Text(u"Первая строка\r\n" + Words(24) + u"\r\nс отступом\r\n\r\nконец");
  s.box.ScaleMode = 3;
  s.box.SelStart(static_cast<std::int32_t>(s.box.Text().find(u"с отступом")));
  s.box.SelIndent(40);
  s.box.SelStart(7);
  s.box.SelLength(40);
  const QImage picture = s.edit->grab().toImage();
  EXPECT_TRUE(picture.save(QM_BINARY_DIR "/editor_layout.png"));
  // The indented line starts further right than the others.
  const QRect indented = s.CaretAt(s.Paragraph(2));
  EXPECT_GT(indented.left(), s.CaretAt(s.Paragraph(0)).left() + 30);
}

}  // namespace
