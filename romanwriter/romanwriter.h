#pragma once

// An independent standard-numeral writer to check the conversions against:
// greedy, largest value first, sharing nothing with the digit-group table.

#include <string>
#include <unordered_map>

inline std::u32string greedyRoman(int number)
{
    static const std::pair<int, const char32_t *> values[] = {
        {1000, U"M"}, {900, U"CM"}, {500, U"D"}, {400, U"CD"}, {100, U"C"}, {90, U"XC"},
        {50, U"L"},   {40, U"XL"},  {10, U"X"},  {9, U"IX"},   {5, U"V"},   {4, U"IV"},
        {1, U"I"}};
    std::u32string numeral;
    for (const auto &[value, letters] : values) {
        for (; number >= value; number -= value)
            numeral += letters;
    }
    return numeral;
}

inline std::u32string decimalText(int number)
{
    const std::string digits = std::to_string(number);
    return {digits.begin(), digits.end()};
}

inline const std::unordered_map<std::u32string, int> &standardNumerals()
{
    static const auto numerals = [] {
        std::unordered_map<std::u32string, int> map;
        for (int number = 1; number <= 3999; ++number)
            map.emplace(greedyRoman(number), number);
        return map;
    }();
    return numerals;
}
