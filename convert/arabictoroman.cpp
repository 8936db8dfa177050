#include "convert/conversions.h"

#include "convert/digitloop.h"

#include <algorithm>

namespace tuvo {

namespace {

// One to four characters whose later ones are all digits. The first is
// judged by the walk itself; a longer text, or one with a point, a blank or a
// letter after its first digit, spells no numeral of its own.
bool hasNumeralShape(TextView text)
{
    return text.size() <= 4 && std::all_of(text.begin() + std::min<std::size_t>(1, text.size()),
                                           text.end(), isDigit);
}

} // namespace

void arabicToRoman(WindowModel &window, Form1State &state)
{
    window.text2.clear();
    if (window.text1 == nonConforme)
        window.text1.clear();
    if (valueAbove3999(window.text1))
        window.text1 = U"3999";

    state.arabicLength = window.text1.size();
    for (state.arabicPos = 1; state.arabicPos <= state.arabicLength; ++state.arabicPos) {
        const std::size_t length = state.arabicLength;
        const std::size_t position = state.arabicPos;
        // Text1 is read afresh: an earlier position may have put a message there,
        // whose characters are then worth 0.
        assignCharacterAt(window.label2, window.text1, position);
        const std::int16_t d = digitValue(window.label2);
        if (position == 1 && length >= 2 && length <= 4 && d == 0)
            window.text1 = nonConforme; // a leading zero, blank, sign or point
        if (storeDigit(state, length, position, d)) {
            if (length == 4 && state.thousandsDigit > 3)
                window.text1 = limiteA3999; // written again at every position
            if (position == length)
                spellPlaces(state, length, window.text2);
        }
    }

    // A thousands digit above 3 spells nothing sound, and a "Limité à 3999" left
    // by an earlier click stays as the answer.
    if (window.text1 == limiteA3999) {
        window.text2.clear();
        return;
    }
    // The walk left Text1 as it was (every message it writes is longer than four
    // characters) but the text is no numeral: its non-digits would count as 0.
    if (window.text1.size() == state.arabicLength && !hasNumeralShape(window.text1)) {
        window.text1 = nonConforme;
        window.text2.clear();
    }
}

} // namespace tuvo
