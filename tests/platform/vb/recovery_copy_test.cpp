// Recovery copies follow their file, not its name: the copy a cut-short save left is offered under
// every name of the file (another hard link, a new name, another folder) while the file holds what
// the save left, never once it holds a newer text (saved whole under any name, or written by another
// program since), and a damaged copy is told, never used. Copies the program's first versions left
// are still read. A state folder that takes no copy sends it beside the file; with room in neither
// place the user is told which folders and why. Every torn file here comes from a real kill.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
#include <filesystem>
#include <optional>

#include "platform/vb/error.h"
#include "platform/vb/file_system.h"
#include "support_torn_save.h"

using namespace qmtest;
namespace fs = std::filesystem;

namespace {

// A file with a second name beside it and a third in another folder, torn by a killed save.
struct TornFile : LinkedFile {
  fs::path c = dir.path() / "other" / "c.txt";
  std::string torn;

  TornFile() {
    fs::create_directory(c.parent_path());
    fs::create_hard_link(a, c);
    torn = Tear(a, kAfter);
  }
  // What an open of the file under `name` is offered.
  static std::optional<vb::InterruptedSave> Find(const fs::path& name) {
    return vb::FindInterruptedSave(U(name), ReadBytes(name));
  }
  std::size_t Copies() const { return LeftIn(state.folder()) + LeftIn(dir.path()) + LeftIn(c.parent_path()); }
  fs::path OnlyCopy() const {
    for (const auto& e : fs::directory_iterator(state.folder())) return e.path();
    return {};
  }
};

void FlipByte(const fs::path& file, std::size_t at) {
  std::string bytes = ReadBytes(file);
  bytes.at(at) ^= 0x20;
  WriteBytes(file, bytes);
}

// A copy as the program's first versions wrote it: the content, the file's path, and a record of
// their lengths, a checksum of both, and its mark. The checksum is written out here on purpose rather
// than taken from the program: a change to the program's checksum must fail these tests, since copies
// already on users' disks keep the old one.
void WriteFirstKindCopy(const fs::path& copy, const std::string& content, const std::string& path) {
  std::uint64_t h = 14695981039346656037ull;
  for (const std::string_view part : {std::string_view(content), std::string_view(path)}) {
    std::size_t i = 0;
    for (; i + 8 <= part.size(); i += 8) {
      std::uint64_t word;
      std::memcpy(&word, part.data() + i, 8);
      h = (h ^ word) * 1099511628211ull;
      h ^= h >> 29;
    }
    for (; i < part.size(); ++i) h = (h ^ static_cast<unsigned char>(part[i])) * 1099511628211ull;
    h ^= part.size();
  }
  const std::uint64_t record[3] = {content.size(), path.size(), h};
  WriteBytes(copy, content + path + std::string(reinterpret_cast<const char*>(record), sizeof record) + "QMCOPY\r\n");
}

void SetModified(const fs::path& file, std::time_t when) {
  const timespec times[2] = {{when, 0}, {when, 0}};
  ::utimensat(AT_FDCWD, file.c_str(), times, 0);
}

// Saves `bytes` over `file` in a child process whose disk is full (every positioned write fails so),
// and gives the error the save raised: its number and description.
std::pair<std::int32_t, std::u16string> SaveOnAFullDisk(const fs::path& file, const std::string& bytes) {
  int out[2];
  if (::pipe(out) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(out[0]);
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_pwrite64, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | ENOSPC),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 || ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0)
      ::_exit(3);
    std::string said = "0\n";
    try {
      vb::WriteAllBytesSafely(U(file), bytes);
    } catch (const vb::Error& e) {
      said = std::to_string(e.Number) + "\n" + vb::ToUtf8(e.Description);
    }
    (void)!::write(out[1], said.data(), said.size());
    ::_exit(0);
  }
  ::close(out[1]);
  std::string said;
  char buffer[4096];
  for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;) said.append(buffer, static_cast<std::size_t>(n));
  ::close(out[0]);
  ::waitpid(child, nullptr, 0);
  const auto line = said.find('\n');
  if (line == std::string::npos) return {};
  return {std::stoi(said.substr(0, line)), vb::FromUtf8(said.substr(line + 1))};
}

bool Says(const std::u16string& text, const std::string& part) { return text.find(vb::FromUtf8(part)) != text.npos; }

}  // namespace

TEST(RecoveryCopies, ACopyIsOfferedUnderEveryNameOfItsFileUntilTheFileIsSavedWholeUnderAny) {
  TornFile f;
  ASSERT_FALSE(f.torn.empty()) << "no kill left the file torn";
  for (const fs::path& name : {f.a, f.b, f.c}) {
    const auto copy = TornFile::Find(name);
    ASSERT_TRUE(copy) << name << " opened torn with nothing said";
    EXPECT_EQ(copy->bytes, kAfter);
    EXPECT_FALSE(copy->damaged);
  }
  // Renamed, then moved to another folder.
  const fs::path renamed = f.dir.path() / "renamed.txt";
  const fs::path moved = f.c.parent_path() / "moved.txt";
  fs::rename(f.a, renamed);
  EXPECT_TRUE(TornFile::Find(renamed));
  fs::rename(renamed, moved);
  const auto copy = TornFile::Find(moved);
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->bytes, kAfter);
  EXPECT_EQ(fs::path(vb::ToUtf8(copy->copyPath)), f.OnlyCopy());

  // Saved whole under one name, the file is never again offered the copy, under any name.
  vb::WriteAllBytesSafely(U(f.c), "good text\r\n");
  EXPECT_EQ(f.Copies(), 0u);
  for (const fs::path& name : {moved, f.b, f.c}) EXPECT_FALSE(TornFile::Find(name)) << name;
}

TEST(RecoveryCopies, AFileWrittenSinceItsSaveWasCutShortIsNeverOfferedTheCopyAndTheCopyGoes) {
  {
    TornFile f;
    ASSERT_FALSE(f.torn.empty());
    WriteBytes(f.a, "written by another program\r\n");
    EXPECT_FALSE(TornFile::Find(f.b));
    EXPECT_EQ(f.Copies(), 0u);
  }
  {
    // One letter of the torn text changed by hand, in its new part and in its old part.
    for (const std::size_t at : {std::size_t{100}, kAfter.size() + 100}) {
      TornFile f;
      std::string edited = f.torn;
      edited.at(at) = '#';
      WriteBytes(f.b, edited);
      EXPECT_FALSE(TornFile::Find(f.a)) << "changed at " << at;
      EXPECT_EQ(f.Copies(), 0u);
    }
  }
  {
    // Another program puts a new file in a.txt's place: that is another file, while b.txt and c.txt
    // still name the torn one.
    TornFile f;
    WriteBytes(f.dir.path() / "new.tmp", "replaced\r\n");
    fs::rename(f.dir.path() / "new.tmp", f.a);
    EXPECT_FALSE(TornFile::Find(f.a));
    const auto copy = TornFile::Find(f.b);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->bytes, kAfter);
  }
}

TEST(RecoveryCopies, ADamagedCopyIsToldEachTimeNeverUsedAndGoesWithTheNextWholeSave) {
  TornFile f;
  ASSERT_FALSE(f.torn.empty());
  const fs::path copyFile = f.OnlyCopy();
  FlipByte(copyFile, 10);
  for (const fs::path& name : {f.b, f.a}) {
    const auto copy = TornFile::Find(name);
    ASSERT_TRUE(copy) << "a damaged copy was passed over without a word";
    EXPECT_TRUE(copy->damaged);
    EXPECT_TRUE(copy->bytes.empty());
    EXPECT_EQ(fs::path(vb::ToUtf8(copy->copyPath)), copyFile);
  }
  vb::WriteAllBytesSafely(U(f.a), "whole\r\n");
  EXPECT_EQ(f.Copies(), 0u);

  // A copy whose closing record is damaged names no file: it is told when the file is opened under
  // the name it was saved under, and goes with the next whole save.
  TornFile g;
  FlipByte(g.OnlyCopy(), fs::file_size(g.OnlyCopy()) - 20);
  const auto copy = TornFile::Find(g.a);
  ASSERT_TRUE(copy);
  EXPECT_TRUE(copy->damaged);
  vb::WriteAllBytesSafely(U(g.a), "whole\r\n");
  EXPECT_EQ(g.Copies(), 0u);
}

TEST(RecoveryCopies, CopiesTheFirstVersionsLeftAreOfferedToTheFileTheyNameWhileItIsAsTheyLeftIt) {
  TempDir dir;
  FreshStateFolder state;
  const fs::path a = dir.path() / "a.txt";
  const fs::path b = dir.path() / "b.txt";
  WriteBytes(a, "torn text\r\n");
  fs::create_hard_link(a, b);
  const fs::path copyFile = dir.path() / ".~a.txt.0badc0de.Ab12Cd.qmsave";
  const std::string named = (fs::canonical(dir.path()) / "a.txt").string();
  const std::time_t now = std::time(nullptr);
  const auto leave = [&] {
    WriteFirstKindCopy(copyFile, kAfter, named);
    SetModified(copyFile, now);
    SetModified(a, now);
  };
  leave();
  for (const fs::path& name : {a, b}) {
    const auto copy = TornFile::Find(name);
    ASSERT_TRUE(copy) << name;
    EXPECT_EQ(copy->bytes, kAfter);
  }
  // Written an hour after its copy was made: written since.
  SetModified(a, now + 3600);
  EXPECT_FALSE(TornFile::Find(a));
  EXPECT_FALSE(fs::exists(copyFile));
  // Holding the copy's text: the save was whole.
  leave();
  WriteBytes(a, kAfter);
  SetModified(a, now);
  EXPECT_FALSE(TornFile::Find(b));
  EXPECT_FALSE(fs::exists(copyFile));
  // Damaged.
  WriteBytes(a, "torn text\r\n");
  leave();
  FlipByte(copyFile, 5);
  const auto copy = TornFile::Find(a);
  ASSERT_TRUE(copy);
  EXPECT_TRUE(copy->damaged);
}

TEST(RecoveryCopies, AStateFolderThatTakesNoCopySendsItBesideTheFileAndWithRoomInNeitherTheUserIsToldWhereAndWhy) {
  TempDir dir;
  FreshStateFolder state;
  const fs::path a = dir.path() / "a.txt";
  const fs::path b = dir.path() / "b.txt";
  WriteBytes(a, kBefore);
  fs::create_hard_link(a, b);
  WriteBytes(state.folder(), "a file where the folder should be");
  ASSERT_FALSE(Tear(a, kAfter).empty());
  EXPECT_EQ(LeftIn(dir.path()), 1u);
  const auto copy = TornFile::Find(b);
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->bytes, kAfter);
  vb::WriteAllBytesSafely(U(a), "whole\r\n");
  EXPECT_EQ(LeftIn(dir.path()), 0u);

  UnwritableFolder folder(dir.path());
  if (!folder.ok()) GTEST_SKIP() << "the folder cannot be made unwritable here";
  const std::string real = fs::canonical(dir.path()).string();
  try {
    vb::WriteAllBytesSafely(U(a), kAfter);
    ADD_FAILURE() << "a rewrite began with no copy";
  } catch (const vb::Error& e) {
    EXPECT_TRUE(Says(e.Description, "\"a.txt\"")) << vb::ToUtf8(e.Description);
    EXPECT_TRUE(Says(e.Description, "в папке \"" + state.folder().string() + "\": на её месте стоит файл"))
        << vb::ToUtf8(e.Description);
    EXPECT_TRUE(Says(e.Description, "в папке \"" + real + "\": нет права создавать в ней файлы"));
  }
  EXPECT_EQ(ReadBytes(a), "whole\r\n");

  // The state folder's disk full.
  fs::remove(state.folder());
  const auto [number, description] = SaveOnAFullDisk(a, kAfter);
  EXPECT_EQ(number, vb::err::kDiskFull);
  EXPECT_TRUE(Says(description, "в папке \"" + state.folder().string() + "\": на диске нет места"))
      << vb::ToUtf8(description);
  EXPECT_TRUE(Says(description, "в папке \"" + real + "\": нет права создавать в ней файлы"));
  EXPECT_EQ(ReadBytes(a), "whole\r\n");
}
