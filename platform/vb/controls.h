// The runtime's intrinsic controls.
//
// A value set in code raises the same event as the user's edit: CheckBox.Value and
// OptionButton.Value raise Click, ListIndex raises Click, TextBox.Text raises Change (each only when
// the value really changes). Properties that decide what kind of window a control is (a multi-line
// text box, the style of a combo or list box) are constructor arguments.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/vb/control.h"

namespace vb {

// Alignment of labels and text.
constexpr int vbLeftJustify = 0;
constexpr int vbRightJustify = 1;
constexpr int vbCenter = 2;

// CheckBox values.
constexpr int vbUnchecked = 0;
constexpr int vbChecked = 1;
constexpr int vbGrayed = 2;

// ComboBox and ListBox styles.
constexpr int vbComboDropdown = 0;
constexpr int vbComboSimple = 1;
constexpr int vbComboDropdownList = 2;
constexpr int vbListBoxStandard = 0;
constexpr int vbListBoxCheckbox = 1;

// Shape kinds and fill styles.
constexpr int vbShapeRectangle = 0;
constexpr int vbShapeSquare = 1;
constexpr int vbShapeOval = 2;
constexpr int vbShapeCircle = 3;
constexpr int vbShapeRoundedRectangle = 4;
constexpr int vbShapeRoundedSquare = 5;
constexpr int vbFSSolid = 0;
constexpr int vbFSTransparent = 1;

class Label : public Control {
 public:
  explicit Label(Container& c) : Control(c) {}
  std::u16string Caption();
  void Caption(const std::u16string& v);
  int Alignment();
  void Alignment(int v);
  bool WordWrap();
  void WordWrap(bool v);
  // 0 transparent, 1 opaque (the default).
  int BackStyle();
  void BackStyle(int v);
  int BorderStyle();
  void BorderStyle(int v);

 protected:
  void CreateControlWindow() override;
};

class TextBox : public Control {
 public:
  explicit TextBox(Container& c, bool multiLine = false) : Control(c), multiLine_(multiLine) {}
  // Lines of a multi-line box are separated by CR LF.
  std::u16string Text();
  void Text(const std::u16string& v);
  bool MultiLine() const { return multiLine_; }
  // 0 for none.
  char16_t PasswordChar();
  void PasswordChar(char16_t v);
  bool Locked();
  void Locked(bool v);
  int MaxLength();
  void MaxLength(int v);
  int SelStart();
  void SelStart(int v);
  int SelLength();
  void SelLength(int v);
  std::u16string SelText();
  void SelText(const std::u16string& v);
  int Alignment();
  void Alignment(int v);

  std::function<void()> Change;

 protected:
  void CreateControlWindow() override;

 private:
  bool multiLine_;
};

class CommandButton : public Control {
 public:
  explicit CommandButton(Container& c) : Control(c) {}
  std::u16string Caption();
  void Caption(const std::u16string& v);
  // Enter presses the form's default button and Esc its cancel button.
  bool Default();
  void Default(bool v);
  bool Cancel();
  void Cancel(bool v);
  // Setting True presses the button (raises Click).
  void Value(bool v);

 protected:
  void CreateControlWindow() override;
};

class CheckBox : public Control {
 public:
  explicit CheckBox(Container& c) : Control(c) {}
  std::u16string Caption();
  void Caption(const std::u16string& v);
  // vbUnchecked, vbChecked or vbGrayed; other values raise 380.
  int Value();
  void Value(int v);

 protected:
  void CreateControlWindow() override;
};

// Option buttons sharing a container form one group; a group may have none selected.
class OptionButton : public Control {
 public:
  explicit OptionButton(Container& c) : Control(c) {}
  std::u16string Caption();
  void Caption(const std::u16string& v);
  bool Value();
  void Value(bool v);

 protected:
  void CreateControlWindow() override;
};

class Frame : public Control, public Container {
 public:
  explicit Frame(Container& c) : Control(c) {}
  std::u16string Caption();
  void Caption(const std::u16string& v);
  Host& OwningHost() override { return host(); }
  win::HWND ContainerHandle() override { return hWnd(); }

 protected:
  void CreateControlWindow() override;
};

// Reads an icon or cursor file as an icon picture and any other image file as a bitmap picture;
// raises 53 when missing and 481 when unreadable. An empty path gives no picture (null).
vb::Picture LoadPicture(const std::u16string& path = {});

class Image : public Control {
 public:
  explicit Image(Container& c) : Control(c) {}
  vb::Picture Picture();
  void Picture(const vb::Picture& v);
  bool Stretch();
  void Stretch(bool v);

 protected:
  void CreateControlWindow() override;
};

class Shape : public Control {
 public:
  explicit Shape(Container& c) : Control(c) {}
  // The runtime's Shape property (a member cannot carry its class's name).
  int ShapeKind();
  void ShapeKind(int v);
  OLE_COLOR BorderColor();
  void BorderColor(OLE_COLOR v);
  int BorderWidth();
  void BorderWidth(int v);
  // 0 transparent border, 1 solid.
  int BorderStyle();
  void BorderStyle(int v);
  OLE_COLOR FillColor();
  void FillColor(OLE_COLOR v);
  int FillStyle();
  void FillStyle(int v);
  // 0 transparent, 1 opaque (filled with BackColor).
  int BackStyle();
  void BackStyle(int v);

 protected:
  void CreateControlWindow() override;
};

class ComboBox : public Control {
 public:
  explicit ComboBox(Container& c, int style = vbComboDropdown) : Control(c), style_(style) {}
  int Style() const { return style_; }
  bool Sorted();
  void Sorted(bool v);
  // Adds at the end (sorted: at its place) or at index; out of range raises 5.
  void AddItem(const std::u16string& item, int index = -1);
  void RemoveItem(int index);
  void Clear();
  // Out of range reads "" and writes raise 381.
  std::u16string List(int index);
  void List(int index, const std::u16string& v);
  int ListCount();
  std::int32_t ItemData(int index);
  void ItemData(int index, std::int32_t v);
  int NewIndex();
  // -1 for none; out of range raises 380. Setting raises Click.
  int ListIndex();
  void ListIndex(int v);
  // A drop-down list takes only a text of its list (else 383) and selects it.
  std::u16string Text();
  void Text(const std::u16string& v);

  std::function<void()> Change;
  std::function<void()> DropDown;

 protected:
  void CreateControlWindow() override;

 private:
  int style_;
  int newIndex_ = -1;
};

class ListBox : public Control {
 public:
  explicit ListBox(Container& c, int style = vbListBoxStandard) : Control(c), style_(style) {}
  int Style() const { return style_; }
  bool Sorted();
  void Sorted(bool v);
  void AddItem(const std::u16string& item, int index = -1);
  void RemoveItem(int index);
  void Clear();
  std::u16string List(int index);
  void List(int index, const std::u16string& v);
  int ListCount();
  std::int32_t ItemData(int index);
  void ItemData(int index, std::int32_t v);
  int NewIndex();
  int ListIndex();
  void ListIndex(int v);
  // The selected item's text.
  std::u16string Text();
  // In the check-box style Selected is the item's check mark; setting it raises ItemCheck.
  bool Selected(int index);
  void Selected(int index, bool v);
  int TopIndex();
  void TopIndex(int v);

  std::function<void(int index)> ItemCheck;

 protected:
  void CreateControlWindow() override;

 private:
  int style_;
  int newIndex_ = -1;
};

// A timer ticks while Enabled with an Interval above 0 and its window loaded. Enabling a running
// timer changes nothing; a new Interval starts the count again. Its tick is the Tick event (the
// runtime's Timer event); a tick that falls due while the handler of the last one still runs (it
// let events run) is skipped. Ticks run over the window layer's SetTimer, on the timer's own window
// with identifier 1, so tests run one with platform::testing::FireTimer(t.hWnd(), 1).
class Timer : public Control {
 public:
  explicit Timer(Container& c) : Control(c) {}
  int Interval();
  void Interval(int v);
  bool Enabled();
  void Enabled(bool v);

  std::function<void()> Tick;

  // Inside the layer: the timer's window got its WM_TIMER.
  void RunTick();

 protected:
  void CreateControlWindow() override;

 private:
  void Restart();
  int interval_ = 0;
  bool enabled_ = true;
  bool ticking_ = false;  // a tick does not start again while its handler runs
};

}  // namespace vb
