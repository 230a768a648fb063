// The mark a copy of the program holds for the other copies: seen by every copy while its holder
// runs, the holder too, and gone when the holder ends, whether it lets go or is killed.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/vb/copy_mark.h"
#include "support.h"

namespace {

// A copy in a child process that takes the mark and says so through a pipe, then waits to be
// killed.
pid_t StartHolder(const char* name) {
  int ready[2];
  if (::pipe(ready) != 0) return -1;
  const pid_t pid = ::fork();
  if (pid == 0) {
    vb::CopyMark mark(name);
    (void)!::write(ready[1], "!", 1);
    for (;;) ::pause();
  }
  ::close(ready[1]);
  char c = 0;
  const bool told = ::read(ready[0], &c, 1) == 1;
  ::close(ready[0]);
  return told ? pid : -1;
}

}  // namespace

TEST(CopyMark, SeenByEveryCopyWhileItsHolderRunsAndGoneWhenItIsKilled) {
  qmtest::FreshSettings settings;
  EXPECT_FALSE(vb::CopyMark::HeldByAnyCopy("locked"));
  const pid_t holder = StartHolder("locked");
  ASSERT_GT(holder, 0);
  EXPECT_TRUE(vb::CopyMark::HeldByAnyCopy("locked"));
  EXPECT_TRUE(vb::CopyMark::HeldByAnyCopy("locked")) << "asking takes nothing";
  EXPECT_FALSE(vb::CopyMark::HeldByAnyCopy("other"));
  ::kill(holder, SIGKILL);
  ::waitpid(holder, nullptr, 0);
  EXPECT_FALSE(vb::CopyMark::HeldByAnyCopy("locked")) << "a killed holder holds nothing";
}

TEST(CopyMark, TheHolderSeesItsOwnMarkUntilItLetsGo) {
  qmtest::FreshSettings settings;
  {
    vb::CopyMark mark("locked");
    EXPECT_TRUE(vb::CopyMark::HeldByAnyCopy("locked"));
    EXPECT_TRUE(vb::CopyMark::HeldByAnyCopy("locked")) << "asking again lets nothing go";
    vb::CopyMark second("locked");
    EXPECT_TRUE(vb::CopyMark::HeldByAnyCopy("locked"));
  }
  EXPECT_FALSE(vb::CopyMark::HeldByAnyCopy("locked"));
}
