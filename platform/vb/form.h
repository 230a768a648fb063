// The runtime's form: the base class of every window of the program.
//
//   class frmFind : public vb::Form {
//    public:
//     vb::TextBox txtFind{*this};
//     vb::CommandButton cmdFind{*this};
//     frmFind() { cmdFind.Click = [this] { cmdFind_Click(); }; }
//    protected:
//     void Design() override { Caption(u"Найти"); cmdFind.Caption(u"Найти далее"); ... }
//     void Form_Load() override { ... }
//   };
//
// A form is loaded on first use: Load, Show, any of its properties or any property of one of its
// controls. Loading creates the window unseen, runs Design and then Form_Load. Hide hides it and
// keeps it loaded; Unload asks Form_QueryUnload and Form_Unload (either may cancel) and destroys the
// window; the object stays and loads again on its next use. A modal Show returns when the form is
// hidden or unloaded. Destroying a window that is handling one of its own events is safe: its
// widgets go when control returns to the event loop.
#pragma once

#include <memory>
#include <string>

#include "platform/vb/control.h"

namespace vb {

constexpr int vbModeless = 0;
constexpr int vbModal = 1;

// WindowState.
constexpr int vbNormal = 0;
constexpr int vbMinimized = 1;
constexpr int vbMaximized = 2;

// BorderStyle of forms.
constexpr int vbBSNone = 0;
constexpr int vbFixedSingle = 1;
constexpr int vbSizable = 2;
constexpr int vbFixedDouble = 3;
constexpr int vbFixedToolWindow = 4;
constexpr int vbSizableToolWindow = 5;

// UnloadMode of Form_QueryUnload.
constexpr int vbFormControlMenu = 0;
constexpr int vbFormCode = 1;
constexpr int vbAppWindows = 2;
constexpr int vbAppTaskManager = 3;
constexpr int vbFormOwner = 5;

// Scale modes.
constexpr int vbUser = 0;
constexpr int vbTwips = 1;
constexpr int vbPoints = 2;
constexpr int vbPixels = 3;
constexpr int vbCharacters = 4;
constexpr int vbInches = 5;
constexpr int vbMillimeters = 6;
constexpr int vbCentimeters = 7;

// Converts a length between scale modes (vbUser is not convertible and is taken as twips).
float ConvertScale(float value, int fromScale, int toScale);

class Form : public Host {
 public:
  Form();
  ~Form() override;

  // Loads the form when it is not loaded. A form that unloads itself in its Form_Load cannot be
  // used: EnsureLoaded (and so every property, Show and its controls) raises 364 then, while Load
  // leaves it unloaded without a word.
  void EnsureLoaded() override;
  Form* OwningForm() override { return this; }
  void Load();
  // Shows the form, loading it first; vbModal runs a nested event loop until it is hidden or
  // unloaded. Showing a visible form modally raises 400.
  void Show(int modal = vbModeless, Form* owner = nullptr);
  void Hide();
  // The Unload statement: true when the form is unloaded, false when an event cancelled it.
  bool Unload();
  // Ends the object's life as a window: unloads it without asking and raises Form_Terminate.
  void Terminate();

  bool Visible();
  void Visible(bool v);
  std::u16string Caption();
  void Caption(const std::u16string& v);
  int WindowState();
  void WindowState(int v);
  int BorderStyle();
  void BorderStyle(int v);
  bool ControlBox();
  void ControlBox(bool v);
  int MousePointer();
  void MousePointer(int v);
  bool KeyPreview();
  void KeyPreview(bool v);
  bool Enabled();
  void Enabled(bool v);
  vb::StdFont Font();
  void Font(const vb::StdFont& v);
  OLE_COLOR BackColor();
  void BackColor(OLE_COLOR v);

  // Outer placement in twips (screen coordinates).
  float Left();
  void Left(float v);
  float Top();
  void Top(float v);
  float Width();
  void Width(float v);
  float Height();
  void Height(float v);
  void Move(float left, float top, float width = -1, float height = -1);
  // Sizes the window by its inner area (as a form designed with a fixed client area is): the outer
  // size follows whatever frame the window system gives it.
  void ClientSize(float width, float height);
  // The least inner width, in twips, at which the title bar writes the caption whole beside the
  // window's icon and close box: title bars write in the desktop's font, in bold.
  float CaptionClientWidth();
  // The inner area in twips.
  float ScaleWidth();
  float ScaleHeight();
  float ScaleX(float v, int fromScale = vbTwips, int toScale = vbTwips);
  float ScaleY(float v, int fromScale = vbTwips, int toScale = vbTwips);
  win::HWND hWnd();

  win::HWND ContainerHandle() override { return hWnd(); }

 protected:
  virtual void Form_Initialize() {}
  virtual void Form_Load() {}
  virtual void Form_QueryUnload(int& cancel, int unloadMode) {}
  virtual void Form_Unload(int& cancel) {}
  virtual void Form_Terminate() {}
  virtual void Form_Resize() {}
  virtual void Form_Activate() {}
  virtual void Form_Deactivate() {}
  // With KeyPreview on, the form sees the keys of its controls first; setting the code to 0
  // swallows the key.
  virtual void Form_KeyDown(int& keyCode, int shift) {}
  virtual void Form_KeyUp(int& keyCode, int shift) {}
  virtual void Form_KeyPress(int& keyAscii) {}

 public:
  // Inside the runtime.
  struct Impl;
  Impl& impl() const { return *d_; }
  void RaiseKeyDown(int& keyCode, int shift) { Form_KeyDown(keyCode, shift); }
  void RaiseKeyUp(int& keyCode, int shift) { Form_KeyUp(keyCode, shift); }
  void RaiseKeyPress(int& keyAscii) { Form_KeyPress(keyAscii); }
  void RaiseResize();
  void RaiseActivate(bool active);
  // The window system framed the window: an outer size given before now takes its frame into account.
  void ApplyFrame();
  // The user closed the window: QueryUnload with vbFormControlMenu, then Unload.
  void CloseByUser();

 private:
  // Creates the window and its controls and runs Form_Load.
  void LoadWindow();
  bool UnloadWithMode(int mode);
  // Destroys the window and its controls without asking.
  void Discard();
  std::unique_ptr<Impl> d_;
};

}  // namespace vb
