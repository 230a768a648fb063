// The common dialog control: open and save file dialogs, colour, font and printer dialogs. The
// caller sets the properties, calls a Show method and reads the results from the same properties,
// which keep their values between uses. Every dialog passes the script hook first (script.h).
#pragma once

#include <cstdint>
#include <string>

namespace vb {

// The error a cancelled dialog raises when CancelError is set.
constexpr std::int32_t cdlCancel = 32755;
// Flags of the file dialogs.
constexpr std::int32_t cdlOFNOverwritePrompt = 0x2;

class CommonDialog {
 public:
  bool CancelError = false;
  std::u16string DialogTitle;
  // Pairs of description and pattern, each followed by "|": "Текстовые файлы (*.txt)|*.txt|".
  // A pattern may list several, separated by ";".
  std::u16string Filter;
  int FilterIndex = 1;  // 1-based; after a file dialog, the filter that was selected
  // Appended to a saved file's name that has none. Only the first extension of a text such as
  // "*.txt|*.*" counts ("txt"); a text of wildcards only gives none.
  std::u16string DefaultExt;
  // The folder a file dialog opens in; the current folder when empty.
  std::u16string InitDir;
  // The chosen file with its folder; empty after a cancelled open or save.
  std::u16string FileName;
  // The chosen file's name without its folder.
  std::u16string FileTitle;
  std::int32_t Flags = 0;
  std::int32_t Color = 0;  // 0x00BBGGRR
  std::u16string FontName;
  double FontSize = 0;
  bool FontBold = false;
  bool FontItalic = false;
  bool FontUnderline = false;
  bool FontStrikethru = false;

  // A cancelled dialog changes nothing else and raises cdlCancel when CancelError is set. Script
  // answers: file dialogs take the path, the colour dialog a decimal colour, the font dialog a
  // face name optionally followed by "|" and a size, the printer dialog a device name.
  void ShowOpen();
  void ShowSave();
  void ShowColor();
  void ShowFont();
  // Sets the current printer (vb::Printer), its copies and orientation from the user's choice.
  void ShowPrinter();

 private:
  void ShowFile(bool save);
  void Cancelled();
};

}  // namespace vb
