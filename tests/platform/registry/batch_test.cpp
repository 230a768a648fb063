// The writes of one command, gathered by a batch: they reach the file in one replacement of it,
// reads see them at once, another process sees all of them or none, its own values are kept, and
// a file that cannot take them keeps none.
#include <fcntl.h>
#include <sys/file.h>

#include <fstream>
#include <string>

#include "store_support.h"

using namespace regtest;

TEST_F(Registry, ABatchReachesTheFileInOneReplacementAndReadsSeeItAtOnce) {
  ASSERT_EQ(SetText(u"Software\\Prog", u"Old", u"0"), ERROR_SUCCESS);
  const std::string before = ReadBytes(reg::FilePath());
  qmtest::FileReplacements replaced(reg::FilePath());
  {
    reg::Batch batch;
    EXPECT_EQ(SetText(u"Software\\Prog", u"Old", u"1"), ERROR_SUCCESS);
    bool created = false;
    EXPECT_EQ(reg::CreateKey(u"Software\\Prog\\New\\Deeper", &created), ERROR_SUCCESS);
    EXPECT_TRUE(created);
    EXPECT_EQ(reg::CreateKey(u"software\\prog\\new", &created), ERROR_SUCCESS);
    EXPECT_FALSE(created);
    for (int i = 0; i < 40; ++i) EXPECT_EQ(SetNumber(u"Software\\Prog\\New", vb::FromUtf8(std::to_string(i)), i), 0);
    // Seen here at once, the later of two writes of a name winning; the file is as it was.
    EXPECT_EQ(SetText(u"SOFTWARE\\PROG", u"old", u"2"), ERROR_SUCCESS);
    EXPECT_EQ(GetText(u"Software\\Prog", u"Old"), u"2");
    EXPECT_EQ(reg::OpenKey(u"Software\\Prog\\New\\Deeper"), ERROR_SUCCESS);
    reg::ValueFacts facts;
    ASSERT_EQ(reg::QueryValue(u"Software\\Prog\\New", u"39", &facts), ERROR_SUCCESS);
    EXPECT_EQ(facts.number, 39u);
    EXPECT_EQ(ReadBytes(reg::FilePath()), before);
    EXPECT_EQ(replaced.Count(), 0);
  }
  EXPECT_EQ(replaced.Count(), 1);
  EXPECT_EQ(InChild([] {
              reg::Value value;
              const bool all = GetText(u"Software\\Prog", u"Old") == u"2" &&
                               reg::QueryValue(u"Software\\Prog\\New", u"39", &value) == ERROR_SUCCESS &&
                               reg::OpenKey(u"Software\\Prog\\New\\Deeper") == ERROR_SUCCESS;
              return all ? 0 : 1;
            }),
            0);
}

// A batch that changes nothing writes nothing; batches nest, and the outermost one writes.
TEST_F(Registry, OnlyTheOutermostBatchWritesAndOnlyWhatChanged) {
  ASSERT_EQ(SetText(u"Software", u"Same", u"1"), ERROR_SUCCESS);
  qmtest::FileReplacements replaced(reg::FilePath());
  {
    reg::Batch batch;
    SetText(u"Software", u"Same", u"1");
    SetText(u"Software", u"same", u"1");
  }
  EXPECT_EQ(replaced.Count(), 0);
  reg::Batch outer;
  {
    reg::Batch inner;
    SetText(u"Software", u"Inner", u"1");
    EXPECT_EQ(inner.Commit(), ERROR_SUCCESS);
    EXPECT_EQ(inner.Commit(), ERROR_SUCCESS);
  }
  SetText(u"Software", u"Outer", u"1");
  EXPECT_EQ(replaced.Count(), 0);
  EXPECT_EQ(outer.Commit(), ERROR_SUCCESS);
  EXPECT_EQ(replaced.Count(), 1);
  EXPECT_EQ(InChild([] { return GetText(u"Software", u"Inner") == u"1" && GetText(u"Software", u"Outer") == u"1" ? 0 : 1; }),
            0);
}

// The batch writes on the file as it is when it closes: what another process wrote meanwhile stays.
// (The other process starts before the batch opens: a child forked inside it would share it.)
TEST_F(Registry, ABatchKeepsWhatAnotherProcessWroteMeanwhile) {
  ASSERT_EQ(SetText(u"Software", u"Shared", u"before"), ERROR_SUCCESS);
  int go[2];
  ASSERT_EQ(pipe(go), 0);
  const pid_t other = fork();
  if (other == 0) {
    char c;
    close(go[1]);
    const bool told = read(go[0], &c, 1) == 1;
    _exit(told && SetText(u"Software", u"Theirs", u"2") == ERROR_SUCCESS &&
                  SetText(u"Software", u"Shared", u"theirs") == ERROR_SUCCESS
              ? 0
              : 1);
  }
  close(go[0]);
  {
    reg::Batch batch;
    SetText(u"Software", u"Mine", u"1");
    ASSERT_EQ(write(go[1], "x", 1), 1);
    int status = 0;
    waitpid(other, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(GetText(u"Software", u"Theirs"), u"2");
  }
  close(go[1]);
  EXPECT_EQ(InChild([] {
              return GetText(u"Software", u"Mine") == u"1" && GetText(u"Software", u"Theirs") == u"2" &&
                             GetText(u"Software", u"Shared") == u"theirs"
                         ? 0
                         : 1;
            }),
            0);
}

// A process reading the file while another makes command after command sees each command whole:
// every value a command sets has the same generation in every file the reader sees.
TEST_F(Registry, AnotherProcessSeesAllOfACommandOrNoneOfIt) {
  constexpr int kValues = 12;
  constexpr int kCommands = 40;
  const auto command = [](int generation) {
    reg::Batch batch;
    for (int i = 0; i < kValues; ++i) SetText(u"Software\\Cmd", vb::FromUtf8("V" + std::to_string(i)), vb::FromUtf8(std::to_string(generation)));
  };
  command(0);
  int done[2];
  ASSERT_EQ(pipe(done), 0);
  const pid_t reader = fork();
  if (reader == 0) {
    close(done[1]);
    fcntl(done[0], F_SETFL, O_NONBLOCK);
    char c;
    int mixed = 0;
    while (read(done[0], &c, 1) != 0) {
      // One read of the file is one state of it: every "V" line must hold the same text.
      const std::string text = ReadBytes(reg::FilePath());
      std::string seen;
      for (std::size_t at = text.find("\n\"V"); at != std::string::npos; at = text.find("\n\"V", at + 1)) {
        const std::size_t value = text.find("=\"", at) + 2;
        const std::string generation = text.substr(value, text.find('"', value) - value);
        if (!seen.empty() && generation != seen) ++mixed;
        seen = generation;
      }
    }
    _exit(mixed == 0 ? 0 : 1);
  }
  close(done[0]);
  for (int generation = 1; generation <= kCommands; ++generation) command(generation);
  close(done[1]);
  int status = 0;
  waitpid(reader, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "a reader saw a command half made";
}

// A file that cannot take the batch keeps none of it, and the batch's close says so.
TEST_F(Registry, ABatchTheFileCannotTakeIsToldAtItsCloseAndKeepsNothing) {
  ASSERT_EQ(SetText(u"Software", u"Kept", u"1"), ERROR_SUCCESS);
  const std::string before = ReadBytes(reg::FilePath());
  const qmtest::UnwritableFolder frozen(reg::FilePath().parent_path());
  if (!frozen.ok()) GTEST_SKIP() << "the folder cannot be made unwritable here";
  ::testing::internal::CaptureStderr();
  reg::Batch batch;
  EXPECT_EQ(SetText(u"Software", u"New", u"2"), ERROR_SUCCESS);
  EXPECT_EQ(SetText(u"Software", u"Kept", u"3"), ERROR_SUCCESS);
  EXPECT_EQ(batch.Commit(), ERROR_REGISTRY_IO_FAILED);
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(GetText(u"Software", u"New"), std::nullopt);
  EXPECT_EQ(GetText(u"Software", u"Kept"), u"1");
  EXPECT_EQ(ReadBytes(reg::FilePath()), before);
}

// A writer that comes to a held lock writes before the holder can write again: a process that
// writes again and again keeps no other waiting for more than one of its writes.
TEST_F(Registry, AWaitingWriterGoesBeforeTheHoldersNextWrite) {
  ASSERT_EQ(SetText(u"Software", u"Start", u"0"), ERROR_SUCCESS);
  fs::path lockFile = reg::FilePath();
  lockFile += ".lock";
  const int held = open(lockFile.c_str(), O_RDWR | O_CLOEXEC);
  ASSERT_GE(held, 0);
  ASSERT_EQ(flock(held, LOCK_EX), 0);
  const pid_t waiter = fork();
  if (waiter == 0) {
    close(held);  // the parent's hold on the lock, which a child would keep
    _exit(SetText(u"Software", u"Waiter", u"1") == ERROR_SUCCESS ? 0 : 1);
  }
  // The waiter is at the lock once the kernel lists it among the lock's waiters.
  const auto waiting = [&] {
    std::ifstream locks("/proc/locks");
    const std::string pid = " " + std::to_string(waiter) + " ";
    for (std::string line; std::getline(locks, line);) {
      if (line.find("-> FLOCK") != std::string::npos && line.find(pid) != std::string::npos) return true;
    }
    return false;
  };
  for (int look = 0; look < 60000 && !waiting(); ++look) usleep(1000);
  ASSERT_TRUE(waiting());
  close(held);
  ASSERT_EQ(SetText(u"Software", u"Holder", u"1"), ERROR_SUCCESS);
  int status = 0;
  waitpid(waiter, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  const std::string body = FileBody();
  EXPECT_LT(body.find("\"Waiter\""), body.find("\"Holder\"")) << body;
}
