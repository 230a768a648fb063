#include "controls/subclass.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/win.h"
#include "platform/vb/error.h"
#include "platform/win/window.h"

using namespace win;

namespace {

std::vector<std::string> trace;
LRESULT originalResult = 100;

LRESULT Original(HWND h, UINT m, WPARAM w, LPARAM l) {
  trace.push_back("old:" + std::to_string(m));
  if (m == WM_DESTROY) {
    // The window's own procedure must be back in place before it sees its end.
    trace.push_back(GetWindowLongA(h, GWL_WNDPROC) == reinterpret_cast<LONG_PTR>(&Original) ? "restored" : "still-subclassed");
  }
  return originalResult;
}

HWND Make() {
  static bool once = [] {
    WNDCLASSA wc;
    wc.lpszClassName = "SubclassProbe";
    wc.lpfnWndProc = &Original;
    return RegisterClassA(wc) != 0;
  }();
  (void)once;
  return CreateWindowExA(0, "SubclassProbe", u"", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, nullptr);
}

class Listener : public ISubclass {
 public:
  Listener(std::string name, std::int32_t response, LRESULT result) : name_(std::move(name)), result_(result) {
    SetMsgResponse(response);
  }
  LRESULT WindowProc(HWND h, UINT m, WPARAM w, LPARAM l) override {
    trace.push_back(name_ + ":" + std::to_string(m));
    if (onCall) onCall();
    return result_;
  }
  std::function<void()> onCall;

 private:
  std::string name_;
  LRESULT result_;
};

constexpr UINT kMsg = WM_USER + 5;

std::int32_t Raised(const std::function<void()>& f) {
  try {
    f();
  } catch (const vb::Error& e) {
    return e.Number;
  }
  return 0;
}

class Subclassing : public ::testing::Test {
 protected:
  void SetUp() override {
    trace.clear();
    h = Make();
  }
  void TearDown() override {
    if (IsWindow(h)) DestroyWindow(h);
  }
  HWND h = 0;
};

}  // namespace

TEST_F(Subclassing, PropertiesAreNamedFromHandleMessageAndSlot) {
  Listener a("a", 0, 1);
  MSubclass::AttachMessage(&a, h, 78);
  const std::string hs = std::to_string(h);
  EXPECT_EQ(GetPropA(h, hs), reinterpret_cast<LONG_PTR>(&Original));
  EXPECT_EQ(GetPropA(h, "C" + hs), 1);
  EXPECT_EQ(GetPropA(h, hs + "#78C"), 1);
  EXPECT_EQ(GetPropA(h, hs + "#78#1"), reinterpret_cast<LONG_PTR>(&a));
  MSubclass::DetachMessage(&a, h, 78);
  EXPECT_EQ(GetPropA(h, hs), 0);
  EXPECT_EQ(GetPropA(h, "C" + hs), 0);
  EXPECT_EQ(GetWindowLongA(h, GWL_WNDPROC), reinterpret_cast<LONG_PTR>(&Original));
}

TEST_F(Subclassing, RefusesDuplicatesInvalidAndForeignWindowsWithoutChangingAnything) {
  Listener a("a", 0, 1);
  MSubclass::AttachMessage(&a, h, kMsg);
  EXPECT_EQ(Raised([&] { MSubclass::AttachMessage(&a, h, kMsg); }), -2147208422);
  EXPECT_EQ(GetPropA(h, std::to_string(h) + "#" + std::to_string(kMsg) + "C"), 1);
  EXPECT_EQ(Raised([&] { MSubclass::AttachMessage(&a, 987654, kMsg); }), -2147208421);
  HWND foreign = platform::testing::CreateForeignWindow();
  EXPECT_EQ(Raised([&] { MSubclass::AttachMessage(&a, foreign, kMsg); }), -2147208420);
  try {
    MSubclass::AttachMessage(&a, h, kMsg);
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Description, u"Message already handled by another class");
    EXPECT_EQ(e.Source.substr(e.Source.size() - 11), u".WindowProc");
  }
  // Detaching what is not there, or on windows that are gone or foreign, is quiet.
  Listener b("b", 0, 1);
  MSubclass::DetachMessage(&b, h, kMsg);
  MSubclass::DetachMessage(&a, 987654, kMsg);
  MSubclass::DetachMessage(&a, foreign, kMsg);
  DestroyWindow(foreign);
  MSubclass::DetachMessage(&a, h, kMsg);
}

TEST_F(Subclassing, LaterListenersRunFirstAndTheFirstOneDecidesTheResponse) {
  Listener first("first", 0, 11), second("second", 0, 22);
  MSubclass::AttachMessage(&first, h, kMsg);
  MSubclass::AttachMessage(&second, h, kMsg);

  trace.clear();
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), 11);
  EXPECT_EQ(trace, (std::vector<std::string>{"second:" + std::to_string(kMsg), "first:" + std::to_string(kMsg)}));

  first.SetMsgResponse(1);  // previous procedure after all listeners, its result returned
  trace.clear();
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), originalResult);
  EXPECT_EQ(trace.back(), "old:" + std::to_string(kMsg));

  first.SetMsgResponse(2);  // previous procedure just before the first listener, result discarded
  trace.clear();
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), 11);
  EXPECT_EQ(trace, (std::vector<std::string>{"second:" + std::to_string(kMsg), "old:" + std::to_string(kMsg),
                                             "first:" + std::to_string(kMsg)}));

  // A message nobody listens to goes straight to the previous procedure.
  trace.clear();
  EXPECT_EQ(SendMessage(h, WM_USER + 99, 0, 0), originalResult);
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
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), originalResult);  // b answers 1
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
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), originalResult);
  MSubclass::DetachMessage(&a, h, kMsg);
  MSubclass::DetachMessage(&inner, h, kMsg + 1);
}

TEST_F(Subclassing, DestroyWithoutListenerRestoresTheProcedureBeforeItRuns) {
  Listener a("a", 0, 1);
  MSubclass::AttachMessage(&a, h, kMsg);
  trace.clear();
  DestroyWindow(h);
  ASSERT_GE(trace.size(), 2u);
  EXPECT_EQ(trace[0], "old:" + std::to_string(WM_DESTROY));
  EXPECT_EQ(trace[1], "restored");
}

TEST_F(Subclassing, AListenerDestroyedWithoutDetachingIsNeverCalled) {
  auto* gone = new Listener("gone", 0, 9);
  Listener stays("stays", 0, 4);
  MSubclass::AttachMessage(&stays, h, kMsg);
  MSubclass::AttachMessage(gone, h, kMsg);
  delete gone;
  trace.clear();
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), 4);
  EXPECT_EQ(trace, (std::vector<std::string>{"stays:" + std::to_string(kMsg)}));
  MSubclass::DetachMessage(&stays, h, kMsg);
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
