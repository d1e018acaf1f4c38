// The extension's content as a CBOR map, shared by the layout file (as CBOR bytes) and by the
// JSON form (as JSON values). The map holds
//   "Items":     [{"Record": i, "WeekStart": "Monday", …}] for fixed records with extension values
//   "TextItems": [{"Order": n, "Left", "Top", "Width", "Height", "Text", "Font", "HPlacement",
//                  "VPlacement", "BackColor"?, "Transparent"?, locks?}] with n the item's place in
//                the drawing order
// and the document's sections under their own keys.
#pragma once

#include "document/LayoutItem.h"

#include <QCborMap>
#include <QString>
#include <span>
#include <vector>

namespace tobirae {

// A file keeps keys that no typed member knows (a newer program wrote them); JSON refuses them
// by name and carries such values under "Extension" instead.
enum class ExtensionSource { File, Json };

inline constexpr const char* kOtherValuesKey = "Extension";

// True when some item or the document has anything the fixed records cannot hold.
bool needsExtension(std::span<const LayoutItem> items, const DocumentExtension& document);
// Items in drawing order, text items included. Empty when nothing needs the extension.
QCborMap encodeExtension(std::span<const LayoutItem> items, const DocumentExtension& document,
                         ExtensionSource source);
// The items that have a fixed record, in drawing order (pointers into items: a save must not
// copy every record again).
std::vector<const LayoutItem*> fixedRecords(std::span<const LayoutItem> items);

struct ExtensionDecoded {
    std::vector<LayoutItem> items; // drawing order, text items in their places
    DocumentExtension document;
    QString error; // names the key, e.g. "TextItems[0].Font.Size: …"; empty on success
};
// Applies the map to the fixed records (file order).
ExtensionDecoded decodeExtension(const QCborMap& map, std::vector<LayoutItem> records,
                                 ExtensionSource source);

// A text item with nothing set but its kind: what a text item holds apart from the values the
// extension stores.
LayoutItem emptyTextItem();

} // namespace tobirae
