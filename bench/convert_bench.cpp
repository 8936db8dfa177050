// Figures for the core conversions, one click at a time, window model
// included; ICU's rule-based Roman formatter and plain table lookups beside
// them for scale; and the worst clicks, on pasted texts of any length.

#include "convert/conversions.h"
#include "convert/digitgroups.h"
#include "romanwriter/romanwriter.h"

#include <benchmark/benchmark.h>
#include <unicode/rbnf.h>

#include <memory>
#include <vector>

namespace {

using tuvo::Text;

// Every number 1 to 3999, typed in the field that `roman` picks, clicked in turn.
void Clicks(benchmark::State &state, bool roman)
{
    std::vector<Text> texts;
    for (int number = 1; number <= 3999; ++number)
        texts.push_back(roman ? greedyRoman(number) : decimalText(number));
    tuvo::WindowModel window;
    tuvo::Form1State conversionState;
    std::size_t i = 0;
    for (auto _ : state) {
        (roman ? window.text2 : window.text1) = texts[i];
        roman ? tuvo::romanToArabic(window, conversionState)
              : tuvo::arabicToRoman(window, conversionState);
        benchmark::DoNotOptimize(window.text1.data());
        benchmark::DoNotOptimize(window.text2.data());
        i = i + 1 == texts.size() ? 0 : i + 1;
    }
}

void ToRoman(benchmark::State &state)
{
    Clicks(state, false);
}
BENCHMARK(ToRoman);

void ToArabic(benchmark::State &state)
{
    Clicks(state, true);
}
BENCHMARK(ToArabic);

// The floor: the four groups of a number joined, nothing else.
void TableLookupToRoman(benchmark::State &state)
{
    using tuvo::Place;
    auto group = [](Place place, int digit) {
        return *tuvo::romanGroup(place, static_cast<std::int16_t>(digit));
    };
    int number = 1;
    Text numeral;
    for (auto _ : state) {
        numeral.clear();
        numeral += group(Place::Thousands, number / 1000);
        numeral += group(Place::Hundreds, number / 100 % 10);
        numeral += group(Place::Tens, number / 10 % 10);
        numeral += group(Place::Units, number % 10);
        benchmark::DoNotOptimize(numeral.data());
        number = number == 3999 ? 1 : number + 1;
    }
}
BENCHMARK(TableLookupToRoman);

// The floor back: letters added with the subtractive rule, no check at all.
void PlainSumToArabic(benchmark::State &state)
{
    std::vector<Text> texts;
    for (int number = 1; number <= 3999; ++number)
        texts.push_back(greedyRoman(number));
    std::size_t i = 0;
    auto value = [](char32_t letter) {
        switch (letter) {
        case U'M': return 1000;
        case U'D': return 500;
        case U'C': return 100;
        case U'L': return 50;
        case U'X': return 10;
        case U'V': return 5;
        default: return 1;
        }
    };
    for (auto _ : state) {
        const Text &text = texts[i];
        int total = 0;
        for (std::size_t k = 0; k < text.size(); ++k) {
            const int v = value(text[k]);
            total += k + 1 < text.size() && v < value(text[k + 1]) ? -v : v;
        }
        benchmark::DoNotOptimize(total);
        i = i + 1 == texts.size() ? 0 : i + 1;
    }
}
BENCHMARK(PlainSumToArabic);

void IcuToRoman(benchmark::State &state)
{
    UErrorCode status = U_ZERO_ERROR;
    icu::RuleBasedNumberFormat format(icu::URBNF_NUMBERING_SYSTEM, icu::Locale::getRoot(), status);
    const icu::UnicodeString ruleSet = icu::UnicodeString::fromUTF8("%roman-upper");
    if (U_FAILURE(status)) {
        state.SkipWithError("ICU has no Roman rule set");
        return;
    }
    int number = 1;
    for (auto _ : state) {
        icu::UnicodeString numeral;
        icu::FieldPosition position;
        format.format(static_cast<int32_t>(number), ruleSet, numeral, position, status);
        benchmark::DoNotOptimize(numeral.getBuffer());
        number = number == 3999 ? 1 : number + 1;
    }
    if (U_FAILURE(status))
        state.SkipWithError(u_errorName(status));
}
BENCHMARK(IcuToRoman);

// Pasted texts: the kind is the first argument, the length the second.
Text pasted(std::int64_t kind, std::int64_t length)
{
    const auto size = static_cast<std::size_t>(length);
    switch (kind) {
    case 0: {                                             // digits: worth far above 3999
        Text digits(size, U'0');
        digits[0] = U'1';
        return digits;
    }
    case 1: return Text(size, U'm');                      // letters
    default: {                                            // junk
        Text junk;
        for (std::size_t i = 0; i < size; ++i)
            junk += U"x7 é.-\U0001F600M"[i % 8];
        return junk;
    }
    }
}

void WorstClick(benchmark::State &state, bool roman)
{
    const Text text = pasted(state.range(0), state.range(1));
    tuvo::WindowModel window;
    tuvo::Form1State conversionState;
    for (auto _ : state) {
        (roman ? window.text2 : window.text1) = text;
        roman ? tuvo::romanToArabic(window, conversionState)
              : tuvo::arabicToRoman(window, conversionState);
        benchmark::DoNotOptimize(window.text1.data());
    }
    state.SetLabel(std::to_string(state.range(1)) + " chars");
}

void WorstClickToRoman(benchmark::State &state)
{
    WorstClick(state, false);
}

void WorstClickToArabic(benchmark::State &state)
{
    WorstClick(state, true);
}

BENCHMARK(WorstClickToRoman)
    ->ArgsProduct({{0, 1, 2}, {32767, 1000000}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(WorstClickToArabic)
    ->ArgsProduct({{0, 1, 2}, {32767, 1000000}})
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
