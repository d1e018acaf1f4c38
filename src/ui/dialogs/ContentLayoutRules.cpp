#include "ui/dialogs/ContentLayoutRules.h"

#include "render/DayListGeometry.h"
#include "render/DayTextBuilders.h"
#include "render/MonthBoxGeometry.h"
#include "render/MonthText.h"
#include "render/RenderFrame.h"
#include "render/RuleBlock.h"
#include "render/YearMonthText.h"
#include "ui/editing/GridSnap.h"

#include <QtGlobal>
#include <algorithm>
#include <cmath>

namespace tobirae {

namespace {

constexpr Colour kWhite = 0xFFFFFF;

const char16_t* const kNames[kEditorElementCount] = {
    u"年①",  u"年②",  u"月①",  u"月②",        u"月③",  u"月④",  u"日",   u"曜日",
    u"六曜", u"干支", u"旧暦", u"二十四節気", u"祝日", u"選日", u"月齢", u"月の満ち欠け"};

} // namespace

ContentElement& editorElement(LayoutItem& item, int element) {
    if (element >= kExtraBoxBase && element < kEditorElementCount)
        return item.ExtraElements[static_cast<std::size_t>(element - kExtraBoxBase)];
    return item.element(element);
}

const ContentElement& editorElement(const LayoutItem& item, int element) {
    return editorElement(const_cast<LayoutItem&>(item), element);
}

std::vector<ContentArea> contentAreas(int category, int variant) {
    if (isMonthBox(category, variant)) {
        if (variant == VariantBox5)
            return {ContentArea::Heading, ContentArea::Day, ContentArea::SecondDay};
        return {ContentArea::Heading, ContentArea::Day};
    }
    if (isDayList(category, variant))
        return {ContentArea::Day};
    return {};
}

QString contentAreaLabel(ContentArea area, int variant) {
    switch (area) {
    case ContentArea::Heading:
        return QStringLiteral("年月設定");
    case ContentArea::SecondDay:
        return QStringLiteral("日付設定②");
    case ContentArea::Day:
        break;
    }
    return variant == VariantBox5 ? QStringLiteral("日付設定①") : QStringLiteral("日付設定");
}

std::vector<ContentBoxKey> contentBoxesOf(ContentArea area, int category, int variant) {
    std::vector<ContentBoxKey> out;
    const int dayElements[] = {Day, Rokuyo, Eto, OldCalendar, SolarTerm, Holiday};
    switch (area) {
    case ContentArea::Heading:
        for (int k = Year1; k <= Month4; ++k)
            out.push_back({k, BoxSlot::Normal});
        break;
    case ContentArea::Day:
        // Year, month and weekday texts repeat on every day only in the lists.
        for (int k = Year1; k <= Holiday; ++k)
            if ((k > Month4 && k != Weekday) || isDayList(category, variant))
                out.push_back({k, BoxSlot::Normal});
        // 選日, 月齢 and the moon phase print in the cells of the five- and six-row boxes and on
        // the days of the lists.
        if ((isMonthBox(category, variant) && variant != VariantBoxMini) ||
            isDayList(category, variant))
            for (int k = kExtraBoxBase; k < kEditorElementCount; ++k)
                out.push_back({k, BoxSlot::Normal});
        break;
    case ContentArea::SecondDay:
        for (BoxSlot slot : {BoxSlot::Upper, BoxSlot::Lower})
            for (int k : dayElements)
                out.push_back({k, slot});
        for (BoxSlot slot : {BoxSlot::Upper, BoxSlot::Lower})
            for (int k = kExtraBoxBase; k < kEditorElementCount; ++k)
                out.push_back({k, slot});
        break;
    }
    return out;
}

QString contentBoxName(ContentBoxKey key) {
    if (key.element < 0 || key.element >= kEditorElementCount)
        return {};
    QString name = QString::fromUtf16(kNames[key.element]);
    if (key.slot == BoxSlot::Upper)
        name += QStringLiteral("(上段)");
    else if (key.slot == BoxSlot::Lower)
        name += QStringLiteral("(下段)");
    return name;
}

QString contentBoxTooltip(ContentBoxKey key) {
    const QString name = contentBoxName(key);
    if (key.element == Day)
        return name + QStringLiteral("の数字です。");
    return name + QStringLiteral("です。");
}

QString contentSample(const LayoutItem& item, int element, std::chrono::year_month_day today) {
    if (element < 0 || element >= kEditorElementCount)
        return {};
    const int style = editorElement(item, element).Style;
    switch (element) {
    case kExtraBoxBase + ExtraSelectedDays:
        return QString::fromUtf16(u"一粒万倍日");
    case kExtraBoxBase + ExtraMoonAge:
        return QStringLiteral("29.5");
    case kExtraBoxBase + ExtraMoonPhase:
        return style == 1 ? QString::fromUtf16(u"満月") : QString::fromUtf16(u"●");
    case Year1:
    case Year2:
        return yearText(style, today);
    case Day:
        return item.DayTextMode == 1 ? kanjiNumber(true, 31) : QStringLiteral("31");
    case Weekday:
        return weekdaySample(item.WeekdayStyle);
    case Rokuyo:
        return QString::fromUtf16(u"六曜");
    case Eto:
        return QString::fromUtf16(u"干支");
    case OldCalendar:
        return oldDateSample(item.OldCalendarStyle);
    case SolarTerm:
        return solarTermSample(item.SekkiSelection);
    case Holiday:
        return holidaySample();
    default:
        return monthText(style, static_cast<int>(unsigned(today.month())));
    }
}

TextPos& slotPosition(LayoutItem& item, ContentBoxKey key) {
    ContentElement& e = editorElement(item, key.element);
    return key.slot == BoxSlot::Upper   ? e.UpperPos
           : key.slot == BoxSlot::Lower ? e.LowerPos
                                        : e.Pos;
}

const TextPos& slotPosition(const LayoutItem& item, ContentBoxKey key) {
    return slotPosition(const_cast<LayoutItem&>(item), key);
}

bool isLocked(const LayoutItem& item, int element, LockAxis axis) {
    const bool h = axis == LockAxis::Horizontal;
    if (element == Holiday)
        return item.VCenterLock[h ? kHolidayHLockSlot : kHolidayVLockSlot] != 0;
    if (h)
        return isTrue(editorElement(item, element).HCenterLock);
    if (isTitleElement(element))
        return item.VCenterLock[static_cast<std::size_t>(element)] != 0;
    return editorElement(item, element).VCenterLock != 0;
}

void setLocked(LayoutItem& item, int element, LockAxis axis, bool locked) {
    const B16 value = toB16(locked);
    const bool h = axis == LockAxis::Horizontal;
    if (element == Holiday)
        item.VCenterLock[h ? kHolidayHLockSlot : kHolidayVLockSlot] = value;
    else if (h)
        editorElement(item, element).HCenterLock = value;
    else if (isTitleElement(element))
        item.VCenterLock[static_cast<std::size_t>(element)] = value;
    else
        editorElement(item, element).VCenterLock = value;
}

std::vector<LockAxis> lockChoices(ContentArea area, int category, int variant) {
    switch (area) {
    case ContentArea::Heading:
        return {LockAxis::Horizontal, LockAxis::Vertical};
    case ContentArea::SecondDay:
        return {};
    case ContentArea::Day:
        break;
    }
    if (isDayList(category, variant) && variant == VariantVertical)
        return {LockAxis::Vertical};
    if (category == CategoryMonthFamily && variant == VariantBoxMini)
        return {};
    return {LockAxis::Horizontal};
}

QPoint keyStep(QPoint p, QSize box, QSize area, int key) {
    switch (key) {
    case Qt::Key_Up:
        p.ry() = std::max(p.y() - 1, 1 - box.height());
        break;
    case Qt::Key_Down:
        p.ry() = p.y() + 2 < area.height() - 2 ? p.y() + 1 : area.height() - 3;
        break;
    case Qt::Key_Left:
        p.rx() = std::max(p.x() - 1, 1 - box.width());
        break;
    case Qt::Key_Right:
        p.rx() = p.x() + 1 < area.width() ? p.x() + 1 : area.width() - 1;
        break;
    default:
        break;
    }
    return p;
}

int snapToGridPixel(int position, int spacingTwips) {
    return roundHalfEven(snapToGrid(position, spacingTwips, kTwipsPerPixel));
}

LineOrientation dividingLineOrientation(int category, int variant) {
    if (!isDayList(category, variant))
        return LineOrientation::None;
    return variant == VariantVertical ? LineOrientation::Vertical : LineOrientation::Horizontal;
}

QString lineLimitMessage(LineOrientation orientation) {
    return orientation == LineOrientation::Horizontal
               ? QStringLiteral("これ以上、横罫線は追加できません。")
               : QStringLiteral("これ以上、縦罫線は追加できません。");
}

std::vector<int> storedDividingLines(const LayoutItem& item, LineOrientation orientation) {
    const RuleBlockReader rules = ruleBlock(item);
    std::vector<int> out;
    if (orientation == LineOrientation::Vertical)
        for (int i = 0; i < rules.vLineCountClamped(); ++i)
            out.push_back(rules.vLinePos(i));
    else if (orientation == LineOrientation::Horizontal)
        for (int i = 0; i < rules.hLineCountClamped(); ++i)
            out.push_back(rules.hLinePos(i));
    return out;
}

void storeDividingLines(LayoutItem& item, LineOrientation orientation, std::vector<int> lines,
                        int areaLength) {
    if (orientation == LineOrientation::None)
        return;
    lines.resize(std::min<std::size_t>(lines.size(), kDividingLineMax));
    for (int& x : lines)
        x = std::clamp(x, 0, std::max(areaLength, 0));
    std::sort(lines.begin(), lines.end());
    RuleBlockWriter rules = ruleBlock(item);
    const bool vertical = orientation == LineOrientation::Vertical;
    for (int i = 0; i < kDividingLineMax; ++i) {
        const int pos = i < static_cast<int>(lines.size()) ? lines[static_cast<std::size_t>(i)] : 0;
        vertical ? rules.setVLinePos(i, pos) : rules.setHLinePos(i, pos);
    }
    const auto count = static_cast<std::int32_t>(lines.size());
    vertical ? rules.setVLineCount(count) : rules.setHLineCount(count);
}

void whitenNewRegions(LayoutItem& item, int oldCount, int newCount) {
    for (int region = std::max(oldCount + 1, 0);
         region <= newCount && region < static_cast<int>(item.CellBackColor.size()); ++region)
        item.CellBackColor[static_cast<std::size_t>(region)] = kWhite;
}

void takeBackContentLayout(LayoutItem& work, const LayoutItem& shared) {
    for (int k = 0; k < kElementCount; ++k) {
        ContentElement& to = work.element(k);
        const ContentElement& from = shared.element(k);
        to.Pos = from.Pos;
        to.UpperPos = from.UpperPos;
        to.LowerPos = from.LowerPos;
        to.HCenterLock = from.HCenterLock;
        to.VCenterLock = from.VCenterLock;
    }
    // The extra elements and the week numbers are set in the editor itself, shown flags, fonts
    // and styles included.
    work.ExtraElements = shared.ExtraElements;
    work.Ext.weekNumbers = shared.Ext.weekNumbers;
    work.VCenterLock = shared.VCenterLock;
    work.RuleBlock = shared.RuleBlock;
    work.CellBackColor = shared.CellBackColor;
    work.DesignWidth = shared.DesignWidth;
    work.DesignHeight = shared.DesignHeight;
}

ContentAreaSizes contentAreaSizes(RenderContext& ctx, const LayoutItem& item,
                                  std::chrono::year_month_day today) {
    // The design size at scale 1: no fit to the item's frame, no placement offsets.
    LayoutItem design = item;
    design.FitToRect = kFalse;
    design.HPlacement = 0;
    design.VPlacement = 0;
    const int year = static_cast<int>(today.year());
    const int month = static_cast<int>(unsigned(today.month()));
    ContentAreaSizes sizes;
    if (isMonthBox(item.Category, item.LayoutVariant)) {
        const DateRange range = pageDateRange(year, month);
        const RenderArgs args{design, nullptr, {}, range, 0, 0, 0, 0, 0, {}};
        const int rows = item.LayoutVariant == VariantBox5 ? 5 : 6;
        if (const auto g = computeMonthBoxGeometry(ctx, args, rows)) {
            const auto cellWidth = static_cast<int>(g->cellWidth());
            const auto rowHeight =
                static_cast<int>((g->height - static_cast<float>(g->gridTop)) / rows);
            sizes.day = QSize(cellWidth, std::max(rowHeight, 1));
            sizes.heading = QSize(g->width(), static_cast<int>(std::ceil(g->title)));
        }
    } else if (isDayList(item.Category, item.LayoutVariant)) {
        int rows = 0;
        DateRange range = shownRange(design, year, month, &rows);
        const RenderArgs args{design, nullptr, {}, range, 0, 0, 0, 0, rows, {}};
        const DayAxis axis =
            item.LayoutVariant == VariantVertical ? DayAxis::Down : DayAxis::Across;
        if (const auto g = computeDayListGeometry(args, axis)) {
            const int line = g->lineSize();
            sizes.day = axis == DayAxis::Down ? QSize(g->crossLength(), line)
                                              : QSize(line, g->crossLength());
        }
    }
    return sizes;
}

} // namespace tobirae
