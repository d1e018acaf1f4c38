#include "app/AppSettings.h"

namespace tobirae {

namespace {

const QString kForm = QStringLiteral("Form");
const QString kPage = QStringLiteral("ページ");
const QString kGrid = QStringLiteral("GRID");

// GRID keys of the two-element arrays: [0] and [1].
struct PairKeys {
    const char* first;
    const char* second;
};
constexpr PairKeys kGridShownKeys{"MainGridDisp", "SubGridDisp"};
constexpr PairKeys kGridSnapKeys{"MainGridConnect", "SubGridConnect"};
constexpr PairKeys kGridXKeys{"MainGridX", "SubGridX"};
constexpr PairKeys kGridYKeys{"MainGridY", "SubGridY"};
constexpr PairKeys kEditLineShownKeys{"VBarDisp", "HBarDisp"};
constexpr PairKeys kEditLineSnapKeys{"VBarConnect", "HBarConnect"};

QString key(const char* name) {
    return QString::fromLatin1(name);
}

void readFlags(const SettingsText& text, PairKeys keys, std::array<bool, 2>& out) {
    out[0] = text.readFlag(kGrid, key(keys.first), false);
    out[1] = text.readFlag(kGrid, key(keys.second), false);
}

void readNumbers(const SettingsText& text, PairKeys keys, std::array<std::int32_t, 2>& out) {
    out[0] = text.readNumber(kGrid, key(keys.first), 60);
    out[1] = text.readNumber(kGrid, key(keys.second), 60);
}

void writeFlags(SettingsFileEditor& editor, PairKeys keys, const std::array<bool, 2>& values) {
    editor.setValue(kGrid, key(keys.first), settingsFlagText(values[0]));
    editor.setValue(kGrid, key(keys.second), settingsFlagText(values[1]));
}

void writeNumbers(SettingsFileEditor& editor, PairKeys keys,
                  const std::array<std::int32_t, 2>& values) {
    editor.setValue(kGrid, key(keys.first), settingsNumberText(values[0]));
    editor.setValue(kGrid, key(keys.second), settingsNumberText(values[1]));
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

    readFlags(text, kGridShownKeys, s.GridShown);
    readFlags(text, kGridSnapKeys, s.GridSnap);
    readNumbers(text, kGridXKeys, s.GridX);
    readNumbers(text, kGridYKeys, s.GridY);
    readFlags(text, kEditLineShownKeys, s.EditLineShown);
    readFlags(text, kEditLineSnapKeys, s.EditLineSnap);
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
    SettingsFileEditor editor = SettingsFileEditor::fromFile(s.FileName);
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
    writeFlags(editor, kGridShownKeys, s.GridShown);
    writeFlags(editor, kGridSnapKeys, s.GridSnap);
    writeNumbers(editor, kGridXKeys, s.GridX);
    writeNumbers(editor, kGridYKeys, s.GridY);
    writeFlags(editor, kEditLineShownKeys, s.EditLineShown);
    writeFlags(editor, kEditLineSnapKeys, s.EditLineSnap);
    return editor.save(s.FileName);
}

} // namespace tobirae
