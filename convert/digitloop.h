#pragma once

#include "convert/form1state.h"
#include "convert/text.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tuvo {

// One position of the digit loop that both conversions run over a decimal
// text: stores the digit d read at 1-based `position` of a text of `length`
// characters in the field of its place, looks the groups up again and returns
// the numeral that the places now spell, or "N'existe pas !" for a lone 0.
//
// The places not yet visited still hold what an earlier click of either kind
// left, so only the numeral of the last position counts. A thousands digit
// above 3 has no group: thousandsGroup keeps what it held. A length other than
// 1 to 4 has no rule and gives nothing.
std::optional<Text> spellPlaces(Form1State &state, std::size_t length, std::size_t position,
                                std::int16_t d);

} // namespace tuvo
