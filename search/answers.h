#pragma once

// What Tuvo answers in the desktop's search: a number from 1 to 3999 gives
// its numeral, a standard numeral gives its number, each as the main window
// shows it after one click from a window just opened. Anything else gives
// nothing: 0, 4000, "IIII", words, several terms, long pastes.

#include <QString>

#include <optional>

namespace tuvo {

struct Answer
{
    QString typed;       // as the window shows it after the click: "MCMXCIV" for "mcmxciv"
    QString answer;      // "MCMXCIV" or "1994"
    QString description; // "1994 en chiffres romains"
    bool capitals;       // digits or capitals: no word, unlike "mcmxciv" may be

    // What the result is, as the desktop's search caches results by id.
    QString id() const { return typed + u'=' + answer; }
};

std::optional<Answer> answerTo(const QString &query);

// The answer that an id of answerTo() names.
inline std::optional<Answer> answerOf(const QString &id)
{
    return answerTo(id.section(u'=', 0, 0));
}

} // namespace tuvo
