#include "mainwindow/window_placement.h"

#include "platform/vb/form.h"

namespace mainwindow {

void CentreOver(vb::Form& window, vb::Form& owner) {
  window.Move(owner.Left() + (owner.Width() - window.Width()) / 2, owner.Top() + (owner.Height() - window.Height()) / 2);
}

}  // namespace mainwindow
