#include "platform/vb/label.h"

#include <QLabel>

#include "platform/vb/control_core.h"
#include "platform/vb/strings.h"
#include "platform/win/window.h"

namespace vb {

using platform::detail::Adopt;
using platform::detail::ContainerWidget;
using namespace platform::detail::controls;

void Label::CreateControlWindow() {
  auto* w = new QLabel(ContainerWidget(*this));
  w->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  w->setAutoFillBackground(true);  // opaque unless BackStyle says otherwise
  w->setProperty("vbCaption", QString());
  core().passiveClick = true;
  core().back = vbButtonFace;
  core().fore = vbButtonText;
  Adopt(*this, w, "ThunderLabel");
}
static QLabel& LabelOf(Control& c) { return static_cast<QLabel&>(*c.core().widget); }
std::u16string Label::Caption() {
  EnsureWindow();
  return U(LabelOf(*this).property("vbCaption").toString());
}
void Label::Caption(const std::u16string& v) {
  EnsureWindow();
  LabelOf(*this).setProperty("vbCaption", Q(v));
  LabelOf(*this).setText(WithoutMnemonics(v));
}
int Label::Alignment() {
  EnsureWindow();
  return AlignmentFrom(LabelOf(*this).alignment());
}
void Label::Alignment(int v) {
  EnsureWindow();
  LabelOf(*this).setAlignment(AlignmentOf(v) | Qt::AlignTop);
}
bool Label::WordWrap() {
  EnsureWindow();
  return LabelOf(*this).wordWrap();
}
void Label::WordWrap(bool v) {
  EnsureWindow();
  LabelOf(*this).setWordWrap(v);
}
int Label::BackStyle() {
  EnsureWindow();
  return LabelOf(*this).autoFillBackground() ? 1 : 0;
}
void Label::BackStyle(int v) {
  EnsureWindow();
  LabelOf(*this).setAutoFillBackground(v == 1);
}
int Label::BorderStyle() {
  EnsureWindow();
  return LabelOf(*this).frameShape() == QFrame::NoFrame ? 0 : 1;
}
void Label::BorderStyle(int v) {
  EnsureWindow();
  LabelOf(*this).setFrameStyle(v == 1 ? (QFrame::StyledPanel | QFrame::Sunken) : QFrame::NoFrame);
}

}  // namespace vb
