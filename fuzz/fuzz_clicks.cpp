// libFuzzer target: clicks on one window under the sanitizers. Each input line is one step: "1" or
// "2" and a text sets Text1 or Text2 (a byte a Windows-1252 character), "<" and ">" click an arrow.

#include "convert/conversions.h"
#include "romanwriter/romanwriter.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const std::u32string_view high = U"€\x81‚ƒ„…†‡ˆ‰Š‹Œ\x8dŽ\x8f\x90‘’“”•–—˜™š›œ\x9džŸ";
    tuvo::WindowModel window;
    tuvo::Form1State state;
    std::string_view lines(reinterpret_cast<const char *>(data), size);
    while (!lines.empty()) {
        const std::string_view line = lines.substr(0, lines.find('\n'));
        lines.remove_prefix(std::min(line.size() + 1, lines.size()));
        if (line.starts_with('1') || line.starts_with('2')) {
            tuvo::Text &field = line[0] == '1' ? window.text1 : window.text2;
            field.clear();
            for (const unsigned char byte : line.substr(1))
                field += byte >= 0x80 && byte < 0xa0 ? high[byte - 0x80] : char32_t(byte);
        } else if (line == "<" || line == ">") {
            (line == "<" ? tuvo::romanToArabic : tuvo::arabicToRoman)(window, state);
            // A standard numeral stands only beside its number, after either arrow.
            const auto standard = standardNumerals().find(window.text2);
            if (standard != standardNumerals().end() && window.text1 != decimalText(standard->second))
                std::abort();
        }
    }
    return 0;
}
