// Forms on real widgets: loading, hiding and unloading, modal showing, unloads from inside events,
// placement, activation and keyboard preview.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>

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
#include "sample_form.h"
#include "support.h"

using namespace vbforms;

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

TEST_F(Forms, EveryWindowIsInTheWindowTableUnderItsForm) {
  const win::HWND f = form.hWnd();
  EXPECT_TRUE(win::IsWindow(f));
  EXPECT_EQ(win::GetClassNameA(f), "ThunderFormDC");
  EXPECT_EQ(win::GetParent(form.cmdOK.hWnd()), f);
  EXPECT_EQ(win::GetParent(form.optA.hWnd()), form.Frame1.hWnd());
  EXPECT_EQ(win::GetWindowTextA(f), u"Образец");
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

// The width a caption needs in the title bar: more for a longer caption, and more than its letters
// alone, which share the bar with the window's icon and close box.
TEST(FormClientSize, ALongerCaptionNeedsAWiderWindow) {
  frmClientSized form;
  form.Caption(u"Режим");
  const float shortCaption = form.CaptionClientWidth();
  form.Caption(u"     Полноэкранный режим");
  const float longCaption = form.CaptionClientWidth();
  EXPECT_GT(longCaption, shortCaption);
  QFont bold = QApplication::font();
  bold.setBold(true);
  EXPECT_GT(longCaption, QFontMetrics(bold).horizontalAdvance(QStringLiteral("     Полноэкранный режим")) * vb::TwipsPerPixel);
  form.Unload();
}

}  // namespace
