// Undo and redo of edits made in a real editor, recorded by its change event.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "controls/testing/stand_in.h"
#include "core/edit_history.h"
#include "support.h"

using namespace qmtest;
using modDocument::RedoEdit;
using modDocument::UndoEdit;

namespace {

class EditHistory : public ::testing::Test {
 protected:
  void SetUp() override {
    modDocument::UndoStack.clear();
    modDocument::RedoStack.clear();
    modDocument::UndoRecording = true;
    modDocument::UndoHistoryLimit = 64u * 1024u * 1024u;
  }
  void TearDown() override { modDocument::UndoRecording = false; }
  // Types text at the caret, as the user would (one change).
  void Type(std::u16string_view text) { ed().SelText(text); }
  void Select(int start, int length) {
    ed().SelStart(start);
    ed().SelLength(length);
  }
  vb::RichTextBox& ed() { return w.editor(); }
  StandInServices w;
};

}  // namespace

TEST(GetChangedText, TakesTheExcessOfTheLongerTextBeforeThePosition) {
  EXPECT_EQ(modDocument::GetChangedText(u"abc", u"abXYc", 5), u"XY");
  EXPECT_EQ(modDocument::GetChangedText(u"abXYc", u"abc", 5), u"XY");
  EXPECT_EQ(modDocument::GetChangedText(u"abc", u"abd", 3), u"");
  EXPECT_EQ(modDocument::GetChangedText(u"", u"abc", 99), u"");  // outside the text: nothing
}

TEST_F(EditHistory, TypedLettersAreUndoneAndRedoneOneByOneWithTheCaretAfterThem) {
  ed().Text(u"base ");  // the first change only lays the base
  ed().SelStart(5);
  Type(u"a");
  Type(u"b");
  Type(u"c");
  UndoEdit();
  UndoEdit();
  EXPECT_EQ(ed().Text(), u"base a");
  EXPECT_EQ(ed().SelStart(), 6);
  EXPECT_EQ(ed().SelLength(), 0);
  RedoEdit();
  RedoEdit();
  EXPECT_EQ(ed().Text(), u"base abc");
  EXPECT_EQ(ed().SelStart(), 8);
  EXPECT_TRUE(modDocument::UndoRecording);
}

TEST_F(EditHistory, ADeletedWordComesBackSelectedAndOneCharacterWithTheCaretAfterIt) {
  ed().Text(u"abc hello def");
  Select(4, 5);
  Type(u"");
  UndoEdit();
  EXPECT_EQ(ed().Text(), u"abc hello def");
  EXPECT_EQ(ed().SelStart(), 4);
  EXPECT_EQ(ed().SelLength(), 5);

  Select(2, 1);
  Type(u"");
  UndoEdit();
  EXPECT_EQ(ed().Text(), u"abc hello def");
  EXPECT_EQ(ed().SelStart(), 3);
  EXPECT_EQ(ed().SelLength(), 0);
}

TEST_F(EditHistory, ADeletedLineBreakComesBackWithTheCaretAfterIt) {
  ed().Text(u"one\r\ntwo");
  Select(3, 2);
  Type(u"");
  ASSERT_EQ(ed().Text(), u"onetwo");
  UndoEdit();
  EXPECT_EQ(ed().Text(), u"one\r\ntwo");
  EXPECT_EQ(ed().SelStart(), 5);
}

TEST_F(EditHistory, ReplacingASelectionByTextOfAnotherLengthIsUndoneAndRedoneExactly) {
  ed().Text(u"hello world, hello");
  Select(6, 5);
  Type(u"there!!");
  ASSERT_EQ(ed().Text(), u"hello there!!, hello");
  UndoEdit();
  EXPECT_EQ(ed().Text(), u"hello world, hello");
  EXPECT_EQ(ed().SelStart(), 6);
  EXPECT_EQ(ed().SelLength(), 5);
  RedoEdit();
  EXPECT_EQ(ed().Text(), u"hello there!!, hello");

  Select(0, 5);
  Type(u"Hi");  // shorter
  UndoEdit();
  EXPECT_EQ(ed().Text(), u"hello there!!, hello");
  RedoEdit();
  EXPECT_EQ(ed().Text(), u"Hi there!!, hello");

  Select(3, 5);
  Type(u"THERE");  // the same length
  UndoEdit();
  EXPECT_EQ(ed().Text(), u"Hi there!!, hello");
}

TEST_F(EditHistory, ALetterTypedBesideTheSameLetterIsUndoneWhereItWasTyped) {
  ed().Text(u"aa");
  ed().SelStart(0);
  Type(u"a");
  UndoEdit();
  EXPECT_EQ(ed().Text(), u"aa");
  EXPECT_EQ(ed().SelStart(), 0);
}

TEST_F(EditHistory, ANewChangeAfterUndoEmptiesRedoAndOneSnapshotUndoesNothing) {
  ed().Text(u"x");
  UndoEdit();  // one snapshot only
  EXPECT_EQ(ed().Text(), u"x");
  EXPECT_EQ(modDocument::UndoStack.size(), 1u);

  ed().SelStart(1);
  Type(u"y");
  UndoEdit();
  EXPECT_EQ(modDocument::RedoStack.size(), 1u);
  Type(u"z");
  EXPECT_TRUE(modDocument::RedoStack.empty());
  RedoEdit();  // nothing to redo
  EXPECT_EQ(ed().Text(), u"xz");
}

TEST_F(EditHistory, AnUndoThatMeetsAPositionBeyondTheTextStillMovesTheSnapshot) {
  ed().Text(u"abc");
  ed().SelStart(3);
  Type(u"d");
  // The editor changed without recording: the newest snapshot no longer describes it.
  modDocument::UndoRecording = false;
  ed().Text(u"");
  modDocument::UndoRecording = true;
  UndoEdit();
  EXPECT_EQ(modDocument::UndoStack.size(), 1u);
  EXPECT_EQ(modDocument::RedoStack.size(), 1u);
  EXPECT_TRUE(modDocument::UndoRecording);
}

TEST_F(EditHistory, TheHistoryIsBoundedAndKeepsTheTwoNewestSnapshots) {
  modDocument::UndoHistoryLimit = 50;
  for (int i = 0; i < 20; ++i) ed().Text(std::u16string(20 + i, u'a'));
  EXPECT_EQ(modDocument::UndoStack.size(), 2u);
  EXPECT_EQ(modDocument::UndoStack.back().Text.size(), 39u);
  UndoEdit();
  EXPECT_EQ(ed().Text(), std::u16string(38, u'a'));
}

TEST_F(EditHistory, RandomEditsAreUndoneAndRedoneThroughEveryStep) {
  ed().Text(u"first line\r\nsecond line\r\nthird");
  std::vector<std::u16string> texts{ed().Text()};
  std::mt19937 random(11);
  const std::u16string pieces[] = {u"q", u"\r\n", u"две\r\nстроки", u"", u"ё"};
  for (int i = 0; i < 150; ++i) {
    const auto length = static_cast<std::int32_t>(ed().Text().size());
    Select(std::uniform_int_distribution<std::int32_t>(0, length)(random),
           std::uniform_int_distribution<std::int32_t>(0, 6)(random));
    const std::u16string before = ed().Text();
    Type(pieces[std::uniform_int_distribution<std::size_t>(0, std::size(pieces) - 1)(random)]);
    if (ed().Text() != before || modDocument::UndoStack.size() > texts.size()) texts.push_back(ed().Text());
  }
  ASSERT_EQ(modDocument::UndoStack.size(), texts.size());
  for (std::size_t i = texts.size() - 1; i > 0; --i) {
    UndoEdit();
    ASSERT_EQ(U8(ed().Text()), U8(texts[i - 1])) << "undo to " << i - 1;
  }
  for (std::size_t i = 1; i < texts.size(); ++i) {
    RedoEdit();
    ASSERT_EQ(U8(ed().Text()), U8(texts[i])) << "redo to " << i;
  }
}

TEST_F(EditHistory, ALargeDocumentKeepsThousandsOfStepsAtTheCostOfTheirChanges) {
  std::u16string big;
  while (big.size() < 2'000'000) big += u"Строка большого документа.\r\n";
  ed().Text(big);
  ed().SelStart(1'000'000);
  for (int i = 0; i < 3000; ++i) Type(u"ж");
  ASSERT_EQ(modDocument::UndoStack.size(), 3001u);
  for (const clsUndoRedo& s : modDocument::UndoStack) EXPECT_LE(s.Other.size(), 1u);
  EXPECT_EQ(modDocument::UndoStack.back().Text.size(), big.size() + 3000);
  for (int i = 0; i < 3000; ++i) UndoEdit();
  EXPECT_TRUE(ed().Text() == big);
  EXPECT_EQ(ed().SelStart(), 1'000'000);
}

// Replace All's change, many places at once, is one step: Undo puts back what every place held and
// selects from the first place to the end of the last; Redo makes the change again, and an edit
// after it, undone first, leaves it whole.
TEST_F(EditHistory, AChangeInManyPlacesIsOneStepBackAndForth) {
  const std::u16string before = u"кот и кот,\r\nи ещё кот";
  ed().Text(before);
  ed().Replace({{0, 3, 3}, {6, 3, 4}, {18, 3, 0}}, u"пёспёсы");
  const std::u16string after = u"пёс и пёсы,\r\nи ещё ";
  ASSERT_EQ(U8(ed().Text()), U8(after));
  ASSERT_EQ(modDocument::UndoStack.size(), 2u);
  Select(19, 0);
  Type(u"!");
  UndoEdit();
  ASSERT_EQ(U8(ed().Text()), U8(after));
  UndoEdit();
  EXPECT_EQ(U8(ed().Text()), U8(before));
  EXPECT_EQ(ed().SelStart(), 0);
  EXPECT_EQ(ed().SelLength(), static_cast<std::int32_t>(before.size()));
  EXPECT_EQ(modDocument::UndoStack.size(), 1u);
  RedoEdit();
  EXPECT_EQ(U8(ed().Text()), U8(after));
  EXPECT_EQ(ed().SelStart(), 0);
  EXPECT_EQ(ed().SelLength(), static_cast<std::int32_t>(after.size()));
  UndoEdit();
  EXPECT_EQ(U8(ed().Text()), U8(before));
  RedoEdit();
  RedoEdit();
  EXPECT_EQ(U8(ed().Text()), U8(after + u"!"));
}

// The places a change keeps count against the history's memory, as the text they held does.
TEST_F(EditHistory, ThePlacesOfAChangeCountAgainstTheHistorysMemory) {
  ed().Text(std::u16string(4000, u'е'));
  std::vector<vb::TextPlace> places;
  for (std::int32_t at = 0; at < 4000; at += 2) places.push_back({at, 1, 0});
  // The 2,000 letters fit the limit; with the places they were taken from, they do not.
  modDocument::UndoHistoryLimit = 8'000;
  ed().Replace(places, u"");
  Type(u"b");
  EXPECT_EQ(modDocument::UndoStack.size(), 2u);
  EXPECT_TRUE(modDocument::UndoStack.front().Places.empty()) << "the oldest snapshot keeps no places";
  UndoEdit();
  EXPECT_EQ(ed().Text(), std::u16string(2000, u'е'));
}
