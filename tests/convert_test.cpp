// The two conversions on the window model, without any window.

#include "convert/conversions.h"
#include "romanwriter/romanwriter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using tuvo::Text;

const Text nc(tuvo::nonConforme);
const Text limit = U"MMMCMXCIX";
const Text huge(1'000'000, U'0');

// Steps on a window as it opens: "1" or "2" then a text sets Text1 or Text2
// (as pasted: no filter), "<" clicks the left arrow and ">" the right one.
struct Row { std::vector<Text> steps; Text text1, text2; };

TEST(BothWays, AnswerEveryMessagePasteAndHistory)
{
    const std::vector<Row> rows = {
        {{U"1", U">"}, U"", U""}, {{U"10", U">"}, U"0", U"N'existe pas !"}, {{U"1-5", U">"}, nc, U""},
        {{U"10999", U">"}, nc, U""}, {{U"14000", U">"}, U"3999", limit}, {{U"13999.5", U">"}, U"3999", limit},
        {{U"13999.00", U">"}, nc, U""}, {{U"14.00", U">"}, U"Limité à 3999", U""}, {{U"11a2b", U">"}, nc, U""},
        {{U"1" + huge, U">"}, nc, U""}, {{U"11" + huge, U">"}, U"3999", limit}, {{U"2", U"<"}, U"", U""},
        {{U"2ivé", U"<"}, nc, U"IVÉ"}, {{U"2MMMDCCCLXXXVIIII", U"<"}, nc, U"MMMDCCCLXXXVIIII"},
        {{U"2MDCLXVIMDCLXVIMD", U"<"}, nc, U"MDCLXVIMDCLXVIMD"},
        {{U"2" + Text(huge.size(), U'm'), U"<"}, nc, Text(huge.size(), U'M')},
        // A click after a longer or a different one.
        {{U"10999", U">", U">"}, U"", U""}, {{U"11994", U">", U"112", U">"}, U"12", U"XII"},
        {{U"11994", U">", U"105", U">"}, nc, U""}, {{U"12000", U">", U"10999", U">"}, nc, U""},
        {{U"13888", U">", U"14.00", U">"}, U"Limité à 3999", U""}, {{U"2MM", U"<", U"25i", U"<"}, nc, U"5I"},
        {{U"2MMIMIXCM", U"<", U"2MMMDCCCLXXXVIII", U"<"}, U"3888", U"MMMDCCCLXXXVIII"},
        {{U"25MMMMMMMMMMMMMM", U"<", U"<", U"<"}, nc, U"5MMMMMMMMMMMMMM"},
    };
    for (const Row &row : rows) {
        tuvo::WindowModel window{U"16", U"XVI"};
        tuvo::Form1State state;
        for (const Text &step : row.steps) {
            if (step == U"<")
                tuvo::romanToArabic(window, state);
            else if (step == U">")
                tuvo::arabicToRoman(window, state);
            else
                (step[0] == U'1' ? window.text1 : window.text2) = step.substr(1);
        }
        const auto context = ::testing::PrintToString(row.steps.front().substr(0, 30));
        EXPECT_EQ(window.text1, row.text1) << context;
        EXPECT_EQ(window.text2, row.text2) << context;
    }
}

// Every number both ways on one window, each letter of the numeral in capitals or not by a bit of
// the number: no click may depend on the one before.
TEST(BothWays, ConvertEveryNumberAndBack)
{
    tuvo::WindowModel window;
    tuvo::Form1State state;
    for (int number = 1; number <= 3999; ++number) {
        window.text1 = decimalText(number);
        tuvo::arabicToRoman(window, state);
        ASSERT_EQ(window.text2, greedyRoman(number)) << "decimal " << number;
        ASSERT_EQ(window.text1, decimalText(number)) << "decimal " << number;
        for (const int bits : {number, ~number}) {
            window.text1 = U"7";
            for (std::size_t i = 0; i < window.text2.size(); ++i)
                window.text2[i] += (bits >> (i % 12)) & 1 ? U'a' - U'A' : 0;
            tuvo::romanToArabic(window, state);
            ASSERT_EQ(window.text1, decimalText(number)) << "numeral of " << number;
            ASSERT_EQ(window.text2, greedyRoman(number));
        }
    }
}

TEST(RomanToArabic, AcceptsExactlyTheStandardNumeralsOfUpToSevenLetters)
{
    const Text letters = U"MDCLXVI";
    tuvo::WindowModel window;
    tuvo::Form1State state;
    for (std::size_t length = 1, count = 7; length <= 7; ++length, count *= 7) {
        for (std::size_t n = 0; n < count; ++n) { // the text's letters as base-7 digits of n
            Text text;
            for (std::size_t digits = n, k = 0; k < length; ++k, digits /= letters.size())
                text += letters[digits % letters.size()];
            window.text2 = text;
            tuvo::romanToArabic(window, state);
            const auto found = standardNumerals().find(text);
            ASSERT_EQ(window.text1, found == standardNumerals().end() ? nc : decimalText(found->second))
                << ::testing::PrintToString(text);
        }
    }
}

} // namespace
