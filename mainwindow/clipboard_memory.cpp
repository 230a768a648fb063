#include "mainwindow/clipboard_memory.h"

#include "core/registry.h"
#include "core/settings_schema.h"
#include "platform/registry/registry.h"
#include "platform/vb/clipboard.h"

namespace clipboard_memory {

// Read through the store's own functions: the settings routine stops a text at its first NUL,
// and clipboard text may hold one.
std::u16string Remembered() {
  const std::u16string path(settings::kClipboardKey);
  const std::u16string name(settings::clipboard::kClipboardText);
  win::HKEY key = 0;
  std::u16string text;
  if (win::RegOpenKeyExW(win::HKEY_CURRENT_USER, path.c_str(), 0, win::KEY_QUERY_VALUE, &key) != win::ERROR_SUCCESS) {
    return text;
  }
  win::DWORD type = 0;
  win::DWORD size = 0;
  if (win::RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) == win::ERROR_SUCCESS &&
      type == win::REG_SZ) {
    text.resize(size / 2);
    if (win::RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<win::BYTE*>(text.data()), &size) ==
            win::ERROR_SUCCESS &&
        type == win::REG_SZ) {
      text.resize(size / 2);
    } else {
      text.clear();
    }
  }
  win::RegCloseKey(key);
  return text;
}

void Remember(const std::u16string& text) {
  modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, settings::kClipboardKey, settings::clipboard::kClipboardText,
                                    text);
}

bool Watcher::Look() {
  const std::uint32_t sequence = vb::Clipboard.SequenceNumber();
  if (seen_ == sequence) return false;
  seen_ = sequence;
  const std::u16string remembered = Remembered();
  const std::u16string now = vb::Clipboard.GetText();
  // A clipboard without text (its owner quit, or it holds a picture) brings nothing to put in.
  if (now.empty() || now == remembered) return false;
  Remember(now);
  return !vb::Clipboard.HoldsOwnCopy();
}

}  // namespace clipboard_memory
