// Printing the document as the print command and the print confirmation do it: the printer set up
// from the stored print preferences, the number of copies and the four page margins taken from the
// settings dialog's printing boxes (millimetres, converted to twips as value / 10 x 567), then the
// editor's whole text printed page by page.
//
// Every value is checked before anything is printed: a stored paper size must be one of the five
// the settings offer (or none), copies a whole number from 1 to 99, each margin a number of
// millimetres from 0 to 999, and the margins must leave room on the paper.
// A value that fails, a printer that is missing or cannot print (for the PDF printer: the file it
// could not write, and why), is told in a Russian message box under the program's title; nothing is
// printed then and the document is not touched.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "mainwindow/preference_openers.h"

namespace vb {
class RichTextBox;
}

namespace print_job {

// The margins in twips, in the order the printing routine takes them.
struct Margins {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};

// The settings dialog's boxes as they are now (loading the dialog unseen when it is not loaded). A
// box left empty because nothing is stored for it yet (a new profile) gives the dialog's default:
// 1 copy, margins 20, 5, 5 and 5 mm (left, top, right, bottom).
mainwindow::PrintBoxes CurrentBoxes();

// The number of copies of the copies box, or nothing when it holds no whole number from 1 to 99.
std::optional<int> CopiesOf(const mainwindow::PrintBoxes& boxes);
// The margins of the four boxes in twips, or nothing when a box holds no number from 0 to 999.
std::optional<Margins> MarginsOf(const mainwindow::PrintBoxes& boxes);

// The caption of the choice the print preference "PrintQuality", "ColorMode" or "Orientation" holds
// ("Черновое", "Цветная", "Книжная" and so on); empty when it names none of the known choices.
std::u16string ShownChoice(std::u16string_view preference);

// The print preferences ("PrintQuality", "ColorMode", "Orientation", "PaperSize") onto the current
// printer; a value that names none of the known choices leaves that setting as it was.
void SetUpPrinterFromPreferences();

// Checks the boxes and the printer, telling the first problem in a message box; true when
// printing may go on. With `setCopies` the number of copies is given to the printer.
bool CheckBeforePrinting(const mainwindow::PrintBoxes& boxes, bool setCopies);

// Prints the editor's text with the boxes' margins after the checks above, as a job named after the
// document (its file's name, or "Документ" for a document with no file); a printer that fails
// while printing is told too, and the PDF printer tells the file it wrote. True when the document
// went to the printer.
bool PrintEditor(vb::RichTextBox& editor, const mainwindow::PrintBoxes& boxes);

}  // namespace print_job
