// The day number as the lists print it.
#pragma once

#include <QString>

namespace tobirae {

// Style 0: the day with a leading space when it has one digit (" 5"). Style 1: the day in kanji
// numerals right-aligned in three ideographic cells ("　　五", "　二十", "三十一").
QString listDayNumberText(int style, int day);

} // namespace tobirae
