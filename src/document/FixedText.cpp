#include "document/FixedText.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace tobirae {

QString decodeCp932(std::span<const std::uint8_t> bytes) {
    QStringDecoder decoder("windows-31j");
    return decoder.decode(QByteArrayView(reinterpret_cast<const char*>(bytes.data()),
                                         static_cast<qsizetype>(bytes.size())));
}

QByteArray encodeCp932(const QString& text) {
    QStringEncoder encoder("windows-31j");
    return encoder.encode(text);
}

QString fixedFieldText(std::span<const std::uint8_t> bytes) {
    auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    while (end != bytes.begin() && *(end - 1) == ' ')
        --end;
    return decodeCp932(bytes.first(static_cast<std::size_t>(end - bytes.begin())));
}

void setFixedFieldText(std::span<std::uint8_t> bytes, const QString& text) {
    QByteArray encoded = encodeCp932(text);
    if (encoded.size() > static_cast<qsizetype>(bytes.size())) {
        // Cut whole characters so a double-byte character is never split at the field's end.
        encoded.clear();
        for (qsizetype i = 0; i < text.size();) {
            const qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
            const QByteArray one = encodeCp932(text.mid(i, len));
            if (encoded.size() + one.size() > static_cast<qsizetype>(bytes.size()))
                break;
            encoded += one;
            i += len;
        }
    }
    std::fill(bytes.begin(), bytes.end(), std::uint8_t{' '});
    std::copy(encoded.begin(), encoded.end(), bytes.begin());
}

} // namespace tobirae
