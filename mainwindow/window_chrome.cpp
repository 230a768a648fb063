#include "mainwindow/window_chrome.h"

#include <string>

#include "core/registry.h"
#include "core/settings_schema.h"
#include "platform/media/sound.h"
#include "platform/vb/command_button.h"
#include "platform/win/placement.h"

namespace chrome {
namespace {

std::u16string Sound(std::u16string_view name) {
  return modRegistry::ReadRegistryString(win::HKEY_CURRENT_USER, settings::kSoundsKey, name).value_or(u"");
}

}  // namespace

void SetTopMost(win::HWND window, bool top) {
  win::SetWindowPos(window, top ? win::HWND_TOPMOST : win::HWND_NOTOPMOST, 0, 0, 0, 0,
                    win::SWP_NOSIZE | win::SWP_NOMOVE);
}

void ApplyTopMost(win::HWND window) {
  SetTopMost(window, modRegistry::ReadPreference(settings::preferences::kTopMost) == u"1");
}

void PlaySoundEvent(std::u16string_view event) {
  if (Sound(event) != u"1") return;
  win::sndPlaySoundA(Sound(std::u16string(event) + u"Path"), win::SND_ASYNC | win::SND_NODEFAULT);
}

void AddButtonSounds(vb::CommandButton& button) {
  button.MouseDown = [](int, int, float, float) { PlaySoundEvent(kButtonMouseClick); };
  button.MouseMove = [](int, int, float, float) { PlaySoundEvent(kButtonMouseMove); };
}

}  // namespace chrome
