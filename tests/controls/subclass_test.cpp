// The subclassing module: listeners later-registered first, responses as values, the first-registered
// listener's response deciding, and listeners that change the list while a message is dispatched.
#include "controls/subclass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/testing/win.h"
#include "subclass_support.h"

using namespace win;
using namespace subclass_testing;

namespace {

constexpr UINT kMsg = WM_USER + 5;

using Subclassing = ProbeWindowTest;

}  // namespace

TEST_F(Subclassing, LaterListenersRunFirstAndTheFirstOneDecidesTheResponse) {
  Listener first("first", 0, 11), second("second", 0, 22);
  MSubclass::AttachMessage(&first, h, kMsg);
  MSubclass::AttachMessage(&second, h, kMsg);

  trace.clear();
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), 11);
  EXPECT_EQ(trace, (std::vector<std::string>{"second:" + std::to_string(kMsg), "first:" + std::to_string(kMsg)}));

  first.SetMsgResponse(1);  // previous procedure after all listeners, its result returned
  trace.clear();
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), kOriginalResult);
  EXPECT_EQ(trace.back(), "old:" + std::to_string(kMsg));

  first.SetMsgResponse(2);  // previous procedure just before the first listener, result discarded
  trace.clear();
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), 11);
  EXPECT_EQ(trace, (std::vector<std::string>{"second:" + std::to_string(kMsg), "old:" + std::to_string(kMsg),
                                             "first:" + std::to_string(kMsg)}));

  // A message nobody listens to goes straight to the previous procedure.
  trace.clear();
  EXPECT_EQ(SendMessage(h, WM_USER + 99, 0, 0), kOriginalResult);
  MSubclass::DetachMessage(&first, h, kMsg);
  MSubclass::DetachMessage(&second, h, kMsg);
}

TEST_F(Subclassing, DetachingSlotOneMovesTheOthersDownAndTheNextOneDecides) {
  Listener a("a", 0, 1), b("b", 1, 2), c("c", 0, 3);
  MSubclass::AttachMessage(&a, h, kMsg);
  MSubclass::AttachMessage(&b, h, kMsg);
  MSubclass::AttachMessage(&c, h, kMsg);
  MSubclass::DetachMessage(&a, h, kMsg);
  const std::string base = std::to_string(h) + "#" + std::to_string(kMsg) + "#";
  EXPECT_EQ(GetPropA(h, base + "1"), reinterpret_cast<LONG_PTR>(&b));
  EXPECT_EQ(GetPropA(h, base + "2"), reinterpret_cast<LONG_PTR>(&c));
  EXPECT_EQ(GetPropA(h, base + "3"), 0);
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), kOriginalResult);  // b answers 1
  MSubclass::DetachMessage(&b, h, kMsg);
  MSubclass::DetachMessage(&c, h, kMsg);
  EXPECT_EQ(GetWindowLongA(h, GWL_WNDPROC), reinterpret_cast<LONG_PTR>(&Original));
}

TEST_F(Subclassing, ResponseIsReadForTheMessageBeingDispatchedAfterANestedDispatch) {
  // A listener that answers 1 only for kMsg, and sends another message to the window from inside
  // its own call.
  class PerMessage : public Listener {
   public:
    using Listener::Listener;
    std::int32_t MsgResponse() override { return MSubclass::CurrentMessage() == kMsg ? 1 : 0; }
  };
  PerMessage a("a", 0, 5);
  Listener inner("inner", 0, 6);
  MSubclass::AttachMessage(&a, h, kMsg);
  MSubclass::AttachMessage(&inner, h, kMsg + 1);
  a.onCall = [&] {
    a.onCall = nullptr;
    SendMessage(h, kMsg + 1, 0, 0);
  };
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), kOriginalResult);
  MSubclass::DetachMessage(&a, h, kMsg);
  MSubclass::DetachMessage(&inner, h, kMsg + 1);
}

// A listener that attaches or detaches others from its own call: every listener registered when the
// message came is called once, in order, unless it was detached before its turn; one attached
// meanwhile waits for the next message.
TEST_F(Subclassing, ListenersThatChangeTheListDuringADispatchRunEachOtherOnce) {
  const std::string m = ":" + std::to_string(kMsg);
  for (int detached = 0; detached < 2; ++detached) {
    Listener first("first", 0, 1), middle("middle", 0, 2), last("last", 0, 3), late("late", 0, 4);
    MSubclass::AttachMessage(&first, h, kMsg);
    MSubclass::AttachMessage(&middle, h, kMsg);
    MSubclass::AttachMessage(&last, h, kMsg);
    Listener& gone = detached == 0 ? middle : first;
    bool changed = false;
    last.onCall = [&] {
      if (changed) return;
      changed = true;
      MSubclass::DetachMessage(&gone, h, kMsg);
      MSubclass::AttachMessage(&late, h, kMsg);
    };
    trace.clear();
    SendMessage(h, kMsg, 0, 0);
    if (detached == 0) {
      EXPECT_EQ(trace, (std::vector<std::string>{"last" + m, "first" + m}));
    } else {
      EXPECT_EQ(trace, (std::vector<std::string>{"last" + m, "middle" + m}));
    }
    trace.clear();
    SendMessage(h, kMsg, 0, 0);
    const std::string kept = detached == 0 ? "first" : "middle";
    EXPECT_EQ(trace, (std::vector<std::string>{"late" + m, "last" + m, kept + m}));
    for (Listener* l : {&first, &middle, &last, &late}) MSubclass::DetachMessage(l, h, kMsg);
    EXPECT_EQ(GetWindowLongA(h, GWL_WNDPROC), reinterpret_cast<LONG_PTR>(&Original));
  }
}

TEST_F(Subclassing, ListenersReceiveInputFromRealWidgets) {
  Listener a("a", 1, 0);
  MSubclass::AttachMessage(&a, h, WM_LBUTTONDOWN);
  platform::testing::ShowAndWait(h);
  trace.clear();
  platform::testing::Click(h, 3, 3);
  EXPECT_NE(std::find(trace.begin(), trace.end(), "a:" + std::to_string(WM_LBUTTONDOWN)), trace.end());
  MSubclass::DetachMessage(&a, h, WM_LBUTTONDOWN);
}
