#include "platform/shell/icon_files.h"

#include <QDir>
#include <QFileInfo>

#include "platform/gdi/icons.h"
#include "platform/vb/file_system.h"

namespace platform::shell {
namespace {

bool IsIconFile(const QFileInfo& info) {
  return info.isFile() && info.suffix().compare(QLatin1String("ico"), Qt::CaseInsensitive) == 0;
}

}  // namespace

std::vector<std::u16string> IconFilesOf(std::u16string_view path) {
  std::vector<std::u16string> files;
  if (path.empty()) return files;
  const QFileInfo info(QString::fromStdString(vb::NativePath(path)));
  if (IsIconFile(info)) {
    files.push_back(info.absoluteFilePath().toStdU16String());
  } else if (info.isDir()) {
    const QDir folder(info.absoluteFilePath());
    for (const QFileInfo& entry : folder.entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase))
      if (IsIconFile(entry)) files.push_back(entry.absoluteFilePath().toStdU16String());
  }
  return files;
}

}  // namespace platform::shell

namespace win {
namespace {

HICON Load(const std::u16string& file, int size) {
  return static_cast<HICON>(LoadImageA(0, vb::NativePath(file), IMAGE_ICON, size, size, LR_LOADFROMFILE));
}

}  // namespace

UINT ExtractIconExA(std::u16string_view file, int index, HICON* large, HICON* small, UINT icons) {
  const std::vector<std::u16string> files = platform::shell::IconFilesOf(file);
  if (index == -1 && large == nullptr && small == nullptr) return static_cast<UINT>(files.size());
  if (index < 0) return 0;
  UINT extracted = 0;
  for (UINT i = 0; i < icons && static_cast<std::size_t>(index) + i < files.size(); ++i) {
    const std::u16string& f = files[static_cast<std::size_t>(index) + i];
    const HICON big = large != nullptr ? Load(f, kLargeIconSize) : 0;
    const HICON little = small != nullptr ? Load(f, kSmallIconSize) : 0;
    if (large != nullptr) large[i] = big;
    if (small != nullptr) small[i] = little;
    if (big != 0 || little != 0) ++extracted;
  }
  return extracted;
}

}  // namespace win
