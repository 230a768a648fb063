// The settings dialog under test: a fresh store, the dialog loaded from it, and its one-shot
// refreshes run as the event loop would run them.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/registry.h"
#include "core/settings_schema.h"
#include "platform/script/script.h"
#include "platform/testing/win.h"
#include "preferences/settings/settings.h"
#include "support.h"

namespace qmtest {

inline std::u16string StoredText(std::u16string_view key, std::u16string_view name) {
  return modRegistry::ReadRegistryString(win::HKEY_CURRENT_USER, key, name).value_or(u"<none>");
}
inline std::u16string StoredPref(std::u16string_view name) { return StoredText(settings::kPreferencesKey, name); }
inline void StorePref(std::u16string_view name, std::u16string_view text) {
  modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, settings::kPreferencesKey, name, text);
}
inline void StoreText(std::u16string_view key, std::u16string_view name, std::u16string_view text) {
  modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, key, name, text);
}
inline void StoreNumber(std::u16string_view key, std::u16string_view name, int value) {
  modRegistry::WriteRegistryDword(win::HKEY_CURRENT_USER, key, name, value);
}
// A 32-bit value, or -99 when the value is missing or stored as text.
inline int StoredNumber(std::u16string_view key, std::u16string_view name) {
  if (modRegistry::ReadRegistryString(win::HKEY_CURRENT_USER, key, name)) return -99;
  const int n = modRegistry::ReadRegistryDword(win::HKEY_CURRENT_USER, key, name);
  return n;
}

class SettingsDialogTest : public ::testing::Test {
 protected:
  FreshSettings store;
  frmSettings form;

  void TearDown() override {
    if (form.IsLoaded()) form.Unload();
    platform::script::ClearQueue();
  }
  // Runs every pending one-shot refresh.
  void Settle() {
    for (vb::Timer* t : {&form.TimerBackup, &form.TimerClipboard, &form.TimerSounds, &form.TimerLocked,
                         &form.TimerFonts}) {
      if (platform::testing::TimerExists(t->hWnd(), 1)) platform::testing::FireTimer(t->hWnd(), 1);
    }
  }
  void LoadAndSettle() {
    form.Load();
    Settle();
  }
};

}  // namespace qmtest
