#include "ui/main/MainMenus.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace tobirae {

namespace {

QAction* entry(QMenu* menu, const QString& caption, const char* name, bool enabled = true) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name) + QStringLiteral("Action"));
    action->setEnabled(enabled);
    return action;
}

QMenu* submenu(QMenu* parent, const QString& caption, const char* name) {
    QMenu* menu = parent->addMenu(caption);
    menu->setObjectName(QLatin1String(name) + QStringLiteral("Action"));
    return menu;
}

} // namespace

MainMenus buildMainMenus(QMainWindow& window) {
    MainMenus m;
    QMenuBar* bar = window.menuBar();

    QMenu* file = bar->addMenu(QStringLiteral("ファイル(&F)"));
    file->setObjectName(QStringLiteral("fileMenu"));
    m.layoutRead = entry(file, QStringLiteral("レイアウト読込"), "layoutRead");
    m.layoutRead->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    m.recentFiles = submenu(file, QStringLiteral("最近使ったファイル"), "recentFiles");
    m.layoutSave = entry(file, QStringLiteral("レイアウト保存"), "layoutSave");
    m.layoutSave->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    m.overwriteSave = entry(file, QStringLiteral("上書き保存"), "overwriteSave");
    m.overwriteSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    file->addSeparator();
    m.newData = entry(file, QStringLiteral("新規作成"), "newData");
    m.newData->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    m.newFromTemplate =
        entry(file, QStringLiteral("テンプレートから新規作成..."), "newFromTemplate");
    file->addSeparator();
    m.itemAdd = entry(file, QStringLiteral("アイテム追加"), "itemAdd");
    m.pageSize = entry(file, QStringLiteral("用紙サイズ変更"), "pageSize");
    file->addSeparator();
    m.makeBitmap = entry(file, QStringLiteral("画像ファイル作成"), "makeBitmap");
    m.exportPdf = entry(file, QStringLiteral("PDF出力..."), "exportPdf");
    m.exportRange = entry(file, QStringLiteral("一括出力..."), "exportRange");
    m.printShopPdf = entry(file, QStringLiteral("入稿用PDF出力..."), "printShopPdf");
    file->addSeparator();
    m.print = entry(file, QStringLiteral("印刷..."), "print");
    m.print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    m.printPreview = entry(file, QStringLiteral("印刷プレビュー..."), "printPreview");
    file->addSeparator();
    m.exit = entry(file, QStringLiteral("終了(&X)"), "exit");
    m.exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    m.editMenu = bar->addMenu(QStringLiteral("編集(&E)"));
    m.editMenu->setObjectName(QStringLiteral("editMenu"));
    m.undo = entry(m.editMenu, QStringLiteral("元に戻す(&U)"), "undo", false);
    m.undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m.redo = entry(m.editMenu, QStringLiteral("やり直し(&R)"), "redo", false);
    m.redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    m.editMenu->addSeparator();
    m.wholeMenu = submenu(m.editMenu, QStringLiteral("全体"), "wholeMenu");
    m.mouseLockAll =
        entry(m.wholeMenu, QStringLiteral("全アイテムのマウス移動をロック"), "mouseLockAll", false);
    m.mouseLockAll->setCheckable(true);
    m.restack = entry(m.wholeMenu, QStringLiteral("描画順に再整列"), "restack", false);
    m.wholeMenu->addSeparator();
    m.paste = entry(m.wholeMenu, QStringLiteral("貼り付け"), "paste", false);

    m.itemMenu = submenu(m.editMenu, QStringLiteral("アイテム"), "itemMenu");
    m.itemMenu->setEnabled(false);
    m.sizeChange = entry(m.itemMenu, QStringLiteral("サイズ変更"), "sizeChange", false);
    m.moveLock = entry(m.itemMenu, QStringLiteral("ロック"), "moveLock", false);
    m.properties = entry(m.itemMenu, QStringLiteral("詳細編集"), "properties", false);
    m.redrawMenu = submenu(m.itemMenu, QStringLiteral("再描画"), "redrawMenu");
    m.redraw = entry(m.redrawMenu, QStringLiteral("再描画"), "redraw", false);
    m.fitFrame = entry(m.redrawMenu, QStringLiteral("基準枠に合わせる"), "fitFrame", false);
    m.positionMenu = submenu(m.itemMenu, QStringLiteral("位置"), "positionMenu");
    m.xLock = entry(m.positionMenu, QStringLiteral("X座標ロック"), "xLock", false);
    m.yLock = entry(m.positionMenu, QStringLiteral("Y座標ロック"), "yLock", false);
    m.hCenterLock = entry(m.positionMenu, QStringLiteral("左右中央ロック"), "hCenterLock", false);
    m.vCenterLock = entry(m.positionMenu, QStringLiteral("上下中央ロック"), "vCenterLock", false);
    for (QAction* lock : {m.xLock, m.yLock, m.hCenterLock, m.vCenterLock})
        lock->setCheckable(true);
    m.positionMenu->addSeparator();
    m.moveHCenter = entry(m.positionMenu, QStringLiteral("左右中央に移動"), "moveHCenter", false);
    m.moveVCenter = entry(m.positionMenu, QStringLiteral("上下中央に移動"), "moveVCenter", false);
    m.moveRight = entry(m.positionMenu, QStringLiteral("右端に移動"), "moveRight", false);
    m.moveLeft = entry(m.positionMenu, QStringLiteral("左端に移動"), "moveLeft", false);
    m.moveTop = entry(m.positionMenu, QStringLiteral("上端に移動"), "moveTop", false);
    m.moveBottom = entry(m.positionMenu, QStringLiteral("下端に移動"), "moveBottom", false);
    m.positionMenu->addSeparator();
    m.combineRight = entry(m.positionMenu, QStringLiteral("右端に合わせる"), "combineRight", false);
    m.combineLeft = entry(m.positionMenu, QStringLiteral("左端に合わせる"), "combineLeft", false);
    m.combineTop = entry(m.positionMenu, QStringLiteral("上端に合わせる"), "combineTop", false);
    m.combineBottom =
        entry(m.positionMenu, QStringLiteral("下端に合わせる"), "combineBottom", false);
    m.positionMenu->addSeparator();
    m.placement = entry(m.positionMenu, QStringLiteral("配置指定"), "placement", false);
    m.editLineMenu = submenu(m.itemMenu, QStringLiteral("編集ライン"), "editLineMenu");
    m.editLineRight =
        entry(m.editLineMenu, QStringLiteral("編集ラインを右端に合わせる"), "editLineRight", false);
    m.editLineLeft =
        entry(m.editLineMenu, QStringLiteral("編集ラインを左端に合わせる"), "editLineLeft", false);
    m.editLineTop =
        entry(m.editLineMenu, QStringLiteral("編集ラインを上端に合わせる"), "editLineTop", false);
    m.editLineBottom = entry(m.editLineMenu, QStringLiteral("編集ラインを下端に合わせる"),
                             "editLineBottom", false);
    m.bringToFront = entry(m.itemMenu, QStringLiteral("最前面へ"), "bringToFront", false);
    m.sendToBack = entry(m.itemMenu, QStringLiteral("最背面へ"), "sendToBack", false);
    m.copy = entry(m.itemMenu, QStringLiteral("コピー"), "copy", false);
    m.itemMenu->addSeparator();
    m.remove = entry(m.itemMenu, QStringLiteral("削除"), "remove", false);

    QMenu* view = bar->addMenu(QStringLiteral("表示(&V)"));
    view->setObjectName(QStringLiteral("viewMenu"));
    m.zoomIn = entry(view, QStringLiteral("拡大"), "zoomIn");
    m.zoomIn->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    m.zoomOut = entry(view, QStringLiteral("縮小"), "zoomOut");
    m.zoomOut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    m.zoomActual = entry(view, QStringLiteral("100%"), "zoomActual");
    m.zoomActual->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    m.zoomFit = entry(view, QStringLiteral("ページ全体"), "zoomFit");
    for (QAction* zoom : {m.zoomIn, m.zoomOut, m.zoomActual, m.zoomFit})
        zoom->setShortcutContext(Qt::WindowShortcut);
    view->addSeparator();
    m.bleedGuide = entry(view, QStringLiteral("塗り足し線を表示"), "bleedGuide");
    m.safetyGuide = entry(view, QStringLiteral("安全線を表示"), "safetyGuide");

    QMenu* tools = bar->addMenu(QStringLiteral("ツール(&T)"));
    tools->setObjectName(QStringLiteral("toolsMenu"));
    m.ownDays = entry(tools, QStringLiteral("予定・休日の設定(&D)..."), "ownDays");
    m.options = entry(tools, QStringLiteral("オプション(&O)..."), "options");

    QMenu* help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->setObjectName(QStringLiteral("helpMenu"));
    m.help = entry(help, QStringLiteral("ヘルプ(&H)"), "help");
    help->addSeparator();
    m.about = entry(help, QStringLiteral("バージョン情報(&V)..."), "about");

    m.copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    m.paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    for (QAction* keyed : {m.layoutRead, m.layoutSave, m.overwriteSave, m.newData, m.print, m.exit,
                           m.undo, m.redo, m.copy, m.paste})
        keyed->setShortcutContext(Qt::WindowShortcut);
    return m;
}

} // namespace tobirae
