// The application settings held in memory while the program runs: loaded once from the settings
// file at start-up, written back at exit (window position, page, grid and edit-line keys).
#pragma once

#include "app/SettingsFile.h"
#include "document/PageSettings.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

namespace tobirae {

// The page record with the settings file's defaults (A4 portrait, 300 dots per inch, white).
PageSettings settingsPageDefaults();

struct AppSettings {
    // Window position in twips; nullopt when the file has none (the window is then centred).
    std::optional<std::int32_t> FormLeft;
    std::optional<std::int32_t> FormTop;
    // Page record: PaperSize, PaperWidth, PaperHeight (millimetres as oriented), Resolution in
    // dots per inch, Portrait and PageBackColor.
    PageSettings Page = settingsPageDefaults();
    // [0] main grid, [1] sub grid (the day-cell layout editor's).
    std::array<bool, 2> GridShown{};
    std::array<bool, 2> GridSnap{};
    std::array<std::int32_t, 2> GridX{60, 60};
    std::array<std::int32_t, 2> GridY{60, 60};
    // [0] vertical edit lines, [1] horizontal edit lines.
    std::array<bool, 2> EditLineShown{};
    std::array<bool, 2> EditLineSnap{};
    // "最近使ったファイル", newest first.
    QStringList RecentFiles;
    // The editor's own keys (section "Tobirae"): whether the alignment toolbar is shown, and the
    // month range and file format the page commands of several months last used, as
    // year * 100 + month (nullopt until a range was chosen, or when the file's is unusable).
    bool AlignToolbarShown = true;
    std::optional<std::int32_t> LastRangeFrom;
    std::optional<std::int32_t> LastRangeTo;
    std::int32_t LastFileFormat = 0; // 0 BMP, 1 PNG, 2 PDF
    // "入稿用PDF出力...": bleed in tenths of a millimetre (0..100), crop marks, PDF/X and its
    // profile file (empty: Ghostscript's own); and the bleed and safety guides of "表示".
    std::int32_t PrintBleedTenthsMm = 30;
    bool PrintMarks = true;
    bool PrintPdfx = false;
    QString PrintProfile;
    bool BleedGuideShown = false;
    bool SafetyGuideShown = false;
    // The full name of the settings file and the settings text read at start.
    QString FileName;
    SettingsText Text;
};

// Every key from the settings text, each missing or unusable one at its default.
AppSettings appSettingsFromText(const SettingsText& text);
// Reads the file (a missing or unreadable file gives the defaults) and remembers its name.
AppSettings loadAppSettings(const QString& fileName);
// Writes every key kept at exit into settings.FileName, keeping the file's other lines.
// The error text on failure.
std::optional<QString> saveAppSettings(const AppSettings& settings);

} // namespace tobirae
