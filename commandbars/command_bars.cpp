#include "commandbars/command_bars.h"

#include <memory>
#include <unordered_map>

#include "commandbars/button.h"
#include "commandbars/colour_scheme.h"
#include "commandbars/command_bar.h"
#include "commandbars/hooks.h"
#include "commandbars/kest_command_bar.h"
#include "commandbars/menu_mode.h"
#include "commandbars/toolkit_links.h"
#include "commandbars/utility.h"
#include "platform/vb/collection.h"
#include "platform/vb/strings.h"
#include "platform/win/window.h"

namespace commandbars::mCommandBars {
namespace {

constexpr std::string_view kControlProperty = "kestCommandBar:Control";

struct Stores {
  vb::Collection<win::HWND> registry;                        // "<hwnd>H" -> hwnd
  vb::Collection<std::unique_ptr<cCommandBarInt>> bars;      // bar key -> bar
  vb::Collection<std::unique_ptr<cButtonInt>> buttons;       // button key -> button
  std::unique_ptr<vb::Collection<win::HWND>> pool;           // "<hwnd>H" -> hwnd
};

std::unique_ptr<Stores>& stores() {
  static std::unique_ptr<Stores> s;
  return s;
}

Stores& Live() {
  if (!stores()) RaiseCommandBarError(8);
  return *stores();
}

// The window property holds a number that names a live control object; an object that goes takes
// its number out of this table, so a stale property never leads to a dead object.
std::unordered_map<win::LONG_PTR, kestCommandBar*>& liveObjects() {
  static std::unordered_map<win::LONG_PTR, kestCommandBar*> m;
  return m;
}
win::LONG_PTR nextObjectId = 1;

win::LONG_PTR IdOf(kestCommandBar* ctl) {
  for (auto& [id, c] : liveObjects())
    if (c == ctl) return id;
  const win::LONG_PTR id = nextObjectId++;
  liveObjects()[id] = ctl;
  return id;
}

// What the bar and button records ask of the toolkit above them.
class Links : public ToolkitLinks {
 public:
  IBarControl* ControlFromHwnd(win::HWND hWnd) override { return FindControl(hWnd); }
  bool KeyboardCues() override { return mCommandBars::KeyboardCues(); }
  bool ShowInfrequentlyUsed() override { return mCommandBars::ShowInfrequentlyUsed(); }
};
Links links;

void RefuseKey(vb::Collection<std::unique_ptr<cCommandBarInt>>& bars, std::u16string_view key) {
  if (bars.Exists(key)) RaiseCommandBarError(5);
  if (vb::IsNumeric(key)) RaiseCommandBarError(4);
}

void RefuseButtonKey(vb::Collection<std::unique_ptr<cButtonInt>>& buttons, std::u16string_view key) {
  if (buttons.Exists(key)) RaiseCommandBarError(5);
  if (vb::IsNumeric(key)) RaiseCommandBarError(4);
}

cButtonInt& NewButton(std::u16string_view key, std::u16string_view caption) {
  cButtonInt& b = AddButton(key);
  if (!caption.empty()) b.Caption(std::u16string(caption));
  return b;
}

void CreateChevronBars() {
  cCommandBarInt& addOrRemove = AddBar(u"CHEVRON:ADDORREMOVE");
  cButtonInt& separator = AddButton(u"CHEVRON:ADDORREMOVE:SEPARATOR");
  separator.Style(eSeparator);
  addOrRemove.Add(separator);
  cButtonInt& reset = NewButton(u"CHEVRON:ADDORREMOVE:RESET", u"&Reset Toolbar");
  reset.Enabled(false);
  reset.State(2);
  addOrRemove.Add(reset);

  cCommandBarInt& addOrRemoveBar = AddBar(u"CHEVRON:ADDORREMOVEBAR");
  cButtonInt& name = NewButton(u"CHEVRON:ADDORREMOVEBAR", u"CommandBar Name");
  name.Bar(&addOrRemove);
  addOrRemoveBar.Add(name);
  cButtonInt& separator2 = AddButton(u"CHEVRON:SEPARATOR");
  separator2.Style(eSeparator);
  addOrRemoveBar.Add(separator2);
  cButtonInt& customise = NewButton(u"CHEVRON:CUSTOMISE", u"&Customise...");
  customise.Enabled(false);
  addOrRemoveBar.Add(customise);

  cCommandBarInt& chevron = AddBar(u"CHEVRON");
  cButtonInt& entry = NewButton(u"CHEVRON:ADDORREMOVE", u"&Add or Remove Buttons");
  entry.Bar(&addOrRemoveBar);
  chevron.Add(entry);
}

void StartStores(win::HWND hWnd) {
  ResetColours();
  stores() = std::make_unique<Stores>();
  SetToolkitLinks(&links);
  SetColourRefreshHandler([] { ColoursChanged(); });
  mHooks::InstallKeyboardHook(0);
  DetectTheme(hWnd);
  CreateChevronBars();
}

template <class F>
void IgnoringErrors(F&& f) {
  try {
    f();
  } catch (const vb::Error&) {
  }
}

// Everything goes, whatever fails on the way: a partly built state is dropped as well.
void DropStores() {
  IgnoringErrors([] { LeaveMenuMode(); });
  IgnoringErrors([] { mHooks::RemoveMouseHook(0); });
  IgnoringErrors([] { mHooks::RemoveKeyboardHook(0); });
  ResetMenuState();
  std::unique_ptr<Stores> gone = std::move(stores());
  for (auto& bar : gone->bars) IgnoringErrors([&] { bar->ResetCollections(); });
  for (auto& button : gone->buttons) IgnoringErrors([&] { button->ReleaseReferences(); });
  stores() = std::move(gone);
  IgnoringErrors([] { ClearPool(); });
  stores().reset();
  SetColourRefreshHandler(nullptr);
  SetToolkitLinks(nullptr);
}

void RemoveFromPool(win::HWND hWnd) {
  if (!stores() || !stores()->pool) return;
  const std::u16string key = HandleKey(hWnd);
  if (stores()->pool->Exists(key)) stores()->pool->Remove(key);
}

template <class F>
void ForEachLiveControl(F&& f) {
  if (!stores()) return;
  for (win::HWND h : LiveControls())
    if (kestCommandBar* c = FindControl(h)) f(*c);
}

}  // namespace

// --- stores ------------------------------------------------------------------------------------------

std::int32_t BarCount() { return Live().bars.Count(); }
cCommandBarInt& BarItem(std::int32_t index) { return *Live().bars.Item(index); }
cCommandBarInt& BarItem(std::u16string_view key) { return *Live().bars.Item(key); }

cCommandBarInt& AddBar(std::u16string_view sKey) {
  Stores& s = Live();
  RefuseKey(s.bars, sKey);
  auto bar = std::make_unique<cCommandBarInt>();
  bar->Key(std::u16string(sKey));
  cCommandBarInt& made = *bar;
  s.bars.Add(std::move(bar), sKey);
  return made;
}

void RemoveBar(std::u16string_view sKey) {
  Stores& s = Live();
  if (!s.bars.Exists(sKey)) RaiseCommandBarError(3);
  s.bars.Item(sKey)->Clear();
  // Clearing told the controls; the bar itself leaves after.
  std::unique_ptr<cCommandBarInt> gone = std::move(s.bars.Item(sKey));
  s.bars.Remove(sKey);
}

std::int32_t ButtonCount() { return Live().buttons.Count(); }
cButtonInt& ButtonItem(std::int32_t index) { return *Live().buttons.Item(index); }
cButtonInt& ButtonItem(std::u16string_view key) { return *Live().buttons.Item(key); }

cButtonInt& AddButton(std::u16string_view sKey) {
  Stores& s = Live();
  RefuseButtonKey(s.buttons, sKey);
  auto button = std::make_unique<cButtonInt>();
  button->Key(std::u16string(sKey));
  cButtonInt& made = *button;
  s.buttons.Add(std::move(button), sKey);
  return made;
}

void RemoveButton(std::u16string_view sKey) {
  Stores& s = Live();
  if (!s.buttons.Exists(sKey)) RaiseCommandBarError(3);
  s.buttons.Item(sKey)->RemoveFromAllBars();
  std::unique_ptr<cButtonInt> gone = std::move(s.buttons.Item(sKey));
  s.buttons.Remove(sKey);
}

cCommandBarInt* FindBar(std::u16string_view key) {
  if (!stores() || key.empty() || !stores()->bars.Exists(key)) return nullptr;
  return stores()->bars.Item(key).get();
}

cButtonInt* FindButton(std::u16string_view key) {
  if (!stores() || key.empty() || !stores()->buttons.Exists(key)) return nullptr;
  return stores()->buttons.Item(key).get();
}

bool StoresLive() { return stores() != nullptr; }

// --- registry --------------------------------------------------------------------------------------

void RegisterControl(win::HWND hWnd, kestCommandBar& ctl) {
  if (!stores()) StartStores(hWnd);
  stores()->registry.Add(hWnd, HandleKey(hWnd));
  SetControlWindow(hWnd, &ctl, true);
}

void UnregisterControl(win::HWND hWnd) {
  Stores& s = Live();
  s.registry.Remove(HandleKey(hWnd));
  SetControlWindow(hWnd, nullptr, false);
  RemoveFromPool(hWnd);
  if (s.registry.Count() == 0) {
    DropStores();
    return;
  }
  // Menu mode entered through this control, or whose keys it received, cannot go on without it.
  if (InMenuMode() && (ActivePopupHwnd() == hWnd || MenuOwnerHwnd() == hWnd)) IgnoringErrors([] { LeaveMenuMode(); });
}

void SetControlWindow(win::HWND hWnd, kestCommandBar* ctl, bool bSet) {
  if (bSet && ctl != nullptr) {
    win::SetPropA(hWnd, kControlProperty, IdOf(ctl));
  } else {
    win::RemovePropA(hWnd, kControlProperty);
  }
}

kestCommandBar* FindControl(win::HWND hWnd) {
  if (hWnd == 0 || !win::IsWindow(hWnd)) return nullptr;
  const win::LONG_PTR id = win::GetPropA(hWnd, kControlProperty);
  if (id == 0) return nullptr;
  auto it = liveObjects().find(id);
  return it == liveObjects().end() ? nullptr : it->second;
}

bool ControlFromHwnd(win::HWND hWnd, kestCommandBar*& ctl) {
  kestCommandBar* found = FindControl(hWnd);
  if (found == nullptr) RaiseCommandBarError(2);
  ctl = found;
  return true;
}

// Inside the toolkit: a control object that goes takes its number out of the table.
void ForgetControlObject(kestCommandBar* ctl) {
  for (auto it = liveObjects().begin(); it != liveObjects().end(); ++it) {
    if (it->second == ctl) {
      liveObjects().erase(it);
      return;
    }
  }
}

std::vector<win::HWND> LiveControls() {
  std::vector<win::HWND> out;
  if (!stores()) return out;
  for (win::HWND h : stores()->registry) out.push_back(h);
  return out;
}

// --- pool --------------------------------------------------------------------------------------------

kestCommandBar* GetPopupInstance() {
  if (!stores() || stores()->registry.Count() == 0) return nullptr;
  kestCommandBar* ctl = nullptr;
  if (TakeFreeInstance(ctl)) return ctl;
  kestCommandBar* first = FindControl(stores()->registry.Item(1));
  if (first == nullptr) return nullptr;
  kestCommandBar* made = first->RaiseRequestNewInstance();
  if (made == nullptr || made->hwnd() == 0) return nullptr;
  AddPoolInstance(*made);
  return made;
}

bool TakeFreeInstance(kestCommandBar*& ctl) {
  if (!stores() || !stores()->pool) return false;
  auto& pool = *stores()->pool;
  for (std::int32_t i = 1; i <= pool.Count();) {
    kestCommandBar* c = FindControl(pool.Item(i));
    if (c == nullptr) {
      pool.Remove(i);  // a host that let a pooled instance go: it is never handed out
      continue;
    }
    if (!c->InUse()) {
      c->InUse(true);
      ctl = c;
      return true;
    }
    ++i;
  }
  return false;
}

void AddPoolInstance(kestCommandBar& ctl) {
  Stores& s = Live();
  if (!s.pool) s.pool = std::make_unique<vb::Collection<win::HWND>>();
  SetControlWindow(ctl.hwnd(), &ctl, true);
  const std::u16string key = HandleKey(ctl.hwnd());
  if (!s.pool->Exists(key)) s.pool->Add(ctl.hwnd(), key);
}

void ReleasePoolInstances() {
  if (!stores() || !stores()->pool) return;
  for (win::HWND h : *stores()->pool)
    if (kestCommandBar* c = FindControl(h)) c->InUse(false);
}

void ClearPool() {
  if (!stores() || !stores()->pool) return;
  for (win::HWND h : *stores()->pool)
    if (win::IsWindow(h)) SetControlWindow(h, nullptr, false);
  stores()->pool.reset();
}

std::int32_t PoolCount() { return stores() && stores()->pool ? stores()->pool->Count() : 0; }

// --- broadcasts ------------------------------------------------------------------------------------

void ColoursChanged() {
  ForEachLiveControl([](kestCommandBar& c) { c.ColoursChanged(); });
}

void CloseOtherBarsMenus(win::HWND hWndExcept) {
  ForEachLiveControl([hWndExcept](kestCommandBar& c) {
    if (c.hwnd() != hWndExcept && !c.IsPopupInstance()) c.ClosePopup(true);
  });
}

void ClosePopupsFromLevel(std::int32_t iLevel) {
  std::vector<cMenuPopupStack> stack = PopupStack();
  for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
    if (it->RecursionLevel() < iLevel) continue;
    if (kestCommandBar* c = FindControl(it->hwnd())) c->ClosePopup(true);
  }
}

void HideAllPopups() {
  ForEachLiveControl([](kestCommandBar& c) { c.ClosePopup(true); });
}

}  // namespace commandbars::mCommandBars
