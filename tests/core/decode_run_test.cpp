// The conversion run on a stand-in main window: progress steps, cancel through a click that arrives
// while the bar lets events run, the undo copy and the flags.
#include <gtest/gtest.h>

#include "controls/testing/stand_in.h"
#include "core/decode.h"
#include "platform/script/script.h"
#include "platform/testing/frame_clock.h"
#include "platform/testing/win.h"
#include "support.h"

using namespace qmtest;
using platform::script::Answer;
using platform::script::Kind;

namespace {

constexpr int kWin1251ToDos866 = 4;
const std::u16string kProse = u"Съешь же ещё этих мягких французских булок, да выпей чаю. Latin 123.\r\n";

class DecodeRun : public ::testing::Test {
 protected:
  void SetUp() override {
    modDecode::DocumentDecoded = false;
    modDecode::DecodeCancelled = false;
    modDecode::TextBeforeDecode = u"earlier";
    platform::script::ClearQueue();
    platform::script::Log().clear();
  }
  platform::testing::HeldFrameClock clock;
  StandInServices w;
};

void AnswerYesToCancelAt(StandInServices& w, std::size_t step) {
  platform::script::Queue(Answer{Kind::MessageBox, vb::vbYes, {}});
  w.decoding.beforeStep = [&w, step](std::size_t at) {
    if (at != step) return;
    platform::testing::PostClick(w.decoding.cmdCancel.hWnd(), 5, 5);
    platform::testing::LetAFramePass();
  };
}

}  // namespace

TEST_F(DecodeRun, ConvertsKeepsTheUndoCopyAndUndoGivesTheTextBack) {
  const std::u16string text = kProse + kProse;
  w.editor().Text(text);
  SelectDirection(w, kWin1251ToDos866);
  modDecode::DecodeDocument();
  EXPECT_EQ(w.editor().Text(), modDecode::ConvertText(text, 2, 1));
  EXPECT_NE(w.editor().Text(), text);
  EXPECT_EQ(modDecode::TextBeforeDecode, text);
  EXPECT_TRUE(modDecode::DocumentDecoded);
  EXPECT_FALSE(w.decoding.Visible());
  EXPECT_EQ(w.decoding.lblCode.Caption(), u"Windows 1251 -> DOS 866");
  EXPECT_FALSE(modDecode::DecodeRunning());
  modDecode::UndoDecode();
  EXPECT_EQ(w.editor().Text(), text);
  modDecode::UndoDecode();  // again: the same text again
  EXPECT_EQ(w.editor().Text(), text);
}

TEST_F(DecodeRun, StepsAreATenthOfTheLengthRoundedToEven) {
  SelectDirection(w, 0);
  w.editor().Text(u"abcdefghijklmno");  // 15 characters: 2 steps after the first
  modDecode::DecodeDocument();
  ASSERT_EQ(w.decoding.values.size(), 3u);
  EXPECT_FLOAT_EQ(w.decoding.values[0], 0.0f);
  EXPECT_NEAR(w.decoding.values[1], 66.6667f, 0.001f);
  EXPECT_NEAR(w.decoding.values[2], 133.333f, 0.001f);

  w.decoding.values.clear();
  w.editor().Text(u"abcd");
  modDecode::DecodeDocument();
  EXPECT_EQ(w.decoding.values, std::vector<float>{0.0f});

  w.decoding.values.clear();
  w.editor().Text(std::u16string(25, u'x'));  // 2.5 rounds to 2
  modDecode::DecodeDocument();
  EXPECT_EQ(w.decoding.values.size(), 3u);
}

TEST_F(DecodeRun, ACancelClickDuringTheRunLeavesEverythingAsItWasAndTheNextRunWorks) {
  const std::u16string text = kProse + kProse;  // 13 or so steps
  w.editor().Text(text);
  SelectDirection(w, kWin1251ToDos866);
  AnswerYesToCancelAt(w, 3);
  modDecode::DecodeDocument();
  EXPECT_EQ(w.decoding.values.size(), 4u);  // the click came while step 3 was shown
  EXPECT_EQ(w.editor().Text(), text);
  EXPECT_EQ(modDecode::TextBeforeDecode, u"earlier");
  EXPECT_FALSE(modDecode::DocumentDecoded);
  EXPECT_FALSE(modDecode::DecodeCancelled);
  EXPECT_FALSE(w.decoding.Visible());
  EXPECT_EQ(platform::script::Pending(), 0u);

  w.decoding.beforeStep = nullptr;
  modDecode::DecodeDocument();
  EXPECT_EQ(w.editor().Text(), modDecode::ConvertText(text, 2, 1));
  EXPECT_TRUE(modDecode::DocumentDecoded);
}

TEST_F(DecodeRun, ACancelConfirmedInTheLastStepStillCancels) {
  w.editor().Text(u"abcdefghijklmnopqrstuvwxyz абв");  // 30 characters: steps 0 to 3
  SelectDirection(w, kWin1251ToDos866);
  AnswerYesToCancelAt(w, 3);
  modDecode::DecodeDocument();
  EXPECT_EQ(w.decoding.values.size(), 4u);
  EXPECT_EQ(w.editor().Text(), u"abcdefghijklmnopqrstuvwxyz абв");
  EXPECT_FALSE(modDecode::DocumentDecoded);
}

// The steps of a long run let events through once a frame: a Cancel click and a Stop made a frame
// before a step reach a run of ten million characters at that step, long before its end, and the
// text stays as it was.
TEST_F(DecodeRun, CancelAndStopReachARunOfTenMillionCharacters) {
  std::u16string text;
  while (text.size() < 10'000'000) text += kProse;
  text.resize(10'000'000);
  w.editor().Text(text);
  SelectDirection(w, kWin1251ToDos866);
  constexpr std::size_t kSteps = 1'000'001;
  constexpr std::size_t kClickAt = 400'000;

  AnswerYesToCancelAt(w, kClickAt);
  modDecode::DecodeDocument();
  EXPECT_EQ(w.decoding.values.size(), kClickAt + 1);
  EXPECT_EQ(platform::script::Pending(), 0u);
  EXPECT_EQ(w.editor().Text(), text);
  EXPECT_FALSE(modDecode::DocumentDecoded);
  EXPECT_FALSE(modDecode::DecodeCancelled);

  // The conversion toolbar's Stop asks the run to stop as it is, with no question.
  w.decoding.values.clear();
  w.decoding.beforeStep = [](std::size_t at) {
    if (at != kClickAt) return;
    platform::testing::PostAction(modDecode::CancelDecode);
    platform::testing::LetAFramePass();
  };
  modDecode::DecodeDocument();
  EXPECT_EQ(w.decoding.values.size(), kClickAt + 1);
  EXPECT_EQ(w.editor().Text(), text);
  EXPECT_FALSE(modDecode::DocumentDecoded);

  // Left alone, the run goes through every step and converts.
  w.decoding.values.clear();
  w.decoding.beforeStep = nullptr;
  modDecode::DecodeDocument();
  EXPECT_EQ(w.decoding.values.size(), kSteps);
  EXPECT_TRUE(modDecode::DocumentDecoded);
  EXPECT_EQ(w.editor().Text(), modDecode::ConvertText(text, 2, 1));
}

TEST_F(DecodeRun, AStopWhileIdleDoesNotAbandonTheNextRun) {
  modDecode::CancelDecode();
  w.editor().Text(kProse);
  SelectDirection(w, kWin1251ToDos866);
  modDecode::DecodeDocument();
  EXPECT_TRUE(modDecode::DocumentDecoded);
  EXPECT_EQ(w.editor().Text(), modDecode::ConvertText(kProse, 2, 1));
}

TEST_F(DecodeRun, AnEmptyEditorGetsTheNoticeAndSelectorsWithoutCodePageConvertNothing) {
  SelectDirection(w, 0);
  platform::script::Queue(Answer{Kind::MessageBox, vb::vbOK, {}});
  modDecode::DecodeDocument();
  ASSERT_EQ(platform::script::Log().size(), 1u);
  EXPECT_EQ(platform::script::Log()[0].prompt, u"Нет текста для перекодирования !");
  EXPECT_EQ(platform::script::Log()[0].title, core::kProgramTitle);
  EXPECT_FALSE(modDecode::DocumentDecoded);

  w.editor().Text(kProse);
  w.main.Combo1.ListIndex(-1);
  modDecode::DecodeDocument();
  EXPECT_EQ(w.editor().Text(), kProse);
  EXPECT_FALSE(modDecode::DocumentDecoded);
  EXPECT_TRUE(w.decoding.values.empty());
}

TEST_F(DecodeRun, NothingElseChangesTheDocumentOrStartsAConversionWhileOneRuns) {
  const std::u16string text = kProse + kProse;
  w.editor().Text(text);
  SelectDirection(w, kWin1251ToDos866);
  bool lockedDuringRun = false;
  std::size_t nestedValues = 0;
  w.decoding.beforeStep = [&](std::size_t at) {
    if (at != 2) return;
    lockedDuringRun = w.editor().Locked();
    const std::size_t before = w.decoding.values.size();
    modDecode::DecodeDocument();  // a conversion command reached through the pumped events
    nestedValues = w.decoding.values.size() - before;
  };
  modDecode::DecodeDocument();
  EXPECT_TRUE(lockedDuringRun);
  EXPECT_EQ(nestedValues, 0u);
  EXPECT_FALSE(w.editor().Locked());
  EXPECT_EQ(w.editor().Text(), modDecode::ConvertText(text, 2, 1));
}

TEST_F(DecodeRun, TextsBeyondSixteenBitPositionsConvertWhole) {
  std::u16string big;
  while (big.size() < 70000) big += kProse;
  w.editor().Text(big);
  SelectDirection(w, kWin1251ToDos866);
  modDecode::DecodeDocument();
  EXPECT_EQ(w.editor().Text(), modDecode::ConvertText(big, 2, 1));
}
