// Crop marks print in every ink (registration colour). Qt's PDF writer knows only RGB, so the
// marks are drawn in a stand-in RGB colour, which is turned into 100 % CMYK in the file's page
// contents before Ghostscript converts the rest.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <optional>

namespace tobirae {

// The RGB colour the marks are drawn in when they are to become registration colour.
QColor registrationStandIn();

// The file with every stroke and fill in the stand-in colour set to C = M = Y = K = 100 %.
std::optional<QString> standInToRegistration(const QByteArray& pdf, QByteArray* out);

} // namespace tobirae
