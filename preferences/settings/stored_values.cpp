#include "preferences/settings/stored_values.h"

#include "core/number_text.h"

namespace stored_values {

using number_text::Decimal;
using number_text::WholeNumber;

int FlagCheck(std::u16string_view text) { return WholeNumber(text) == 1 ? 1 : 0; }

int SwitchCheck(int value) { return value == 1 ? 1 : 0; }

std::u16string WholeInRange(std::u16string_view text, int low, int high) {
  const auto n = WholeNumber(text);
  return n && *n >= low && *n <= high ? std::u16string(text) : std::u16string();
}

std::u16string DecimalInRange(std::u16string_view text, double low, double high) {
  const auto n = Decimal(text);
  return n && *n >= low && *n <= high ? std::u16string(text) : std::u16string();
}

std::optional<float> FontPoints(std::u16string_view text) {
  const auto n = Decimal(text);
  if (!n || *n < 1 || *n > 1638) return std::nullopt;
  return static_cast<float>(*n);
}

}  // namespace stored_values
