// The editor's start-up and shutdown steps that need no window: settings, the first output month,
// the start-up document, window placement and the start-up failure text.
#pragma once

#include "app/AppSettings.h"
#include "document/LayoutDocument.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <chrono>
#include <memory>
#include <optional>

namespace tobirae {

inline constexpr int kFirstOutputYear = 1950;
inline constexpr int kLastOutputYear = 2049;
// Window positions are kept in twips; layout pixels are 1/96 inch.
inline constexpr int kTwipsPerPixel = 15;

struct EditorStartState {
    AppSettings settings;
    std::unique_ptr<LayoutDocument> document;
    int outputYear = 0;  // kFirstOutputYear..kLastOutputYear
    int outputMonth = 0; // 1..12
    // Where the recovery copies of edited layouts are kept (RecoveryStore::defaultFolder()).
    QString recoveryFolder;
};

// Reads the settings file (missing or unreadable: defaults), takes today as the output month and
// builds the empty start-up document with the settings' page. The canvas size is the window's to
// set. nullopt when the program cannot start.
std::optional<EditorStartState> startEditor(const QString& settingsPath,
                                            std::chrono::year_month_day today);

// Today's output month: the year clamped to the years the year list offers.
int outputYearFor(std::chrono::year_month_day today);

// Where the window goes, in pixels: the remembered position, or centred on the screen when the
// settings have none. A remembered position that would put the window's title bar off every
// screen is pulled back onto `screen` so the window can always be reached.
QPoint windowPosition(const AppSettings& settings, QSize windowSize, QRect screen);
void rememberWindowPosition(AppSettings& settings, QPoint pixels);

QString startupFailureText();

} // namespace tobirae
