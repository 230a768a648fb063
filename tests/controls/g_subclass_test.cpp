// The subclassing object: listeners first-registered first, responses as bits, the properties it
// shares with MSubclass, its own message cell, windows it leaves when it goes, and any number of
// objects alive at once.
#include "controls/g_subclass.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/testing/win.h"
#include "platform/vb/error.h"
#include "platform/win/window.h"

using namespace win;

namespace {

std::vector<std::string> trace;
constexpr LRESULT kOriginalResult = 100;
constexpr UINT kMsg = WM_USER + 7;

LRESULT Original(HWND h, UINT m, WPARAM, LPARAM) {
  trace.push_back("old:" + std::to_string(m));
  if (m == WM_DESTROY)
    trace.push_back(GetWindowLongA(h, GWL_WNDPROC) == reinterpret_cast<LONG_PTR>(&Original) ? "restored"
                                                                                            : "still-subclassed");
  return kOriginalResult;
}

HWND Make() {
  static const bool registered = [] {
    WNDCLASSA wc;
    wc.lpszClassName = "GSubclassProbe";
    wc.lpfnWndProc = &Original;
    return RegisterClassA(wc) != 0;
  }();
  (void)registered;
  return CreateWindowExA(0, "GSubclassProbe", u"", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, nullptr);
}

class Listener : public ISubclass {
 public:
  Listener(std::string name, std::int32_t response, LRESULT result) : name_(std::move(name)), result_(result) {
    SetMsgResponse(response);
  }
  LRESULT WindowProc(HWND, UINT m, WPARAM, LPARAM) override {
    trace.push_back(name_ + ":" + std::to_string(m));
    if (onCall) onCall();
    return result_;
  }
  std::function<void()> onCall;

 private:
  std::string name_;
  LRESULT result_;
};

std::string At(const std::string& who, UINT m = kMsg) { return who + ":" + std::to_string(m); }

class GSubclassTest : public ::testing::Test {
 protected:
  void SetUp() override {
    trace.clear();
    h = Make();
  }
  void TearDown() override {
    if (IsWindow(h)) DestroyWindow(h);
  }
  LONG_PTR Proc() const { return GetWindowLongA(h, GWL_WNDPROC); }
  HWND h = 0;
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
  EXPECT_EQ(trace, (std::vector<std::string>{At("first"), At("second")}));
  EXPECT_EQ(sub.CurrentMessage(), kMsg);
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
  EXPECT_EQ(trace, (std::vector<std::string>{At("old"), At("first"), At("second")}));

  // Both bits act as 2: the previous procedure runs once, before.
  first.SetMsgResponse(3);
  second.SetMsgResponse(3);
  trace.clear();
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), 22);
  EXPECT_EQ(trace, (std::vector<std::string>{At("old"), At("first"), At("second")}));

  // Bit 1 counts only on the listener in the highest slot; its answer is the previous procedure's.
  first.SetMsgResponse(1);
  second.SetMsgResponse(0);
  trace.clear();
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), 22);
  EXPECT_EQ(trace, (std::vector<std::string>{At("first"), At("second")}));
  first.SetMsgResponse(0);
  second.SetMsgResponse(1);
  trace.clear();
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), kOriginalResult);
  EXPECT_EQ(trace, (std::vector<std::string>{At("first"), At("second"), At("old")}));
  sub.DetachMessage(&first, h, kMsg);
  sub.DetachMessage(&second, h, kMsg);
}

TEST_F(GSubclassTest, RefusesWhatMSubclassRefusesWithTheSameErrors) {
  Listener a("a", 0, 1);
  const auto raised = [](const std::function<void()>& f) -> std::int32_t {
    try {
      f();
    } catch (const vb::Error& e) {
      return e.Number;
    }
    return 0;
  };
  sub.AttachMessage(&a, h, kMsg);
  EXPECT_EQ(raised([&] { sub.AttachMessage(&a, h, kMsg); }), -2147208422);
  EXPECT_EQ(GetPropA(h, std::to_string(h) + "#" + std::to_string(kMsg) + "C"), 1);
  EXPECT_EQ(raised([&] { sub.AttachMessage(&a, 987654, kMsg); }), -2147208421);
  const HWND foreign = platform::testing::CreateForeignWindow();
  EXPECT_EQ(raised([&] { sub.AttachMessage(&a, foreign, kMsg); }), -2147208420);
  EXPECT_FALSE(sub.IsWindowLocal(foreign));
  EXPECT_TRUE(sub.IsWindowLocal(h));
  sub.DetachMessage(&a, foreign, kMsg);
  DestroyWindow(foreign);
  EXPECT_FALSE(sub.InIDE());
  sub.DetachMessage(&a, h, kMsg);
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
  EXPECT_EQ(trace, std::vector<std::string>{At("theirs", kMsg + 1)});

  GSubclass other;
  EXPECT_EQ(other.CurrentMessage(), 0u);
  EXPECT_EQ(sub.CurrentMessage(), kMsg + 1);
  MSubclass::DetachMessage(&theirs, h, kMsg + 1);
  sub.DetachMessage(&mine, h, kMsg);
  EXPECT_EQ(Proc(), reinterpret_cast<LONG_PTR>(&Original));
}

TEST_F(GSubclassTest, DestroyWithoutListenerRestoresTheProcedureBeforeItRuns) {
  Listener a("a", 0, 1);
  sub.AttachMessage(&a, h, kMsg);
  trace.clear();
  DestroyWindow(h);
  ASSERT_GE(trace.size(), 2u);
  EXPECT_EQ(trace[0], At("old", WM_DESTROY));
  EXPECT_EQ(trace[1], "restored");
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
  EXPECT_EQ(trace, (std::vector<std::string>{At("a"), At("c")}));
  a.onCall = nullptr;

  // A listener destroyed without detaching is never reached.
  auto* gone = new Listener("gone", 0, 9);
  sub.AttachMessage(gone, h, kMsg);
  delete gone;
  trace.clear();
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), 3);
  EXPECT_EQ(trace, (std::vector<std::string>{At("a"), At("c")}));
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
  EXPECT_EQ(trace, std::vector<std::string>{At("old")});

  // Another service's listener keeps the window subclassed: it goes on being served.
  Listener theirs("theirs", 1, 0);
  {
    GSubclass shortLived;
    shortLived.AttachMessage(&a, h, kMsg);
    MSubclass::AttachMessage(&theirs, h, kMsg);
  }
  trace.clear();
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), kOriginalResult);
  EXPECT_EQ(trace, (std::vector<std::string>{At("theirs"), At("old")}));
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
    Served s{Make(), std::make_unique<GSubclass>(), std::make_unique<Listener>("l" + std::to_string(i), 0, 1000 + i)};
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
  EXPECT_EQ(trace, (std::vector<std::string>{At("a"), At("b"), At("c")}));

  // The object that subclassed the window goes first: the others' listeners are still reached.
  a.reset();
  trace.clear();
  SendMessage(h, kMsg, 0, 0);
  EXPECT_EQ(trace, (std::vector<std::string>{At("c"), At("b")}));  // the module's order, last first
  c.reset();
  trace.clear();
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), 2);
  EXPECT_EQ(trace, std::vector<std::string>{At("b")});
  b.reset();
  EXPECT_EQ(Proc(), reinterpret_cast<LONG_PTR>(&Original));

  // A new object takes the window over and is the one that sees its messages.
  GSubclass next;
  next.AttachMessage(&la, h, kMsg);
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), 1);
  EXPECT_EQ(next.CurrentMessage(), kMsg);
  next.DetachMessage(&la, h, kMsg);
}
