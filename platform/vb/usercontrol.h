// Hosting of the program's own controls. A custom control is a class derived from vb::UserControl,
// placed on a window like any control and holding constituent controls of its own as members:
//
//   class ProgressBar : public vb::UserControl {
//    public:
//     explicit ProgressBar(vb::Container& c) : UserControl(c) {}
//     vb::PictureBox picStatus{*this};
//    protected:
//     void UserControl_ReadProperties(vb::PropertyBag& bag) override { ... }
//   };
//
// Life with its window: when the window loads, the control's window is made, its constituents are
// made and designed (its Design), then UserControl_Initialize runs; after the window's own Design,
// the control reads its design-time properties (UserControl_ReadProperties with the bag the window
// filled through DesignProperties, or UserControl_InitProperties when the bag is empty) and gets
// its first UserControl_Resize. When the window unloads, UserControl_Terminate runs.
// The control's window is in the window table; its procedure sees WM_PAINT and the widget shows the
// window's retained surface, so the control can draw through the drawing layer.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "platform/vb/control.h"

namespace vb {

// Named property values of a control, with defaults; names compare without regard to case.
class PropertyBag {
 public:
  using Value = std::variant<bool, std::int32_t, float, double, std::u16string, vb::StdFont, vb::Picture>;

  // The stored value, converted to the default's type (numbers and Booleans convert among
  // themselves), or the default when nothing is stored under the name.
  template <class T>
  T ReadProperty(std::u16string_view name, T defaultValue) const {
    const Value* v = Find(name);
    if (v == nullptr) return defaultValue;
    if (const T* exact = std::get_if<T>(v)) return *exact;
    if constexpr (std::is_arithmetic_v<T>) {
      return std::visit(
          [&](const auto& x) -> T {
            using X = std::decay_t<decltype(x)>;
            if constexpr (std::is_arithmetic_v<X>) return static_cast<T>(x);
            return defaultValue;
          },
          *v);
    }
    return defaultValue;
  }
  std::u16string ReadProperty(std::u16string_view name, const char16_t* defaultValue) const {
    return ReadProperty<std::u16string>(name, std::u16string(defaultValue));
  }

  // Stores a value; a value equal to its default is not stored.
  template <class T>
  void WriteProperty(std::u16string_view name, T value, T defaultValue) {
    if (value == defaultValue) {
      Erase(name);
    } else {
      Store(name, Value(std::move(value)));
    }
  }

  bool Contains(std::u16string_view name) const { return Find(name) != nullptr; }
  bool Empty() const { return values_.empty(); }
  // The stored names, folded to lower case, in order.
  std::vector<std::u16string> Names() const;

 private:
  const Value* Find(std::u16string_view name) const;
  void Store(std::u16string_view name, Value v);
  void Erase(std::u16string_view name);
  std::map<std::u16string, Value> values_;
};

// What the window around a custom control offers it.
struct AmbientProperties {
  bool UserMode = true;  // always: the program runs, nothing is being designed
  vb::StdFont Font;
  OLE_COLOR BackColor = vbButtonFace;
  OLE_COLOR ForeColor = vbButtonText;
  bool RightToLeft = false;
};

class UserControl : public Control, public Host {
 public:
  explicit UserControl(Container& container);
  ~UserControl() override;

  Host& OwningHost() override { return *this; }
  win::HWND ContainerHandle() override { return hWnd(); }
  // Loads the window the control sits on.
  void EnsureLoaded() override;
  Form* OwningForm() override;

  // The control as its window sees it: placement, Visible, ToolTipText and container.
  Control& Extender() { return *this; }
  AmbientProperties Ambient();
  // The design-time properties the window gives the control; read when the window loads.
  PropertyBag& DesignProperties() { return design_; }
  // The control's properties as UserControl_WriteProperties saves them.
  PropertyBag SaveProperties();
  // Notes that a persisted property changed (the runtime's notice to the window's designer); the
  // notices in order, a repeated notice for the same property noted once.
  void PropertyChanged(std::u16string_view name);
  const std::vector<std::u16string>& ChangedProperties() const { return changed_; }

  // The inner area in twips.
  float ScaleWidth();
  float ScaleHeight();

  // The control takes the keyboard focus by Tab, in its place among its window's controls, and
  // holds it in `inner`, a window made on the control's own window (CreateWindowExA): Tab and
  // Shift+Tab lead from there to the window's next and previous controls, as from any control.
  void KeepFocusIn(win::HWND inner);

 protected:
  virtual void UserControl_Initialize() {}
  virtual void UserControl_InitProperties() {}
  virtual void UserControl_ReadProperties(PropertyBag& bag) {}
  virtual void UserControl_WriteProperties(PropertyBag& bag) {}
  virtual void UserControl_Resize() {}
  virtual void UserControl_Terminate() {}
  // The control's own window is painted: runs before the retained surface is shown.
  virtual void UserControl_Paint() {}
  // Mouse input on the control's own window (not on its constituents), X and Y in twips. These are
  // the control's; its window sees the extender's MouseDown and the like only when the control
  // raises them (RaiseEvent).
  virtual void UserControl_MouseDown(int button, int shift, float x, float y) {}
  virtual void UserControl_MouseMove(int button, int shift, float x, float y) {}
  virtual void UserControl_MouseUp(int button, int shift, float x, float y) {}

  void CreateControlWindow() override;
  void AfterDesign() override;
  void BeforeUnload() override;
  // What was drawn on the control's window gives way to the new colour, as the window's background
  // is erased before the control paints again.
  void BackColorChanged() override;
  // A custom control's mouse input is its own; it raises what its window is to see.
  void HandleMouse(win::UINT msg, int button, int shift, float x, float y) override;

 public:
  // Inside the layer: the control's window changed size or was painted.
  void RaiseResize();
  void RaisePaint();

 private:
  void RaiseMouse(int kind, int button, int shift, float x, float y);  // kind: 0 down, 1 move, 2 up
  PropertyBag design_;
  std::vector<std::u16string> changed_;
  bool ready_ = false;  // properties read; resizes are the control's from now on
};

}  // namespace vb
