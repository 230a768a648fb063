// Hooks for tests of the login manager's requests against a mock of it (python3-dbusmock's logind
// template) on a private bus that DBUS_SYSTEM_BUS_ADDRESS names. They never ask the system's own
// bus: without that variable there is no mock to ask.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform::testing {

// The calls the mock recorded, oldest first, each as "Method(arg, arg)" with texts quoted and
// truth values as true/false; nothing when no mock answers on that bus.
std::optional<std::vector<std::u16string>> LoginManagerMockCalls();
// Forgets the calls recorded; false when no mock answers.
bool ClearLoginManagerMockCalls();

}  // namespace platform::testing
