// Windows of other parts of the layer placed on forms as controls.
#include <gtest/gtest.h>

#include <functional>

#include "platform/testing/win.h"
#include "platform/vb/form.h"
#include "platform/vb/runtime.h"
#include "platform/vb/window_control.h"
#include "platform/win/window.h"

namespace {

int destroyed = 0;

// A window object of the kind the rich edit control is: made from its parent's handle, with its
// own procedure and events.
class Gadget {
 public:
  explicit Gadget(win::HWND parent) {
    static const bool registered = [] {
      win::WNDCLASSA wc;
      wc.lpszClassName = "TestGadget";
      wc.lpfnWndProc = &Proc;
      return win::RegisterClassA(wc) != 0;
    }();
    (void)registered;
    h_ = win::CreateWindowExA(0, "TestGadget", u"", win::WS_CHILD | win::WS_VISIBLE, 0, 0, 10, 10, parent, 0, 0, nullptr);
    win::SetWindowLongA(h_, win::GWL_USERDATA, reinterpret_cast<win::LONG_PTR>(this));
  }
  ~Gadget() {
    ++destroyed;
    win::DestroyWindow(h_);
  }
  win::HWND hWnd() const { return h_; }
  std::function<void()> Poke;
  int pokes = 0;

 private:
  static win::LRESULT Proc(win::HWND h, win::UINT msg, win::WPARAM w, win::LPARAM l) {
    if (msg == win::WM_APP) {
      auto* self = reinterpret_cast<Gadget*>(win::GetWindowLongA(h, win::GWL_USERDATA));
      if (self->Poke) self->Poke();
      ++self->pokes;  // the object is still whole after its own event unloaded the form
      return 0;
    }
    return win::DefWindowProcA(h, msg, w, l);
  }
  win::HWND h_;
};

class frmGadget : public vb::Form {
 public:
  vb::WindowControl<Gadget> gadget{*this};
  int pokes = 0;
  frmGadget() {
    gadget.Connect = [this](Gadget& g) {
      g.Poke = [this] {
        ++pokes;
        Unload();
      };
    };
  }

 protected:
  void Design() override { gadget.Move(150, 300, 1500, 600); }
};

}  // namespace

TEST(WindowControls, AreMadeWithTheirFormPlacedInTwipsAndConnectedAfresh) {
  frmGadget form;
  const win::HWND h = form.gadget->hWnd();
  EXPECT_EQ(win::GetParent(h), form.hWnd());
  win::RECT r;
  win::GetClientRect(h, &r);
  EXPECT_EQ(r.right, 100);
  EXPECT_EQ(r.bottom, 40);
  EXPECT_EQ(form.gadget.Left(), 150);
  form.gadget.Visible(false);
  EXPECT_FALSE(win::IsWindowVisible(h));

  destroyed = 0;
  win::SendMessageA(h, win::WM_APP, 0, 0);  // its event unloads the form
  EXPECT_EQ(form.pokes, 1);
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_EQ(destroyed, 0);
  platform::testing::ReturnToEventLoop();
  EXPECT_EQ(destroyed, 1);

  // Loaded again: a new window with the same handlers.
  const win::HWND again = form.gadget->hWnd();
  EXPECT_NE(again, h);
  win::SendMessageA(again, win::WM_APP, 0, 0);
  EXPECT_EQ(form.pokes, 2);
  form.Terminate();
  vb::DoEvents();
}
