#include "search/answers.h"

#include "convert/conversions.h"

#include <algorithm>

namespace tuvo {

std::optional<Answer> answerTo(const QString &query)
{
    // The longest standard numeral has 15 letters: a longer paste is no
    // numeral, and is never converted.
    if (query.isEmpty() || query.size() > 15)
        return std::nullopt;
    const bool digits = std::all_of(query.begin(), query.end(), [](QChar c) {
        return c >= u'0' && c <= u'9';
    });
    const bool letters = std::all_of(query.begin(), query.end(), [](QChar c) {
        return QStringView(u"MDCLXVImdclxvi").contains(c);
    });
    const bool capitals = query == query.toUpper();
    // Up to three small letters spell words as well as numerals ("vi", "mix",
    // "dix", "cm"): a user looking for those is shown no Roman sum.
    if (!digits && !(letters && (capitals || query.size() > 3)))
        return std::nullopt;

    WindowModel window{U"16", U"XVI"};
    Form1State state; // each query on a window just opened
    (digits ? window.text1 : window.text2) = query.toStdU32String();
    digits ? arabicToRoman(window, state) : romanToArabic(window, state);
    const QString text1 = QString::fromStdU32String(window.text1);
    const QString text2 = QString::fromStdU32String(window.text2);
    // A number the window keeps as it was, beside its numeral: 4000, which the
    // window turns into 3999, is no answer, nor a message.
    if (digits && text1 == query && query.front() != u'0' && !text2.isEmpty())
        return Answer{text1, text2, text1 + QStringLiteral(" en chiffres romains"), true};
    if (letters && !text1.isEmpty() && text1.front().isDigit())
        return Answer{text2, text1, text2 + QStringLiteral(" en chiffres arabes"), capitals};
    return std::nullopt;
}

} // namespace tuvo
