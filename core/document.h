// The document files: open, reload, save as, save (with backup copies), import into the hidden
// import buffer, and emptying the clipboard. The routines act on the main window's editor, import
// buffer and shared open/save dialog (core/main_window.h).
//
// The body of the next backup (the document's file as it was opened, reloaded or last saved with a
// backup) is kept here as the bytes to write: an RTF document's backup is its RTF file.
//
// The path of the document in the editor is kept here, not read back from the shared dialog (which
// other commands use too): Reload reads that file again and Save writes only to it. A document file
// is Windows-1251 text; every line keeps the line break it had in the file, and one final line break
// is written back as it was (core/document_file.h), so bytes the user did not touch stay as they
// were. Saving over an RTF file (which would lose its formatting) asks first.
#pragma once

#include <cstddef>
#include <string>

#include "core/state_flag.h"

namespace modDocument {

// A document has been opened or imported from a file: the Reload commands are offered.
inline core::StateFlag DocumentOpened;
// The document in the editor was written by Save As: the Save command is offered and writes there.
inline core::StateFlag DocumentSavedAs;

// The document in the editor was taken from the copy that a save cut short left beside its file
// (the user chose it as the document was opened): the file itself does not hold it yet.
inline bool DocumentRecovered = false;

// The file of the document in the editor, or empty.
const std::u16string& DocumentPath();

// True when a document was loaded (a cancelled dialog or progress window, or a file that cannot be
// read, loads none).
bool OpenDocument();
bool ReloadDocument();
// True when the document was written.
bool SaveDocumentAs();
// True when the document was written to its file.
bool SaveDocument();
// Loads a chosen file into the import buffer; true when one was loaded. The calling command moves
// the buffer's text into the editor and then calls ConvertAfterImport.
bool ImportDocument(const std::u16string& filter, const std::u16string& defaultExt, const std::u16string& title);
// Converts the imported text in the preferred direction when "StartAtImport" is "1".
void ConvertAfterImport();
void ClearClipboardContents();

// Forgets the document (the main window's load).
void Reset();

// A document of this many characters or more (12 MB: over half a second of filling the editor
// here) goes into the editor a step at a time, so that the open progress window
// (core/main_window.h) can show and its Cancel stop the open, leaving the editor, the document and
// its file name as they were; a smaller one goes in at once. The window shows once an open has run
// `OpenProgressDelayMs` milliseconds. Tests lower both.
inline std::size_t StepwiseOpenFrom = std::size_t{12} << 20;
inline int OpenProgressDelayMs = 500;

}  // namespace modDocument
