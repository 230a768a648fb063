// Safe whole-file writes on a real file system: links, permissions, owners, long names and writes
// killed half-way.
#include "platform/vb/file_system.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/richedit/rich_text_box.h"
#include "platform/vb/error.h"
#include "support.h"

using namespace qmtest;
namespace fs = std::filesystem;

namespace {

std::int32_t Raised(const std::function<void()>& f) {
  try {
    f();
  } catch (const vb::Error& e) {
    return e.Number;
  }
  return 0;
}

// The names in the folder, in order.
std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

struct stat Stat(const fs::path& p) {
  struct stat st {};
  ::stat(p.c_str(), &st);
  return st;
}

}  // namespace

TEST(SafeWrites, ALinkedFileIsWrittenThroughItsLinkAndTheLinkStays) {
  TempDir dir;
  fs::create_directory(dir.path() / "real");
  const auto target = dir.path() / "real" / "doc.txt";
  WriteBytes(target, "old");
  fs::create_symlink("real/doc.txt", dir.path() / "relative.txt");
  fs::create_symlink("relative.txt", dir.path() / "chain.txt");
  vb::WriteAllBytesSafely(U(dir.path() / "chain.txt"), "new");
  EXPECT_TRUE(fs::is_symlink(dir.path() / "chain.txt"));
  EXPECT_TRUE(fs::is_symlink(dir.path() / "relative.txt"));
  EXPECT_EQ(ReadBytes(target), "new");

  // A link whose file does not exist yet makes that file.
  fs::create_symlink(dir.path() / "real" / "later.txt", dir.path() / "dangling.txt");
  vb::WriteAllBytesSafely(U(dir.path() / "dangling.txt"), "made");
  EXPECT_TRUE(fs::is_symlink(dir.path() / "dangling.txt"));
  EXPECT_EQ(ReadBytes(dir.path() / "real" / "later.txt"), "made");
  EXPECT_EQ(Names(dir.path() / "real"), (std::vector<std::string>{"doc.txt", "later.txt"}));
}

TEST(SafeWrites, AFileThatMayNotBeWrittenIsRefusedAndStaysAsItWas) {
  TempDir dir;
  const auto file = dir.path() / "locked.txt";
  WriteBytes(file, "keep");
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(Raised([&] { vb::WriteAllBytesSafely(U(file), "lost"); }), 70);
  EXPECT_EQ(ReadBytes(file), "keep");
  EXPECT_EQ(Stat(file).st_mode & 07777, 0444u);
  EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"locked.txt"});
  try {
    vb::WriteAllBytesSafely(U(file), "lost");
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Description, u"Отказано в разрешении");
  }
}

TEST(SafeWrites, HardLinksOwnerGroupAndPermissionsAreKept) {
  TempDir dir;
  const auto a = dir.path() / "a.txt";
  const auto b = dir.path() / "b.txt";
  WriteBytes(a, "shared old content");
  fs::create_hard_link(a, b);
  ::chmod(a.c_str(), 0640);
  const ino_t inode = Stat(a).st_ino;
  vb::WriteAllBytesSafely(U(a), "new");
  EXPECT_EQ(ReadBytes(b), "new");  // shorter than before: the rest is cut off
  EXPECT_EQ(Stat(a).st_ino, inode);
  EXPECT_EQ(Stat(a).st_nlink, 2u);
  EXPECT_EQ(Stat(a).st_mode & 07777, 0640u);
  EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"a.txt", "b.txt"}));

  // Another user's file (only the superuser can make one here) keeps its owner and group.
  const auto theirs = dir.path() / "theirs.txt";
  WriteBytes(theirs, "x");
  if (::geteuid() == 0 && ::chown(theirs.c_str(), 4321, 4322) == 0) {
    vb::WriteAllBytesSafely(U(theirs), "written for them");
    EXPECT_EQ(ReadBytes(theirs), "written for them");
    EXPECT_EQ(Stat(theirs).st_uid, 4321u);
    EXPECT_EQ(Stat(theirs).st_gid, 4322u);
  }

  // A single-named file of this user is replaced whole, and a new file gets the usual permissions.
  const auto fresh = dir.path() / "fresh.txt";
  vb::WriteAllBytesSafely(U(fresh), "one");
  vb::WriteAllBytesSafely(U(fresh), "two");
  EXPECT_EQ(ReadBytes(fresh), "two");
}

TEST(SafeWrites, NamesUpToTheSystemLimitCanBeWrittenAgain) {
  TempDir dir;
  std::string longest;
  while (longest.size() + 2 <= 255) longest += "\xd0\xaf";  // "Я", two bytes
  longest += "t";                                           // 255 bytes
  for (const std::string& name : {longest, longest.substr(0, 248) + "b", std::string(255, 'a')}) {
    const auto file = dir.path() / name;
    vb::WriteAllBytesSafely(U(file), "first");
    vb::WriteAllBytesSafely(U(file), "second");
    EXPECT_EQ(ReadBytes(file), "second");
  }
  EXPECT_EQ(Names(dir.path()).size(), 3u);
}

TEST(SafeWrites, AWriteKilledHalfWayLeavesNothingBehindAfterTheNextWriteOrOpen) {
  TempDir dir;
  const auto a = dir.path() / "a.txt";
  const auto other = dir.path() / "other.txt";
  WriteBytes(a, "old");
  WriteBytes(other, "other");
  // Two writes killed on the way: one of a, one of another file in the same folder.
  for (const auto& victim : {a, other}) {
    const std::size_t before = Names(dir.path()).size();
    const pid_t child = fork();
    if (child == 0) {
      const std::string big(256u * 1024 * 1024, 'x');
      vb::WriteAllBytesSafely(U(victim), big);
      _exit(0);
    }
    for (int i = 0; i < 20000 && Names(dir.path()).size() == before; ++i) usleep(500);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
  }
  ASSERT_EQ(Names(dir.path()).size(), 4u);
  EXPECT_EQ(ReadBytes(a), "old");

  // Opening a takes away its leftover only; writing other takes away other's.
  vb::RemoveLeftoverTemporaries(U(a));
  EXPECT_EQ(Names(dir.path()).size(), 3u);
  vb::WriteAllBytesSafely(U(other), "new");
  EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"a.txt", "other.txt"}));
}

// The editor's file load (which import and insert use) refuses what the document's open refuses,
// with the same error: a file the user may not read is 70 through either, a named pipe is refused
// at once instead of waiting for a writer.
TEST(FileReads, TheEditorsFileLoadRefusesWhatTheDocumentsReadRefusesWithTheSameError) {
  TempDir dir;
  fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
  const auto locked = dir.path() / "locked.txt";
  WriteBytes(locked, "secret");
  fs::permissions(locked, fs::perms::none);
  const auto pipe = dir.path() / "pipe.txt";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0);
  const auto big = dir.path() / "big.txt";
  WriteBytes(big, "");
  fs::resize_file(big, vb::kMaxDocumentBytes + 1);
  int answers[2];
  ASSERT_EQ(::pipe(answers), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    // Permissions do not stop the superuser: the reads are made as nobody.
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(1);
    vb::RichTextBox box;
    for (const auto& file : {locked, pipe, big}) {
      const int numbers[2] = {Raised([&] { vb::ReadAllBytes(U(file), vb::kMaxDocumentBytes); }),
                              Raised([&] { box.LoadFile(U(file)); })};
      (void)!::write(answers[1], numbers, sizeof numbers);
    }
    ::_exit(0);
  }
  ::close(answers[1]);
  int numbers[6] = {};
  std::size_t got = 0;
  for (ssize_t n = 1; n > 0 && got < sizeof numbers; got += static_cast<std::size_t>(n))
    n = ::read(answers[0], reinterpret_cast<char*>(numbers) + got, sizeof numbers - got);
  EXPECT_EQ(got, sizeof numbers);
  ::waitpid(child, nullptr, 0);
  EXPECT_EQ((std::vector<int>(numbers, numbers + 6)), (std::vector<int>{70, 70, 75, 75, 75, 75}));
}

// A file that has more to read than its size said (one that grows while it is read; a kernel file
// that tells no size) is read up to the limit only, and refused with the reason when it goes past.
TEST(FileReads, AFileThatGrowsPastTheLimitWhileReadIsRefusedWithTheReason) {
  const std::u16string file = u"/proc/self/maps";  // tells a size of 0, holds more than 64 bytes
  EXPECT_GT(vb::ReadAllBytes(file).size(), 64u);
  try {
    const std::string read = vb::ReadAllBytes(file, 64);
    ADD_FAILURE() << "read " << read.size() << " bytes with a limit of 64";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Number, 75);
    EXPECT_EQ(e.Description, u"Файл \"maps\" слишком велик для редактора: 1 МБ, а редактор открывает файлы не больше 1 МБ.");
  }
}
