// frmMain: the editor's main window, the one window that holds the document. Its controls are the
// program's shared objects (the editor, the hidden code-page selectors, the direction list, the
// shared file dialog, the command bars and the timers), public under their own names so the core,
// the commands and the other windows reach them directly.
//
// Its code is split by concern: the inventory, load, resize and close here (main.cpp); the
// conversion commands (main_conversion.cpp); the editor's events and the clipboard watch
// (main_editor.cpp); the command-state refresh (main_state_refresh.cpp); printing and the document's
// properties (main_print_commands.cpp); the lock and the Help menu's windows
// (main_service_commands.cpp); the toolbar customisation command (main_toolbar_commands.cpp); the
// other menu and toolbar commands by menu: main_file_commands.cpp, main_edit_commands.cpp,
// main_format_commands.cpp, main_view_commands.cpp (view, the settings dialog's openers and the Help
// menu's links).
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "commandbars/button.h"
#include "commandbars/kest_command_bar.h"
#include "core/main_window.h"
#include "core/toolbar_visibility.h"
#include "mainwindow/command_icons.h"
#include "platform/vb/control_array.h"
#include "mainwindow/clipboard_memory.h"
#include "mainwindow/command_routing.h"
#include "mainwindow/command_state.h"
#include "platform/dialogs/common_dialog.h"
#include "platform/richedit/rich_text_box.h"
#include "platform/vb/clipboard.h"
#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "platform/vb/picturebox.h"
#include "platform/vb/window_control.h"

class frmMain : public vb::Form, public mainwindow::CommandTarget {
 public:
  // The design caption, until the "ShowInCaption" rule replaces it.
  static constexpr char16_t kDesignCaption[] = u"Brannoch Quillmark 3.0";

  // --- controls (twips) ---
  // 0 the menu bar, 1 the standard toolbar, 2 the conversion toolbar; more are loaded to host popups.
  vb::ControlArray<commandbars::kestCommandBar> cmdBar{*this};
  vb::PictureBox picLineMainMenu{*this};
  vb::PictureBox picLineToolBarStandart{*this};
  vb::PictureBox picLineToolBarDecode{*this};
  vb::PictureBox picEditor{*this};
  vb::Shape ShapeRichTextBox{picEditor};
  vb::WindowControl<vb::RichTextBox> RichTextBox{picEditor};
  vb::WindowControl<vb::RichTextBox> RichTextBoxBackup{*this};
  vb::WindowControl<vb::RichTextBox> RichTextBoxImport{*this};
  vb::WindowControl<vb::RichTextBox> rtfTemp{*this};
  vb::ComboBox Combo1{*this, vb::vbComboDropdownList};
  vb::ComboBox Combo2{*this, vb::vbComboDropdownList};
  vb::ComboBox cmbDecode{*this, vb::vbComboDropdownList};
  vb::CommonDialog CommonDialog;
  vb::PictureBox picInsert{*this};
  vb::Timer TimerEdit{*this};
  vb::Timer TimerClipboardDetect{*this};
  vb::Timer TimerClipboard{*this};
  vb::Timer TimerCommandBars{*this};
  vb::Timer TimerLoadToolBarButtons{*this};
  vb::Timer TimerUpdate{*this};

  // --- form-level state ---
  // The document's text changed since it was last saved.
  bool DocumentModified = false;
  // The clipboard text about to be put into the editor.
  std::u16string PendingClipboardText;

  // `endProgram` is what ends the program after the close sequence; the program's own ends it at
  // once, running no further window events. Tests pass one that only counts.
  explicit frmMain(std::function<void()> endProgram = EndAtOnce);
  ~frmMain() override;

  // --- conversion commands (the routing reaches them by key) ---
  // Runs the stored default direction ("DefaultCode"), the one the direction list shows.
  void StartDecode() override;
  // The direction list shows the stored default direction; showing it converts nothing.
  void ShowDefaultDirection();
  // One of the 20 direction commands (0 to 19): the pair goes into Combo1 and Combo2, then the
  // document is converted.
  void ConvertDirection(int direction) override;
  // The Decode menu's key of direction 0 to 19 ("MENU:DECODE:DOS:DW" ...), or empty.
  static std::u16string_view DirectionCommandKey(int direction);
  void CmdDecodeDialog() override;
  // Starts the Wizard program from this program's own folder.
  void CmdDecodeWizard() override;
  // Starts the file "Wizard" in `folder`; a missing or unstartable file is told and the program
  // goes on.
  void StartWizard(const std::u16string& folder);
  void UnloadDecodingWindow() override;

  // --- program lock and the Help menu's windows (main_service_commands.cpp) ---
  // With a user name or password stored: hides every window of the program, shows the lock window
  // modally and brings the windows back as they were once it is lifted.
  void CmdServiceLocked() override;
  void CmdHelpAbout() override;
  void CmdHelpLicense() override;

  // --- toolbar commands (main_toolbar_commands.cpp) ---
  void CmdViewToolbarsCustomize() override;

  // --- windows of the insert and view commands (main_view_window_commands.cpp) ---
  void CmdInsertTimeAndDate() override;
  void CmdViewFullScreen() override;

  // --- editor ---
  // What the paste and import commands call after they changed the text: marks the document.
  void RichTextBox_SelChange();
  // The save-as command: the save dialog, the document written, DocumentSavedAs set and the
  // document unmarked.
  void CmdFileSaveAs() override { SaveAs(); }
  // The same; false when the dialog was cancelled or the file was not written.
  bool SaveAs();

  // --- file commands ---
  // New and Open ask first whether to save a changed document when "SaveChange" is "1" (absent or
  // any other value asks nothing, as at exit).
  // Yes saves it where it belongs and goes on only when it was written. A loaded document is
  // unmodified (unless converted as it opened).
  void CmdFileNew() override;
  void CmdFileOpen() override;
  void ReloadDocument() override;
  // Saves to the document's own file; the document is unmarked only when it was written.
  void CmdFileSave() override;
  // Saves to the document's own file, or through the save dialog when it has none.
  void CmdToolbarSave() override;
  // The text of a chosen RTF file replaces the selection; the clipboard is not used.
  void CmdFileImportRtf() override;
  // The text of a chosen text file replaces the selection; the clipboard is not used. A file that
  // cannot be read shows the error and changes nothing.
  void CmdInsertTextFile() override;
  void CmdFileExit() override;

  // --- edit commands ---
  void CmdEditClear() override;
  void CmdEditCopy() override;
  void CmdEditCut() override;
  void CmdEditDelete() override;
  // The clipboard's text replaces the selection; the caret ends after it.
  void CmdEditPaste() override;
  void CmdEditSelectAll() override;

  // --- format commands ---
  // The paragraph indent 13 mm further in or out; never below 0.
  void CmdFormatIndent() override;
  void CmdFormatOutdent() override;
  // Case by Unicode, of the selection or of the whole text.
  void CmdFormatSelTextLower() override;
  void CmdFormatSelTextUpper() override;
  void CmdFormatAllTextLower() override;
  void CmdFormatAllTextUpper() override;
  void CmdFormatFont() override;

  // --- view, service and help commands ---
  // The toggles read their menu item's new check state, store it and act on it.
  void SetTopMost() override;
  void CmdViewToolbarsStandart() override;
  void CmdViewToolbarsDecode() override;
  void CmdViewCustomize() override;
  void CmdFilePrintSettings() override;
  void CmdServiceSettings() override;
  void CmdHelpAuthorMail() override;
  void CmdHelpVisitHomePage() override;

  // --- print and properties commands (main_print_commands.cpp) ---
  // The printer set up from the print preferences and the settings dialog's copies box, then the
  // document printed at once ("Printing" under "Preferences\Dialogs" 0 or absent) or the print
  // confirmation shown modal. Values that cannot be printed with are told and nothing is printed.
  void CmdFilePrint() override;
  // The document properties window, modal.
  void CmdFileProperties() override;

  // --- find, replace and go to line (main_find_commands.cpp) ---
  // The find window, modeless over this one; an empty document is told and opens nothing.
  void CmdFindFind() override;
  // Searches on from the end of the selection with the find window's text and options (that window
  // is loaded unseen when it is not loaded).
  void CmdFindNext() override;
  void CmdFindReplace() override;
  void CmdFindGoTo() override;

  // --- timers (the ticks run them; tests call them) ---
  void TimerEdit_Timer();
  void TimerClipboardDetect_Timer();
  void TimerClipboard_Timer();

  // The enabled state the refresh gave each of its commands at its last tick, by key.
  const std::map<std::u16string, bool, std::less<>>& CommandStates() const { return commandStates_; }

  // The window as the core's routines use it.
  class Services : public MainWindowServices {
   public:
    explicit Services(frmMain& form) : form_(form) {}
    vb::RichTextBox& RichTextBox() override { return *form_.RichTextBox; }
    vb::RichTextBox& RichTextBoxImport() override { return *form_.RichTextBoxImport; }
    vb::ComboBox& Combo1() override { return form_.Combo1; }
    vb::ComboBox& Combo2() override { return form_.Combo2; }
    vb::CommonDialog& CommonDialog() override { return form_.CommonDialog; }
    std::u16string Caption() override { return form_.Caption(); }
    void Caption(const std::u16string& caption) override { form_.Caption(caption); }
    void MousePointer(int pointer) override { form_.MousePointer(pointer); }
    void StartDecode() override { form_.StartDecode(); }
    void ShowDefaultDirection() override { form_.ShowDefaultDirection(); }
    void CoreStateChanged() override { form_.TimerEdit.Wake(); }

   private:
    frmMain& form_;
  } services{*this};

 protected:
  void Design() override;
  void Form_Load() override;
  void Form_Resize() override;
  void Form_Unload(int& cancel) override;
  void Form_Terminate() override;
  // A window of the program gains or loses activation: the command states are looked at again.
  void Form_Activate() override { TimerEdit.Wake(); }
  void Form_Deactivate() override { TimerEdit.Wake(); }

 private:
  void ConnectEditor(vb::RichTextBox& editor);
  void ApplyPlacement();
  void ApplyCaption();
  void ApplyEditorFont();
  void StorePlacement();
  void StoreWindowState();
  // The number of toolbars shown (the standard and the conversion toolbar).
  int VisibleToolbarCount();
  // Places the bars, their lines and the editing area one under the other from the top; hidden
  // ones take no room.
  void StackFromTop();
  void SetCommandEnabled(std::u16string_view key, bool enabled);
  // The save question of New and Open: true when the command goes on.
  bool SaveQuestion();
  // Saves to the document's own file when it has one, else through the save dialog; true when
  // the file was written.
  bool SaveWhereItBelongs(bool loadSound);
  // Puts text in place of the editor's selection and marks the document.
  void ReplaceSelection(std::u16string_view text);
  void ChangeIndent(double millimetres);
  void ToggleToolbar(int index, vb::PictureBox& line, std::u16string_view key, std::u16string_view preference);

  void cmbDecode_Click();
  // Set while the list is made to show the stored direction, which is no choice of the user's.
  bool showingStoredDirection_ = false;
  void RichTextBox_Change();
  void RichTextBox_KeyDown(int& keyCode, int shift);
  void RichTextBox_KeyPress(int& keyAscii);
  void RichTextBox_MouseDown(int button, int shift, float x, float y);

  // The program's own end: writes out what the standard streams hold and ends the process.
  static void EndAtOnce();
  std::function<void()> endProgram_;
  clipboard_memory::Watcher clipboardWatcher_;
  // The refresh and the clipboard watch tick when the clipboard changed, not in between.
  platform::ChangeNotice::Watch clipboardChanges_{vb::Clipboard.Changes(), [this] {
    TimerEdit.Wake();
    TimerClipboardDetect.Wake();
  }};
  // A state another part of the program set on a command lasts until the refresh looks again; the
  // refresh's own writes do not wake it.
  bool applyingStates_ = false;
  platform::ChangeNotice::Watch enabledWrites_{commandbars::EnabledWritten(), [this] {
    if (!applyingStates_) TimerEdit.Wake();
  }};
  std::map<std::u16string, bool, std::less<>> commandStates_;
  // What the refresh last learnt of the clipboard, by its sequence number.
  std::uint32_t clipboardSequence_ = 0;
  bool clipboardHasText_ = false;
  bool clipboardKnown_ = false;
  // What the refresh last applied, and the toolkit's count of Enabled writes right after: while
  // both stand, every state is as the refresh would set it and a tick touches no button.
  std::optional<command_state::Inputs> appliedInputs_;
  std::uint64_t appliedWrites_ = 0;
  mainwindow::CommandImageLists imageLists_;

  // The buttons as the core's toolbar routines reach them.
  class Buttons : public CommandButtonServices {
   public:
    explicit Buttons(frmMain& form) : form_(form) {}
    void ButtonVisible(std::u16string_view key, bool visible) override;
    void ButtonEnabled(std::u16string_view key, bool enabled) override;
    void DirectionListVisible(bool visible) override { form_.cmbDecode.Visible(visible); }

   private:
    frmMain& form_;
  } buttons_{*this};
  void BuildBars();
  void ShowToolbar(int index, vb::PictureBox& line, std::u16string_view key, bool shown);
};

// The program's one main window, made on first use (or the one a test made).
frmMain& MainWindow();
// The main window when one has been made, without making one; else null.
frmMain* MainWindowIfMade();
