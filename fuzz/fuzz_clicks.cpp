// libFuzzer target: runs a script of texts and clicks against the
// conversions and checks every click against what the window may show.
//
// The input is a compact form of a tuvo-replay script, one operation a byte:
//   0 Command1, 1 Command2, 2 Command3, 3 Command5
//   4 / 5 set Text1 / Text2: a length byte, then that many characters
//   6 set a long text: a byte whose low bit picks the field, a character, and
//     a two-byte count of its repeats
// A character byte below 0x80 is ASCII, 0xA0 to 0xFF its Latin-1 letter, and
// 0x80 to 0x9F one of the characters below that upper-casing and the digit
// rules must not be fooled by.

#include "convert/conversions.h"
#include "romanwriter/romanwriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unordered_map>

namespace {

using tuvo::Text;

constexpr char32_t unusual[32] = {
    U'š', U'œ', U'ž', U'Š', U'Œ', U'Ž', U'Ÿ', U'ÿ', U'ß', U'µ', U'÷', U'ı', U'İ', U'ǅ', U'ⅰ', U'Ⅿ',
    U'\U0001F600', U'\u0660', U'\u0669', U'\uFF10', U'\uFF19', 0xD800, 0xDFFF, U'\u00A0',
    U'\u2007', U'\r', U'\x7F', U'\x85', U'\0', U'\uFEFF', U'\U0010FFFF', U'\u0301'};

char32_t character(std::uint8_t byte)
{
    return byte >= 0x80 && byte < 0xA0 ? unusual[byte - 0x80] : char32_t(byte);
}

const std::unordered_map<Text, int> &standardNumerals()
{
    static const std::unordered_map<Text, int> numerals = [] {
        std::unordered_map<Text, int> map;
        for (int number = 1; number <= 3999; ++number)
            map.emplace(greedyRoman(number), number);
        return map;
    }();
    return numerals;
}

// 1 to 3999 written without sign, blank or leading zero; 0 for anything else.
int numberIn(const Text &text)
{
    if (text.empty() || text.size() > 4 || text[0] == U'0')
        return 0;
    int number = 0;
    for (const char32_t c : text) {
        if (c < U'0' || c > U'9')
            return 0;
        number = number * 10 + int(c - U'0');
    }
    return number <= 3999 ? number : 0;
}

bool isMessage(const Text &text)
{
    return text == tuvo::nonConforme || text == tuvo::limiteA3999 || text == tuvo::erreur;
}

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_clicks: %s\n", what);
    std::abort();
}

void check(bool holds, const char *what)
{
    if (!holds)
        fail(what);
}

void checkRomanClick(const tuvo::WindowModel &before, const tuvo::WindowModel &after)
{
    Text upper = before.text2;
    tuvo::upperCaseInPlace(upper);
    check(after.text2 == upper, "Text2 is not its upper-cased self");
    const int shown = numberIn(after.text1);
    check(shown || after.text1.empty() || isMessage(after.text1), "Text1 holds something odd");
    if (shown)
        check(greedyRoman(shown) == after.text2, "a number shown does not spell Text2");
    const auto standard = standardNumerals().find(after.text2);
    if (standard != standardNumerals().end())
        check(shown == standard->second, "a standard numeral was not read back");
    check(after.text2.empty() == after.text1.empty(), "Text1 is empty but Text2 is not");
}

void checkDecimalClick(const tuvo::WindowModel &before, const tuvo::WindowModel &after)
{
    const int shown = numberIn(after.text1);
    check(after.text1 == before.text1 || after.text1.empty() || after.text1 == U"3999"
              || isMessage(after.text1),
          "Text1 holds something odd");
    check(after.text2.empty() || after.text2 == tuvo::nExistePas
              || standardNumerals().count(after.text2),
          "Text2 holds something odd");
    if (shown)
        check(after.text2 == greedyRoman(shown), "a number was not written as its numeral");
    if (numberIn(before.text1))
        check(after.text1 == before.text1, "a number in Text1 was changed");
    if (!after.text2.empty() && after.text2 != tuvo::nExistePas)
        check(shown, "a numeral was written for no number");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    tuvo::WindowModel window;
    tuvo::Form1State state;
    std::size_t at = 0;
    auto next = [&]() -> std::uint8_t { return at < size ? data[at++] : 0; };
    while (at < size) {
        const std::uint8_t operation = next() % 7;
        if (operation >= 4) {
            const bool second = operation == 5 || (operation == 6 && (next() & 1));
            Text text;
            if (operation == 6) {
                const char32_t c = character(next());
                const std::size_t count = std::size_t(next()) << 8 | next();
                text.assign(count, c);
            } else {
                for (std::size_t length = next(); length > 0 && at < size; --length)
                    text += character(next());
            }
            (second ? window.text2 : window.text1) = std::move(text);
            continue;
        }
        const tuvo::WindowModel before = window;
        switch (operation) {
        case 0:
            tuvo::romanToArabic(window, state);
            checkRomanClick(before, window);
            break;
        case 1:
            tuvo::arabicToRoman(window, state);
            checkDecimalClick(before, window);
            break;
        case 2: window.text1.clear(); break;
        case 3: window.text2.clear(); break;
        }
    }
    return 0;
}
