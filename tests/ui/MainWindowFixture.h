// Starts the main window the way the program does, with a settings file in a temporary folder
// and scripted answers instead of a person: also the item property dialog is worked by scripts.
#pragma once

#include "ScriptedPrompts.h"
#include "TestLayouts.h"
#include "app/EditorStartup.h"
#include "document/LayoutFile.h"
#include "ui/dialogs/ItemPropertiesDialog.h"
#include "ui/main/CanvasGuides.h"
#include "ui/main/CanvasView.h"
#include "ui/main/ExportRunner.h"
#include "ui/main/ItemCommands.h"
#include "ui/main/LayoutActions.h"
#include "ui/main/LayoutFiles.h"
#include "ui/main/MainWindow.h"
#include "ui/main/OutputRangePanel.h"
#include "ui/main/SidePanel.h"
#include "ui/main/WindowDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
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

// --- What the main window's tests share ---

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs `act` on the modal dialog of type D that `open` opens.
template <typename D, typename Open, typename Act> void onModal(Open open, Act act) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen = true;
        act(*dialog);
    });
    open();
    QVERIFY(seen);
}

// Menu shortcuts reach an active window only.
inline bool activate(QWidget& window) {
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// Sends a left-button drag over the canvas from one scene point to another, in several moves.
inline void dragOnCanvas(CanvasView* canvas, QPointF from, QPointF to) {
    QWidget* viewport = canvas->viewport();
    const QPoint start = canvas->mapFromScene(from);
    const QPoint end = canvas->mapFromScene(to);
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, start);
    for (int i = 1; i <= 5; ++i) {
        const QPoint at = start + (end - start) * i / 5;
        QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
    }
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, end);
}

// Two pictures: their size never changes by drawing, so positions and sizes stay exact.
inline const std::vector<TestItem> kTwoPictures{{CategoryPicture, 0, 30, 40, 12},
                                                {CategoryPicture, 0, 300, 400, 12}};

// A templates folder: "picture.CLF" with one picture item naming "pic.png" (64 x 48) beside it,
// "b-list.clf" with two items, a damaged "a-broken.CLF" sorting first and a file that is no
// layout.
inline QString writeTemplates(const MainWindowFixture& f) {
    const QDir folder(f.path("templates"));
    if (!folder.mkpath(QStringLiteral(".")))
        return {};
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    auto document = makeTestDocument({{CategoryPicture, 0, 30, 40, 12}});
    document->item(0).PictureFile.setText(QStringLiteral("pic.png"));
    QFile broken(folder.filePath(QStringLiteral("a-broken.CLF")));
    QFile notes(folder.filePath(QStringLiteral("notes.txt")));
    const bool written =
        picture.save(folder.filePath(QStringLiteral("pic.png"))) &&
        !writeLayoutFile(*document, folder.filePath(QStringLiteral("picture.CLF"))) &&
        writeTestLayout(folder.filePath(QStringLiteral("b-list.clf")),
                        {{CategoryMonthDisplay, 0, 30, 40, 12}, {CategoryYear, 0, 200, 300, 12}}) &&
        broken.open(QIODevice::WriteOnly) && broken.write("not a layout") > 0 &&
        notes.open(QIODevice::WriteOnly);
    return written ? folder.path() : QString();
}

inline const std::vector<TestItem> kTwoItems{{CategoryMonthDisplay, 0, 30, 40, 12},
                                             {CategoryYear, 0, 200, 300, 12}};

} // namespace tobirae::test
