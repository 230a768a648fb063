// Numbers written as text by a person (a settings box, a value edited by hand in the settings file):
// read strictly, so that a text that is not such a number is told apart from 0.
#pragma once

#include <optional>
#include <string_view>

namespace number_text {

// Optional blanks around an optional sign and decimal digits that fit 32 bits; anything else is no
// number.
std::optional<int> WholeNumber(std::u16string_view text);
// Optional blanks around digits with at most one decimal point written "." or ",": "12", "12.5",
// "12,5", ".5"; no sign. Anything else is no number.
std::optional<double> Decimal(std::u16string_view text);

}  // namespace number_text
