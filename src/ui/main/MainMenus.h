// The menu bar of the main window. Every entry exists from the start; entries whose commands come
// with the guides stay disabled until those are connected.
#pragma once

#include <QString>

class QAction;
class QMainWindow;
class QMenu;

namespace tobirae {

struct MainMenus {
    // "ファイル(&F)"
    QAction* layoutRead = nullptr;
    QMenu* recentFiles = nullptr; // "最近使ったファイル": one entry per layout
    QAction* layoutSave = nullptr;
    QAction* overwriteSave = nullptr; // "上書き保存"
    QAction* newData = nullptr;
    QAction* newFromTemplate = nullptr; // "テンプレートから新規作成..."
    QAction* itemAdd = nullptr;
    QAction* pageSize = nullptr;
    QAction* makeBitmap = nullptr;
    QAction* exportPdf = nullptr;    // "PDF出力..."
    QAction* exportRange = nullptr;  // "一括出力..."
    QAction* printShopPdf = nullptr; // "入稿用PDF出力..."
    QAction* print = nullptr;        // "印刷..."
    QAction* printPreview = nullptr; // "印刷プレビュー..."
    QAction* exit = nullptr;
    // "編集(&E)": submenus "全体" and "アイテム"
    QMenu* editMenu = nullptr;
    QAction* undo = nullptr;
    QAction* redo = nullptr;
    QMenu* wholeMenu = nullptr;
    QAction* mouseLockAll = nullptr;
    QAction* restack = nullptr;
    QAction* paste = nullptr;
    QMenu* itemMenu = nullptr;
    QAction* sizeChange = nullptr;
    QAction* moveLock = nullptr;
    QAction* properties = nullptr;
    QMenu* redrawMenu = nullptr;
    QAction* redraw = nullptr;
    QAction* fitFrame = nullptr;
    QMenu* positionMenu = nullptr;
    QAction* xLock = nullptr;
    QAction* yLock = nullptr;
    QAction* hCenterLock = nullptr;
    QAction* vCenterLock = nullptr;
    QAction* moveHCenter = nullptr;
    QAction* moveVCenter = nullptr;
    QAction* moveRight = nullptr;
    QAction* moveLeft = nullptr;
    QAction* moveTop = nullptr;
    QAction* moveBottom = nullptr;
    QAction* combineRight = nullptr;
    QAction* combineLeft = nullptr;
    QAction* combineTop = nullptr;
    QAction* combineBottom = nullptr;
    QAction* placement = nullptr;
    QMenu* editLineMenu = nullptr;
    QAction* editLineRight = nullptr;
    QAction* editLineLeft = nullptr;
    QAction* editLineTop = nullptr;
    QAction* editLineBottom = nullptr;
    QAction* bringToFront = nullptr; // "最前面へ": drawn over every other item
    QAction* sendToBack = nullptr;   // "最背面へ"
    QAction* copy = nullptr;
    QAction* remove = nullptr;
    // "表示(&V)": the zoom of the canvas
    QAction* zoomIn = nullptr;
    QAction* zoomOut = nullptr;
    QAction* zoomActual = nullptr;
    QAction* zoomFit = nullptr;
    QAction* bleedGuide = nullptr;  // "塗り足し線を表示"
    QAction* safetyGuide = nullptr; // "安全線を表示"
    // "ツール(&T)"
    QAction* ownDays = nullptr;
    QAction* options = nullptr;
    // "ヘルプ(&H)"
    QAction* help = nullptr;
    QAction* about = nullptr;
};

// Builds the menu bar of `window`. Action object names are the field name followed by "Action".
MainMenus buildMainMenus(QMainWindow& window);

} // namespace tobirae
