// A file rewritten in place (it has a second hard link, or its folder takes no new file) killed at
// every step of the rewrite: the next open finds either the old text, the new text, or a complete
// copy of the new text to recover; never a torn file with nothing to recover it from.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "platform/vb/file_system.h"
#include "support_torn_save.h"

using namespace qmtest;
namespace fs = std::filesystem;

namespace {

// How a killed rewrite ended, as the next open sees it.
enum class End { kOld, kNew, kRecovered };

// Checks what a killed rewrite of `file` from `before` to `after` left, and says how it ended.
End Judge(const fs::path& file, const std::string& before, const std::string& after) {
  const std::string now = ReadBytes(file);
  const auto copy = vb::FindInterruptedSave(U(file), now);
  if (copy) {
    EXPECT_EQ(copy->bytes, after) << "the copy is not the new text whole";
    return End::kRecovered;
  }
  EXPECT_TRUE(now == before || now == after) << "a torn file with nothing to recover it from (" << now.size()
                                             << " bytes)";
  return now == after ? End::kNew : End::kOld;
}

}  // namespace

TEST(InterruptedSaves, ARewriteKilledAtAnyStepLeavesTheOldTextTheNewOrACompleteCopy) {
  TempDir dir;
  FreshStateFolder state;
  const auto a = dir.path() / "a.txt";
  const auto b = dir.path() / "b.txt";  // the second name that makes the rewrite go in place
  const std::string before = Text("old", 40000);
  const std::string after = Text("new", 60000);
  const auto rewrite = [&] { vb::WriteAllBytesSafely(U(a), after); };
  const auto reset = [&] {
    RemoveLeft(dir.path());
    RemoveLeft(state.folder());
    WriteBytes(b, before);  // in place: the two names stay one file
  };
  WriteBytes(a, before);
  fs::create_hard_link(a, b);

  const int calls = KillAtSystemCall(rewrite, 0);
  ASSERT_GT(calls, 5) << "the child could not be traced";
  ASSERT_EQ(ReadBytes(b), after);
  EXPECT_EQ(LeftIn(dir.path()), 0u);

  std::set<End> ends;
  for (int at = 1; at <= calls; ++at) {
    reset();
    KillAtSystemCall(rewrite, at);
    ends.insert(Judge(a, before, after));
    EXPECT_EQ(fs::hard_link_count(a), 2u);
  }
  // Killed in the middle of a write call: the file itself is torn, and only the copy holds the
  // new text. Each call is cut at a few moments.
  int torn = 0;
  for (int at = 1; at <= calls; ++at) {
    for (const int micros : {200, 1000, 3000}) {
      reset();
      KillAtSystemCall(rewrite, at, micros);
      const std::string now = ReadBytes(a);
      if (now != before && now != after) ++torn;
      ends.insert(Judge(a, before, after));
    }
  }
  EXPECT_EQ(ends, (std::set<End>{End::kOld, End::kNew, End::kRecovered}));
  EXPECT_GT(torn, 0) << "no kill fell inside the rewrite of the file";

  // The next whole write of the file takes the copies away.
  vb::WriteAllBytesSafely(U(a), "last");
  EXPECT_EQ(LeftIn(dir.path()), 0u);
  EXPECT_EQ(LeftIn(state.folder()), 0u);
  EXPECT_EQ(ReadBytes(b), "last");
}

TEST(InterruptedSaves, AFolderThatTakesNoFileHasTheCopyKeptInTheUsersStateFolder) {
  TempDir dir;
  FreshStateFolder state;
  const auto a = dir.path() / "a.txt";
  const auto other = dir.path() / "sub" / "a.txt";  // the same name in another folder
  const std::string before = Text("old", 20000);
  const std::string after = Text("new", 30000);
  WriteBytes(a, before);
  WriteBytes(other, "other");
  const auto rewrite = [&] { vb::WriteAllBytesSafely(U(a), after); };
  UnwritableFolder folder(dir.path());
  ASSERT_TRUE(folder.ok());
  const int calls = KillAtSystemCall(rewrite, 0);
  ASSERT_GT(calls, 5) << "the child could not be traced";
  ASSERT_EQ(ReadBytes(a), after);
  std::set<End> ends;
  for (int at = 1; at <= calls; ++at) {
    vb::WriteAllBytesSafely(U(a), before);
    KillAtSystemCall(rewrite, at);
    EXPECT_EQ(LeftIn(dir.path()), 0u);
    const End end = Judge(a, before, after);
    if (end == End::kRecovered && !ends.count(end)) {
      // The copy in the state folder names its file: another file of the same name is not given it.
      EXPECT_EQ(LeftIn(state.folder()), 1u);
      EXPECT_FALSE(vb::FindInterruptedSave(U(other), "other"));
    }
    ends.insert(end);
  }
  EXPECT_EQ(ends, (std::set<End>{End::kOld, End::kNew, End::kRecovered}));
  vb::WriteAllBytesSafely(U(a), "last");
  EXPECT_EQ(LeftIn(state.folder()), 0u);
}

// Two copies of the program saving one file in place at once: while one rewrite has the file torn,
// the other cannot begin (it would mix its bytes and its length with the first one's, and each
// would then remove its own copy as if its rewrite were whole).
TEST(InterruptedSaves, ARewriteHoldsTheFileSoASecondOneCannotMixWithIt) {
  TempDir dir;
  FreshStateFolder state;
  const auto a = dir.path() / "a.txt";
  const auto b = dir.path() / "b.txt";
  const std::string before = Text("old", 60000);
  const std::string after = Text("new", 40000);  // shorter: torn until the file is cut to its length
  const auto rewrite = [&] { vb::WriteAllBytesSafely(U(a), after); };
  WriteBytes(a, before);
  fs::create_hard_link(a, b);
  const int calls = KillAtSystemCall(rewrite, 0);
  ASSERT_GT(calls, 5) << "the child could not be traced";
  // The file is torn between two system calls only, and a run's calls may shift by one from the
  // counted run's: the steps are walked again until a stop falls there.
  int torn = 0;
  for (int pass = 0; pass < 5 && torn == 0; ++pass) {
    for (int at = 1; at <= calls; ++at) {
      RemoveLeft(dir.path());
      RemoveLeft(state.folder());
      WriteBytes(b, before);
      KillAtSystemCall(rewrite, at, 0, [&] {
        const std::string now = ReadBytes(a);
        if (now == before || now == after) return;
        ++torn;
        const int fd = ::open(a.c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        EXPECT_NE(::flock(fd, LOCK_EX | LOCK_NB), 0) << "another rewrite could begin at system call " << at;
        ::close(fd);
      });
    }
  }
  EXPECT_GT(torn, 0) << "no stop fell while the file was torn";
}
