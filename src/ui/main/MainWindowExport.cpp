// The main window's page outputs are the export runner's; the window only routes to it.
#include "ui/main/ExportRunner.h"
#include "ui/main/MainWindow.h"

namespace tobirae {

PageJob MainWindow::pageJob() const {
    return exports_->pageJob();
}

bool MainWindow::exportPageBitmap() {
    return exports_->exportPageBitmap();
}

bool MainWindow::exportPdfRange() {
    return exports_->exportPdfRange();
}

bool MainWindow::exportMonthRange() {
    return exports_->exportMonthRange();
}

bool MainWindow::printMonths(bool preview) {
    return exports_->printMonths(preview);
}

} // namespace tobirae
