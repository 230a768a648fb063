// The shell's object properties: a file's or folder's properties window, or a printer's print
// dialog.
#include <QDir>
#include <QFileInfo>
#include <cstring>

#include "platform/codepage/codepage.h"
#include "platform/dialogs/print_dialog.h"
#include "platform/dialogs/properties_window.h"
#include "platform/gdi/icons.h"
#include "platform/gdi/objects.h"
#include "platform/script/script.h"
#include "platform/shell/file_properties.h"
#include "platform/shell/shell_dialogs.h"
#include "platform/vb/file_system.h"
#include "platform/vb/error.h"
#include "platform/vb/printer.h"

namespace win {
namespace {

using platform::shell::DateText;
using platform::shell::DateTimeText;

using Facts = std::vector<std::pair<std::u16string, std::u16string>>;

std::u16string Digits(std::int64_t n) {
  const std::string d = std::to_string(n);
  return std::u16string(d.begin(), d.end());
}

// "1,50 КБ (1 536 байт)": the short size and the exact count in groups of three digits.
std::u16string SizeText(std::int64_t bytes) {
  std::u16string exact = Digits(bytes);
  for (std::ptrdiff_t i = static_cast<std::ptrdiff_t>(exact.size()) - 3; i > 0; i -= 3) exact.insert(static_cast<std::size_t>(i), u" ");
  return platform::shell::FormatByteSize(bytes) + u" (" + exact + u" байт)";
}

// What a folder holds directly: "Файлов: 3, папок: 1".
std::u16string ContentsText(const QString& folder) {
  const QDir dir(folder);
  const auto filters = QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
  const auto files = dir.entryList(QDir::Files | filters).size();
  const auto folders = dir.entryList(QDir::Dirs | filters).size();
  return u"Файлов: " + Digits(files) + u", папок: " + Digits(folders);
}

Facts FactsOf(const QFileInfo& info, const WIN32_FIND_DATAA& record) {
  const std::u16string path = info.absoluteFilePath().toStdU16String();
  Facts facts{{u"Тип:", platform::shell::TypeText(path)}, {u"Размещение:", info.absolutePath().toStdU16String()}};
  if (info.isDir()) {
    facts.emplace_back(u"Содержит:", ContentsText(info.absoluteFilePath()));
  } else {
    facts.emplace_back(u"Размер:", SizeText(platform::shell::SizeOf(record)));
  }
  facts.emplace_back(u"", u"");
  facts.emplace_back(u"Создан:", DateTimeText(record.ftCreationTime));
  facts.emplace_back(u"Изменен:", DateTimeText(record.ftLastWriteTime));
  facts.emplace_back(u"Открыт:", DateText(record.ftLastAccessTime));
  facts.emplace_back(u"", u"");
  return facts;
}

QImage IconOf(const std::u16string& path) {
  const HICON icon = ExtractAssociatedIconA(0, path, nullptr);
  QImage picture = platform::gdi::ImageOfHandle(icon);
  DestroyIcon(icon);
  return picture;
}

// The file or folder's window: FALSE when there is no such file. The window has the one page
// "Общие", so the page asked for opens that.
BOOL FileProperties(HWND owner, const std::u16string& name) {
  const QFileInfo info(QString::fromStdString(vb::NativePath(name)));
  const std::u16string path = info.absoluteFilePath().toStdU16String();
  WIN32_FIND_DATAA record;
  if (name.empty() || !platform::shell::GetFileFindData(path, record)) return FALSE;
  platform::dialogs::PropertiesSheet sheet;
  sheet.owner = owner;
  sheet.name = platform::shell::GetFileTitleOf(path);
  if (sheet.name.empty()) sheet.name = path;  // the root folder has no name of its own
  sheet.facts = FactsOf(info, record);
  for (const auto& box : platform::shell::kAttributeBoxes)
    sheet.attributes.emplace_back(box.caption, (record.dwFileAttributes & box.bit) != 0);
  platform::script::Shown shown;
  shown.kind = platform::script::Kind::Properties;
  shown.title = platform::dialogs::kPropertiesTitle + sheet.name;
  for (const auto& [label, text] : sheet.facts)
    if (!label.empty()) shown.prompt += label + u" " + text + u"\n";
  shown.flags = static_cast<int>(record.dwFileAttributes);
  shown.text = path;
  if (platform::script::Take(shown)) return TRUE;
  sheet.icon = IconOf(path);
  platform::dialogs::ShowPropertiesWindow(sheet);
  return TRUE;
}

int PrinterIndex(const std::u16string& name) {
  const QString wanted = QString::fromStdU16String(name);
  for (int i = 0; i < vb::Printers.Count(); ++i)
    if (QString::fromStdU16String(vb::Printers.Item(i).DeviceName).compare(wanted, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

// A printer that lacks a setting keeps going without it.
void Apply(const DEVMODEA& dm) {
  try {
    if ((dm.dmFields & DM_ORIENTATION) != 0) vb::Printer.Orientation(dm.dmOrientation);
    if ((dm.dmFields & DM_COPIES) != 0) vb::Printer.Copies(dm.dmCopies);
    if ((dm.dmFields & DM_DUPLEX) != 0) vb::Printer.Duplex(dm.dmDuplex);
  } catch (const vb::Error&) {
  }
}

// The printer's settings in the layer's print dialog, started on that printer: FALSE for a printer
// the system does not have. The layer keeps settings for the current printer only, so what the
// user chooses for it (orientation, copies, duplex) becomes the current printer's; for another
// printer the dialog only shows it.
BOOL PrinterProperties(HWND owner, const std::u16string& name) {
  const int index = PrinterIndex(name);
  if (index < 0) return FALSE;
  const std::u16string device = vb::Printers.Item(index).DeviceName;
  PRINTDLGA pd;
  pd.lStructSize = sizeof(PRINTDLGA);
  pd.hwndOwner = owner;
  pd.hDevMode = GlobalAlloc(GHND, sizeof(DEVMODEA));
  if (auto* dm = static_cast<DEVMODEA*>(GlobalLock(pd.hDevMode))) {
    const std::string bytes = vb::ToWindows1251(device);
    std::memcpy(dm->dmDeviceName, bytes.data(), std::min<std::size_t>(bytes.size(), CCHDEVICENAME - 1));
    dm->dmSize = sizeof(DEVMODEA);
    GlobalUnlock(pd.hDevMode);
  }
  const BOOL accepted = PrintDlgA(&pd);
  if (const auto* dm = static_cast<const DEVMODEA*>(GlobalLock(pd.hDevMode))) {
    const std::u16string chosen = vb::FromWindows1251(std::string_view(dm->dmDeviceName, strnlen(dm->dmDeviceName, CCHDEVICENAME)));
    if (accepted && chosen == device && vb::Printer.DeviceName() == device) Apply(*dm);
    GlobalUnlock(pd.hDevMode);
  }
  GlobalFree(pd.hDevMode);
  GlobalFree(pd.hDevNames);
  return TRUE;
}

}  // namespace

BOOL SHObjectProperties(HWND owner, DWORD type, const char16_t* name, const char16_t* page) {
  (void)page;
  const std::u16string object = name != nullptr ? name : u"";
  if (type == SHOP_FILEPATH) return FileProperties(owner, object);
  if (type == SHOP_PRINTERNAME) return PrinterProperties(owner, object);
  return FALSE;
}

}  // namespace win
