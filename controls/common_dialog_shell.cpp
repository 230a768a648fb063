// clsCommonDialog's shell dialogs.
#include "controls/common_dialog.h"

#include "platform/gdi/icons.h"
#include "platform/shell/display_settings.h"
#include "platform/shell/icon_files.h"
#include "platform/shell/shell_dialogs.h"
#include "platform/vb/error.h"

using namespace win;

namespace {

constexpr std::int32_t kInvalidArgument = 5;

}  // namespace

void clsCommonDialog::ShowShutDown() { ExitWindowsDialog(hOwner); }

void clsCommonDialog::ShowRestart() { RestartDialog(hOwner, DialogPrompt.c_str(), static_cast<DWORD>(flags) & 7); }

void clsCommonDialog::ShowRun() {
  RunFileDlg(hOwner, hIcon, nullptr, DialogTitle.c_str(), DialogPrompt.c_str(), (static_cast<UINT>(flags) & 0xF0) / 16);
}

std::int32_t clsCommonDialog::ShowFormat(std::int32_t drive, std::int32_t formatId, std::int32_t options) {
  return static_cast<std::int32_t>(SHFormatDrive(hOwner, static_cast<UINT>(drive), static_cast<UINT>(formatId), static_cast<UINT>(options)));
}

void clsCommonDialog::ShowIcon(bool large) {
  if (Filename.empty()) return;
  if (Filename.size() > static_cast<std::size_t>(MAX_PATH)) vb::Raise(kInvalidArgument);
  // The picker works in the padded name, and the name stays padded afterwards.
  Filename.resize(MAX_PATH, u'\0');
  int index = 0;
  if (PickIconDlg(0, Filename.data(), MAX_PATH, &index) == 0) return;
  HICON big = 0;
  HICON small = 0;
  if (ExtractIconExA(Filename.substr(0, Filename.find(u'\0')), index, &big, &small, 1) == 0) return;
  hIcon = CopyIcon(large ? big : small);
  DestroyIcon(big);
  DestroyIcon(small);
}

void clsCommonDialog::ShowFolder(const std::u16string& startPath) {
  const std::u16string root = startPath + u'\0';
  const PIDLIST_ABSOLUTE rootList = startPath.empty() ? nullptr : SHSimpleIDListFromPath(root.c_str());
  const UINT t = static_cast<UINT>(flags) & 0x7001;
  BROWSEINFOA bi;
  bi.hwndOwner = hOwner;
  bi.pidlRoot = rootList;
  bi.lpszTitle = DialogPrompt.c_str();
  bi.ulFlags = t >= 0x1000 ? t : BIF_RETURNONLYFSDIRS;
  const PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&bi);
  std::u16string path(MAX_PATH, u'\0');
  if (SHGetPathFromIDListA(chosen, path.data())) InitDir = path.substr(0, path.find(u'\0'));
  CoTaskMemFree(chosen);
  ILFree(rootList);
}

void clsCommonDialog::ShowObjectProp(const std::u16string& objectName, const std::u16string& pageName) {
  const std::int32_t k = (flags & 0xF00) / 256;
  if (k == 8) {
    // The display settings: the desktop's own settings program, where one is installed; where none
    // is, nothing starts and nothing is reported, as no result of this member is.
    platform::shell::StartDisplaySettings();
    return;
  }
  if (k == 7) {
    // The recycle folder: this desktop keeps no folder "c:\recycled" (its trash is no folder a
    // properties window could show), so the request fails as one for a missing file does: nothing
    // shows.
    return;
  }
  DWORD type = SHOP_FILEPATH;
  std::u16string name;
  if (k == 1) {
    type = SHOP_PRINTERNAME;
    name = objectName;
  } else if (k == 2) {
    name = objectName;
  }
  SHObjectProperties(hOwner, type, name.c_str(), pageName.c_str());
}

void clsCommonDialog::ShowAbout() {
  if (AppName.empty()) AppName = std::u16string(1, u'\0');
  ShellAboutA(hOwner, AppName, DialogPrompt, hIcon);
}
