// The routing of a chosen command to its handler, by the command's key alone: the key's leading
// words are matched, in whole words, with the keys of the command table (mainwindow/command_table.h)
// until one names a row that runs something; that row's handler (or conversion direction) runs, and
// further words after it change nothing. A key whose leading words name no button, a menu-bar entry,
// an item that opens a sub-menu, a separator, the conversion toolbar's panel and any first word but
// "MENU", "TOOLBAR" and "TOOLBAR2" (the toolkit's "CHEVRON") run nothing and show nothing.
// Comparisons are exact and case-sensitive.
//
// While a conversion runs (it lets window events through while it shows its progress), the commands
// that would change the document (new, open, reopen, import, insert, paste, cut, delete, clear,
// case, indent, undo and redo of edits, the conversion toolbar's Start) run nothing; Stop and
// everything else still work.
//
// What frmMain calls: it derives from CommandTarget (overriding the handlers it has) and its
// cmdBar_ButtonClick calls RouteButtonClick(btn.Key(), *this), whichever element raised the event.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mainwindow {

// The handlers the routing runs, one member per handler.
class CommandTarget {
 public:
  virtual ~CommandTarget() = default;

  // Menu and toolbar commands of the editor, files, search, view, insert, format, service and
  // help. A handler the window does not (yet) have does nothing.
  virtual void CmdFileNew() {}
  virtual void CmdFileOpen() {}
  virtual void CmdFileSave() {}
  virtual void CmdToolbarSave() {}
  virtual void CmdFileSaveAs() {}
  virtual void CmdFileImportRtf() {}
  virtual void CmdFilePrint() {}
  virtual void CmdFilePrintSettings() {}
  virtual void CmdFileProperties() {}
  virtual void CmdFileExit() {}
  virtual void CmdEditCut() {}
  virtual void CmdEditCopy() {}
  virtual void CmdEditPaste() {}
  virtual void CmdEditDelete() {}
  virtual void CmdEditSelectAll() {}
  virtual void CmdEditClear() {}
  virtual void CmdFindFind() {}
  virtual void CmdFindNext() {}
  virtual void CmdFindReplace() {}
  virtual void CmdFindGoTo() {}
  virtual void SetTopMost() {}
  virtual void CmdViewFullScreen() {}
  virtual void CmdViewCustomize() {}
  virtual void CmdViewToolbarsStandart() {}
  virtual void CmdViewToolbarsDecode() {}
  virtual void CmdViewToolbarsCustomize() {}
  virtual void CmdInsertTimeAndDate() {}
  virtual void CmdInsertTextFile() {}
  virtual void CmdFormatFont() {}
  virtual void CmdFormatOutdent() {}
  virtual void CmdFormatIndent() {}
  virtual void CmdFormatAllTextUpper() {}
  virtual void CmdFormatAllTextLower() {}
  virtual void CmdFormatSelTextUpper() {}
  virtual void CmdFormatSelTextLower() {}
  virtual void CmdServiceSettings() {}
  virtual void CmdServiceLocked() {}
  virtual void CmdHelpLicense() {}
  virtual void CmdHelpAuthorMail() {}
  virtual void CmdHelpVisitHomePage() {}
  virtual void CmdHelpAbout() {}

  // The core's own routines, called directly.
  virtual void ReloadDocument();
  virtual void UndoEdit();
  virtual void RedoEdit();
  virtual void UndoDecode();
  virtual void CancelDecode();

  // The conversion commands of the window.
  virtual void CmdDecodeDialog() = 0;
  virtual void CmdDecodeWizard() = 0;
  // Converts in direction 0 ("DOS 866 -> Windows 1251") to 19 ("MAC Apple -> ISO 8859-5").
  virtual void ConvertDirection(int direction) = 0;
  // Converts in the stored default direction.
  virtual void StartDecode() = 0;
  // Unloads the conversion progress window when it is loaded.
  virtual void UnloadDecodingWindow() = 0;

  // The conversion toolbar's Start: clears a cancel request made while nothing ran, so that it does
  // not stop this run, then StartDecode. Its Stop: CancelDecode, then UnloadDecodingWindow, as the
  // progress window's own Cancel does after its question.
  void DecodeToolbarStart();
  void DecodeToolbarStop();
};

// The words of a key split at every ":"; empty words count ("" gives one empty word).
std::vector<std::u16string> SplitCommandKey(std::u16string_view key);

// A chosen button, menu item or shortcut: runs the command of the button's key.
void RouteButtonClick(std::u16string_view key, CommandTarget& target);

}  // namespace mainwindow
