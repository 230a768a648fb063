// The toolkit's process-wide state: the bar store and the button store (every bar and button exists
// once, whatever number of controls show it), the registry of live command-bar controls, the link
// from a control's window back to the control, the built-in chevron bars, the pool of spare
// controls that host popup menus, and broadcasts to every live control.
//
// The stores exist from the first control's registration to the last control's removal. Keys are
// compared without regard to letter case; a key that reads as a number is refused (error 4), a
// duplicate too (error 5), removing a missing one raises error 3. An index that is a number is a
// position from 1; a bad position or missing key raises the keyed collection's own error (9 or 5).
// Every error leaves the stores as they were.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/win/types.h"

namespace commandbars {

class cButtonInt;
class cCommandBarInt;
class kestCommandBar;

namespace mCommandBars {

// Stores. Without stores (no control registered) every member raises error 8.
std::int32_t BarCount();
cCommandBarInt& BarItem(std::int32_t index);
cCommandBarInt& BarItem(std::u16string_view key);
cCommandBarInt& AddBar(std::u16string_view sKey);
// Clears the bar (its buttons leave it) before it leaves the store.
void RemoveBar(std::u16string_view sKey);
std::int32_t ButtonCount();
cButtonInt& ButtonItem(std::int32_t index);
cButtonInt& ButtonItem(std::u16string_view key);
cButtonInt& AddButton(std::u16string_view sKey);
// Takes the button off every bar before it leaves the store.
void RemoveButton(std::u16string_view sKey);
// The bar or button with the key, or nullptr; never raises.
cCommandBarInt* FindBar(std::u16string_view key);
cButtonInt* FindButton(std::u16string_view key);
bool StoresLive();

// Registry of live controls. The first registration of the process resets the colours, creates the
// stores and the chevron bars and installs the keyboard hook; the last removal leaves menu mode,
// removes the hooks, drops the stores and the pool.
void RegisterControl(win::HWND hWnd, kestCommandBar& ctl);
void UnregisterControl(win::HWND hWnd);
// The window property "kestCommandBar:Control" that leads from a window to its control.
void SetControlWindow(win::HWND hWnd, kestCommandBar* ctl, bool bSet);
// The live control of the window; error 2 when the window is 0, gone, or has no live control.
bool ControlFromHwnd(win::HWND hWnd, kestCommandBar*& ctl);
// The same without raising: nullptr.
kestCommandBar* FindControl(win::HWND hWnd);
// Windows of the registered controls, in registration order.
std::vector<win::HWND> LiveControls();
// A control object that goes: no window leads to it any more.
void ForgetControlObject(kestCommandBar* ctl);

// Pool of popup hosts.
kestCommandBar* GetPopupInstance();
bool TakeFreeInstance(kestCommandBar*& ctl);
void AddPoolInstance(kestCommandBar& ctl);
void ReleasePoolInstances();
void ClearPool();
std::int32_t PoolCount();

// Broadcasts.
void ColoursChanged();
void CloseOtherBarsMenus(win::HWND hWndExcept);
void ClosePopupsFromLevel(std::int32_t iLevel);
void HideAllPopups();

}  // namespace mCommandBars
}  // namespace commandbars
