// Every key and value the programs keep in the current user's registry (root HKEY_CURRENT_USER),
// for the calls of core/registry.h. Value kinds:
//   flag    text "1" on, "0" off; an absent flag reads as empty, which is neither
//   choice  a fixed word or digit, or a list index, as text
//   number  decimal text
//   switch  a 32-bit value, 1 on and 0 off; absent reads as 0
//   text    any text
// Nothing writes defaults: an absent value reads as empty text or 0.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace settings {

// ---- Key paths ----
inline constexpr std::u16string_view kProgramKey = u"Software\\Brannoch Tovin\\Quillmark 3.0";
inline constexpr std::u16string_view kPreferencesKey = u"Software\\Brannoch Tovin\\Quillmark 3.0\\Preferences";
inline constexpr std::u16string_view kDialogsKey = u"Software\\Brannoch Tovin\\Quillmark 3.0\\Preferences\\Dialogs";
inline constexpr std::u16string_view kLockedKey = u"Software\\Brannoch Tovin\\Quillmark 3.0\\Preferences\\Locked";
inline constexpr std::u16string_view kSoundsKey = u"Software\\Brannoch Tovin\\Quillmark 3.0\\Preferences\\Sounds";
inline constexpr std::u16string_view kToolBarsKey = u"Software\\Brannoch Tovin\\Quillmark 3.0\\Preferences\\ToolBars";
inline constexpr std::u16string_view kToolBarsStandartKey =
    u"Software\\Brannoch Tovin\\Quillmark 3.0\\Preferences\\ToolBars\\Standart";
inline constexpr std::u16string_view kToolBarsDecodeKey =
    u"Software\\Brannoch Tovin\\Quillmark 3.0\\Preferences\\ToolBars\\Decode";
inline constexpr std::u16string_view kClipboardKey = u"Software\\Brannoch Tovin\\Quillmark 3.0\\Clipboard";

// ---- kPreferencesKey ----
namespace preferences {
// General and window values.
inline constexpr std::u16string_view kFirstRun = u"FirstRun";        // flag: show the preview notice at start
inline constexpr std::u16string_view kManyCopies = u"ManyCopies";    // flag, tested against "0": one copy only
inline constexpr std::u16string_view kTopMost = u"TopMost";          // flag: windows stay above others
inline constexpr std::u16string_view kSaveWindowPositionAndSize = u"SaveWindowPositionAndSize";  // flag
inline constexpr std::u16string_view kMainLeft = u"MainLeft";        // number: main window placement
inline constexpr std::u16string_view kMainTop = u"MainTop";          // number
inline constexpr std::u16string_view kMainWidth = u"MainWidth";      // number
inline constexpr std::u16string_view kMainHeight = u"MainHeight";    // number
inline constexpr std::u16string_view kWindowState = u"WindowState";  // choice: "0" normal, "2" maximised
inline constexpr std::u16string_view kMessageOnExit = u"MessageOnExit";    // flag: confirm the exit
inline constexpr std::u16string_view kSaveChange = u"SaveChange";          // flag: ask to save at exit
inline constexpr std::u16string_view kClearClipboard = u"ClearClipboard";  // flag: empty the clipboard at exit
inline constexpr std::u16string_view kStyle = u"Style";                    // choice: "System" or "OfficeXP"
inline constexpr std::u16string_view kToolBarStandart = u"ToolBarStandart";  // flag: standard toolbar shown
// flag: conversion toolbar shown. The main window reads it as "ToolbarDecode", the same value since
// names compare without regard to case.
inline constexpr std::u16string_view kToolBarDecode = u"ToolBarDecode";
inline constexpr std::u16string_view kViewMode = u"ViewMode";                // flag: word wrap
inline constexpr std::u16string_view kFullScreenLeft = u"FullScreenLeft";    // number: full-screen exit bar
inline constexpr std::u16string_view kFullScreenTop = u"FullScreenTop";      // number

// Conversion values.
inline constexpr std::u16string_view kDefaultCode = u"DefaultCode";  // choice: direction index 0 to 19
inline constexpr std::u16string_view kStartAtStartup = u"StartAtStartup";  // flag: convert the clipboard at start
inline constexpr std::u16string_view kStartAtOpen = u"StartAtOpen";        // flag: convert after opening
inline constexpr std::u16string_view kStartAtImport = u"StartAtImport";    // flag: convert after importing
inline constexpr std::u16string_view kDecodeAtCodeChange = u"DecodeAtCodeChange";  // flag
inline constexpr std::u16string_view kClipboardDetect = u"ClipboardDetect";        // flag: clipboard watch runs
inline constexpr std::u16string_view kDecodeClipboard = u"DecodeClipboard";        // flag: watch converts
inline constexpr std::u16string_view kClipboardText = u"ClipboardText";            // flag: watch appends

// Document, font and printing values.
inline constexpr std::u16string_view kFolderDocuments = u"FolderDocuments";  // text: dialogs' starting folder
inline constexpr std::u16string_view kShowInCaption = u"ShowInCaption";  // choice: "1" title, "2" path, "3" none
inline constexpr std::u16string_view kCreateBackup = u"CreateBackup";    // flag
inline constexpr std::u16string_view kCreateBackupIn = u"CreateBackupIn";  // choice: "1" beside, "2" BackupFolder
inline constexpr std::u16string_view kBackupFolder = u"BackupFolder";      // text: used as a prefix as stored
inline constexpr std::u16string_view kSaveFileName = u"SaveFileName";      // text: last document saved by name
inline constexpr std::u16string_view kFontName = u"FontName";              // text
// A font family's name is never longer than this: a longer stored name is no font's, and is read as
// no name at all (a megabyte "name" would otherwise keep the font matcher busy for minutes).
inline constexpr std::size_t kLongestFontName = 256;
inline constexpr std::u16string_view kFontSize = u"FontSize";              // text
inline constexpr std::u16string_view kTextExample = u"TextExample";        // text
inline constexpr std::u16string_view kPrintQuality = u"PrintQuality";  // choice: "vbPRPQDraft" ... "vbPRPQHigh"
inline constexpr std::u16string_view kOrientation = u"Orientation";    // choice: "vbPRORPortrait", "vbPRORLandscape"
inline constexpr std::u16string_view kColorMode = u"ColorMode";        // choice: "vbPRCMColor", "vbPRCMMonochrome"
inline constexpr std::u16string_view kPrinters = u"Printers";          // choice: printer list index
inline constexpr std::u16string_view kPrinterName = u"PrinterName";    // text
inline constexpr std::u16string_view kPaperSize = u"PaperSize";        // text
inline constexpr std::u16string_view kPositionLeft = u"PositionLeft";      // number: margins in millimetres
inline constexpr std::u16string_view kPositionTop = u"PositionTop";        // number
inline constexpr std::u16string_view kPositionWidth = u"PositionWidth";    // number: the right margin
inline constexpr std::u16string_view kPositionHeight = u"PositionHeight";  // number: the bottom margin
inline constexpr std::u16string_view kCopies = u"Copies";                  // number
}  // namespace preferences

// ---- kDialogsKey: switches ----
namespace dialogs {
inline constexpr std::u16string_view kSplash = u"Splash";        // show the splash window at start
inline constexpr std::u16string_view kWelcome = u"Welcome";      // show the welcome window at start
inline constexpr std::u16string_view kWorkBegin = u"WorkBegin";  // show the getting-started window at start
inline constexpr std::u16string_view kPrinting = u"Printing";    // show the print confirmation
}  // namespace dialogs

// ---- kLockedKey: the program lock ----
namespace locked {
inline constexpr std::u16string_view kUser = u"User";          // text
inline constexpr std::u16string_view kPassword = u"Password";  // text, as typed
inline constexpr std::u16string_view kTip = u"Tip";            // text: the password hint
inline constexpr std::u16string_view kDoNotShowPassword = u"DoNotShowPassword";  // switch: mask the password
}  // namespace locked

// ---- kSoundsKey: a flag per event, and the sound file in the value of the same name + "Path" ----
namespace sounds {
inline constexpr std::u16string_view kFormLoad = u"FormLoad";
inline constexpr std::u16string_view kFormLoadPath = u"FormLoadPath";
inline constexpr std::u16string_view kFormUnload = u"FormUnload";
inline constexpr std::u16string_view kFormUnloadPath = u"FormUnloadPath";
inline constexpr std::u16string_view kButtonMouseMove = u"ButtonMouseMove";
inline constexpr std::u16string_view kButtonMouseMovePath = u"ButtonMouseMovePath";
inline constexpr std::u16string_view kButtonMouseClick = u"ButtonMouseClick";
inline constexpr std::u16string_view kButtonMouseClickPath = u"ButtonMouseClickPath";
inline constexpr std::u16string_view kKeyDown = u"KeyDown";
inline constexpr std::u16string_view kKeyDownPath = u"KeyDownPath";
}  // namespace sounds

// ---- kToolBarsKey: flags ----
namespace toolbars {
inline constexpr std::u16string_view kUseLargeIcons = u"UseLargeIcons";
inline constexpr std::u16string_view kShowToolTips = u"ShowToolTips";  // tested against "0": tips off only then
inline constexpr std::u16string_view kHideInfrequently = u"HideInfrequently";  // "1": menus show all items

// kToolBarsStandartKey and kToolBarsDecodeKey hold one switch per button position, named by the
// position as two digits ("00" to "39" and "00" to "07"): non-zero shows the button.
inline constexpr int kStandartPositions = 40;
inline constexpr int kDecodePositions = 8;
inline std::u16string PositionName(int position) {
  return {static_cast<char16_t>(u'0' + position / 10), static_cast<char16_t>(u'0' + position % 10)};
}
}  // namespace toolbars

// ---- kClipboardKey ----
namespace clipboard {
inline constexpr std::u16string_view kClipboardText = u"ClipboardText";  // text: last clipboard text seen
}  // namespace clipboard

}  // namespace settings
