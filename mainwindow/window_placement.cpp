#include "mainwindow/window_placement.h"

#include "platform/vb/form.h"
#include "platform/vb/screen.h"

namespace mainwindow {

void CentreOver(vb::Form& window, vb::Form& owner) {
  window.Move(owner.Left() + (owner.Width() - window.Width()) / 2, owner.Top() + (owner.Height() - window.Height()) / 2);
}

void CentreOnScreen(vb::Form& window, float width, float height) {
  window.Move((vb::Screen.Width() - width) / 2, (vb::Screen.Height() - height) / 2, width, height);
}

}  // namespace mainwindow
