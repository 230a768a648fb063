// A save cut short while it rewrote its file in place (the file has a second name), as the user
// meets it at the next open: asked about under any name of the file, never over a text saved or
// written since, told of a damaged copy; and an open while another copy of the program rewrites the
// file waits for it or says why. Every torn file comes from a real kill of a real save.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "controls/testing/stand_in.h"
#include "core/document.h"
#include "platform/script/script.h"
#include "platform/testing/vb.h"
#include "platform/vb/file_system.h"
#include "support.h"
#include "support_torn_save.h"

using namespace qmtest;
using platform::script::Answer;
using platform::script::Kind;
namespace fs = std::filesystem;

namespace {

// The file's bytes without the final line break: the editor's text.
std::u16string Shown(const std::string& bytes) { return vb::FromUtf8(bytes.substr(0, bytes.size() - 2)); }

class RecoveredDocuments : public ::testing::Test, protected LinkedFile {
 protected:
  void SetUp() override {
    modDocument::Reset();
    platform::script::ClearQueue();
  }
  // The user opens `p` and answers a message box that comes with `then`; the prompt of the box,
  // or empty when none came.
  std::u16string Open(const fs::path& p, int then = vb::vbNo) {
    platform::script::Log().clear();
    platform::script::Queue(Answer{Kind::OpenFile, 1, U(p)});
    platform::script::Queue(Answer{Kind::MessageBox, then, {}});
    modDocument::OpenDocument();
    const auto& log = platform::script::Log();
    const bool boxShown = log.size() > 1 && log.back().kind == Kind::MessageBox;
    if (!boxShown) platform::script::ClearQueue();
    return boxShown ? log.back().prompt : std::u16string();
  }
  bool SaveAs(const fs::path& p) {
    platform::script::Queue(Answer{Kind::SaveFile, 1, U(p)});
    return modDocument::SaveDocumentAs();
  }
  // The user saves the editor's text as `to` over `file`, and the program is killed where the file is
  // torn; the torn content.
  std::string TornSave(const fs::path& file, const std::string& to) {
    w.editor().Text(Shown(to));
    const std::string before = ReadBytes(file);
    EXPECT_TRUE(SaveHeldWhereTorn([&] { SaveAs(file); }, file, before, to)) << "no kill left the file torn";
    return ReadBytes(file);
  }
  std::size_t Copies() const { return LeftIn(state.folder()) + LeftIn(dir.path()); }

  FreshSettings settings;
  StandInServices w;
};

bool Says(const std::u16string& prompt, std::u16string_view part) { return prompt.find(part) != prompt.npos; }

}  // namespace

TEST_F(RecoveredDocuments, TheUserIsAskedUnderTheFilesOtherNameAndNotAgainOnceANewerTextIsSaved) {
  const std::string torn = TornSave(a, kAfter);
  // Opened under its other name: the user is asked, and keeps the file as it is.
  const std::u16string asked = Open(b, vb::vbNo);
  EXPECT_TRUE(Says(asked, u"\"b.txt\" не было завершено")) << "the torn text opened with nothing said";
  EXPECT_TRUE(w.editor().Text() == Shown(torn));
  // The user mends the text and saves it under that name.
  w.editor().Text(u"mended");
  ASSERT_TRUE(SaveAs(b));
  EXPECT_EQ(Copies(), 0u);
  // The first name opens the newer text with no question.
  EXPECT_TRUE(Open(a).empty()) << "asked again over the newer text";
  EXPECT_TRUE(w.editor().Text() == u"mended");
}

TEST_F(RecoveredDocuments, AFileWrittenByAnotherProgramSinceOpensAsItIsAndARenamedOneIsAskedAbout) {
  TornSave(a, kAfter);
  WriteBytes(a, "written by another program\r\n");
  EXPECT_TRUE(Open(b).empty());
  EXPECT_TRUE(w.editor().Text() == u"written by another program");
  EXPECT_EQ(Copies(), 0u);

  // Torn again, then renamed: the user takes the copy's text and saves it, and the copy goes.
  WriteBytes(a, kBefore);
  TornSave(a, kAfter);
  const fs::path renamed = dir.path() / "renamed.txt";
  fs::rename(a, renamed);
  EXPECT_TRUE(Says(Open(renamed, vb::vbYes), u"\"renamed.txt\" не было завершено"));
  EXPECT_TRUE(w.editor().Text() == Shown(kAfter));
  EXPECT_TRUE(modDocument::DocumentRecovered);
  ASSERT_TRUE(SaveAs(renamed));
  EXPECT_EQ(Copies(), 0u);
  EXPECT_TRUE(Open(b).empty());
  EXPECT_TRUE(ReadBytes(b) == kAfter);
}

TEST_F(RecoveredDocuments, ADamagedCopyIsToldAndTheFileOpensAsItIsOrNotAtAll) {
  const std::string torn = TornSave(a, kAfter);
  const fs::path copy = fs::directory_iterator(state.folder())->path();
  std::string bytes = ReadBytes(copy);
  bytes[1000] ^= 0x20;
  WriteBytes(copy, bytes);

  w.editor().Text(u"typed");
  const std::u16string told = Open(b, vb::vbCancel);
  EXPECT_TRUE(Says(told, u"повреждена")) << "the damaged copy was passed over without a word";
  EXPECT_TRUE(Says(told, U(copy)));
  EXPECT_TRUE(w.editor().Text() == u"typed");
  EXPECT_TRUE(Says(Open(b, vb::vbOK), u"повреждена"));
  EXPECT_TRUE(w.editor().Text() == Shown(torn));
  EXPECT_FALSE(modDocument::DocumentRecovered);
}

TEST_F(RecoveredDocuments, AnOpenWhileAnotherCopyRewritesTheFileWaitsForItOrSaysWhy) {
  using Clock = std::chrono::steady_clock;
  // Another copy of the program saves the file; this one opens it while the file is torn. The
  // other copy goes on once events have run inside this one's wait.
  {
    const vb::testing::WaitClockReplacement never([] { return Clock::time_point{}; });
    ASSERT_TRUE(WriteHeldWhereTorn(a, kAfter, [&] {
      vb::testing::RunFromEventLoop([] { FinishHeldChild(); });
      EXPECT_TRUE(Open(b).empty());
    }));
    EXPECT_TRUE(w.editor().Text() == Shown(kAfter)) << "the open did not wait for the whole text";
  }
  // The other copy does not finish within the bound: the user is told, the editor keeps its text.
  WriteBytes(a, kBefore);
  w.editor().Text(u"typed");
  ASSERT_TRUE(WriteHeldWhereTorn(a, kAfter, [&] {
    int looks = 0;
    const vb::testing::WaitClockReplacement passing([&looks] { return Clock::time_point{} + std::chrono::hours(++looks); });
    EXPECT_EQ(Open(b, vb::vbOK), u"Произошла ошибка № 75\r\nФайл \"b.txt\" сейчас записывает другая программа. "
                                 u"Откройте его ещё раз, когда она закончит.");
  }));
  EXPECT_TRUE(w.editor().Text() == u"typed");
}
