// Inside the layer only: the toolkit's file dialog as the layer shows it. Saving, it refuses a name
// longer than the folder takes, counted in bytes with the extension the save adds (the file system
// would refuse it), and says why under the name field while the name is so. The toolkit's own check
// counts letters, where the folder counts bytes (a Russian letter takes two), and leaves out the
// added extension: it greys its Save button for some such names and lets others through; this
// dialog keeps the button grey for all of them, and the line under the field gives the reason.
#pragma once

#include "platform/layer_only.h"

#include <QFileDialog>
#include <QString>

class QLabel;

namespace platform::dialogs {

class FileDialog : public QFileDialog {
 public:
  FileDialog(QWidget* parent, const QString& caption, const QString& folder);

  // Checks the names a save writes: `suffix` (without its dot, or empty) is added to a name that
  // has none. Call once the dialog saves.
  void CheckNameLength(const QString& suffix);
  // The line under the name field (none before CheckNameLength).
  QLabel* NameNotice() const { return notice_; }

 protected:
  void accept() override;

 private:
  // True while the typed name is too long; shows or hides the notice, and greys Save.
  bool NameTooLong();

  QLabel* notice_ = nullptr;
  QString suffix_;
};

}  // namespace platform::dialogs
