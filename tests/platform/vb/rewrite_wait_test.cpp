// Two copies of the program and one file: while one rewrites the file in place, a read or a rewrite
// of it by the other waits for that rewrite to end, with events running meanwhile (the windows
// answer), and then reads the whole new text or writes its own; never the torn text. A wait that
// outlasts its bound says another program is writing the file. The other copy is a real save in a
// child process, held where the file is torn; the bound is measured by a clock the test decides.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMetaObject>

#include <chrono>
#include <filesystem>

#include "platform/testing/vb.h"
#include "platform/vb/error.h"
#include "platform/vb/file_system.h"
#include "support_torn_save.h"

using namespace qmtest;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// A clock by which the bound never passes.
vb::testing::WaitClockReplacement Stopped() {
  return vb::testing::WaitClockReplacement([] { return Clock::time_point{}; });
}

// A clock by which the bound has passed at the second look.
vb::testing::WaitClockReplacement Running() {
  return vb::testing::WaitClockReplacement([looks = std::make_shared<int>(0)] {
    return Clock::time_point{} + std::chrono::hours(*looks += 1);
  });
}

// Runs `action` at the next pass of the events: inside a wait, if the wait lets events run.
void AtTheNextEvents(std::function<void()> action) {
  QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(action), Qt::QueuedConnection);
}

std::u16string Refusal(const std::function<void()>& f) {
  try {
    f();
  } catch (const vb::Error& e) {
    return e.Number == vb::err::kPathFileAccessError ? e.Description : u"№ " + vb::FromUtf8(std::to_string(e.Number));
  }
  return u"nothing refused";
}

}  // namespace

TEST(RewriteWaits, AReadWaitsForAnotherCopysRewriteWithEventsRunningAndGetsTheWholeNewText) {
  LinkedFile f;
  const auto clock = Stopped();
  bool eventsRan = false;
  std::string read;
  ASSERT_TRUE(WriteHeldWhereTorn(f.a, kAfter, [&] {
    // The other copy goes on with its save once events have run inside the wait.
    AtTheNextEvents([&] {
      eventsRan = Torn(f.a, kBefore, kAfter);
      FinishHeldChild();
    });
    read = vb::ReadAllBytes(U(f.b));
  }));
  EXPECT_TRUE(eventsRan) << "no event ran while the read waited";
  EXPECT_TRUE(read == kAfter) << "the read got " << read.size() << " bytes, not the new text whole";
}

TEST(RewriteWaits, ARewriteWaitsForAnotherCopysRewriteWithEventsRunningAndThenWritesItsOwnText) {
  LinkedFile f;
  const auto clock = Stopped();
  bool eventsRan = false;
  ASSERT_TRUE(WriteHeldWhereTorn(f.a, kAfter, [&] {
    AtTheNextEvents([&] {
      eventsRan = Torn(f.a, kBefore, kAfter);
      FinishHeldChild();
    });
    EXPECT_EQ(Refusal([&] { vb::WriteAllBytesSafely(U(f.b), "mine\r\n"); }), u"nothing refused");
  }));
  EXPECT_TRUE(eventsRan) << "no event ran while the rewrite waited";
  EXPECT_EQ(ReadBytes(f.a), "mine\r\n");
  EXPECT_EQ(LeftIn(f.state.folder()) + LeftIn(f.dir.path()), 0u);
}

TEST(RewriteWaits, AReadOrRewriteStillHeldAfterTheBoundIsRefusedWithTheReason) {
  LinkedFile f;
  ASSERT_TRUE(WriteHeldWhereTorn(f.a, kAfter, [&] {
    const auto clock = Running();
    EXPECT_EQ(Refusal([&] { vb::ReadAllBytes(U(f.b)); }),
              u"Файл \"b.txt\" сейчас записывает другая программа. Откройте его ещё раз, когда она закончит.");
    EXPECT_EQ(Refusal([&] { vb::WriteAllBytesSafely(U(f.b), "mine\r\n"); }),
              u"Файл \"b.txt\" сейчас записывает другая программа. Сохраните документ ещё раз, когда она закончит.");
  }));
}
