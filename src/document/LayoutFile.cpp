#include "document/LayoutFile.h"

#include "document/ExtensionBlock.h"
#include "document/ExtensionCodec.h"
#include "document/LayoutFields.h"
#include "files/RegularFile.h"

#include <QCborStreamReader>
#include <QCborValue>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>

namespace tobirae {

namespace {

class BinaryReader {
public:
    BinaryReader(const std::uint8_t* data, std::size_t size, std::size_t pos)
        : m_data(data), m_size(size), m_pos(pos) {}

    std::size_t position() const { return m_pos; }
    bool truncated() const { return m_truncated; }
    // Set when an STR length runs past the end: the field name and the length found.
    const char* badTextField() const { return m_badTextField; }
    int badTextLength() const { return m_badTextLength; }
    bool failed() const { return m_truncated || m_badTextField; }

    void begin(const char*) {}
    void end() {}

    void field(const char*, float& v) {
        std::uint32_t bits = 0;
        if (readLittle(bits, 4))
            std::memcpy(&v, &bits, 4);
    }
    void field(const char*, std::int32_t& v) {
        std::uint32_t bits = 0;
        if (readLittle(bits, 4))
            v = static_cast<std::int32_t>(bits);
    }
    void field(const char*, std::int16_t& v) {
        std::uint32_t bits = 0;
        if (readLittle(bits, 2))
            v = static_cast<std::int16_t>(static_cast<std::uint16_t>(bits));
    }
    void field(const char*, std::uint8_t& v) {
        std::uint32_t bits = 0;
        if (readLittle(bits, 1))
            v = static_cast<std::uint8_t>(bits);
    }
    void field(const char* name, QByteArray& v) {
        std::uint32_t length = 0;
        if (!readLittle(length, 2))
            return;
        if (length > m_size - m_pos) {
            m_badTextField = name;
            m_badTextLength = static_cast<int>(length);
            return;
        }
        v = QByteArray(reinterpret_cast<const char*>(m_data + m_pos),
                       static_cast<qsizetype>(length));
        m_pos += length;
    }
    template <std::size_t N> void field(const char*, FixedText<N>& v) { readBytes(v.bytes); }
    template <std::size_t N> void field(const char*, std::array<std::uint8_t, N>& v) {
        readBytes(v);
    }
    template <class T, std::size_t N> void field(const char* name, std::array<T, N>& v) {
        for (T& element : v)
            field(name, element);
    }

private:
    bool take(std::size_t n) {
        if (failed())
            return false;
        if (n > m_size - m_pos) {
            m_truncated = true;
            return false;
        }
        return true;
    }
    bool readLittle(std::uint32_t& out, std::size_t n) {
        if (!take(n))
            return false;
        out = 0;
        for (std::size_t i = 0; i < n; ++i)
            out |= std::uint32_t(m_data[m_pos + i]) << (8 * i);
        m_pos += n;
        return true;
    }
    template <std::size_t N> void readBytes(std::array<std::uint8_t, N>& out) {
        if (!take(N))
            return;
        std::memcpy(out.data(), m_data + m_pos, N);
        m_pos += N;
    }

    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos;
    bool m_truncated = false;
    const char* m_badTextField = nullptr;
    int m_badTextLength = 0;
};

class BinaryWriter {
public:
    explicit BinaryWriter(QByteArray& out) : m_out(out) {}

    void begin(const char*) {}
    void end() {}

    void field(const char*, const float& v) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &v, 4);
        writeLittle(bits, 4);
    }
    void field(const char*, const std::int32_t& v) {
        writeLittle(static_cast<std::uint32_t>(v), 4);
    }
    void field(const char*, const std::int16_t& v) {
        writeLittle(static_cast<std::uint16_t>(v), 2);
    }
    void field(const char*, const std::uint8_t& v) { writeLittle(v, 1); }
    void field(const char*, const QByteArray& v) {
        // A text longer than a 16-bit count can say would corrupt the file; it is cut instead.
        const QByteArray text = v.left(0xFFFF);
        writeLittle(static_cast<std::uint32_t>(text.size()), 2);
        m_out.append(text);
    }
    template <std::size_t N> void field(const char*, const FixedText<N>& v) { writeBytes(v.bytes); }
    template <std::size_t N> void field(const char*, const std::array<std::uint8_t, N>& v) {
        writeBytes(v);
    }
    template <class T, std::size_t N> void field(const char* name, const std::array<T, N>& v) {
        for (const T& element : v)
            field(name, element);
    }

private:
    void writeLittle(std::uint32_t value, int n) {
        for (int i = 0; i < n; ++i)
            m_out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
    template <std::size_t N> void writeBytes(const std::array<std::uint8_t, N>& bytes) {
        m_out.append(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(N));
    }

    QByteArray& m_out;
};

bool finite(float v) {
    return std::isfinite(v);
}

QString leftOutMessage(const QString& reason) {
    return QStringLiteral("%1月曜始まりの週、テキストアイテムなど、この版で加わった設定は読み込"
                          "まれていません。")
        .arg(reason);
}

// QCborValue reads an integer beyond 64-bit signed range as another number (−2^64 as 0), so
// such a payload is found on the stream first. Containers are entered without recursion.
bool hasIntegerOutOfRange(const QByteArray& payload) {
    QCborStreamReader reader(payload);
    if (!reader.isContainer())
        return false;
    constexpr quint64 kMax = quint64(std::numeric_limits<qint64>::max());
    reader.enterContainer();
    int depth = 1;
    while (depth > 0 && reader.lastError() == QCborError::NoError) {
        if (!reader.hasNext()) {
            reader.leaveContainer();
            --depth;
        } else if (reader.isContainer()) {
            reader.enterContainer();
            ++depth;
        } else {
            if (reader.isUnsignedInteger() && reader.toUnsignedInteger() > kMax)
                return true;
            // The magnitude of the negative number; 0 stands for 2^64.
            if (reader.isNegativeInteger() && (quint64(reader.toNegativeInteger()) == 0 ||
                                               quint64(reader.toNegativeInteger()) > kMax + 1))
                return true;
            reader.next();
        }
    }
    return false;
}

// Reads the extension block that may follow the records; the fixed part stays as read whatever
// the block holds.
void readExtension(LayoutParseResult& result, LayoutFileContent& content) {
    const ExtensionBlockScan scan = scanExtensionBlock(content.trailing);
    switch (scan.state) {
    case ExtensionBlockScan::State::Absent:
        return;
    case ExtensionBlockScan::State::Newer:
        result.extensionNotice = leftOutMessage(
            QStringLiteral("拡張部分は新しい版 (%1) で書かれています。").arg(scan.version));
        return;
    case ExtensionBlockScan::State::Damaged:
        result.extensionNotice = leftOutMessage(QStringLiteral("拡張部分が壊れています。"));
        return;
    case ExtensionBlockScan::State::Read:
        break;
    }
    QCborParserError parseError;
    const QCborValue value = QCborValue::fromCbor(scan.payload, &parseError);
    QString problem;
    if (parseError.error != QCborError::NoError || !value.isMap())
        problem = QStringLiteral("CBOR として読めません。");
    else if (hasIntegerOutOfRange(scan.payload))
        problem = QStringLiteral("範囲外の整数があります。");
    ExtensionDecoded decoded;
    if (problem.isEmpty()) {
        decoded = decodeExtension(value.toMap(), content.items, ExtensionSource::File);
        problem = decoded.error;
        if (problem.isEmpty() && decoded.items.size() > std::size_t(kMaxItemCount))
            problem = QStringLiteral("アイテムが %1 個を超えます。").arg(kMaxItemCount);
    }
    if (!problem.isEmpty()) {
        result.extensionNotice =
            leftOutMessage(QStringLiteral("拡張部分が壊れています (%1)。").arg(problem));
        return;
    }
    content.items = std::move(decoded.items);
    content.extension = std::move(decoded.document);
    content.trailing = content.trailing.sliced(scan.blockSize);
}

} // namespace

LayoutParseResult parseLayoutBytes(QByteArrayView bytes) {
    LayoutParseResult result;
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const auto size = static_cast<std::size_t>(bytes.size());
    if (size < static_cast<std::size_t>(kPageHeaderSize)) {
        result.error =
            QStringLiteral("ファイルが短すぎます (%1 バイト)。レイアウトファイルのヘッダー"
                           " (%2 バイト) がありません。")
                .arg(size)
                .arg(kPageHeaderSize);
        return result;
    }

    LayoutFileContent content;
    BinaryReader header(data, size, 0);
    detail::visitPageSettings(content.header, header);
    const std::int32_t count = content.header.ItemCount;
    if (count < 0 || count > kMaxItemCount) {
        result.error = QStringLiteral("アイテム数 %1 が正しくありません (0～%2 のはずです)。")
                           .arg(count)
                           .arg(kMaxItemCount);
        return result;
    }
    if (!finite(content.header.PaperWidth) || !finite(content.header.PaperHeight)) {
        result.error = QStringLiteral("用紙の幅または高さが数値ではありません。");
        return result;
    }

    std::size_t pos = header.position();
    content.items.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        BinaryReader reader(data, size, pos);
        LayoutItem item;
        detail::visitLayoutItem(item, reader);
        if (reader.badTextField()) {
            result.error =
                QStringLiteral("アイテム %1 の文字列 %2 の長さ (%3 バイト) がファイルの終わりを"
                               "越えています。")
                    .arg(i + 1)
                    .arg(QLatin1StringView(reader.badTextField()))
                    .arg(reader.badTextLength());
            return result;
        }
        if (reader.truncated()) {
            result.error = QStringLiteral("ファイルが途中で切れています。アイテム %1 / %2 の"
                                          "途中で終わっています。")
                               .arg(i + 1)
                               .arg(count);
            return result;
        }
        if (!finite(item.Top) || !finite(item.Left) || !finite(item.Width) ||
            !finite(item.Height)) {
            result.error =
                QStringLiteral("アイテム %1 の位置または大きさが数値ではありません。").arg(i + 1);
            return result;
        }
        content.items.push_back(std::move(item));
        pos = reader.position();
    }
    content.trailing = QByteArray(bytes.data() + pos, static_cast<qsizetype>(size - pos));
    readExtension(result, content);
    result.content = std::move(content);
    return result;
}

QString layoutTooLargeMessage(qint64 size) {
    return QStringLiteral(
               "ファイルが大きすぎます (%1 バイト、レイアウトファイルは %2 バイトまで)。")
        .arg(size)
        .arg(kMaxLayoutFileSize);
}

QByteArray serializeLayout(const LayoutFileContent& content) {
    QByteArray out;
    out.reserve(kPageHeaderSize + static_cast<qsizetype>(content.items.size()) * kItemRecordSize +
                content.trailing.size());
    const std::vector<const LayoutItem*> records = fixedRecords(content.items);
    PageSettings header = content.header;
    header.ItemCount = static_cast<std::int32_t>(records.size());
    BinaryWriter writer(out);
    detail::visitPageSettings(header, writer);
    for (const LayoutItem* item : records)
        detail::visitLayoutItem(*item, writer);
    if (needsExtension(content.items, content.extension)) {
        const QCborValue map =
            encodeExtension(content.items, content.extension, ExtensionSource::File);
        out.append(frameExtensionBlock(map.toCbor()));
    }
    out.append(content.trailing);
    return out;
}

LayoutParseResult readLayoutFileContent(const QString& path) {
    LayoutParseResult result;
    QFile file;
    switch (openRegularFile(file, path)) {
    case OpenProblem::None:
        break;
    case OpenProblem::Missing:
        result.error = QStringLiteral("ファイルが見つかりません: %1").arg(path);
        return result;
    case OpenProblem::NotRegular:
        result.error =
            QFileInfo(path).isDir()
                ? QStringLiteral("フォルダーはレイアウトファイルではありません: %1").arg(path)
                : QStringLiteral("通常のファイルではないため読み込めません: %1").arg(path);
        return result;
    case OpenProblem::Unreadable:
        result.error = QStringLiteral("ファイルを開けません: %1").arg(path);
        return result;
    }
    if (file.size() > kMaxLayoutFileSize) {
        result.error = layoutTooLargeMessage(file.size());
        return result;
    }
    const QByteArray bytes = file.read(kMaxLayoutFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        result.error = QStringLiteral("ファイルを読み込めません: %1").arg(path);
        return result;
    }
    if (bytes.size() > kMaxLayoutFileSize) {
        result.error = layoutTooLargeMessage(bytes.size());
        return result;
    }
    return parseLayoutBytes(bytes);
}

LayoutFileContent layoutFromDocument(const LayoutDocument& document) {
    LayoutFileContent content;
    PageSettings& h = content.header;
    h.FormatVersion = 1;
    h.PaperSize = document.page.PaperSize;
    h.PaperWidth = document.page.PaperWidth;
    h.PaperHeight = document.page.PaperHeight;
    h.Resolution = document.page.ResolutionIndex;
    h.Portrait = toB16(document.page.Portrait);
    h.Reserved = 0;
    h.PageBackColor = 0x00FFFFFF;
    const std::vector<int> order = document.liveSlotsInDrawingOrder();
    content.items.reserve(order.size());
    for (int slot : order)
        content.items.push_back(document.item(slot));
    content.extension = document.extension;
    // The count is that of the records written, so the file always reads back.
    h.ItemCount = static_cast<std::int32_t>(fixedRecords(content.items).size());
    return content;
}

ReadResult readLayoutFile(const QString& path, std::int32_t screenDpi) {
    return layoutDocumentOf(readLayoutFileContent(path), path, screenDpi);
}

ReadResult layoutDocumentOf(LayoutParseResult parsed, const QString& path, std::int32_t screenDpi) {
    ReadResult result;
    if (!parsed.content) {
        result.error = parsed.error;
        return result;
    }
    result.document =
        LayoutDocument::fromRecords(parsed.content->header, parsed.content->items, screenDpi);
    result.document->extension = parsed.content->extension;
    result.document->extensionNotice = parsed.extensionNotice;
    result.document->setPath(path);
    result.extensionNotice = parsed.extensionNotice;
    return result;
}

std::optional<QString> writeLayoutFile(const LayoutDocument& document, const QString& path) {
    return writeFileAtomically(path, serializeLayout(layoutFromDocument(document)));
}

bool isLayoutFileName(const QString& name) {
    qsizetype end = name.size();
    while (end > 0 && name.at(end - 1) == QLatin1Char(' '))
        --end;
    return QStringView(name).first(end).endsWith(QStringLiteral(".CLF"), Qt::CaseInsensitive);
}

} // namespace tobirae
