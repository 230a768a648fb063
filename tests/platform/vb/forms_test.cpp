// Forms and intrinsic controls on real widgets.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/script/script.h"
#include "platform/testing/gdi.h"
#include "platform/testing/vb.h"
#include "platform/testing/win.h"
#include "platform/vb/control_array.h"
#include "platform/vb/controls.h"
#include "platform/vb/error.h"
#include "platform/vb/form.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/picturebox.h"
#include "platform/vb/runtime.h"
#include "platform/win/keys.h"
#include "platform/win/window.h"
#include "support.h"

namespace {

// Near the left edge, where check boxes and option buttons have their mark.
void UserClick(win::HWND h) {
  win::RECT r;
  win::GetClientRect(h, &r);
  platform::testing::Click(h, 6, r.bottom / 2);
}
void UserClick(vb::Control& c) { UserClick(c.hWnd()); }

void UserKey(vb::Control& c, int vk, const std::u16string& text = {}) {
  platform::testing::KeyClick(c.hWnd(), vk, 0, text);
}

// A dialog in the manner of the program's windows.
class frmSample : public vb::Form {
 public:
  vb::Frame Frame1{*this};
  vb::OptionButton optA{Frame1};
  vb::OptionButton optB{Frame1};
  vb::PictureBox Picture1{*this};
  vb::OptionButton optC{Picture1};
  vb::CheckBox chkFlag{*this};
  vb::TextBox txtName{*this};
  vb::TextBox txtNotes{*this, true};
  vb::ComboBox cboKind{*this, vb::vbComboDropdownList};
  vb::ComboBox cboFree{*this};
  vb::ListBox lstItems{*this};
  vb::ListBox lstChecks{*this, vb::vbListBoxCheckbox};
  vb::CommandButton cmdOK{*this};
  vb::CommandButton cmdCancel{*this};
  vb::Timer tmrTick{*this};
  vb::ControlArray<vb::Label> lblLine{*this};

  std::vector<std::string> events;
  int loads = 0;
  int queryCancel = 0;
  int unloadCancel = 0;
  int lastQueryMode = -1;
  std::function<void()> onOK;

  frmSample() {
    optA.Click = [this] { events.push_back("optA_Click"); };
    optB.Click = [this] { events.push_back("optB_Click"); };
    optC.Click = [this] { events.push_back("optC_Click"); };
    chkFlag.Click = [this] { events.push_back("chkFlag_Click"); };
    txtName.Change = [this] { events.push_back("txtName_Change"); };
    cboKind.Click = [this] { events.push_back("cboKind_Click"); };
    lstItems.Click = [this] { events.push_back("lstItems_Click"); };
    lstChecks.ItemCheck = [this](int i) { events.push_back("lstChecks_ItemCheck " + std::to_string(i)); };
    cmdOK.Click = [this] {
      events.push_back("cmdOK_Click");
      if (onOK) onOK();
    };
    cmdOK.MouseDown = [this](int button, int, float, float) { events.push_back("cmdOK_MouseDown " + std::to_string(button)); };
    cmdCancel.Click = [this] { events.push_back("cmdCancel_Click"); };
    tmrTick.Tick = [this] { events.push_back("tmrTick_Timer"); };
    lblLine.Connect = [this](vb::Label& l) {
      l.Click = [this, &l] { events.push_back("lblLine_Click " + std::to_string(l.Index())); };
    };
  }

 protected:
  void Design() override {
    Caption(u"Образец");
    Move(0, 0, 6000, 4500);
    Frame1.Move(120, 120, 2000, 1200);
    optA.Move(120, 240, 1500, 300);
    optA.Caption(u"A");
    optB.Move(120, 600, 1500, 300);
    optB.Caption(u"B");
    optB.Value(true);
    Picture1.Move(2300, 120, 2000, 1200);
    optC.Move(60, 60, 1500, 300);
    chkFlag.Move(120, 1500, 2000, 300);
    chkFlag.Value(vb::vbChecked);
    txtName.Move(120, 1900, 2000, 300);
    txtName.Text(u"имя");
    txtNotes.Move(2300, 1900, 2000, 900);
    cboKind.Move(120, 2300, 2000, 300);
    cboKind.AddItem(u"один");
    cboKind.AddItem(u"два");
    cboKind.ListIndex(0);
    cboFree.Move(2300, 2900, 2000, 300);
    lstItems.Move(120, 2700, 2000, 600);
    lstChecks.Move(4400, 120, 1400, 900);
    cmdOK.Move(120, 3400, 1200, 375);
    cmdOK.Caption(u"OK");
    cmdOK.Default(true);
    cmdCancel.Move(1400, 3400, 1200, 375);
    cmdCancel.Caption(u"Отмена");
    cmdCancel.Cancel(true);
    tmrTick.Interval(100);
    lblLine.Load(0).Move(4400, 1100, 1400, 250);
  }
  void Form_Load() override {
    ++loads;
    events.push_back("Form_Load");
  }
  void Form_QueryUnload(int& cancel, int mode) override {
    lastQueryMode = mode;
    events.push_back("Form_QueryUnload");
    cancel = queryCancel;
  }
  void Form_Unload(int& cancel) override {
    events.push_back("Form_Unload");
    cancel = unloadCancel;
  }
};

class Forms : public ::testing::Test {
 protected:
  void TearDown() override {
    form.Terminate();
    vb::DoEvents();
  }
  frmSample form;
};

}  // namespace

TEST_F(Forms, ReadingAControlLoadsTheFormUnseenInItsDesignedState) {
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_EQ(form.txtName.Text(), u"имя");
  EXPECT_TRUE(form.IsLoaded());
  EXPECT_EQ(form.loads, 1);
  EXPECT_FALSE(form.Visible());
  // The designed values raised no events; Form_Load ran once.
  EXPECT_EQ(form.events, std::vector<std::string>{"Form_Load"});
  EXPECT_EQ(form.chkFlag.Value(), vb::vbChecked);
  EXPECT_EQ(form.cboKind.ListIndex(), 0);
  EXPECT_TRUE(form.optB.Value());
  EXPECT_EQ(form.lblLine.Count(), 1);
}

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

TEST_F(Forms, HideKeepsTheFormLoadedAndUnloadStartsAfresh) {
  form.Show();
  form.txtName.Text(u"правка");
  form.Hide();
  EXPECT_TRUE(form.IsLoaded());
  form.Show();
  EXPECT_EQ(form.loads, 1);
  EXPECT_EQ(form.txtName.Text(), u"правка");

  form.queryCancel = 1;
  EXPECT_FALSE(form.Unload());
  form.queryCancel = 0;
  form.unloadCancel = 1;
  EXPECT_FALSE(form.Unload());
  EXPECT_TRUE(form.IsLoaded());
  form.unloadCancel = 0;
  const win::HWND old = form.hWnd();
  EXPECT_TRUE(form.Unload());
  EXPECT_EQ(form.lastQueryMode, vb::vbFormCode);
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_FALSE(win::IsWindow(old));
  EXPECT_EQ(form.txtName.Text(), u"имя");
  EXPECT_EQ(form.loads, 2);
  EXPECT_FALSE(form.Visible());
  EXPECT_NE(form.hWnd(), old);
}

namespace {

// A window whose load may change its mind and unload it again.
class frmChangesItsMind : public vb::Form {
 public:
  vb::Label lblNote{*this};
  bool unloadInLoad = true;
  int loads = 0;

 protected:
  void Form_Load() override {
    ++loads;
    if (unloadInLoad) Unload();
  }
};

}  // namespace

using qmtest::ErrorNumberOf;

TEST(FormLoad, AFormUnloadedInItsOwnLoadRaisesObjectWasUnloadedInsteadOfBeingUsed) {
  frmChangesItsMind form;
  EXPECT_EQ(ErrorNumberOf([&] { form.Show(); }), vb::err::kObjectWasUnloaded);
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_EQ(ErrorNumberOf([&] { form.Caption(); }), vb::err::kObjectWasUnloaded);
  EXPECT_EQ(ErrorNumberOf([&] { form.Caption(u"Заголовок"); }), vb::err::kObjectWasUnloaded);
  EXPECT_EQ(ErrorNumberOf([&] { form.lblNote.Caption(); }), vb::err::kObjectWasUnloaded) << "its controls too";
  EXPECT_EQ(ErrorNumberOf([&] { form.Show(vb::vbModal); }), vb::err::kObjectWasUnloaded);
  EXPECT_EQ(ErrorNumberOf([&] { form.Load(); }), 0) << "loading alone just leaves it unloaded";
  EXPECT_EQ(form.loads, 6) << "every use tries to load the window again";
  EXPECT_FALSE(form.IsLoaded());

  form.unloadInLoad = false;
  form.Show();
  EXPECT_TRUE(form.Visible());
  form.lblNote.Caption(u"загружено");
  EXPECT_EQ(form.lblNote.Caption(), u"загружено");
  form.Terminate();
  vb::DoEvents();
}

TEST_F(Forms, TheCloseBoxAsksWithTheControlMenuMode) {
  form.Show();
  form.queryCancel = 1;
  platform::testing::CloseByUser(form.hWnd());
  EXPECT_TRUE(form.IsLoaded());
  EXPECT_TRUE(form.Visible());
  form.queryCancel = 0;
  platform::testing::CloseByUser(form.hWnd());
  EXPECT_EQ(form.lastQueryMode, vb::vbFormControlMenu);
  EXPECT_FALSE(form.IsLoaded());
}

TEST_F(Forms, ModalShowReturnsWhenTheFormIsHiddenOrUnloaded) {
  frmSample owner;
  owner.Show();
  vb::testing::QueueModalAction([this] {
    EXPECT_TRUE(form.Visible());
    form.cmdOK.Value(true);
  });
  form.onOK = [this] { form.Hide(); };
  form.Show(vb::vbModal, &owner);
  EXPECT_TRUE(form.IsLoaded());
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(win::GetParent(form.hWnd()), owner.hWnd());

  vb::testing::QueueModalAction([this] { form.Unload(); });
  form.Show(vb::vbModal, &owner);
  EXPECT_FALSE(form.IsLoaded());
  owner.Terminate();
}

TEST_F(Forms, AModalFormNobodyAnswersFailsInsteadOfWaiting) {
  std::vector<std::u16string> reported;
  platform::script::SetUnscriptedHandler([&](const platform::script::Shown& s) { reported.push_back(s.title); });
  form.Show(vb::vbModal);
  platform::script::SetUnscriptedHandler([](const platform::script::Shown& shown) {
    ADD_FAILURE() << "unscripted dialog: " << vb::ToUtf8(shown.title);
  });
  EXPECT_EQ(reported, std::vector<std::u16string>{u"Образец"});
  EXPECT_FALSE(form.Visible());
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

TEST_F(Forms, AFormUnloadedByItsOwnButtonFinishesTheEventSafely) {
  form.Show();
  const int button = platform::testing::WatchWidget(form.cmdOK.hWnd());
  form.onOK = [this] { form.Unload(); };
  UserClick(form.cmdOK);
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_TRUE(platform::testing::WidgetAlive(button));  // still handling its release when the unload came
  vb::DoEvents();
  EXPECT_FALSE(platform::testing::WidgetAlive(button));
}

TEST_F(Forms, AWindowUnloadedWhileAnotherEventRunsGoesOnlyAfterThatEvent) {
  frmSample other;
  other.Show();
  form.Show();
  const win::HWND cancel = form.cmdCancel.hWnd();
  const int button = platform::testing::WatchWidget(cancel);
  form.cmdCancel.Click = [this] { form.Unload(); };
  bool aliveInside = false;
  // A long task in another window's click lets events run; a Cancel press among them unloads this
  // window; the task goes on letting events run, in a message box's loop too.
  other.onOK = [&] {
    platform::testing::PostClick(cancel, 6, 6);
    vb::DoEvents();
    platform::script::Queue({platform::script::Kind::MessageBox, 1, {}});
    vb::MsgBox(u"дальше");
    vb::DoEvents();
    aliveInside = platform::testing::WidgetAlive(button) && !form.IsLoaded();
  };
  UserClick((other.cmdOK));
  EXPECT_TRUE(aliveInside);
  vb::DoEvents();
  EXPECT_FALSE(platform::testing::WidgetAlive(button));
  other.Terminate();
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

TEST_F(Forms, EveryWindowIsInTheWindowTableUnderItsForm) {
  const win::HWND f = form.hWnd();
  EXPECT_TRUE(win::IsWindow(f));
  EXPECT_EQ(win::GetClassNameA(f), "ThunderFormDC");
  EXPECT_EQ(win::GetParent(form.cmdOK.hWnd()), f);
  EXPECT_EQ(win::GetParent(form.optA.hWnd()), form.Frame1.hWnd());
  EXPECT_EQ(win::GetWindowTextA(f), u"Образец");
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

TEST_F(Forms, PlacementIsInTwipsAndTheWindowsSizeIsItsOuterSize) {
  form.Move(1500, 750, 6000, 4500);
  EXPECT_EQ(form.Left(), 1500);
  EXPECT_EQ(form.Top(), 750);
  EXPECT_EQ(form.Width(), 6000);
  EXPECT_EQ(form.Height(), 4500);
  EXPECT_LE(form.ScaleWidth(), form.Width());
  EXPECT_LE(form.ScaleHeight(), form.Height());
  EXPECT_EQ(form.ScaleX(15, vb::vbTwips, vb::vbPixels), 1);
  EXPECT_EQ(form.ScaleY(1, vb::vbInches, vb::vbTwips), 1440);
  EXPECT_EQ(form.cmdOK.Width(), 1200);
  EXPECT_EQ(form.cmdOK.Height(), 375);
  form.MousePointer(vb::vbHourglass);
  EXPECT_TRUE(platform::testing::ShowsBusyPointer(form.cmdOK.hWnd()));
  form.MousePointer(vb::vbDefault);
  form.WindowState(vb::vbMaximized);
  EXPECT_EQ(form.WindowState(), vb::vbMaximized);
}

TEST_F(Forms, AnErrorInAUsersEventIsReportedAndOneFromCodeReachesTheCaller) {
  form.Show();
  form.onOK = [] { vb::Raise(5); };
  platform::script::Log().clear();
  platform::script::Queue({platform::script::Kind::MessageBox, 1, {}});
  UserClick((form.cmdOK));
  ASSERT_EQ(platform::script::Log().size(), 1u);
  EXPECT_NE(platform::script::Log()[0].prompt.find(u"'5'"), std::u16string::npos);
  EXPECT_EQ(platform::script::Log()[0].flags, vb::vbCritical);
  EXPECT_TRUE(form.IsLoaded());

  form.txtName.Change = [] { vb::Raise(13); };
  try {
    form.txtName.Text(u"другое");
    ADD_FAILURE() << "the error of the Change handler was lost";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Number, 13);
  }
}

TEST_F(Forms, ActivationMovesBetweenForms) {
  struct Tracking : frmSample {
    std::vector<std::string>* log = nullptr;
    std::string name;
    void Form_Activate() override { log->push_back(name + " Activate"); }
    void Form_Deactivate() override { log->push_back(name + " Deactivate"); }
  };
  std::vector<std::string> log;
  Tracking a, b;
  a.log = b.log = &log;
  a.name = "a";
  b.name = "b";
  a.Show();
  vb::DoEvents();
  b.Show();
  vb::DoEvents();
  a.Terminate();
  b.Terminate();
  EXPECT_EQ(log, (std::vector<std::string>{"a Activate", "a Deactivate", "b Activate"}));
}

TEST_F(Forms, KeepOnTopFollowsSetWindowPos) {
  form.Show();
  win::SetWindowPos(form.hWnd(), win::HWND_TOPMOST, 0, 0, 0, 0, win::SWP_NOMOVE | win::SWP_NOSIZE);
  EXPECT_NE(win::GetWindowLongA(form.hWnd(), win::GWL_EXSTYLE) & win::WS_EX_TOPMOST, 0);
  EXPECT_TRUE(form.Visible());
  win::SetWindowPos(form.hWnd(), win::HWND_NOTOPMOST, 0, 0, 0, 0, win::SWP_NOMOVE | win::SWP_NOSIZE);
  EXPECT_EQ(win::GetWindowLongA(form.hWnd(), win::GWL_EXSTYLE) & win::WS_EX_TOPMOST, 0);
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

TEST_F(Forms, KeyPreviewShowsTheFormTheKeysFirst) {
  struct Previewing : frmSample {
    std::vector<int> formKeys;
    void Form_KeyDown(int& keyCode, int) override {
      formKeys.push_back(keyCode);
      if (keyCode == (win::VK_F1 + 1)) keyCode = 0;
    }
  } f;
  f.Show();
  f.KeyPreview(true);
  std::vector<int> controlKeys;
  f.txtName.KeyDown = [&](int& code, int) { controlKeys.push_back(code); };
  UserKey(f.txtName, win::VK_F1 + 1);
  UserKey(f.txtName, win::VK_F1 + 2);
  EXPECT_EQ(f.formKeys, (std::vector<int>{(win::VK_F1 + 1), (win::VK_F1 + 2)}));
  EXPECT_EQ(controlKeys, std::vector<int>{(win::VK_F1 + 2)});
  f.Terminate();
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

class frmClientSized : public vb::Form {
 protected:
  void Design() override {
    BorderStyle(vb::vbFixedToolWindow);
    ClientSize(2535, 495);
  }
};

TEST(FormClientSize, TheInnerAreaKeepsItsSizeWhateverFrameTheWindowGets) {
  frmClientSized form;
  form.Show();
  platform::testing::ShowAndWait(form.hWnd());
  vb::DoEvents();
  EXPECT_EQ(form.ScaleWidth(), 2535);
  EXPECT_EQ(form.ScaleHeight(), 495);
  EXPECT_GE(form.Height(), form.ScaleHeight());
  form.Move(300, 300);
  EXPECT_EQ(form.ScaleHeight(), 495);
  form.Unload();
}

}  // namespace
