#include "preferences/settings/main_links.h"

#include "core/main_window.h"
#include "core/registry.h"
#include "core/settings_schema.h"
#include "platform/media/sound.h"
#include "platform/richedit/rich_text_box.h"
#include "platform/vb/command_button.h"
#include "platform/win/placement.h"

namespace settings_links {
namespace {

std::u16string Sound(std::u16string_view name) {
  return modRegistry::ReadRegistryString(win::HKEY_CURRENT_USER, settings::kSoundsKey, name).value_or(u"");
}

void PlayEvent(std::u16string_view event) {
  if (Sound(event) != u"1") return;
  win::sndPlaySoundA(Sound(std::u16string(event) + u"Path"), win::SND_ASYNC | win::SND_NODEFAULT);
}

}  // namespace

void ApplyTopMost(win::HWND window) {
  const bool top = modRegistry::ReadPreference(settings::preferences::kTopMost) == u"1";
  win::SetWindowPos(window, top ? win::HWND_TOPMOST : win::HWND_NOTOPMOST, 0, 0, 0, 0,
                    win::SWP_NOSIZE | win::SWP_NOMOVE);
}

void PlayLoadSound() { PlayEvent(settings::sounds::kFormLoad); }
void PlayUnloadSound() { PlayEvent(settings::sounds::kFormUnload); }

void AddButtonSounds(vb::CommandButton& button) {
  button.MouseDown = [](int, int, float, float) { PlayEvent(settings::sounds::kButtonMouseClick); };
  button.MouseMove = [](int, int, float, float) { PlayEvent(settings::sounds::kButtonMouseMove); };
}

void EditorFontName(const std::u16string& name) {
  if (!core::HasMainWindow()) return;
  core::frmMain().RichTextBox().FontName(name);
}

void EditorFontSize(float points) {
  if (!core::HasMainWindow()) return;
  core::frmMain().RichTextBox().FontSize(points);
}

vb::CommonDialog* SharedFileDialog() { return core::HasMainWindow() ? &core::frmMain().CommonDialog() : nullptr; }

}  // namespace settings_links
