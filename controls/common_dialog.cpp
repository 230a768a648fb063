#include "controls/common_dialog.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

#include "platform/dialogs/choose_dialogs.h"
#include "platform/dialogs/file_dialogs.h"
#include "platform/dialogs/print_dialog.h"
#include "platform/gdi/gdi.h"
#include "platform/shell/help.h"
#include "platform/vb/app.h"
#include "platform/codepage/codepage.h"
#include "platform/vb/error.h"
#include "platform/vb/printer.h"
#include "platform/vb/strings.h"

using namespace win;

namespace {

constexpr std::size_t kFileBuffer = 255;
constexpr DWORD kFileFlagsNotOurs = 0xE0;  // hooks and templates, which this class never gives
constexpr DWORD kColorFlags = 0xF;
constexpr DWORD kFontFlags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;  // 0x141
constexpr DWORD kPrintFlags = 0x1C0FFF;
constexpr std::int32_t kInvalidArgument = 5;
constexpr std::int32_t kLargestFontSize = std::numeric_limits<std::int32_t>::max() / 10;
constexpr int kFaceReported = 79;  // characters of the matched face that FontName takes

// Text up to the first NUL of a buffer.
std::u16string UpToNul(const std::u16string& buffer) { return buffer.substr(0, buffer.find(u'\0')); }

}  // namespace

void clsCommonDialog::Cancelled() {
  if (CancelError) throw vb::Error(0, {}, {});
}

// --- file dialogs ---------------------------------------------------------------------------------

void clsCommonDialog::ShowOpen() { ShowFile(false); }
void clsCommonDialog::ShowSave() { ShowFile(true); }

void clsCommonDialog::ShowFile(bool save) {
  if (Filename.size() > kFileBuffer) vb::Raise(kInvalidArgument);
  std::u16string file = Filename + std::u16string(kFileBuffer - Filename.size(), u'\0');
  std::u16string title(kFileBuffer, u'\0');
  // Each "|" closes a part; two more NULs close the list.
  std::u16string filter = Filter;
  std::replace(filter.begin(), filter.end(), u'|', u'\0');
  filter += std::u16string(2, u'\0');
  const std::u16string start = InitDir.empty() ? vb::App.Path() : InitDir;

  OPENFILENAMEA ofn;
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = hOwner;
  ofn.Flags = static_cast<DWORD>(flags) & ~kFileFlagsNotOurs;
  ofn.lpstrDefExt = DefaultExt.c_str();
  ofn.lpstrInitialDir = start.c_str();
  ofn.lpstrTitle = DialogTitle.c_str();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(kFileBuffer);
  ofn.lpstrFileTitle = title.data();
  ofn.nMaxFileTitle = static_cast<DWORD>(kFileBuffer);
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
  lastResult_ = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (lastResult_ == 0) {
    Cancelled();
    return;
  }
  if (title.find(u'\0') != std::u16string::npos) FileTitle = UpToNul(title);
  if (file.find(u'\0') != std::u16string::npos) Filename = UpToNul(file);
}

// --- help, colour, font ----------------------------------------------------------------------------

void clsCommonDialog::ShowHelp() {
  HelpKey = 0x101;
  lastResult_ = WinHelpA(hOwner, HelpFile, static_cast<UINT>(HelpCommand), 0x101);
}

void clsCommonDialog::ShowColor() {
  COLORREF custom[16];
  std::memset(custom, 0xFF, sizeof custom);
  CHOOSECOLORA cc;
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = hOwner;
  cc.rgbResult = static_cast<COLORREF>(RGBResult);
  cc.lpCustColors = custom;
  cc.Flags = static_cast<DWORD>(flags) & kColorFlags;
  lastResult_ = ChooseColorA(&cc);
  if (lastResult_ == 0) {
    Cancelled();
    return;
  }
  RGBResult = static_cast<std::int32_t>(cc.rgbResult);
}

void clsCommonDialog::ShowFont() {
  // The size goes to the dialog in tenths of a point: one whose tenths do not fit in 32 bits is
  // refused before any dialog shows (its height, 1.3 times the size, then fits too).
  if (FontSize > kLargestFontSize || FontSize < -kLargestFontSize) vb::Raise(kInvalidArgument);
  LOGFONTA lf;
  lf.lfHeight = static_cast<LONG>(std::nearbyint(FontSize * 1.3));  // the runtime rounds half to even
  lf.lfWeight = Bold ? FW_BOLD : 0;
  lf.lfItalic = Italic ? 1 : 0;
  lf.lfUnderline = Underline ? 1 : 0;
  lf.lfStrikeOut = StrikeThru ? 1 : 0;
  // A longer name is cut to what the face field holds with its NUL.
  const std::string face = vb::ToWindows1251(FontName);
  std::copy_n(face.begin(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1), lf.lfFaceName);

  CHOOSEFONTA cf;
  cf.lStructSize = sizeof cf;
  cf.hwndOwner = hOwner;
  cf.hDC = GetDC(hOwner);
  cf.lpLogFont = &lf;
  cf.iPointSize = FontSize * 10;
  cf.Flags = kFontFlags;
  cf.rgbColors = static_cast<COLORREF>(RGBResult);
  cf.nFontType = SCREEN_FONTTYPE;
  lastResult_ = ChooseFontA(&cf);
  if (lastResult_ != 0) TakeFont(lf, cf);
  if (cf.hDC != 0) ReleaseDC(hOwner, cf.hDC);
  if (lastResult_ == 0) Cancelled();
}

void clsCommonDialog::TakeFont(const LOGFONTA& lf, const CHOOSEFONTA& cf) {
  // Every effect follows the choice, switched off as well as on.
  Italic = lf.lfItalic != 0;
  Underline = lf.lfUnderline != 0;
  StrikeThru = lf.lfStrikeOut != 0;
  FontSize = cf.iPointSize / 10;
  RGBResult = static_cast<std::int32_t>(cf.rgbColors);
  Bold = (cf.nFontType & BOLD_FONTTYPE) != 0;
  // The name is the face the font was matched to on the owner's context, which is another one
  // when the face chosen is not installed.
  const HFONT made = CreateFontIndirectA(&lf);
  if (made == 0) return;
  if (const HGDIOBJ old = SelectObject(cf.hDC, made); old != 0) {
    char matched[kFaceReported + 1] = {};
    if (GetTextFaceA(cf.hDC, sizeof matched, matched) > 0) FontName = vb::FromWindows1251(matched);
    SelectObject(cf.hDC, old);
  }
  DeleteObject(made);
}

// --- printer -----------------------------------------------------------------------------------------

namespace {

// The device mode the dialog starts with: the current printer, its orientation and duplex.
HGLOBAL CurrentDevMode() {
  const HGLOBAL block = GlobalAlloc(GHND, sizeof(DEVMODEA));
  auto* dm = static_cast<DEVMODEA*>(GlobalLock(block));
  if (dm == nullptr) return block;
  const std::string device = vb::ToWindows1251(vb::Printer.DeviceName());
  std::copy_n(device.begin(), std::min<std::size_t>(device.size(), CCHDEVICENAME - 1), dm->dmDeviceName);
  dm->dmSize = sizeof(DEVMODEA);
  dm->dmFields = DM_ORIENTATION | DM_DUPLEX;
  dm->dmOrientation = static_cast<short>(vb::Printer.Orientation());
  try {
    dm->dmDuplex = static_cast<short>(vb::Printer.Duplex());
  } catch (const vb::Error&) {
  }
  GlobalUnlock(block);
  return block;
}

// The device names block: the driver, the current printer and its port, each closed by a NUL,
// in 100 characters after the four offsets; a long device name or port is cut to fit.
HGLOBAL CurrentDevNames() {
  constexpr std::size_t kText = 100;
  const HGLOBAL block = GlobalAlloc(GHND, sizeof(DEVNAMES) + kText);
  auto* bytes = static_cast<char*>(GlobalLock(block));
  if (bytes == nullptr) return block;
  const std::string driver = "winspool";
  std::string device = vb::ToWindows1251(vb::Printer.DeviceName());
  device.resize(std::min(device.size(), kText - driver.size() - 3));
  std::string port = vb::ToWindows1251(vb::Printer.Port());
  port.resize(std::min(port.size(), kText - driver.size() - device.size() - 3));
  DEVNAMES names;
  names.wDriverOffset = sizeof(DEVNAMES);
  names.wDeviceOffset = static_cast<WORD>(names.wDriverOffset + driver.size() + 1);
  names.wOutputOffset = static_cast<WORD>(names.wDeviceOffset + device.size() + 1);
  std::memcpy(bytes, &names, sizeof names);
  std::memcpy(bytes + names.wDriverOffset, driver.c_str(), driver.size() + 1);
  std::memcpy(bytes + names.wDeviceOffset, device.c_str(), device.size() + 1);
  std::memcpy(bytes + names.wOutputOffset, port.c_str(), port.size() + 1);
  GlobalUnlock(block);
  return block;
}

// The device mode the dialog handed back, read while the block is locked.
std::optional<DEVMODEA> ReturnedDevMode(HGLOBAL block) {
  const auto* dm = static_cast<const DEVMODEA*>(GlobalLock(block));
  if (dm == nullptr) return std::nullopt;
  std::optional<DEVMODEA> copy;
  if (GlobalSize(block) >= sizeof(DEVMODEA)) copy = *dm;
  GlobalUnlock(block);
  return copy;
}

// A printer without one of these settings keeps going.
template <typename Setter>
void Apply(Setter set) {
  try {
    set();
  } catch (const vb::Error&) {
  }
}

}  // namespace

void clsCommonDialog::ShowPrinter() {
  PRINTDLGA pd;
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = hOwner;
  pd.hDevMode = CurrentDevMode();
  pd.hDevNames = CurrentDevNames();
  pd.hDC = GetDC(hOwner);
  pd.Flags = static_cast<DWORD>(flags) & kPrintFlags;
  const HDC ownerDc = pd.hDC;
  lastResult_ = PrintDlgA(&pd);
  if (ownerDc != 0) ReleaseDC(hOwner, ownerDc);
  const std::optional<DEVMODEA> chosen = lastResult_ != 0 ? ReturnedDevMode(pd.hDevMode) : std::nullopt;
  // Both blocks go whether the dialog was cancelled or not.
  GlobalFree(pd.hDevMode);
  GlobalFree(pd.hDevNames);
  if (lastResult_ == 0) {
    Cancelled();
    return;
  }
  if (!chosen) return;
  const char* end = std::find(chosen->dmDeviceName, chosen->dmDeviceName + CCHDEVICENAME, '\0');
  const std::u16string name = vb::FromWindows1251(std::string_view(chosen->dmDeviceName, static_cast<std::size_t>(end - chosen->dmDeviceName)));
  auto fold = [](const std::u16string& s) { return vb::LCase(s); };
  if (fold(name) != fold(vb::Printer.DeviceName())) {
    for (int i = 0; i < vb::Printers.Count(); ++i) {
      if (fold(vb::Printers.Item(i).DeviceName) == fold(name)) {
        vb::Printer.Select(i);
        break;
      }
    }
  }
  Apply([&] { vb::Printer.Copies(chosen->dmCopies); });
  Apply([&] { vb::Printer.Duplex(chosen->dmDuplex); });
  Apply([&] { vb::Printer.Orientation(chosen->dmOrientation); });
}
