// Framing of the extension block that may follow the last item record of a layout file:
//   8 bytes  signature 89 'T' 'O' 'B' 'I' 'R' 'A' 'E'
//   U16      block version (kExtensionVersion)
//   U32      payload length
//   U16      CRC-16 (ISO 3309) of the payload
//   payload  a CBOR map (ExtensionCodec)
// The signature's first byte is not text, so neither blanks nor zero padding nor a text that
// another program appended is taken for a block.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tobirae {

inline constexpr int kExtensionVersion = 1;
inline constexpr qsizetype kExtensionHeaderSize = 16;

struct ExtensionBlockScan {
    enum class State {
        Absent,  // the bytes do not start with the signature: plain trailing bytes
        Read,    // payload holds the block's content
        Damaged, // signature found, the rest does not hold together
        Newer,   // written by a program with a newer block version
    };
    State state = State::Absent;
    QByteArray payload;
    qsizetype blockSize = 0; // Read: header plus payload
    int version = 0;         // Read and Newer
};

// Looks for a block at the start of the bytes after the last item record.
ExtensionBlockScan scanExtensionBlock(QByteArrayView bytes);
QByteArray frameExtensionBlock(const QByteArray& payload);

} // namespace tobirae
