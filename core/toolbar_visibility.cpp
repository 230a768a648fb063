#include "core/toolbar_visibility.h"

#include <cstdint>

#include "core/registry.h"
#include "core/settings_schema.h"
#include "platform/registry/registry.h"

namespace modGeneral {
namespace {

constexpr std::u16string_view kStandard[] = {
    u"TOOLBAR:SEP1",    u"TOOLBAR:NEW",         u"TOOLBAR:OPEN",     u"TOOLBAR:REOPEN",
    u"TOOLBAR:SAVE",    u"TOOLBAR:SEP2",        u"TOOLBAR:PRINT",    u"TOOLBAR:PRINTSETTINGS",
    u"TOOLBAR:FULLSCREEN", u"TOOLBAR:SEP3",     u"TOOLBAR:CUT",      u"TOOLBAR:COPY",
    u"TOOLBAR:PASTE",   u"TOOLBAR:DELETE",      u"TOOLBAR:CLEAR",    u"TOOLBAR:SEP4",
    u"TOOLBAR:UNDO",    u"TOOLBAR:REDO",        u"TOOLBAR:SEP5",     u"TOOLBAR:FIND",
    u"TOOLBAR:REPLACE", u"TOOLBAR:GOTO",        u"TOOLBAR:SEP6",     u"TOOLBAR:OUTDENT",
    u"TOOLBAR:INDENT",  u"TOOLBAR:SEP7",        u"TOOLBAR:FONT",     u"TOOLBAR:SEP8",
    u"TOOLBAR:TIMEANDDATE", u"TOOLBAR:TEXTFILE", u"TOOLBAR:SEP9",    u"TOOLBAR:WIZARD",
    u"TOOLBAR:SETTINGS", u"TOOLBAR:LOCKED",     u"TOOLBAR:SEP10",    u"TOOLBAR:PROPERTIES",
    u"TOOLBAR:SEP11",   u"TOOLBAR:LICENSE",     u"TOOLBAR:ABOUT",    u"TOOLBAR:SEP12",
};
constexpr std::u16string_view kDecode[] = {
    u"TOOLBAR2:SEP1", u"TOOLBAR2:DECODE", u"TOOLBAR2:SEP2", u"TOOLBAR2:START",
    u"TOOLBAR2:STOP", u"TOOLBAR2:SEP3",   u"TOOLBAR2:UNDO", u"TOOLBAR2:SEP4",
};
constexpr std::size_t kDirectionListPosition = 1;

}  // namespace

std::span<const std::u16string_view> StandardToolbarKeys() { return kStandard; }
std::span<const std::u16string_view> DecodeToolbarKeys() { return kDecode; }

std::u16string ToolbarValueName(int position) {
  return {static_cast<char16_t>(u'0' + position / 10 % 10), static_cast<char16_t>(u'0' + position % 10)};
}

std::vector<bool> StoredToolbarLayout(std::u16string_view key, int count) {
  std::vector<bool> shown;
  bool stored = false;
  for (int i = 0; i < count; ++i) {
    const std::u16string name = ToolbarValueName(i);
    shown.push_back(modRegistry::ReadRegistryDword(win::HKEY_CURRENT_USER, key, name) != 0);
    stored = stored || modRegistry::RegistryValueExists(win::HKEY_CURRENT_USER, key, name);
  }
  // Nothing stored: the toolbar's default, every item shown.
  if (!stored) shown.assign(shown.size(), true);
  return shown;
}

void LoadToolBarButtonsVisibility(CommandButtonServices& buttons) {
  const auto standard = StoredToolbarLayout(settings::kToolBarsStandartKey, static_cast<int>(std::size(kStandard)));
  for (std::size_t i = 0; i < std::size(kStandard); ++i) buttons.ButtonVisible(kStandard[i], standard[i]);
  const auto decode = StoredToolbarLayout(settings::kToolBarsDecodeKey, static_cast<int>(std::size(kDecode)));
  for (std::size_t i = 0; i < std::size(kDecode); ++i) {
    buttons.ButtonVisible(kDecode[i], decode[i]);
    if (i == kDirectionListPosition) buttons.DirectionListVisible(decode[i]);
  }
}

}  // namespace modGeneral

namespace modDocument {

void EnableSearchCommands(CommandButtonServices& buttons) {
  buttons.ButtonEnabled(u"MENU:FIND:FIND", true);
  buttons.ButtonEnabled(u"MENU:FIND:FINDNEXT", false);
  buttons.ButtonEnabled(u"MENU:FIND:REPLACE", true);
  buttons.ButtonEnabled(u"MENU:FIND:GOTO", true);
  buttons.ButtonEnabled(u"MENU:FILE:PRINT", true);
}

}  // namespace modDocument
