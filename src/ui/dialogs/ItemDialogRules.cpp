#include "ui/dialogs/ItemDialogRules.h"

#include "bitmap/Primitives.h"
#include "document/MonthSelector.h"
#include "ui/dialogs/NumericText.h"

#include <QFontDatabase>
#include <cmath>

namespace tobirae {

namespace {

QList<StyleChoice> captionsFrom(std::initializer_list<const char16_t*> captions, int first) {
    QList<StyleChoice> list;
    for (const char16_t* caption : captions)
        list.append({first + static_cast<int>(list.size()), QString::fromUtf16(caption)});
    return list;
}

} // namespace

QList<StyleChoice> categoryChoices() {
    return captionsFrom(
        {u"年表示", u"1ヶ月単位表示", u"月表示", u"週単位表示", u"画像表示", u"テキスト"}, 0);
}

QList<StyleChoice> layoutChoices(int category) {
    if (category == CategoryMonthFamily)
        return captionsFrom(
            {u"Box表示(5段)", u"Box表示(6段)", u"Box表示(Mini 6段)", u"縦表示", u"横表示"},
            VariantBox5);
    if (category == CategoryWeekly)
        return captionsFrom({u"縦表示", u"横表示"}, VariantVertical);
    return {};
}

QList<StyleChoice> monthSelectorChoices() {
    QList<StyleChoice> list;
    for (int value = 0; value <= 36; ++value)
        list.append({value, monthSelectorLabel(value)});
    return list;
}

QList<StyleChoice> yearSelectorChoices() {
    QList<StyleChoice> list;
    for (int value = 0; value <= 24; ++value)
        list.append({value, yearSelectorLabel(value)});
    return list;
}

const std::array<ElementRow, 11>& elementRows() {
    static constexpr std::array<ElementRow, 11> kRows{{
        {Year1, u"年①", RowFormat::Year},
        {Year2, u"年②", RowFormat::Year},
        {Month1, u"月①", RowFormat::Month},
        {Month2, u"月②", RowFormat::Month},
        {Month3, u"月③", RowFormat::Month},
        {Month4, u"月④", RowFormat::Month},
        {Rokuyo, u"六曜", RowFormat::None},
        {Eto, u"干支", RowFormat::None},
        {OldCalendar, u"旧暦", RowFormat::OldCalendar},
        {SolarTerm, u"二十四節気", RowFormat::Sekki},
        {Holiday, u"祝日", RowFormat::None},
    }};
    return kRows;
}

int elementRowCount(int layoutVariant) {
    return layoutVariant == VariantBoxMini ? 6 : 11;
}

int rowFormatValue(const LayoutItem& item, const ElementRow& row) {
    switch (row.format) {
    case RowFormat::Year:
    case RowFormat::Month:
        return item.element(row.element).Style;
    case RowFormat::OldCalendar:
        return item.OldCalendarStyle;
    case RowFormat::Sekki:
        return item.SekkiSelection;
    case RowFormat::None:
        break;
    }
    return 0;
}

void setRowFormatValue(LayoutItem& item, const ElementRow& row, int value) {
    switch (row.format) {
    case RowFormat::Year:
    case RowFormat::Month:
        item.element(row.element).Style = value;
        break;
    case RowFormat::OldCalendar:
        item.OldCalendarStyle = static_cast<std::int16_t>(value);
        break;
    case RowFormat::Sekki:
        item.SekkiSelection = static_cast<std::int16_t>(value);
        break;
    case RowFormat::None:
        break;
    }
}

QString rowFormatText(const ElementRow& row, int value, std::chrono::year_month_day sampleDate) {
    switch (row.format) {
    case RowFormat::Year:
        return yearStyleCaption(value, sampleDate);
    case RowFormat::Month:
        return monthStyleCaption(value, static_cast<int>(unsigned(sampleDate.month())));
    case RowFormat::OldCalendar:
        return oldCalendarStyleCaption(value, static_cast<int>(sampleDate.year()));
    case RowFormat::Sekki:
        return sekkiCaption(value);
    case RowFormat::None:
        break;
    }
    return {};
}

QString alignmentWord(int alignment) {
    switch (alignment) {
    case 0:
        return QStringLiteral("左寄せ");
    case 1:
        return QStringLiteral("中央");
    case 2:
        return QStringLiteral("右寄せ");
    default:
        return {};
    }
}

QString fontDescription(const FontSpec& font) {
    QString text = font.FaceName.text() + QLatin1Char(' ') + QString::number(font.Size) +
                   QStringLiteral("Point");
    if (isTrue(font.Bold))
        text += QStringLiteral(" 太字");
    if (isTrue(font.Italic))
        text += QStringLiteral(" 斜め");
    return text;
}

int dateColourSlot(int button) {
    if (button == 0)
        return 6;
    if (button >= 1 && button <= 6)
        return button - 1;
    return button == 7 ? 8 : -1;
}

int weekdayColourSlot(int button) {
    return button == 7 ? -1 : dateColourSlot(button);
}

QString faceNameKey(const QString& face) {
    return face.normalized(QString::NormalizationForm_KC).toUpper();
}

int matchingFaceIndex(const QStringList& faces, const QString& typed) {
    const QString key = faceNameKey(typed);
    for (qsizetype i = 0; i < faces.size(); ++i) {
        if (faceNameKey(faces[i]) == key)
            return static_cast<int>(i);
    }
    return -1;
}

QStringList fontDialogFaces() {
    QStringList faces = substitutedFaces();
    for (const QString& family : QFontDatabase::families()) {
        if (!faces.contains(family))
            faces << family;
    }
    return faces;
}

const std::array<int, 17>& fontSizeChoices() {
    static constexpr std::array<int, 17> kSizes{6,  8,  9,  10, 11, 12, 14, 16, 18,
                                                20, 22, 24, 26, 28, 36, 48, 72};
    return kSizes;
}

TypedNumber typedNumber(const QString& text, int minimum, int maximum) {
    const auto value = numericValue(text);
    if (!value)
        return {TypedNumber::NotNumeric, 0};
    // Rounded before the range check so that 9999.4 is accepted and 1e12 never reaches an int.
    const double rounded = std::nearbyint(*value);
    if (rounded < minimum || rounded > maximum)
        return {TypedNumber::OutOfRange, 0};
    return {TypedNumber::Accepted, static_cast<std::int32_t>(rounded)};
}

StoredTextProblem storedTextProblem(const QString& text, int fieldBytes) {
    const QByteArray encoded = encodeCp932(text);
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(encoded.constData()),
                                 static_cast<std::size_t>(encoded.size()));
    if (decodeCp932(bytes) != text)
        return StoredTextProblem::NotRepresentable;
    if (encoded.size() > fieldBytes)
        return StoredTextProblem::TooLong;
    return StoredTextProblem::None;
}

QString storedTextMessage(StoredTextProblem problem, const QString& fieldName, int fieldBytes) {
    switch (problem) {
    case StoredTextProblem::TooLong:
        return QStringLiteral("%1は半角%2文字(全角%3文字)以内にしてください。")
            .arg(fieldName)
            .arg(fieldBytes)
            .arg(fieldBytes / 2);
    case StoredTextProblem::NotRepresentable:
        return QStringLiteral("%1にはシフトJISで表せる文字だけを使ってください。").arg(fieldName);
    case StoredTextProblem::None:
        break;
    }
    return {};
}

} // namespace tobirae
