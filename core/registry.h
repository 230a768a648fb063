// The settings store: one text or 32-bit value of the current user's registry per call. Each call
// opens and closes its own key, so a value written is seen by the next read at once, also by the
// other program. The key paths and value names are in core/settings_schema.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry/registry.h"
#include "platform/registry/store.h"

namespace modRegistry {

// The text of a REG_SZ value, up to its first NUL. std::nullopt stands for "no value at all" (the
// empty variant) when the key or the value is missing, the value is not text, or it cannot be
// read; a present empty text gives u"". The text passes through the platform's code page
// (Windows-1251), so a character that code page cannot hold has been stored as '?'.
std::optional<std::u16string> ReadRegistryString(win::HKEY root, std::u16string_view path, std::u16string_view name);

// Creates the key (and any missing keys above it) and sets the value as REG_SZ. A failure leaves
// the store as it was; the first failure of a run that the settings file could not take is told
// in a message box.
void WriteRegistryString(win::HKEY root, std::u16string_view path, std::u16string_view name,
                         std::u16string_view text);

// A REG_DWORD value; 0 when the key or value is missing or the value is not 32-bit.
std::int32_t ReadRegistryDword(win::HKEY root, std::u16string_view path, std::u16string_view name);

// Whether the key holds a value of that name, of either type.
bool RegistryValueExists(win::HKEY root, std::u16string_view path, std::u16string_view name);

// Creates the key and sets the value as REG_DWORD. A failure is told as WriteRegistryString's is.
void WriteRegistryDword(win::HKEY root, std::u16string_view path, std::u16string_view name, std::int32_t value);

// Tells the user, in a message box, when the settings file was found damaged and set aside since
// the last call (the values that read well are kept): where it was and where its copy is; or when
// it is there but cannot be read, or is damaged and cannot be set aside (the program then runs on
// its defaults, or the values that read well, and keeps no change; a failed write later is not
// said again).
void ReportDamagedSettings();

// A text preference of the program's "Preferences" key; an absent one reads as the empty text.
std::u16string ReadPreference(std::u16string_view name);
// The editor's font name, "FontName": a stored name longer than any font's (kLongestFontName)
// reads as the empty text too, at once, without the stored text being read.
std::u16string ReadFontName();
// Sets a text preference of the "Preferences" key, as WriteRegistryString does.
void WritePreference(std::u16string_view name, std::u16string_view text);

// The writes of one command (an Apply, a Reset, the toolbar dialog's values, the placement at exit)
// reach the settings file together, in one replacement of it, when the batch goes; reads see them
// at once (platform/registry/store.h's Batch). A write the file could not take is told then, as
// WriteRegistryString tells it.
class WriteBatch {
 public:
  WriteBatch() = default;
  ~WriteBatch();
  WriteBatch(const WriteBatch&) = delete;
  WriteBatch& operator=(const WriteBatch&) = delete;

 private:
  platform::registry::Batch batch_;
};

}  // namespace modRegistry
