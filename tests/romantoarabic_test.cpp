#include "convert/conversions.h"

#include "tests/romanwriter.h"

#include <gtest/gtest.h>

#include <unordered_map>
#include <vector>

namespace {

using tuvo::Text;

struct Row
{
    Text text2;
    Text text1;
    Text label5;
};

void expectFirstClicks(const std::vector<Row> &rows)
{
    for (const Row &row : rows) {
        tuvo::WindowModel window;
        tuvo::Form1State state;
        window.text2 = row.text2;
        tuvo::romanToArabic(window, state);
        const auto context = "Text2 was " + ::testing::PrintToString(row.text2);
        EXPECT_EQ(window.text1, row.text1) << context;
        EXPECT_EQ(window.text2, tuvo::upperCase(row.text2)) << context;
        EXPECT_EQ(window.label5, row.label5) << context;
    }
}

TEST(RomanToArabic, ConvertsStandardNumerals)
{
    expectFirstClicks({
        {U"I", U"1", U"I"},
        {U"IV", U"4", U"IV"},
        {U"IX", U"9", U"IX"},
        {U"XL", U"40", U"XL"},
        {U"XC", U"90", U"XC"},
        {U"CD", U"400", U"CD"},
        {U"CM", U"900", U"CM"},
        {U"XIX", U"19", U"XIX"},
        {U"XLIX", U"49", U"XLIX"},
        {U"XCIX", U"99", U"XCIX"},
        {U"CDXC", U"490", U"CDXC"},
        {U"MMIX", U"2009", U"MMIX"},
        {U"MDCLXVI", U"1666", U"MDCLXVI"},
        {U"MMMCMXCIX", U"3999", U"MMMCMXCIX"},
        {U"MMMDCCCLXXX", U"3880", U"MMMDCCCLXXX"},
        {U"iv", U"4", U"IV"},
        {U"xvi", U"16", U"XVI"},
        {U"MMMDCCCLXXXVIII", U"3888", U"MMMDCCCLXXXVIII"},
        {U"MMDCCCLXXXVIII", U"2888", U"MMDCCCLXXXVIII"},
        {U"mmmdccclxxxvii", U"3887", U"MMMDCCCLXXXVII"},
    });
}

TEST(RomanToArabic, RefusesWhatIsNoStandardNumeral)
{
    expectFirstClicks({
        {U"", U"", U"XVI"}, // rebuilt from the "16" that Text1 held
        {U"IIII", U"Non conforme", U"Label5"},
        {U"XXXX", U"Non conforme", U"Label5"},
        {U"MMMM", U"Non conforme", U"Label5"},
        {U"LL", U"Non conforme", U"Label5"},
        {U"IIX", U"Non conforme", U"Label5"},
        {U"IIIIV", U"Non conforme", U"Label5"},
        {U"VV", U"Non conforme", U"X"},
        {U"DD", U"Non conforme", U"M"},
        {U"IL", U"Non conforme", U"XLIX"},
        {U"IC", U"Non conforme", U"XCIX"},
        {U"ID", U"Non conforme", U"CDXCIX"},
        {U"IM", U"Non conforme", U"CMXCIX"},
        {U"VX", U"Non conforme", U"V"},
        {U"XM", U"Non conforme", U"CMXC"},
        {U"IXI", U"Non conforme", U"X"},
        {U"IVX", U"Non conforme", U"IV"},
        {U"XXXXI", U"Non conforme", U"XLI"},
        {U"MMMCMM", U"Non conforme", U"CM"},
        {U"MMMDCCCLXXXVIIII", U"Non conforme", U"Label5"},
        {U"5", U"Non conforme", U"N'existe pas !"},
        {U"XIV ", U"Non conforme", U"XIV"},
        {U"X\U0001F600", U"Non conforme", U"X"},
    });
}

TEST(RomanToArabic, EmptiesText1WhenText2IsEmpty)
{
    for (const Text before : {U"", U"16", U"5000", U"Non conforme", U"Limité à 3999"}) {
        tuvo::WindowModel window;
        tuvo::Form1State state;
        window.text1 = before;
        window.text2 = U"";
        tuvo::romanToArabic(window, state);
        EXPECT_EQ(window.text1, U"") << "Text1 was " << ::testing::PrintToString(before);
        EXPECT_EQ(window.label1, U"Label1");
    }
}

// Mixed case by the bits of the number, so every letter is met in both cases.
Text mixedCase(const Text &numeral, int number)
{
    Text mixed = numeral;
    for (std::size_t i = 0; i < mixed.size(); ++i) {
        if ((number >> (i % 12)) & 1)
            mixed[i] = mixed[i] - U'A' + U'a';
    }
    return mixed;
}

TEST(RomanToArabic, ReadsBackEveryNumberInAnyCase)
{
    tuvo::WindowModel window;
    tuvo::Form1State state;
    for (int number = 1; number <= 3999; ++number) {
        for (const Text &text : {greedyRoman(number), mixedCase(greedyRoman(number), number),
                                 mixedCase(greedyRoman(number), ~number)}) {
            window.text2 = text;
            tuvo::romanToArabic(window, state);
            ASSERT_EQ(window.text1, decimalText(number)) << ::testing::PrintToString(text);
            ASSERT_EQ(window.text2, greedyRoman(number));
        }
    }
}

TEST(RomanToArabic, AcceptsExactlyTheStandardNumeralsOfUpToSevenLetters)
{
    std::unordered_map<Text, int> standard;
    for (int number = 1; number <= 3999; ++number)
        standard.emplace(greedyRoman(number), number);

    const Text letters = U"MDCLXVI";
    tuvo::WindowModel window;
    tuvo::Form1State state;
    int accepted = 0;
    for (std::size_t length = 1; length <= 7; ++length) {
        std::vector<std::size_t> digits(length, 0); // the text as a base-7 counter
        for (bool more = true; more;) {
            Text text;
            for (const std::size_t digit : digits)
                text += letters[digit];
            window.text2 = text;
            tuvo::romanToArabic(window, state);
            const auto found = standard.find(text);
            const Text expected =
                found == standard.end() ? Text(tuvo::nonConforme) : decimalText(found->second);
            ASSERT_EQ(window.text1, expected) << ::testing::PrintToString(text);
            accepted += found != standard.end();

            more = false;
            for (std::size_t i = length; i-- > 0 && !more;) {
                more = ++digits[i] < letters.size();
                if (!more)
                    digits[i] = 0;
            }
        }
    }
    int standardUpToSeven = 0;
    for (const auto &[numeral, number] : standard)
        standardUpToSeven += numeral.size() <= 7;
    EXPECT_EQ(accepted, standardUpToSeven);
}

TEST(RomanToArabic, CarriesItsStateFromClickToClick)
{
    tuvo::WindowModel window;
    tuvo::Form1State state;

    // The first click totals 3888 and rebuilds the 15-letter numeral, which a
    // second click now reads back.
    window.text2 = U"MMIMIXCM";
    tuvo::romanToArabic(window, state);
    EXPECT_EQ(window.text1, U"Non conforme");
    EXPECT_EQ(window.label5, U"MMMDCCCLXXXVIII");
    window.text2 = U"MMMDCCCLXXXVIII";
    tuvo::romanToArabic(window, state);
    EXPECT_EQ(window.text1, U"3888");

    window.text2 = U"MCMXCIV";
    tuvo::romanToArabic(window, state);
    EXPECT_EQ(window.text1, U"1994");
    EXPECT_EQ(window.label1, U"V");
    EXPECT_EQ(window.label2, U"4");
    EXPECT_EQ(window.label5, U"MCMXCIV");

    window.text2 = U"IIII";
    tuvo::romanToArabic(window, state);
    EXPECT_EQ(window.label2, U"r"); // the last character of "Erreur"
    EXPECT_EQ(window.label5, U"MCMXCIV");

    // Position 1 holds no letter: the total of the last click goes on, and the
    // rank of the "M" it left at position 1 decides the rule for position 2.
    window.text2 = U"MM";
    tuvo::romanToArabic(window, state);
    window.text2 = U"5i";
    tuvo::romanToArabic(window, state);
    EXPECT_EQ(state.romanTotal, 2001);
    EXPECT_EQ(window.label5, U"MMI");
    EXPECT_EQ(window.text1, U"Non conforme");
    EXPECT_EQ(window.text2, U"5I");
    EXPECT_EQ(state.romanLetters[0], U"");
    EXPECT_EQ(state.letterRanks[0], 0);
    EXPECT_EQ(state.letterValues[0], 0);
}

TEST(RomanToArabic, StopsTheCarriedTotalShortOf32768)
{
    tuvo::WindowModel window;
    tuvo::Form1State state;
    const std::vector<std::int16_t> totals = {14000, 28000, 32000, 32000};
    for (const std::int16_t total : totals) {
        window.text2 = U"5" + Text(14, U'M');
        tuvo::romanToArabic(window, state);
        EXPECT_EQ(state.romanTotal, total);
        EXPECT_EQ(window.text1, U"Non conforme");
    }
}

TEST(RomanToArabic, LeavesItsDigitsToTheOtherDirection)
{
    tuvo::WindowModel window;
    tuvo::Form1State state;
    window.text2 = U"MMMCMXCIX";
    tuvo::romanToArabic(window, state);
    window.text1 = U"12";
    tuvo::arabicToRoman(window, state);
    EXPECT_EQ(window.text2, U"XII");
    EXPECT_EQ(state.thousandsDigit, 3); // the places "12" has not are the Roman click's
    EXPECT_EQ(state.hundredsGroup, U"CM");
    EXPECT_EQ(window.label1, U"X");
    EXPECT_EQ(window.label2, U"2");
    EXPECT_EQ(window.label5, U"MMMCMXCIX");

    // A thousands digit above 3 leaves the thousands group as it was.
    window.text1 = U"4.00";
    tuvo::arabicToRoman(window, state);
    EXPECT_EQ(state.thousandsGroup, U"MMM");
    EXPECT_EQ(window.text2, U"");
}

TEST(RomanToArabic, MeetsTheDigitsOfTheOtherDirection)
{
    tuvo::WindowModel window;
    tuvo::Form1State state;
    window.text1 = U"2000";
    tuvo::arabicToRoman(window, state);
    window.text2 = U"5"; // no letter: the fresh total 0 goes on, and "0" spells nothing
    tuvo::romanToArabic(window, state);
    EXPECT_EQ(window.text1, U"Non conforme");
    EXPECT_EQ(window.label5, U"N'existe pas !");
    EXPECT_EQ(window.label2, U"0");
    EXPECT_EQ(state.thousandsDigit, 2);
    EXPECT_EQ(state.thousandsGroup, U"MM");
    EXPECT_EQ(state.unitsDigit, 0);
}

TEST(RomanToArabic, HandlesTextsOfAnyLength)
{
    const std::size_t length = 1'000'000;
    for (const Text &text : {Text(length, U'm'), Text(length, U'?'), U"X" + Text(length, U'I')}) {
        tuvo::WindowModel window;
        tuvo::Form1State state;
        window.text2 = text;
        tuvo::romanToArabic(window, state);
        EXPECT_EQ(window.text1, U"Non conforme");
        EXPECT_EQ(state.romanPos, text.size() + 1);
        EXPECT_EQ(window.label1, Text(1, tuvo::upperCase(text).back()));
    }
    tuvo::WindowModel window;
    tuvo::Form1State state;
    window.text1 = Text(length, U'7');
    window.text2 = U"";
    tuvo::romanToArabic(window, state);
    EXPECT_EQ(window.text1, U"");
    EXPECT_EQ(state.arabicLength, length);
}

} // namespace
