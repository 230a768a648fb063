// A large text taken a step at a time: stopped, the control is exactly as it was; completed, it is
// exactly as a text taken at once leaves it, and edits after it are followed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/richedit/rich_text_box.h"
#include "platform/testing/win.h"
#include "platform/vb/error.h"
#include "platform/win/keys.h"
#include "platform/win/window.h"
#include "support.h"

namespace {

using qmtest::U8;

// About 1.3 million characters in lines of every length, so the text takes several steps.
std::u16string LargeText() {
  std::u16string text;
  for (int line = 0; text.size() < 1'300'000; ++line) {
    text += std::u16string(static_cast<std::size_t>(line % 97), static_cast<char16_t>(u'а' + line % 32));
    text += u"\r\n";
  }
  return text + u"конец";
}

// A control with a text, a selection, line-break tags and a last change of its own, and its events
// counted.
struct Box {
  vb::RichTextBox box;
  int changes = 0;
  int selChanges = 0;
  Box() {
    box.Text(u"старый текст\r\nвторая строка\r\nтретья");
    box.LineBreakTags({1, 2});
    box.SelStart(3);
    box.SelLength(5);
    box.Change = [this] { ++changes; };
    box.SelChange = [this] { ++selChanges; };
  }
};

TEST(RichTextBoxSteps, AStoppedTakeLeavesTheControlAsItWas) {
  Box b;
  const std::u16string before = b.box.Text();
  const auto last = b.box.LastChange();
  std::vector<std::size_t> done;
  const bool taken = b.box.TakeText(LargeText(), [&](std::size_t d, std::size_t total) {
    EXPECT_EQ(total, LargeText().size());
    done.push_back(d);
    return done.size() < 2;
  });
  EXPECT_FALSE(taken);
  ASSERT_EQ(done.size(), 2u);
  EXPECT_LT(done[0], done[1]);
  EXPECT_EQ(b.box.Text(), before);
  EXPECT_EQ(b.box.SelStart(), 3);
  EXPECT_EQ(b.box.SelLength(), 5);
  EXPECT_EQ(b.box.LastChange().revision, last.revision);
  EXPECT_EQ(b.box.LineBreakTags(), (std::vector<std::uint8_t>{1, 2}));
  EXPECT_EQ(b.changes, 0);
  EXPECT_EQ(b.selChanges, 0);
  // The editor still shows the old text and its edits are still followed.
  b.box.SelText(u"X");
  EXPECT_EQ(U8(b.box.Text()), U8(u"стаXекст\r\nвторая строка\r\nтретья"));
  EXPECT_EQ(b.changes, 1);
}

TEST(RichTextBoxSteps, ACompletedTakeEqualsATakeAtOnce) {
  Box atOnce;
  Box inSteps;
  for (vb::RichTextBox* b : {&atOnce.box, &inSteps.box}) {  // a new text starts unindented, whatever the old one had
    b->SelLength(1000);
    b->SelIndent(300);
  }
  const std::u16string text = LargeText();
  atOnce.box.TakeText(text);
  std::size_t steps = 0;
  std::size_t lastDone = 0;
  EXPECT_TRUE(inSteps.box.TakeText(text, [&](std::size_t done, std::size_t total) {
    ++steps;
    EXPECT_GT(done, lastDone);
    EXPECT_LE(done, total);
    lastDone = done;
    // The editor shows its old text until the new one is in whole.
    EXPECT_EQ(inSteps.box.TextLength(), 35);
    return true;
  }));
  EXPECT_GT(steps, 1u);
  EXPECT_EQ(lastDone, text.size());
  ASSERT_TRUE(inSteps.box.Text() == atOnce.box.Text());
  EXPECT_TRUE(inSteps.box.Text() == text);
  for (vb::RichTextBox* b : {&atOnce.box, &inSteps.box}) {
    EXPECT_EQ(b->SelStart(), 0);
    EXPECT_EQ(b->SelLength(), 0);
    ASSERT_EQ(b->LastChange().places.size(), 1u);
    EXPECT_EQ(b->LastChange().places[0].position, 0);
    EXPECT_EQ(U8(b->LastChange().removed), U8(u"старый текст\r\nвторая строка\r\nтретья"));
    EXPECT_EQ(b->LastChange().places[0].inserted, static_cast<std::int32_t>(text.size()));
    EXPECT_TRUE(b->LineBreakTags().empty());
  }
  EXPECT_EQ(inSteps.box.LastChange().revision, atOnce.box.LastChange().revision);
  EXPECT_EQ(inSteps.changes, 1);
  EXPECT_GE(inSteps.selChanges, 1);  // the selection went to the start
  EXPECT_EQ(inSteps.box.SelIndent(), 0);
  EXPECT_EQ(atOnce.box.SelIndent(), 0);
  EXPECT_EQ(win::SendMessageA(inSteps.box.hWnd(), win::EM_LINEINDEX, 5000, 0),
            win::SendMessageA(atOnce.box.hWnd(), win::EM_LINEINDEX, 5000, 0));

  // Edits after it, in code and typed, are followed in the text taken in steps as in the other.
  for (vb::RichTextBox* b : {&atOnce.box, &inSteps.box}) {
    b->SelStart(1'000'001);
    b->SelLength(3);
    b->SelText(u"новое\r\n");
    platform::testing::KeyClick(b->hWnd(), win::VK_BACK);
    platform::testing::KeyClick(b->hWnd(), 'A', 0, u"ж");
  }
  EXPECT_TRUE(inSteps.box.Text() == atOnce.box.Text());
  EXPECT_EQ(inSteps.box.LastChange().places[0].position, atOnce.box.LastChange().places[0].position);
  EXPECT_EQ(inSteps.changes, 4);
  EXPECT_EQ(inSteps.box.Find(u"новое", 0), atOnce.box.Find(u"новое", 0));
}

TEST(RichTextBoxSteps, TheSameTextTakesNoStepAndAnUnloadedEditorRaises) {
  Box b;
  int steps = 0;
  EXPECT_TRUE(b.box.TakeText(b.box.Text(), [&](std::size_t, std::size_t) { return ++steps, true; }));
  EXPECT_EQ(steps, 0);
  EXPECT_EQ(b.changes, 0);

  // The window that holds the control goes while the text is taken.
  win::WNDCLASSA wc;
  wc.lpszClassName = "StepsHost";
  wc.lpfnWndProc = [](win::HWND h, win::UINT m, win::WPARAM w, win::LPARAM l) { return win::DefWindowProc(h, m, w, l); };
  win::RegisterClassA(wc);
  const win::HWND host = win::CreateWindowExA(0, "StepsHost", u"", win::WS_POPUP, 0, 0, 200, 100, 0, 0, 0, nullptr);
  vb::RichTextBox child(host);
  EXPECT_THROW(child.TakeText(LargeText(), [&](std::size_t, std::size_t) {
    if (win::IsWindow(host)) win::DestroyWindow(host);
    platform::testing::ReturnToEventLoop();  // where the window's widget goes
    return true;
  }), vb::Error);
}

}  // namespace
