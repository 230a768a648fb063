#include "platform/vb/command_button.h"

#include <QPushButton>

#include "platform/vb/control_core.h"
#include "platform/vb/strings.h"
#include "platform/win/keys.h"
#include "platform/win/window.h"

namespace vb {

using platform::detail::Adopt;
using platform::detail::ContainerWidget;
using namespace platform::detail::controls;

void CommandButton::CreateControlWindow() {
  auto* w = new QPushButton(ContainerWidget(*this));
  w->setAutoDefault(false);
  w->setProperty("vbCancel", false);
  QObject::connect(w, &QPushButton::clicked, w, [this] { platform::detail::FromEventLoop([this] { RaiseEvent(Click); }); });
  Adopt(*this, w, "ThunderCommandButton");
}
static QPushButton& ButtonOf(Control& c) { return static_cast<QPushButton&>(*c.core().widget); }
std::u16string CommandButton::Caption() {
  EnsureWindow();
  return U(ButtonOf(*this).text());
}
void CommandButton::Caption(const std::u16string& v) {
  EnsureWindow();
  ButtonOf(*this).setText(Q(v));
}
bool CommandButton::Default() {
  EnsureWindow();
  return ButtonOf(*this).isDefault();
}
void CommandButton::Default(bool v) {
  EnsureWindow();
  // One default button per window.
  if (v) {
    for (Control* c : host().Controls())
      if (auto* b = dynamic_cast<CommandButton*>(c); b != nullptr && b != this && b->core().widget != nullptr)
        ButtonOf(*b).setDefault(false);
  }
  ButtonOf(*this).setDefault(v);
}
bool CommandButton::Cancel() {
  EnsureWindow();
  return ButtonOf(*this).property("vbCancel").toBool();
}
void CommandButton::Cancel(bool v) {
  EnsureWindow();
  if (v) {
    for (Control* c : host().Controls())
      if (auto* b = dynamic_cast<CommandButton*>(c); b != nullptr && b != this && b->core().widget != nullptr)
        ButtonOf(*b).setProperty("vbCancel", false);
  }
  ButtonOf(*this).setProperty("vbCancel", v);
}
void CommandButton::Value(bool v) {
  EnsureWindow();
  if (v) RaiseEvent(Click);
}

bool CommandButton::AnswersDialogKey(int vk, bool focused) {
  if (focused) return vk == win::VK_RETURN;
  return vk == win::VK_RETURN ? Default() : Cancel();
}

}  // namespace vb
