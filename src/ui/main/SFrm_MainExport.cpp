// The main window's page outputs are the export runner's; the window only routes to it.
#include "ui/main/ExportRunner.h"
#include "ui/main/SFrm_Main.h"

namespace tobirae {

PageJob SFrm_Main::pageJob() const {
    return exports_->pageJob();
}

bool SFrm_Main::exportPageBitmap() {
    return exports_->exportPageBitmap();
}

bool SFrm_Main::exportPdfRange() {
    return exports_->exportPdfRange();
}

bool SFrm_Main::exportMonthRange() {
    return exports_->exportMonthRange();
}

bool SFrm_Main::printMonths(bool preview) {
    return exports_->printMonths(preview);
}

} // namespace tobirae
