// The rules behind the item property dialog and its font dialog that need no widgets: list
// contents, the element rows, font descriptions, face matching and the checks on typed values.
#pragma once

#include "document/LayoutItem.h"
#include "render/StyleChoices.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <chrono>
#include <optional>

namespace tobirae {

// Category list "年月種類", value = category.
QList<StyleChoice> categoryChoices();
// Layout list "表示形式": category 1 offers variants 0..4, category 3 variants 3 and 4 ("縦表示",
// "横表示"); other categories have none.
QList<StyleChoice> layoutChoices(int category);
// Month list (37 entries) of month-family, weekly and month display items; year-relative list
// (25 entries) of year display items.
QList<StyleChoice> monthSelectorChoices();
QList<StyleChoice> yearSelectorChoices();

// Which format list a row of the element list uses.
enum class RowFormat { Year, Month, OldCalendar, Sekki, None };

struct ElementRow {
    int element; // content element index k
    const char16_t* label;
    RowFormat format;
};

// The eleven rows of the element list in order; a Mini box shows the first six.
const std::array<ElementRow, 11>& elementRows();
int elementRowCount(int layoutVariant);

// The stored format value of a row's element, and where a choice is written.
int rowFormatValue(const LayoutItem& item, const ElementRow& row);
void setRowFormatValue(LayoutItem& item, const ElementRow& row, int value);
// The text of the "書式" column for a stored value (also for values the list does not offer).
QString rowFormatText(const ElementRow& row, int value, std::chrono::year_month_day sampleDate);

// "左寄せ", "中央", "右寄せ" for 0..2; empty for anything else.
QString alignmentWord(int alignment);

// The description shown beside font buttons: "ＭＳ ゴシック 12Point 太字 斜め".
QString fontDescription(const FontSpec& font);

// The colour slots edited by colour button k (0 Sunday, 1..6 Monday..Saturday, 7 holiday) on the
// tabs "日付" (DateColor) and "曜日" (WeekdayNameColor); -1 where the tab has no such colour.
int dateColourSlot(int button);
int weekdayColourSlot(int button);

// Face names as the font dialog compares them: upper case, fullwidth letters narrowed.
QString faceNameKey(const QString& face);
// Index of the first face equal to the typed text under that comparison; -1 when none.
int matchingFaceIndex(const QStringList& faces, const QString& typed);
// The faces the font dialog offers: the Windows faces that layouts name (drawn with installed
// stand-ins) followed by the installed families.
QStringList fontDialogFaces();

// Sizes offered by the font dialog, and the range a typed size is limited to.
const std::array<int, 17>& fontSizeChoices();
inline constexpr int kMinFontSize = 1;
inline constexpr int kMaxFontSize = 999;
// Limits of the design size "基準枠" (0 lets a picture take its own size).
inline constexpr int kMinDesignSize = 0;
inline constexpr int kMaxDesignSize = 9999;

// A number typed into a box: not a number, out of the allowed range, or the value to store
// (rounded half to even, as the stored integers always were).
struct TypedNumber {
    enum Outcome { NotNumeric, OutOfRange, Accepted } outcome = NotNumeric;
    std::int32_t value = 0;
};
TypedNumber typedNumber(const QString& text, int minimum, int maximum);

// Why a text cannot be stored in a fixed field of the layout file, if it cannot.
enum class StoredTextProblem { None, TooLong, NotRepresentable };
StoredTextProblem storedTextProblem(const QString& text, int fieldBytes);
// The refusal naming the limit, for a field described as e.g. "画像ファイル名".
QString storedTextMessage(StoredTextProblem problem, const QString& fieldName, int fieldBytes);

} // namespace tobirae
