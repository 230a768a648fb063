#include "platform/registry/value_table.h"

#include "platform/registry/quoted_text.h"

namespace platform::registry {

Place Texts::AddSide(std::u16string_view text) {
  const std::size_t at = side.size();
  AppendQuoted(side, text);
  return {at, static_cast<std::uint32_t>(side.size() - at), true};
}

Place Texts::CopyToSide(std::string_view quoted) {
  const std::size_t at = side.size();
  if (quoted.data() >= side.data() && quoted.data() < side.data() + side.size()) {
    side += std::string(quoted);  // it stands in the side text itself, which may move as it grows
  } else {
    side += quoted;
  }
  return {at, static_cast<std::uint32_t>(quoted.size()), true};
}

void Values::Reserve(std::size_t count) {
  if (count * 2 <= slots_.size()) return;
  std::size_t size = slots_.empty() ? 16 : slots_.size();
  while (count * 2 > size) size *= 2;
  std::vector<Slot> old(size);
  old.swap(slots_);
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& s : old) {
    if (s.position == 0) continue;
    std::size_t at = s.hash & mask;
    while (slots_[at].position != 0) at = (at + 1) & mask;
    slots_[at] = s;
  }
}

}  // namespace platform::registry
