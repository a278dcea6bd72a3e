// Number text of the INI file: how window positions are written and read back, the same in every locale.
#pragma once

#include <optional>
#include <string>

namespace tarvello {

// Decimal with "." as separator, a leading blank for zero and positive values, "-" for negative ones and no
// fraction for whole numbers: 1560 -> " 1560", -120 -> "-120", 12.5 -> " 12.5". Never uses an exponent.
// Infinity and NaN cannot be written as a position and fail with the overflow error.
std::wstring FormatNumberText(double value);

// Reads what FormatNumberText writes, and what a German locale writes: "." is the decimal separator in every
// locale, "," is one when the text has no ".". Optional sign, blanks around; no exponent, no thousands
// separators. The value is rounded to single precision. nullopt for empty or non-numeric text and for values
// beyond single-precision range.
std::optional<double> ParseNumberText(const std::wstring& text);

// Whether an array element is packed without quotes: an optional sign and digits with at most one "." (at least
// one digit), with spaces around. Empty text, letters (so also "1e5"), "," and lone signs or points are not numbers.
bool ReadsAsNumber(const std::wstring& text);

}  // namespace tarvello
