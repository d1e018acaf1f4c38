// Layout and settings files written for the editor's tests.
#pragma once

#include "document/LayoutDocument.h"

#include <QString>
#include <vector>

namespace tobirae::test {

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
