#include "commandbars/testing/menu_sequence.h"

#include <algorithm>
#include <utility>

#include "commandbars/button.h"
#include "commandbars/command_bar.h"
#include "commandbars/command_bars.h"
#include "commandbars/kest_command_bar.h"
#include "commandbars/menu_mode.h"
#include "platform/testing/win.h"
#include "platform/win/window.h"

namespace commandbars::testing {
namespace {

namespace input = platform::testing;

// What the sequence calls a key: its virtual key's name.
std::string NameOf(const std::string& xKey) {
  static const std::pair<const char*, const char*> names[] = {
      {"Alt_L", "Alt"},  {"Shift_L", "Shift"}, {"Shift_R", "Shift"}, {"Control_L", "Ctrl"},
      {"Super_L", "Win"}, {"space", "Space"},  {"Escape", "Esc"},    {"Return", "Enter"},
      {"Left", "Left"},  {"Right", "Right"},   {"Up", "Up"},         {"Down", "Down"}};
  for (const auto& [x, name] : names)
    if (xKey == x) return name;
  std::string upper = xKey;
  std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
  return upper;
}

std::string Narrow(const std::u16string& s) {
  std::string out;
  for (char16_t c : s) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

int ModifierOf(const std::string& key) {
  if (key == "Alt_L") return input::kAlt;
  if (key == "Shift_L" || key == "Shift_R") return static_cast<int>(win::MK_SHIFT);
  if (key == "Control_L") return static_cast<int>(win::MK_CONTROL);
  if (key == "Super_L") return input::kWin;
  return 0;
}

// The shown control whose bar holds the button, newest popups first, then the bars; and its index.
kestCommandBar* ShownWith(const std::string& key, int& index) {
  std::vector<win::HWND> controls = mCommandBars::LiveControls();
  std::stable_partition(controls.begin(), controls.end(), [](win::HWND h) {
    kestCommandBar* c = mCommandBars::FindControl(h);
    return c != nullptr && c->IsPopupInstance();
  });
  for (win::HWND h : controls) {
    kestCommandBar* c = mCommandBars::FindControl(h);
    if (c == nullptr || !win::IsWindowVisible(h)) continue;
    cCommandBarInt* bar = mCommandBars::FindBar(c->ToolbarKey());
    if (bar == nullptr) continue;
    for (std::int32_t i = 1; i <= bar->Count(); ++i) {
      if (bar->Item(i) != nullptr && Narrow(bar->Item(i)->Key()) == key) {
        index = i;
        return c;
      }
    }
  }
  return nullptr;
}

}  // namespace

Step Press(const std::string& key) { return Step{Step::kPress, key, false, {}}; }
Step Release(const std::string& key) { return Step{Step::kRelease, key, false, {}}; }
Step SwitchPress(const std::string& key) { return Step{Step::kPress, key, true, {}}; }
Step SwitchRelease(const std::string& key) { return Step{Step::kRelease, key, true, {}}; }
Step LayoutSwitched() { return Step{Step::kLayoutSwitched, "", false, {}}; }
Step HeldElsewhere(const std::string& key) { return Step{Step::kHeldElsewhere, key, false, {}}; }
Step ClickOn(const std::string& buttonKey) { return Step{Step::kClick, buttonKey, false, {}}; }
Step RightClickIn() { return Step{Step::kRightClick, "", false, {}}; }
Step Call(std::function<void()> f) { return Step{Step::kCall, "", false, std::move(f)}; }

MenuSequence::MenuSequence(win::HWND keyboardWindow) : keyboardWindow_(keyboardWindow), last_(Look()) {}

MenuSequence::~MenuSequence() { input::ResetKeyboard(); }

MenuSequence::State MenuSequence::Look() {
  State s;
  s.menuMode = mCommandBars::InMenuMode();
  for (win::HWND h : mCommandBars::LiveControls()) {
    kestCommandBar* c = mCommandBars::FindControl(h);
    if (c != nullptr && c->IsPopupInstance() && win::IsWindowVisible(h)) s.popups.push_back(Narrow(c->ToolbarKey()));
  }
  kestCommandBar* active = mCommandBars::FindControl(mCommandBars::ActivePopupHwnd());
  cCommandBarInt* bar = active != nullptr ? mCommandBars::FindBar(active->ToolbarKey()) : nullptr;
  if (s.menuMode && bar != nullptr) {
    const auto& records = active->DisplayInfo();
    for (std::size_t i = 0; i < records.size() && static_cast<std::int32_t>(i) < bar->Count(); ++i) {
      if (!records[i].mouseOver && !records[i].ShowingMenu) continue;
      if (cButtonInt* b = bar->Item(static_cast<std::int32_t>(i + 1))) s.hot = Narrow(b->Key());
      break;
    }
  }
  return s;
}

void MenuSequence::NoteChanges() {
  const State now = Look();
  if (now.menuMode && !last_.menuMode) seen_.push_back("enter");
  for (const std::string& p : last_.popups)
    if (std::find(now.popups.begin(), now.popups.end(), p) == now.popups.end()) seen_.push_back("hide " + p);
  for (const std::string& p : now.popups)
    if (std::find(last_.popups.begin(), last_.popups.end(), p) == last_.popups.end()) seen_.push_back("show " + p);
  if (!now.hot.empty() && now.hot != last_.hot) seen_.push_back("hot " + now.hot);
  if (!now.menuMode && last_.menuMode) seen_.push_back("leave");
  last_ = now;
}

void MenuSequence::Note(const std::string& what) {
  NoteChanges();
  seen_.push_back(what);
}

void MenuSequence::KeyReached(bool) { reached_ = true; }

void MenuSequence::MouseReached() { mouseReached_ = true; }

int MenuSequence::Modifiers() const {
  int mods = 0;
  for (const std::string& k : held_) mods |= ModifierOf(k);
  return mods;
}

void MenuSequence::Key(const Step& s, bool press) {
  reached_ = false;
  if (press) {
    input::XKeyDown(keyboardWindow_, s.key, Modifiers(), group_, s.groupSwitch);
    // XKB moves to the next group on the switch's press; a switch modifies no key.
    if (s.groupSwitch) group_ = 1 - group_;
    if (!s.groupSwitch && ModifierOf(s.key) != 0) held_.push_back(s.key);
  } else {
    input::XKeyUp(keyboardWindow_, s.key, Modifiers(), group_, s.groupSwitch);
    std::erase(held_, s.key);
  }
  NoteChanges();
  if (press) {
    seen_.push_back(std::string(reached_ ? "pass " : "swallow ") + NameOf(s.key));
  } else if (!reached_) {
    seen_.push_back("swallow " + NameOf(s.key) + " up");
  }
}

// A click of the window that has the keyboard: near its bottom right corner, far from the menus,
// which open at the top left of the screen; a right click near its top left corner.
void MenuSequence::ClickOutside(int button) {
  mouseReached_ = false;
  win::RECT r;
  win::GetClientRect(keyboardWindow_, &r);
  if (button == 1) {
    input::Click(keyboardWindow_, r.right - 10, r.bottom - 10);
  } else {
    input::Click(keyboardWindow_, 10, 10, static_cast<int>(win::MK_RBUTTON));
  }
  NoteChanges();
  const char* what = button == 1 ? "click" : "right click";
  seen_.push_back(std::string(mouseReached_ ? "pass " : "swallow ") + what);
}

void MenuSequence::RunStep(const Step& s) {
  switch (s.kind) {
    case Step::kPress: Key(s, true); return;
    case Step::kRelease: Key(s, false); return;
    case Step::kLayoutSwitched: group_ = 1 - group_; return;
    case Step::kHeldElsewhere: held_.push_back(s.key); return;
    case Step::kRightClick: ClickOutside(2); return;
    case Step::kClick: {
      int index = 0;
      kestCommandBar* c = s.key.empty() ? nullptr : ShownWith(s.key, index);
      if (c == nullptr) {
        ClickOutside(1);
        return;
      }
      const cDisplayButtonInfo& r = c->DisplayInfo().at(static_cast<std::size_t>(index - 1));
      const int x = (r.left + r.Right) / 2, y = (r.tOp + r.Bottom) / 2;
      if (c->IsPopupInstance()) input::MouseMove(c->hwnd(), x, y);  // a menu item is pointed at first
      input::Click(c->hwnd(), x, y);
      break;
    }
    case Step::kCall: s.call(); break;
  }
  NoteChanges();
}

void MenuSequence::Run(const std::vector<Step>& steps) {
  for (const Step& s : steps) RunStep(s);
}

}  // namespace commandbars::testing
