// Hosting of the program's own controls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/testing/vb.h"
#include "platform/vb/control_array.h"
#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "platform/vb/picturebox.h"
#include "platform/vb/runtime.h"
#include "platform/vb/usercontrol.h"
#include "platform/win/window.h"

namespace {

std::vector<std::string> trail;

class Gauge : public vb::UserControl {
 public:
  explicit Gauge(vb::Container& c) : UserControl(c) {}
  vb::Label lblInner{*this};
  int level = -1;
  std::u16string title;

 protected:
  void Design() override { lblInner.Caption(u"внутри"); }
  void UserControl_Initialize() override { trail.push_back("Initialize"); }
  void UserControl_InitProperties() override {
    trail.push_back("InitProperties");
    level = 0;
    title = u"нет";
  }
  void UserControl_ReadProperties(vb::PropertyBag& bag) override {
    trail.push_back("ReadProperties");
    level = bag.ReadProperty(u"Level", 5);
    title = bag.ReadProperty(u"Title", u"нет");
  }
  void UserControl_WriteProperties(vb::PropertyBag& bag) override {
    bag.WriteProperty(u"Level", level, 5);
    bag.WriteProperty(u"Title", title, std::u16string(u"нет"));
  }
  void UserControl_Resize() override { trail.push_back("Resize"); }
  void UserControl_Terminate() override { trail.push_back("Terminate"); }
};

class frmHost : public vb::Form {
 public:
  vb::Frame Frame1{*this};
  Gauge gauge{Frame1};

 protected:
  void Design() override {
    Frame1.Move(0, 0, 4000, 3000);
    gauge.Move(150, 300, 1500, 450);
    gauge.ToolTipText(u"подсказка");
    trail.push_back("Design");
  }
  void Form_Load() override { trail.push_back("Form_Load"); }
};

}  // namespace

TEST(UserControls, LoadReadsTheDesignPropertiesAndUnloadTerminates) {
  trail.clear();
  frmHost form;
  form.gauge.DesignProperties().WriteProperty(u"LEVEL", 7, 5);
  EXPECT_EQ(form.gauge.lblInner.Caption(), u"внутри");  // touching a constituent loads the window
  EXPECT_EQ(trail, (std::vector<std::string>{"Initialize", "Design", "ReadProperties", "Resize", "Form_Load"}));
  EXPECT_EQ(form.gauge.level, 7);
  EXPECT_EQ(form.gauge.title, u"нет");
  trail.clear();
  form.gauge.Width(3000);
  form.Show();
  vb::DoEvents();
  EXPECT_EQ(trail, std::vector<std::string>{"Resize"});
  trail.clear();
  form.Unload();
  EXPECT_EQ(trail, std::vector<std::string>{"Terminate"});
  form.Terminate();
}

TEST(UserControls, ANewInstanceInitialisesAndSavesOnlyWhatDiffersFromTheDefaults) {
  trail.clear();
  frmHost form;
  form.Load();
  EXPECT_EQ(trail.front(), "Initialize");
  EXPECT_EQ(trail[2], "InitProperties");
  EXPECT_TRUE(form.gauge.SaveProperties().Names() == std::vector<std::u16string>{u"level"});  // level 0, default 5
  form.gauge.level = 5;
  form.gauge.title = u"Заголовок";
  const vb::PropertyBag bag = form.gauge.SaveProperties();
  EXPECT_EQ(bag.Names(), std::vector<std::u16string>{u"title"});
  EXPECT_EQ(bag.ReadProperty(u"title", u""), u"Заголовок");
  EXPECT_EQ(bag.ReadProperty(u"Level", 2.5), 2.5);
  form.Terminate();
}

TEST(UserControls, AnArrayElementUnloadedAtRunTimeTerminates) {
  struct frmArray : vb::Form {
    vb::ControlArray<Gauge> gauges{*this};
    void Design() override { gauges.Load(0); }
  } form;
  form.Load();
  form.gauges.Load(1);
  trail.clear();
  form.gauges.Unload(1);
  EXPECT_EQ(trail, std::vector<std::string>{"Terminate"});
  form.Terminate();
}

TEST(UserControls, AmbientAndExtenderComeFromTheWindow) {
  frmHost form;
  vb::StdFont f;
  f.Name = u"Tahoma";
  f.Size = 10;
  form.Font(f);
  EXPECT_EQ(form.gauge.Ambient().Font, f);
  EXPECT_TRUE(form.gauge.Ambient().UserMode);
  EXPECT_FALSE(form.gauge.Ambient().RightToLeft);
  EXPECT_EQ(form.gauge.Extender().Width(), 1500);
  EXPECT_EQ(form.gauge.Extender().ToolTipText(), u"подсказка");
  EXPECT_EQ(&form.gauge.Extender().ContainerOf(), static_cast<vb::Container*>(&form.Frame1));
  form.gauge.Extender().Visible(false);
  EXPECT_FALSE(form.gauge.Visible());
  // The control's window is a window of the table, a child of its container's.
  const win::HWND h = form.gauge.hWnd();
  EXPECT_EQ(win::GetParent(h), form.Frame1.hWnd());
  EXPECT_EQ(win::GetParent(form.gauge.lblInner.hWnd()), h);
  EXPECT_EQ(form.gauge.ScaleWidth(), 1500);
  form.Terminate();
}

// --- drawing on the control's own window ---------------------------------------------------------

namespace {

// A control that paints itself through the drawing layer: its window procedure fills a square on
// WM_PAINT, and UserControl_Paint fills another through a window context of its own.
class Swatch : public vb::UserControl {
 public:
  explicit Swatch(vb::Container& c) : UserControl(c) {}
  static win::LRESULT Proc(win::HWND h, win::UINT msg, win::WPARAM w, win::LPARAM l) {
    if (msg == win::WM_PAINT && !quiet) {
      win::PAINTSTRUCT ps;
      const win::HDC dc = win::BeginPaint(h, &ps);
      const win::RECT r{2, 2, 10, 10};
      const win::HBRUSH b = win::CreateSolidBrush(win::RGB(255, 0, 0));
      win::FillRect(dc, &r, b);
      win::DeleteObject(b);
      win::EndPaint(h, &ps);
      return 0;
    }
    return win::CallWindowProcA(previous, h, msg, w, l);
  }
  static inline win::LONG_PTR previous = 0;
  static inline bool quiet = false;  // paints draw nothing
  int paints = 0;

 protected:
  void UserControl_Initialize() override { previous = win::SetWindowLongA(hWnd(), win::GWL_WNDPROC, reinterpret_cast<win::LONG_PTR>(&Proc)); }
  void UserControl_Paint() override {
    ++paints;
    if (quiet) return;
    const win::HDC dc = win::GetDC(hWnd());
    const win::RECT r{20, 2, 28, 10};
    const win::HBRUSH b = win::CreateSolidBrush(win::RGB(0, 0, 255));
    win::FillRect(dc, &r, b);
    win::DeleteObject(b);
    win::ReleaseDC(hWnd(), dc);
  }
};

class frmSwatch : public vb::Form {
 public:
  Swatch swatch{*this};
  vb::PictureBox picInner{swatch};

 protected:
  void Design() override {
    swatch.Move(0, 0, 900, 600);  // 60 x 40 pixels
    swatch.BackColor(win::RGB(0, 128, 0));
    picInner.BorderStyle(0);
    picInner.Move(600, 300, 150, 150);  // 10 x 10 pixels at (40, 20)
    picInner.BackColor(win::RGB(255, 255, 0));
  }
};

}  // namespace

TEST(UserControls, DrawingOnTheControlsWindowIsShownUnderItsConstituents) {
  frmSwatch form;
  form.Show();
  vb::DoEvents();
  const win::HWND h = form.swatch.hWnd();
  EXPECT_EQ(vb::testing::WindowPicturePixel(h, 5, 5), win::RGB(255, 0, 0));     // WM_PAINT, BeginPaint
  EXPECT_EQ(vb::testing::WindowPicturePixel(h, 24, 5), win::RGB(0, 0, 255));    // UserControl_Paint, GetDC
  EXPECT_EQ(vb::testing::WindowPicturePixel(h, 5, 30), win::RGB(0, 128, 0));    // untouched: the back colour
  EXPECT_EQ(vb::testing::WindowPicturePixel(h, 45, 25), win::RGB(255, 255, 0));  // the picture box on top
  // Drawing at any other time is shown too, and a paint that draws asks for no further paint.
  const win::HDC dc = win::GetDC(h);
  const win::RECT r{2, 20, 10, 30};
  win::FillRect(dc, &r, static_cast<win::HBRUSH>(win::GetStockObject(win::BLACK_BRUSH)));
  win::ReleaseDC(h, dc);
  vb::DoEvents();
  EXPECT_EQ(vb::testing::WindowPicturePixel(h, 5, 25), win::RGB(0, 0, 0));
  const int paints = form.swatch.paints;
  vb::DoEvents();
  vb::DoEvents();
  EXPECT_EQ(form.swatch.paints, paints);
  // What lay beyond an edge the control shrank past is gone when it grows again, though its paints
  // draw nothing.
  Swatch::quiet = true;
  form.swatch.Height(150);
  vb::DoEvents();
  form.swatch.Height(600);
  vb::DoEvents();
  EXPECT_EQ(vb::testing::WindowPicturePixel(h, 5, 25), win::RGB(0, 128, 0));
  // A new back colour erases what was drawn.
  form.swatch.BackColor(win::RGB(0, 0, 128));
  vb::DoEvents();
  EXPECT_EQ(vb::testing::WindowPicturePixel(h, 5, 5), win::RGB(0, 0, 128));
  Swatch::quiet = false;
  form.Terminate();
}
