// The intrinsic controls on real widgets: values set in code and the user's clicks and keys raise
// the same events; default and cancel buttons, option groups, control arrays, timers, lists,
// subclassing and the system colours they paint with.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/richedit/rich_text_box.h"
#include "platform/testing/gdi.h"
#include "platform/testing/vb.h"
#include "platform/testing/win.h"
#include "platform/vb/control_array.h"
#include "platform/vb/controls.h"
#include "platform/vb/error.h"
#include "platform/vb/form.h"
#include "platform/vb/picturebox.h"
#include "platform/vb/runtime.h"
#include "platform/vb/window_control.h"
#include "platform/win/keys.h"
#include "platform/win/window.h"
#include "sample_form.h"

using namespace vbforms;

TEST_F(Forms, ValuesSetInCodeRaiseTheEventsOfTheUsersEdits) {
  form.Load();
  form.events.clear();
  form.chkFlag.Value(vb::vbUnchecked);
  form.chkFlag.Value(vb::vbUnchecked);  // no change, no event
  form.chkFlag.Value(vb::vbGrayed);
  form.txtName.Text(u"новое");
  form.cboKind.ListIndex(1);
  form.cboKind.Text(u"ОДИН");  // a drop-down list selects the item its text names
  form.lstItems.AddItem(u"x");
  form.lstItems.AddItem(u"y");
  form.lstItems.ListIndex(1);
  form.optA.Value(true);
  form.lstChecks.AddItem(u"a");
  form.lstChecks.Selected(0, true);
  EXPECT_EQ(form.events, (std::vector<std::string>{"chkFlag_Click", "chkFlag_Click", "txtName_Change", "cboKind_Click",
                                                   "cboKind_Click", "lstItems_Click", "optA_Click", "lstChecks_ItemCheck 0"}));
  EXPECT_EQ(form.cboKind.ListIndex(), 0);
  EXPECT_FALSE(form.optB.Value());
  EXPECT_THROW(form.chkFlag.Value(3), vb::Error);
  EXPECT_THROW(form.cboKind.ListIndex(2), vb::Error);
  try {
    form.cboKind.Text(u"три");
    ADD_FAILURE() << "a text outside a drop-down list was taken";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Number, 383);
  }
}

TEST_F(Forms, UserInputRaisesClickChangeAndMouseEvents) {
  form.Show();
  form.events.clear();
  UserClick((form.chkFlag));
  EXPECT_EQ(form.chkFlag.Value(), vb::vbUnchecked);
  UserClick((form.chkFlag));
  EXPECT_EQ(form.chkFlag.Value(), vb::vbChecked);
  UserClick((form.cmdOK));
  UserClick((form.optA));
  EXPECT_EQ(form.events, (std::vector<std::string>{"chkFlag_Click", "chkFlag_Click", "cmdOK_MouseDown 1", "cmdOK_Click",
                                                   "optA_Click"}));
  form.events.clear();
  form.txtName.Text(u"");
  form.events.clear();
  form.txtName.SetFocus();
  UserKey(form.txtName, 'A', u"ж");
  EXPECT_EQ(form.txtName.Text(), u"ж");
  EXPECT_EQ(form.events, std::vector<std::string>{"txtName_Change"});
}

TEST_F(Forms, EnterPressesTheDefaultButtonAndEscTheCancelButton) {
  form.Show();
  form.events.clear();
  form.txtName.KeyPress = [this](int& ascii) { form.events.push_back("txtName_KeyPress " + std::to_string(ascii)); };
  UserKey(form.txtName, win::VK_RETURN);
  UserKey(form.txtName, win::VK_ESCAPE, u"\x1b");
  EXPECT_EQ(form.events, (std::vector<std::string>{"cmdOK_Click", "cmdCancel_Click"}));  // no KeyPress
  UserKey(form.txtName, 'B');
  ASSERT_GE(form.events.size(), 2u);
  EXPECT_EQ(form.events[form.events.size() - 2], "txtName_KeyPress 98");
  EXPECT_EQ(form.events.back(), "txtName_Change");
  // A multi-line box keeps Enter as a line break.
  form.events.clear();
  form.txtNotes.Text(u"a");
  form.txtNotes.SelStart(1);
  UserKey(form.txtNotes, win::VK_RETURN);
  EXPECT_TRUE(form.events.empty());
  EXPECT_EQ(form.txtNotes.Text(), u"a\r\n");
  EXPECT_EQ(form.txtNotes.SelStart(), 3);
}

TEST_F(Forms, OptionButtonsFormOneGroupPerContainerAndAGroupMayHaveNoneSelected) {
  form.Load();
  form.optC.Value(true);
  EXPECT_TRUE(form.optB.Value());  // another container, another group
  form.optA.Value(true);
  EXPECT_FALSE(form.optB.Value());
  form.optA.Value(false);
  EXPECT_FALSE(form.optA.Value());
  EXPECT_FALSE(form.optB.Value());
}

TEST_F(Forms, ControlArraysGrowAtRunTime) {
  vb::Label& first = form.lblLine(0);
  first.Caption(u"нулевой");
  vb::Label& added = form.lblLine.Load(3);
  EXPECT_EQ(added.Index(), 3);
  EXPECT_FALSE(added.Visible());
  EXPECT_EQ(added.Left(), first.Left());
  EXPECT_EQ(added.Width(), first.Width());
  EXPECT_EQ(form.lblLine.UBound(), 3);
  EXPECT_EQ(form.lblLine.Count(), 2);
  try {
    form.lblLine.Load(3);
    ADD_FAILURE() << "an index in use was loaded again";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Number, 360);
  }
  EXPECT_THROW(form.lblLine(2), vb::Error);
  // An element may sit in another container of the window.
  vb::Label& framed = form.lblLine.Load(4, form.Frame1);
  EXPECT_EQ(win::GetParent(framed.hWnd()), form.Frame1.hWnd());
  // Unload of the window forgets run-time elements; the next load has the designed ones only.
  form.Unload();
  EXPECT_EQ(form.lblLine.Count(), 1);
  EXPECT_FALSE(form.lblLine.Exists(3));
}

TEST_F(Forms, AnElementUnloadedByItsOwnEventGoesWhenTheEventReturns) {
  form.Show();
  vb::Label& added = form.lblLine.Load(1);
  added.Visible(true);
  bool ranAfterUnload = false;
  added.Click = [&] {
    form.lblLine.Unload(1);
    // The element is still whole while its handler runs.
    ranAfterUnload = added.Index() == 1;
  };
  const int widget = platform::testing::WatchWidget(added.hWnd());
  UserClick(added);
  EXPECT_TRUE(ranAfterUnload);
  EXPECT_FALSE(form.lblLine.Exists(1));
  vb::DoEvents();
  EXPECT_FALSE(platform::testing::WidgetAlive(widget));
}

TEST_F(Forms, TimersTickWhileEnabledWithAnInterval) {
  form.Load();
  const win::HWND h = form.tmrTick.hWnd();
  EXPECT_TRUE(platform::testing::TimerExists(h, 1));
  platform::testing::FireTimer(h, 1);
  form.tmrTick.Enabled(false);
  EXPECT_FALSE(platform::testing::TimerExists(h, 1));
  form.tmrTick.Enabled(true);
  form.tmrTick.Interval(0);
  EXPECT_FALSE(platform::testing::TimerExists(h, 1));
  form.tmrTick.Interval(5);
  platform::testing::FireTimer(h, 1);
  EXPECT_EQ(form.events, (std::vector<std::string>{"Form_Load", "tmrTick_Timer", "tmrTick_Timer"}));
  form.Unload();
  EXPECT_FALSE(platform::testing::TimerExists(h, 1));
}

// A timer that waits for wakes stays enabled but runs no system timer until woken; several wakes
// give one tick, a wake during its handler one more, and a wake while it is disabled waits for it.
TEST_F(Forms, ATimerThatWaitsForWakesTicksOnceAfterEachWakeAndSleepsOtherwise) {
  form.Load();
  vb::Timer& timer = form.tmrTick;
  const win::HWND h = timer.hWnd();
  timer.WaitsForWake(true);
  EXPECT_TRUE(timer.Enabled());
  EXPECT_FALSE(platform::testing::TimerExists(h, 1));
  timer.Wake();
  timer.Wake();
  EXPECT_TRUE(platform::testing::TimerExists(h, 1));
  form.events.clear();
  platform::testing::FireTimer(h, 1);
  EXPECT_EQ(form.events, std::vector<std::string>{"tmrTick_Timer"});
  EXPECT_FALSE(platform::testing::TimerExists(h, 1));
  platform::testing::FireTimer(h, 1);
  EXPECT_EQ(form.events.size(), 1u);

  // A change its handler makes (or lets happen) wakes it again; a tick falling due inside the
  // handler is skipped but stays due.
  int ticks = 0;
  timer.Tick = [&] {
    if (++ticks == 1) {
      timer.Wake();
      platform::testing::FireTimer(h, 1);
    }
  };
  timer.Wake();
  platform::testing::FireTimer(h, 1);
  EXPECT_EQ(ticks, 1);
  EXPECT_TRUE(platform::testing::TimerExists(h, 1));
  platform::testing::FireTimer(h, 1);
  EXPECT_EQ(ticks, 2);
  EXPECT_FALSE(platform::testing::TimerExists(h, 1));

  timer.Enabled(false);
  timer.Wake();
  EXPECT_FALSE(platform::testing::TimerExists(h, 1));
  timer.Enabled(true);
  EXPECT_TRUE(platform::testing::TimerExists(h, 1));
  platform::testing::FireTimer(h, 1);
  EXPECT_EQ(ticks, 3);

  // Waiting no more, it ticks at its interval as any timer does.
  timer.WaitsForWake(false);
  EXPECT_TRUE(platform::testing::TimerExists(h, 1));
  platform::testing::FireTimer(h, 1);
  EXPECT_TRUE(platform::testing::TimerExists(h, 1));
  EXPECT_EQ(ticks, 4);
}

namespace {
std::vector<win::UINT> subclassSeen;
win::LONG_PTR previousProc = 0;
win::LRESULT Subclass(win::HWND h, win::UINT msg, win::WPARAM w, win::LPARAM l) {
  subclassSeen.push_back(msg);
  if (msg == win::WM_LBUTTONDOWN) return 0;  // swallowed: no MouseDown, no press
  return win::CallWindowProcA(previousProc, h, msg, w, l);
}
}  // namespace

TEST_F(Forms, ASubclassedControlSeesItsMessagesBeforeTheRuntime) {
  form.Show();
  const win::HWND b = form.cmdOK.hWnd();
  previousProc = win::SetWindowLongA(b, win::GWL_WNDPROC, reinterpret_cast<win::LONG_PTR>(&Subclass));
  form.events.clear();
  UserClick((form.cmdOK));
  EXPECT_NE(std::find(subclassSeen.begin(), subclassSeen.end(), win::WM_LBUTTONDOWN), subclassSeen.end());
  EXPECT_TRUE(form.events.empty());
  win::SetWindowLongA(b, win::GWL_WNDPROC, previousProc);
}

TEST_F(Forms, ListsKeepTheirItemsInOrderOrSorted) {
  form.cboFree.Sorted(true);
  for (auto s : {u"Вишня", u"абрикос", u"Банан"}) form.cboFree.AddItem(s);
  EXPECT_EQ(form.cboFree.List(0), u"абрикос");
  EXPECT_EQ(form.cboFree.List(2), u"Вишня");
  EXPECT_EQ(form.cboFree.NewIndex(), 1);
  EXPECT_EQ(form.cboFree.ListIndex(), -1);  // adding items selects nothing
  EXPECT_EQ(form.cboFree.ListCount(), 3);
  form.cboFree.Text(u"что-то своё");
  EXPECT_EQ(form.cboFree.Text(), u"что-то своё");
  EXPECT_EQ(form.cboFree.ListIndex(), -1);
  form.cboFree.ListIndex(2);
  EXPECT_EQ(form.cboFree.Text(), u"Вишня");
  form.cboFree.Clear();
  EXPECT_EQ(form.cboFree.ListCount(), 0);
  EXPECT_EQ(form.cboFree.List(5), u"");

  form.lstItems.AddItem(u"b");
  form.lstItems.AddItem(u"a", 0);
  EXPECT_EQ(form.lstItems.List(0), u"a");
  EXPECT_EQ(form.lstItems.ListIndex(), -1);
  form.lstItems.Selected(1, true);
  EXPECT_EQ(form.lstItems.Text(), u"b");
  form.lstItems.RemoveItem(1);
  EXPECT_EQ(form.lstItems.ListIndex(), -1);
}

// The focus entering a list where nothing is chosen chooses nothing and raises no Click; the
// arrow key then chooses the first row.
TEST_F(Forms, AFocusedListChoosesNoRowUntilTheUserDoes) {
  form.tmrTick.Enabled(false);  // only the list's events are counted
  form.Show();
  platform::testing::ShowAndWait(form.hWnd());
  form.lstItems.AddItem(u"a");
  form.lstItems.AddItem(u"b");
  form.events.clear();
  form.lstItems.SetFocus();
  vb::DoEvents();
  EXPECT_EQ(form.lstItems.ListIndex(), -1);
  EXPECT_EQ(form.lstItems.Text(), u"");
  EXPECT_TRUE(form.events.empty());
  UserKey(form.lstItems, win::VK_DOWN);
  EXPECT_EQ(form.lstItems.ListIndex(), 0);
  EXPECT_EQ(form.events, std::vector<std::string>{"lstItems_Click"});
}

TEST(ControlColours, SystemColoursComeFromTheDrawingLayersTable) {
  struct frmColours : vb::Form {
    vb::Label lblFace{*this};
    vb::Label lblWindow{*this};
    vb::PictureBox picEdge{*this};
    void Design() override {
      lblFace.Move(0, 0, 300, 300);
      lblWindow.Move(300, 0, 300, 300);
      lblWindow.BackColor(vb::vbWindowBackground);
      picEdge.Move(0, 300, 300, 300);  // bordered: its top-left pixel is the 3-D shadow
    }
  } form;
  platform::testing::SetSysColor(win::COLOR_BTNFACE, win::RGB(1, 2, 3));
  platform::testing::SetSysColor(win::COLOR_WINDOW, win::RGB(4, 5, 6));
  platform::testing::SetSysColor(win::COLOR_BTNSHADOW, win::RGB(7, 8, 9));
  form.Show();
  vb::DoEvents();
  EXPECT_EQ(vb::testing::WindowPicturePixel(form.lblFace.hWnd(), 5, 5), win::RGB(1, 2, 3));
  EXPECT_EQ(vb::testing::WindowPicturePixel(form.lblWindow.hWnd(), 5, 5), win::RGB(4, 5, 6));
  EXPECT_EQ(vb::testing::WindowPicturePixel(form.picEdge.hWnd(), 0, 0), win::RGB(7, 8, 9));
  platform::testing::ResetSysColors();
  form.Terminate();
}

namespace {

// A window in the manner of the agreement viewer: a locked text over one button that both Enter
// and Esc press.
class frmReader : public vb::Form {
 public:
  vb::WindowControl<vb::RichTextBox> txtText{*this};
  vb::CommandButton cmdClose{*this};
  int closes = 0;
  frmReader() { cmdClose.Click = [this] { ++closes; }; }

 protected:
  void Design() override {
    Move(0, 0, 4800, 3600);
    txtText.Move(0, 0, 4000, 2000);
    cmdClose.Move(120, 2400, 1215, 375);
    cmdClose.Default(true);
    cmdClose.Cancel(true);
  }
};

}  // namespace

TEST(DialogKeys, ALockedTextAndTheFormItselfHandEnterAndEscToTheButtons) {
  frmReader form;
  form.Show();
  form.txtText->Text(u"Текст соглашения");
  form.txtText->Locked(true);
  form.txtText->SetFocus();
  platform::testing::KeyClick(form.txtText->hWnd(), win::VK_RETURN);
  platform::testing::KeyClick(form.txtText->hWnd(), win::VK_ESCAPE, 0, u"\x1b");
  EXPECT_EQ(form.closes, 2);
  EXPECT_EQ(form.txtText->Text(), u"Текст соглашения");
  // With nothing of it focused, the form takes the keys itself.
  platform::testing::KeyClick(form.hWnd(), win::VK_RETURN);
  platform::testing::KeyClick(form.hWnd(), win::VK_ESCAPE, 0, u"\x1b");
  EXPECT_EQ(form.closes, 4);
  // A text the user edits keeps Enter as a line break; Esc still closes.
  form.txtText->Locked(false);
  form.txtText->SelStart(0);
  platform::testing::KeyClick(form.txtText->hWnd(), win::VK_RETURN, 0, u"\r");
  EXPECT_EQ(form.closes, 4);
  EXPECT_EQ(form.txtText->Text(), u"\r\nТекст соглашения");
  platform::testing::KeyClick(form.txtText->hWnd(), win::VK_ESCAPE, 0, u"\x1b");
  EXPECT_EQ(form.closes, 5);
  form.Unload();
}
