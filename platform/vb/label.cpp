#include "platform/vb/label.h"

#include <QLabel>

#include "platform/vb/control_core.h"
#include "platform/vb/strings.h"
#include "platform/win/window.h"

namespace vb {

using platform::detail::Adopt;
using platform::detail::ContainerWidget;
using namespace platform::detail::controls;

namespace {

// A label whose words wrap grows down to show every line of its caption in its font, where the
// size it was given is too small for it (a window laid out for narrower letters).
class LabelWidget : public QLabel {
 public:
  using QLabel::QLabel;
  void ShowEveryLine() {
    if (!wordWrap() || text().isEmpty() || growing_) return;
    const int needed = heightForWidth(width());
    if (needed <= height()) return;
    growing_ = true;
    resize(width(), needed);
    growing_ = false;
  }

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QLabel::resizeEvent(e);
    ShowEveryLine();
  }

 private:
  bool growing_ = false;
};

}  // namespace

void Label::CreateControlWindow() {
  borderStyle_ = 0;
  appearance_ = 1;
  autoSize_ = false;
  auto* w = new LabelWidget(ContainerWidget(*this));
  w->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  w->setAutoFillBackground(true);  // opaque unless BackStyle says otherwise
  w->setProperty("vbCaption", QString());
  core().passiveClick = true;
  core().back = vbButtonFace;
  core().fore = vbButtonText;
  Adopt(*this, w, "ThunderLabel");
}
static LabelWidget& LabelOf(Control& c) { return static_cast<LabelWidget&>(*c.core().widget); }
// A carriage return breaks the line, alone or before a line feed, as in the runtime's labels.
static QString WithLineBreaks(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QChar(u'\r'), QChar(u'\n'));
  return text;
}
std::u16string Label::Caption() {
  EnsureWindow();
  return U(LabelOf(*this).property("vbCaption").toString());
}
void Label::Caption(const std::u16string& v) {
  EnsureWindow();
  LabelOf(*this).setProperty("vbCaption", Q(v));
  LabelOf(*this).setText(WithLineBreaks(WithoutMnemonics(v)));
  Fit();
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
  Fit();
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
  return borderStyle_;
}
void Label::BorderStyle(int v) {
  EnsureWindow();
  borderStyle_ = v == 1 ? 1 : 0;
  ApplyBorder();
}
int Label::Appearance() {
  EnsureWindow();
  return appearance_;
}
void Label::Appearance(int v) {
  EnsureWindow();
  appearance_ = v == 0 ? 0 : 1;
  ApplyBorder();
}
bool Label::AutoSize() {
  EnsureWindow();
  return autoSize_;
}
void Label::AutoSize(bool v) {
  EnsureWindow();
  autoSize_ = v;
  Fit();
}

void Label::ApplyBorder() {
  QLabel& l = LabelOf(*this);
  if (borderStyle_ == 0) {
    l.setFrameStyle(QFrame::NoFrame);
  } else {
    l.setFrameStyle(appearance_ == 1 ? (QFrame::StyledPanel | QFrame::Sunken) : (QFrame::Box | QFrame::Plain));
  }
  Fit();
}

void Label::Fit() {
  LabelWidget& l = LabelOf(*this);
  if (autoSize_) {
    l.resize(l.sizeHint());
  } else {
    l.ShowEveryLine();
  }
}

}  // namespace vb
