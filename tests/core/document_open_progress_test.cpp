// A large document opens with its progress window: Cancel leaves the program as it was before the
// open (text, selection, history, file name, caption, flags), a completed open is the same as any
// other, and the files an open refuses are still refused.
#include <gtest/gtest.h>

#include "controls/testing/stand_in.h"
#include "core/document.h"
#include "core/edit_history.h"
#include "core/registry.h"
#include "core/settings_schema.h"
#include "platform/codepage/codepage.h"
#include "platform/script/script.h"
#include "platform/testing/frame_clock.h"
#include "platform/testing/win.h"
#include "platform/vb/file_system.h"
#include "platform/vb/screen.h"
#include "support.h"

using namespace qmtest;
using platform::script::Answer;
using platform::script::Kind;
namespace prefs = settings::preferences;

namespace {

// About 1.5 MB of Windows-1251 text whose lines end every way.
std::string LargeFile() {
  std::string bytes;
  const char* breaks[] = {"\r\n", "\n", "\r\n", "\r"};
  for (int line = 0; bytes.size() < 1'500'000; ++line) {
    bytes += std::string(static_cast<std::size_t>(line % 71), static_cast<char>(0xC0 + line % 64));
    bytes += breaks[line % 4];
  }
  return bytes;
}

class OpenProgress : public ::testing::Test {
 protected:
  void SetUp() override {
    modDocument::Reset();
    modDocument::UndoStack.clear();
    modDocument::RedoStack.clear();
    modDocument::UndoRecording = true;
    platform::script::ClearQueue();
    modDocument::OpenProgressDelayMs = 0;  // the window shows at the first step
    modDocument::StepwiseOpenFrom = 1'000'000;
    modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, settings::kPreferencesKey, prefs::kShowInCaption, u"2");
  }
  void TearDown() override {
    modDocument::OpenProgressDelayMs = 500;
    modDocument::StepwiseOpenFrom = std::size_t{12} << 20;
    modDocument::UndoRecording = false;
    w.opening.beforeStep = nullptr;
  }
  bool Open(const std::filesystem::path& p) {
    platform::script::Queue(Answer{Kind::OpenFile, 1, U(p)});
    return modDocument::OpenDocument();
  }
  // The user presses Cancel while the open is at `step`.
  void CancelAt(std::size_t step) {
    w.opening.beforeStep = [this, step](std::size_t at) {
      if (at != step) return;
      platform::testing::PostClick(w.opening.cmdCancel.hWnd(), 5, 5);
      platform::testing::LetAFramePass();
    };
  }
  FreshSettings settings;
  TempDir dir;
  platform::testing::HeldFrameClock clock;
  StandInServices w;
};

}  // namespace

TEST_F(OpenProgress, CancelLeavesTheDocumentItsHistoryAndItsFileAsTheyWere) {
  const auto small = dir.path() / "small.txt";
  WriteBytes(small, "first\nsecond\n");
  ASSERT_TRUE(Open(small));
  w.editor().SelStart(5);
  w.editor().SelText(u" line");
  w.editor().SelStart(2);
  w.editor().SelLength(3);
  const std::u16string text = w.editor().Text();
  const std::size_t undoDepth = modDocument::UndoStack.size();
  const std::u16string caption = w.main.Caption();
  const std::uint64_t revision = w.editor().LastChange().revision;

  const auto large = dir.path() / "large.txt";
  WriteBytes(large, LargeFile());
  CancelAt(1);
  int pointerWhileShown = -1;
  w.opening.beforeStep = [this, inner = w.opening.beforeStep, &pointerWhileShown](std::size_t at) {
    pointerWhileShown = vb::Screen.MousePointer();
    inner(at);
  };
  EXPECT_FALSE(Open(large));
  EXPECT_EQ(w.opening.values.size(), 2u);  // the click arrived while the second step was shown
  EXPECT_FALSE(w.opening.Visible());
  EXPECT_EQ(pointerWhileShown, 0);  // the window's Cancel is not under the busy pointer
  EXPECT_EQ(vb::Screen.MousePointer(), 0);
  EXPECT_EQ(w.editor().Text(), text);
  EXPECT_EQ(w.editor().SelStart(), 2);
  EXPECT_EQ(w.editor().SelLength(), 3);
  EXPECT_EQ(w.editor().LastChange().revision, revision);
  EXPECT_FALSE(w.editor().Locked());
  EXPECT_EQ(modDocument::UndoStack.size(), undoDepth);
  EXPECT_EQ(modDocument::DocumentPath(), U(small));
  EXPECT_EQ(w.main.Caption(), caption);
  EXPECT_EQ(w.main.CommonDialog.FileName, U(small));

  // The history still takes the edit back, and Save still writes the old document to its file.
  modDocument::UndoEdit();
  EXPECT_EQ(U8(w.editor().Text()), "first\r\nsecond");
  platform::script::Queue(Answer{Kind::SaveFile, 1, U(small)});
  ASSERT_TRUE(modDocument::SaveDocumentAs());
  EXPECT_EQ(ReadBytes(small), "first\nsecond\n");

  // Reloading a large document and cancelling keeps the one in the editor, edits and all.
  w.opening.values.clear();
  w.opening.beforeStep = nullptr;
  ASSERT_TRUE(Open(large));
  w.editor().SelStart(0);
  w.editor().SelText(u"правка ");
  const std::u16string edited = w.editor().Text();
  w.opening.values.clear();
  CancelAt(0);
  EXPECT_FALSE(modDocument::ReloadDocument());
  EXPECT_TRUE(w.editor().Text() == edited);
  EXPECT_EQ(modDocument::DocumentPath(), U(large));
}

TEST_F(OpenProgress, ACompletedOpenIsTheSameAsOneWithoutProgress) {
  const std::string bytes = LargeFile();
  const auto large = dir.path() / "large.txt";
  WriteBytes(large, bytes);
  ASSERT_TRUE(Open(large));
  const std::vector<float> values = w.opening.values;
  ASSERT_GT(values.size(), 1u);
  EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
  EXPECT_EQ(values.back(), 100.0f);
  EXPECT_FALSE(w.opening.Visible());
  EXPECT_EQ(w.opening.lblPath.Caption(), U(large));
  const std::u16string stepped = w.editor().Text();
  EXPECT_EQ(modDocument::DocumentPath(), U(large));
  EXPECT_TRUE(modDocument::DocumentOpened);

  // Opened at once, or in steps with no progress window, the same file gives the same text; both
  // save back byte for byte.
  modDocument::StepwiseOpenFrom = std::size_t{1} << 30;
  w.editor().Text(u"");
  ASSERT_TRUE(Open(large));
  EXPECT_TRUE(w.editor().Text() == stepped);
  const std::vector<std::uint8_t> tags = w.editor().LineBreakTags();
  modDocument::StepwiseOpenFrom = 1'000'000;
  core::SetOpeningWindow(nullptr);
  w.editor().Text(u"");
  ASSERT_TRUE(Open(large));
  core::SetOpeningWindow(&w.openingAdapter);
  EXPECT_TRUE(w.editor().Text() == stepped);
  EXPECT_EQ(w.editor().LineBreakTags(), tags);
  ASSERT_TRUE(Open(large));
  const auto saved = dir.path() / "saved.txt";
  platform::script::Queue(Answer{Kind::SaveFile, 1, U(saved)});
  ASSERT_TRUE(modDocument::SaveDocumentAs());
  EXPECT_TRUE(ReadBytes(saved) == bytes);

  // The typing after it is recorded and undone as after any open.
  w.editor().SelStart(10);
  w.editor().SelText(u"ы");
  modDocument::UndoEdit();
  EXPECT_TRUE(w.editor().Text() == stepped);
}

TEST_F(OpenProgress, FilesThatCannotBeOpenedAreStillReported) {
  w.editor().Text(u"kept");
  platform::script::Queue(Answer{Kind::OpenFile, 1, U(dir.path() / "missing.txt")});
  platform::script::Queue(Answer{Kind::MessageBox, vb::vbOK, {}});
  EXPECT_FALSE(modDocument::OpenDocument());
  EXPECT_NE(platform::script::Log().back().prompt.find(u"53"), std::u16string::npos);
  EXPECT_EQ(w.editor().Text(), u"kept");
  EXPECT_TRUE(w.opening.values.empty());
}
