#include "convert/digitloop.h"

#include "convert/conversions.h"
#include "convert/digitgroups.h"

#include <array>

namespace tuvo {

namespace {

// Digits read from a caption are 0 to 9, so these places always have a group.
std::u32string_view groupOf(Place place, std::int16_t digit)
{
    return romanGroup(place, digit).value_or(U"");
}

// The field that position `position` of a text of `length` characters fills.
std::int16_t *placeDigit(Form1State &state, std::size_t length, std::size_t position)
{
    const std::array places = {&state.thousandsDigit, &state.hundredsDigit, &state.tensDigit,
                               &state.unitsDigit};
    return places.at(4 - length + position - 1); // a place out of range throws, never writes
}

} // namespace

bool storeDigit(Form1State &state, std::size_t length, std::size_t position, std::int16_t d)
{
    if (length < 1 || length > 4)
        return false;
    *placeDigit(state, length, position) = d;
    return true;
}

void spellPlaces(Form1State &state, std::size_t length, Text &numeral)
{
    if (length == 1) {
        numeral = state.unitsDigit == 0 ? nExistePas : groupOf(Place::Units, state.unitsDigit);
        return;
    }
    numeral.clear();
    if (length == 4) {
        if (const auto group = romanGroup(Place::Thousands, state.thousandsDigit))
            state.thousandsGroup = *group;
        numeral += state.thousandsGroup;
    }
    if (length >= 3) {
        state.hundredsGroup = groupOf(Place::Hundreds, state.hundredsDigit);
        numeral += state.hundredsGroup;
    }
    state.tensGroup = groupOf(Place::Tens, state.tensDigit);
    numeral += state.tensGroup;
    numeral += groupOf(Place::Units, state.unitsDigit);
}

} // namespace tuvo
