#include "document/MonthSelector.h"

#include "document/LayoutItem.h"

namespace tobirae {

namespace {

constexpr int kCurrentMonth = 12;

// Offsets -12..+12 as the dialogs write them; the signs are fullwidth.
QString relativeMonthText(int offset) {
    switch (offset) {
    case -1:
        return QStringLiteral("前月");
    case 0:
        return QStringLiteral("当月");
    case 1:
        return QStringLiteral("翌月");
    }
    return (offset < 0 ? QStringLiteral("－") : QStringLiteral("＋")) +
           QString::number(offset < 0 ? -offset : offset) + QStringLiteral("ヶ月");
}

} // namespace

QString monthSelectorLabel(std::int32_t selector) {
    if (selector >= 0 && selector <= 24)
        return relativeMonthText(selector - kCurrentMonth);
    if (selector >= 25 && selector <= 36)
        return QString::number(selector - 24) + QStringLiteral("月");
    return {};
}

QString yearSelectorLabel(std::int32_t selector) {
    if (selector >= 0 && selector <= 24)
        return relativeMonthText(selector - kCurrentMonth) + QStringLiteral("の年");
    return {};
}

QString shownMonthLabel(std::int32_t category, std::int32_t selector) {
    switch (category) {
    case CategoryYear:
        // Values outside the list leave the page year.
        return yearSelectorLabel(selector >= 0 && selector <= 24 ? selector : kCurrentMonth);
    case CategoryPicture:
        return {};
    default:
        return monthSelectorLabel(selector);
    }
}

} // namespace tobirae
