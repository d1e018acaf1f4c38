#include "ui/dialogs/RuleDialogRules.h"

#include "render/RuleBlock.h"

#include <numeric>

namespace tobirae {

namespace {

constexpr int kMonthBoxLines = 17;
constexpr int kListLines = 6;

std::vector<int> range(int first, int last) {
    std::vector<int> out(static_cast<std::size_t>(last - first + 1));
    std::iota(out.begin(), out.end(), first);
    return out;
}

} // namespace

RuleFamily ruleFamily(const LayoutItem& item) {
    if (!isDayCategory(item.Category))
        return RuleFamily::None;
    if (isMonthBox(item.Category, item.LayoutVariant))
        return RuleFamily::MonthBox;
    if (item.LayoutVariant == VariantVertical || item.LayoutVariant == VariantHorizontal)
        return RuleFamily::List;
    return RuleFamily::None;
}

int ruleLineCount(const LayoutItem& item) {
    switch (ruleFamily(item)) {
    case RuleFamily::MonthBox:
        return item.LayoutVariant == VariantBox5 ? kMonthBoxLines : kMonthBoxLines - 1;
    case RuleFamily::List:
        return kListLines;
    case RuleFamily::None:
        break;
    }
    return 0;
}

QString ruleNumberLabel(int entry) {
    if (entry < 0 || entry >= kMonthBoxLines)
        return {};
    return QString(QChar(0x2460 + entry)); // circled digits
}

QStringList ruleGroupCaptions(RuleFamily family) {
    const QStringList frames{QStringLiteral("外枠を描画する"), QStringLiteral("外枠を描画しない"),
                             QStringLiteral("内線を描画する"), QStringLiteral("内線を描画しない")};
    switch (family) {
    case RuleFamily::MonthBox:
        return QStringList{QStringLiteral("年表示領域を描画する"),
                           QStringLiteral("年表示領域を描画しない"),
                           QStringLiteral("月表示領域を描画する"),
                           QStringLiteral("月表示領域を描画しない")} +
               frames;
    case RuleFamily::List:
        return frames;
    case RuleFamily::None:
        break;
    }
    return {};
}

std::vector<int> ruleGroupEntries(const LayoutItem& item, int button) {
    const RuleFamily family = ruleFamily(item);
    if (family == RuleFamily::List) {
        switch (button / 2) {
        case 0:
            return {0, 1, 3, 5};
        case 1:
            return {2, 4};
        default:
            return {};
        }
    }
    if (family != RuleFamily::MonthBox)
        return {};
    switch (button / 2) {
    case 0:
        return {RuleLeftYear, RuleRightYear, RuleTop};
    case 1:
        return {RuleLeftMonth, RuleRightMonth, RuleUnderYear};
    case 2: {
        std::vector<int> out = range(RuleLeftYear, RuleRightGrid);
        out.push_back(RuleTop);
        out.push_back(RuleBottom);
        return out;
    }
    case 3: {
        std::vector<int> out{RuleInnerHeader, RuleInnerGrid,   RuleUnderYear,
                             RuleUnderMonth,  RuleUnderHeader, RuleInnerRows};
        if (item.LayoutVariant == VariantBox5)
            out.push_back(RuleDiagonal);
        return out;
    }
    default:
        return {};
    }
}

void applyRuleGroup(LayoutItem& item, int button) {
    RuleBlockWriter rules = ruleBlock(item);
    for (int entry : ruleGroupEntries(item, button))
        rules.setRuleOn(entry, ruleGroupTurnsOn(button));
}

QString ruleWidthText(int width) {
    if (width < kMinRuleWidth || width > kMaxRuleWidth)
        return QStringLiteral("1");
    return QString::number(width);
}

std::optional<std::int16_t> typedRuleWidth(const QString& text) {
    QString digits = text;
    digits.remove(QLatin1Char(' '));
    bool ok = false;
    const int value = digits.toInt(&ok);
    if (!ok || value < kMinRuleWidth || value > kMaxRuleWidth)
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

} // namespace tobirae
