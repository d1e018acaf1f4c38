// Layouts as JSON for reading, diffing and scripting. Keys are the record field names
// (PageSettings, Items, Top, Category, Year1 → Shown, Font → FaceName, …). Texts are JSON strings;
// an FSTR or STR field whose bytes a string cannot reproduce exactly is {"Hex": "…"}, a
// never-assigned FSTR (all zero bytes) is null, and byte blocks are hex strings, so JSON → file
// reproduces the file byte for byte.
#pragma once

#include "document/LayoutFile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace tobirae {

QByteArray layoutToJson(const LayoutFileContent& content);

struct LayoutJsonResult {
    std::optional<LayoutFileContent> content;
    QString error; // names the offending field, e.g. "Items[0].Year1.Font.Size: …"
};
LayoutJsonResult layoutFromJson(QByteArrayView json);

} // namespace tobirae
