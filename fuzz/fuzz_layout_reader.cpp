// Feeds arbitrary bytes to the layout file reader. Whatever it accepts must be written back
// byte for byte, directly and through the JSON form, and must build a document.
#include "document/LayoutFile.h"
#include "document/LayoutJson.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const tobirae::LayoutParseResult parsed = tobirae::parseLayoutBytes(bytes);
    if (!parsed.content) {
        if (parsed.error.isEmpty())
            std::abort();
        return 0;
    }
    if (tobirae::serializeLayout(*parsed.content) != bytes)
        std::abort();
    const tobirae::LayoutJsonResult json =
        tobirae::layoutFromJson(tobirae::layoutToJson(*parsed.content));
    if (!json.content || tobirae::serializeLayout(*json.content) != bytes)
        std::abort();
    const auto doc =
        tobirae::LayoutDocument::fromRecords(parsed.content->header, parsed.content->items, 96);
    if (doc->liveSlotsInDrawingOrder().size() > parsed.content->items.size())
        std::abort();
    return 0;
}
