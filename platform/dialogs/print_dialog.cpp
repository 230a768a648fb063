#include "platform/dialogs/print_dialog.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/script/script.h"
#include "platform/codepage/codepage.h"
#include "platform/vb/printer.h"
#include "platform/vb/printer_device.h"

namespace win {
namespace {

constexpr char kDriver[] = "winspool";

std::u16string FromQ(const QString& s) {
  return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size()));
}

struct Choice {
  std::u16string device;
  short orientation = 0;  // 0: as it was
  short copies = 0;
};

std::u16string StartDevice(HGLOBAL devMode) {
  const auto* dm = static_cast<const DEVMODEA*>(GlobalLock(devMode));
  if (dm == nullptr || GlobalSize(devMode) < sizeof(DEVMODEA)) return {};
  const char* end = std::find(dm->dmDeviceName, dm->dmDeviceName + CCHDEVICENAME, '\0');
  return vb::FromWindows1251(std::string_view(dm->dmDeviceName, static_cast<std::size_t>(end - dm->dmDeviceName)));
}

void WriteDevMode(PRINTDLGA* pd, const Choice& c) {
  if (pd->hDevMode == 0 || GlobalSize(pd->hDevMode) < sizeof(DEVMODEA)) pd->hDevMode = GlobalAlloc(GHND, sizeof(DEVMODEA));
  auto* dm = static_cast<DEVMODEA*>(GlobalLock(pd->hDevMode));
  if (dm == nullptr) return;
  const std::string name = vb::ToWindows1251(c.device);
  std::memset(dm->dmDeviceName, 0, sizeof dm->dmDeviceName);
  std::copy_n(name.begin(), std::min<std::size_t>(name.size(), CCHDEVICENAME - 1), dm->dmDeviceName);
  dm->dmSize = sizeof(DEVMODEA);
  if (c.orientation != 0) {
    dm->dmOrientation = c.orientation;
    dm->dmFields |= DM_ORIENTATION;
  }
  if (c.copies > 0) {
    dm->dmCopies = c.copies;
    dm->dmFields |= DM_COPIES;
  }
  GlobalUnlock(pd->hDevMode);
}

// "winspool", the device and an empty port, each closed by a NUL, after the offsets.
void WriteDevNames(PRINTDLGA* pd, const Choice& c) {
  const std::string device = vb::ToWindows1251(c.device);
  const std::size_t header = sizeof(DEVNAMES);
  const std::size_t size = header + sizeof kDriver + device.size() + 1 + 1;
  if (pd->hDevNames != 0) GlobalFree(pd->hDevNames);
  pd->hDevNames = GlobalAlloc(GHND, size);
  auto* bytes = static_cast<char*>(GlobalLock(pd->hDevNames));
  if (bytes == nullptr) return;
  DEVNAMES names;
  names.wDriverOffset = static_cast<WORD>(header);
  names.wDeviceOffset = static_cast<WORD>(header + sizeof kDriver);
  names.wOutputOffset = static_cast<WORD>(names.wDeviceOffset + device.size() + 1);
  std::memcpy(bytes, &names, header);
  std::memcpy(bytes + names.wDriverOffset, kDriver, sizeof kDriver);
  std::memcpy(bytes + names.wDeviceOffset, device.c_str(), device.size() + 1);
  GlobalUnlock(pd->hDevNames);
}

// The dialog starts on the printer the device mode names; on the current printer when it names none.
void StartOn(QPrinter& printer, const std::u16string& device) {
  if (device.empty()) return;
  if (device == platform::printing::kPdfPrinterName) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    return;
  }
  printer.setOutputFormat(QPrinter::NativeFormat);
  printer.setPrinterName(QString::fromStdU16String(device));
}

}  // namespace

BOOL PrintDlgA(PRINTDLGA* pd) {
  if (pd == nullptr || pd->lStructSize != sizeof(PRINTDLGA)) return FALSE;
  Choice choice;
  platform::script::Shown shown;
  shown.kind = platform::script::Kind::Printer;
  shown.prompt = StartDevice(pd->hDevMode);
  shown.flags = static_cast<int>(pd->Flags);
  if (auto answer = platform::script::Take(shown)) {
    if (answer->result == 0) return FALSE;
    choice.device = answer->text;
  } else {
    QPrinter& printer = platform::detail::ConfiguredPrinter();
    StartOn(printer, shown.prompt);
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return FALSE;
    const QPrinter& chosen = *dialog.printer();
    choice.device = chosen.outputFormat() == QPrinter::PdfFormat ? u"PDF" : FromQ(chosen.printerName());
    choice.orientation = chosen.pageLayout().orientation() == QPageLayout::Landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    choice.copies = static_cast<short>(std::clamp(chosen.copyCount(), 1, 9999));
  }
  WriteDevMode(pd, choice);
  WriteDevNames(pd, choice);
  pd->hDC = 0;  // printing goes through the runtime's Printer, which makes its own device context
  return TRUE;
}

}  // namespace win
