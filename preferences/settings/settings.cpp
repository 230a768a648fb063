// The dialog's frame: the tab strip, the page boxes, the four buttons, the switch between pages and
// the wiring of every control's event to its handler.
#include "preferences/settings/settings.h"

#include "controls/common_dialog.h"
#include "preferences/settings/layout.h"
#include "preferences/settings/main_links.h"

using settings_layout::kButtonHeight;
using settings_layout::Place;

frmSettings::frmSettings() { ConnectEvents(); }

frmSettings::~frmSettings() = default;

vb::PictureBox* frmSettings::Page(int tab) {
  vb::PictureBox* pages[] = {&picGeneral, &picDecode, &picView, &picSave, &picFont, &picPrint, &picLocked, &picSounds};
  return tab >= 1 && tab <= 8 ? pages[tab - 1] : nullptr;
}

void frmSettings::ShowPage(int tab) {
  vb::PictureBox* shown = Page(tab);
  if (shown == nullptr) return;
  shown->Visible(true);
  // The others in the order the openers hide them.
  for (vb::PictureBox* p : {&picGeneral, &picFont, &picView, &picSave, &picPrint, &picLocked, &picSounds, &picDecode}) {
    if (p != shown) p->Visible(false);
  }
}

void frmSettings::Design() {
  DesignFrame();
  DesignGeneral();
  DesignDecode();
  DesignView();
  DesignSave();
  DesignFont();
  DesignPrint();
  DesignLocked();
  DesignSounds();
}

void frmSettings::DesignFrame() {
  Caption(u"Параметры программы");
  BorderStyle(vb::vbFixedDouble);
  Move(0, 0, 8700, 7140);
  tabSettings.Move(120, 120, 8340, 5880);
  for (int tab = 1; tab <= 8; ++tab) {
    vb::PictureBox& page = *Page(tab);
    page.BorderStyle(0);
    page.Move(240, 540, 8100, 5340);
  }
  // The inner boxes that group option buttons show no border of their own.
  for (vb::PictureBox* p : {&Picture1, &Picture2, &Picture3, &Picture4, &Picture5, &Picture6}) p->BorderStyle(0);
  Place(cmdReset, 120, 6120, 1575, kButtonHeight, u"Сбросить все");
  Place(cmdApply, 4320, 6120, 1275, kButtonHeight, u"Применить");
  Place(cmdCancel, 5760, 6120, 1275, kButtonHeight, u"Отмена");
  Place(cmdOK, 7200, 6120, 1260, kButtonHeight, u"OK");
  cmdOK.Default(true);
  cmdCancel.Cancel(true);
  for (vb::Timer* t : {&TimerBackup, &TimerClipboard, &TimerSounds, &TimerLocked}) {
    t->Interval(1);
    t->Enabled(false);
  }
  TimerFonts.Interval(10);
  TimerFonts.Enabled(true);
}

void frmSettings::tabSettings_TabClick(std::int32_t lTab) {
  const std::u16string caption = tabSettings.TabText(lTab);
  // Compared in this order; the tab number of each caption.
  static const std::pair<const char16_t*, int> kCaptions[] = {
      {u"Общие", 1}, {u"Перекодирование", 2}, {u"Вид", 3}, {u"Шрифт", 5},
      {u"Сохранение", 4}, {u"Печать", 6}, {u"Блокировка", 7}, {u"Звуки", 8}};
  for (const auto& [text, tab] : kCaptions) {
    if (caption == text) {
      ShowPage(tab);
      return;
    }
  }
}

void frmSettings::Form_Unload(int& cancel) {
  folderDialog_.reset();
  settings_links::PlayUnloadSound();
}

void frmSettings::EnableApply() { cmdApply.Enabled(true); }

void frmSettings::ConnectEvents() {
  tabSettings.TabClick = [this](std::int32_t lTab) { tabSettings_TabClick(lTab); };
  ConnectChecks();
  ConnectPlainEdits();
  cboFontName.Click = [this] { cboFontName_Click(); };
  cboFontSize.Click = [this] { cboFontSize_Click(); };
  txtExample.Change = [this] { txtExample_Change(); };
  lstPrinters.Click = [this] { lstPrinters_Click(); };
  TimerBackup.Tick = [this] { TimerBackup_Timer(); };
  TimerClipboard.Tick = [this] { TimerClipboard_Timer(); };
  TimerSounds.Tick = [this] { TimerSounds_Timer(); };
  TimerLocked.Tick = [this] { TimerLocked_Timer(); };
  TimerFonts.Tick = [this] { TimerFonts_Timer(); };
  cmdApply.Click = [this] { cmdApply_Click(); };
  cmdOK.Click = [this] { cmdOK_Click(); };
  cmdCancel.Click = [this] { cmdCancel_Click(); };
  cmdReset.Click = [this] { cmdReset_Click(); };
  cmdSoundsDefault.Click = [this] { cmdSoundsDefault_Click(); };
  cmdPrintersAndFaxs.Click = [this] { cmdPrintersAndFaxs_Click(); };
  cmdPrinterSetup.Click = [this] { cmdPrinterSetup_Click(); };
  cmdBrowse.Click = [this] { BrowseFolder(txtFolderDoc, u"Выберите папку для хранения документов ..."); };
  cmdBrowseBackupFolder.Click = [this] {
    BrowseFolder(txtPathBackupFolder, u"Выберите папку для хранения резервных копий ...");
  };
  cmdBrowseButtonMouseMove.Click = [this] { BrowseWave(txtButtonMouseMove); };
  cmdBrowseButtonMouseClick.Click = [this] { BrowseWave(txtButtonMouseClick); };
  cmdBrowseFormLoad.Click = [this] { BrowseWave(txtFormLoad); };
  cmdBrowseFormUnload.Click = [this] { BrowseWave(txtFormUnload); };
  cmdBrowseKeyDown.Click = [this] { BrowseWave(txtKeyDown); };
  for (vb::CommandButton* b : {&cmdApply, &cmdOK, &cmdCancel, &cmdReset, &cmdSoundsDefault, &cmdBrowse,
                               &cmdBrowseBackupFolder, &cmdBrowseButtonMouseMove, &cmdBrowseButtonMouseClick,
                               &cmdBrowseFormLoad, &cmdBrowseFormUnload, &cmdBrowseKeyDown, &cmdPrintersAndFaxs,
                               &cmdPrinterSetup}) {
    settings_links::AddButtonSounds(*b);
  }
}

frmSettings& SettingsDialog() {
  static frmSettings* dialog = new frmSettings;
  return *dialog;
}
