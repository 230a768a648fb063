// Ending the session or the computer's run, through the desktop's login manager: systemd-logind
// (org.freedesktop.login1) on the system bus, or on the bus DBUS_SYSTEM_BUS_ADDRESS names.
#pragma once

#include "platform/gdi/types.h"

namespace win {

constexpr UINT EWX_LOGOFF = 0;
constexpr UINT EWX_SHUTDOWN = 1;
constexpr UINT EWX_REBOOT = 2;
constexpr UINT EWX_FORCE = 4;
constexpr UINT EWX_POWEROFF = 8;

// EWX_REBOOT asks the login manager to restart the computer (Reboot), EWX_SHUTDOWN and
// EWX_POWEROFF to switch it off (PowerOff), EWX_LOGOFF to end the caller's session
// (TerminateSession "auto"). Every request is interactive: the login manager may have the desktop
// ask the user to authenticate first, and the call waits for that while the program's windows keep
// painting. EWX_FORCE has no counterpart: whether programs that hold the shutdown back (through the
// login manager's inhibitors) are overridden is the login manager's decision. `reason` is not
// used. TRUE when the login manager took the request; FALSE when it refused it or cannot be
// reached.
BOOL ExitWindowsEx(UINT flags, DWORD reason);

}  // namespace win
