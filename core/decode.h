// Code-page conversion: re-maps the Cyrillic letters of a text from one code page to another.
//
// A text whose bytes were written in one code page but are shown as Windows 1251 is made readable by
// replacing each letter's rendering in the source page with its rendering in the target page.
//
// Code page numbers: 1 "DOS 866", 2 "Windows 1251", 3 "UNIX KOI-8", 4 "ISO 8859-5", 5 "MAC Apple".
// The windows' lists show the five names in this order with list index 0 to 4 (number = index + 1).
//
// A conversion direction is one of the 20 ordered pairs of different code pages, numbered
// source list index * 4 + the target's position among the other four names in list order;
// its name is the source name, " -> " and the target name.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/state_flag.h"

namespace modDecode {

inline constexpr int kCodePageCount = 5;
inline constexpr int kDirectionCount = 20;

// The name of the code page at list index 0 to 4 ("DOS 866" ...), or empty for any other index.
std::u16string_view CodePageName(int listIndex);

// The 64-character letter table of code page number 1 to 5, or empty for any other number.
// Position k (0-based here) belongs to the k-th letter of А..Я followed by а..я (Ё and ё are not
// in it) and holds that letter's byte in the code page read as a Windows-1251 character; byte
// 0x98, which Windows 1251 leaves undefined, stands as U+0098.
std::u16string GetCodePageTable(int codePage);

// A copy of `text` in which every character found in `sourceTable` is replaced by the character of
// `targetTable` at the first position where it occurs in `sourceTable`. Characters not found, or
// found at a position `targetTable` does not reach, stay as they are. Each character is looked up
// in the input, so a letter is mapped at most once.
std::u16string MapCharacters(std::u16string_view text, std::u16string_view targetTable,
                             std::u16string_view sourceTable);

// MapCharacters of the text with the tables of the target and source code page numbers (1 to 5).
// A number outside 1 to 5 maps nothing: the copy equals the text.
std::u16string ConvertText(std::u16string_view text, int sourceCodePage, int targetCodePage);

// Source and target list indexes (0 to 4) of a direction.
struct DirectionPages {
  int sourceListIndex;
  int targetListIndex;
};

// The direction index (0 to 19) of a pair of list indexes, or nullopt when either index is out of
// range or both are the same.
std::optional<int> DirectionIndex(int sourceListIndex, int targetListIndex);
// The list indexes of direction 0 to 19, or nullopt for any other index.
std::optional<DirectionPages> DirectionCodePages(int direction);
// "DOS 866 -> Windows 1251" for direction 0 ... "MAC Apple -> ISO 8859-5" for 19; empty for any
// other index.
std::u16string DirectionName(int direction);

// The default direction, stored as "DefaultCode": the whole number 0 to 19 it holds, else 0 (the
// first direction), also when nothing is stored. The direction lists show it and the conversion
// toolbar's Start runs it, so what a list shows is what runs.
int StoredDefaultDirection();

// --- The conversion run over the main window's editor ----------------------------------------------

// A conversion has been applied to the editor's text (and TextBeforeDecode holds the text before it).
// Set by every completed run and by the clipboard watch when it converts; cleared when the main window
// loads and when another document is opened or imported, so undo never brings back another
// document's text.
inline core::StateFlag DocumentDecoded;
// The user asked the running conversion to stop.
inline bool DecodeCancelled = false;
// The editor's whole text before the last completed conversion.
inline std::u16string TextBeforeDecode;

// True while a conversion run is under way: nothing else may change the document or start another
// conversion then (the run lets window events through while it shows its progress).
bool DecodeRunning();

// Converts the main window's editor text from the code page of its first selector to that of its
// second, after a progress run the user may cancel. An empty editor gets a notice; selectors without
// a code page convert nothing.
void DecodeDocument();
// Asks the running conversion to stop; a request made while none runs is forgotten by the next run.
void CancelDecode();
// Puts the text before the last conversion back into the editor.
void UndoDecode();

}  // namespace modDecode
