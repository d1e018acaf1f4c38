#include "render/DayListText.h"

#include "render/DayTextBuilders.h"
#include "render/MonthText.h"

namespace tobirae {

QString Fnc_ListDayNumberText(int style, int day) {
    if (style != 1)
        return Fnc_DayNumberText(day);
    const QString padded = QString(2, QChar(0x3000)) + Fnc_KanjiNumber(true, day);
    return padded.right(3);
}

} // namespace tobirae
