#include "platform/vb/frame.h"

#include <QGroupBox>

#include "platform/vb/control_core.h"
#include "platform/vb/strings.h"
#include "platform/win/window.h"

namespace vb {

using platform::detail::Adopt;
using platform::detail::ContainerWidget;
using namespace platform::detail::controls;

void Frame::CreateControlWindow() {
  auto* w = new QGroupBox(ContainerWidget(*this));
  core().passiveClick = true;
  Adopt(*this, w, "ThunderFrame");
}
std::u16string Frame::Caption() {
  EnsureWindow();
  return U(static_cast<QGroupBox&>(*core().widget).title());
}
void Frame::Caption(const std::u16string& v) {
  EnsureWindow();
  static_cast<QGroupBox&>(*core().widget).setTitle(Q(v));
}

}  // namespace vb
