// TextBox: a single-line or multi-line (a constructor argument) edit box. Setting Text in code raises
// Change when the text really changes, as the user's edit does.
#pragma once

#include <functional>
#include <string>

#include "platform/vb/control.h"

namespace vb {

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
  bool TakesEnterAsText() const override { return multiLine_; }

 private:
  bool multiLine_;
};

}  // namespace vb
