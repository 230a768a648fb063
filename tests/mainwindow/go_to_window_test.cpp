// The go-to window: lines counted from 1, the caret at a line's first character, and every entry
// that names no line of the text told as such, the window staying for another entry.
#include "find_windows_support.h"

using namespace qmtest;

namespace {

class GoToWindowTest : public FindWindowsTest {
 protected:
  frmGoTo& g() { return GoToWindow(); }
  void Go(const std::u16string& entry) {
    g().txtGo.Text(entry);
    g().cmdGo.Value(true);
  }
};

TEST_F(GoToWindowTest, PutsTheCaretAtTheLineAndCloses) {
  Document(u"первая\r\nвторая\r\n\r\nчетвёртая");
  w().CmdFindGoTo();
  EXPECT_EQ(g().Caption(), u"Перейти...");
  EXPECT_EQ(g().txtGo.Text(), u"");
  EXPECT_TRUE(g().cmdGo.Enabled());
  Select(3, 2);
  Go(u"1");
  EXPECT_EQ(editor().SelStart(), 0);
  EXPECT_EQ(editor().SelLength(), 0);
  EXPECT_FALSE(g().IsLoaded());
  w().CmdFindGoTo();
  Go(u"4");
  EXPECT_EQ(editor().SelStart(), 18);
  w().CmdFindGoTo();
  Go(u" 2 ");
  EXPECT_EQ(editor().SelStart(), 8);
  EXPECT_TRUE(Prompts().empty());
}

TEST_F(GoToWindowTest, AnEntryThatNamesNoLineIsToldAndTheWindowStays) {
  Document(u"одна\r\nдве\r\nтри");
  w().CmdFindGoTo();
  editor().SelStart(6);
  for (const std::u16string entry : {u"4", u"0", u"-1", u"3.6", u"4,5", u"0.4", u"два", u"1e1", u"2.5.1", u",", u"2147483649",
                                     u"99999999999999999999"}) {
    AnswerBox(vb::vbOK);
    Go(entry);
    EXPECT_EQ(LastBox().prompt, u"Неверный номер строки!\nСтрока №" + entry + u" не существует.");
    EXPECT_EQ(LastBox().flags, vb::vbExclamation);
    EXPECT_TRUE(g().Visible());
    EXPECT_EQ(editor().SelStart(), 6);
  }
}

// A number with a fraction goes to the nearest line, a half to the even neighbour: of three lines,
// "2.5" and "2,5" take the third (2.5 less one is 1.5, which rounds to 2), "1.5" the first.
TEST_F(GoToWindowTest, AFractionGoesToTheNearestLineAHalfToTheEvenOne) {
  Document(u"одна\r\nдве\r\nтри");
  for (const auto& [entry, start] : {std::pair{u"2.5", 11}, {u"2,5", 11}, {u"1.5", 0}, {u"2.4", 6}, {u"1,6", 6},
                                     {u"3.49", 11}, {u"0.5", 0}}) {
    w().CmdFindGoTo();
    editor().SelStart(2);
    Go(entry);
    EXPECT_EQ(editor().SelStart(), start) << vb::ToUtf8(entry);
    EXPECT_FALSE(g().IsLoaded()) << vb::ToUtf8(entry);
  }
  EXPECT_TRUE(Prompts().empty());
}

TEST_F(GoToWindowTest, AnEmptyBoxAsksForANumberAndDisablesGo) {
  Document(u"строка");
  w().CmdFindGoTo();
  g().txtGo.Text(u"5");
  EXPECT_TRUE(g().cmdGo.Enabled());
  g().txtGo.Text(u"");
  EXPECT_FALSE(g().cmdGo.Enabled());
  AnswerBox(vb::vbOK);
  g().cmdGo.Value(true);
  EXPECT_EQ(Prompts(), std::vector<std::u16string>{u"Введите номер строки!"});
  EXPECT_TRUE(g().Visible());
}

TEST(GoToEntry, NumbersFromOneToTheLargest32BitLine) {
  EXPECT_EQ(frmGoTo::LineOfEntry(u"1"), 0);
  EXPECT_EQ(frmGoTo::LineOfEntry(u"007"), 6);
  EXPECT_EQ(frmGoTo::LineOfEntry(u"2147483647"), 2147483646);
  // The line less one must be a 32-bit number.
  EXPECT_EQ(frmGoTo::LineOfEntry(u"2147483648"), 2147483647);
  EXPECT_EQ(frmGoTo::LineOfEntry(u"2147483649"), std::nullopt);
  EXPECT_EQ(frmGoTo::LineOfEntry(u"0"), std::nullopt);
  EXPECT_EQ(frmGoTo::LineOfEntry(u"+3"), std::nullopt);
  EXPECT_EQ(frmGoTo::LineOfEntry(u"2147483648.4"), 2147483647);
  EXPECT_EQ(frmGoTo::LineOfEntry(u"2147483648.5"), std::nullopt);
  EXPECT_EQ(frmGoTo::LineOfEntry(u"  "), std::nullopt);
  EXPECT_EQ(frmGoTo::LineOfEntry(u"١"), std::nullopt);  // digits of another script
}

}  // namespace
