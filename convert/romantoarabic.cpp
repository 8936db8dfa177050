#include "convert/conversions.h"

#include "convert/digitloop.h"

#include <array>
#include <limits>
#include <optional>

namespace tuvo {

namespace {

// Ranks grow as values shrink; two positions hold the same letter exactly when
// their ranks are equal.
struct RomanLetter
{
    char32_t letter;
    std::int16_t rank;
    std::int16_t value;
};

constexpr std::array<RomanLetter, 7> romanLetterTable = {{
    {U'M', 1, 1000},
    {U'D', 2, 500},
    {U'C', 3, 100},
    {U'L', 4, 50},
    {U'X', 5, 10},
    {U'V', 6, 5},
    {U'I', 7, 1},
}};

std::optional<RomanLetter> romanLetter(TextView text)
{
    for (const RomanLetter &entry : romanLetterTable) {
        if (text.size() == 1 && text[0] == entry.letter)
            return entry;
    }
    return std::nullopt;
}

// A total carried over many clicks stops short of the 16-bit limit: an
// addition that would pass it is not made.
void addToTotal(std::int16_t &total, int amount)
{
    const int sum = total + amount;
    if (sum >= std::numeric_limits<std::int16_t>::min()
        && sum <= std::numeric_limits<std::int16_t>::max())
        total = static_cast<std::int16_t>(sum);
}

void applyLetterRules(Form1State &state, std::size_t p, const RomanLetter &letter)
{
    const std::int16_t r = letter.rank;
    const std::int16_t v = letter.value;
    state.letterRanks[p] = r;
    state.letterValues[p] = v;
    if (p == 1) {
        state.romanTotal = v;
        return;
    }
    // The entries before may be an earlier click's, where this one had no letter.
    const std::int16_t rp = state.letterRanks[p - 1];
    const std::int16_t vp = state.letterValues[p - 1];
    const std::int16_t rq = state.letterRanks[p - 2];
    if (r >= rp)
        addToTotal(state.romanTotal, v);
    if (r < rp) // the smaller letter before, already added, is taken back
        addToTotal(state.romanTotal, v - 2 * vp);
    if (letter.letter == U'L' && r == rp)
        state.badPatternFlag = true; // "LL"
    if (r < rp && rp == rq)
        state.badPatternFlag = true; // "IIX", "XXC"
}

} // namespace

// Adds the letters up, then accepts the total only if writing it again as a
// standard numeral gives back exactly the text: the round trip is the check.
void romanToArabic(WindowModel &window, Form1State &state)
{
    state.badPatternFlag = false;
    state.repeatCount = 0;
    upperCaseInPlace(window.text2);

    state.romanLength = window.text2.size();
    for (state.romanPos = 1; state.romanPos <= state.romanLength; ++state.romanPos) {
        const std::size_t p = state.romanPos;
        assignCharacterAt(window.label1, window.text2, p);
        if (p < romanTableSize) {
            state.romanLetters[p] = window.label1;
            if (state.romanLetters[p] == state.romanLetters[p - 1])
                ++state.repeatCount;
            else
                state.repeatCount = 1;
            if (const auto letter = romanLetter(window.label1))
                applyLetterRules(state, p, *letter);
        } else {
            // No table entry past the longest standard numeral.
            ++state.repeatCount;
            state.badPatternFlag = true;
        }
    }
    // The loop writes the running total, or "Erreur", into Text1 at every
    // position; nothing reads it before the next position writes it again, so
    // only the last write is made.
    if (state.romanLength > 0) {
        if (state.repeatCount > 3 || state.badPatternFlag)
            window.text1 = erreur;
        else
            // Never negative: a smaller letter taken back is worth at most half the larger.
            assignDecimal(window.text1, static_cast<unsigned>(state.romanTotal));
    }

    state.arabicLength = window.text1.size();
    for (state.arabicPos = 1; state.arabicPos <= state.arabicLength; ++state.arabicPos) {
        assignCharacterAt(window.label2, window.text1, state.arabicPos);
        if (storeDigit(state, state.arabicLength, state.arabicPos, digitValue(window.label2))
            && state.arabicPos == state.arabicLength)
            spellPlaces(state, state.arabicLength, window.label5);
    }

    if (window.label5 != window.text2)
        window.text1 = nonConforme;
    if (window.text2.empty())
        window.text1.clear();
}

} // namespace tuvo
