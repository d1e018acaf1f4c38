// Reading numbers typed into the dialogs' text boxes.
#pragma once

#include <QString>
#include <optional>

namespace tobirae {

// The value of a text that reads as a number: blanks around it, an optional sign, digits with at
// most one decimal point and an optional exponent, or "&H" followed by hexadecimal digits.
// Anything else (including the empty text) is not numeric.
std::optional<double> numericValue(const QString& text);

} // namespace tobirae
