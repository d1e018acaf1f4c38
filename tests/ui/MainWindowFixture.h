// Starts the main window the way the program does, with a settings file in a temporary folder
// and scripted answers instead of a person: also the item property dialog is worked by scripts.
#pragma once

#include "ScriptedPrompts.h"
#include "TestLayouts.h"
#include "app/EditorStartup.h"
#include "ui/dialogs/ItemPropertiesDialog.h"
#include "ui/main/CanvasGuides.h"
#include "ui/main/ExportRunner.h"
#include "ui/main/ItemCommands.h"
#include "ui/main/LayoutActions.h"
#include "ui/main/LayoutFiles.h"
#include "ui/main/MainWindow.h"
#include "ui/main/OutputRangePanel.h"
#include "ui/main/SidePanel.h"
#include "ui/main/WindowDialogs.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>

namespace tobirae::test {

struct MainWindowFixture {
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    std::unique_ptr<MainWindow> window;
    // One script per opening of the property dialog; with none left the dialog is confirmed as
    // it opened. A script works the dialog and closes it (OK, cancel) or leaves it open (cancel).
    std::deque<std::function<void(ItemPropertiesDialog&)>> dialogScripts;
    int dialogsOpened = 0;

    QString path(const QString& name) const { return dir.filePath(name); }
    QString settingsPath() const { return path(QStringLiteral("Tobirae.ini")); }
    QString recoveryFolder() const { return path(QStringLiteral("state/Tobirae")); }

    // Starts with today = 15 January 2005 unless told otherwise.
    MainWindow& start(std::chrono::year_month_day today = std::chrono::year{2005} / 1 / 15) {
        auto state = startEditor(settingsPath(), today);
        state->recoveryFolder = recoveryFolder();
        window = std::make_unique<MainWindow>(std::move(*state), prompts);
        window->testHooks().propertyDialog = [this](ItemPropertiesDialog& dialog) {
            ++dialogsOpened;
            if (dialogScripts.empty()) {
                dialog.findChild<QPushButton*>(QStringLiteral("acceptButton"))->click();
            } else {
                const auto script = std::move(dialogScripts.front());
                dialogScripts.pop_front();
                script(dialog);
            }
            return dialog.result() == QDialog::Accepted;
        };
        window->resize(1000, 700);
        window->show();
        return *window;
    }
};

// The output month the editor document holds (the year list and month buttons show it).
inline int outputYear(MainWindow& w) {
    return static_cast<int>(outputMonthOf(w.editor()).year());
}
inline int outputMonth(MainWindow& w) {
    return static_cast<int>(unsigned(outputMonthOf(w.editor()).month()));
}

// The caption as the window shows it: Qt's unsaved-change mark in place of "[*]".
inline QString shownCaption(const QWidget& window) {
    return window.windowTitle().replace(
        QStringLiteral("[*]"), window.isWindowModified() ? QStringLiteral("*") : QString());
}

} // namespace tobirae::test
