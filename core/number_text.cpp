#include "core/number_text.h"

#include <cstdint>

namespace number_text {
namespace {

std::u16string_view Trim(std::u16string_view t) {
  while (!t.empty() && (t.front() == u' ' || t.front() == u'\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == u' ' || t.back() == u'\t')) t.remove_suffix(1);
  return t;
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace

std::optional<int> WholeNumber(std::u16string_view text) {
  std::u16string_view t = Trim(text);
  bool negative = false;
  if (!t.empty() && (t.front() == u'-' || t.front() == u'+')) {
    negative = t.front() == u'-';
    t.remove_prefix(1);
  }
  if (t.empty() || t.size() > 10) return std::nullopt;
  std::int64_t n = 0;
  for (char16_t c : t) {
    if (!IsDigit(c)) return std::nullopt;
    n = n * 10 + (c - u'0');
  }
  if (negative) n = -n;
  if (n < INT32_MIN || n > INT32_MAX) return std::nullopt;
  return static_cast<int>(n);
}

std::optional<double> Decimal(std::u16string_view text) {
  std::u16string_view t = Trim(text);
  if (t.empty() || t.size() > 32) return std::nullopt;
  double whole = 0, scale = 1;
  bool point = false, digits = false;
  for (char16_t c : t) {
    if (IsDigit(c)) {
      digits = true;
      if (point) {
        scale /= 10;
        whole += (c - u'0') * scale;
      } else {
        whole = whole * 10 + (c - u'0');
      }
    } else if ((c == u'.' || c == u',') && !point) {
      point = true;
    } else {
      return std::nullopt;
    }
  }
  if (!digits) return std::nullopt;
  return whole;
}

}  // namespace number_text
