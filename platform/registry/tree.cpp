#include "platform/registry/tree.h"

#include "platform/vb/strings.h"

namespace platform::registry {

std::u16string Folded(std::u16string_view name) { return vb::UCase(name); }

bool SameName(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && Folded(a) == Folded(b);
}

namespace {

bool ValidKeyName(std::u16string_view name) {
  if (name.empty()) return false;
  for (char16_t c : name) {
    if (c < 0x20 || c == 0x7F) return false;
  }
  return true;
}

}  // namespace

bool SplitPath(std::u16string_view path, std::vector<std::u16string>* names) {
  names->clear();
  if (path.empty()) return true;
  for (std::size_t start = 0;;) {
    const std::size_t end = path.find(u'\\', start);
    const std::u16string_view name = path.substr(start, end == std::u16string_view::npos ? end : end - start);
    if (!ValidKeyName(name) || names->size() == kMaxDepth) return false;
    names->emplace_back(name);
    if (end == std::u16string_view::npos) return true;
    start = end + 1;
  }
}

const Key* FindKey(const Key& root, const std::vector<std::u16string>& names) {
  const Key* key = &root;
  for (const auto& name : names) {
    key = key->subkeys.Find(name);
    if (key == nullptr) return nullptr;
  }
  return key;
}

Key* MakeKey(Key& root, const std::vector<std::u16string>& names, bool* created) {
  Key* key = &root;
  for (const auto& name : names) {
    bool added = false;
    key = &key->subkeys.FindOrAdd(name, [&] { return Key{name, {}, {}}; }, &added);
    if (added && created != nullptr) *created = true;
  }
  return key;
}

namespace {

bool SameValue(const Value& a, const Value& b) {
  if (a.type != b.type) return false;
  return a.type == win::REG_DWORD ? a.number == b.number : a.text == b.text;
}

}  // namespace

bool Put(Key& key, std::u16string_view name, const Value& value) {
  bool added = false;
  Entry& entry = key.values.FindOrAdd(name, [&] { return Entry{std::u16string(name), value}; }, &added);
  if (added) return true;
  if (SameValue(entry.value, value)) return false;
  entry.value = value;
  return true;
}

}  // namespace platform::registry
