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
  for (const std::u16string entry : {u"4", u"0", u"-1", u"2.5", u"два", u"1e1", u"2147483648", u"99999999999999999999"}) {
    AnswerBox(vb::vbOK);
    Go(entry);
    EXPECT_EQ(LastBox().prompt, u"Неверный номер строки!\nСтрока №" + entry + u" не существует.");
    EXPECT_EQ(LastBox().flags, vb::vbExclamation);
    EXPECT_TRUE(g().Visible());
    EXPECT_EQ(editor().SelStart(), 6);
  }
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

TEST(GoToEntry, WholeNumbersFromOneToTheLargest32BitNumber) {
  EXPECT_EQ(frmGoTo::LineOfEntry(u"1"), 0);
  EXPECT_EQ(frmGoTo::LineOfEntry(u"007"), 6);
  EXPECT_EQ(frmGoTo::LineOfEntry(u"2147483647"), 2147483646);
  EXPECT_EQ(frmGoTo::LineOfEntry(u"2147483648"), std::nullopt);
  EXPECT_EQ(frmGoTo::LineOfEntry(u"0"), std::nullopt);
  EXPECT_EQ(frmGoTo::LineOfEntry(u"+3"), std::nullopt);
  EXPECT_EQ(frmGoTo::LineOfEntry(u"  "), std::nullopt);
  EXPECT_EQ(frmGoTo::LineOfEntry(u"١"), std::nullopt);  // digits of another script
}

}  // namespace
