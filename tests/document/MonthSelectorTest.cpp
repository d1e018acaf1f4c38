#include "document/MonthSelector.h"

#include "document/ResolutionTable.h"

#include <gtest/gtest.h>

namespace tobirae {
namespace {

TEST(MonthSelectorLabel, RelativeAndFixedMonths) {
    const struct {
        int selector;
        const char16_t* label;
    } cases[] = {
        {0, u"－12ヶ月"}, {10, u"－2ヶ月"}, {11, u"前月"},     {12, u"当月"},
        {13, u"翌月"},    {14, u"＋2ヶ月"}, {24, u"＋12ヶ月"}, {25, u"1月"},
        {27, u"3月"},     {36, u"12月"},    {37, u""},         {-1, u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(monthSelectorLabel(c.selector), QString::fromUtf16(c.label)) << c.selector;
}

TEST(MonthSelectorLabel, YearItemsUseTheYearListAndPicturesNone) {
    EXPECT_EQ(yearSelectorLabel(12), QStringLiteral("当月の年"));
    EXPECT_EQ(yearSelectorLabel(0), QStringLiteral("－12ヶ月の年"));
    EXPECT_EQ(yearSelectorLabel(25), QString());
    EXPECT_EQ(shownMonthLabel(0, 11), QStringLiteral("前月の年"));
    EXPECT_EQ(shownMonthLabel(0, 30), QStringLiteral("当月の年")) << "outside the list: page year";
    EXPECT_EQ(shownMonthLabel(3, 13), QStringLiteral("翌月"));
    EXPECT_EQ(shownMonthLabel(2, 27), QStringLiteral("3月"));
    EXPECT_EQ(shownMonthLabel(4, 12), QString());
}

TEST(ResolutionTable, ListedValuesAndTheScreen) {
    const int dpis[] = {72, 100, 150, 200, 300};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(dpiToResolutionIndex(dpis[i]), i);
        EXPECT_EQ(resolutionIndexToDpi(i, 96), dpis[i]);
    }
    EXPECT_EQ(dpiToResolutionIndex(96), 5);
    EXPECT_EQ(dpiToResolutionIndex(0), 5);
    EXPECT_EQ(resolutionIndexToDpi(5, 120), 120);
    EXPECT_EQ(resolutionIndexToDpi(6, 120), 0);
    EXPECT_EQ(resolutionIndexToDpi(-1, 120), 0);
}

} // namespace
} // namespace tobirae
