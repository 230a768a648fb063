// Menu mode as message sequences: each row gives the input (keys as the X server reports them, with
// the modifiers held and the keyboard group in force; clicks; calls of the host) and the sequence
// of what must happen (menu mode entered or left, popups shown or hidden, the hot item of the bar,
// keys passed to the editor or swallowed, clicks reaching the host). The host is a window like the
// main window, its editor holding the keyboard.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "command_bar_host.h"
#include "commandbars/command_bar.h"
#include "commandbars/command_bars.h"
#include "commandbars/menu_mode.h"
#include "commandbars/testing/menu_links.h"
#include "commandbars/testing/menu_sequence.h"
#include "platform/testing/win.h"
#include "platform/vb/runtime.h"
#include "platform/win/window.h"

using namespace cbtest;
using namespace commandbars::testing;
namespace mCommandBars = commandbars::mCommandBars;

namespace {

using Steps = std::vector<Step>;

Steps Tap(const std::string& key) { return {Press(key), Release(key)}; }

Steps In(std::initializer_list<Steps> parts) {
  Steps all;
  for (const Steps& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

struct Row {
  const char* name;
  Steps input;
  std::vector<std::string> expected;
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

// The running row's host, its recorder, and what it does when the controls raise an event.
struct Running {
  frmHost form;
  std::unique_ptr<MenuSequence> sequence;
  std::function<void(const Event&)> react;
  win::HWND other = 0;  // another window of the program
};
Running* running = nullptr;

frmHost& Form() { return running->form; }
kestCommandBar& MenuBar() { return Form().cmdBar(0); }
void React(std::function<void(const Event&)> f) { running->react = std::move(f); }
void Note(const std::string& what) { running->sequence->Note(what); }

// The shown popup host of a bar.
kestCommandBar& PopupOf(const std::u16string& barKey) {
  for (win::HWND h : mCommandBars::LiveControls()) {
    kestCommandBar* c = mCommandBars::FindControl(h);
    if (c != nullptr && c->IsPopupInstance() && win::IsWindowVisible(h) && c->ToolbarKey() == barKey) return *c;
  }
  throw std::runtime_error("no popup shows the bar");
}

// A context menu of the bar at a point of the screen, shown from the control.
Step ContextMenu(std::function<kestCommandBar&()> from, const std::u16string& barKey) {
  return Call([from, barKey] {
    const cCommandBar bar = MenuBar().CommandBars().Item(barKey);
    from().ShowPopupMenu(300, 300, &bar);
  });
}

// The pointer moved onto the menu bar's item with this button key, or into the editor.
Step PointAt(const std::u16string& buttonKey) {
  return Call([buttonKey] {
    const std::int32_t i = mCommandBars::FindBar(MenuBar().ToolbarKey())->IndexOf(buttonKey);
    const auto& r = MenuBar().DisplayInfo().at(static_cast<std::size_t>(i - 1));
    platform::testing::MouseMove(MenuBar().hwnd(), (r.left + r.Right) / 2, (r.tOp + r.Bottom) / 2);
  });
}
Step PointAtEditor() { return Call([] { platform::testing::MouseMove(Form().txtEdit.hWnd(), 20, 20); }); }

// Notes the hot item of the control menu mode was entered through ("hot item none" without one).
Step NoteHotItem() {
  return Call([] {
    kestCommandBar* c = mCommandBars::FindControl(mCommandBars::ActivePopupHwnd());
    std::string key = "none";
    if (c != nullptr) {
      const auto& records = c->DisplayInfo();
      for (std::size_t i = 0; i < records.size(); ++i) {
        if (!records[i].mouseOver && !records[i].ShowingMenu) continue;
        const std::u16string k = c->Toolbar().Buttons().Item(static_cast<std::int32_t>(i + 1)).Key();
        key.assign(k.begin(), k.end());
        break;
      }
    }
    Note("hot item " + key);
  });
}

// The desktop gives the keyboard to another window of the program (by a key of its own or its frame:
// no click the menus see).
Step AnotherWindowActivated() {
  return Call([] {
    running->other = win::CreateWindowExA(0, "Static", u"", win::WS_OVERLAPPED, 500, 500, 200, 100, 0, 0, 0, nullptr);
    platform::testing::ShowAndWait(running->other);
    win::SetForegroundWindow(running->other);
    vb::DoEvents();
  });
}

// The desktop moves the window (Alt+drag: the click goes to the desktop, not to the program) and
// tells it so; nothing else of the program's windows changes.
Step WindowMoved() {
  return Call([] { win::SendMessageA(Form().hWnd(), win::WM_MOVE, 0, win::MAKELPARAM(40, 40)); });
}

Step UnloadPopupOf(const std::u16string& barKey) {
  return Call([barKey] { Form().cmdBar.Unload(PopupOf(barKey).Index()); });
}

const std::vector<Row>& Rows() {
  static const std::vector<Row> rows = {
      // --- Alt, mnemonics and the layout switches ---------------------------------------------------
      {"CleanAltTap", In({Tap("Alt_L")}), {"pass Alt", "enter", "hot MENU:FILE", "swallow Alt up"}},
      {"SecondAltTapLeaves",
       In({Tap("Alt_L"), Tap("Alt_L")}),
       {"pass Alt", "enter", "hot MENU:FILE", "swallow Alt up", "pass Alt", "leave", "swallow Alt up"}},
      {"AltLetterOpensItsMenu",
       In({{Press("Alt_L")}, Tap("a"), {Release("Alt_L")}}),
       {"pass Alt", "enter", "show FILE", "hot MENU:FILE", "swallow A"}},
      {"AltShiftSwitchesTheLayoutOnly",
       In({{Press("Alt_L"), SwitchPress("Shift_L"), SwitchRelease("Shift_L"), Release("Alt_L")}, Tap("f")}),
       {"pass Alt", "pass Shift", "pass F"}},
      {"ShiftAltSwitchesTheLayoutOnly",
       In({{Press("Shift_L"), SwitchPress("Alt_L"), SwitchRelease("Alt_L"), Release("Shift_L")}, Tap("f")}),
       {"pass Shift", "pass Alt", "pass F"}},
      {"CtrlShiftSwitchesTheLayoutOnly",
       In({{Press("Control_L"), SwitchPress("Shift_L"), SwitchRelease("Shift_L"), Release("Control_L")}, Tap("f")}),
       {"pass Ctrl", "pass Shift", "pass F"}},
      {"WinSpaceSwitchesTheLayoutOnly",
       In({{Press("Super_L"), SwitchPress("space"), SwitchRelease("space"), Release("Super_L")}, Tap("f")}),
       {"pass Win", "pass Space", "pass F"}},
      {"ALayoutSwitchedByTheDesktopWhileAltIsDownIsNoTap",
       In({{Press("Alt_L"), LayoutSwitched(), Release("Alt_L")}, Tap("f")}),
       {"pass Alt", "pass F"}},
      {"AltShiftInMenuModeKeepsIt",
       In({Tap("Alt_L"), {Press("Alt_L"), SwitchPress("Shift_L"), SwitchRelease("Shift_L"), Release("Alt_L")},
           Tap("Escape")}),
       {"pass Alt", "enter", "hot MENU:FILE", "swallow Alt up", "pass Alt", "pass Shift", "leave", "swallow Esc"}},
      // The pointer rested on the bar before Alt: it goes away, the hot item with it, and so does
      // menu mode, which would show nothing.
      {"AnAltTapEndsWhenThePointerLeavesTheBarItRestedOn",
       In({{PointAt(u"MENU:EDIT")}, Tap("Alt_L"), {PointAtEditor(), Call([] { MenuBar().tmrLostMouse_Timer(); })},
           Tap("f")}),
       {"pass Alt", "enter", "hot MENU:FILE", "swallow Alt up", "leave", "pass F"}},
      // Ctrl went down while another window had the keyboard, or went up again before the program
      // read the key: the key's own state tells that it is Ctrl+N.
      {"AShortcutKeepsTheCtrlItCameWith",
       In({{HeldElsewhere("Control_L")}, Tap("n"), {Release("Control_L")}, Tap("f")}),
       {"click FILE:NEW", "swallow N", "pass F"}},
      // Under grp:ctrl_shift_toggle the Shift of Ctrl+Shift is a layout switch and no modifier for
      // the X server; the user still holds it.
      {"CtrlShiftAndALetterIsAShortcutEvenWhenShiftSwitchesTheLayout",
       In({{Call([] {
              const cButton saveAs = MenuBar().Buttons().Add(u"FILE:SAVEAS", -1, u"Сохранить &как", 0, u"", 'S', 3);
              MenuBar().CommandBars().Item(u"FILE").Buttons().Add(&saveAs);
            }),
            Press("Control_L"), SwitchPress("Shift_L")},
           Tap("s"), {SwitchRelease("Shift_L"), Release("Control_L")}, Tap("f")}),
       {"pass Ctrl", "pass Shift", "click FILE:SAVEAS", "swallow S", "pass F"}},
      {"AltWithAClickBetweenIsNoTap",
       In({{Press("Alt_L"), ClickOn(""), Release("Alt_L")}, Tap("f")}),
       {"pass Alt", "pass click", "pass F"}},

      // --- Keys and clicks in the menus -------------------------------------------------------------
      {"EscapeStepsBackOneLevelAtATime",
       In({Tap("Alt_L"), Tap("Down"), Tap("Down"), Tap("Down"), Tap("Right"), Tap("Escape"), Tap("Escape"),
           Tap("Escape"), Tap("f")}),
       {"pass Alt", "enter", "hot MENU:FILE", "swallow Alt up", "show FILE", "swallow Down", "swallow Down",
        "swallow Down", "show RECENT", "swallow Right", "hide RECENT", "swallow Esc", "hide FILE", "swallow Esc",
        "leave", "swallow Esc", "pass F"}},
      {"LeftAndRightWalkAcrossTheBar",
       In({Tap("Alt_L"), Tap("Down"), Tap("Right"), Tap("Right"), Tap("Left"), Tap("Left"), Tap("Down"), Tap("Left")}),
       {"pass Alt", "enter", "hot MENU:FILE", "swallow Alt up", "show FILE", "swallow Down", "hide FILE",
        "show EDIT", "hot MENU:EDIT", "swallow Right", "hide EDIT", "hot MENU:HELP", "swallow Right",
        "hot MENU:EDIT", "swallow Left", "hot MENU:FILE", "swallow Left", "show FILE", "swallow Down", "hide FILE",
        "hot MENU:HELP", "swallow Left"}},
      {"AClickOutsideClosesTheMenus",
       In({{ClickOn("MENU:FILE"), ClickOn("")}, Tap("f")}),
       {"enter", "show FILE", "hot MENU:FILE", "hide FILE", "leave", "pass click", "pass F"}},
      {"AnotherWindowOfTheProgramActivatedClosesTheMenus",
       In({{ClickOn("MENU:FILE"), AnotherWindowActivated()}, Tap("f")}),
       {"enter", "show FILE", "hot MENU:FILE", "hide FILE", "leave", "pass F"}},
      {"AnotherWindowOfTheProgramActivatedEndsAnAltTap",
       In({Tap("Alt_L"), {AnotherWindowActivated()}, Tap("f")}),
       {"pass Alt", "enter", "hot MENU:FILE", "swallow Alt up", "leave", "pass F"}},
      {"AnAltDragThatMovesTheWindowIsNoTap",
       In({{Press("Alt_L"), WindowMoved(), Release("Alt_L")}, Tap("f")}),
       {"pass Alt", "pass F"}},
      {"AMovedWindowClosesItsMenus",
       In({{ClickOn("MENU:FILE"), WindowMoved()}, Tap("f")}),
       {"enter", "show FILE", "hot MENU:FILE", "hide FILE", "leave", "pass F"}},
      {"AClickOnTheItemWhoseMenuIsOpenClosesIt",
       In({{ClickOn("MENU:FILE"), ClickOn("MENU:FILE")}, Tap("f")}),
       {"enter", "show FILE", "hot MENU:FILE", "hide FILE", "leave", "pass F"}},
      {"AnItemChosenByTheMouseReachesTheHost",
       In({{ClickOn("MENU:FILE"), ClickOn("FILE:OPEN")}}),
       {"enter", "show FILE", "hot MENU:FILE", "hide FILE", "leave", "click FILE:OPEN"}},

      // --- 1. Menus shown at a point ----------------------------------------------------------------
      // A menu shown outside menu mode takes menu mode with it when it closes, whatever closes it.
      {"EscapeClosesAContextMenuAndEndsMenuMode",
       In({{ContextMenu(MenuBar, u"EDIT")}, Tap("Escape"), Tap("Escape"), Tap("f")}),
       {"enter", "show EDIT", "hide EDIT", "leave", "swallow Esc", "pass Esc", "pass F"}},
      {"LeftClosesAContextMenuAndEndsMenuMode",
       In({{ContextMenu(MenuBar, u"EDIT")}, Tap("Left"), Tap("Down"), Tap("Escape")}),
       {"enter", "show EDIT", "hide EDIT", "leave", "swallow Left", "pass Down", "pass Esc"}},
      {"RightThenDownInAContextMenuOpensNothingElse",
       In({{ContextMenu(MenuBar, u"EDIT")}, Tap("Right"), Tap("Down")}),
       {"enter", "show EDIT", "hide EDIT", "leave", "swallow Right", "pass Down"}},
      {"EscapeClosesTheChevronMenuAndEndsMenuMode",
       In({{Call([] { Form().cmdBar(1).ShowChevronMenu(200, 200); })}, Tap("Escape"), Tap("Escape")}),
       {"enter", "show CHEVRON", "hide CHEVRON", "leave", "swallow Esc", "pass Esc"}},
      {"KeysReachTheEditorAfterItsRightClickMenuIsClosedByEscape",
       In({{RightClickIn()}, Tap("Escape"), Tap("f")}),
       {"enter", "show EDIT", "pass right click", "hide EDIT", "leave", "swallow Esc", "pass F"}},
      {"KeysReachTheEditorAfterItsRightClickMenuIsClosedByAClickInIt",
       In({{RightClickIn(), ClickOn("")}, Tap("f")}),
       {"enter", "show EDIT", "pass right click", "hide EDIT", "leave", "pass click", "pass F"}},
      // Shown in menu mode, it gives the keyboard back to the bar's hot item.
      {"EscapeFromAContextMenuShownInMenuModeGoesBackToTheHotItem",
       In({Tap("Alt_L"), {ContextMenu(MenuBar, u"EDIT")}, Tap("Escape"), {NoteHotItem()}, Tap("Down")}),
       {"pass Alt", "enter", "hot MENU:FILE", "swallow Alt up", "show EDIT", "hide EDIT", "swallow Esc",
        "hot item MENU:FILE", "show FILE", "swallow Down"}},

      // --- 2. A menu-mode control without a bar -----------------------------------------------------
      {"TheBarUnsetWhileAMenuIsOpenEndsMenuMode",
       In({{ClickOn("MENU:FILE"), Call([] { MenuBar().Toolbar(nullptr); })}, Tap("Escape"), Tap("f")}),
       {"enter", "show FILE", "hot MENU:FILE", "hide FILE", "leave", "swallow Esc", "pass F"}},
      {"TheBarRemovedWhileAMenuIsOpenEndsMenuMode",
       In({{ClickOn("MENU:FILE"), Call([] { MenuBar().CommandBars().Remove(u"MENU"); })}, Tap("Escape"), Tap("f")}),
       {"enter", "show FILE", "hot MENU:FILE", "hide FILE", "leave", "swallow Esc", "pass F"}},
      {"AnAltTapOnAMenuControlWhoseBarWasRemovedEntersNothing",
       In({{Call([] { MenuBar().CommandBars().Remove(u"MENU"); })}, Tap("Alt_L"), Tap("f")}),
       {"pass Alt", "pass F"}},

      // --- 3. A context menu shown from a menu, one level up ----------------------------------------
      {"EveryBarIsEnabledAgainAfterANestedContextMenu",
       In({{ClickOn("MENU:FILE"), ContextMenu([]() -> kestCommandBar& { return PopupOf(u"FILE"); }, u"EDIT")},
           Tap("Escape"), Tap("Escape"), Tap("Escape"), Tap("Alt_L")}),
       {"enter", "show FILE", "hot MENU:FILE", "show EDIT", "hide EDIT", "swallow Esc", "hide FILE", "swallow Esc",
        "leave", "swallow Esc", "pass Alt", "enter", "hot MENU:FILE", "swallow Alt up"}},

      // --- 4. A bar laid out again with a menu open -------------------------------------------------
      {"ANewButtonOnTheBarKeepsTheOpenMenuWithItsItem",
       In({{ClickOn("MENU:FILE"), Call([] {
              const cButton front = MenuBar().Buttons().Add(u"MENU:FRONT", -1, u"&Вид");
              const cButton file = MenuBar().Buttons().Item(u"MENU:FILE");
              MenuBar().Toolbar().Buttons().InsertBefore(&front, &file);
            })},
           Tap("Right")}),
       {"enter", "show FILE", "hot MENU:FILE", "hide FILE", "show EDIT", "hot MENU:EDIT", "swallow Right"}},

      // --- 5. A host that opens a menu while the menus close ----------------------------------------
      {"AMenuOpenedWhileTheMenusCloseIsRefused",
       In({{Call([] {
              React([](const Event& e) {
                if (e.what != u"after" || e.key != u"FILE") return;
                const cCommandBar edit = MenuBar().CommandBars().Item(u"EDIT");
                MenuBar().ShowPopupMenu(300, 300, &edit);
                Note(mCommandBars::PopupStack().empty() ? "no menu" : "a menu");
              });
            }),
            ClickOn("MENU:FILE"), ClickOn("")},
           Tap("f")}),
       {"enter", "show FILE", "hot MENU:FILE", "hide FILE", "no menu", "leave", "pass click", "pass F"}},

      // A chain of menus that leads back into itself closes once.
      {"ACycleOfMenuLinksClosesOnce",
       In({{ClickOn("MENU:FILE"), ClickOn("FILE:RECENT"), Call([] {
              MenuLinks::Link(PopupOf(u"RECENT"), 1, PopupOf(u"FILE").hwnd());
              MenuLinks::Link(PopupOf(u"FILE"), 1, PopupOf(u"RECENT").hwnd());
            }),
            ClickOn("")},
           Tap("f")}),
       {"enter", "show FILE", "hot MENU:FILE", "show RECENT", "hide FILE", "hide RECENT", "leave", "pass click",
        "pass F"}},

      // --- 6. A host that changes the menus while an item is chosen ---------------------------------
      {"TheChosenItemIsClickedWhereverTheHostMovedIt",
       In({{Call([] {
              React([](const Event& e) {
                if (e.what != u"after" || e.key != u"EDIT") return;
                const commandbars::cCommandBarButtons items = MenuBar().CommandBars().Item(u"EDIT").Buttons();
                const cButton wrap = items.Item(u"EDIT:WRAP");
                const cButton undo = items.Item(u"EDIT:UNDO");
                items.Remove(u"EDIT:WRAP");
                items.InsertBefore(&wrap, &undo);
              });
            }),
            ClickOn("MENU:EDIT"), ClickOn("EDIT:WRAP"),
            Call([] { Note(MenuBar().Buttons().Item(u"EDIT:WRAP").Checked() ? "checked" : "not checked"); })}}),
       {"enter", "show EDIT", "hot MENU:EDIT", "hide EDIT", "leave", "click EDIT:WRAP", "checked"}},
      {"AMenuUnloadedByTheHostAsItClosesIsLeftAlone",
       In({{Call([] {
              React([](const Event& e) {
                if (e.what == u"after" && e.key == u"FILE") Form().cmdBar.Unload(e.control);  // the menu's own
              });
            }),
            ClickOn("MENU:FILE")},
           Tap("Escape"), Tap("Escape")}),
       {"enter", "show FILE", "hot MENU:FILE", "hide FILE", "leave", "swallow Esc", "pass Esc"}},

      // --- 7. A shown menu unloaded -----------------------------------------------------------------
      {"AnUnloadedMenuTakesItsRecordAlong",
       In({{ClickOn("MENU:FILE"), ContextMenu([]() -> kestCommandBar& { return PopupOf(u"FILE"); }, u"EDIT"),
            UnloadPopupOf(u"EDIT"), Call([] { Note("level " + std::to_string(mCommandBars::CurrentLevel())); })},
           Tap("Escape"), Tap("Escape"), Tap("Alt_L")}),
       {"enter", "show FILE", "hot MENU:FILE", "show EDIT", "hide EDIT", "level 0", "hide FILE", "swallow Esc",
        "leave", "swallow Esc", "pass Alt", "enter", "hot MENU:FILE", "swallow Alt up"}},

      {"AContextMenuUnloadedByTheHostEndsMenuMode",
       In({{ContextMenu(MenuBar, u"EDIT"), UnloadPopupOf(u"EDIT")}, Tap("f")}),
       {"enter", "show EDIT", "hide EDIT", "leave", "pass F"}},

      // --- 8. A show the host cancels ---------------------------------------------------------------
      {"AMenuCancelledBeforeItShowsGivesItsInstanceBack",
       In({{Call([] {
              React([](const Event& e) {
                if (e.what == u"before" && e.key == u"OPENMENU") MenuBar().CommandBars().Remove(u"OPENMENU");
              });
            }),
            ClickOn("MENU:FILE"), ClickOn(""), ContextMenu(MenuBar, u"OPENMENU"), ClickOn("MENU:FILE"),
            Call([] { Note("instances " + std::to_string(Form().instancesAsked)); })}}),
       {"enter", "show FILE", "hot MENU:FILE", "hide FILE", "leave", "pass click", "enter", "show FILE",
        "hot MENU:FILE", "instances 1"}},
  };
  return rows;
}

class MenuSequenceTest : public ::testing::TestWithParam<Row> {
 protected:
  void SetUp() override {
    running = new Running;
    frmHost& form = running->form;
    form.Show();
    platform::testing::ShowAndWait(form.hWnd());
    form.txtEdit.SetFocus();
    vb::DoEvents();
    running->sequence = std::make_unique<MenuSequence>(form.txtEdit.hWnd());
    MenuSequence& seq = *running->sequence;
    form.txtEdit.KeyDown = [&seq](int&, int) { seq.KeyReached(false); };
    form.txtEdit.KeyUp = [&seq](int&, int) { seq.KeyReached(true); };
    // A right click in the editor shows the Edit menu where it was made, as in the program.
    form.txtEdit.MouseDown = [&seq](int button, int, float x, float y) {
      seq.MouseReached();
      if (button != vb::vbRightButton) return;
      auto px = static_cast<std::int32_t>(x / vb::TwipsPerPixel);
      auto py = static_cast<std::int32_t>(y / vb::TwipsPerPixel);
      MenuBar().ClientCoordinatesToScreen(px, py, Form().txtEdit.hWnd());
      const cCommandBar edit = MenuBar().CommandBars().Item(u"EDIT");
      MenuBar().ShowPopupMenu(px, py, &edit);
    };
    form.onEvent = [](const Event& e) {
      if (e.what == u"click") running->sequence->Note("click " + std::string(e.key.begin(), e.key.end()));
      if (running->react) running->react(e);
    };
  }
  void TearDown() override {
    running->react = nullptr;
    mCommandBars::LeaveMenuMode();
    if (running->other != 0) win::DestroyWindow(running->other);
    running->form.Unload();
    running->sequence.reset();
    delete running;
    running = nullptr;
  }
};

}  // namespace

TEST_P(MenuSequenceTest, HappensInOrder) {
  running->sequence->Run(GetParam().input);
  EXPECT_EQ(running->sequence->Seen(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Menus, MenuSequenceTest, ::testing::ValuesIn(Rows()),
                         [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

// Controls disabled while a popup of a higher level is open are enabled again whatever order the
// popups close in.
TEST(MenuLevels, EveryControlDisabledForAPopupIsEnabledAgainWhateverTheOrderTheyClose) {
  frmHost form;
  form.Load();
  kestCommandBar& bar = form.cmdBar(0);
  mCommandBars::SetMenuMode(true, bar.hwnd());
  kestCommandBar& first = form.cmdBar.Load(3);  // loaded in menu mode: only the popups disable them
  kestCommandBar& second = form.cmdBar.Load(4);
  mCommandBars::PushPopup(first.hwnd(), bar.hwnd(), false, false);
  mCommandBars::PushPopup(second.hwnd(), first.hwnd(), true, true);
  EXPECT_FALSE(bar.Enabled());
  EXPECT_FALSE(first.Enabled());
  // The lower level goes first.
  mCommandBars::PopPopup(first.hwnd());
  mCommandBars::PopPopup(second.hwnd());
  EXPECT_TRUE(bar.Enabled());
  EXPECT_TRUE(first.Enabled());
  mCommandBars::LeaveMenuMode();
  // A record never popped: leaving menu mode enables what it disabled.
  mCommandBars::SetMenuMode(true, bar.hwnd());
  mCommandBars::PushPopup(first.hwnd(), bar.hwnd(), false, false);
  mCommandBars::PushPopup(second.hwnd(), first.hwnd(), true, true);
  mCommandBars::PopPopup(first.hwnd());
  mCommandBars::LeaveMenuMode();
  EXPECT_TRUE(bar.Enabled());
  EXPECT_TRUE(first.Enabled());
  form.Unload();
}
