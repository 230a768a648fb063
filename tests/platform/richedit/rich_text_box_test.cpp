#include "platform/richedit/rich_text_box.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/codepage/codepage.h"
#include "platform/vb/clipboard.h"
#include "platform/vb/error.h"
#include "platform/win/keys.h"
#include "platform/win/window.h"
#include "support.h"

namespace {

using qmtest::ReadBytes;
using qmtest::U8;
using qmtest::WriteBytes;

std::u16string Path(const std::filesystem::path& p) { return vb::FromUtf8(p.string()); }

TEST(RichTextBoxText, LineBreaksReadBackAsCrLfAndCountTwo) {
  vb::RichTextBox box;
  box.Text(u"ab\ncd\ref\r\ngh");
  EXPECT_EQ(U8(box.Text()), U8(u"ab\r\ncd\r\nef\r\ngh"));
  box.Text(u"");
  EXPECT_EQ(box.Text(), u"");
  box.Text(u"строка\r\n\r\n");
  EXPECT_EQ(box.Text(), u"строка\r\n\r\n");
  box.SelStart(1000);
  EXPECT_EQ(box.SelStart(), 10);
}

TEST(RichTextBoxText, ATakenTextWithOtherSeparatorsReadsBackAsTheEditorHoldsIt) {
  // Lone breaks and the paragraph separator break lines in the editor: they read back as CR LF,
  // and positions and later edits count them so.
  vb::RichTextBox box;
  box.TakeText(u"a\rb\nc\u2029d\r\ne");
  EXPECT_EQ(U8(box.Text()), U8(u"a\r\nb\r\nc\r\nd\r\ne"));
  EXPECT_EQ(box.TextLength(), 13);
  box.SelStart(13);
  box.SelText(u"!");
  EXPECT_EQ(U8(box.Text()), U8(u"a\r\nb\r\nc\r\nd\r\ne!"));
  box.SelStart(4);
  box.SelLength(2);
  box.SelText(u"");
  EXPECT_EQ(U8(box.Text()), U8(u"a\r\nbc\r\nd\r\ne!"));
}

TEST(RichTextBoxText, SelectionCountsCrLfAsTwo) {
  vb::RichTextBox box;
  box.Text(u"ab\r\ncd\r\nef");
  box.SelStart(4);
  box.SelLength(4);
  EXPECT_EQ(box.SelStart(), 4);
  EXPECT_EQ(box.SelLength(), 4);
  EXPECT_EQ(U8(box.SelText()), "cd\r\n");
  box.SelStart(0);
  box.SelLength(10);
  EXPECT_EQ(box.SelLength(), 10);
  EXPECT_EQ(box.SelText(), box.Text());
  box.SelLength(500);  // clamped to the text
  EXPECT_EQ(box.SelLength(), 10);
  // A position between CR and LF falls at the end of its line.
  box.SelStart(3);
  EXPECT_EQ(box.SelStart(), 2);
}

TEST(RichTextBoxText, SelTextReplacesTheSelectionAndLeavesTheCaretAfterIt) {
  vb::RichTextBox box;
  box.Text(u"один два три");
  box.SelStart(5);
  box.SelLength(3);
  box.SelText(u"2\r\n2");
  EXPECT_EQ(U8(box.Text()), "один 2\r\n2 три");
  EXPECT_EQ(box.SelStart(), 5 + 4);
  EXPECT_EQ(box.SelLength(), 0);
  box.SelText(u"!");
  EXPECT_EQ(U8(box.Text()), "один 2\r\n2! три");
}

TEST(RichTextBoxText, PositionsStayExactInLargeDocuments) {
  std::u16string text;
  for (int i = 0; i < 60000; ++i) text += u"строка номер " + vb::CStr(static_cast<std::int64_t>(i)) + u"\r\n";
  text += u"конец";
  vb::RichTextBox box;
  box.Text(text);
  ASSERT_EQ(box.Text().size(), text.size());
  const auto at = static_cast<std::int32_t>(text.find(u"номер 54321\r\n"));
  box.SelStart(at);
  box.SelLength(13);
  EXPECT_EQ(box.SelStart(), at);
  EXPECT_EQ(U8(box.SelText()), "номер 54321\r\n");
  EXPECT_EQ(box.Find(u"конец", 0), static_cast<std::int32_t>(text.size()) - 5);
}

TEST(RichTextBoxEvents, ChangeOnlyForRealTextChanges) {
  vb::RichTextBox box;
  int changes = 0;
  int selChanges = 0;
  box.Change = [&] { ++changes; };
  box.SelChange = [&] { ++selChanges; };
  box.Text(u"abc");
  EXPECT_EQ(changes, 1);
  box.Text(u"abc");  // the same text
  EXPECT_EQ(changes, 1);
  box.FontName(u"Arial");
  box.FontSize(14);
  box.ScaleMode = 6;
  box.SelIndent(13);
  EXPECT_EQ(changes, 1);
  box.SelText(u"");  // nothing selected, nothing inserted
  EXPECT_EQ(changes, 1);
  selChanges = 0;
  box.SelStart(1);
  EXPECT_EQ(selChanges, 1);
  box.SelLength(1);
  EXPECT_EQ(selChanges, 2);
  win::SendMessageA(box.hWnd(), win::WM_CLEAR, 0, 0);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(box.Text(), u"ac");
}

TEST(RichTextBoxEvents, KeyPressCanDropOrReplaceTheCharacter) {
  vb::RichTextBox box;
  int pressed = 0;
  box.KeyPress = [&](int& keyAscii) {
    ++pressed;
    if (keyAscii == 'x') keyAscii = 0;
    if (keyAscii == 'a') keyAscii = u'Я';
  };
  win::SendMessageA(box.hWnd(), win::WM_CHAR, 'x', 0);
  win::SendMessageA(box.hWnd(), win::WM_CHAR, 'a', 0);
  EXPECT_EQ(pressed, 2);
  EXPECT_EQ(U8(box.Text()), "Я");
}

TEST(RichTextBoxEvents, KeyDownReportsEveryKeyWithoutTyping) {
  vb::RichTextBox box;
  std::vector<int> codes;
  box.KeyDown = [&](int& keyCode, int shift) {
    codes.push_back(keyCode);
    EXPECT_EQ(shift, 0);
  };
  win::SendMessageA(box.hWnd(), win::WM_KEYDOWN, win::VK_F1, 0);
  win::SendMessageA(box.hWnd(), win::WM_KEYDOWN, 'A', 0);
  EXPECT_EQ(codes, (std::vector<int>{win::VK_F1, 'A'}));
  EXPECT_EQ(box.Text(), u"");
}

TEST(RichTextBoxEvents, MouseDownReportsButtonAndTwips) {
  vb::RichTextBox box;
  int button = 0;
  float x = 0;
  float y = 0;
  box.MouseDown = [&](int b, int, float px, float py) {
    button = b;
    x = px;
    y = py;
  };
  win::SendMessageA(box.hWnd(), win::WM_RBUTTONDOWN, win::MK_RBUTTON, win::MAKELPARAM(10, 20));
  EXPECT_EQ(button, 2);
  EXPECT_FLOAT_EQ(x, 150);
  EXPECT_FLOAT_EQ(y, 300);
}

TEST(RichTextBoxFormat, SelIndentInTheContainersScaleAndNeverNegative) {
  vb::RichTextBox box;
  box.Text(u"первый\r\nвторой");
  box.ScaleMode = 6;  // millimetres
  box.SelIndent(box.SelIndent() + 13);
  EXPECT_NEAR(box.SelIndent(), 13, 0.3);
  box.ScaleMode = 1;
  EXPECT_NEAR(box.SelIndent(), 13 * 1440 / 25.4, 15);
  box.SelIndent(-200);
  EXPECT_EQ(box.SelIndent(), 0);
  box.SelStart(9);  // the second line keeps its own indent
  EXPECT_EQ(box.SelIndent(), 0);

  // A new text starts unindented: the old last paragraph's indent goes to none of its lines.
  box.SelIndent(500);
  box.Text(u"новый\r\nтекст\r\nцеликом");
  for (std::int32_t at : {0, 7, 14}) {
    box.SelStart(at);
    EXPECT_EQ(box.SelIndent(), 0) << "line at " << at;
  }
}

TEST(RichTextBoxFind, OptionsStartAndSelection) {
  vb::RichTextBox box;
  box.Text(u"abc abcabc");
  EXPECT_EQ(box.Find(u"abc", 0, -1, vb::rtfWholeWord), 0);
  EXPECT_EQ(box.SelStart(), 0);
  EXPECT_EQ(box.SelLength(), 3);
  EXPECT_EQ(box.Find(u"abc", box.SelStart() + box.SelLength(), -1, vb::rtfWholeWord), -1);
  EXPECT_EQ(box.SelStart(), 0);  // a miss leaves the selection
  EXPECT_EQ(box.Find(u"abc", 3), 4);
  EXPECT_EQ(box.Find(u"ABC", 5), 7);
  EXPECT_EQ(box.Find(u"ABC", 0, -1, vb::rtfMatchCase), -1);
  EXPECT_EQ(box.Find(u"", 0), -1);
  EXPECT_EQ(box.Find(u"abc", 4, 6), -1);  // the match would end after `end`

  box.Text(u"Первая строка\r\nвторая СТРОКА\r\nтретья");
  EXPECT_EQ(box.Find(u"строка", 7), 7);
  EXPECT_EQ(box.Find(u"строка", 8), 22);
  EXPECT_EQ(box.Find(u"СТРОКА", 0, -1, vb::rtfMatchCase), 22);
  EXPECT_EQ(box.Find(u"строка\r\nтре", 0), 22);
  EXPECT_EQ(box.SelLength(), 11);
}

// The list of matches is what Find gives one search after another, and selects nothing.
TEST(RichTextBoxFind, MatchesAreFindsOneAfterAnother) {
  vb::RichTextBox box;
  box.Text(u"aaaa Aa\r\naa-aab");
  box.SelStart(3);
  EXPECT_EQ(box.Matches(u"aa"), (std::vector<std::int32_t>{0, 2, 5, 9, 12}));
  EXPECT_EQ(box.Matches(u"aa", 3), (std::vector<std::int32_t>{5, 9, 12}));
  EXPECT_EQ(box.Matches(u"aa", 0, vb::rtfMatchCase), (std::vector<std::int32_t>{0, 2, 9, 12}));
  EXPECT_EQ(box.Matches(u"aa", 0, vb::rtfWholeWord), (std::vector<std::int32_t>{5, 9}));
  EXPECT_EQ(box.Matches(u"a\r\na"), (std::vector<std::int32_t>{6}));
  EXPECT_TRUE(box.Matches(u"").empty());
  EXPECT_TRUE(box.Matches(u"aa", 100).empty());
  EXPECT_EQ(box.SelStart(), 3);
  EXPECT_EQ(box.SelLength(), 0);
  std::vector<std::int32_t> finds;
  for (std::int32_t at = box.Find(u"aa", 0, -1, vb::rtfWholeWord); at != -1;
       at = box.Find(u"aa", box.SelStart() + box.SelLength(), -1, vb::rtfWholeWord))
    finds.push_back(at);
  EXPECT_EQ(finds, box.Matches(u"aa", 0, vb::rtfWholeWord));
  // Cyrillic letters fold their case, Ё and ё too.
  box.Text(u"Ёлка ёлка ЁЛКА");
  EXPECT_EQ(box.Matches(u"ёлка"), (std::vector<std::int32_t>{0, 5, 10}));
  EXPECT_EQ(box.Find(u"ЁЛКА", 1), 5);
}

TEST(RichTextBoxMessages, LineIndexCountsCrLfAsTwo) {
  vb::RichTextBox box;
  box.Text(u"one\r\ntwo\r\n\r\nfour");
  const win::HWND h = box.hWnd();
  EXPECT_EQ(win::SendMessageA(h, win::EM_LINEINDEX, 0, 0), 0);
  EXPECT_EQ(win::SendMessageA(h, win::EM_LINEINDEX, 1, 0), 5);
  EXPECT_EQ(win::SendMessageA(h, win::EM_LINEINDEX, 2, 0), 10);
  EXPECT_EQ(win::SendMessageA(h, win::EM_LINEINDEX, 3, 0), 12);
  EXPECT_EQ(win::SendMessageA(h, win::EM_LINEINDEX, 4, 0), -1);
  box.SelStart(7);
  EXPECT_EQ(win::SendMessageA(h, win::EM_LINEINDEX, static_cast<win::WPARAM>(-1), 0), 5);
}

TEST(RichTextBoxMessages, ClipboardMessagesAndLocked) {
  vb::RichTextBox box;
  box.Text(u"раз\r\nдва три");
  box.SelStart(0);
  box.SelLength(8);
  win::SendMessageA(box.hWnd(), win::WM_COPY, 0, 0);
  EXPECT_EQ(U8(vb::Clipboard.GetText()), "раз\nдва");  // the desktop's line breaks
  win::SendMessageA(box.hWnd(), win::WM_CUT, 0, 0);
  EXPECT_EQ(U8(box.Text()), " три");
  box.SelStart(4);
  win::SendMessageA(box.hWnd(), win::WM_PASTE, 0, 0);
  EXPECT_EQ(U8(box.Text()), " трираз\r\nдва");

  box.Locked(true);
  box.SelStart(0);
  box.SelLength(3);
  win::SendMessageA(box.hWnd(), win::WM_CLEAR, 0, 0);
  win::SendMessageA(box.hWnd(), win::WM_PASTE, 0, 0);
  EXPECT_EQ(U8(box.Text()), " трираз\r\nдва");
  box.Text(u"из кода");  // code still changes a locked control
  EXPECT_EQ(U8(box.Text()), "из кода");
}

TEST(RichTextBoxFiles, Windows1251FileLoadsAndSavesBackByteForByte) {
  qmtest::TempDir dir;
  std::string bytes;
  for (int line = 0; line < 4; ++line) {
    for (int b = 0; b < 256; ++b)
      if (b != '\r' && b != '\n') bytes.push_back(static_cast<char>(b));
    bytes += "\r\n";
  }
  bytes += "\xcf\xf0\xe8\xe2\xe5\xf2";  // the last line has no line break
  WriteBytes(dir.path() / "in.txt", bytes);
  vb::RichTextBox box;
  box.LoadFile(Path(dir.path() / "in.txt"));
  EXPECT_EQ(box.FileName(), Path(dir.path() / "in.txt"));
  EXPECT_EQ(box.Text().substr(box.Text().size() - 6), u"Привет");
  EXPECT_NE(box.Text().find(u'\u0098'), std::u16string::npos);
  box.SaveFile(Path(dir.path() / "out.txt"));
  EXPECT_EQ(ReadBytes(dir.path() / "out.txt"), bytes);
}

TEST(RichTextBoxFiles, FileNameLoadsAndLineBreaksOfAnyKindAreRead) {
  qmtest::TempDir dir;
  WriteBytes(dir.path() / "unix.txt", "a\nb\rc\r\n");
  vb::RichTextBox box;
  int changes = 0;
  box.Change = [&] { ++changes; };
  box.FileName(Path(dir.path() / "unix.txt"));
  EXPECT_EQ(U8(box.Text()), "a\r\nb\r\nc\r\n");
  EXPECT_EQ(changes, 1);
}

TEST(RichTextBoxFiles, FailuresRaiseAndLeaveTheText) {
  qmtest::TempDir dir;
  vb::RichTextBox box;
  box.Text(u"как было");
  try {
    box.LoadFile(Path(dir.path() / "missing.txt"));
    FAIL() << "no error";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Number, 53);
  }
  WriteBytes(dir.path() / "broken.rtf", "{\\rtf1\\ansi {\\b unclosed");
  try {
    box.LoadFile(Path(dir.path() / "broken.rtf"));
    FAIL() << "no error";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Number, 321);
  }
  EXPECT_EQ(U8(box.Text()), "как было");
  // As plain text the same file loads.
  box.LoadFile(Path(dir.path() / "broken.rtf"), vb::rtfText);
  EXPECT_EQ(U8(box.Text()), "{\\rtf1\\ansi {\\b unclosed");
}

TEST(RichTextBoxFiles, RtfFileLoadsAsText) {
  vb::RichTextBox box;
  box.LoadFile(vb::FromUtf8(std::string(QM_SOURCE_DIR) + "/tests/platform/richedit/data/oldstyle1251.rtf"));
  EXPECT_EQ(U8(box.Text().substr(0, 25)), "Привет, мир! Ёлка и ёжик.");
  EXPECT_EQ(box.Text().substr(25, 2), u"\r\n");
}

}  // namespace

namespace {

win::LONG_PTR previousProc = 0;
int subclassSaw = 0;

win::LRESULT Subclass(win::HWND h, win::UINT msg, win::WPARAM w, win::LPARAM l) {
  if (msg == win::EM_LINEINDEX) ++subclassSaw;
  return win::CallWindowProcA(previousProc, h, msg, w, l);
}

win::LRESULT PlainProc(win::HWND h, win::UINT msg, win::WPARAM w, win::LPARAM l) { return win::DefWindowProc(h, msg, w, l); }

TEST(RichTextBoxWindow, SubclassSeesMessagesBeforeTheControl) {
  vb::RichTextBox box;
  box.Text(u"a\r\nb");
  previousProc = win::SetWindowLongA(box.hWnd(), win::GWL_WNDPROC, reinterpret_cast<win::LONG_PTR>(&Subclass));
  EXPECT_EQ(win::SendMessageA(box.hWnd(), win::EM_LINEINDEX, 1, 0), 3);
  EXPECT_EQ(subclassSaw, 1);
  win::SetWindowLongA(box.hWnd(), win::GWL_WNDPROC, previousProc);
}

TEST(RichTextBoxWindow, ChildOfAWindowGoesWithIt) {
  win::WNDCLASSA wc;
  wc.lpszClassName = "RichEditHost";
  wc.lpfnWndProc = &PlainProc;
  win::RegisterClassA(wc);
  const win::HWND host = win::CreateWindowExA(0, "RichEditHost", u"", win::WS_POPUP, 0, 0, 200, 100, 0, 0, 0, nullptr);
  vb::RichTextBox box(host);
  EXPECT_EQ(win::GetParent(box.hWnd()), host);
  win::DestroyWindow(host);
  EXPECT_FALSE(win::IsWindow(box.hWnd()));
}

}  // namespace
