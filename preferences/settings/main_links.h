// What the settings dialog uses of the rest of the program: the window chrome every window carries
// (keep-on-top at load, the load, unload and button sounds) and the main window's editor font,
// direction list and shared file dialog. Kept in this one place so the dialog's ties to the main
// window are seen at once.
#pragma once

#include <string>

#include "platform/win/types.h"

namespace vb {
class CommandButton;
class CommonDialog;
}  // namespace vb

namespace settings_links {

// Keep-on-top from "TopMost", at the window's load.
void ApplyTopMost(win::HWND window);
// The "FormLoad" and "FormUnload" sounds.
void PlayLoadSound();
void PlayUnloadSound();
// The press and hover sounds of a command button.
void AddButtonSounds(vb::CommandButton& button);
// Gives the main window's editor a font name or size; nothing when no main window is there.
void EditorFontName(const std::u16string& name);
void EditorFontSize(float points);
// The main window's direction list shows the stored default direction anew.
void ShowDefaultDirection();

// The editor's font name and size in points; empty and 0 when no main window is there.
std::u16string EditorFontName();
double EditorFontSize();
// The main window's shared file dialog, or null when no main window is there.
vb::CommonDialog* SharedFileDialog();

}  // namespace settings_links
