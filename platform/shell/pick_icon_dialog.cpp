// The shell's icon picker over the layer's pick-icon window and the icons of icon files.
#include <QFileInfo>
#include <algorithm>
#include <string>

#include "platform/dialogs/pick_icon_window.h"
#include "platform/gdi/icons.h"
#include "platform/gdi/objects.h"
#include "platform/script/script.h"
#include "platform/shell/icon_files.h"
#include "platform/shell/shell_dialogs.h"

namespace win {
namespace {

// The icons of the path, each under the name of its file.
std::vector<platform::dialogs::OfferedIcon> Offered(const std::u16string& path) {
  std::vector<platform::dialogs::OfferedIcon> offered;
  const std::vector<std::u16string> files = platform::shell::IconFilesOf(path);
  for (std::size_t i = 0; i < files.size(); ++i) {
    HICON icon = 0;
    ExtractIconExA(path, static_cast<int>(i), &icon, nullptr, 1);
    offered.push_back({platform::gdi::ImageOfHandle(icon), QFileInfo(QString::fromStdU16String(files[i])).completeBaseName().toStdU16String()});
    DestroyIcon(icon);
  }
  return offered;
}

// The answer of a scripted picker: the index chosen, in decimal; anything else picks nothing.
std::optional<platform::dialogs::PickedIcon> Scripted(const platform::script::Answer& answer, const std::u16string& path) {
  if (answer.result == 0 || answer.text.empty() || answer.text.size() > 6 ||
      !std::all_of(answer.text.begin(), answer.text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; }))
    return std::nullopt;
  const int index = std::stoi(std::string(answer.text.begin(), answer.text.end()));
  if (static_cast<UINT>(index) >= ExtractIconExA(path, -1, nullptr, nullptr, 0)) return std::nullopt;
  return platform::dialogs::PickedIcon{path, index};
}

}  // namespace

int PickIconDlg(HWND owner, char16_t* iconPath, UINT pathSize, int* iconIndex) {
  if (iconPath == nullptr || iconIndex == nullptr || pathSize == 0) return 0;
  const std::u16string path(iconPath, std::find(iconPath, iconPath + pathSize, u'\0'));
  std::optional<platform::dialogs::PickedIcon> picked;
  platform::script::Shown shown;
  shown.kind = platform::script::Kind::PickIcon;
  shown.title = platform::dialogs::kPickIconTitle;
  shown.text = path;
  shown.flags = *iconIndex;
  if (auto answer = platform::script::Take(shown)) {
    picked = Scripted(*answer, path);
  } else {
    picked = platform::dialogs::ShowPickIconWindow({owner, path, *iconIndex, Offered});
  }
  // A path the buffer cannot hold with its NUL is no choice the caller could read.
  if (!picked || picked->path.size() >= pathSize) return 0;
  std::fill(iconPath, iconPath + pathSize, u'\0');
  std::copy(picked->path.begin(), picked->path.end(), iconPath);
  *iconIndex = picked->index;
  return 1;
}

}  // namespace win
