#include "ui/main/EditorWindowSetup.h"

#include "ui/main/CanvasView.h"
#include "ui/main/LayoutFiles.h"
#include "ui/main/MainWindow.h"
#include "ui/main/PaperItem.h"

#include <QDate>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace tobirae {

std::chrono::year_month_day localToday() {
    const QDate today = QDate::currentDate();
    return std::chrono::year{today.year()} / today.month() / today.day();
}

void fitLargePage(MainWindow& window) {
    // The paper at its true size rarely fits a laptop screen; start with the whole page in view.
    const QRectF page = window.paper()->boundingRect();
    const QSize area = window.canvasView()->maximumViewportSize();
    if (page.width() > area.width() || page.height() > area.height())
        window.canvasView()->fitPage(page);
}

void showEditorWindow(MainWindow& window, const QString& layoutFile) {
    QRect screen(0, 0, 1280, 800);
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        screen = primary->availableGeometry();
    const QSize size(std::min(1280, screen.width() * 9 / 10),
                     std::min(960, screen.height() * 9 / 10));
    window.resize(size);
    window.move(windowPosition(window.settings(), size, screen));
    window.show();
    if (layoutFile.isEmpty()) {
        fitLargePage(window);
        return;
    }
    // The layout is read once the window is up; its paper decides the fit.
    QTimer::singleShot(0, &window, [&window, layoutFile] {
        window.files().openLayout(layoutFile);
        fitLargePage(window);
    });
}

} // namespace tobirae
