// The runtime's printer objects: Printer, the current printer the program prints on, and Printers,
// the printers there are. A printer named "PDF" that writes PDF files is always in the list, so
// printing works on a machine with no printers.
//
// Geometry follows the runtime: Width and Height are the paper's size in twips; ScaleWidth and
// ScaleHeight the printable area in ScaleMode units (1 twips, 2 points, 3 pixels, 4 characters,
// 5 inches, 6 millimetres, 7 centimetres), whose top-left corner is the origin of CurrentX/CurrentY
// and of the hDC. Settings apply to the next document; a document starts with the first Print,
// NewPage or hDC and ends with EndDoc.
#pragma once

#include <string>
#include <string_view>

#include "platform/win/types.h"

namespace vb {

constexpr int vbPRORPortrait = 1;
constexpr int vbPRORLandscape = 2;
constexpr int vbPRCMMonochrome = 1;
constexpr int vbPRCMColor = 2;
constexpr int vbPRPQDraft = -1;
constexpr int vbPRPQLow = -2;
constexpr int vbPRPQMedium = -3;
constexpr int vbPRPQHigh = -4;
constexpr int vbPRPSLetter = 1;
constexpr int vbPRPSLegal = 5;
constexpr int vbPRPSA3 = 8;
constexpr int vbPRPSA4 = 9;
constexpr int vbPRPSA5 = 11;
constexpr int vbPRPSB4 = 12;
constexpr int vbPRPSB5 = 13;
// Two-sided printing; the device mode's duplex field takes the same numbers.
constexpr int vbPRDPSimplex = 1;
constexpr int vbPRDPHorizontal = 2;  // pages turn about their long edge (in portrait)
constexpr int vbPRDPVertical = 3;    // pages turn about their short edge

// Invalid values raise 380; a document the printer cannot start raises 482.
class PrinterObject {
 public:
  std::u16string DeviceName() const;
  int Orientation() const;
  void Orientation(int orientation);
  int PaperSize() const;
  void PaperSize(int paperSize);
  int ColorMode() const;
  void ColorMode(int colorMode);
  // vbPRPQDraft..vbPRPQHigh, or dots per inch.
  int PrintQuality() const;
  void PrintQuality(int quality);
  int Copies() const;
  void Copies(int copies);
  // vbPRDPSimplex, vbPRDPHorizontal or vbPRDPVertical; a printer that prints one side only prints
  // one side whatever is asked.
  int Duplex() const;
  void Duplex(int duplex);
  // The name the next document carries: the print queue's job name, the PDF file's title. Empty
  // (as at first) gives the program's name.
  std::u16string JobName() const;
  void JobName(std::u16string_view name);
  // Where the printer's output goes (platform::printing::PortOf).
  std::u16string Port() const;
  std::u16string FontName() const;
  void FontName(std::u16string_view name);
  double FontSize() const;
  void FontSize(double points);

  int ScaleMode() const;
  void ScaleMode(int scaleMode);
  double ScaleWidth() const;
  double ScaleHeight() const;
  double Width() const;
  double Height() const;
  double CurrentX() const;
  void CurrentX(double x);
  double CurrentY() const;
  void CurrentY(double y);
  // Converts a horizontal (ScaleX) or vertical (ScaleY) length between scale modes; pixels are the
  // printer's.
  double ScaleX(double value, int fromScale, int toScale) const;
  double ScaleY(double value, int fromScale, int toScale) const;

  // The device context of the open document (opening one when none is).
  win::LONG_PTR hDC();
  // Prints a line of text at CurrentX/CurrentY in the printer's font; the next line starts at the
  // left edge below it.
  void Print(std::u16string_view text = {});
  void NewPage();
  // Ends the document and sends it to the printer (or the PDF file).
  void EndDoc();

  // Set Printer = Printers(index): false for an index out of range or while a document is open.
  bool Select(int index);
};

extern PrinterObject Printer;

struct PrinterEntry {
  std::u16string DeviceName;
};

class PrintersCollection {
 public:
  int Count() const;
  // 0-based, in the order the system lists its printers; the PDF printer comes last.
  PrinterEntry Item(int index) const;
};

extern PrintersCollection Printers;

}  // namespace vb

namespace platform::printing {

inline constexpr char16_t kPdfPrinterName[] = u"PDF";

// The file the PDF printer writes: by default "Quillmark.pdf" in the documents folder as the desktop
// names it (XDG user directories; "Documents" in the home folder without them), which is made when
// it is missing; a file set here (or chosen in the print dialog) is written where it says, and a
// folder of it that does not exist is told as the printer's error. An empty path restores the
// default.
void SetPdfOutputPath(std::u16string_view path);
std::u16string PdfOutputPath();

// The system's default printer, or the PDF printer when the system names none.
std::u16string DefaultPrinterName();

// Where a printer's output goes, as the print system knows it: a queue's device address
// ("ipp://host/ipp/print", "usb://Maker/Model", "file:/dev/null"), the PDF printer's file; empty
// for a printer the print system does not know.
std::u16string PortOf(std::u16string_view device);

}  // namespace platform::printing
