#include "render/DayListText.h"

#include "render/DayTextBuilders.h"
#include "render/MonthText.h"

namespace tobirae {

QString listDayNumberText(int style, int day) {
    if (style != 1)
        return dayNumberText(day);
    const QString padded = QString(2, QChar(0x3000)) + kanjiNumber(true, day);
    return padded.right(3);
}

} // namespace tobirae
