// frmSettings, "Параметры программы": the eight-page dialog that shows and edits every stored
// preference. A tab strip carries the pages "Общие", "Перекодирование", "Вид", "Сохранение",
// "Шрифт", "Печать", "Блокировка" and "Звуки", each a picture box of its own in the same place;
// exactly one is visible. Loading reads every control from the registry (settings_load.cpp); editing
// a control only enables Apply; Apply writes every control back (settings_apply.cpp). Governing
// controls refresh their dependents through one-shot timers (settings_dependents.cpp).
//
// The pages' layouts are in page_general.cpp ... page_sounds.cpp. The dialog meets the main window
// only through main_links.h (the editor's font, the shared file dialog).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "controls/tab_control.h"
#include "platform/vb/controls.h"
#include "platform/vb/form.h"
#include "platform/vb/picturebox.h"

class clsCommonDialog;

class frmSettings : public vb::Form {
 public:
  frmSettings();
  ~frmSettings() override;

  TabControl tabSettings{*this};
  vb::PictureBox picGeneral{*this};
  vb::PictureBox picDecode{*this};
  vb::PictureBox picView{*this};
  vb::PictureBox picSave{*this};
  vb::PictureBox picFont{*this};
  vb::PictureBox picPrint{*this};
  vb::PictureBox picLocked{*this};
  vb::PictureBox picSounds{*this};

  // Page "Общие".
  vb::Frame Frame1{picGeneral};
  vb::CheckBox chkWrap{Frame1};
  vb::CheckBox chkTopMost{Frame1};
  // Frame2(0) stands on this page, Frame2(1) on the font page.
  vb::Frame Frame2[2]{vb::Frame(picGeneral), vb::Frame(picFont)};
  vb::CheckBox chkManyCopies{Frame2[0]};
  vb::CheckBox chkSaveWindowPositionAndSize{Frame2[0]};
  vb::CheckBox chkMessageOnExit{Frame2[0]};
  vb::Frame Frame20{picGeneral};
  vb::CheckBox chkStartAtStartup{Frame20};
  vb::CheckBox chkDecodeClipboard{Frame20};
  vb::CheckBox chkClearClipboard{Frame20};
  vb::CheckBox chkClipboardDetect{Frame20};
  vb::CheckBox chkClipboardText{Frame20};

  // Page "Перекодирование".
  vb::Frame Frame21{picDecode};
  vb::Label Label11{Frame21};
  vb::Image Image1{Frame21};
  vb::ComboBox cmbCode{Frame21, vb::vbComboDropdownList};
  vb::Frame Frame10{picDecode};
  vb::CheckBox chkStartAtImport{Frame10};
  vb::CheckBox chkStartAtOpen{Frame10};
  vb::CheckBox chkDecodeAtCodeChange{Frame10};

  // Page "Вид".
  vb::Frame Frame4{picView};
  vb::PictureBox Picture6{Frame4};
  vb::OptionButton optStyleSystem{Picture6};
  vb::OptionButton optStyleOfficeXP{Picture6};
  vb::Frame Frame3{picView};
  vb::CheckBox chkToolBarStandart{Frame3};
  vb::CheckBox chkToolBarDecode{Frame3};
  vb::Frame Frame16{picView};
  vb::CheckBox chkShowWorkBeginDialog{Frame16};
  vb::CheckBox chkShowPrintingDialog{Frame16};
  vb::CheckBox chkShowWelcomeDialog{Frame16};
  vb::CheckBox chkShowSplash{Frame16};
  vb::Frame Frame11{picView};
  vb::PictureBox Picture4{Frame11};
  vb::OptionButton optShowNameOpenFile{Picture4};
  vb::OptionButton optShowPathOpenFile{Picture4};
  vb::OptionButton optShowNothing{Picture4};

  // Page "Сохранение".
  vb::Frame Frame14{picSave};
  vb::Label Label10{Frame14};
  vb::TextBox txtFolderDoc{Frame14};
  vb::CommandButton cmdBrowse{Frame14};
  vb::Frame Frame15{picSave};
  vb::CheckBox chkSaveChange{Frame15};
  vb::CheckBox chkCreateBackup{Frame15};
  vb::PictureBox Picture5{Frame15};
  vb::OptionButton optCreateBackupInOriginalFileFolder{Picture5};
  vb::OptionButton optCreateBackupInCustomFolder{Picture5};
  vb::TextBox txtPathBackupFolder{Picture5};
  vb::CommandButton cmdBrowseBackupFolder{Picture5};

  // Page "Шрифт".
  vb::Label Label6{Frame2[1]};
  vb::ComboBox cboFontName{Frame2[1], vb::vbComboDropdown};
  vb::Label Label7{Frame2[1]};
  vb::ComboBox cboFontSize{Frame2[1], vb::vbComboDropdown};
  vb::Frame Frame7{picFont};
  vb::Label Label9{Frame7};
  vb::TextBox txtExample{Frame7};
  vb::Frame Frame9{picFont};
  vb::Label lblExample{Frame9};

  // Page "Печать".
  vb::Frame Frame8{picPrint};
  vb::ListBox lstPrinters{Frame8};
  vb::Image imgDefaultPrinter{Frame8};
  vb::Label lblDefaultPrinter{Frame8};
  vb::CommandButton cmdPrintersAndFaxs{Frame8};
  vb::CommandButton cmdPrinterSetup{Frame8};
  vb::Frame FrameOrientation{picPrint};
  vb::PictureBox Picture2{FrameOrientation};
  vb::OptionButton optPortrait{Picture2};
  vb::OptionButton optLandscape{Picture2};
  vb::Frame FramePrintQuality{picPrint};
  vb::PictureBox Picture3{FramePrintQuality};
  vb::OptionButton optQDraft{Picture3};
  vb::OptionButton optQLow{Picture3};
  vb::OptionButton optQMedium{Picture3};
  vb::OptionButton optQHigh{Picture3};
  vb::Frame FramePrintColor{picPrint};
  vb::PictureBox Picture1{FramePrintColor};
  vb::OptionButton optCMColor{Picture1};
  vb::OptionButton optCMMonochrome{Picture1};
  vb::Frame Frame5{picPrint};
  vb::Label lblPaperSize{Frame5};
  vb::ComboBox cmbPaperSize{Frame5, vb::vbComboDropdown};
  vb::Label Label5{Frame5};
  vb::TextBox txtCopies{Frame5};
  vb::Label Label8{Frame5};
  vb::Frame Frame6{picPrint};
  vb::Label Label1{Frame6};
  vb::TextBox txtLeft{Frame6};
  vb::Label Label2{Frame6};
  vb::TextBox txtWidth{Frame6};
  vb::Label Label3{Frame6};
  vb::TextBox txtTop{Frame6};
  vb::Label Label4{Frame6};
  vb::TextBox txtHeight{Frame6};
  vb::Label lblMilimetres[4]{vb::Label(Frame6), vb::Label(Frame6), vb::Label(Frame6), vb::Label(Frame6)};

  // Page "Блокировка".
  vb::Frame Frame12{picLocked};
  vb::Label Label15{Frame12};
  vb::TextBox txtUser{Frame12};
  vb::Label Label16{Frame12};
  vb::TextBox txtPassword{Frame12};
  vb::Image Image5{Frame12};
  vb::Label Label17{Frame12};
  vb::Label Label19{Frame12};
  vb::TextBox txtTip{Frame12};
  vb::Image Image6{Frame12};
  vb::Label Label18{Frame12};
  vb::Frame Frame13{picLocked};
  vb::CheckBox chkDoNotShowPassword{Frame13};

  // Page "Звуки".
  vb::Frame Frame17{picSounds};
  vb::CheckBox chkButtonMouseMove{Frame17};
  vb::TextBox txtButtonMouseMove{Frame17};
  vb::CommandButton cmdBrowseButtonMouseMove{Frame17};
  vb::CheckBox chkButtonMouseClick{Frame17};
  vb::TextBox txtButtonMouseClick{Frame17};
  vb::CommandButton cmdBrowseButtonMouseClick{Frame17};
  vb::Frame Frame18{picSounds};
  vb::CheckBox chkFormLoad{Frame18};
  vb::TextBox txtFormLoad{Frame18};
  vb::CommandButton cmdBrowseFormLoad{Frame18};
  vb::CheckBox chkFormUnload{Frame18};
  vb::TextBox txtFormUnload{Frame18};
  vb::CommandButton cmdBrowseFormUnload{Frame18};
  vb::Frame Frame19{picSounds};
  vb::CheckBox chkKeyDown{Frame19};
  vb::TextBox txtKeyDown{Frame19};
  vb::CommandButton cmdBrowseKeyDown{Frame19};
  vb::CommandButton cmdSoundsDefault{picSounds};

  // Below the tab strip.
  vb::CommandButton cmdReset{*this};
  vb::CommandButton cmdApply{*this};
  vb::CommandButton cmdCancel{*this};
  vb::CommandButton cmdOK{*this};

  // One-shot refreshes of the dependent controls.
  vb::Timer TimerBackup{*this};
  vb::Timer TimerClipboard{*this};
  vb::Timer TimerSounds{*this};
  vb::Timer TimerLocked{*this};
  vb::Timer TimerFonts{*this};

  // The eight page boxes in tab order (tab n shows element n - 1).
  vb::PictureBox* Page(int tab);
  // Makes the box of tab `tab` (1 to 8) visible and hides the other seven.
  void ShowPage(int tab);

  // Shows the dialog, modal or not, owned by `owner`. A dialog that is loaded but hidden (closed by
  // OK, or loaded unseen for its printing boxes) reads the stored values again first, so it shows,
  // and its Apply writes back, what is stored now (a direction chosen on the conversion toolbar
  // meanwhile) rather than what it held when last seen. A dialog on the screen keeps what is typed
  // into it, also when it is shown modal.
  void Open(int modal, vb::Form& owner);

  // The button handlers; Apply also runs from OK, Reset and the sound defaults.
  void cmdApply_Click();
  void cmdOK_Click();
  void cmdCancel_Click();
  void cmdReset_Click();
  void cmdSoundsDefault_Click();
  void cmdPrintersAndFaxs_Click();
  void cmdPrinterSetup_Click();

 protected:
  void Design() override;
  void Form_Load() override;
  void Form_Activate() override { FollowProgramLock(); }
  void Form_Unload(int& cancel) override;

 private:
  void DesignFrame();
  void DesignGeneral();
  void DesignDecode();
  void DesignView();
  void DesignSave();
  void DesignFont();
  void DesignPrint();
  void DesignLocked();
  void DesignSounds();

  void ConnectEvents();
  void ConnectChecks();
  void ConnectPlainEdits();
  void EnableApply();

  // Every control from its stored value (the load's steps after the lists are filled).
  void LoadStoredValues();
  void LoadPrinters();
  int StoredPrinterIndex();
  void LoadFont();
  std::u16string FontNameShown();
  std::u16string FontSizeShown();
  void LoadLocked();
  void FollowProgramLock();
  void LoadSounds();
  void ApplyPrinter();
  void ApplyFont();
  void ApplySounds();
  void RunPendingRefreshes();
  void BrowseFolder(vb::TextBox& box, const std::u16string& prompt);
  void BrowseWave(vb::TextBox& box);
  void OpenPrinterSettings(std::u16string_view webPage);

  void tabSettings_TabClick(std::int32_t lTab);
  void cboFontName_Click();
  void cboFontSize_Click();
  void txtExample_Change();
  void lstPrinters_Click();
  void TimerBackup_Timer();
  void TimerClipboard_Timer();
  void TimerSounds_Timer();
  void TimerLocked_Timer();
  void TimerFonts_Timer();

  // The folder browser, made on the first folder browse and released when the dialog unloads.
  std::unique_ptr<clsCommonDialog> folderDialog_;
  // The lock page shows no password and takes no change while a copy of the program is locked.
  bool lockPageSealed_ = false;
};

// The program's one settings dialog, made on first use (not loaded until it is used); it lives as
// long as the program, so a hidden dialog keeps its values.
frmSettings& SettingsDialog();
