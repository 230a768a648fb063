#include "preferences/settings/main_links.h"

#include "core/main_window.h"
#include "mainwindow/window_chrome.h"
#include "platform/richedit/rich_text_box.h"

namespace settings_links {

void ApplyTopMost(win::HWND window) { chrome::ApplyTopMost(window); }
void PlayLoadSound() { chrome::PlaySoundEvent(chrome::kFormLoad); }
void PlayUnloadSound() { chrome::PlaySoundEvent(chrome::kFormUnload); }
void AddButtonSounds(vb::CommandButton& button) { chrome::AddButtonSounds(button); }

void EditorFontName(const std::u16string& name) {
  if (core::HasMainWindow()) core::frmMain().RichTextBox().FontName(name);
}

void EditorFontSize(float points) {
  if (core::HasMainWindow()) core::frmMain().RichTextBox().FontSize(points);
}

void ShowDefaultDirection() {
  if (core::HasMainWindow()) core::frmMain().ShowDefaultDirection();
}

std::u16string EditorFontName() { return core::HasMainWindow() ? core::frmMain().RichTextBox().FontName() : u""; }

double EditorFontSize() { return core::HasMainWindow() ? core::frmMain().RichTextBox().FontSize() : 0; }

vb::CommonDialog* SharedFileDialog() { return core::HasMainWindow() ? &core::frmMain().CommonDialog() : nullptr; }

}  // namespace settings_links
