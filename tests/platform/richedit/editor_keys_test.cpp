// The editor's keys as the user presses them: deleting a character, a code point, a word; moving
// and selecting by characters, words and lines (a line break is one step); the clipboard's keys;
// and a locked text, which moves and copies but takes no edit.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <string>

#include "platform/richedit/editor_widget.h"
#include "platform/richedit/rich_text_box.h"
#include "platform/testing/win.h"
#include "platform/vb/clipboard.h"
#include "platform/win/keys.h"
#include "platform/win/placement.h"
#include "platform/win/window.h"
#include "platform/win/window_record.h"
#include "support.h"

namespace {

using platform::testing::KeyClick;
using qmtest::U8;

constexpr int kShift = win::MK_SHIFT;
constexpr int kControl = win::MK_CONTROL;

struct Box {
  vb::RichTextBox box;
  Box() {
    win::MoveWindow(box.hWnd(), 0, 0, 400, 200, win::TRUE);
    platform::testing::ShowAndWait(box.hWnd());
  }
  void Key(int vk, int modifiers = 0, const std::u16string& text = {}) { KeyClick(box.hWnd(), vk, modifiers, text); }
  std::string Text() const { return U8(box.Text()); }
};

TEST(EditorKeys, DeleteAndBackspaceTakeCharactersCodePointsWordsAndLineBreaks) {
  Box b;
  b.box.Text(u"один два\r\nтри");
  b.box.SelStart(8);
  b.Key(win::VK_DELETE);  // the line break, whole
  EXPECT_EQ(b.Text(), "один дватри");
  b.Key(win::VK_BACK);
  EXPECT_EQ(b.Text(), "один двтри");
  EXPECT_EQ(b.box.SelStart(), 7);
  b.Key(win::VK_BACK, kControl);  // to the word's start
  EXPECT_EQ(b.Text(), "один три");
  EXPECT_EQ(b.box.SelStart(), 5);
  b.Key(win::VK_DELETE, kControl);  // to the next word's start
  EXPECT_EQ(b.Text(), "один ");
  b.box.SelStart(0);
  b.box.SelLength(2);
  b.Key(win::VK_DELETE);  // a selection goes whole
  EXPECT_EQ(b.Text(), "ин ");

  // Backspace takes a surrogate pair whole and an accent alone; Delete takes the letter with its
  // accent, as the user sees one character.
  b.box.Text(u"a\U0001F600b\u0435\u0301c");
  b.box.SelStart(3);
  b.Key(win::VK_BACK);
  EXPECT_EQ(b.box.Text(), u"ab\u0435\u0301c");
  b.box.SelStart(4);
  b.Key(win::VK_BACK);
  EXPECT_EQ(b.box.Text(), u"ab\u0435c");
  b.box.Text(u"ab\u0435\u0301c");
  b.box.SelStart(2);
  b.Key(win::VK_DELETE);
  EXPECT_EQ(b.box.Text(), u"abc");
  // Backspace at a line's start joins it to the line above.
  b.box.Text(u"раз\r\nдва");
  b.box.SelStart(5);
  b.Key(win::VK_BACK);
  EXPECT_EQ(b.Text(), "раздва");
}

TEST(EditorKeys, MovesBySteppingOverWordsAndLineBreaksAndSelectingWithShift) {
  Box b;
  b.box.Text(u"один, два три\r\nчетыре");
  b.box.SelStart(0);
  b.Key(win::VK_RIGHT, kControl);  // past the word
  EXPECT_EQ(b.box.SelStart(), 4);
  b.Key(win::VK_RIGHT, kControl);  // past the comma and the space
  EXPECT_EQ(b.box.SelStart(), 6);
  b.Key(win::VK_RIGHT, kControl | kShift);
  EXPECT_EQ(U8(b.box.SelText()), "два ");
  b.Key(win::VK_RIGHT);  // a selection collapses to its end
  EXPECT_EQ(b.box.SelStart(), 10);
  EXPECT_EQ(b.box.SelLength(), 0);
  b.Key(win::VK_LEFT, kShift);
  b.Key(win::VK_LEFT, kShift);
  b.Key(win::VK_LEFT);  // and to its start
  EXPECT_EQ(b.box.SelStart(), 8);
  b.Key(win::VK_END);
  EXPECT_EQ(b.box.SelStart(), 13);
  b.Key(win::VK_RIGHT);  // the line break is one step
  EXPECT_EQ(b.box.SelStart(), 15);
  b.Key(win::VK_LEFT);
  EXPECT_EQ(b.box.SelStart(), 13);
  b.Key(win::VK_RIGHT);
  b.Key(win::VK_LEFT, kControl);  // from a line's start to the line above's end
  EXPECT_EQ(b.box.SelStart(), 13);
  b.Key(win::VK_HOME, kShift);
  EXPECT_EQ(U8(b.box.SelText()), "один, два три");
  b.Key('A', kControl);
  EXPECT_EQ(b.box.SelLength(), b.box.TextLength());

  // Shift+Enter breaks the line as Enter does; Tab types a tab.
  b.box.SelStart(4);
  b.Key(win::VK_RETURN, kShift);
  b.Key(win::VK_TAB, 0, u"\t");
  EXPECT_EQ(b.Text(), "один\r\n\t, два три\r\nчетыре");
  // Selecting down from the last line takes the rest of it; up from the first, what is before.
  b.box.SelStart(b.box.TextLength() - 2);
  b.Key(win::VK_DOWN, kShift);
  EXPECT_EQ(U8(b.box.SelText()), "ре");
  b.box.SelStart(2);
  b.Key(win::VK_UP, kShift);
  EXPECT_EQ(U8(b.box.SelText()), "од");
}

TEST(EditorKeys, TheClipboardsKeysAndALockedText) {
  Box b;
  b.box.Text(u"раз два");
  b.box.SelStart(0);
  b.box.SelLength(3);
  b.Key('C', kControl);
  EXPECT_EQ(U8(vb::Clipboard.GetText()), "раз");
  b.box.SelStart(7);
  b.Key('V', kControl);
  EXPECT_EQ(b.Text(), "раз двараз");
  b.box.SelStart(0);
  b.box.SelLength(4);
  b.Key(win::VK_DELETE, kShift);  // cut
  EXPECT_EQ(b.Text(), "двараз");
  EXPECT_EQ(U8(vb::Clipboard.GetText()), "раз ");
  b.Key(win::VK_INSERT, kShift);  // paste
  EXPECT_EQ(b.Text(), "раз двараз");

  // Locked: keys move and copy; typing, deleting and pasting change nothing.
  std::u16string lines;
  for (int i = 0; i < 200; ++i) lines += u"строка\r\n";
  b.box.Text(lines);
  b.box.Locked(true);
  b.box.SelStart(0);
  b.Key('A', 0, u"ж");
  b.Key(win::VK_BACK);
  b.Key(win::VK_DELETE);
  b.Key('V', kControl);
  b.Key(win::VK_RETURN);
  EXPECT_TRUE(b.box.Text() == lines);
  b.Key(win::VK_RIGHT, kShift);
  EXPECT_EQ(U8(b.box.SelText()), "с");
  b.Key('C', kControl);
  EXPECT_EQ(U8(vb::Clipboard.GetText()), "с");
  auto* edit = dynamic_cast<platform::richedit::EditorWidget*>(platform::detail::WidgetOf(b.box.hWnd()));
  ASSERT_NE(edit, nullptr);
  const int top = edit->verticalScrollBar()->value();
  b.Key(win::VK_SPACE, 0, u" ");  // pages down
  EXPECT_GT(edit->verticalScrollBar()->value(), top);
  EXPECT_TRUE(b.box.Text() == lines);
  b.box.Locked(false);
  b.Key('A', 0, u"ж");  // over the selected letter
  EXPECT_EQ(U8(b.box.TextRange(0, 6)), "жтрока");
}

}  // namespace
