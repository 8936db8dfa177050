#pragma once

// The two conversions, one click each. Both work on the window model and the
// shared Form1State, and answer only by the texts they leave in the fields.

#include "convert/form1state.h"
#include "convert/windowmodel.h"

#include <string_view>

namespace tuvo {

inline constexpr std::u32string_view nonConforme = U"Non conforme";
inline constexpr std::u32string_view nExistePas = U"N'existe pas !";
inline constexpr std::u32string_view limiteA3999 = U"Limité à 3999";
inline constexpr std::u32string_view erreur = U"Erreur";

// Decimal in text1 to Roman in text2 (the right arrow).
void arabicToRoman(WindowModel &window, Form1State &state);

// Roman in text2 to decimal in text1 (the left arrow).
void romanToArabic(WindowModel &window, Form1State &state);

} // namespace tuvo
