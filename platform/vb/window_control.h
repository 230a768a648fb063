// A window made by another part of the layer (the rich edit control, a window of a registered
// class) placed on a form like a control: it is created with its form's load as a child of its
// container, placed in twips, shown or hidden, and destroyed with the form's unload. The window
// object is reached with -> (which loads the form first, as any control's property does); its
// events are set in Connect, which runs for every new window object.
//
//   vb::WindowControl<vb::RichTextBox> RichTextBox{*this};
//   RichTextBox.Connect = [this](vb::RichTextBox& r) { r.Change = [this] { RichTextBox_Change(); }; };
//
// W is constructed from its parent's window handle and reports its own with hWnd().
#pragma once

#include <functional>
#include <memory>

#include "platform/vb/control.h"

namespace vb {

// Inside the runtime: destroys the object when control returns to the event loop, so a window
// whose own event is running when its form unloads is not destroyed under that event.
void DestroyWhenEventsReturn(std::function<void()> destroy);

class WindowControlBase : public Control {
 public:
  using Control::Control;

 protected:
  // Takes the window `h` as this control's window.
  void AdoptWindow(win::HWND h);
};

template <class W>
class WindowControl : public WindowControlBase {
 public:
  explicit WindowControl(Container& container) : WindowControlBase(container) {}
  ~WindowControl() override { Release(); }

  std::function<void(W&)> Connect;

  W* operator->() {
    EnsureWindow();
    return window_.get();
  }
  W& operator*() {
    EnsureWindow();
    return *window_;
  }

 protected:
  void CreateControlWindow() override {
    Release();
    window_ = std::make_unique<W>(ContainerOf().ContainerHandle());
    AdoptWindow(window_->hWnd());
    if (Connect) Connect(*window_);
  }
  void BeforeUnload() override { Release(); }

 private:
  void Release() {
    if (window_ == nullptr) return;
    std::shared_ptr<W> going(window_.release());
    DestroyWhenEventsReturn([going] {});
  }
  std::unique_ptr<W> window_;
};

}  // namespace vb
