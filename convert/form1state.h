#pragma once

#include "convert/text.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace tuvo {

// Per-position tables of the Roman letter loop: entries 1 to 15, enough for
// the longest standard numeral (3888, "MMMDCCCLXXXVIII"). Entry 0 is never
// written, so position 1 always compares with "" and rank 0.
inline constexpr std::size_t romanTableSize = 16;

// The working values of both conversions. Shared by both and never reset: a
// click may meet digits and groups that the previous click, of either kind,
// left here. One instance per main window; it is never copied.
//
// The digits, ranks, values and romanTotal keep the 16-bit range that the
// conversions rely on (romanTotal stops growing at 32767); lengths, positions
// and the run count are wide enough for any text.
struct Form1State
{
    Form1State() = default;
    Form1State(const Form1State &) = delete;
    Form1State &operator=(const Form1State &) = delete;

    std::size_t romanLength = 0;
    std::size_t romanPos = 0;
    std::array<Text, romanTableSize> romanLetters{};
    std::array<std::int16_t, romanTableSize> letterRanks{};
    std::array<std::int16_t, romanTableSize> letterValues{};
    std::int16_t romanTotal = 0;
    std::int16_t thousandsDigit = 0;
    std::int16_t hundredsDigit = 0;
    std::int16_t tensDigit = 0;
    Text tensGroup;
    Text hundredsGroup;
    Text thousandsGroup;
    std::int16_t unitsDigit = 0;
    std::size_t arabicLength = 0;
    std::size_t arabicPos = 0;
    bool badPatternFlag = false;
    std::size_t repeatCount = 0;
};

} // namespace tuvo
