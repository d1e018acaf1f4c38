#include "document/LayoutJson.h"

#include "document/ExtensionCodec.h"
#include "document/LayoutFields.h"

#include <QCborArray>
#include <QCborValue>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QSet>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace tobirae {

namespace {

const QString kHexKey = QStringLiteral("Hex");
// Keys of the extension that stand at the top of the JSON form.
const QStringList kExtensionTopKeys{QStringLiteral("TextItems"), QStringLiteral("OwnDays"),
                                    QString::fromLatin1(kOtherValuesKey)};
// Keys of the extension that stand in an item of "Items".
const QStringList kExtensionItemKeys{
    QStringLiteral("WeekStart"),         QStringLiteral("HideOwnNames"),
    QStringLiteral("WeekNumbers"),       QStringLiteral("SelectedDays"),
    QStringLiteral("MoonAge"),           QStringLiteral("MoonPhase"),
    QString::fromLatin1(kOtherValuesKey)};

bool isHex(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
               (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
               (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
    });
}

bool allZero(std::span<const std::uint8_t> bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

// True when the text survives code page 932 both ways, i.e. it is what the bytes will hold.
bool representableInCp932(const QString& text, QByteArray* encoded) {
    QByteArray bytes = encodeCp932(text);
    const QByteArray& b = bytes;
    if (decodeCp932({reinterpret_cast<const std::uint8_t*>(b.constData()),
                     static_cast<std::size_t>(b.size())}) != text)
        return false;
    if (encoded)
        *encoded = std::move(bytes);
    return true;
}

QString decodeBytes(const QByteArray& bytes) {
    return decodeCp932({reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                        static_cast<std::size_t>(bytes.size())});
}

// ---------------------------------------------------------------------------------------------
// Writing: a small emitter keeps the record order of the fields and puts number arrays on one
// line, which QJsonDocument would not.

class JsonText {
public:
    QByteArray out;

    void key(const char* name) { key(QString::fromLatin1(name)); }
    void key(const QString& name) {
        out += m_first.back() ? "\n" : ",\n";
        m_first.back() = false;
        indent();
        out += quoted(name);
        out += ": ";
    }
    void arrayElement() {
        out += m_first.back() ? "\n" : ",\n";
        m_first.back() = false;
        indent();
    }
    void open(char bracket) {
        out += bracket;
        m_first.push_back(true);
    }
    void close(char bracket) {
        const bool empty = m_first.back();
        m_first.pop_back();
        if (!empty) {
            out += '\n';
            indent();
        }
        out += bracket;
    }
    static QByteArray quoted(const QString& text) {
        QByteArray result = "\"";
        for (const char c : text.toUtf8()) {
            const auto u = static_cast<unsigned char>(c);
            if (c == '"' || c == '\\') {
                result += '\\';
                result += c;
            } else if (u < 0x20) {
                static const char* hex = "0123456789abcdef";
                result += "\\u00";
                result += hex[u >> 4];
                result += hex[u & 15];
            } else {
                result += c;
            }
        }
        return result + "\"";
    }
    static QByteArray hexObject(const char* data, qsizetype size) {
        return "{\"Hex\": \"" + QByteArray(data, size).toHex() + "\"}";
    }

private:
    void indent() { out += QByteArray(2 * static_cast<qsizetype>(m_first.size()), ' '); }
    std::vector<bool> m_first;
};

// A float as the shortest decimal that reads back to the same float through a double (how JSON
// readers take numbers), else the exact double. Values JSON cannot carry (negative zero,
// infinities, NaN) become their stored bytes.
QByteArray floatText(float v) {
    if (!std::isfinite(v) || (v == 0.0f && std::signbit(v))) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &v, 4);
        const char le[4] = {char(bits & 0xFF), char((bits >> 8) & 0xFF), char((bits >> 16) & 0xFF),
                            char(bits >> 24)};
        return JsonText::hexObject(le, 4);
    }
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    std::string s(buf, res.ptr);
    if (static_cast<float>(std::strtod(s.c_str(), nullptr)) != v) {
        res = std::to_chars(buf, buf + sizeof buf, static_cast<double>(v));
        s.assign(buf, res.ptr);
    }
    return QByteArray::fromStdString(s);
}

// Extension values as JSON, in the order of their map.
void emitValue(JsonText& text, const QCborValue& value) {
    if (value.isMap()) {
        text.open('{');
        const QCborMap map = value.toMap();
        for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
            text.key(it.key().toString());
            emitValue(text, it.value());
        }
        text.close('}');
    } else if (value.isArray()) {
        text.open('[');
        for (const QCborValue& element : value.toArray()) {
            text.arrayElement();
            emitValue(text, element);
        }
        text.close(']');
    } else if (value.isString()) {
        text.out += JsonText::quoted(value.toString());
    } else if (value.isInteger()) {
        text.out += QByteArray::number(value.toInteger());
    } else if (value.isDouble()) {
        const double d = value.toDouble();
        if (static_cast<double>(static_cast<float>(d)) == d) {
            text.out += floatText(static_cast<float>(d));
        } else {
            char buf[64];
            const auto res = std::to_chars(buf, buf + sizeof buf, d);
            text.out += QByteArray(buf, res.ptr - buf);
        }
    } else if (value.isBool()) {
        text.out += value.toBool() ? "true" : "false";
    } else {
        text.out += "null";
    }
}

class JsonWriter {
public:
    explicit JsonWriter(JsonText& text) : m_text(text) {}

    void begin(const char* name) {
        m_text.key(name);
        m_text.open('{');
    }
    void end() { m_text.close('}'); }

    void field(const char* name, const float& v) { put(name, floatText(v)); }
    void field(const char* name, const std::int32_t& v) { put(name, QByteArray::number(v)); }
    void field(const char* name, const std::int16_t& v) { put(name, QByteArray::number(v)); }
    void field(const char* name, const std::uint8_t& v) { put(name, QByteArray::number(v)); }
    void field(const char* name, const QByteArray& v) {
        const QString text = decodeBytes(v);
        QByteArray again;
        if (representableInCp932(text, &again) && again == v)
            put(name, JsonText::quoted(text));
        else
            put(name, JsonText::hexObject(v.constData(), v.size()));
    }
    template <std::size_t N> void field(const char* name, const FixedText<N>& v) {
        if (allZero(v.bytes)) {
            put(name, "null");
            return;
        }
        FixedText<N> again;
        const QString text = v.text();
        again.setText(text);
        if (again == v)
            put(name, JsonText::quoted(text));
        else
            put(name, JsonText::hexObject(reinterpret_cast<const char*>(v.bytes.data()), N));
    }
    template <std::size_t N> void field(const char* name, const std::array<std::uint8_t, N>& v) {
        put(name, '"' + QByteArray(reinterpret_cast<const char*>(v.data()), N).toHex() + '"');
    }
    template <class T, std::size_t N> void field(const char* name, const std::array<T, N>& v) {
        QByteArray list = "[";
        for (std::size_t i = 0; i < N; ++i) {
            if (i)
                list += ", ";
            list += QByteArray::number(v[i]);
        }
        put(name, list + "]");
    }

private:
    void put(const char* name, const QByteArray& value) {
        m_text.key(name);
        m_text.out += value;
    }
    JsonText& m_text;
};

// ---------------------------------------------------------------------------------------------
// Reading: every key must be present and known; the first problem is reported with its path.

class JsonReader {
public:
    JsonReader(const QJsonObject& root, const QString& path) {
        m_stack.push_back({root, path, {}});
    }

    const QString& error() const { return m_error; }
    bool ok() const { return m_error.isEmpty(); }

    void begin(const char* name) {
        const auto value = take(name);
        Frame frame{{}, pathOf(name), {}};
        if (value && !value->isObject())
            fail(name, QStringLiteral("オブジェクトが必要です。"));
        else if (value)
            frame.object = value->toObject();
        m_stack.push_back(std::move(frame));
    }
    void end() {
        finishFrame();
        m_stack.pop_back();
    }
    // Reports keys of the outermost object that no field asked for.
    void finish() { finishFrame(); }
    // Lets a key that no record field has pass the check of finish().
    void allow(const QString& key) { m_stack.back().used.insert(key); }

    void field(const char* name, float& v) {
        const auto value = take(name);
        if (!value)
            return;
        if (value->isObject()) {
            std::array<std::uint8_t, 4> bytes{};
            if (hexObject(name, *value, bytes)) {
                const std::uint32_t bits = std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
                                           std::uint32_t(bytes[2]) << 16 |
                                           std::uint32_t(bytes[3]) << 24;
                std::memcpy(&v, &bits, 4);
            }
            return;
        }
        const double d = value->toDouble();
        if (!value->isDouble() || !std::isfinite(d) ||
            std::fabs(d) > double(std::numeric_limits<float>::max())) {
            fail(name, QStringLiteral("数値が必要です。"));
            return;
        }
        v = static_cast<float>(d);
    }
    void field(const char* name, std::int32_t& v) { integer(name, v); }
    void field(const char* name, std::int16_t& v) { integer(name, v); }
    void field(const char* name, std::uint8_t& v) { integer(name, v); }
    void field(const char* name, QByteArray& v) {
        const auto value = take(name);
        if (!value)
            return;
        QByteArray bytes;
        if (value->isString()) {
            if (!representableInCp932(value->toString(), &bytes)) {
                fail(name, QStringLiteral("Shift JIS (CP932) で表せない文字があります。"));
                return;
            }
        } else if (!hexObjectBytes(name, *value, bytes)) {
            return;
        }
        if (bytes.size() > 0xFFFF) {
            fail(name, QStringLiteral("65535 バイトより長い文字列は保存できません。"));
            return;
        }
        v = bytes;
    }
    template <std::size_t N> void field(const char* name, FixedText<N>& v) {
        const auto value = take(name);
        if (!value)
            return;
        if (value->isNull()) {
            v.bytes.fill(0);
        } else if (value->isString()) {
            QByteArray encoded;
            if (!representableInCp932(value->toString(), &encoded)) {
                fail(name, QStringLiteral("Shift JIS (CP932) で表せない文字があります。"));
                return;
            }
            if (encoded.size() > static_cast<qsizetype>(N)) {
                fail(name, QStringLiteral("%1 バイトを超えています (%2 バイト)。")
                               .arg(N)
                               .arg(encoded.size()));
                return;
            }
            v.setText(value->toString());
        } else {
            hexObject(name, *value, v.bytes);
        }
    }
    template <std::size_t N> void field(const char* name, std::array<std::uint8_t, N>& v) {
        const auto value = take(name);
        if (!value)
            return;
        if (!value->isString()) {
            fail(name, QStringLiteral("16進数の文字列が必要です。"));
            return;
        }
        hexInto(name, value->toString(), v);
    }
    template <class T, std::size_t N> void field(const char* name, std::array<T, N>& v) {
        const auto value = take(name);
        if (!value)
            return;
        const QJsonArray array = value->toArray();
        if (!value->isArray() || array.size() != static_cast<qsizetype>(N)) {
            fail(name, QStringLiteral("%1 個の整数の配列が必要です。").arg(N));
            return;
        }
        for (std::size_t i = 0; i < N && ok(); ++i) {
            const QString elementName =
                QStringLiteral("%1[%2]").arg(QLatin1StringView(name)).arg(i);
            integerValue(elementName, array.at(static_cast<qsizetype>(i)), v[i]);
        }
    }

private:
    struct Frame {
        QJsonObject object;
        QString path;
        QSet<QString> used;
    };

    QString pathOf(const QString& name) const {
        const QString& base = m_stack.back().path;
        return base.isEmpty() ? name : base + QLatin1Char('.') + name;
    }
    void fail(const QString& name, const QString& message) {
        if (ok())
            m_error = pathOf(name) + QStringLiteral(": ") + message;
    }
    void fail(const char* name, const QString& message) {
        fail(QString::fromLatin1(name), message);
    }

    std::optional<QJsonValue> take(const char* name) {
        if (!ok())
            return std::nullopt;
        Frame& frame = m_stack.back();
        const QString key = QString::fromLatin1(name);
        frame.used.insert(key);
        const auto it = frame.object.constFind(key);
        if (it == frame.object.constEnd()) {
            fail(key, QStringLiteral("がありません。"));
            return std::nullopt;
        }
        return it.value();
    }

    void finishFrame() {
        if (!ok())
            return;
        const Frame& frame = m_stack.back();
        for (auto it = frame.object.constBegin(); it != frame.object.constEnd(); ++it)
            if (!frame.used.contains(it.key())) {
                fail(it.key(), QStringLiteral("不明なキーです。"));
                return;
            }
    }

    template <class T> void integer(const char* name, T& v) {
        if (const auto value = take(name))
            integerValue(QString::fromLatin1(name), *value, v);
    }
    template <class T> void integerValue(const QString& name, const QJsonValue& value, T& v) {
        const double d = value.toDouble();
        constexpr double lo = double(std::numeric_limits<T>::min());
        constexpr double hi = double(std::numeric_limits<T>::max());
        if (!value.isDouble() || std::trunc(d) != d || d < lo || d > hi) {
            fail(name, QStringLiteral("%1～%2 の整数が必要です。")
                           .arg(static_cast<qint64>(lo))
                           .arg(static_cast<qint64>(hi)));
            return;
        }
        v = static_cast<T>(d);
    }

    bool hexObjectBytes(const char* name, const QJsonValue& value, QByteArray& out) {
        const QJsonObject object = value.toObject();
        if (!value.isObject() || object.size() != 1 || !object.value(kHexKey).isString()) {
            fail(name, QStringLiteral("文字列または {\"Hex\": \"…\"} が必要です。"));
            return false;
        }
        const QString hex = object.value(kHexKey).toString();
        if (hex.size() % 2 != 0 || !isHex(hex)) {
            fail(name, QStringLiteral("Hex の値が16進数の列ではありません。"));
            return false;
        }
        out = QByteArray::fromHex(hex.toLatin1());
        return true;
    }
    template <std::size_t N>
    bool hexObject(const char* name, const QJsonValue& value, std::array<std::uint8_t, N>& out) {
        QByteArray bytes;
        if (!hexObjectBytes(name, value, bytes))
            return false;
        if (bytes.size() != static_cast<qsizetype>(N)) {
            fail(name, QStringLiteral("Hex は %1 バイトでなければなりません (%2 バイト)。")
                           .arg(N)
                           .arg(bytes.size()));
            return false;
        }
        std::memcpy(out.data(), bytes.constData(), N);
        return true;
    }
    template <std::size_t N>
    void hexInto(const char* name, const QString& hex, std::array<std::uint8_t, N>& out) {
        if (hex.size() != static_cast<qsizetype>(2 * N) || !isHex(hex)) {
            fail(name,
                 QStringLiteral("%1 バイト分 (%2 文字) の16進数が必要です。").arg(N).arg(2 * N));
            return;
        }
        const QByteArray bytes = QByteArray::fromHex(hex.toLatin1());
        std::memcpy(out.data(), bytes.constData(), N);
    }
    std::vector<Frame> m_stack;
    QString m_error;
};

} // namespace

QByteArray layoutToJson(const LayoutFileContent& content) {
    JsonText text;
    text.open('{');
    {
        JsonWriter writer(text);
        writer.begin("PageSettings");
        detail::visitPageSettings(content.header, writer);
        writer.end();
    }
    const QCborMap extension =
        encodeExtension(content.items, content.extension, ExtensionSource::Json);
    // Extension values of a record stand in its object, after the record's fields.
    std::vector<QCborMap> recordValues(content.items.size());
    for (const QCborValue& entry : extension.value(QStringLiteral("Items")).toArray()) {
        QCborMap values = entry.toMap();
        const auto index =
            static_cast<std::size_t>(values.take(QStringLiteral("Record")).toInteger());
        recordValues.at(index) = values;
    }
    text.key("Items");
    text.open('[');
    const std::vector<const LayoutItem*> records = fixedRecords(content.items);
    for (std::size_t i = 0; i < records.size(); ++i) {
        text.arrayElement();
        text.open('{');
        JsonWriter writer(text);
        detail::visitLayoutItem(*records[i], writer);
        for (auto it = recordValues[i].constBegin(); it != recordValues[i].constEnd(); ++it) {
            text.key(it.key().toString());
            emitValue(text, it.value());
        }
        text.close('}');
    }
    text.close(']');
    for (const QString& key : kExtensionTopKeys) {
        if (extension.contains(key)) {
            text.key(key);
            emitValue(text, extension.value(key));
        }
    }
    if (!content.trailing.isEmpty()) {
        text.key("TrailingBytes");
        text.out += '"' + content.trailing.toHex() + '"';
    }
    text.close('}');
    return text.out + '\n';
}

LayoutJsonResult layoutFromJson(QByteArrayView json) {
    LayoutJsonResult result;
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json.toByteArray(), &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        result.error = QStringLiteral("JSON として読めません (位置 %1): %2")
                           .arg(parseError.offset)
                           .arg(parseError.errorString());
        return result;
    }
    if (!doc.isObject()) {
        result.error = QStringLiteral("JSON の最上位はオブジェクトでなければなりません。");
        return result;
    }
    const QJsonObject root = doc.object();
    for (auto it = root.constBegin(); it != root.constEnd(); ++it) {
        if (it.key() != QLatin1String("PageSettings") && it.key() != QLatin1String("Items") &&
            it.key() != QLatin1String("TrailingBytes") && !kExtensionTopKeys.contains(it.key())) {
            result.error = it.key() + QStringLiteral(": 不明なキーです。");
            return result;
        }
    }

    LayoutFileContent content;
    {
        JsonReader reader(root, QString());
        reader.begin("PageSettings");
        detail::visitPageSettings(content.header, reader);
        reader.end();
        if (!reader.ok()) {
            result.error = reader.error();
            return result;
        }
    }
    if (!std::isfinite(content.header.PaperWidth)) {
        result.error = QStringLiteral("PageSettings.PaperWidth: 用紙の幅が数値ではありません。");
        return result;
    }
    if (!std::isfinite(content.header.PaperHeight)) {
        result.error = QStringLiteral("PageSettings.PaperHeight: 用紙の高さが数値ではありません。");
        return result;
    }

    const QJsonValue itemsValue = root.value(QStringLiteral("Items"));
    if (!itemsValue.isArray()) {
        result.error = QStringLiteral("Items: 配列が必要です。");
        return result;
    }
    const QJsonArray items = itemsValue.toArray();
    if (items.size() > kMaxItemCount) {
        result.error = QStringLiteral("Items: アイテムは %1 個までです (%2 個)。")
                           .arg(kMaxItemCount)
                           .arg(items.size());
        return result;
    }
    if (content.header.ItemCount != items.size()) {
        result.error = QStringLiteral("PageSettings.ItemCount: Items の数 (%1) と一致しません。")
                           .arg(items.size());
        return result;
    }
    QCborArray recordValues; // one entry per record, so that messages name the record
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QString path = QStringLiteral("Items[%1]").arg(i);
        if (!items.at(i).isObject()) {
            result.error = path + QStringLiteral(": オブジェクトが必要です。");
            return result;
        }
        const QJsonObject object = items.at(i).toObject();
        LayoutItem item;
        JsonReader reader(object, path);
        detail::visitLayoutItem(item, reader);
        QCborMap values;
        values.insert(QStringLiteral("Record"), i);
        for (const QString& key : kExtensionItemKeys) {
            reader.allow(key);
            if (object.contains(key))
                values.insert(key, QCborValue::fromJsonValue(object.value(key)));
        }
        recordValues.append(values);
        reader.finish();
        if (!reader.ok()) {
            result.error = reader.error();
            return result;
        }
        if (!std::isfinite(item.Top) || !std::isfinite(item.Left) || !std::isfinite(item.Width) ||
            !std::isfinite(item.Height)) {
            result.error = path + QStringLiteral(": 位置または大きさが数値ではありません。");
            return result;
        }
        content.items.push_back(std::move(item));
    }

    const QJsonValue trailing = root.value(QStringLiteral("TrailingBytes"));
    if (!trailing.isUndefined()) {
        const QString hex = trailing.toString();
        const bool valid = trailing.isString() && hex.size() % 2 == 0 && isHex(hex);
        if (!valid) {
            result.error = QStringLiteral("TrailingBytes: 16進数の文字列が必要です。");
            return result;
        }
        content.trailing = QByteArray::fromHex(hex.toLatin1());
    }

    QCborMap extension;
    extension.insert(QStringLiteral("Items"), recordValues);
    for (const QString& key : kExtensionTopKeys)
        if (root.contains(key))
            extension.insert(key, QCborValue::fromJsonValue(root.value(key)));
    ExtensionDecoded decoded =
        decodeExtension(extension, std::move(content.items), ExtensionSource::Json);
    if (!decoded.error.isEmpty()) {
        result.error = decoded.error;
        return result;
    }
    if (decoded.items.size() > std::size_t(kMaxItemCount)) {
        result.error =
            QStringLiteral("TextItems: アイテムは合わせて %1 個までです。").arg(kMaxItemCount);
        return result;
    }
    content.items = std::move(decoded.items);
    content.extension = std::move(decoded.document);
    result.content = std::move(content);
    return result;
}

} // namespace tobirae
