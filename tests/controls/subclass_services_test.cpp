// What the module MSubclass and the object GSubclass do alike: the window properties they keep,
// what they refuse and with which errors, the window's end, and listeners that went without
// detaching.
#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

#include "controls/g_subclass.h"
#include "controls/subclass.h"
#include "platform/testing/win.h"
#include "subclass_support.h"
#include "support.h"

using namespace win;
using namespace subclass_testing;

namespace {

constexpr UINT kMsg = WM_USER + 5;

struct Module {
  void Attach(ISubclass* l, HWND h, UINT m) { MSubclass::AttachMessage(l, h, m); }
  void Detach(ISubclass* l, HWND h, UINT m) { MSubclass::DetachMessage(l, h, m); }
  bool IsWindowLocal(HWND h) { return MSubclass::IsWindowLocal(h); }
};

struct Object {
  void Attach(ISubclass* l, HWND h, UINT m) { sub.AttachMessage(l, h, m); }
  void Detach(ISubclass* l, HWND h, UINT m) { sub.DetachMessage(l, h, m); }
  bool IsWindowLocal(HWND h) { return sub.IsWindowLocal(h); }
  GSubclass sub;
};

template <class Service>
class SubclassServices : public ProbeWindowTest {
 protected:
  Service service;
};

struct ServiceNames {
  template <class Service>
  static std::string GetName(int) {
    return std::is_same_v<Service, Module> ? "Module" : "Object";
  }
};

using Services = ::testing::Types<Module, Object>;
TYPED_TEST_SUITE(SubclassServices, Services, ServiceNames);

}  // namespace

TYPED_TEST(SubclassServices, PropertiesAreNamedFromHandleMessageAndSlot) {
  const HWND h = this->h;
  Listener a("a", 0, 1);
  this->service.Attach(&a, h, 78);
  const std::string hs = std::to_string(h);
  EXPECT_EQ(GetPropA(h, hs), reinterpret_cast<LONG_PTR>(&Original));
  EXPECT_EQ(GetPropA(h, "C" + hs), 1);
  EXPECT_EQ(GetPropA(h, hs + "#78C"), 1);
  EXPECT_EQ(GetPropA(h, hs + "#78#1"), reinterpret_cast<LONG_PTR>(&a));
  this->service.Detach(&a, h, 78);
  EXPECT_EQ(GetPropA(h, hs), 0);
  EXPECT_EQ(GetPropA(h, "C" + hs), 0);
  EXPECT_EQ(GetWindowLongA(h, GWL_WNDPROC), reinterpret_cast<LONG_PTR>(&Original));
}

TYPED_TEST(SubclassServices, RefusesDuplicatesInvalidAndForeignWindowsWithoutChangingAnything) {
  const HWND h = this->h;
  auto& service = this->service;
  Listener a("a", 0, 1);
  service.Attach(&a, h, kMsg);
  EXPECT_EQ(qmtest::ErrorNumberOf([&] { service.Attach(&a, h, kMsg); }), -2147208422);
  EXPECT_EQ(GetPropA(h, std::to_string(h) + "#" + std::to_string(kMsg) + "C"), 1);
  EXPECT_EQ(qmtest::ErrorNumberOf([&] { service.Attach(&a, 987654, kMsg); }), -2147208421);
  const HWND foreign = platform::testing::CreateForeignWindow();
  EXPECT_EQ(qmtest::ErrorNumberOf([&] { service.Attach(&a, foreign, kMsg); }), -2147208420);
  EXPECT_FALSE(service.IsWindowLocal(foreign));
  EXPECT_TRUE(service.IsWindowLocal(h));
  try {
    service.Attach(&a, h, kMsg);
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Description, u"Message already handled by another class");
    EXPECT_EQ(e.Source.substr(e.Source.size() - 11), u".WindowProc");
  }
  // Detaching what is not there, or on windows that are gone or foreign, is quiet.
  Listener b("b", 0, 1);
  service.Detach(&b, h, kMsg);
  service.Detach(&a, 987654, kMsg);
  service.Detach(&a, foreign, kMsg);
  DestroyWindow(foreign);
  service.Detach(&a, h, kMsg);
}

TYPED_TEST(SubclassServices, DestroyWithoutListenerRestoresTheProcedureBeforeItRuns) {
  Listener a("a", 0, 1);
  this->service.Attach(&a, this->h, kMsg);
  trace.clear();
  DestroyWindow(this->h);
  ASSERT_GE(trace.size(), 2u);
  EXPECT_EQ(trace[0], At("old", WM_DESTROY));
  EXPECT_EQ(trace[1], "restored");
}

TYPED_TEST(SubclassServices, AListenerDestroyedWithoutDetachingIsNeverCalled) {
  const HWND h = this->h;
  auto* gone = new Listener("gone", 0, 9);
  Listener stays("stays", 0, 4);
  this->service.Attach(&stays, h, kMsg);
  this->service.Attach(gone, h, kMsg);
  delete gone;
  trace.clear();
  EXPECT_EQ(SendMessage(h, kMsg, 0, 0), 4);
  EXPECT_EQ(trace, (std::vector<std::string>{At("stays", kMsg)}));
  this->service.Detach(&stays, h, kMsg);
}
