// Layout and settings files written for the editor's tests.
#pragma once

#include "document/LayoutDocument.h"

#include <QString>
#include <array>
#include <vector>

namespace tobirae::test {

// Every item kind, named for test rows.
struct Kind {
    const char* name;
    int category;
    int variant;
};
inline constexpr std::array<Kind, 10> kKinds{
    {{"year", CategoryYear, 0},
     {"box5", CategoryMonthFamily, VariantBox5},
     {"box6", CategoryMonthFamily, VariantBox6},
     {"mini", CategoryMonthFamily, VariantBoxMini},
     {"list vertical", CategoryMonthFamily, VariantVertical},
     {"list horizontal", CategoryMonthFamily, VariantHorizontal},
     {"month", CategoryMonthDisplay, 0},
     {"weekly vertical", CategoryWeekly, VariantVertical},
     {"weekly horizontal", CategoryWeekly, VariantHorizontal},
     {"picture", CategoryPicture, 0}}};

struct TestItem {
    int category = CategoryMonthDisplay;
    int variant = 0;
    float left = 0;
    float top = 0;
    int monthSelector = 12; // the page's month
};

// A document with the items (new-item defaults of their kinds) in slots 0.. and drawing order.
std::unique_ptr<LayoutDocument> makeTestDocument(const std::vector<TestItem>& items,
                                                 bool portrait = true);
// Writes such a document as a layout file; false on failure.
bool writeTestLayout(const QString& path, const std::vector<TestItem>& items, bool portrait = true);
// Writes a settings file from text lines (code page 932, CR LF).
bool writeSettingsFile(const QString& path, const QStringList& lines);
// The settings file as text.
QString readSettingsFile(const QString& path);

} // namespace tobirae::test
