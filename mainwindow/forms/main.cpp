#include "mainwindow/forms/main.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/decode.h"
#include "core/document.h"
#include "core/edit_history.h"
#include "core/registry.h"
#include "core/settings_schema.h"
#include "core/start.h"
#include "mainwindow/bar_building.h"
#include "mainwindow/command_bar_events.h"
#include "mainwindow/forms/decoding.h"
#include "mainwindow/forms/opening.h"
#include "mainwindow/main_placement.h"
#include "mainwindow/toolbar_timers.h"
#include "platform/vb/app.h"
#include "mainwindow/window_chrome.h"
#include "platform/vb/clipboard.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/screen.h"
#include "platform/vb/strings.h"
#include "platform/win/placement.h"

namespace prefs = settings::preferences;

namespace {

frmMain* current = nullptr;

std::u16string Pref(std::u16string_view name) { return modRegistry::ReadPreference(name); }

std::u16string ToolBarsPref(std::u16string_view name) {
  return modRegistry::ReadRegistryString(win::HKEY_CURRENT_USER, settings::kToolBarsKey, name).value_or(u"");
}

constexpr float kMenuBarHeight = 375;
constexpr float kLineHeight = 30;
constexpr float kOutside = -5000;
// The font sizes the editor takes from the preferences, in points.
constexpr double kSmallestFontSize = 1;
constexpr double kLargestFontSize = 500;

}  // namespace

void frmMain::EndAtOnce() {
  std::fflush(nullptr);
  std::_Exit(0);
}

frmMain::frmMain(std::function<void()> endProgram) : endProgram_(std::move(endProgram)) {
  current = this;
  core::SetMainWindow(&services);
  core::SetDecodingWindow(&DecodingWindow().services);
  core::SetOpeningWindow(&OpeningWindow().services);
  RichTextBox.Connect = [this](vb::RichTextBox& editor) { ConnectEditor(editor); };
  cmdBar.Connect = [this](commandbars::kestCommandBar& bar) {
    bar.ButtonClick = [this](const commandbars::cButton& btn) { mainwindow::RouteButtonClick(btn.Key(), *this); };
    bar.RequestNewInstance = [this](commandbars::kestCommandBar*& ctl) { ctl = &mainwindow::LoadPopupHost(cmdBar); };
    bar.RightClick = [this, &bar](const commandbars::cButton*, std::int32_t x, std::int32_t y) {
      mainwindow::ShowToolbarsMenu(cmdBar, bar, x, y);
    };
  };
  cmbDecode.Click = [this] { cmbDecode_Click(); };
  TimerEdit.Tick = [this] { TimerEdit_Timer(); };
  TimerClipboardDetect.Tick = [this] { TimerClipboardDetect_Timer(); };
  TimerClipboard.Tick = [this] { TimerClipboard_Timer(); };
  TimerCommandBars.Tick = [this] { mainwindow::TimerCommandBars_Timer(TimerCommandBars, cmdBar, imageLists_); };
  TimerLoadToolBarButtons.Tick = [this] { mainwindow::TimerLoadToolBarButtons_Timer(TimerLoadToolBarButtons, buttons_); };
  TimerUpdate.Tick = [this] {
    TimerUpdate.Enabled(false);
    Form_Resize();
  };
}

frmMain::~frmMain() {
  if (current == this) {
    current = nullptr;
    core::SetMainWindow(nullptr);
  }
}

frmMain& MainWindow() {
  if (current == nullptr) new frmMain;  // lives as long as the program
  return *current;
}

frmMain* MainWindowIfMade() { return current; }

void frmMain::ConnectEditor(vb::RichTextBox& editor) {
  editor.Change = [this] { RichTextBox_Change(); };
  editor.SelChange = [this] { TimerEdit.Wake(); };
  editor.KeyDown = [this](int& keyCode, int shift) { RichTextBox_KeyDown(keyCode, shift); };
  editor.KeyPress = [this](int& keyAscii) { RichTextBox_KeyPress(keyAscii); };
  editor.MouseDown = [this](int button, int shift, float x, float y) { RichTextBox_MouseDown(button, shift, x, y); };
}

void frmMain::Design() {
  Caption(kDesignCaption);
  BorderStyle(vb::vbSizable);
  Move(0, 0, 11700, 9210);
  for (int i = 0; i < 3; ++i) {
    commandbars::kestCommandBar& bar = cmdBar.Load(i);
    bar.Move(0, 405.0f * i, 11580, kMenuBarHeight);
    vb::StdFont font = bar.Font();
    font.Name = u"Tahoma";
    bar.Font(font);
  }
  for (vb::PictureBox* line : {&picLineMainMenu, &picLineToolBarStandart, &picLineToolBarDecode}) {
    line->BorderStyle(0);
    line->BackColor(vb::vbButtonFace);
  }
  picLineMainMenu.Move(0, kMenuBarHeight, 11580, kLineHeight);
  picLineToolBarStandart.Move(0, 780, 11580, kLineHeight);
  picLineToolBarDecode.Move(0, 1185, 11580, kLineHeight);
  picEditor.BorderStyle(0);
  picEditor.Move(0, 1215, 11580, 7470);
  ShapeRichTextBox.Move(60, 60, 11445, 7350);
  ShapeRichTextBox.BorderColor(0x808080);
  RichTextBox.Move(90, 90, 11365, 7280);
  RichTextBox.BackColor(vb::vbWindowBackground);
  RichTextBox->FontName(u"MS Sans Serif");
  RichTextBoxBackup.Move(kOutside, 0, 1000, 1000);
  RichTextBoxImport.Move(kOutside, 0, 1000, 1000);
  rtfTemp.Move(kOutside, 0, 1000, 1000);
  Combo1.Move(kOutside, 0, 1500, 315);
  Combo2.Move(kOutside, 0, 1500, 315);
  // As wide as the 168-pixel panel of the conversion toolbar that carries it, so it covers no button;
  // the panel was sized for a narrower face than ours, so the list's text is a point smaller to show
  // the longest direction ("Windows 1251 -> ISO 8859-5") whole.
  cmbDecode.Move(kOutside, 0, 168 * vb::TwipsPerPixel, 315);
  cmbDecode.FontSize(7);
  picInsert.Move(kOutside, 0, 100, 100);
  // Both poll what they are told the changes of (main_state_refresh.cpp, main_editor.cpp): they
  // tick after a change, and the program sleeps while nothing changes.
  TimerEdit.Interval(1);
  TimerEdit.WaitsForWake(true);
  TimerClipboardDetect.Interval(1);
  TimerClipboardDetect.WaitsForWake(true);
  TimerClipboardDetect.Enabled(false);
  TimerClipboard.Interval(1);
  TimerClipboard.Enabled(false);
  TimerCommandBars.Interval(1);
  TimerLoadToolBarButtons.Interval(1);
  TimerLoadToolBarButtons.Enabled(false);
  TimerUpdate.Interval(1);
  TimerUpdate.Enabled(false);
}

void frmMain::Form_Load() {
  modDocument::UndoRecording = true;
  modDocument::DocumentOpened = false;
  modDocument::DocumentSavedAs = false;
  modDecode::DocumentDecoded = false;

  BuildBars();

  chrome::PlaySoundEvent(chrome::kFormLoad);

  for (int page = 0; page < modDecode::kCodePageCount; ++page) {
    Combo1.AddItem(std::u16string(modDecode::CodePageName(page)));
    Combo2.AddItem(std::u16string(modDecode::CodePageName(page)));
  }
  Combo1.ListIndex(0);
  Combo2.ListIndex(1);

  for (int direction = 0; direction < modDecode::kDirectionCount; ++direction) {
    cmbDecode.AddItem(modDecode::DirectionName(direction));
  }
  ShowDefaultDirection();

  TimerClipboardDetect.Enabled(Pref(prefs::kClipboardDetect) == u"1");

  ShowToolbar(1, picLineToolBarStandart, u"MENU:VIEW:TOOLBARS:TBSTANDART", Pref(prefs::kToolBarStandart) == u"1");
  ShowToolbar(2, picLineToolBarDecode, u"MENU:VIEW:TOOLBARS:TBDECODE", Pref(prefs::kToolBarDecode) == u"1");

  const bool top = Pref(prefs::kTopMost) == u"1";
  cmdBar(0).Buttons().Item(u"MENU:VIEW:ONTOP").Checked(top);
  chrome::ApplyTopMost(hWnd());

  ApplyPlacement();
  const std::u16string state = Pref(prefs::kWindowState);
  if (state == u"0") {
    WindowState(vb::vbNormal);
  } else if (state == u"2") {
    WindowState(vb::vbMaximized);
  }
  ApplyCaption();

  if (modMain::OpenDocumentAtStart) {
    modDocument::OpenDocument();
    // The document is as its file holds it, unless it was taken from the copy of a cut-short save.
    DocumentModified = modDocument::DocumentRecovered;
  }
  if (Pref(prefs::kStartAtStartup) == u"1") {
    RichTextBox->Text(vb::Clipboard.GetText());
    StartDecode();
  }
  ApplyEditorFont();
  StackFromTop();
  // The first ticks: the states as loaded, and whatever the clipboard holds at the start.
  TimerEdit.Wake();
  TimerClipboardDetect.Wake();
}

// The stored rectangle when the user keeps it, it holds four numbers and lies at least partly on a
// screen, else the designed size in the middle of the screen; made usable on the screen it goes on
// either way.
void frmMain::ApplyPlacement() {
  std::optional<mainwindow::Placement> stored;
  if (Pref(prefs::kSaveWindowPositionAndSize) == u"1") stored = mainwindow::StoredPlacement();
  if (stored && !mainwindow::OnAScreen(*stored)) stored.reset();
  mainwindow::Placement wanted;
  if (stored) {
    wanted = *stored;
  } else {
    wanted.width = Width();
    wanted.height = Height();
    wanted.left = vb::Screen.Width() / 2 - wanted.width / 2;
    wanted.top = vb::Screen.Height() / 2 - wanted.height / 2;
  }
  const mainwindow::Placement fitted = mainwindow::FitToScreen(wanted, mainwindow::WorkAreaFor(wanted));
  Move(fitted.left, fitted.top, fitted.width, fitted.height);
}

void frmMain::ApplyCaption() {
  const std::u16string mode = Pref(prefs::kShowInCaption);
  if (mode == u"1") {
    Caption(u"Brannoch Quillmark 3.0 Preview - [Документ]");
  } else if (mode == u"2") {
    Caption(u"Brannoch Quillmark 3.0 Preview - [Документ не сохранен]");
  } else if (mode == u"3") {
    Caption(u"Brannoch Quillmark 3.0 Preview");
  }
}

// An absent name, a name no font can have (too long), or a size that is no size a font can have,
// keeps the design font's.
void frmMain::ApplyEditorFont() {
  const std::u16string name = modRegistry::ReadFontName();
  if (!name.empty()) RichTextBox->FontName(name);
  const double size = vb::Val(Pref(prefs::kFontSize));
  if (size >= kSmallestFontSize && size <= kLargestFontSize) RichTextBox->FontSize(size);
}

void frmMain::BuildBars() {
  const std::u16string folder = vb::App.Path();
  mainwindow::LoadMenuImageList(imageLists_, folder);
  mainwindow::LoadToolbarImageLists(imageLists_, folder);
  mainwindow::LoadDecodeToolbarImageLists(imageLists_, folder);
  mainwindow::CreateCommandButtons(cmdBar(0), cmbDecode);
  mainwindow::BuildCommandBars(cmdBar(0));
  const std::u16string style = Pref(prefs::kStyle);
  if (style == u"System") {
    cmdBar(0).Style(3);
  } else if (style == u"OfficeXP") {
    cmdBar(0).Style(0);
  }
  cmdBar(0).MainMenu(true);
  cmdBar(0).MenuImageList(imageLists_.ilMenu->hIml());
  const commandbars::cCommandBar menu = cmdBar(0).CommandBars().Item(u"MENU");
  cmdBar(0).Toolbar(&menu);
  const bool large = ToolBarsPref(settings::toolbars::kUseLargeIcons) == u"1";
  cmdBar(1).ToolbarImageList((large ? imageLists_.ilToolBarLarge : imageLists_.ilToolBarSmall)->hIml());
  cmdBar(1).Height(large ? 435 : 375);
  const commandbars::cCommandBar standard = cmdBar(1).CommandBars().Item(u"TOOLBAR");
  cmdBar(1).Toolbar(&standard);
  cmdBar(2).ToolbarImageList((large ? imageLists_.ilDecodeLarge : imageLists_.ilDecodeSmall)->hIml());
  cmdBar(2).Height(large ? 435 : 375);
  const commandbars::cCommandBar decode = cmdBar(2).CommandBars().Item(u"TOOLBAR2");
  cmdBar(2).Toolbar(&decode);
  modGeneral::LoadToolBarButtonsVisibility(buttons_);
}

void frmMain::ShowToolbar(int index, vb::PictureBox& line, std::u16string_view key, bool shown) {
  cmdBar(0).Buttons().Item(key).Checked(shown);
  cmdBar(index).Visible(shown);
  line.Visible(shown);
}

void frmMain::Buttons::ButtonVisible(std::u16string_view key, bool visible) {
  form_.cmdBar(0).Buttons().Item(key).Visible(visible);
}

void frmMain::Buttons::ButtonEnabled(std::u16string_view key, bool enabled) {
  const commandbars::cButton button = form_.cmdBar(0).Buttons().Item(key);
  if (button.Enabled() != enabled) button.Enabled(enabled);
}

int frmMain::VisibleToolbarCount() { return (cmdBar(1).Visible() ? 1 : 0) + (cmdBar(2).Visible() ? 1 : 0); }

// The bars, their lines and the editing area stand one under the other; hidden ones take no room.
void frmMain::StackFromTop() {
  float y = 0;
  const float toolbarHeight = ToolBarsPref(settings::toolbars::kUseLargeIcons) == u"1" ? 435 : 375;
  const std::pair<vb::Control*, vb::Control*> rows[] = {
      {&cmdBar(0), &picLineMainMenu}, {&cmdBar(1), &picLineToolBarStandart}, {&cmdBar(2), &picLineToolBarDecode}};
  for (const auto& [bar, line] : rows) {
    if (!bar->Visible()) continue;
    // The designed heights: a bar that has not laid itself out yet reports none.
    const float height = bar == &cmdBar(0) ? kMenuBarHeight : toolbarHeight;
    bar->Move(0, y, ScaleWidth(), height);
    y += height;
    line->Top(y);
    line->Width(ScaleWidth());
    y += kLineHeight;
  }
  picEditor.Top(y);
}

void frmMain::Form_Resize() {
  if (WindowState() == vb::vbMinimized) return;
  const float h = Height();
  const float w = Width();
  const int n = VisibleToolbarCount();
  // Rows: small icons by n = 0, 1, 2, then large icons. Without the preference the small row holds.
  static constexpr float kSmall[3][3] = {{870, 990, 1050}, {1275, 1395, 1455}, {1680, 1800, 1860}};
  static constexpr float kLarge[3][3] = {{870, 990, 1050}, {1385, 1505, 1565}, {1890, 2010, 2070}};
  const auto& row = ToolBarsPref(settings::toolbars::kUseLargeIcons) == u"1" ? kLarge[n] : kSmall[n];
  StackFromTop();
  // A window smaller than the constants stops the sizes at 0.
  picEditor.Height(std::max(0.0f, h - row[0]));
  ShapeRichTextBox.Height(std::max(0.0f, h - row[1]));
  ShapeRichTextBox.Width(std::max(0.0f, w - 240));
  RichTextBox.Height(std::max(0.0f, h - row[2]));
  RichTextBox.Width(std::max(0.0f, w - 310));
  picEditor.Width(std::max(0.0f, w));
}

bool frmMain::SaveAs() {
  chrome::PlaySoundEvent(chrome::kFormLoad);
  if (!modDocument::SaveDocumentAs()) return false;
  modDocument::DocumentSavedAs = true;
  DocumentModified = false;
  return true;
}

// The window's own rectangle; a maximised window stores the rectangle it goes back to, so the next
// start does not open it over the whole screen as a normal window.
void frmMain::StorePlacement() {
  float rect[4] = {Left(), Top(), Height(), Width()};
  win::WINDOWPLACEMENT placement;
  if (WindowState() == vb::vbMaximized && win::GetWindowPlacement(hWnd(), &placement)) {
    const win::RECT& r = placement.rcNormalPosition;
    const float tw = vb::TwipsPerPixel;
    rect[0] = r.left * tw;
    rect[1] = r.top * tw;
    rect[2] = (r.bottom - r.top) * tw;
    rect[3] = (r.right - r.left) * tw;
  }
  const std::u16string_view names[4] = {prefs::kMainLeft, prefs::kMainTop, prefs::kMainHeight, prefs::kMainWidth};
  for (int i = 0; i < 4; ++i) modRegistry::WritePreference(names[i], vb::CStr(static_cast<double>(rect[i])));
}

void frmMain::StoreWindowState() {
  const int state = WindowState();
  if (state == vb::vbMinimized) return;
  modRegistry::WritePreference(prefs::kWindowState, state == vb::vbMaximized ? u"2" : u"0");
}

// Everything that could keep the program running is asked first (the save question, then the exit
// question), so an answer that keeps it running leaves the clipboard, the stored placement and
// the remembered clipboard text as they were.
void frmMain::Form_Unload(int& cancel) {
  if (Pref(prefs::kSaveChange) == u"1" && DocumentModified) {
    const int answer = vb::MsgBox(u"Документ был изменен. Вы хотите сохранить сделанные изменения?",
                                  vb::vbYesNoCancel | vb::vbQuestion, core::kProgramTitle);
    // A Save As that is cancelled or fails keeps the document open.
    if (answer == vb::vbCancel || (answer == vb::vbYes && !SaveAs())) {
      cancel = 1;
      return;
    }
  }
  if (Pref(prefs::kMessageOnExit) == u"1") {
    if (vb::MsgBox(u"Вы действительно хотите завершить работу с программой?", vb::vbYesNo | vb::vbQuestion,
                   core::kProgramTitle) != vb::vbYes) {
      cancel = 1;
      return;
    }
    chrome::PlaySoundEvent(chrome::kFormUnload);
  }
  if (Pref(prefs::kClearClipboard) == u"1") modDocument::ClearClipboardContents();
  {
    const modRegistry::WriteBatch batch;
    if (Pref(prefs::kSaveWindowPositionAndSize) == u"1") StorePlacement();
    StoreWindowState();
    clipboard_memory::Remember(u"");
  }
  endProgram_();
}

void frmMain::Form_Terminate() { modMain::SuppressFaultDialogs(); }
