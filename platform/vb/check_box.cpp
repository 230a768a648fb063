#include "platform/vb/check_box.h"

#include <QCheckBox>

#include "platform/vb/control_core.h"
#include "platform/vb/error.h"
#include "platform/vb/strings.h"
#include "platform/win/window.h"

namespace vb {

using platform::detail::Adopt;
using platform::detail::ContainerWidget;
using namespace platform::detail::controls;

namespace {

class CheckWidget : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  // A click checks a box that is not checked (grayed included) and clears a checked one.
  void nextCheckState() override { setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked); }
};

}  // namespace

void CheckBox::CreateControlWindow() {
  auto* w = new CheckWidget(ContainerWidget(*this));
  w->setTristate(true);
  QObject::connect(w, &QCheckBox::clicked, w, [this] { platform::detail::FromEventLoop([this] { RaiseEvent(Click); }); });
  Adopt(*this, w, "ThunderCheckBox");
}
static QCheckBox& CheckOf(Control& c) { return static_cast<QCheckBox&>(*c.core().widget); }
std::u16string CheckBox::Caption() {
  EnsureWindow();
  return U(CheckOf(*this).text());
}
void CheckBox::Caption(const std::u16string& v) {
  EnsureWindow();
  CheckOf(*this).setText(Q(v));
}
int CheckBox::Value() {
  EnsureWindow();
  switch (CheckOf(*this).checkState()) {
    case Qt::Checked: return vbChecked;
    case Qt::PartiallyChecked: return vbGrayed;
    default: return vbUnchecked;
  }
}
void CheckBox::Value(int v) {
  EnsureWindow();
  if (v < vbUnchecked || v > vbGrayed) Raise(err::kInvalidPropertyValue);
  if (v == Value()) return;
  CheckOf(*this).setCheckState(v == vbChecked ? Qt::Checked : v == vbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
  RaiseEvent(Click);
}

}  // namespace vb
