#include "render/TextFields.h"

#include "owndays/WorkingDayCount.h"
#include "render/YearMonthText.h"

#include <array>
#include <optional>

namespace tobirae {

using namespace std::chrono;

namespace {

QString eraText(const EraYear& era, const QString& suffix) {
    return era.name + (era.year == 1 ? QStringLiteral("元") : QString::number(era.year)) + suffix;
}

} // namespace

int fiscalYearOf(year_month month) {
    const int y = static_cast<int>(month.year());
    return unsigned(month.month()) >= 4 ? y : y - 1;
}

QString eraYearText(year_month month) {
    const std::optional<EraYear> era = japaneseEra(month / 1);
    return era ? eraText(*era, QStringLiteral("年")) : QString();
}

QString eraFiscalYearText(year_month month) {
    const int fiscal = fiscalYearOf(month);
    std::optional<EraYear> era = japaneseEra(month / 1);
    if (era) {
        // The era year of the fiscal year: the month's era year less the months before April.
        era->year -= static_cast<int>(month.year()) - fiscal;
        if (era->year < 1)
            era = japaneseEra(year{fiscal} / April / 1);
    }
    return era ? eraText(*era, QStringLiteral("年度")) : QString();
}

QString expandTextFields(const QString& text, year_month month, const OwnDayTable* own,
                             WeeklyDaysOff off) {
    struct Field {
        const char16_t* name;
        QString value;
    };
    // Counting a 年度 walks 365 days: only texts that ask for a count pay for it.
    WorkingDayCount inMonth, inYear;
    if (text.contains(u"日数}")) {
        inMonth = countMonthWorkingDays(month, own, off);
        inYear = countFiscalYearWorkingDays(fiscalYearOf(month), own, off);
    }
    const std::array<Field, 9> fields{{
        {u"{年}", QString::number(static_cast<int>(month.year()))},
        {u"{月}", QString::number(unsigned(month.month()))},
        {u"{和暦年}", eraYearText(month)},
        {u"{年度}", QString::number(fiscalYearOf(month))},
        {u"{和暦年度}", eraFiscalYearText(month)},
        {u"{出勤日数}", QString::number(inMonth.working)},
        {u"{休日数}", QString::number(inMonth.off)},
        {u"{年度出勤日数}", QString::number(inYear.working)},
        {u"{年度休日数}", QString::number(inYear.off)},
    }};
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        if (text.at(i) != u'{') {
            out += text.at(i++);
            continue;
        }
        if (QStringView(text).sliced(i).startsWith(u"{{")) {
            out += u'{';
            i += 2;
            continue;
        }
        const Field* found = nullptr;
        for (const Field& field : fields)
            if (QStringView(text).sliced(i).startsWith(QStringView(field.name)))
                found = &field;
        if (found) {
            out += found->value;
            i += QStringView(found->name).size();
        } else {
            out += text.at(i++);
        }
    }
    return out;
}

} // namespace tobirae
