// The subclassing object: listeners first-registered first, responses as bits, the properties it
// shares with MSubclass, its own message cell, windows it leaves when it goes, and any number of
// objects alive at once. What it does as the module does is in subclass_services_test.cpp.
#include "controls/g_subclass.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/testing/win.h"
#include "subclass_support.h"

using namespace win;
using namespace subclass_testing;

namespace {

constexpr UINT kMsg = WM_USER + 7;

// "who:message", for kMsg unless told.
std::string Seen(const std::string& who, UINT m = kMsg) { return At(who, m); }

class GSubclassTest : public ProbeWindowTest {
 protected:
  LONG_PTR Proc() const { return GetWindowLongA(h, GWL_WNDPROC); }
  GSubclass sub;
};

}  // namespace

TEST_F(GSubclassTest, ListenersRunFirstRegisteredFirstAndTheLastOneAnswers) {
  Listener first("first", 0, 11), second("second", 0, 22);
  sub.AttachMessage(&first, h, kMsg);
  sub.AttachMessage(&second, h, kMsg);
  EXPECT_EQ(Proc(), reinterpret_cast<LONG_PTR>(sub.Procedure()));
  trace.clear();
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), 22);
  EXPECT_EQ(trace, (std::vector<std::string>{Seen("first"), Seen("second")}));
  EXPECT_EQ(sub.CurrentMessage(), kMsg);
  EXPECT_FALSE(sub.InIDE());
  // A message nobody listens to goes straight to the previous procedure.
  EXPECT_EQ(SendMessage(h, WM_USER + 99, 0, 0), kOriginalResult);
  sub.DetachMessage(&first, h, kMsg);
  sub.DetachMessage(&second, h, kMsg);
  EXPECT_EQ(Proc(), reinterpret_cast<LONG_PTR>(&Original));
  EXPECT_EQ(GetPropA(h, std::to_string(h)), 0);
  EXPECT_EQ(GetPropA(h, "C" + std::to_string(h)), 0);
}

TEST_F(GSubclassTest, ResponsesAreBitsAndTheHighestSlotDecidesTheCallAfter) {
  Listener first("first", 0, 11), second("second", 0, 22);
  sub.AttachMessage(&first, h, kMsg);
  sub.AttachMessage(&second, h, kMsg);

  // Bit 2 on the first listener: the previous procedure runs before it; the listeners answer.
  first.SetMsgResponse(2);
  trace.clear();
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), 22);
  EXPECT_EQ(trace, (std::vector<std::string>{Seen("old"), Seen("first"), Seen("second")}));

  // Both bits act as 2: the previous procedure runs once, before.
  first.SetMsgResponse(3);
  second.SetMsgResponse(3);
  trace.clear();
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), 22);
  EXPECT_EQ(trace, (std::vector<std::string>{Seen("old"), Seen("first"), Seen("second")}));

  // Bit 1 counts only on the listener in the highest slot; its answer is the previous procedure's.
  first.SetMsgResponse(1);
  second.SetMsgResponse(0);
  trace.clear();
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), 22);
  EXPECT_EQ(trace, (std::vector<std::string>{Seen("first"), Seen("second")}));
  first.SetMsgResponse(0);
  second.SetMsgResponse(1);
  trace.clear();
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), kOriginalResult);
  EXPECT_EQ(trace, (std::vector<std::string>{Seen("first"), Seen("second"), Seen("old")}));
  sub.DetachMessage(&first, h, kMsg);
  sub.DetachMessage(&second, h, kMsg);
}

TEST_F(GSubclassTest, SharesItsPropertiesWithMSubclassAndKeepsItsOwnMessageCell) {
  Listener mine("mine", 0, 1), theirs("theirs", 0, 2);
  sub.AttachMessage(&mine, h, kMsg);
  MSubclass::AttachMessage(&theirs, h, kMsg + 1);
  // The window is subclassed once: the second service only adds its registration.
  EXPECT_EQ(Proc(), reinterpret_cast<LONG_PTR>(sub.Procedure()));
  EXPECT_EQ(GetPropA(h, "C" + std::to_string(h)), 2);
  EXPECT_EQ(GetPropA(h, std::to_string(h) + "#" + std::to_string(kMsg + 1) + "#1"), reinterpret_cast<LONG_PTR>(&theirs));
  trace.clear();
  EXPECT_EQ(SendMessage(h, kMsg + 1, 0, 0), 2);
  EXPECT_EQ(trace, std::vector<std::string>{Seen("theirs", kMsg + 1)});

  GSubclass other;
  EXPECT_EQ(other.CurrentMessage(), 0u);
  EXPECT_EQ(sub.CurrentMessage(), kMsg + 1);
  MSubclass::DetachMessage(&theirs, h, kMsg + 1);
  sub.DetachMessage(&mine, h, kMsg);
  EXPECT_EQ(Proc(), reinterpret_cast<LONG_PTR>(&Original));
}

TEST_F(GSubclassTest, ListenersChangedDuringADispatchRunOnceOrNotAtAll) {
  Listener a("a", 0, 1), b("b", 0, 2), c("c", 0, 3);
  sub.AttachMessage(&a, h, kMsg);
  sub.AttachMessage(&b, h, kMsg);
  sub.AttachMessage(&c, h, kMsg);
  // a detaches b: c moves into b's slot but must not run twice, and b must not run at all.
  a.onCall = [&] { sub.DetachMessage(&b, h, kMsg); };
  trace.clear();
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), 3);
  EXPECT_EQ(trace, (std::vector<std::string>{Seen("a"), Seen("c")}));
  a.onCall = nullptr;

  // A listener destroyed without detaching is never reached.
  auto* gone = new Listener("gone", 0, 9);
  sub.AttachMessage(gone, h, kMsg);
  delete gone;
  trace.clear();
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), 3);
  EXPECT_EQ(trace, (std::vector<std::string>{Seen("a"), Seen("c")}));
  sub.DetachMessage(&a, h, kMsg);
  sub.DetachMessage(&c, h, kMsg);
}

TEST_F(GSubclassTest, AnObjectThatGoesGivesItsWindowsTheirProcedureBack) {
  Listener a("a", 0, 5);
  {
    GSubclass shortLived;
    shortLived.AttachMessage(&a, h, kMsg);
    EXPECT_EQ(Proc(), reinterpret_cast<LONG_PTR>(shortLived.Procedure()));
  }
  EXPECT_EQ(Proc(), reinterpret_cast<LONG_PTR>(&Original));
  EXPECT_EQ(GetPropA(h, std::to_string(h)), 0);
  EXPECT_EQ(GetPropA(h, "C" + std::to_string(h)), 0);
  trace.clear();
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), kOriginalResult);
  EXPECT_EQ(trace, std::vector<std::string>{Seen("old")});

  // Another service's listener keeps the window subclassed: it goes on being served.
  Listener theirs("theirs", 1, 0);
  {
    GSubclass shortLived;
    shortLived.AttachMessage(&a, h, kMsg);
    MSubclass::AttachMessage(&theirs, h, kMsg);
  }
  trace.clear();
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), kOriginalResult);
  EXPECT_EQ(trace, (std::vector<std::string>{Seen("theirs"), Seen("old")}));
  MSubclass::DetachMessage(&theirs, h, kMsg);
  EXPECT_EQ(Proc(), reinterpret_cast<LONG_PTR>(&Original));
}

TEST_F(GSubclassTest, AThousandObjectsLiveAtOnceAndGoInAnyOrder) {
  constexpr int kCount = 1000;
  struct Served {
    HWND window;
    std::unique_ptr<GSubclass> object;
    std::unique_ptr<Listener> listener;
  };
  std::vector<Served> all;
  for (int i = 0; i < kCount; ++i) {
    Served s{MakeProbe(), std::make_unique<GSubclass>(), std::make_unique<Listener>("l" + std::to_string(i), 0, 1000 + i)};
    s.object->AttachMessage(s.listener.get(), s.window, kMsg);
    all.push_back(std::move(s));
  }
  // Every window reaches its own object: its listener answers and its object saw the message.
  for (int i = 0; i < kCount; ++i) {
    ASSERT_EQ(SendMessage(all[i].window, kMsg, 0, 0), 1000 + i);
    ASSERT_EQ(all[i].object->CurrentMessage(), kMsg);
  }
  // Objects go in a scattered order; the others keep serving, the windows left get their own
  // procedure back.
  std::vector<int> order(kCount);
  for (int i = 0; i < kCount; ++i) order[i] = (i * 389) % kCount;
  for (int k = 0; k < kCount; ++k) {
    Served& gone = all[order[k]];
    gone.object.reset();
    ASSERT_EQ(GetWindowLongA(gone.window, GWL_WNDPROC), reinterpret_cast<LONG_PTR>(&Original));
    ASSERT_EQ(SendMessage(gone.window, kMsg, 0, 0), kOriginalResult);
    if (k + 1 < kCount) {
      const int next = order[k + 1];
      ASSERT_EQ(SendMessage(all[next].window, kMsg, 0, 0), 1000 + next);
    }
  }
  for (Served& s : all) DestroyWindow(s.window);
}

TEST_F(GSubclassTest, ObjectsSharingAWindowGoInAnyOrderAndTheRestAreStillServed) {
  // Three objects with a listener each on one window; the first subclasses it.
  auto a = std::make_unique<GSubclass>(), b = std::make_unique<GSubclass>(), c = std::make_unique<GSubclass>();
  Listener la("a", 0, 1), lb("b", 0, 2), lc("c", 0, 3);
  a->AttachMessage(&la, h, kMsg);
  b->AttachMessage(&lb, h, kMsg);
  c->AttachMessage(&lc, h, kMsg);
  trace.clear();
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), 3);
  EXPECT_EQ(trace, (std::vector<std::string>{Seen("a"), Seen("b"), Seen("c")}));

  // The object that subclassed the window goes first: the others' listeners are still reached.
  a.reset();
  trace.clear();
  SendMessage(h, kMsg, 0, 0);
  EXPECT_EQ(trace, (std::vector<std::string>{Seen("c"), Seen("b")}));  // the module's order, last first
  c.reset();
  trace.clear();
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), 2);
  EXPECT_EQ(trace, std::vector<std::string>{Seen("b")});
  b.reset();
  EXPECT_EQ(Proc(), reinterpret_cast<LONG_PTR>(&Original));

  // A new object takes the window over and is the one that sees its messages.
  GSubclass next;
  next.AttachMessage(&la, h, kMsg);
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), 1);
  EXPECT_EQ(next.CurrentMessage(), kMsg);
  next.DetachMessage(&la, h, kMsg);
}
