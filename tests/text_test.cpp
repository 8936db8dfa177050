#include "convert/text.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using tuvo::Text;

TEST(Text, ComparesTheValueOfATextWith3999)
{
    const std::vector<std::pair<Text, bool>> rows = {
        {U"", false},           {U"3999", false},        {U"4000", true},
        {U"03999", false},      {U"3999.0", false},      {U"3999.01", true},
        {U"3999.5", true},      {U"39990e-1", false},    {U"39991e-1", true},
        {U"4e3", true},         {U"4E3", true},          {U"4e+3", true},
        {U"0.3999e4", false},      {U"0.40001e4", true},    {U"-5000", false},
        {U"+5000", true},       {U" 5\t0\n00", true},    {U"5\r000", false},
        {U"5.0.0.0", false},    {U"..5000", false},      {U"&H1000", false},
        {U"4D3", false},        {U"abc", false},         {U"00000000004000", true},
        {U"0000.000004e9", true}, {U"e9", false},        {U".e9", false},
        {U"1e", false},         {U"4000abc", true},      {U"\u0664\u0660\u0660\u0660", false},
    };
    for (const auto &[text, above] : rows)
        EXPECT_EQ(tuvo::valueAbove3999(text), above) << ::testing::PrintToString(text);
}

TEST(Text, UpperCasesTheWindows1252Letters)
{
    const std::vector<std::pair<Text, Text>> rows = {
        {U"mdclxvi", U"MDCLXVI"},
        {U"MdClXvI", U"MDCLXVI"},
        {U"àéîõü÷þÿ", U"ÀÉÎÕÜ÷ÞŸ"},
        {U"šœž", U"ŠŒŽ"},
        {U"ßµ", U"ßµ"},
        {U"ıǆω 5,-", U"ıǆω 5,-"},
        {U"\U0001F600x", U"\U0001F600X"},
    };
    for (const auto &[text, upper] : rows)
        EXPECT_EQ(tuvo::upperCase(text), upper) << ::testing::PrintToString(text);
}

TEST(Text, ReadsOnlyTheTenDigits)
{
    const std::vector<std::pair<Text, int>> rows = {
        {U"0", 0}, {U"7", 7}, {U"9", 9}, {U"", 0}, {U"12", 0},
        {U"a", 0}, {U" ", 0}, {U"\u0667", 0}, {U"\uFF17", 0},
    };
    for (const auto &[text, value] : rows)
        EXPECT_EQ(tuvo::digitValue(text), value) << ::testing::PrintToString(text);
}

} // namespace
