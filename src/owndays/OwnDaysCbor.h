// The layout's own days as a CBOR map, the form the layout's extension block (and its JSON
// form) keeps them in:
//   {"Days": [{"Date": "2027-08-13..2027-08-16", "Name": "夏季休業", "Kind": "休日"}, …],
//    "Files": ["company.ics", …], "TimeZone": "Asia/Tokyo"}
// Dates, kinds and names are the texts of a days file, so a layout reads like one.
#pragma once

#include "owndays/OwnDaysSettings.h"

#include <QCborMap>
#include <optional>

namespace tobirae {

// Keys that no member knows are kept from a file and written back in place; the JSON form
// refuses them by name and carries them under "Extension" (asJson).
QCborMap ownDaysToCbor(const OwnDaysSettings& settings, bool asJson = false);
// nullopt with `error` naming the entry below `path` ("OwnDays.Days[2].Date: …").
std::optional<OwnDaysSettings> ownDaysFromCbor(const QCborMap& map, const QString& path,
                                               QString& error, bool asJson = false);

} // namespace tobirae
