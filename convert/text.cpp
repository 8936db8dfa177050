#include "convert/text.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace tuvo {

namespace {

bool isSkipped(char32_t c)
{
    return c == U' ' || c == U'\t' || c == U'\n';
}

char32_t upperCaseOf(char32_t c)
{
    if (c >= U'a' && c <= U'z')
        return c - 0x20;
    if (c >= U'\u00E0' && c <= U'\u00FE' && c != U'\u00F7') // à..þ, but not ÷
        return c - 0x20;
    switch (c) {
    case U'\u0161': return U'\u0160'; // š
    case U'\u0153': return U'\u0152'; // œ
    case U'\u017E': return U'\u017D'; // ž
    case U'\u00FF': return U'\u0178'; // ÿ
    default: return c;
    }
}

// Reads the characters of a number one at a time, skipping blanks wherever
// they stand, as the value of a text is defined.
class NumberReader
{
public:
    explicit NumberReader(TextView text) : m_text(text) { skipBlanks(); }

    char32_t peek() const { return m_pos < m_text.size() ? m_text[m_pos] : U'\0'; }
    void next()
    {
        ++m_pos;
        skipBlanks();
    }

private:
    void skipBlanks()
    {
        while (m_pos < m_text.size() && isSkipped(m_text[m_pos]))
            ++m_pos;
    }

    TextView m_text;
    std::size_t m_pos = 0;
};

} // namespace

std::int16_t digitValue(TextView text)
{
    if (text.size() == 1 && isDigit(text[0]))
        return static_cast<std::int16_t>(text[0] - U'0');
    return 0;
}

bool valueAbove3999(TextView text)
{
    NumberReader reader(text);
    bool negative = false;
    if (reader.peek() == U'+' || reader.peek() == U'-') {
        negative = reader.peek() == U'-';
        reader.next();
    }

    // The value is 0.S x 10^magnitude, S being its significant digits without
    // leading or trailing zeros. Only the first five of them can matter against
    // 3999; the others only tell whether anything follows.
    std::string significant;
    bool moreSignificant = false;
    long long magnitude = 0;
    bool seenPoint = false;
    for (;;) {
        const char32_t c = reader.peek();
        if (c == U'.' && !seenPoint) {
            seenPoint = true;
        } else if (isDigit(c)) {
            const bool leadingZero = c == U'0' && significant.empty();
            if (!seenPoint && !leadingZero)
                ++magnitude;
            if (seenPoint && leadingZero)
                --magnitude;
            if (!leadingZero) {
                if (significant.size() < 5)
                    significant += static_cast<char>(c);
                else if (c != U'0')
                    moreSignificant = true;
            }
        } else {
            break;
        }
        reader.next();
    }
    if (negative || significant.empty()) // no digit, or zeros only
        return false;

    if (reader.peek() == U'E' || reader.peek() == U'e') {
        reader.next();
        bool negativeExponent = false;
        if (reader.peek() == U'+' || reader.peek() == U'-') {
            negativeExponent = reader.peek() == U'-';
            reader.next();
        }
        // Saturates far beyond any length a text can have.
        constexpr long long exponentLimit = 1'000'000'000'000'000LL;
        long long exponent = 0;
        while (isDigit(reader.peek())) {
            exponent = std::min(exponentLimit, exponent * 10 + (reader.peek() - U'0'));
            reader.next();
        }
        magnitude += negativeExponent ? -exponent : exponent;
    }

    // 3999 is 0.3999 x 10^4.
    if (magnitude != 4)
        return magnitude > 4;
    while (!significant.empty() && significant.back() == '0')
        significant.pop_back();
    return significant > "3999" || (significant == "3999" && moreSignificant);
}

void upperCaseInPlace(Text &text)
{
    std::transform(text.begin(), text.end(), text.begin(), upperCaseOf);
}

void assignCharacterAt(Text &caption, TextView text, std::size_t position)
{
    if (position < 1 || position > text.size())
        caption.clear();
    else
        caption.assign(1, text[position - 1]);
}

void assignDecimal(Text &text, unsigned number)
{
    char32_t digits[std::numeric_limits<unsigned>::digits10 + 1];
    char32_t *first = std::end(digits);
    do {
        *--first = U'0' + number % 10;
        number /= 10;
    } while (number != 0);
    text.assign(first, std::end(digits));
}

} // namespace tuvo
