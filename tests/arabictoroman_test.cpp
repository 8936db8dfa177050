#include "convert/conversions.h"

#include "tests/romanwriter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using tuvo::Text;

struct Row
{
    Text before;
    Text text1;
    Text text2;
};

// One click on a freshly opened window with `before` in Text1.
std::pair<Text, Text> firstClick(const Text &before)
{
    tuvo::WindowModel window;
    tuvo::Form1State state;
    window.text1 = before;
    tuvo::arabicToRoman(window, state);
    return {window.text1, window.text2};
}

const Text unchanged = U"<unchanged>";

void expectRows(const std::vector<Row> &rows)
{
    for (const Row &row : rows) {
        const auto [text1, text2] = firstClick(row.before);
        const std::string context = "Text1 was " + ::testing::PrintToString(row.before);
        EXPECT_EQ(text1, row.text1 == unchanged ? row.before : row.text1) << context;
        EXPECT_EQ(text2, row.text2) << context;
    }
}

TEST(ArabicToRoman, ConvertsNumbersOfOneToFourDigits)
{
    expectRows({
        {U"1", unchanged, U"I"},          {U"4", unchanged, U"IV"},
        {U"9", unchanged, U"IX"},         {U"10", unchanged, U"X"},
        {U"14", unchanged, U"XIV"},       {U"16", unchanged, U"XVI"},
        {U"40", unchanged, U"XL"},        {U"90", unchanged, U"XC"},
        {U"99", unchanged, U"XCIX"},      {U"100", unchanged, U"C"},
        {U"101", unchanged, U"CI"},       {U"400", unchanged, U"CD"},
        {U"444", unchanged, U"CDXLIV"},   {U"500", unchanged, U"D"},
        {U"900", unchanged, U"CM"},       {U"999", unchanged, U"CMXCIX"},
        {U"1000", unchanged, U"M"},       {U"1001", unchanged, U"MI"},
        {U"1994", unchanged, U"MCMXCIV"}, {U"2009", unchanged, U"MMIX"},
        {U"3888", unchanged, U"MMMDCCCLXXXVIII"}, {U"3999", unchanged, U"MMMCMXCIX"},
    });
}

TEST(ArabicToRoman, ReplacesValuesAbove3999)
{
    expectRows({
        {U"4000", U"3999", U"MMMCMXCIX"},
        {U"9999", U"3999", U"MMMCMXCIX"},
        {U"10000", U"3999", U"MMMCMXCIX"},
        {U"12345", U"3999", U"MMMCMXCIX"},
        {U"1000000000000000000000000", U"3999", U"MMMCMXCIX"},
        {U"3999.5", U"3999", U"MMMCMXCIX"},
        {U"1e4", U"3999", U"MMMCMXCIX"},
        {U" 4 0 0 0", U"3999", U"MMMCMXCIX"},
    });
}

TEST(ArabicToRoman, AnswersZeroAndNonDigitsWithMessages)
{
    expectRows({
        {U"", U"", U""},
        {U"0", unchanged, U"N'existe pas !"},
        {U"a", unchanged, U"N'existe pas !"},
        {U"é", unchanged, U"N'existe pas !"},
        {U"00", U"Non conforme", U""},
        {U"000", U"Non conforme", U""},
        {U"0000", U"Non conforme", U""},
        {U"0999", U"Non conforme", U""},
        {U"0010", U"Non conforme", U""},
        {U"0123", U"Non conforme", U""},
        {U" 12", U"Non conforme", U""},
        {U"-5", U"Non conforme", U""},
        {U"Non conforme", U"", U""},
        {U"Limité à 3999", unchanged, U""},
    });
}

// A later character that is not a digit no longer counts as 0, a text of five
// characters or more is no longer met with silence, and a thousands digit
// above 3 no longer shows a group left by an earlier click.
TEST(ArabicToRoman, RefusesTextsThatSpellNoNumeral)
{
    expectRows({
        {U"1a2b", U"Non conforme", U""},
        {U"12.5", U"Non conforme", U""},
        {U"1e3", U"Non conforme", U""},
        {U"12 ", U"Non conforme", U""},
        {U"3\U0001F600", U"Non conforme", U""},
        {U"00001", U"Non conforme", U""},
        {U"01234", U"Non conforme", U""},
        {U"Erreur", U"Non conforme", U""},
        {U"4.00", U"Limité à 3999", U""},
        {U"9,99", U"Limité à 3999", U""},
    });
}

TEST(ArabicToRoman, WritesEveryNumberAsTheStandardNumeral)
{
    tuvo::WindowModel window;
    tuvo::Form1State state; // one window for all: no click may depend on the one before
    for (int number = 1; number <= 3999; ++number) {
        window.text1 = decimalText(number);
        tuvo::arabicToRoman(window, state);
        ASSERT_EQ(window.text2, greedyRoman(number)) << "decimal " << number;
        ASSERT_EQ(window.text1, decimalText(number)) << "decimal " << number;
    }
}

TEST(ArabicToRoman, DependsOnlyOnTheCurrentText)
{
    struct History
    {
        std::vector<Text> clicks;
        Text text1;
        Text text2;
    };
    const std::vector<History> histories = {
        {{U"1994", U"12"}, U"12", U"XII"},
        {{U"1994", U"05"}, U"Non conforme", U""},
        {{U"3888", U"7"}, U"7", U"VII"},
        {{U"3888", U"4.00"}, U"Limité à 3999", U""},
        {{U"2000", U"4.00", U"1234"}, U"1234", U"MCCXXXIV"},
    };
    for (const History &history : histories) {
        tuvo::WindowModel window;
        tuvo::Form1State state;
        for (const Text &text : history.clicks) {
            window.text1 = text;
            tuvo::arabicToRoman(window, state);
        }
        EXPECT_EQ(window.text1, history.text1) << ::testing::PrintToString(history.clicks);
        EXPECT_EQ(window.text2, history.text2) << ::testing::PrintToString(history.clicks);
    }
}

TEST(ArabicToRoman, MessagesDecideTheNextClick)
{
    tuvo::WindowModel window;
    tuvo::Form1State state;
    window.text1 = U"05";
    tuvo::arabicToRoman(window, state);
    ASSERT_EQ(window.text1, U"Non conforme");
    tuvo::arabicToRoman(window, state);
    EXPECT_EQ(window.text1, U"");
    EXPECT_EQ(window.text2, U"");

    window.text1 = U"7.50";
    tuvo::arabicToRoman(window, state);
    ASSERT_EQ(window.text1, U"Limité à 3999");
    window.text2 = U"XII";
    tuvo::arabicToRoman(window, state);
    EXPECT_EQ(window.text1, U"Limité à 3999");
    EXPECT_EQ(window.text2, U"");

    window.text1 = U"5000";
    tuvo::arabicToRoman(window, state);
    tuvo::arabicToRoman(window, state);
    EXPECT_EQ(window.text1, U"3999");
    EXPECT_EQ(window.text2, U"MMMCMXCIX");
}

TEST(ArabicToRoman, LeavesTheLastCharacterReadInLabel2)
{
    const std::vector<std::pair<Text, Text>> rows = {
        {U"1994", U"4"}, {U"00", U"o"}, {U"000", U"n"}, {U"0000", U" "},
        {U"4.00", U"i"}, {U"7", U"7"},  {U"1a2b", U"b"}, {U"", U"Label2"},
    };
    for (const auto &[before, label2] : rows) {
        tuvo::WindowModel window;
        tuvo::Form1State state;
        window.text1 = before;
        tuvo::arabicToRoman(window, state);
        EXPECT_EQ(window.label2, label2) << "Text1 was " << ::testing::PrintToString(before);
        EXPECT_EQ(window.label1, U"Label1");
        EXPECT_EQ(window.label5, U"Label5");
        EXPECT_EQ(state.arabicLength, before.size());
        EXPECT_EQ(state.arabicPos, before.size() + 1);
    }
}

TEST(ArabicToRoman, HandlesTextsOfAnyLength)
{
    struct Long
    {
        Text text;
        Text text1;
        Text text2;
    };
    const std::size_t length = 1'000'000;
    const std::vector<Long> rows = {
        {Text(length, U'0'), U"Non conforme", U""},
        {U"1" + Text(length - 1, U'0'), U"3999", U"MMMCMXCIX"},
        {Text(length, U'x'), U"Non conforme", U""},
        {U"0." + Text(length, U'9'), U"Non conforme", U""},
        {U"3999." + Text(length, U'0') + U"1", U"3999", U"MMMCMXCIX"},
        {U"1e" + Text(length, U'9'), U"3999", U"MMMCMXCIX"},
        {U"4e-" + Text(length, U'9'), U"Non conforme", U""},
    };
    for (const Long &row : rows) {
        const auto [text1, text2] = firstClick(row.text);
        EXPECT_EQ(text1, row.text1) << "text of " << row.text.size() << " starting "
                                    << ::testing::PrintToString(row.text.substr(0, 3));
        EXPECT_EQ(text2, row.text2);
    }
}

} // namespace
