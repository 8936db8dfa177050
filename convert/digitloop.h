#pragma once

#include "convert/form1state.h"
#include "convert/text.h"

#include <cstddef>
#include <cstdint>

namespace tuvo {

// The digit loop that both conversions run over a decimal text. At each
// position the digit read there is stored in the field of its place; then the
// groups of every place are looked up again and the numeral they spell is
// written. Places not yet visited still hold what an earlier click of either
// kind left, so what is spelled before the last position is overwritten
// unseen: the groups and the numeral are spelled once, at the last position,
// with the same result. Only lengths 1 to 4 have a rule.

// Stores the digit d read at 1-based `position`, 1 to `length`, of a text of `length`
// characters; false, storing nothing, for a length without a rule.
bool storeDigit(Form1State &state, std::size_t length, std::size_t position, std::int16_t d);

// Looks the groups of a text of `length` characters up from the stored
// digits and writes the numeral they spell into `numeral`, or "N'existe pas !"
// for a lone 0. A thousands digit above 3 has no group: thousandsGroup keeps
// what it held.
void spellPlaces(Form1State &state, std::size_t length, Text &numeral);

} // namespace tuvo
