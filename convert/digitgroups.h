#pragma once

// The Roman group of each digit in each decimal place. A numeral is the
// thousands, hundreds, tens and units groups joined in that order.

#include <cstdint>
#include <optional>
#include <string_view>

namespace tuvo {

enum class Place { Units, Tens, Hundreds, Thousands };

// Digit 0 has an empty group in every place; a thousands digit above 3 has
// none at all, and neither has a value outside 0 to 9.
std::optional<std::u32string_view> romanGroup(Place place, std::int16_t digit);

} // namespace tuvo
