// The layout file (.CLF): a 32-byte page header followed by the item records in drawing order.
// Reading is all-or-nothing: the bytes are parsed completely before anything is handed out, and a
// damaged file yields a Japanese one-sentence reason instead. Writing goes through AtomicFile, so a
// failed save leaves the previous file intact.
#pragma once

#include "files/AtomicFile.h"
#include "document/LayoutDocument.h"
#include "document/LayoutItem.h"
#include "document/PageSettings.h"
#include "document/ResolutionTable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace tobirae {

inline constexpr int kMaxItemCount = 100;
// The largest layout file read or written: the header and 100 records whose three texts are all
// of the greatest length a 16-bit count allows, and a megabyte for bytes after them.
inline constexpr qint64 kMaxLayoutFileSize =
    kPageHeaderSize + qint64(kMaxItemCount) * (kItemRecordSize + 3 * 65535) + (1 << 20);
QString layoutTooLargeMessage(qint64 size);

// A layout file as stored: the header with every field as read, the items in drawing order and
// any bytes after the last record or the extension block (ignored by the program, kept for exact
// copies). Items with a fixed record come in file order; text items, which only the extension
// block holds, stand at their places between them. The header's ItemCount counts the records.
struct LayoutFileContent {
    PageSettings header;
    std::vector<LayoutItem> items;
    DocumentExtension extension;
    QByteArray trailing;

    bool operator==(const LayoutFileContent&) const = default;
};

struct LayoutParseResult {
    std::optional<LayoutFileContent> content;
    QString error; // empty on success
    // Set when the file has an extension block that could not be used: what was left out. The
    // block's bytes then stay in `trailing`, and the fixed part is read as other readers see it.
    QString extensionNotice;
};

// Parses the bytes of a layout file. Never reads past the end, never allocates by an unchecked
// count: ItemCount must be 0..100 and every text length must fit into the remaining bytes.
LayoutParseResult parseLayoutBytes(QByteArrayView bytes);
// The file bytes: header as held except ItemCount, which is always the number of records. A
// layout that needs no extension is the header and records alone; one that does has the same
// header and records, then the extension block.
QByteArray serializeLayout(const LayoutFileContent& content);

LayoutParseResult readLayoutFileContent(const QString& path);

// What saving the document writes: format 1, the document's paper, resolution index and
// orientation, a white page colour, and the live items in drawing order. The caller copies the
// item views' geometry into the items first.
LayoutFileContent layoutFromDocument(const LayoutDocument& document);

struct ReadResult {
    std::unique_ptr<LayoutDocument> document; // null on failure
    QString error;                            // empty on success
    QString extensionNotice;                  // as in LayoutParseResult
};
// Reads a layout file into a new document whose path is the file. screenDpi resolves the
// resolution index 5. The caller replaces its document only on success (and may carry the
// session state over, LayoutDocument::carrySessionStateFrom).
ReadResult readLayoutFile(const QString& path, std::int32_t screenDpi = kDefaultScreenDpi);
// The document of parsed layout bytes, as readLayoutFile makes it: records, extension (own days,
// linked files, time zone, values of a newer program) and the notice of a damaged block. A
// recovery copy is restored through this too, so it comes back as its file would.
ReadResult layoutDocumentOf(LayoutParseResult parsed, const QString& path,
                            std::int32_t screenDpi = kDefaultScreenDpi);
// Saves the document to path; the error text on failure. The caller sets the document path.
std::optional<QString> writeLayoutFile(const LayoutDocument& document, const QString& path);

// True when the name, with surrounding blanks removed, ends in ".CLF" in any case.
bool isLayoutFileName(const QString& name);

} // namespace tobirae
