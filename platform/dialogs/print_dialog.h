// The print dialog of the common dialog library. The caller hands it the printer to start with in
// a device mode block (its printer, and its orientation and duplex where its fields say so) and gets
// the chosen printer back in the same block and in a device names block (both global memory, made
// by the dialog when the caller gives none). The dialog passes the script hook first (script.h):
// the answer's text is the chosen printer's device name, optionally followed by "|" and the duplex
// value chosen; the hook is told the port the caller's device names give (Shown::text).
#pragma once

#include "platform/gdi/types.h"
#include "platform/win/global_memory.h"

namespace win {

constexpr int CCHDEVICENAME = 32;
constexpr int CCHFORMNAME = 32;

// The device mode as far as the print dialog reads and writes it; names in Windows-1251.
struct DEVMODEA {
  char dmDeviceName[CCHDEVICENAME] = {};
  WORD dmSpecVersion = 0;
  WORD dmDriverVersion = 0;
  WORD dmSize = 0;
  WORD dmDriverExtra = 0;
  DWORD dmFields = 0;
  short dmOrientation = 0;
  short dmPaperSize = 0;
  short dmPaperLength = 0;
  short dmPaperWidth = 0;
  short dmScale = 0;
  short dmCopies = 0;
  short dmDefaultSource = 0;
  short dmPrintQuality = 0;
  short dmColor = 0;
  short dmDuplex = 0;
  short dmYResolution = 0;
  short dmTTOption = 0;
  short dmCollate = 0;
  char dmFormName[CCHFORMNAME] = {};
};
constexpr DWORD DM_ORIENTATION = 0x1;
constexpr DWORD DM_COPIES = 0x100;
constexpr DWORD DM_DUPLEX = 0x1000;
constexpr short DMORIENT_PORTRAIT = 1;
constexpr short DMORIENT_LANDSCAPE = 2;
constexpr short DMDUP_SIMPLEX = 1;
constexpr short DMDUP_VERTICAL = 2;    // two-sided, turned about the long edge (in portrait)
constexpr short DMDUP_HORIZONTAL = 3;  // two-sided, turned about the short edge

// Offsets in characters from the block's start to the driver, device and port names (each closed
// by a NUL).
struct DEVNAMES {
  WORD wDriverOffset = 0;
  WORD wDeviceOffset = 0;
  WORD wOutputOffset = 0;
  WORD wDefault = 0;
};

struct PRINTDLGA {
  DWORD lStructSize = 0;
  HWND hwndOwner = 0;
  HGLOBAL hDevMode = 0;
  HGLOBAL hDevNames = 0;
  HDC hDC = 0;
  DWORD Flags = 0;
  WORD nFromPage = 0;
  WORD nToPage = 0;
  WORD nMinPage = 0;
  WORD nMaxPage = 0;
  WORD nCopies = 0;
  HINSTANCE hInstance = 0;
  LPARAM lCustData = 0;
  void* lpfnPrintHook = nullptr;
  void* lpfnSetupHook = nullptr;
  const char16_t* lpPrintTemplateName = nullptr;
  const char16_t* lpSetupTemplateName = nullptr;
  HGLOBAL hPrintTemplate = 0;
  HGLOBAL hSetupTemplate = 0;
};
constexpr DWORD PD_RETURNDC = 0x100;

// Non-zero when the user chose a printer: the device mode then holds its device name, orientation,
// copies and duplex (a scripted answer gives the duplex only when it names one, and keeps the
// rest as it was), the device names its driver ("winspool"), device and port
// (platform::printing::PortOf) names.
BOOL PrintDlgA(PRINTDLGA* pd);

}  // namespace win
