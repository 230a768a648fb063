// CommandButton: a push button; a form's default button takes Enter and its cancel button Esc.
#pragma once

#include <string>

#include "platform/vb/control.h"

namespace vb {

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
  // The focused button takes Enter; the default button Enter and the cancel button Esc.
  bool AnswersDialogKey(int vk, bool focused) override;
  void PressForDialogKey() override { Value(true); }
};

}  // namespace vb
