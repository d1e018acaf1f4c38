#include "app/AppSettings.h"

#include "app/RecentFiles.h"

#include <algorithm>

namespace tobirae {

namespace {

const QString kForm = QStringLiteral("Form");
const QString kPage = QStringLiteral("ページ");
const QString kGrid = QStringLiteral("GRID");
const QString kEditor = QStringLiteral("Tobirae");

// year * 100 + month within the years the calendar knows.
std::optional<std::int32_t> rangeMonth(const SettingsText& text, const QString& key) {
    const std::int32_t v = text.readNumber(kEditor, key, 0);
    const std::int32_t year = v / 100;
    const std::int32_t month = v % 100;
    if (year < 1950 || year > 2049 || month < 1 || month > 12)
        return std::nullopt;
    return v;
}

// GRID keys of the two-element arrays ([0] and [1]), in the order they are written. Reading and
// writing both walk this one list, and each array's default is the one AppSettings starts with.
struct GridKeys {
    std::array<const char*, 2> names;
    std::array<bool, 2> AppSettings::*flags = nullptr; // else numbers
    std::array<std::int32_t, 2> AppSettings::*numbers = nullptr;
};
constexpr GridKeys kGridKeys[] = {
    {{"MainGridDisp", "SubGridDisp"}, &AppSettings::GridShown},
    {{"MainGridConnect", "SubGridConnect"}, &AppSettings::GridSnap},
    {{"MainGridX", "SubGridX"}, nullptr, &AppSettings::GridX},
    {{"MainGridY", "SubGridY"}, nullptr, &AppSettings::GridY},
    {{"VBarDisp", "HBarDisp"}, &AppSettings::EditLineShown},
    {{"VBarConnect", "HBarConnect"}, &AppSettings::EditLineSnap},
};

void readGridKeys(const SettingsText& text, AppSettings& s) {
    for (const GridKeys& g : kGridKeys)
        for (std::size_t i = 0; i < 2; ++i) {
            const QString name = QString::fromLatin1(g.names[i]);
            if (g.flags) {
                bool& value = (s.*g.flags)[i];
                value = text.readFlag(kGrid, name, value);
            } else {
                std::int32_t& value = (s.*g.numbers)[i];
                value = text.readNumber(kGrid, name, value);
            }
        }
}

void writeGridKeys(SettingsFileEditor& editor, const AppSettings& s) {
    for (const GridKeys& g : kGridKeys)
        for (std::size_t i = 0; i < 2; ++i)
            editor.setValue(kGrid, QString::fromLatin1(g.names[i]),
                            g.flags ? settingsFlagText((s.*g.flags)[i])
                                    : settingsNumberText((s.*g.numbers)[i]));
}

} // namespace

PageSettings settingsPageDefaults() {
    PageSettings page;
    page.PaperSize = 0;
    page.PaperWidth = 0;
    page.PaperHeight = 0;
    page.Resolution = 300;
    page.Portrait = kTrue;
    page.PageBackColor = 0x00FFFFFF;
    return page;
}

AppSettings appSettingsFromText(const SettingsText& text) {
    AppSettings s;
    if (const auto v = text.value(kForm, QStringLiteral("Form_Left")))
        s.FormLeft = parseSettingsNumber(*v);
    if (const auto v = text.value(kForm, QStringLiteral("Form_Top")))
        s.FormTop = parseSettingsNumber(*v);

    const PageSettings defaults = settingsPageDefaults();
    s.Page.PageBackColor = text.readNumber(kPage, QStringLiteral("背景色"), defaults.PageBackColor);
    s.Page.PaperSize = text.readNumber(kPage, QStringLiteral("PageSize"), defaults.PaperSize);
    s.Page.PaperWidth = text.readDecimal(kPage, QStringLiteral("Width"), defaults.PaperWidth);
    s.Page.PaperHeight = text.readDecimal(kPage, QStringLiteral("Height"), defaults.PaperHeight);
    s.Page.Resolution = text.readNumber(kPage, QStringLiteral("DPI"), defaults.Resolution);
    s.Page.Portrait = toB16(text.readFlag(kPage, QStringLiteral("Orientation"), true));

    readGridKeys(text, s);
    s.RecentFiles = readRecentFiles(text);
    s.AlignToolbarShown = text.readFlag(kEditor, QStringLiteral("AlignToolbar"), true);
    s.LastRangeFrom = rangeMonth(text, QStringLiteral("LastRangeFrom"));
    s.LastRangeTo = rangeMonth(text, QStringLiteral("LastRangeTo"));
    if (!s.LastRangeFrom || !s.LastRangeTo || *s.LastRangeTo < *s.LastRangeFrom)
        s.LastRangeFrom = s.LastRangeTo = std::nullopt;
    s.LastFileFormat =
        std::clamp(text.readNumber(kEditor, QStringLiteral("LastFileFormat"), 0), 0, 2);
    s.PrintBleedTenthsMm =
        std::clamp(text.readNumber(kEditor, QStringLiteral("PrintBleed"), 30), 0, 100);
    s.PrintMarks = text.readFlag(kEditor, QStringLiteral("PrintMarks"), true);
    s.PrintPdfx = text.readFlag(kEditor, QStringLiteral("PrintPdfx"), false);
    s.PrintProfile = text.readText(kEditor, QStringLiteral("PrintProfile"), QString());
    s.BleedGuideShown = text.readFlag(kEditor, QStringLiteral("BleedGuide"), false);
    s.SafetyGuideShown = text.readFlag(kEditor, QStringLiteral("SafetyGuide"), false);
    s.Text = text;
    return s;
}

AppSettings loadAppSettings(const QString& fileName) {
    AppSettings s = appSettingsFromText(SettingsText::fromFile(fileName));
    s.FileName = fileName;
    return s;
}

std::optional<QString> saveAppSettings(const AppSettings& s) {
    if (s.FileName.isEmpty())
        return QStringLiteral("設定ファイルの名前がありません。");
    QString error;
    std::optional<SettingsFileEditor> read = SettingsFileEditor::fromFile(s.FileName, &error);
    if (!read)
        return error;
    SettingsFileEditor& editor = *read;
    if (s.FormLeft)
        editor.setValue(kForm, QStringLiteral("Form_Left"), settingsNumberText(*s.FormLeft));
    if (s.FormTop)
        editor.setValue(kForm, QStringLiteral("Form_Top"), settingsNumberText(*s.FormTop));
    editor.setValue(kPage, QStringLiteral("背景色"), settingsNumberText(s.Page.PageBackColor));
    editor.setValue(kPage, QStringLiteral("PageSize"), settingsNumberText(s.Page.PaperSize));
    editor.setValue(kPage, QStringLiteral("Width"), settingsDecimalText(s.Page.PaperWidth));
    editor.setValue(kPage, QStringLiteral("Height"), settingsDecimalText(s.Page.PaperHeight));
    editor.setValue(kPage, QStringLiteral("DPI"), settingsNumberText(s.Page.Resolution));
    editor.setValue(kPage, QStringLiteral("Orientation"),
                    settingsFlagText(isTrue(s.Page.Portrait)));
    writeGridKeys(editor, s);
    writeRecentFiles(editor, s.RecentFiles);
    editor.setValue(kEditor, QStringLiteral("AlignToolbar"), settingsFlagText(s.AlignToolbarShown));
    if (s.LastRangeFrom && s.LastRangeTo) {
        editor.setValue(kEditor, QStringLiteral("LastRangeFrom"),
                        settingsNumberText(*s.LastRangeFrom));
        editor.setValue(kEditor, QStringLiteral("LastRangeTo"), settingsNumberText(*s.LastRangeTo));
    }
    editor.setValue(kEditor, QStringLiteral("LastFileFormat"),
                    settingsNumberText(s.LastFileFormat));
    editor.setValue(kEditor, QStringLiteral("PrintBleed"),
                    settingsNumberText(s.PrintBleedTenthsMm));
    editor.setValue(kEditor, QStringLiteral("PrintMarks"), settingsFlagText(s.PrintMarks));
    editor.setValue(kEditor, QStringLiteral("PrintPdfx"), settingsFlagText(s.PrintPdfx));
    editor.setValue(kEditor, QStringLiteral("PrintProfile"), s.PrintProfile);
    editor.setValue(kEditor, QStringLiteral("BleedGuide"), settingsFlagText(s.BleedGuideShown));
    editor.setValue(kEditor, QStringLiteral("SafetyGuide"), settingsFlagText(s.SafetyGuideShown));
    return editor.save(s.FileName);
}

} // namespace tobirae
