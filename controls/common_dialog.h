// clsCommonDialog: one object in front of the common dialogs (open and save file, colour, font,
// printer, help) and the shell's dialogs (shut down, restart, Run, format, icon picker, folder
// browser, object properties, about box). The caller sets the properties, calls one dialog method
// and reads the results from the same properties, which keep their values between calls; a new
// object holds zeros, False and empty texts.
//
// A cancelled common dialog changes no result; with CancelError set it raises error 0 (no source,
// no description). The shell methods raise nothing of their own: a cancelled folder browse leaves
// InitDir as it was.
#pragma once

#include <cstdint>
#include <string>

#include "platform/gdi/types.h"

namespace win {
struct CHOOSEFONTA;
}

class clsCommonDialog {
 public:
  bool CancelError = false;
  win::HWND hOwner = 0;
  std::int32_t flags = 0;
  std::u16string DialogTitle;
  std::u16string DialogPrompt;  // folder browser's instruction, restart and Run prompt, about text
  std::u16string AppName;       // the about box's first text
  win::HICON hIcon = 0;         // the about box's and the Run dialog's icon; ShowIcon's result
  bool Bold = false;
  std::u16string FontName;
  std::int32_t FontSize = 0;  // whole points
  bool Italic = false;
  bool StrikeThru = false;
  bool Underline = false;
  std::u16string DefaultExt;
  std::u16string Filename;   // at most 255 characters for the file dialogs, 260 for ShowIcon
  std::u16string FileTitle;  // the chosen file's name without its folder
  // Pairs of description and pattern, each part closed by "|": "Текст (*.txt)|*.txt|".
  std::u16string Filter;
  std::int32_t FilterIndex = 0;
  std::u16string InitDir;  // the file dialogs' start folder (the program's when empty); ShowFolder's result
  std::int32_t HelpCommand = 0;
  std::u16string HelpFile;
  std::int32_t HelpKey = 0;
  std::int32_t RGBResult = 0;  // 0x00BBGGRR

  // The shell's dialogs.
  // Asks, and on Yes has the desktop's login manager switch the computer off.
  void ShowShutDown();
  // Shows DialogPrompt and asks; on Yes restarts, switches off or ends the session as flags & 7 say.
  void ShowRestart();
  // The Run window: DialogTitle, DialogPrompt and hIcon; the Run flags are (flags & 0xF0) / 16. The
  // command typed starts as a program and its arguments, cut at spaces with double quotes grouping
  // (no shell reads it: platform/shell/shell.h says how).
  void ShowRun();
  // Returns the format id used or the platform's negative codes: drives by number have no meaning
  // on this desktop, so always "cannot be formatted".
  std::int32_t ShowFormat(std::int32_t drive, std::int32_t formatId, std::int32_t options);
  // The icon picker over Filename (an .ico file or a folder of them), which comes back padded with
  // NULs to 260 characters; a choice puts a copy of the large or small icon into hIcon. Raises 5
  // for a Filename longer than 260 characters.
  void ShowIcon(bool large);
  // The folder browser rooted at startPath (the whole namespace when empty), with DialogPrompt as
  // its instruction; flags & 0x7001 when that is 0x1000 or more, else 1 (file-system folders only).
  void ShowFolder(const std::u16string& startPath = {});
  // By (flags & 0xF00) / 256: 1 a printer's settings, 2 a file's or folder's properties window,
  // 8 the desktop's display settings; 7 (the recycle folder) and others show nothing.
  void ShowObjectProp(const std::u16string& objectName, const std::u16string& pageName);
  void ShowAbout();

  // The common dialogs.
  void ShowOpen();
  void ShowSave();
  void ShowHelp();
  void ShowColor();
  void ShowFont();
  // The dialog starts on the current printer with its orientation and duplex, and is told its
  // port; the current printer becomes the one chosen, with its copies, duplex and orientation.
  void ShowPrinter();

 private:
  void ShowFile(bool save);
  // The chosen font's record into the font properties.
  void TakeFont(const win::LOGFONTA& lf, const win::CHOOSEFONTA& cf);
  void Cancelled();
  win::LONG_PTR lastResult_ = 0;
};
