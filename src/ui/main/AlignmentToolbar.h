// The alignment toolbar "配置": centring, the edge moves, the moves against the edit lines, the
// position dialog and the two zooms, with icons drawn here and keyboard shortcuts. It holds the
// menu's own actions, so menu, toolbar and keys run the same commands and share their enabled
// states.
#pragma once

#include <QIcon>

class QMainWindow;
class QToolBar;

namespace tobirae {

struct MainMenus;

enum class AlignmentIcon {
    HCenter,
    VCenter,
    EdgeLeft,
    EdgeRight,
    EdgeTop,
    EdgeBottom,
    LineLeft,
    LineRight,
    LineTop,
    LineBottom,
    Placement,
    ZoomActual,
    ZoomFit,
};

// A page with an item and what the command does to it, in 16, 24 and 32 pixels.
QIcon alignmentIcon(AlignmentIcon kind);

// Gives the actions their icons and shortcuts, adds them to the window (their keys work while
// the toolbar is hidden) and to a new toolbar "alignToolbar", and puts the toolbar's show/hide entry
// "配置ツールバー" into the 表示 menu.
QToolBar* buildAlignmentToolbar(QMainWindow& window, const MainMenus& menus);

} // namespace tobirae
