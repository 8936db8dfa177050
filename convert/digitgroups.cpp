#include "convert/digitgroups.h"

#include <array>

namespace tuvo {

namespace {

using Row = std::array<std::u32string_view, 10>;

constexpr std::array<Row, 4> groups = {{
    {U"", U"I", U"II", U"III", U"IV", U"V", U"VI", U"VII", U"VIII", U"IX"},
    {U"", U"X", U"XX", U"XXX", U"XL", U"L", U"LX", U"LXX", U"LXXX", U"XC"},
    {U"", U"C", U"CC", U"CCC", U"CD", U"D", U"DC", U"DCC", U"DCCC", U"CM"},
    {U"", U"M", U"MM", U"MMM"},
}};

} // namespace

std::optional<std::u32string_view> romanGroup(Place place, std::int16_t digit)
{
    const int highest = place == Place::Thousands ? 3 : 9;
    if (digit < 0 || digit > highest)
        return std::nullopt;
    return groups[static_cast<std::size_t>(place)][static_cast<std::size_t>(digit)];
}

} // namespace tuvo
