// Inside the layer only: a modal dialog shown over a window that may go while the dialog waits
// (unloaded by a timer or a handler, closed by another program). Its window then deletes the dialog
// with it, so a dialog with an owner lives on the heap, held by a guarded pointer, and a dialog gone
// with its owner counts as cancelled; one on the caller's stack would be deleted twice.
#pragma once

#include "platform/layer_only.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <utility>

namespace platform::detail {

// The window a dialog is shown over: the active one while it is shown. A form unloaded a moment ago
// can still be the active window until its window goes, and a dialog it owned would go with it.
inline QWidget* DialogOwner() {
  QWidget* active = QApplication::activeWindow();
  return active != nullptr && active->isVisible() ? active : nullptr;
}

// A dialog another part made, which the ModalDialog takes over.
struct MadeElsewhere {};

template <class Dialog>
class ModalDialog {
 public:
  template <class... Args>
  explicit ModalDialog(Args&&... args) : dialog_(new Dialog(std::forward<Args>(args)...)) {}
  ModalDialog(MadeElsewhere, Dialog* made) : dialog_(made) {}
  ~ModalDialog() { delete dialog_.data(); }
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

  Dialog* operator->() const { return dialog_.data(); }
  Dialog& operator*() const { return *dialog_; }

  // Shows the dialog until it ends: false when it went with its owner meanwhile.
  bool Run() {
    dialog_->exec();
    return Alive();
  }
  // Shows the dialog until it is answered: true when it was accepted and is still there to read.
  bool Accepted() {
    const int answer = dialog_->exec();
    return Alive() && answer == QDialog::Accepted;
  }
  // Whether the dialog is still there: it goes with its owner.
  bool Alive() const { return !dialog_.isNull(); }

 private:
  QPointer<Dialog> dialog_;
};

}  // namespace platform::detail
