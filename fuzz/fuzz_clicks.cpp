// libFuzzer target: runs a click script (the replay tool's) against the
// conversions and checks every click against what the window may show.
// Lines that are no step are passed over.

#include "romanwriter/romanwriter.h"
#include "tools/clicks.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using tuvo::Text;

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
    check(after.text2.size() == before.text2.size(), "Text2 changed its length");
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
    const std::string_view script(reinterpret_cast<const char *>(data), size);
    for (std::size_t start = 0; start < size;) {
        const std::size_t end = std::min(script.find('\n', start), size);
        const std::string bytes(script.substr(start, end - start));
        start = end + 1;
        const tuvo::WindowModel before = window;
        try {
            if (!tuvo::clicks::run(tuvo::clicks::decodeUtf8(bytes), window, state))
                continue;
        } catch (const tuvo::clicks::Malformed &) {
            continue;
        }
        if (bytes == "Command1")
            checkRomanClick(before, window);
        else if (bytes == "Command2")
            checkDecimalClick(before, window);
    }
    return 0;
}
