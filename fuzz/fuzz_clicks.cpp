// libFuzzer target: clicks on one window, under the sanitizers, each checked
// against what the window may show. The input is lines of bytes, each one
// step: "1" or "2" followed by a text sets Text1 or Text2, "<" clicks the left
// arrow, ">" the right one; any other line is no step. Each byte is a
// character of Windows-1252, the character set of the fields' texts.

#include "convert/conversions.h"
#include "romanwriter/romanwriter.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using tuvo::Text;

Text windows1252(std::string_view bytes)
{
    static const std::u32string_view high = U"€\x81‚ƒ„…†‡ˆ‰Š‹Œ\x8dŽ\x8f\x90‘’“”•–—˜™š›œ\x9džŸ";
    Text text;
    for (const unsigned char byte : bytes)
        text += byte >= 0x80 && byte < 0xa0 ? high[byte - 0x80] : char32_t(byte);
    return text;
}

// The number 1 to 3999 that a text shows, or 0.
int numberIn(const Text &text)
{
    if (text.empty() || text.size() > 4 || text.find_first_not_of(U"0123456789") != Text::npos)
        return 0;
    const int number = std::stoi(std::string(text.begin(), text.end()));
    return number <= 3999 && text == decimalText(number) ? number : 0;
}

void check(bool holds, const char *what)
{
    if (!holds) {
        std::fprintf(stderr, "fuzz_clicks: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    tuvo::WindowModel window;
    tuvo::Form1State state;
    std::string_view lines(reinterpret_cast<const char *>(data), size);
    while (!lines.empty()) {
        const std::string_view line = lines.substr(0, lines.find('\n'));
        lines.remove_prefix(std::min(line.size() + 1, lines.size()));
        const tuvo::WindowModel before = window;
        if (line.starts_with('1') || line.starts_with('2'))
            (line[0] == '1' ? window.text1 : window.text2) = windows1252(line.substr(1));
        if (line != "<" && line != ">")
            continue;
        (line == "<" ? tuvo::romanToArabic : tuvo::arabicToRoman)(window, state);
        // A number shown stands beside its numeral, and a standard numeral
        // beside its number; the left arrow only upper-cases Text2, and the
        // right one leaves a number in Text1 as it is.
        const int shown = numberIn(window.text1);
        const auto standard = standardNumerals().find(window.text2);
        check(!shown || window.text2 == greedyRoman(shown), "a number beside another numeral");
        check(line == ">" || standard == standardNumerals().end() || shown == standard->second,
              "a standard numeral not read");
        check(line == ">" || window.text2.size() == before.text2.size(), "Text2 changed its length");
        check(line == "<" || !numberIn(before.text1) || window.text1 == before.text1,
              "a number in Text1 changed");
    }
    return 0;
}
