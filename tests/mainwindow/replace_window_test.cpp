// The replace window: when its replace buttons are enabled, Replace only on a match of the search
// text, Replace All's question, its true count, its end, and its one step of the edit history.
#include "find_windows_support.h"

#include <random>

using namespace qmtest;

namespace {

class ReplaceWindowTest : public FindWindowsTest {
 protected:
  frmReplace& r() { return ReplaceWindow(); }
  // The window opened afresh on the document, searching `what` to replace it by `with`.
  void Open(const std::u16string& text, const std::u16string& what, const std::u16string& with) {
    if (r().IsLoaded()) r().Unload();
    Document(text);
    w().CmdFindReplace();
    r().cboFind.Text(what);
    r().cboReplace.Text(with);
  }
  bool ReplaceButtons() {
    EXPECT_EQ(r().cmdReplace.Enabled(), r().cmdReplaceAll.Enabled());
    return r().cmdReplace.Enabled();
  }
  // Replace All answered `answer`, its count (when `counted`) taken note of.
  void ReplaceAll(int answer = vb::vbYes, bool counted = true) {
    AnswerBox(answer);
    if (answer == vb::vbYes && counted) AnswerBox(vb::vbOK);
    r().cmdReplaceAll.Value(true);
  }
};

TEST_F(ReplaceWindowTest, TheReplaceButtonsFollowTheSearch) {
  Document(u"раз два раз");
  Select(0, 3);
  w().CmdFindReplace();
  EXPECT_EQ(r().Caption(), u"Найти и заменить");
  EXPECT_FALSE(ReplaceButtons());
  EXPECT_EQ(r().cboFind.Text(), u"раз");
  EXPECT_EQ(r().cboReplace.Text(), u"");
  EXPECT_TRUE(r().cmdFind.Default());
  r().cmdFind.Value(true);
  EXPECT_TRUE(ReplaceButtons());
  EXPECT_EQ(r().cmdFind.Caption(), u"Найти далее");
  r().cmdFind.Value(true);
  EXPECT_EQ(editor().SelStart(), 8);
  AnswerBox(vb::vbOK);
  r().cmdFind.Value(true);  // a miss while going on
  EXPECT_FALSE(ReplaceButtons());
  EXPECT_EQ(r().cmdFind.Caption(), u"Найти");
  // A miss from the beginning leaves the buttons as they are.
  r().cmdReplace.Enabled(true);
  r().cmdReplaceAll.Enabled(true);
  r().cboFind.Text(u"пять");
  AnswerBox(vb::vbOK);
  r().cmdFind.Value(true);
  EXPECT_TRUE(ReplaceButtons());
  EXPECT_EQ(Prompts(), (std::vector<std::u16string>{u"Поиск завершен!", u"Поиск завершен!"}));
}

// Replace takes the selected match and selects the next; after the last, the warning.
TEST_F(ReplaceWindowTest, ReplaceWalksThroughTheMatches) {
  Open(u"кот, кот и кот", u"кот", u"пёс");
  r().cmdFind.Value(true);
  r().cmdReplace.Value(true);
  EXPECT_EQ(editor().Text(), u"пёс, кот и кот");
  EXPECT_EQ(editor().SelStart(), 5);
  EXPECT_EQ(Selection(), u"кот");
  r().cmdReplace.Value(true);
  EXPECT_EQ(editor().SelStart(), 11);
  AnswerBox(vb::vbOK);
  r().cmdReplace.Value(true);
  EXPECT_EQ(editor().Text(), u"пёс, пёс и пёс");
  EXPECT_EQ(LastBox().prompt, u"Поиск завершен!");
  EXPECT_EQ(LastBox().flags, vb::vbExclamation);
  EXPECT_EQ(r().cmdFind.Caption(), u"Найти");
  EXPECT_FALSE(ReplaceButtons());
}

// A selection that is not a match (another text, a match of other case with match case on, or a
// part of a word with whole words on) is never replaced: the search runs first from its start.
TEST_F(ReplaceWindowTest, ReplaceNeverTouchesASelectionThatIsNoMatch) {
  Open(u"один два один", u"один", u"1");
  r().cmdFind.Value(true);
  Select(5, 3);  // "два"
  r().cmdReplace.Value(true);
  EXPECT_EQ(editor().Text(), u"один два один");
  EXPECT_EQ(editor().SelStart(), 9);
  EXPECT_EQ(Selection(), u"один");
  AnswerBox(vb::vbOK);
  r().cmdReplace.Value(true);  // the last match: replaced, then the end
  EXPECT_EQ(editor().Text(), u"один два 1");

  Open(u"Лес лес лесник", u"лес", u"бор");
  r().chkMatchCase.Value(vb::vbChecked);
  r().chkWholeWord.Value(vb::vbChecked);
  r().cmdFind.Value(true);
  ASSERT_EQ(editor().SelStart(), 4);
  Select(0, 3);  // "Лес": another case
  r().cmdReplace.Value(true);
  EXPECT_EQ(editor().Text(), u"Лес лес лесник");
  EXPECT_EQ(editor().SelStart(), 4);
  EXPECT_EQ(editor().SelLength(), 3);
  AnswerBox(vb::vbOK);
  r().cmdReplace.Value(true);
  EXPECT_EQ(editor().Text(), u"Лес бор лесник");
  Select(8, 3);  // "лес" of "лесник": not a whole word
  AnswerBox(vb::vbOK);
  r().cmdReplace.Value(true);
  EXPECT_EQ(editor().Text(), u"Лес бор лесник");
  EXPECT_EQ(LastBox().flags, vb::vbExclamation);
}

TEST_F(ReplaceWindowTest, ReplaceAllAsksThenCountsAndEndsFresh) {
  Open(u"a a a", u"a", u"aa");
  r().cmdFind.Value(true);
  ReplaceAll();
  EXPECT_EQ(editor().Text(), u"aa aa aa");
  EXPECT_EQ(Prompts(), (std::vector<std::u16string>{u"Вы действительно хотите заменить ''a'' на ''aa'' во всем документе?",
                                                    u"Поиск завершен! Было сделано 3 замен(ы)."}));
  EXPECT_EQ(platform::script::Log()[0].flags, vb::vbYesNo | vb::vbQuestion);
  EXPECT_EQ(platform::script::Log()[1].flags, vb::vbInformation);
  EXPECT_EQ(r().cmdFind.Caption(), u"Найти");
  EXPECT_FALSE(ReplaceButtons());
}

TEST_F(ReplaceWindowTest, ReplaceAllByNothingAndWithNoMatchAndWhenDeclined) {
  Open(u"ababab", u"ab", u"");
  ReplaceAll();
  EXPECT_EQ(editor().Text(), u"");
  EXPECT_EQ(LastBox().prompt, u"Поиск завершен! Было сделано 3 замен(ы).");

  Open(u"нет совпадений", u"да", u"нет");
  r().cmdFind.Caption(u"Найти далее");
  r().cmdReplace.Enabled(true);
  r().cmdReplaceAll.Enabled(true);
  platform::script::Log().clear();
  ReplaceAll(vb::vbYes, false);
  EXPECT_EQ(Prompts().size(), 1u);  // the question only
  EXPECT_EQ(r().cmdFind.Caption(), u"Найти");
  EXPECT_FALSE(ReplaceButtons());

  Open(u"да да", u"да", u"нет");
  r().cmdFind.Value(true);
  ReplaceAll(vb::vbNo);
  EXPECT_EQ(editor().Text(), u"да да");
  EXPECT_TRUE(ReplaceButtons());
}

// More replacements than a 16-bit counter holds, and the whole run is one step back.
TEST_F(ReplaceWindowTest, ReplaceAllCountsTrulyAndIsOneUndo) {
  const std::u16string before(40000, u'я');
  Open(before, u"я", u"ты");
  const std::size_t steps = modDocument::UndoStack.size();
  ReplaceAll();
  EXPECT_EQ(LastBox().prompt, u"Поиск завершен! Было сделано 40000 замен(ы).");
  EXPECT_EQ(editor().TextLength(), 80000);
  EXPECT_EQ(modDocument::UndoStack.size(), steps + 1);
  modDocument::UndoEdit();
  EXPECT_EQ(editor().Text(), before);
  modDocument::RedoEdit();
  EXPECT_EQ(editor().TextLength(), 80000);
}

// A large text, read in pieces while its new text is built: matches across the pieces' edges, next
// to line breaks, at its start and its end are replaced as a plain replacement of the text does.
TEST_F(ReplaceWindowTest, ReplaceAllOfALargeTextIsAPlainReplacementOfIt) {
  std::mt19937 random(3);
  const std::u16string pieces[] = {u"аб", u"б", u"а", u"\r\n", u"ж"};
  std::u16string text = u"аб";
  while (text.size() < 300'000) text += pieces[std::uniform_int_distribution<std::size_t>(0, std::size(pieces) - 1)(random)];
  text += u"аб";
  std::u16string expected;
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (text.compare(i, 2, u"аб") == 0) {
      expected += u"ЖЖЖ";
      i += 2;
      ++count;
    } else {
      expected += text[i++];
    }
  }
  Open(text, u"аб", u"ЖЖЖ");
  ReplaceAll();
  EXPECT_TRUE(editor().Text() == expected);
  EXPECT_EQ(LastBox().prompt, u"Поиск завершен! Было сделано " + vb::CStr(static_cast<std::int64_t>(count)) + u" замен(ы).");
  modDocument::UndoEdit();
  EXPECT_TRUE(editor().Text() == text) << "one undo brings the text back";
}

// Matches are those of the text as it stood: the replacement is never searched again, whole words
// are judged in the old text, and lines of the text keep their breaks.
TEST_F(ReplaceWindowTest, ReplaceAllReplacesTheOldTextsMatchesOnce) {
  Open(u"Ёж ёж\r\nежи ёж", u"ёж", u"ёжик");
  r().chkWholeWord.Value(vb::vbChecked);
  ReplaceAll();
  EXPECT_EQ(editor().Text(), u"ёжик ёжик\r\nежи ёжик");
  EXPECT_EQ(editor().SelStart(), editor().TextLength());  // after the last replacement
  EXPECT_EQ(LastBox().prompt, u"Поиск завершен! Было сделано 3 замен(ы).");
}

// A few matches far apart in a large document: replaced where they are, counted, one step back and
// forth; the step keeps what the matches held, not the stretch between them.
TEST_F(ReplaceWindowTest, ReplaceAllOfAFewMatchesFarApartIsOneUndoThatKeepsOnlyTheMatches) {
  const std::u16string line = u"Съешь же ещё этих мягких французских булок, да выпей чаю.\r\n";
  std::u16string before;
  std::u16string expected;
  for (int k = 1; before.size() < 3'000'000; ++k) {
    const bool marked = k % 1024 == 0;
    before += marked ? (k % 2048 == 0 ? u"Квас. " : u"КВАС. ") + line : line;
    expected += marked ? u"Клюквенный морс. " + line : line;
  }
  Open(before, u"квас.", u"Клюквенный морс.");
  const std::size_t steps = modDocument::UndoStack.size();
  ReplaceAll();
  EXPECT_EQ(LastBox().prompt, u"Поиск завершен! Было сделано 49 замен(ы).");
  EXPECT_TRUE(editor().Text() == expected);
  ASSERT_EQ(modDocument::UndoStack.size(), steps + 1);
  EXPECT_EQ(modDocument::UndoStack.back().Other.size(), 49u * 5) << "the matches' text, in their own case";
  w().UndoEdit();
  EXPECT_TRUE(editor().Text() == before) << "one undo brings every match back as it was";
  EXPECT_EQ(modDocument::UndoStack.size(), steps);
  w().RedoEdit();
  EXPECT_TRUE(editor().Text() == expected);
}

// One letter in both cases, everywhere: every place gets the replacement, and the undo gives each
// its own letter back.
TEST_F(ReplaceWindowTest, ReplaceAllOfALetterEverywhereIsOneUndoThatGivesEachPlaceItsLetter) {
  std::u16string before;
  while (before.size() < 1'000'000) before += u"Ещё ель, еще Ель.\r\n";
  std::u16string expected = before;
  std::size_t count = 0;
  for (char16_t& c : expected)
    if (c == u'е' || c == u'Е') {
      c = u'ё';
      ++count;
    }
  Open(before, u"е", u"ё");
  ReplaceAll();
  EXPECT_EQ(LastBox().prompt, u"Поиск завершен! Было сделано " + vb::CStr(static_cast<std::int64_t>(count)) + u" замен(ы).");
  EXPECT_TRUE(editor().Text() == expected);
  EXPECT_EQ(editor().SelStart(), editor().TextLength() - 5) << "after the last replacement";
  w().UndoEdit();
  EXPECT_TRUE(editor().Text() == before);
  w().RedoEdit();
  EXPECT_TRUE(editor().Text() == expected);
}

TEST_F(ReplaceWindowTest, AnEmptySearchTextIsRefusedBeforeAnyQuestion) {
  Open(u"текст", u"", u"x");
  AnswerBox(vb::vbOK);
  r().cmdReplaceAll.Value(true);
  AnswerBox(vb::vbOK);
  r().cmdReplace.Value(true);
  EXPECT_EQ(Prompts(), std::vector<std::u16string>(2, u"Не задан текст для поиска!"));
  EXPECT_EQ(editor().Text(), u"текст");
}

}  // namespace
