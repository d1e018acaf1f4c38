#include "document/LayoutItem.h"

namespace tobirae {

QString itemKindLabel(std::int32_t category, std::int32_t variant) {
    switch (category) {
    case CategoryYear:
        return QStringLiteral("年表示");
    case CategoryMonthFamily:
        switch (variant) {
        case VariantBox5:
            return QStringLiteral("月Box5段");
        case VariantBox6:
            return QStringLiteral("月Box6段");
        case VariantBoxMini:
            return QStringLiteral("月BoxMini");
        case VariantVertical:
            return QStringLiteral("1ヶ月縦");
        case VariantHorizontal:
            return QStringLiteral("1ヶ月横");
        }
        return {};
    case CategoryMonthDisplay:
        return QStringLiteral("月表示");
    case CategoryWeekly:
        if (variant == VariantVertical)
            return QStringLiteral("週単位縦");
        if (variant == VariantHorizontal)
            return QStringLiteral("週単位横");
        return {};
    case CategoryPicture:
        return QStringLiteral("画像表示");
    case CategoryText:
        return QStringLiteral("テキスト");
    }
    return {};
}

} // namespace tobirae
