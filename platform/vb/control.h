// The runtime's controls: what every control of a window has in common, and the containers they
// sit in.
//
// How a window is written: a window is a class derived from vb::Form (a custom control from
// vb::UserControl) with its controls as members, each constructed with the container it sits in
// (the window itself, or a Frame or PictureBox member declared before it). The window's own events
// are virtual functions it overrides (Form_Load, Form_Unload, ...); a control's events are
// std::function members the window sets, usually in its constructor
// (`cmdOK.Click = [this] { cmdOK_Click(); };`).
//
// Loading: the controls' windows exist only while their window is loaded. Loading creates them,
// runs the window's Design() (which puts the controls in their designed state: positions, captions,
// lists; no events are raised meanwhile) and then Form_Load. Every property of a control, read or
// written, first loads its window when it is not loaded, unseen; so reading a control of a window
// that is not loaded loads it. Unloading destroys the controls' windows; the next use loads them
// afresh in their designed state. The C++ objects themselves stay, with the window's own fields.
//
// Units: positions and sizes are twips, 15 to a pixel.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/vb/stdole.h"
#include "platform/win/types.h"

namespace platform::detail {
struct ControlAccess;
struct ControlCore;
struct HostCore;
}  // namespace platform::detail

namespace vb {

constexpr int TwipsPerPixel = 15;

// Mouse buttons and shift state of mouse and key events.
constexpr int vbLeftButton = 1;
constexpr int vbRightButton = 2;
constexpr int vbMiddleButton = 4;
constexpr int vbShiftMask = 1;
constexpr int vbCtrlMask = 2;
constexpr int vbAltMask = 4;

// Colours: 0x00BBGGRR, or a system colour 0x800000nn.
using OLE_COLOR = std::uint32_t;
constexpr OLE_COLOR vbBlack = 0x000000;
constexpr OLE_COLOR vbWhite = 0xFFFFFF;
constexpr OLE_COLOR vbWindowBackground = 0x80000005;
constexpr OLE_COLOR vbWindowText = 0x80000008;
constexpr OLE_COLOR vbButtonFace = 0x8000000F;
constexpr OLE_COLOR vbButtonText = 0x80000012;
constexpr OLE_COLOR vbGrayText = 0x80000011;
constexpr OLE_COLOR vb3DHighlight = 0x80000014;
constexpr OLE_COLOR vbHighlight = 0x8000000D;
constexpr OLE_COLOR vbHighlightText = 0x8000000E;

// Alignment of labels and text.
constexpr int vbLeftJustify = 0;
constexpr int vbRightJustify = 1;
constexpr int vbCenter = 2;

// Mouse pointers.
constexpr int vbDefault = 0;
constexpr int vbArrow = 1;
constexpr int vbCrosshair = 2;
constexpr int vbIbeam = 3;
constexpr int vbSizeAll = 5;
constexpr int vbSizeNESW = 6;
constexpr int vbSizeNS = 7;
constexpr int vbSizeNWSE = 8;
constexpr int vbSizeWE = 9;
constexpr int vbUpArrow = 10;
constexpr int vbHourglass = 11;
constexpr int vbNoDrop = 12;
constexpr int vbArrowHourglass = 13;
constexpr int vbArrowQuestion = 14;
constexpr int vbCustom = 99;

class Control;
class Form;
class Host;

// Anything controls sit in: a form, a custom control, a frame or a picture box.
class Container {
 public:
  virtual ~Container() = default;
  // The window that loads this container's controls.
  virtual Host& OwningHost() = 0;
  // The window handle the contained controls are children of (loads the window).
  virtual win::HWND ContainerHandle() = 0;
};

// A form or a custom control: the unit that is loaded and unloaded with its controls.
class Host : public Container {
 public:
  Host();
  ~Host() override;
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  Host& OwningHost() override { return *this; }
  // True from the start of loading until unloaded.
  bool IsLoaded() const;
  // Loads when not loaded (for a custom control: loads the window it sits on).
  virtual void EnsureLoaded() = 0;
  // True while the designed state is being put in place: events are not raised then.
  bool Designing() const;
  // The form this host finally sits on (a form: itself), or null.
  virtual Form* OwningForm() = 0;

 protected:
  // Puts the controls in their designed state; runs at every load, before the load event.
  virtual void Design() {}

  // Creates the windows of the registered controls (in declaration order), runs Design and lets
  // every control finish its loading. `self` is this host's own window handle.
  void LoadControls(win::HWND self);
  // Destroys the controls' windows and forgets run-time control-array elements.
  void UnloadControls();

 public:
  // Inside the runtime: control arrays forget their elements when their window unloads.
  void AtUnload(std::function<void()> hook);
  const std::vector<Control*>& Controls() const;

 private:
  friend class Control;
  friend struct platform::detail::HostCore;
  std::unique_ptr<platform::detail::HostCore> hostCore_;
};

class Control {
 public:
  explicit Control(Container& container);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // Placement in the container, in twips.
  float Left();
  void Left(float v);
  float Top();
  void Top(float v);
  float Width();
  void Width(float v);
  float Height();
  void Height(float v);
  void Move(float left, float top, float width = -1, float height = -1);

  bool Visible();
  void Visible(bool v);
  bool Enabled();
  void Enabled(bool v);
  std::u16string ToolTipText();
  void ToolTipText(const std::u16string& v);
  // The pointer over the control: vbDefault, one of the runtime's pointers, or vbCustom for the
  // MouseIcon picture (an icon or cursor; none shows the default).
  int MousePointer();
  void MousePointer(int v);
  vb::Picture MouseIcon();
  void MouseIcon(const vb::Picture& v);
  vb::StdFont Font();
  void Font(const vb::StdFont& v);
  void FontName(const std::u16string& v);
  void FontSize(float v);
  void FontBold(bool v);
  OLE_COLOR BackColor();
  void BackColor(OLE_COLOR v);
  OLE_COLOR ForeColor();
  void ForeColor(OLE_COLOR v);
  int TabIndex();
  void TabIndex(int v);
  void SetFocus();
  void Refresh();
  void ZOrder(int position = 0);
  win::HWND hWnd();
  // The element number in a control array, or -1 for a control outside one.
  int Index() const;
  // The container the control sits in.
  Container& ContainerOf() const { return *container_; }

  // Events. X and Y are twips in the control (a picture box: in its scale).
  std::function<void()> Click;
  std::function<void()> DblClick;
  std::function<void(int button, int shift, float x, float y)> MouseDown;
  std::function<void(int button, int shift, float x, float y)> MouseUp;
  std::function<void(int button, int shift, float x, float y)> MouseMove;
  // Setting keyCode or keyAscii to 0 in the handler swallows the key.
  std::function<void(int& keyCode, int shift)> KeyDown;
  std::function<void(int& keyCode, int shift)> KeyUp;
  std::function<void(int& keyAscii)> KeyPress;
  std::function<void()> GotFocus;
  std::function<void()> LostFocus;

 protected:
  // Creates the control's window as a child of the container's window (inside the layer).
  virtual void CreateControlWindow() = 0;
  // Runs once the window's design is in place (custom controls read their properties here).
  virtual void AfterDesign() {}
  // Runs before the control's window is destroyed with its window's unload.
  virtual void BeforeUnload() {}
  // Runs after BackColor is set.
  virtual void BackColorChanged() {}
  // Runs after Font is set.
  virtual void FontChanged() {}

  // What the control's window does with its messages, where a kind of control differs.
  // Mouse input (x and y in the units of the mouse events): raises MouseDown, MouseUp and
  // MouseMove, and Click and DblClick for controls whose clicks come from the mouse.
  virtual void HandleMouse(win::UINT msg, int button, int shift, float x, float y);
  // The control's window got WM_TIMER.
  virtual void HandleTimer() {}
  // Enter typed in the focused control is its text (a multi-line text box), not the dialog key.
  virtual bool TakesEnterAsText() const { return false; }
  // Whether Enter (VK_RETURN) or Esc (VK_ESCAPE) presses this control: as the focused control
  // (`focused`), or as its window's default or cancel button.
  virtual bool AnswersDialogKey(int vk, bool focused) { return false; }
  // Presses the control for a dialog key it answers.
  virtual void PressForDialogKey() {}
  // Makes sure the control has its window before a property is read or written: loads the window
  // it sits on (unseen) when that is not loaded, and creates the control's own window when missing.
  void EnsureWindow();
  Host& host() const { return *host_; }

  // Runs an event handler unless the window is being designed. A control destroyed by its own
  // handler (a control-array element unloaded in its click) goes only when the handler returns.
  template <class F, class... A>
  void RaiseEvent(const F& handler, A&&... args) {
    if (!handler || EventsMuted()) return;
    EventScope scope(this);
    handler(std::forward<A>(args)...);
  }

 public:
  bool EventsMuted() const;
  // Turns a point of the control's window (pixels) into the units of its mouse events.
  virtual void PixelsToUnits(int px, int py, float& x, float& y);
  // Inside the layer.
  platform::detail::ControlCore& core() const { return *core_; }
  void SetIndex(int index) { index_ = index; }
  // Gives a control made while its window is loaded (a new control-array element) its window.
  void LoadWindow();
  // A control-array element removed while its own event runs is destroyed when it returns.
  void DestroyWhenIdle();

  struct EventScope {
    explicit EventScope(Control* c);
    ~EventScope();
    Control* control;
  };

 private:
  friend class Host;
  friend struct platform::detail::ControlAccess;
  friend struct platform::detail::HostCore;
  friend struct platform::detail::ControlCore;
  Container* container_;
  Host* host_;
  int index_ = -1;
  int eventDepth_ = 0;
  bool doomed_ = false;
  std::unique_ptr<platform::detail::ControlCore> core_;
};

}  // namespace vb
