#include "mainwindow/window_placement.h"

#include "mainwindow/forms/main.h"
#include "platform/vb/form.h"
#include "platform/vb/screen.h"

namespace mainwindow {

void CentreOver(vb::Form& window, vb::Form& owner) {
  if (!owner.IsLoaded() || !owner.Visible() || owner.WindowState() == vb::vbMinimized) {
    CentreOnScreen(window, window.Width(), window.Height());
    return;
  }
  window.Move(owner.Left() + (owner.Width() - window.Width()) / 2, owner.Top() + (owner.Height() - window.Height()) / 2);
}

void CentreOverMainWindow(vb::Form& window) {
  if (frmMain* main = MainWindowIfMade()) {
    CentreOver(window, *main);
  } else {
    CentreOnScreen(window, window.Width(), window.Height());
  }
}

void ShowOwnedByMainWindow(vb::Form& window) {
  frmMain* main = MainWindowIfMade();
  window.Show(vb::vbModeless, main != nullptr && main->IsLoaded() ? main : nullptr);
}

void CentreOnScreen(vb::Form& window, float width, float height) {
  window.Move((vb::Screen.Width() - width) / 2, (vb::Screen.Height() - height) / 2, width, height);
}

}  // namespace mainwindow
