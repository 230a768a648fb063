// The percentage progress bar on a window, read back from its drawing.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "controls/progress_bar.h"
#include "platform/vb/controls.h"
#include "platform/vb/error.h"
#include "platform/vb/form.h"
#include "platform/testing/frame_clock.h"
#include "platform/testing/win.h"
#include "platform/vb/runtime.h"
#include "platform/win/window.h"
#include "support.h"

namespace {

constexpr std::int64_t kBar = 0x800000;
constexpr std::int64_t kWhite = 0xFFFFFF;
constexpr win::UINT kPressCancel = win::WM_APP + 1;

class frmProgress : public vb::Form {
 public:
  ProgressBar Bar{*this};
  vb::CommandButton cmdCancel{*this};
  int cancels = 0;
  frmProgress() {
    cmdCancel.Click = [this] {
      ++cancels;
      Unload();
    };
  }

 protected:
  void Design() override {
    Move(0, 0, 5000, 2000);
    // 200 by 25 pixels: an inner area of 196 by 21 inside the box's border.
    Bar.Move(0, 0, 3000, 375);
    cmdCancel.Move(0, 600, 1200, 375);
  }
};

class ProgressBarTest : public ::testing::Test {
 protected:
  void TearDown() override {
    form.Terminate();
    vb::DoEvents();
  }
  // Lets the events run until a change kept back for a frame is drawn (up to a minute on a loaded
  // machine).
  void Settle() {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (form.Bar.drawing.Waiting() && std::chrono::steady_clock::now() < giveUp) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      vb::DoEvents();
    }
  }
  // The colour of the top row (above the caption) at a pixel of the inner area, as the box shows
  // it once its drawing has settled.
  std::int64_t TopAt(int pixel) {
    Settle();
    return form.Bar.picStatus.Point(static_cast<float>(pixel * 15), 0);
  }
  // Whether any pixel of the middle row, across the caption, has the colour.
  bool MiddleRowHas(std::int64_t colour) {
    Settle();
    const float y = form.Bar.picStatus.ScaleHeight() / 2;
    for (int x = 0; x < 196; ++x)
      if (form.Bar.picStatus.Point(static_cast<float>(x * 15), y) == colour) return true;
    return false;
  }
  // The Cancel press waits in the queue; the next pass of the events runs it.
  void PressCancelWhenTheEventsRun() {
    const win::HWND button = form.cmdCancel.hWnd();
    static win::LONG_PTR previous = 0;
    static frmProgress* target = nullptr;
    target = &form;
    previous = win::SetWindowLongA(button, win::GWL_WNDPROC,
                                   reinterpret_cast<win::LONG_PTR>(+[](win::HWND h, win::UINT m, win::WPARAM w, win::LPARAM l) -> win::LRESULT {
                                     if (m == kPressCancel) {
                                       target->cmdCancel.Value(true);
                                       return 0;
                                     }
                                     return win::CallWindowProcA(previous, h, m, w, l);
                                   }));
    win::PostMessageA(button, kPressCancel, 0, 0);
  }
  frmProgress form;
};

}  // namespace

TEST_F(ProgressBarTest, APercentageFillsThatShareOfTheBox) {
  form.Bar.Value(42);  // 42% of the outer 200 pixels: up to pixel 84
  EXPECT_EQ(TopAt(0), kBar);
  EXPECT_EQ(TopAt(80), kBar);
  EXPECT_EQ(TopAt(90), kWhite);
  form.Bar.Value(0);
  EXPECT_EQ(TopAt(0), kWhite);
  form.Bar.Value(-3);
  EXPECT_EQ(TopAt(0), kWhite);
  form.Bar.Value(150);
  EXPECT_EQ(TopAt(195), kBar);
}

TEST_F(ProgressBarTest, TheCaptionIsInTheBarsColourOverWhiteAndWhiteOverTheBar) {
  form.Bar.Value(0);
  EXPECT_TRUE(MiddleRowHas(kBar));
  form.Bar.Value(100);
  EXPECT_TRUE(MiddleRowHas(kWhite));
  // Without the percentage and with no text there is no caption at all.
  form.Bar.ShowStatus(false);
  EXPECT_FALSE(MiddleRowHas(kWhite));
}

TEST_F(ProgressBarTest, CalculationUsesTheTotal) {
  EXPECT_EQ(form.Bar.TotalValue(), 0);
  form.Bar.CalculatePercentage(true);
  EXPECT_EQ(form.Bar.TotalValue(), 100);
  form.Bar.CalculatePercentage(false);
  EXPECT_EQ(form.Bar.TotalValue(), 0);
  form.Bar.TotalValue(250);  // ignored while the calculation is off
  EXPECT_EQ(form.Bar.TotalValue(), 0);
  form.Bar.CalculatePercentage(true);
  EXPECT_EQ(form.Bar.TotalValue(), 100);
  form.Bar.TotalValue(200);
  form.Bar.Value(50);  // 25%: up to pixel 50
  EXPECT_EQ(TopAt(45), kBar);
  EXPECT_EQ(TopAt(56), kWhite);
}

TEST_F(ProgressBarTest, ANonPositiveTotalIsRefused) {
  form.Bar.CalculatePercentage(true);
  form.Bar.TotalValue(300);
  try {
    form.Bar.TotalValue(0);
    ADD_FAILURE() << "a total of 0 was taken";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Number, -2147220503);
    EXPECT_EQ(e.Source, u"spbProgressBar");
    EXPECT_EQ(e.Description, u"Total value must be a postive, non-zero value");
  }
  EXPECT_EQ(form.Bar.TotalValue(), 300);
}

TEST_F(ProgressBarTest, StoredPropertiesAreReadAsTheyAreAndAZeroTotalDrawsNothing) {
  // Calculation on with a total of 0 can only come from stored properties: it draws 0%.
  form.Bar.DesignProperties().WriteProperty(u"CalculatePercentage", true, false);
  form.Bar.DesignProperties().WriteProperty(u"Value", 30.0f, 0.0f);
  form.Load();
  EXPECT_TRUE(form.Bar.CalculatePercentage());
  EXPECT_EQ(form.Bar.TotalValue(), 0);
  EXPECT_EQ(form.Bar.Value(), 30);
  EXPECT_EQ(TopAt(0), kWhite);
  form.Bar.ProgressColor(0x0000FF);
  const vb::PropertyBag saved = form.Bar.SaveProperties();
  EXPECT_EQ(saved.Names(), (std::vector<std::u16string>{u"calculatepercentage", u"progresscolor", u"value"}));
  EXPECT_EQ(form.Bar.ChangedProperties(), std::vector<std::u16string>{u"ProgressColor"});
}

TEST_F(ProgressBarTest, ACancelThatUnloadsTheWindowDuringTheRedrawIsSafe) {
  form.Show();
  const win::HWND button = form.cmdCancel.hWnd();
  PressCancelWhenTheEventsRun();
  form.Bar.Value(10);
  EXPECT_EQ(form.cancels, 1);
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_FALSE(win::IsWindow(button));
  vb::DoEvents();
}

TEST_F(ProgressBarTest, ACancelThatUnloadsTheWindowWhileAChangeWaitsLeavesItUnloaded) {
  platform::testing::HeldFrameClock clock;
  form.Show();
  form.Bar.Value(10);
  form.Bar.Value(50);  // within a frame of the drawing: drawn late
  PressCancelWhenTheEventsRun();
  platform::testing::LetAFramePass();
  form.Bar.Value(50.0001f);  // looks the same; the events are due and unload the window
  EXPECT_EQ(form.cancels, 1);
  EXPECT_FALSE(form.IsLoaded());
  vb::DoEvents();
  EXPECT_FALSE(form.IsLoaded());
}

TEST_F(ProgressBarTest, ARunOfValuesThatLookTheSameKeepsTheBarDrawn) {
  // Many steps of a long run fall on the same pixel and percentage: the bar must stay as drawn.
  for (int i = 0; i < 50; ++i) form.Bar.Value(42.0f + static_cast<float>(i) / 1000.0f);
  EXPECT_EQ(TopAt(0), kBar);
  EXPECT_EQ(TopAt(80), kBar);
  EXPECT_EQ(TopAt(90), kWhite);
  EXPECT_TRUE(MiddleRowHas(kBar));
}

// A value that changes nothing on the screen lets pending events run only once a frame has passed
// since they last ran, not at every value; values that change the box are drawn at most once a
// frame, so they too let the events run once a frame and not each time; the last one shows a frame
// later. Each pass is counted by an action that queues itself again.
TEST_F(ProgressBarTest, ValuesLetEventsRunOncePerFrameNotEachTimeAndTheLastOneShows) {
  form.Show();
  form.Bar.Value(42);
  int passes = 0;
  std::function<void()> count = [&] {
    ++passes;
    platform::testing::PostAction(count);
  };
  platform::testing::PostAction(count);
  constexpr int kValues = 100000;
  for (int i = 0; i < kValues; ++i) form.Bar.Value(42.0f + static_cast<float>(i) / (10 * kValues));
  EXPECT_LT(passes, kValues / 100);
  int before = passes;
  for (int i = 0; i < kValues; ++i) form.Bar.Value(i % 2 == 0 ? 90.0f : 10.0f);
  EXPECT_LT(passes - before, kValues / 100);
  before = passes;
  form.Bar.Value(20);
  EXPECT_EQ(TopAt(60), kWhite);
  EXPECT_EQ(TopAt(30), kBar);
  EXPECT_GT(passes, before);
  count = [] {};
  vb::DoEvents();
}

TEST_F(ProgressBarTest, PercentagesBeyondAnyWholeNumberTypeFillTheBoxWithTheirCaption) {
  // 2^63 and more, with the calculation off and on: a full bar with its caption over it.
  for (const float value : {9.3e18f, 1e30f, 3.4e38f}) {
    form.Bar.Value(0);
    form.Bar.Value(value);
    EXPECT_EQ(TopAt(0), kBar) << value;
    EXPECT_EQ(TopAt(195), kBar) << value;
    EXPECT_TRUE(MiddleRowHas(kWhite)) << value;
  }
  form.Bar.CalculatePercentage(true);
  form.Bar.TotalValue(1e-30);
  form.Bar.Value(1e10f);  // beyond a float as a percentage
  EXPECT_EQ(TopAt(195), kBar);
  EXPECT_TRUE(MiddleRowHas(kWhite));
}

TEST_F(ProgressBarTest, ALongRunOfValuesNotesItsPropertyChangeOnce) {
  form.Bar.ProgressColor(0xFF);
  for (int i = 0; i < 1000; ++i) form.Bar.Value(static_cast<float>(i) / 10.0f);
  form.Bar.Text(u"x");
  EXPECT_EQ(form.Bar.ChangedProperties(), (std::vector<std::u16string>{u"ProgressColor", u"Value", u"Text"}));
}
