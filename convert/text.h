#pragma once

// Texts of fields and captions are held one element per character, so that
// whatever the user pasted is never split or lost by a conversion.

#include <cstdint>
#include <string>
#include <string_view>

namespace tuvo {

using Text = std::u32string;
using TextView = std::u32string_view;

inline bool isDigit(char32_t c)
{
    return c >= U'0' && c <= U'9';
}

// "0" to "9" are worth 0 to 9; any other text, one character or not, is worth 0.
std::int16_t digitValue(TextView text);

// The numeric value of a whole text, as far as the upper limit needs it:
// blanks, tabs and line feeds are skipped wherever they stand, then a sign,
// digits with at most one decimal point and an optional power of ten written
// E or e; reading stops at the first character out of that form. The value is
// exact, whatever the number of digits.
bool valueAbove3999(TextView text);

// a-z and the accented letters that the Windows-1252 set upper-cases; every
// other character is left as it is ("ß" and "µ" included).
void upperCaseInPlace(Text &text);

// Sets `caption` to the character at a 1-based position of `text`, or "" past its end.
void assignCharacterAt(Text &caption, TextView text, std::size_t position);

// Sets `text` to a number in decimal: no sign, no blank, no leading zero.
void assignDecimal(Text &text, unsigned number);

} // namespace tuvo
