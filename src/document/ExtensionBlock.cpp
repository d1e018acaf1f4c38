#include "document/ExtensionBlock.h"

namespace tobirae {

namespace {

constexpr char kSignature[8] = {'\x89', 'T', 'O', 'B', 'I', 'R', 'A', 'E'};

quint32 little(QByteArrayView bytes, qsizetype at, int n) {
    quint32 value = 0;
    for (int i = 0; i < n; ++i)
        value |= quint32(static_cast<quint8>(bytes[at + i])) << (8 * i);
    return value;
}

void appendLittle(QByteArray& out, quint32 value, int n) {
    for (int i = 0; i < n; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

quint16 checksum(QByteArrayView payload) {
    return qChecksum(payload, Qt::ChecksumIso3309);
}

} // namespace

ExtensionBlockScan scanExtensionBlock(QByteArrayView bytes) {
    ExtensionBlockScan scan;
    const QByteArrayView signature(kSignature, sizeof kSignature);
    if (!bytes.startsWith(signature))
        return scan;
    scan.state = ExtensionBlockScan::State::Damaged;
    if (bytes.size() < kExtensionHeaderSize)
        return scan;
    scan.version = static_cast<int>(little(bytes, 8, 2));
    // A newer program may frame its blocks differently after the version.
    if (scan.version > kExtensionVersion) {
        scan.state = ExtensionBlockScan::State::Newer;
        return scan;
    }
    const quint32 length = little(bytes, 10, 4);
    if (length > quint64(bytes.size() - kExtensionHeaderSize))
        return scan;
    const QByteArrayView payload = bytes.sliced(kExtensionHeaderSize, length);
    if (checksum(payload) != little(bytes, 14, 2))
        return scan;
    if (scan.version < 1)
        return scan;
    scan.state = ExtensionBlockScan::State::Read;
    scan.payload = payload.toByteArray();
    scan.blockSize = kExtensionHeaderSize + static_cast<qsizetype>(length);
    return scan;
}

QByteArray frameExtensionBlock(const QByteArray& payload) {
    QByteArray out(kSignature, sizeof kSignature);
    appendLittle(out, kExtensionVersion, 2);
    appendLittle(out, static_cast<quint32>(payload.size()), 4);
    appendLittle(out, checksum(payload), 2);
    return out + payload;
}

} // namespace tobirae
