// Month labels and the kanji numerals they and other labels are built from.
#pragma once

#include <QString>

namespace tobirae {

// The month label of style 0..21 for month 1..12:
//   0 N, 1 K, 2 N月, 3 K月, 4 English name, 5 in capitals, 6 three-letter name, 7 in capitals,
//   8 classical name, 9 its kana reading, 10 N/, 11 K/, 12..21 styles 0..9 in round brackets.
// Empty for any other style or month.
QString monthText(int style, int month);

// A text as wide as the widest label of the style; only measured, never drawn.
QString monthSample(int style);

// Kanji numeral of 0..9999 (thousands and below; higher digits are ignored). plain selects
// 一二三/十百千, otherwise the formal 壱弐参/拾佰仟. Empty for a negative number.
QString kanjiNumber(bool plain, int number);
// One kanji digit 0..9; empty outside.
QString kanjiDigit(bool plain, int digit);

} // namespace tobirae
