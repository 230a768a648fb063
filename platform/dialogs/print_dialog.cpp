#include "platform/dialogs/print_dialog.h"

#include <QApplication>
#include <QDialog>
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/codepage/codepage.h"
#include "platform/script/script.h"
#include "platform/vb/modal_dialog.h"
#include "platform/vb/print_system.h"
#include "platform/vb/printer.h"
#include "platform/vb/printer_device.h"

namespace win {
namespace {

constexpr char kDriver[] = "winspool";

QString ToQ(std::u16string_view s) {
  return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}
std::u16string FromQ(const QString& s) {
  return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size()));
}

// What the dialog starts with, or what was chosen in it; 0: not given, as it was.
struct Settings {
  std::u16string device;
  short orientation = 0;
  short copies = 0;
  short duplex = 0;
};

std::u16string Text(const char* field, std::size_t size) {
  const char* end = std::find(field, field + size, '\0');
  return vb::FromWindows1251(std::string_view(field, static_cast<std::size_t>(end - field)));
}

Settings StartSettings(HGLOBAL devMode) {
  Settings start;
  const auto* dm = static_cast<const DEVMODEA*>(GlobalLock(devMode));
  if (dm == nullptr) return start;
  if (GlobalSize(devMode) >= sizeof(DEVMODEA)) {
    start.device = Text(dm->dmDeviceName, CCHDEVICENAME);
    if ((dm->dmFields & DM_ORIENTATION) != 0) start.orientation = dm->dmOrientation;
    if ((dm->dmFields & DM_DUPLEX) != 0) start.duplex = dm->dmDuplex;
  }
  GlobalUnlock(devMode);
  return start;
}

// The port the caller's device names give for the printer the dialog starts on.
std::u16string StartPort(HGLOBAL devNames) {
  const auto* bytes = static_cast<const char*>(GlobalLock(devNames));
  if (bytes == nullptr) return {};
  std::u16string port;
  DEVNAMES names;
  const std::size_t size = GlobalSize(devNames);
  if (size >= sizeof names) {
    std::memcpy(&names, bytes, sizeof names);
    if (names.wOutputOffset >= sizeof names && names.wOutputOffset < size)
      port = Text(bytes + names.wOutputOffset, size - names.wOutputOffset);
  }
  GlobalUnlock(devNames);
  return port;
}

// The printer the dialog opens on: the current printer's setup, with the device mode's printer,
// orientation and duplex where it gives them.
platform::detail::PrinterSetup StartSetup(const Settings& start) {
  platform::detail::PrinterSetup setup = platform::detail::CurrentPrinterSetup();
  if (start.device == platform::printing::kPdfPrinterName) {
    setup.pdf = true;
  } else if (!start.device.empty()) {
    setup.pdf = false;
    setup.device = ToQ(start.device);
  }
  if (start.orientation == DMORIENT_PORTRAIT || start.orientation == DMORIENT_LANDSCAPE)
    setup.landscape = start.orientation == DMORIENT_LANDSCAPE;
  if (start.duplex >= DMDUP_SIMPLEX && start.duplex <= DMDUP_HORIZONTAL) setup.duplex = start.duplex;
  return setup;
}

Settings Chosen(const platform::detail::PrinterSetup& chosen) {
  Settings c;
  c.device = chosen.pdf ? std::u16string(platform::printing::kPdfPrinterName) : FromQ(chosen.device);
  c.orientation = chosen.landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
  c.copies = static_cast<short>(std::clamp(chosen.copies, 1, 9999));
  c.duplex = static_cast<short>(chosen.duplex);
  return c;
}

// A scripted answer: the device name, optionally followed by "|" and the duplex value chosen.
Settings Scripted(const std::u16string& answer) {
  Settings c;
  const std::size_t bar = answer.find(u'|');
  c.device = answer.substr(0, bar);
  if (bar != std::u16string::npos) {
    const int duplex = ToQ(answer.substr(bar + 1)).toInt();
    if (duplex >= DMDUP_SIMPLEX && duplex <= DMDUP_HORIZONTAL) c.duplex = static_cast<short>(duplex);
  }
  return c;
}

void WriteDevMode(PRINTDLGA* pd, const Settings& c) {
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
  if (c.duplex != 0) {
    dm->dmDuplex = c.duplex;
    dm->dmFields |= DM_DUPLEX;
  }
  GlobalUnlock(pd->hDevMode);
}

// "winspool", the device and its port, each closed by a NUL, after the offsets.
void WriteDevNames(PRINTDLGA* pd, const Settings& c) {
  const std::string device = vb::ToWindows1251(c.device);
  const std::string port = vb::ToWindows1251(platform::printing::PortOf(c.device));
  const std::size_t header = sizeof(DEVNAMES);
  const std::size_t size = header + sizeof kDriver + device.size() + 1 + port.size() + 1;
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
  std::memcpy(bytes + names.wOutputOffset, port.c_str(), port.size() + 1);
  GlobalUnlock(pd->hDevNames);
}

}  // namespace

BOOL PrintDlgA(PRINTDLGA* pd) {
  if (pd == nullptr || pd->lStructSize != sizeof(PRINTDLGA)) return FALSE;
  const Settings start = StartSettings(pd->hDevMode);
  Settings choice;
  platform::script::Shown shown;
  shown.kind = platform::script::Kind::Printer;
  shown.prompt = start.device;
  shown.text = StartPort(pd->hDevNames);
  shown.flags = static_cast<int>(pd->Flags);
  if (auto answer = platform::script::Take(shown)) {
    if (answer->result == 0) return FALSE;
    choice = Scripted(answer->text);
  } else {
    platform::detail::PrintSystem* system = platform::detail::Printing();
    if (system == nullptr) return FALSE;
    system->SetUp(StartSetup(start));
    platform::detail::ModalDialog<QDialog> dialog(platform::detail::MadeElsewhere{},
                                                  system->NewPrintDialog(platform::detail::DialogOwner()));
    if (!dialog.Accepted()) return FALSE;
    choice = Chosen(system->Choice(*dialog));
  }
  WriteDevMode(pd, choice);
  WriteDevNames(pd, choice);
  pd->hDC = 0;  // printing goes through the runtime's Printer, which makes its own device context
  return TRUE;
}

}  // namespace win
