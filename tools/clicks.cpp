#include "tools/clicks.h"

namespace tuvo::clicks {

namespace {

bool isControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

int hexValue(char32_t c)
{
    if (c >= U'0' && c <= U'9')
        return static_cast<int>(c - U'0');
    if (c >= U'a' && c <= U'f')
        return static_cast<int>(c - U'a' + 10);
    if (c >= U'A' && c <= U'F')
        return static_cast<int>(c - U'A' + 10);
    return -1;
}

Text unescape(TextView escaped)
{
    Text text;
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        const char32_t c = escaped[i];
        if (isControl(c))
            throw Malformed{"raw control character in the text; write it as \\xHH"};
        if (c != U'\\') {
            text += c;
            continue;
        }
        const char32_t kind = i + 1 < escaped.size() ? escaped[++i] : U'\0';
        switch (kind) {
        case U'\\': text += U'\\'; break;
        case U't': text += U'\t'; break;
        case U'n': text += U'\n'; break;
        case U'r': text += U'\r'; break;
        case U'x': {
            const int high = i + 1 < escaped.size() ? hexValue(escaped[i + 1]) : -1;
            const int low = i + 2 < escaped.size() ? hexValue(escaped[i + 2]) : -1;
            if (high < 0 || low < 0)
                throw Malformed{"\\x needs two hexadecimal digits"};
            text += static_cast<char32_t>(high * 16 + low);
            i += 2;
            break;
        }
        default:
            throw Malformed{"unknown escape; use \\\\ \\t \\n \\r or \\xHH"};
        }
    }
    return text;
}

Text escape(TextView text)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    Text escaped;
    for (const char32_t c : text) {
        switch (c) {
        case U'\\': escaped += U"\\\\"; break;
        case U'\t': escaped += U"\\t"; break;
        case U'\n': escaped += U"\\n"; break;
        case U'\r': escaped += U"\\r"; break;
        default:
            if (isControl(c)) {
                escaped += U"\\x";
                escaped += static_cast<char32_t>(hex[c >> 4]);
                escaped += static_cast<char32_t>(hex[c & 0xF]);
            } else {
                escaped += c;
            }
        }
    }
    return escaped;
}

} // namespace

Text decodeUtf8(const std::string &bytes)
{
    Text text;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int extra = lead < 0x80    ? 0
                          : lead >= 0xF0 ? 3
                          : lead >= 0xE0 ? 2
                          : lead >= 0xC2 ? 1
                                         : -1;
        if (extra < 0 || lead > 0xF4 || i + extra >= bytes.size())
            throw Malformed{"invalid UTF-8"};
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                throw Malformed{"invalid UTF-8"};
            c = (c << 6) | (next & 0x3F);
        }
        const char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
        if (c < smallest[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            throw Malformed{"invalid UTF-8"};
        text += c;
        i += extra + 1;
    }
    return text;
}

std::string encodeUtf8(TextView text)
{
    std::string bytes;
    for (const char32_t c : text) {
        if (c < 0x80) {
            bytes += static_cast<char>(c);
        } else if (c < 0x800) {
            bytes += static_cast<char>(0xC0 | (c >> 6));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            bytes += static_cast<char>(0xE0 | (c >> 12));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            bytes += static_cast<char>(0xF0 | (c >> 18));
            bytes += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return bytes;
}

Text describe(const WindowModel &window)
{
    return escape(window.text1) + U'\t' + escape(window.text2) + U'\t' + escape(window.label1)
        + U'\t' + escape(window.label2) + U'\t' + escape(window.label5);
}

bool run(TextView line, WindowModel &window, Form1State &state)
{
    if (line.empty() || line[0] == U'#')
        return false;
    const std::size_t tab = line.find(U'\t');
    if (tab != Text::npos) {
        const TextView name = line.substr(0, tab);
        Text *field = name == U"Text1" ? &window.text1 : name == U"Text2" ? &window.text2 : nullptr;
        if (!field)
            throw Malformed{"only Text1 and Text2 can be set"};
        *field = unescape(line.substr(tab + 1));
        return false;
    }
    if (line == U"Command1")
        romanToArabic(window, state);
    else if (line == U"Command2")
        arabicToRoman(window, state);
    else if (line == U"Command3")
        window.text1.clear();
    else if (line == U"Command5")
        window.text2.clear();
    else
        throw Malformed{"expected Text1<TAB>text, Text2<TAB>text, Command1, Command2, Command3 "
                        "or Command5"};
    return true;
}

} // namespace tuvo::clicks
