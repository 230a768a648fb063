#include "platform/vb/option_button.h"

#include <QRadioButton>
#include <QSignalBlocker>

#include "platform/vb/control_core.h"
#include "platform/vb/strings.h"
#include "platform/win/window.h"

namespace vb {

using platform::detail::Adopt;
using platform::detail::ContainerWidget;
using namespace platform::detail::controls;

void OptionButton::CreateControlWindow() {
  auto* w = new QRadioButton(ContainerWidget(*this));
  // Selected by the user or in code, the button raises Click.
  QObject::connect(w, &QRadioButton::toggled, w, [this](bool on) {
    if (on) platform::detail::FromEventLoop([this] { RaiseEvent(Click); });
  });
  Adopt(*this, w, "ThunderOptionButton");
}
static QRadioButton& OptionOf(Control& c) { return static_cast<QRadioButton&>(*c.core().widget); }
std::u16string OptionButton::Caption() {
  EnsureWindow();
  return U(OptionOf(*this).text());
}
void OptionButton::Caption(const std::u16string& v) {
  EnsureWindow();
  OptionOf(*this).setText(Q(v));
}
bool OptionButton::Value() {
  EnsureWindow();
  return OptionOf(*this).isChecked();
}
void OptionButton::Value(bool v) {
  EnsureWindow();
  QRadioButton& r = OptionOf(*this);
  if (r.isChecked() == v) return;
  if (v) {
    {
      const QSignalBlocker quiet(&r);
      r.setChecked(true);
    }
    RaiseEvent(Click);
  } else {
    // Clearing the selected button leaves its group with none selected.
    r.setAutoExclusive(false);
    r.setChecked(false);
    r.setAutoExclusive(true);
  }
}

}  // namespace vb
