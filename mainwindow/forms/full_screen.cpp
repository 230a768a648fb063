#include "mainwindow/forms/full_screen.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/registry.h"
#include "core/settings_schema.h"
#include "mainwindow/forms/main.h"
#include "mainwindow/forms/quiet_main_window.h"
#include "mainwindow/window_chrome.h"
#include "platform/vb/strings.h"
#include "platform/win/monitor.h"
#include "platform/win/system_menu.h"
#include "platform/win/window.h"

namespace prefs = settings::preferences;

namespace {

constexpr float kTwips = vb::TwipsPerPixel;

// A stored coordinate in whole pixels: no number reads as 0, and an absurd one is cut to a range
// every screen lies in.
int StoredPixels(std::u16string_view name) {
  const double twips = vb::Val(modRegistry::ReadPreference(name));
  if (!std::isfinite(twips)) return 0;
  return static_cast<int>(std::clamp(twips / kTwips, -1.0e6, 1.0e6));
}

// Moves a window of `width` x `height` pixels at `at` into the work area of the screen nearest to it.
win::POINT OntoScreen(win::POINT at, int width, int height) {
  win::MONITORINFO info;
  if (!win::GetMonitorInfoW(win::MonitorFromPoint(at, win::MONITOR_DEFAULTTONEAREST), &info)) return at;
  const win::RECT& work = info.rcWork;
  at.x = std::max(work.left, std::min(at.x, work.right - width));
  at.y = std::max(work.top, std::min(at.y, work.bottom - height));
  return at;
}

void WritePref(std::u16string_view name, float value) {
  modRegistry::WritePreference(name, vb::CStr(static_cast<double>(value)));
}

}  // namespace

// --- frmFScreen ---

void frmFScreen::Design() {
  Caption(u"");
  BorderStyle(vb::vbFixedToolWindow);
  WindowState(vb::vbMaximized);
  ShapeRichTextBox.BorderColor(0x808080);
  FSRTB.BackColor(vb::vbWindowBackground);
  FSRTB->FontName(u"Tahoma");
  FSRTB->FontSize(8.25);
}

void frmFScreen::Form_Load() {
  chrome::ApplyTopMost(hWnd());
  chrome::PlaySoundEvent(chrome::kFormLoad);
  Form_Resize();
  // The document lives here until the view closes: the main window takes no input meanwhile.
  mainwindow::QuietMainWindow(MainWindow(), hWnd());
  FSRTB->Text(MainWindow().RichTextBox->Text());
  FullScreenBar().Show(vb::vbModeless, this);
}

void frmFScreen::Form_Resize() {
  const float w = ScaleWidth();
  const float h = ScaleHeight();
  ShapeRichTextBox.Move(120, 120, std::max(0.0f, w - 290), std::max(0.0f, h - 290));
  FSRTB.Move(150, 150, std::max(0.0f, w - 330), std::max(0.0f, h - 330));
  FSRTB->RightMargin(static_cast<std::int32_t>(FSRTB.Width() - 400));
}

// One assignment: the main editor records it as one change, which one undo takes back.
void frmFScreen::Form_Unload(int&) {
  chrome::PlaySoundEvent(chrome::kFormUnload);
  frmMain& main = MainWindow();
  main.RichTextBox->Text(FSRTB->Text());
  mainwindow::WakeMainWindow(main);
  if (FullScreenBar().IsLoaded()) FullScreenBar().Unload();
}

// --- frmFScreenB ---

frmFScreenB::frmFScreenB() {
  cmdExit.Click = [this] { cmdExit_Click(); };
  chrome::AddButtonSounds(cmdExit);
}

void frmFScreenB::Design() {
  Caption(u"     Полноэкранный режим");
  BorderStyle(vb::vbFixedToolWindow);
  // Wide enough for the title bar to write the caption whole, whatever the desktop's font.
  const float width = std::max(kClientWidth, CaptionClientWidth());
  ClientSize(width, kClientHeight);
  cmdExit.Move(60, 60, width - 120, kClientHeight - 120);
  cmdExit.Caption(u"Вернуть обычный режим");
}

void frmFScreenB::Form_Load() {
  PlaceFromSettings();
  // Above everything whatever the keep-on-top preference says: the bar is the way back.
  chrome::SetTopMost(hWnd(), true);
  // Close goes from the window menu (the separator above it stays): the bar cannot be closed.
  win::DeleteMenu(win::GetSystemMenu(hWnd(), win::FALSE), 6, win::MF_BYPOSITION);
  FullScreenWindow().FSRTB->SelStart(0);
}

void frmFScreenB::PlaceFromSettings() {
  const win::POINT stored{StoredPixels(prefs::kFullScreenLeft), StoredPixels(prefs::kFullScreenTop)};
  const win::POINT at = OntoScreen(stored, static_cast<int>(Width() / kTwips), static_cast<int>(Height() / kTwips));
  Move(at.x * kTwips, at.y * kTwips);
}

void frmFScreenB::Form_Unload(int&) {
  if (WindowState() != vb::vbMinimized) {
    WritePref(prefs::kFullScreenLeft, Left());
    WritePref(prefs::kFullScreenTop, Top());
  }
  chrome::SetTopMost(hWnd(), true);
}

void frmFScreenB::cmdExit_Click() {
  FullScreenWindow().Unload();
  Unload();
}

frmFScreen& FullScreenWindow() {
  static frmFScreen* window = new frmFScreen;
  return *window;
}

frmFScreenB& FullScreenBar() {
  static frmFScreenB* bar = new frmFScreenB;
  return *bar;
}

bool FullScreenViewOpen() { return FullScreenWindow().IsLoaded(); }
