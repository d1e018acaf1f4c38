#include "app/SettingsFile.h"

#include "document/AtomicFile.h"
#include "document/FixedText.h"
#include "owndays/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <charconv>
#include <limits>

namespace tobirae {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr QChar kEndOfFile(26);

QString trimBlanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.sliced(begin, end - begin).toString();
}

// Upper case character by character, so positions in the result are positions in the input.
QString upperKeepingPositions(QStringView text) {
    QString result = text.toString();
    for (QChar& c : result)
        c = c.toUpper();
    return result;
}

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

QString decode(const QByteArray& bytes) {
    return decodeCp932({reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                        static_cast<std::size_t>(bytes.size())});
}

} // namespace

std::optional<std::int32_t> parseSettingsNumber(QStringView value) {
    if (value.size() > 2 && value.first(2).compare(QLatin1String("&H"), Qt::CaseInsensitive) == 0) {
        const QStringView digits = value.sliced(2);
        if (digits.size() > 8)
            return std::nullopt;
        bool ok = false;
        const std::uint32_t bits = digits.toUInt(&ok, 16);
        // toUInt accepts a sign and blanks; a hexadecimal value here is digits only.
        const bool onlyHex = std::all_of(digits.begin(), digits.end(), [](QChar c) {
            return isAsciiDigit(c) ||
                   (c.toUpper() >= QLatin1Char('A') && c.toUpper() <= QLatin1Char('F'));
        });
        if (!ok || !onlyHex)
            return std::nullopt;
        return static_cast<std::int32_t>(bits);
    }
    qsizetype i = 0;
    if (i < value.size() && (value.at(i) == QLatin1Char('+') || value.at(i) == QLatin1Char('-')))
        ++i;
    if (i == value.size() || !std::all_of(value.begin() + i, value.end(), isAsciiDigit))
        return std::nullopt;
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok, 10);
    if (!ok || number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(number);
}

std::optional<double> parseSettingsDecimal(QStringView value) {
    qsizetype i = 0;
    if (i < value.size() && (value.at(i) == QLatin1Char('+') || value.at(i) == QLatin1Char('-')))
        ++i;
    int digits = 0;
    int points = 0;
    for (qsizetype j = i; j < value.size(); ++j) {
        if (isAsciiDigit(value.at(j)))
            ++digits;
        else if (value.at(j) == QLatin1Char('.'))
            ++points;
        else
            return std::nullopt;
    }
    if (digits == 0 || points > 1)
        return std::nullopt;
    const std::string text = value.toString().toStdString();
    double number = 0;
    const char* first = text.data();
    if (*first == '+')
        ++first;
    const auto res = std::from_chars(first, text.data() + text.size(), number);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size())
        return std::nullopt;
    return number;
}

std::optional<bool> parseSettingsFlag(QStringView value) {
    if (const auto number = parseSettingsNumber(value))
        return *number != 0;
    if (const auto number = parseSettingsDecimal(value))
        return *number != 0;
    if (value.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0)
        return true;
    if (value.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

SettingsText SettingsText::fromFileBytes(const QByteArray& bytes) {
    QString text;
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        const QString trimmed = trimBlanks(decode(line));
        if (!trimmed.isEmpty())
            text += trimmed + kCrLf;
    }
    return fromText(text);
}

SettingsText SettingsText::fromFile(const QString& path) {
    QFile file;
    if (openRegularFile(file, path) != OpenProblem::None)
        return {};
    // A settings file is a few hundred bytes; a huge one is not ours and is not read whole.
    return fromFileBytes(file.read(kMaxSettingsFileBytes));
}

SettingsText SettingsText::fromText(const QString& text) {
    SettingsText result;
    result.m_text = text;
    result.m_upper = kCrLf + upperKeepingPositions(text);
    return result;
}

std::optional<QString> SettingsText::value(QStringView section, QStringView key) const {
    const QString& t = m_upper;
    const QString sectionLine =
        kCrLf + QLatin1Char('[') + upperKeepingPositions(section) + QLatin1Char(']');
    const qsizetype sectionAt = t.indexOf(sectionLine);
    if (sectionAt < 0)
        return std::nullopt;
    const qsizetype sectionBody = sectionAt + sectionLine.size();
    qsizetype sectionEnd = t.indexOf(kCrLf + QLatin1Char('['), sectionBody);
    if (sectionEnd < 0)
        sectionEnd = t.size();

    const QString keyStart = kCrLf + upperKeepingPositions(key);
    for (qsizetype from = sectionBody;;) {
        const qsizetype at = t.indexOf(keyStart, from);
        if (at < 0 || at >= sectionEnd)
            return std::nullopt;
        from = at + 1;
        const qsizetype after = at + keyStart.size();
        // A longer key with the same beginning ("DPIX" for "DPI") is a different key.
        if (after < t.size() && t.at(after) != QLatin1Char(' ') && t.at(after) != QLatin1Char('='))
            continue;
        const qsizetype lineEnd = t.indexOf(kCrLf, after);
        const qsizetype equals = t.indexOf(QLatin1Char('='), after);
        // The "=" has to be on the key's own line; a bare key line does not borrow the value of
        // a later line.
        if (equals < 0 || (lineEnd >= 0 && lineEnd < equals))
            continue;
        qsizetype stop = t.indexOf(kCrLf, equals + 1);
        if (stop < 0)
            stop = t.indexOf(kEndOfFile, equals + 1);
        if (stop < 0)
            stop = t.size();
        // T starts with an extra CR LF, so the text's positions are two less.
        return trimBlanks(QStringView(m_text).sliced(equals + 1 - 2, stop - equals - 1));
    }
}

std::int32_t SettingsText::readNumber(QStringView section, QStringView key,
                                      std::int32_t fallback) const {
    const auto text = value(section, key);
    if (!text)
        return fallback;
    return parseSettingsNumber(*text).value_or(fallback);
}

float SettingsText::readDecimal(QStringView section, QStringView key, float fallback) const {
    const auto text = value(section, key);
    if (!text)
        return fallback;
    const auto number = parseSettingsDecimal(*text);
    if (!number || std::abs(*number) > double(std::numeric_limits<float>::max()))
        return fallback;
    return static_cast<float>(*number);
}

bool SettingsText::readFlag(QStringView section, QStringView key, bool fallback) const {
    const auto text = value(section, key);
    if (!text)
        return fallback;
    return parseSettingsFlag(*text).value_or(fallback);
}

QString SettingsText::readText(QStringView section, QStringView key,
                               const QString& fallback) const {
    const auto text = value(section, key);
    if (!text || (text->isEmpty() && !fallback.isEmpty()))
        return fallback;
    return *text;
}

QString settingsNumberText(std::int32_t value) {
    return QString::number(value);
}

QString settingsDecimalText(float value) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    return QString::fromLatin1(buf, res.ptr - buf);
}

QString settingsFlagText(bool value) {
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

// ---------------------------------------------------------------------------------------------

SettingsFileEditor::SettingsFileEditor(const QByteArray& fileBytes) {
    if (fileBytes.isEmpty())
        return;
    for (const QByteArray& line : fileBytes.split('\n'))
        m_lines.push_back(line);
    // split() leaves an empty piece after a final line end.
    m_endsWithNewline = fileBytes.endsWith('\n');
    if (m_endsWithNewline)
        m_lines.pop_back();
    if (!m_lines.empty() && !m_lines.front().endsWith('\r') && fileBytes.contains('\n'))
        m_newline = "\n";
}

std::optional<SettingsFileEditor> SettingsFileEditor::fromFile(const QString& path,
                                                               QString* error) {
    QFile file;
    const OpenProblem problem = openRegularFile(file, path);
    if (problem == OpenProblem::Missing)
        return SettingsFileEditor();
    // Rewriting a file that was not read whole would lose what was not read.
    if (problem == OpenProblem::None) {
        QByteArray bytes = file.read(kMaxSettingsFileBytes + 1);
        if (bytes.size() <= kMaxSettingsFileBytes && file.error() == QFileDevice::NoError)
            return SettingsFileEditor(bytes);
        if (error)
            *error = QStringLiteral("設定ファイル %1 は %2 バイトを超えているため書き換えません。")
                         .arg(path)
                         .arg(kMaxSettingsFileBytes);
        return std::nullopt;
    }
    if (error)
        *error = QStringLiteral("設定ファイル %1 を読めないため書き換えません。").arg(path);
    return std::nullopt;
}

void SettingsFileEditor::setValue(const QString& section, const QString& key,
                                  const QString& value) {
    // A line break inside a value would smuggle in another line.
    QString clean = value;
    clean.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QByteArray newline = m_newline;
    const QByteArray lineEnd = newline == "\r\n" ? QByteArray("\r") : QByteArray();
    const QByteArray keyLine = encodeCp932(key + QLatin1Char('=') + clean) + lineEnd;

    const QString wantedSection = upperKeepingPositions(section);
    const QString wantedKey = upperKeepingPositions(key);
    auto lineText = [this](std::size_t i) {
        QByteArray raw = m_lines[i];
        if (raw.endsWith('\r'))
            raw.chop(1);
        return trimBlanks(decode(raw));
    };
    auto isSectionLine = [](const QString& text) { return text.startsWith(QLatin1Char('[')); };

    std::size_t i = 0;
    for (; i < m_lines.size(); ++i) {
        const QString text = lineText(i);
        if (!isSectionLine(text))
            continue;
        const qsizetype close = text.indexOf(QLatin1Char(']'));
        if (close > 0 &&
            upperKeepingPositions(QStringView(text).sliced(1, close - 1)) == wantedSection)
            break;
    }
    if (i == m_lines.size()) {
        if (!m_lines.empty() && !m_endsWithNewline && !m_lines.back().endsWith('\r')) {
            // The last line had no line end; the new lines start after one.
            m_lines.back() += lineEnd;
        }
        m_lines.push_back(encodeCp932(QLatin1Char('[') + section + QLatin1Char(']')) + lineEnd);
        m_lines.push_back(keyLine);
        m_endsWithNewline = true;
        return;
    }

    std::size_t lastContent = i;
    for (std::size_t j = i + 1; j < m_lines.size(); ++j) {
        const QString text = lineText(j);
        if (isSectionLine(text))
            break;
        if (text.isEmpty())
            continue;
        lastContent = j;
        const qsizetype equals = text.indexOf(QLatin1Char('='));
        if (equals >= 0 &&
            upperKeepingPositions(trimBlanks(QStringView(text).first(equals))) == wantedKey) {
            m_lines[j] = keyLine;
            return;
        }
    }
    if (lastContent + 1 == m_lines.size() && !m_endsWithNewline) {
        if (!m_lines.back().endsWith('\r'))
            m_lines.back() += lineEnd;
        m_endsWithNewline = true;
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(lastContent) + 1, keyLine);
}

QByteArray SettingsFileEditor::bytes() const {
    QByteArray out;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        out += m_lines[i];
        if (i + 1 < m_lines.size() || m_endsWithNewline)
            out += '\n';
    }
    return out;
}

std::optional<QString> SettingsFileEditor::save(const QString& path) const {
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return QStringLiteral("フォルダーを作成できません: %1").arg(folder);
    return writeFileAtomically(path, bytes());
}

std::optional<QString> writeSettingsKey(const QString& path, const QString& section,
                                        const QString& key, const QString& value) {
    QString error;
    std::optional<SettingsFileEditor> editor = SettingsFileEditor::fromFile(path, &error);
    if (!editor)
        return error;
    editor->setValue(section, key, value);
    return editor->save(path);
}

} // namespace tobirae
