// The settings file: an INI-style text in code page 932 with sections and "key=value" lines.
// SettingsText looks keys up the way the program always has (sections and keys without regard to
// case, a longer key with the same beginning does not match, the value ends at the line end).
// SettingsFileEditor changes single keys and keeps every other line of the file as it was.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <vector>

namespace tobirae {

// The most of a settings file that is read; a larger file is not rewritten.
inline constexpr qint64 kMaxSettingsFileBytes = 1 << 20;

// Value parsers of the typed reads. Numbers: decimal integers or "&H" with hexadecimal digits
// (32-bit, so "&HFFFFFFFF" is -1). Decimals: an optional sign, digits and a fraction. Flags: any
// number (zero False), or "True"/"False" in any case.
std::optional<std::int32_t> parseSettingsNumber(QStringView value);
std::optional<double> parseSettingsDecimal(QStringView value);
std::optional<bool> parseSettingsFlag(QStringView value);

// The settings text read once at start-up; later reads never look at the file again.
class SettingsText {
public:
    SettingsText() = default;
    // Builds the settings text from the file's content: every non-empty line with its blanks
    // removed at both ends, followed by CR LF.
    static SettingsText fromFileBytes(const QByteArray& bytes);
    // Empty (every key takes its default) when the name is empty or the file is missing.
    static SettingsText fromFile(const QString& path);
    // Takes an already-built settings text as it stands.
    static SettingsText fromText(const QString& text);

    const QString& text() const { return m_text; }

    // The value of the key in the section, nullopt when the key is missing.
    std::optional<QString> value(QStringView section, QStringView key) const;

    std::int32_t readNumber(QStringView section, QStringView key, std::int32_t fallback) const;
    float readDecimal(QStringView section, QStringView key, float fallback) const;
    bool readFlag(QStringView section, QStringView key, bool fallback) const;
    // An empty value gives the fallback unless the fallback is empty.
    QString readText(QStringView section, QStringView key, const QString& fallback) const;

private:
    QString m_text;
    QString m_upper; // CR LF + the text in upper case, character for character
};

// Text forms the settings writer uses.
QString settingsNumberText(std::int32_t value);
QString settingsDecimalText(float value); // shortest form that reads back as the same float
QString settingsFlagText(bool value);     // "1" or "0"

// Rewrites keys of a settings file in memory and saves it. Only the line of a key that is set
// changes (a missing key is added at the end of its section, a missing section at the end of the
// file); every other line keeps its bytes and its place.
class SettingsFileEditor {
public:
    SettingsFileEditor() = default;
    explicit SettingsFileEditor(const QByteArray& fileBytes);
    // The file's current content; empty when it does not exist yet. Nothing (and the reason) when
    // it exists but cannot be read whole: not a regular file, unreadable, or larger than
    // kMaxSettingsFileBytes.
    static std::optional<SettingsFileEditor> fromFile(const QString& path, QString* error);

    void setValue(const QString& section, const QString& key, const QString& value);

    QByteArray bytes() const;
    // Saves through a temporary file, creating the folder when needed; the error text on failure.
    std::optional<QString> save(const QString& path) const;

private:
    std::vector<QByteArray> m_lines; // without their line ends
    QByteArray m_newline = "\r\n";
    bool m_endsWithNewline = true;
};

// Writes one key into the file (read, change the line, save); the error text on failure.
std::optional<QString> writeSettingsKey(const QString& path, const QString& section,
                                        const QString& key, const QString& value);

} // namespace tobirae
