// Feeds arbitrary text to the JSON form of layouts. Whatever it accepts must make a file that
// the layout reader accepts and that comes back through JSON unchanged.
#include "document/LayoutFile.h"
#include "document/LayoutJson.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const tobirae::LayoutJsonResult json = tobirae::layoutFromJson(text);
    if (!json.content)
        return 0;
    const QByteArray file = tobirae::serializeLayout(*json.content);
    const tobirae::LayoutParseResult parsed = tobirae::parseLayoutBytes(file);
    if (!parsed.content || tobirae::serializeLayout(*parsed.content) != file)
        std::abort();
    if (tobirae::layoutToJson(*parsed.content) != tobirae::layoutToJson(*json.content))
        std::abort();
    return 0;
}
