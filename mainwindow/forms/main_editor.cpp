// The main window's editor events (edit history, the document's modified mark, the key sound, the
// Edit menu on a right click) and the clipboard watch.
#include <cmath>

#include "core/decode.h"
#include "core/toolbar_visibility.h"
#include "core/edit_history.h"
#include "core/registry.h"
#include "core/settings_schema.h"
#include "mainwindow/forms/full_screen.h"
#include "mainwindow/forms/main.h"
#include "mainwindow/window_chrome.h"
#include "platform/vb/clipboard.h"

namespace prefs = settings::preferences;

// Every change of the text is recorded and marks the document; moving the caret or selecting marks
// nothing.
void frmMain::RichTextBox_Change() {
  TimerEdit.Wake();
  modDocument::RecordChange(*RichTextBox);
  DocumentModified = true;
}

void frmMain::RichTextBox_SelChange() { DocumentModified = true; }

void frmMain::RichTextBox_KeyDown(int&, int) { chrome::PlaySoundEvent(chrome::kKeyDown); }

void frmMain::RichTextBox_KeyPress(int&) { modDocument::EnableSearchCommands(buttons_); }

void frmMain::RichTextBox_MouseDown(int button, int, float x, float y) {
  if (button != vb::vbRightButton) return;
  auto px = static_cast<std::int32_t>(std::lround(x / vb::TwipsPerPixel));
  auto py = static_cast<std::int32_t>(std::lround(y / vb::TwipsPerPixel));
  cmdBar(0).ClientCoordinatesToScreen(px, py, RichTextBox->hWnd());
  const commandbars::cCommandBar edit = cmdBar(0).CommandBars().Item(u"MENU:EDIT");
  cmdBar(0).ShowPopupMenu(px, py, &edit);
}

void frmMain::TimerClipboardDetect_Timer() {
  if (clipboardWatcher_.Look()) TimerClipboard.Enabled(true);
}

// While a conversion runs, or while the full-screen view holds the document, the document is not
// touched: the text waits for the first tick after it.
void frmMain::TimerClipboard_Timer() {
  if (modDecode::DecodeRunning() || FullScreenViewOpen()) return;
  PendingClipboardText.clear();
  // The clipboard is read again here; when its text went since the detect tick (the program that
  // copied it quit), or this program copied over it, the document stays as it is.
  std::u16string copied = vb::Clipboard.GetText();
  if (copied.empty() || vb::Clipboard.HoldsOwnCopy()) {
    TimerClipboard.Enabled(false);
    return;
  }
  const bool append = modRegistry::ReadPreference(prefs::kClipboardText) == u"1";
  if (modRegistry::ReadPreference(prefs::kDecodeClipboard) == u"1") {
    PendingClipboardText = modDecode::ConvertText(copied, Combo1.ListIndex() + 1, Combo2.ListIndex() + 1);
    modDecode::TextBeforeDecode = RichTextBox->Text();
    modDecode::DocumentDecoded = true;
  } else {
    PendingClipboardText = std::move(copied);
  }
  vb::RichTextBox& editor = *RichTextBox;
  if (append && editor.TextLength() > 0) {
    // Appended after one carriage return, without rebuilding the whole text.
    editor.SelStart(editor.TextLength());
    editor.SelText(u"\r" + PendingClipboardText);
  } else {
    editor.Text(PendingClipboardText);
  }
  DocumentModified = true;
  TimerClipboard.Enabled(false);
}
