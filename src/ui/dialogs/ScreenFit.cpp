#include "ui/dialogs/ScreenFit.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QScreen>
#include <algorithm>

namespace tobirae {

QRect fittedGeometry(const QRect& wanted, QSize minimum, const QRect& available,
                     const QMargins& frame) {
    const QRect room = available.marginsRemoved(frame);
    const int width = std::max(minimum.width(), std::min(wanted.width(), room.width()));
    const int height = std::max(minimum.height(), std::min(wanted.height(), room.height()));
    // Moved in from the right and bottom first, then from the left and top, so that the title
    // bar stays reachable when the window is larger than the screen.
    const int left = std::max(room.left(), std::min(wanted.left(), room.right() + 1 - width));
    const int top = std::max(room.top(), std::min(wanted.top(), room.bottom() + 1 - height));
    return {left, top, width, height};
}

bool ScreenFit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog && dialog->isWindow()) {
            const QWidget* anchor = dialog->parentWidget() ? dialog->parentWidget() : dialog;
            if (const QScreen* screen = anchor->screen()) {
                // A dialog nobody placed opens centred over the window it belongs to, not in
                // the screen's corner.
                QRect wanted = dialog->geometry();
                if (dialog->parentWidget() && !dialog->testAttribute(Qt::WA_Moved))
                    wanted.moveCenter(dialog->parentWidget()->window()->geometry().center());
                const QRect fitted = fittedGeometry(
                    wanted, dialog->minimumSizeHint().expandedTo(dialog->minimumSize()),
                    screen->availableGeometry());
                if (fitted != dialog->geometry())
                    dialog->setGeometry(fitted);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void installScreenFit(QApplication& app) {
    app.installEventFilter(new ScreenFit(&app));
}

} // namespace tobirae
