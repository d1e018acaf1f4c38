// clang-format off
// The calendar headers come before any Qt header: Qt defines "slots" as a macro.
#include "calendar/OldCalendar.h"
#include "calendar/SolarTerms.h"
#include "render/DayTextBuilders.h"
// clang-format on

#include <QStringList>
#include <array>

namespace tobirae {

namespace {

struct OldDateStyle {
    bool twoDigits;
    bool monthDayOnly;
    const char16_t* prefix;
    const char16_t* suffix;
};

// Styles 0..23: the prefix/suffix pairs repeat over full and month-day texts, each with and
// without leading zeros.
constexpr std::array<OldDateStyle, 24> kOldDateStyles = {{
    {true, false, u"旧 ", u""},   {true, false, u"旧", u""},   {false, false, u"旧 ", u""},
    {false, false, u"旧", u""},   {true, true, u"旧 ", u""},   {true, true, u"旧", u""},
    {false, true, u"旧 ", u""},   {false, true, u"旧", u""},   {true, false, u"", u""},
    {false, false, u"", u""},     {true, true, u"", u""},      {false, true, u"", u""},
    {true, false, u"(旧 ", u")"}, {true, false, u"(旧", u")"}, {false, false, u"(旧 ", u")"},
    {false, false, u"(旧", u")"}, {true, true, u"(旧 ", u")"}, {true, true, u"(旧", u")"},
    {false, true, u"(旧 ", u")"}, {false, true, u"(旧", u")"}, {true, false, u"(", u")"},
    {false, false, u"(", u")"},   {true, true, u"(", u")"},    {false, true, u"(", u")"},
}};

// Trailing spaces of the old-calendar samples by style.
constexpr std::array<int, 24> kOldSampleSpaces = {11, 10, 11, 10, 6, 5, 6, 5, 8,  8, 3, 3,
                                                  13, 12, 11, 10, 8, 7, 8, 7, 10, 8, 5, 5};

bool isEquinox(SekkiCode code) {
    return code == kSekkiVernalEquinox || code == kSekkiAutumnalEquinox;
}

bool qualifies(int selection, const SekkiEntry& entry) {
    if (entry.code == kNoSekki || entry.name.empty())
        return false;
    const bool term = isSolarTerm(entry.code);
    switch (selection) {
    case 0:
        return term;
    case 1:
        return true;
    case 2:
        return !term;
    case 3:
        return term && !isEquinox(entry.code);
    case 4:
        return !isEquinox(entry.code);
    default:
        return false;
    }
}

} // namespace

QString oldDateStyled(int style, int oldYear, int oldMonth, int oldDay, bool leap) {
    if (style < 0 || style >= static_cast<int>(kOldDateStyles.size()))
        return {};
    const OldDateStyle& s = kOldDateStyles[static_cast<std::size_t>(style)];
    const int width = s.twoDigits ? 2 : 0;
    QString body = (leap ? QString::fromUtf16(u"閏") : QString()) +
                   QStringLiteral("%1/%2")
                       .arg(oldMonth, width, 10, QLatin1Char('0'))
                       .arg(oldDay, width, 10, QLatin1Char('0'));
    if (!s.monthDayOnly)
        body = QString::number(oldYear) + QLatin1Char('/') + body;
    return QString::fromUtf16(s.prefix) + body + QString::fromUtf16(s.suffix);
}

QString oldDateTextFor(int style, std::chrono::year_month_day date) {
    if (style < 0 || style >= static_cast<int>(kOldDateStyles.size()))
        return {};
    const auto old = oldCalendarDate(date, true, true);
    if (!old || old->text.empty())
        return {};
    return oldDateStyled(style, old->oldYear, old->month, old->day, old->isLeapMonth);
}

QString oldDateSample(int style) {
    if (style < 0 || style >= static_cast<int>(kOldSampleSpaces.size()))
        return {};
    return QString::fromUtf16(u"旧暦") +
           QString(kOldSampleSpaces[static_cast<std::size_t>(style)], QLatin1Char(' '));
}

QString solarTermText(int selection, std::chrono::year_month_day date) {
    if (selection < 0 || selection > 4)
        return {};
    const auto found = lookupSolarTerm(date);
    if (!found)
        return {};
    QStringList names;
    for (const SekkiEntry* entry : {&found->first, &found->second}) {
        if (qualifies(selection, *entry))
            names << QString::fromStdString(entry->name);
    }
    return names.join(QString::fromUtf16(u"、"));
}

QString solarTermSample(int selection) {
    switch (selection) {
    case 0:
    case 3:
        return QString::fromUtf16(u"24節");
    case 1:
    case 2:
    case 4:
        return QString::fromUtf16(u"24節気") + QString(14, QLatin1Char(' '));
    default:
        return {};
    }
}

QString holidaySample() {
    return QString::fromUtf16(u"祝日") + QString(4, QChar(0x3000));
}

QString weekdaySample(int style) {
    static constexpr std::array<const char16_t*, 8> kSamples = {
        u"月曜日", u"月曜", u"月", u"Monday   ", u"MONDAY   ", u"MON", u"Mon", u"英語1文字"};
    if (style < 0 || style >= static_cast<int>(kSamples.size()))
        return {};
    return QString::fromUtf16(kSamples[static_cast<std::size_t>(style)]);
}

QString dayNumberText(int day) {
    return (QLatin1Char(' ') + QString::number(day)).right(2);
}

} // namespace tobirae
