#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tobirae {

// Shift JIS (code page 932) conversions for every text stored in our files.
QString decodeCp932(std::span<const std::uint8_t> bytes);
QByteArray encodeCp932(const QString& text);

// The text of a fixed field: bytes up to the first NUL, trailing blanks and NULs removed.
QString fixedFieldText(std::span<const std::uint8_t> bytes);
// Encodes, cuts at a character boundary to fit, pads with blanks.
void setFixedFieldText(std::span<std::uint8_t> bytes, const QString& text);

// A fixed-length text field of N bytes as stored in layout files. The bytes are the value:
// a field that was never assigned (all zero) or that carries bytes after its text survives a
// read and a write unchanged until the program assigns a new text.
template <std::size_t N> struct FixedText {
    std::array<std::uint8_t, N> bytes{};

    QString text() const { return fixedFieldText(bytes); }
    void setText(const QString& value) { setFixedFieldText(bytes, value); }
    bool operator==(const FixedText&) const = default;
};

} // namespace tobirae
