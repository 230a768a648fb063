// Inside the layer only: the one file dialog behind both file-dialog interfaces (the common dialog
// control and the open/save functions). It passes the script hook first, then shows the toolkit's
// dialog; the caller turns the chosen path into its own record.
#pragma once

#include "platform/layer_only.h"

#include <optional>
#include <string>
#include <vector>

namespace platform::dialogs {

struct FileDialogRequest {
  bool save = false;
  std::u16string title;
  std::u16string initialDir;           // empty: the current folder
  std::vector<std::u16string> filter;  // description, pattern, description, pattern, ...
  int filterIndex = 1;                 // 1-based; after the dialog, the filter in use
  std::u16string offered;              // the file the dialog starts on
  std::u16string defaultSuffix;        // without its dot; added to a saved name that has none
  bool confirmOverwrite = false;
  // What the script hook sees of the dialog.
  std::u16string scriptPrompt;
  int scriptFlags = 0;
};

// The chosen path ("\" read as "/", the default suffix added when saving), or nothing when the
// dialog was cancelled.
std::optional<std::u16string> RunFileDialog(FileDialogRequest& request);

}  // namespace platform::dialogs
