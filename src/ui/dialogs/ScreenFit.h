// Keeps dialogs wholly on the screen they open on: a dialog taller or wider than the free part
// of the screen (without taskbars) is made smaller as far as its layout allows, and one that
// sticks out is moved in.
#pragma once

#include <QObject>
#include <QRect>

class QApplication;

namespace tobirae {

// The room a window manager's title bar and borders take around a window's client area.
inline constexpr QMargins kWindowFrameAllowance{4, 32, 4, 4};

// The client geometry of a window wanted at `wanted`, no smaller than `minimum`, so that it and
// its frame stand inside `available`. When even the minimum does not fit, the top-left corner
// stays visible, so the title bar can still be grabbed.
QRect fittedGeometry(const QRect& wanted, QSize minimum, const QRect& available,
                     const QMargins& frame = kWindowFrameAllowance);

// Watches every dialog of the application as it is shown.
class ScreenFit final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Installs one ScreenFit, owned by the application.
void installScreenFit(QApplication& app);

} // namespace tobirae
