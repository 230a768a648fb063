#include "platform/registry/tree.h"

#include "platform/registry/quoted_text.h"
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

Key* FindKey(Key& root, const std::vector<std::u16string>& names) {
  Key* key = &root;
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

void SetText(Entry& entry, Place text, std::uint32_t units, Texts& texts) {
  if (!entry.Reaches(text)) {
    entry.MoveName(texts.CopyToSide(texts.At(entry.name())));
    text = texts.CopyToSide(texts.At(text));
  }
  entry.SetText(text, units);
}

void IndexRead(Key& key, Texts& texts) {
  if (key.values.indexed()) return;
  key.values.IndexRead(
      [&](const Entry& earlier, const Entry& later) {
        return SameName(texts.At(earlier.name()), texts.At(later.name()));
      },
      [&](Entry& earlier, const Entry& later) {
        if (later.isNumber()) {
          earlier.SetNumber(later.number());
        } else {
          SetText(earlier, later.text(), later.units(), texts);
        }
      });
}

namespace {

Entry* Find(Key& key, std::u16string_view name, Texts& texts) {
  const std::uint32_t hash = NameHash(name);
  const auto same = [&](const Entry& entry) { return SameName(texts.At(entry.name()), name); };
  if (key.values.ScanOnce()) {
    if (Entry* entry = key.values.FindRead(hash, same)) return entry;
  } else {
    IndexRead(key, texts);
  }
  return key.values.Find(hash, same);
}

}  // namespace

const Entry* FindValue(Key& key, std::u16string_view name, Texts& texts) { return Find(key, name, texts); }

bool Put(Key& key, std::u16string_view name, const Value& value, Texts& texts) {
  IndexRead(key, texts);  // before any entry is added
  Entry* entry = Find(key, name, texts);
  if (value.type == win::REG_DWORD) {
    if (entry != nullptr && entry->isNumber() && entry->number() == value.number) return false;
    if (entry == nullptr) entry = &key.values.Add(Entry(texts.AddSide(name)), NameHash(name));
    entry->SetNumber(value.number);
    return true;
  }
  // Both quoted forms are the store's own, so the same text has the same bytes.
  std::string quoted;
  AppendQuoted(quoted, value.text);
  if (entry != nullptr && !entry->isNumber() && texts.At(entry->text()) == quoted) return false;
  if (entry == nullptr) {
    entry = &key.values.Add(Entry(texts.AddSide(name)), NameHash(name));
  } else if (!entry->name().side) {
    entry->MoveName(texts.CopyToSide(texts.At(entry->name())));  // the text is to follow it
  }
  SetText(*entry, texts.CopyToSide(quoted), static_cast<std::uint32_t>(value.text.size()), texts);
  return true;
}

Value ValueOf(const Entry& entry, const Texts& texts) {
  Value value;
  if (entry.isNumber()) {
    value.type = win::REG_DWORD;
    value.number = entry.number();
  } else {
    value.text.resize(entry.units());
    Unquote(texts.At(entry.text()), value.text.data());
  }
  return value;
}

}  // namespace platform::registry
