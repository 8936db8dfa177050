// The two conversions on the window model, without any window.

#include "convert/conversions.h"
#include "tools/clicks.h"

#include "romanwriter/romanwriter.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using tuvo::Text;
using tuvo::TextView;

const Text same = U"<as before>";
const Text nc(tuvo::nonConforme);
const std::size_t huge = 1'000'000;

// One click of the right arrow on a freshly opened window, whose Text2 holds "XVI".
TEST(ArabicToRoman, AnswersEveryKindOfText)
{
    struct Row { Text before, text1, text2; };
    const std::vector<Row> rows = {
        {U"", U"", U""}, {U"0", same, U"N'existe pas !"}, {U"a", same, U"N'existe pas !"},
        {U"\u0667", same, U"N'existe pas !"}, // an Arabic-Indic seven is no digit here
        {U"00", nc, U""}, {U"0000", nc, U""}, {U"0999", nc, U""}, {U" 12", nc, U""},
        {U"-5", nc, U""}, {U"Non conforme", U"", U""}, {U"Limité à 3999", same, U""},
        {U"4000", U"3999", U"MMMCMXCIX"}, {U"12345", U"3999", U"MMMCMXCIX"},
        {U"1000000000000000000000000", U"3999", U"MMMCMXCIX"},
        {U"3999.5", U"3999", U"MMMCMXCIX"}, {U"1e4", U"3999", U"MMMCMXCIX"},
        {U" 4 0 0 0", U"3999", U"MMMCMXCIX"},
        // Texts that spell no numeral are refused rather than read with their
        // non-digits as 0 or met with silence.
        {U"1a2b", nc, U""}, {U"12.5", nc, U""}, {U"12 ", nc, U""}, {U"3\U0001F600", nc, U""},
        {U"00001", nc, U""}, {U"Erreur", nc, U""}, {U"4.00", U"Limité à 3999", U""},
        {Text(huge, U'0'), nc, U""}, {U"1" + Text(huge, U'0'), U"3999", U"MMMCMXCIX"},
        {U"1e" + Text(huge, U'9'), U"3999", U"MMMCMXCIX"},
        // Compared with 3999 as a number: blanks skipped anywhere, one sign, one
        // point, a power of ten either way; at the limit, as written.
        {U"3999.01", U"3999", U"MMMCMXCIX"}, {U"39991e-1", U"3999", U"MMMCMXCIX"},
        {U"0.0004e7", U"3999", U"MMMCMXCIX"}, {U"4E3", U"3999", U"MMMCMXCIX"},
        {U"4e+3", U"3999", U"MMMCMXCIX"}, {U"+5000", U"3999", U"MMMCMXCIX"},
        {U" 5\t0\n00", U"3999", U"MMMCMXCIX"}, {U"4000abc", U"3999", U"MMMCMXCIX"},
        {U"0000.000004e9", U"3999", U"MMMCMXCIX"}, {U"03999", nc, U""}, {U"3999.0.1", nc, U""},
        {U"..5000", nc, U""}, {U"39990e-1", nc, U""}, {U"0.01e5", nc, U""}, {U"0.3999e4", nc, U""},
        {U"-5000", nc, U""}, {U"5\r000", nc, U""}, {U"&H1000", nc, U""}, {U"4D3", nc, U""},
        {U"e9", nc, U""}, {U"1e", nc, U""}, {U"0.0000000001e13", nc, U""}, {U"3999.00", nc, U""},
        {U"3999.000", nc, U""}, {U"01234", nc, U""},
    };
    for (const Row &row : rows) {
        tuvo::WindowModel window;
        tuvo::Form1State state;
        window.text1 = row.before;
        window.text2 = U"XVI";
        tuvo::arabicToRoman(window, state);
        const auto context = ::testing::PrintToString(row.before.substr(0, 30));
        EXPECT_EQ(window.text1, row.text1 == same ? row.before : row.text1) << context;
        EXPECT_EQ(window.text2, row.text2) << context;
    }
}

// One click of the left arrow on a freshly opened window, whose Text1 holds "16".
TEST(RomanToArabic, AnswersEveryKindOfText)
{
    struct Row { Text before, text1, text2, label5; };
    const std::vector<Row> rows = {
        {U"", U"", U"", U"XVI"}, {U"IIII", nc, U"IIII", U"Label5"},
        {U"MMMM", nc, U"MMMM", U"Label5"}, {U"LL", nc, U"LL", U"Label5"},
        {U"IIX", nc, U"IIX", U"Label5"}, {U"VV", nc, U"VV", U"X"}, {U"IL", nc, U"IL", U"XLIX"},
        {U"XM", nc, U"XM", U"CMXC"}, {U"IXI", nc, U"IXI", U"X"}, {U"XXXXI", nc, U"XXXXI", U"XLI"},
        {U"MMMCMM", nc, U"MMMCMM", U"CM"}, {U"5", nc, U"5", U"N'existe pas !"},
        {U"MMMDCCCLXXXVIIII", nc, U"MMMDCCCLXXXVIIII", U"Label5"},
        {U"XIV ", nc, U"XIV ", U"XIV"}, {U"xiz", nc, U"XIZ", U"XI"}, {U"ivé", nc, U"IVÉ", U"IV"},
        {U"azàþ÷šœžÿßµı", nc, U"AZÀÞ÷ŠŒŽŸßµı", U"N'existe pas !"},
        {U"X\U0001F600", nc, U"X\U0001F600", U"X"},
        {Text(U"I\0V", 3), nc, Text(U"I\0V", 3), U"VI"}, // a NUL is no letter
        {Text(huge, U'm'), nc, Text(huge, U'M'), U"Label5"},
        // Past the table's sixteen places, with no letter four times in a row:
        // refused before its total is written back and spelled.
        {U"MDCLXVIMDCLXVIMD", nc, U"MDCLXVIMDCLXVIMD", U"Label5"},
    };
    for (const Row &row : rows) {
        tuvo::WindowModel window;
        tuvo::Form1State state;
        window.text1 = U"16";
        window.text2 = row.before;
        tuvo::romanToArabic(window, state);
        const auto context = ::testing::PrintToString(row.before.substr(0, 30));
        EXPECT_EQ(window.text1, row.text1) << context;
        EXPECT_EQ(window.text2, row.text2) << context;
        EXPECT_EQ(window.label5, row.label5) << context;
    }
}

// Both ways on one window: no click may depend on the one before.
TEST(BothWays, ConvertEveryNumberAndBack)
{
    // Mixed case by the bits of the number, so every letter is met in both cases.
    auto mixedCase = [](Text numeral, int bits) {
        for (std::size_t i = 0; i < numeral.size(); ++i)
            numeral[i] += (bits >> (i % 12)) & 1 ? U'a' - U'A' : 0;
        return numeral;
    };
    tuvo::WindowModel window;
    tuvo::Form1State state;
    for (int number = 1; number <= 3999; ++number) {
        window.text1 = decimalText(number);
        tuvo::arabicToRoman(window, state);
        ASSERT_EQ(window.text2, greedyRoman(number)) << "decimal " << number;
        ASSERT_EQ(window.text1, decimalText(number)) << "decimal " << number;
        for (const Text &typed : {mixedCase(window.text2, number), mixedCase(window.text2, ~number)})
        {
            window.text1 = U"7";
            window.text2 = typed;
            tuvo::romanToArabic(window, state);
            ASSERT_EQ(window.text1, decimalText(number)) << ::testing::PrintToString(typed);
            ASSERT_EQ(window.text2, greedyRoman(number));
        }
    }
}

TEST(RomanToArabic, AcceptsExactlyTheStandardNumeralsOfUpToSevenLetters)
{
    const auto &standard = standardNumerals();

    const Text letters = U"MDCLXVI";
    tuvo::WindowModel window;
    tuvo::Form1State state;
    std::size_t count = 1;
    for (std::size_t length = 1; length <= 7; ++length) {
        count *= letters.size();
        for (std::size_t n = 0; n < count; ++n) { // the text's letters as base-7 digits of n
            Text text;
            for (std::size_t digits = n, k = 0; k < length; ++k, digits /= letters.size())
                text += letters[digits % letters.size()];
            window.text2 = text;
            tuvo::romanToArabic(window, state);
            const auto found = standard.find(text);
            ASSERT_EQ(window.text1, found == standard.end() ? nc : decimalText(found->second))
                << ::testing::PrintToString(text);
        }
    }
}

// Click scripts on one window: no click may forget what the one before left.
TEST(BothWays, CarryTheirStateFromClickToClick)
{
    struct History { Text script, text1, text2, label5; };
    const Text fifteen = U"5" + Text(14, U'M');
    const Text fifteenClicked = U"Text2\t" + fifteen + U"\nCommand1\n";
    const std::vector<History> histories = {
        {U"Text1\t1994\nCommand2\nText1\t12\nCommand2", U"12", U"XII", U"Label5"},
        {U"Text1\t1994\nCommand2\nText1\t05\nCommand2", nc, U"", U"Label5"},
        {U"Text1\t3888\nCommand2\nText1\t7\nCommand2", U"7", U"VII", U"Label5"},
        {U"Text1\t05\nCommand2\nCommand2", U"", U"", U"Label5"},
        {U"Text1\t7.50\nCommand2\nCommand2", U"Limité à 3999", U"", U"Label5"},
        {U"Text1\t5000\nCommand2\nCommand2", U"3999", U"MMMCMXCIX", U"Label5"},
        {U"Text1\t3888\nCommand2\nText1\t4.00\nCommand2", U"Limité à 3999", U"", U"Label5"},
        {U"Text1\t2000\nCommand2\nText1\t4.00\nCommand2\nText1\t1234\nCommand2", U"1234",
         U"MCCXXXIV", U"Label5"},
        // A thousands digit 0 has the empty group, not the last one looked up.
        {U"Text1\t2000\nCommand2\nText1\t0999\nCommand2", nc, U"", U"Label5"},
        // A total of 3888 from a bad numeral rebuilds the longest numeral, read next.
        {U"Text2\tMMIMIXCM\nCommand1\nText2\tMMMDCCCLXXXVIII\nCommand1", U"3888",
         U"MMMDCCCLXXXVIII", U"MMMDCCCLXXXVIII"},
        {U"Text2\tMMMCMXCIX\nCommand1\nText1\t12\nCommand2", U"12", U"XII", U"MMMCMXCIX"},
        {U"Text2\tMCMXCIV\nCommand1\nText2\tIIII\nCommand1", nc, U"IIII", U"MCMXCIV"},
        {U"Text1\t2000\nCommand2\nText2\t5\nCommand1", nc, U"5", U"N'existe pas !"},
        // No letter at position 1: the total of the last click goes on.
        {U"Text2\tMM\nCommand1\nText2\t5i\nCommand1", nc, U"5I", U"MMI"},
        {fifteenClicked + fifteenClicked + fifteenClicked + fifteenClicked, nc, fifteen, U"Label5"},
    };
    for (const History &history : histories) {
        tuvo::WindowModel window;
        tuvo::Form1State state;
        for (std::size_t start = 0; start < history.script.size();) {
            const std::size_t end = std::min(history.script.find(U'\n', start), history.script.size());
            tuvo::clicks::run(TextView(history.script).substr(start, end - start), window, state);
            start = end + 1;
        }
        const auto context = ::testing::PrintToString(history.script);
        EXPECT_EQ(window.text1, history.text1) << context;
        EXPECT_EQ(window.text2, history.text2) << context;
        EXPECT_EQ(window.label5, history.label5) << context;
    }
}

// A line that is no step says why, and leaves the window alone.
TEST(Clicks, RefuseLinesThatAreNoStep)
{
    const std::string steps = "expected Text1<TAB>text, Text2<TAB>text, Command1, Command2, "
                              "Command3 or Command5";
    const std::vector<std::pair<Text, std::string>> rows = {
        {U"Command4", steps}, {U"Text1", steps}, {U"Text3\tx", "only Text1 and Text2 can be set"},
        {U"Text2\tbad \\q escape", "unknown escape; use \\\\ \\t \\n \\r or \\xHH"},
        {U"Text2\t\\x4", "\\x needs two hexadecimal digits"},
        {U"Text1\tcarriage\r", "raw control character in the text; write it as \\xHH"},
    };
    for (const auto &[line, reason] : rows) {
        tuvo::WindowModel window;
        tuvo::Form1State state;
        try {
            tuvo::clicks::run(line, window, state);
            ADD_FAILURE() << "taken: " << ::testing::PrintToString(line);
        } catch (const tuvo::clicks::Malformed &malformed) {
            EXPECT_EQ(malformed.reason, reason) << ::testing::PrintToString(line);
        }
        EXPECT_EQ(window.text1 + window.text2, U"") << ::testing::PrintToString(line);
    }
}

} // namespace
