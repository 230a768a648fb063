#include "platform/vb/box_title_bar.h"

#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QWindow>

#include "platform/vb/control_core.h"

namespace platform::detail {
namespace {

constexpr char kBarName[] = "qm_own_title_bar";
constexpr vb::OLE_COLOR kCaption = 0x80000002;      // the active window's caption
constexpr vb::OLE_COLOR kCaptionText = 0x80000009;  // and its text
constexpr int kBorder = 1;

// Writes the caption; a drag on it moves the window, through the window manager.
class TitleBar : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    QWindow* window = this->window()->windowHandle();
    if (e->button() == Qt::LeftButton && window != nullptr) window->startSystemMove();
  }
};

// Keeps the bar across the top and the border round the edge as the box takes its size.
class Follower : public QObject {
 public:
  Follower(QDialog& box, QLabel& bar, QFrame& border) : QObject(&box), bar_(bar), border_(border) {}

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    auto* box = static_cast<QWidget*>(o);
    if (e->type() == QEvent::Resize || e->type() == QEvent::Show) {
      bar_.setGeometry(kBorder, kBorder, box->width() - 2 * kBorder, box->contentsMargins().top() - kBorder);
      border_.setGeometry(box->rect());
      border_.raise();
    }
    return false;
  }

 private:
  QLabel& bar_;
  QFrame& border_;
};

}  // namespace

void GiveOwnTitleBar(QDialog& box) {
  Qt::WindowFlags flags = box.windowFlags();
  flags &= ~(Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint | Qt::WindowSystemMenuHint);
  box.setWindowFlags(flags | Qt::FramelessWindowHint);
  auto* bar = new TitleBar(box.windowTitle(), &box);
  bar->setObjectName(QLatin1String(kBarName));
  bar->setAlignment(Qt::AlignCenter);
  bar->setAutoFillBackground(true);
  ApplyColors(bar, kCaption, kCaptionText);
  QFont bold = box.font();
  bold.setBold(true);
  bar->setFont(bold);
  auto* border = new QFrame(&box);
  border->setFrameShape(QFrame::Box);
  border->setAttribute(Qt::WA_TransparentForMouseEvents);
  const int height = QFontMetrics(bold).height() + 8;
  // The box's layout keeps to the area inside the margins, and the box sizes itself with them.
  box.setContentsMargins(kBorder, kBorder + height, kBorder, kBorder);
  box.installEventFilter(new Follower(box, *bar, *border));
}

QLabel* OwnTitleBarOf(QDialog& box) { return box.findChild<QLabel*>(QLatin1String(kBarName), Qt::FindDirectChildrenOnly); }

}  // namespace platform::detail
