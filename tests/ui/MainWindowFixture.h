// Starts the main window the way the program does, with a settings file in a temporary folder
// and scripted answers instead of a person.
#pragma once

#include "ScriptedPrompts.h"
#include "TestLayouts.h"
#include "app/EditorStartup.h"
#include "ui/main/SFrm_Main.h"

#include <QTemporaryDir>
#include <memory>

namespace tobirae::test {

struct MainWindowFixture {
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    std::unique_ptr<SFrm_Main> window;

    QString path(const QString& name) const { return dir.filePath(name); }
    QString settingsPath() const { return path(QStringLiteral("Tobirae.ini")); }

    // Starts with today = 15 January 2005 unless told otherwise.
    SFrm_Main& start(std::chrono::year_month_day today = std::chrono::year{2005} / 1 / 15) {
        auto state = startEditor(settingsPath(), today);
        window = std::make_unique<SFrm_Main>(std::move(*state), prompts);
        window->resize(1000, 700);
        window->show();
        return *window;
    }
};

} // namespace tobirae::test
