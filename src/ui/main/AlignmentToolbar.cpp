#include "ui/main/AlignmentToolbar.h"

#include "ui/main/MainMenus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QToolBar>
#include <array>

namespace tobirae {

namespace {

const QColor kPageFrame(0x70, 0x70, 0x70);
const QColor kItem(0x2E, 0x6F, 0xB8);
const QColor kGuide(0xD0, 0x30, 0x30);

// An arrow from `from` to `to` with a small head.
void arrow(QPainter& p, QPointF from, QPointF to) {
    p.drawLine(from, to);
    const QLineF shaft(to, from);
    for (const qreal turn : {30.0, -30.0}) {
        QLineF head(to, from);
        head.setLength(std::min(4.0, shaft.length()));
        head.setAngle(shaft.angle() + turn);
        p.drawLine(head);
    }
}

// Drawn on a 24-unit square.
void paint(QPainter& p, AlignmentIcon kind) {
    const QRectF page(2.5, 2.5, 19, 19);
    QPen framePen(kPageFrame, 1);
    p.setPen(framePen);
    p.setBrush(Qt::white);
    p.drawRect(page);
    QPen guidePen(kGuide, 1.2, Qt::DashLine);
    QPen arrowPen(Qt::black, 1.4);
    const auto item = [&p](QRectF box) {
        p.setPen(Qt::NoPen);
        p.setBrush(kItem);
        p.drawRect(box);
    };
    switch (kind) {
    case AlignmentIcon::HCenter:
        p.setPen(guidePen);
        p.drawLine(QPointF(12, 3), QPointF(12, 21));
        item(QRectF(8, 9, 8, 6));
        p.setPen(arrowPen);
        arrow(p, QPointF(3.5, 18), QPointF(7.5, 18));
        arrow(p, QPointF(20.5, 18), QPointF(16.5, 18));
        break;
    case AlignmentIcon::VCenter:
        p.setPen(guidePen);
        p.drawLine(QPointF(3, 12), QPointF(21, 12));
        item(QRectF(9, 8, 6, 8));
        p.setPen(arrowPen);
        arrow(p, QPointF(18, 3.5), QPointF(18, 7.5));
        arrow(p, QPointF(18, 20.5), QPointF(18, 16.5));
        break;
    case AlignmentIcon::EdgeLeft:
        item(QRectF(3, 8, 7, 8));
        p.setPen(arrowPen);
        arrow(p, QPointF(19, 12), QPointF(12, 12));
        break;
    case AlignmentIcon::EdgeRight:
        item(QRectF(14, 8, 7, 8));
        p.setPen(arrowPen);
        arrow(p, QPointF(5, 12), QPointF(12, 12));
        break;
    case AlignmentIcon::EdgeTop:
        item(QRectF(8, 3, 8, 7));
        p.setPen(arrowPen);
        arrow(p, QPointF(12, 19), QPointF(12, 12));
        break;
    case AlignmentIcon::EdgeBottom:
        item(QRectF(8, 14, 8, 7));
        p.setPen(arrowPen);
        arrow(p, QPointF(12, 5), QPointF(12, 12));
        break;
    case AlignmentIcon::LineLeft:
        item(QRectF(9, 8, 7, 8));
        p.setPen(guidePen);
        p.drawLine(QPointF(8.5, 3), QPointF(8.5, 21));
        p.setPen(arrowPen);
        arrow(p, QPointF(20, 19), QPointF(10, 19));
        break;
    case AlignmentIcon::LineRight:
        item(QRectF(8, 8, 7, 8));
        p.setPen(guidePen);
        p.drawLine(QPointF(15.5, 3), QPointF(15.5, 21));
        p.setPen(arrowPen);
        arrow(p, QPointF(4, 19), QPointF(14, 19));
        break;
    case AlignmentIcon::LineTop:
        item(QRectF(8, 9, 8, 7));
        p.setPen(guidePen);
        p.drawLine(QPointF(3, 8.5), QPointF(21, 8.5));
        p.setPen(arrowPen);
        arrow(p, QPointF(19, 20), QPointF(19, 10));
        break;
    case AlignmentIcon::LineBottom:
        item(QRectF(8, 8, 7, 7));
        p.setPen(guidePen);
        p.drawLine(QPointF(3, 15.5), QPointF(21, 15.5));
        p.setPen(arrowPen);
        arrow(p, QPointF(19, 4), QPointF(19, 14));
        break;
    case AlignmentIcon::Placement: {
        item(QRectF(11, 11, 8, 7));
        QPen ruler(Qt::black, 1);
        p.setPen(ruler);
        p.drawLine(QPointF(4, 5), QPointF(20, 5));
        p.drawLine(QPointF(5, 4), QPointF(5, 20));
        for (int t = 8; t <= 20; t += 3) {
            p.drawLine(QPointF(t, 4), QPointF(t, 6));
            p.drawLine(QPointF(4, t), QPointF(6, t));
        }
        p.setPen(QPen(kGuide, 1, Qt::DotLine));
        p.drawLine(QPointF(11, 6), QPointF(11, 11));
        p.drawLine(QPointF(6, 11), QPointF(11, 11));
        break;
    }
    case AlignmentIcon::ZoomActual:
    case AlignmentIcon::ZoomFit: {
        p.setPen(QPen(Qt::black, 1.6));
        p.setBrush(QColor(0xE8, 0xF0, 0xFA));
        p.drawEllipse(QPointF(10, 10), 5.5, 5.5);
        p.drawLine(QPointF(14, 14), QPointF(20.5, 20.5));
        if (kind == AlignmentIcon::ZoomActual) {
            QFont font = p.font();
            font.setPixelSize(7);
            font.setBold(true);
            p.setFont(font);
            p.setPen(Qt::black);
            p.drawText(QRectF(4.5, 5, 11, 10), Qt::AlignCenter, QStringLiteral("1:1"));
        } else {
            p.setPen(QPen(kItem, 1.2));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(7.5, 7, 5, 6));
        }
        break;
    }
    }
}

} // namespace

QIcon alignmentIcon(AlignmentIcon kind) {
    QIcon icon;
    for (const int side : {16, 24, 32}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(side / 24.0, side / 24.0);
        paint(painter, kind);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QToolBar* buildAlignmentToolbar(QMainWindow& window, const MainMenus& menus) {
    struct Entry {
        QAction* action;
        AlignmentIcon icon;
        QKeySequence key;
        const char16_t* tip; // the toolbar's short word for it
    };
    const int cs = Qt::CTRL | Qt::SHIFT;
    const int ca = Qt::CTRL | Qt::ALT;
    const std::array<Entry, 13> entries{{
        {menus.moveHCenter, AlignmentIcon::HCenter, QKeySequence(cs | Qt::Key_H), u"左右中央"},
        {menus.moveVCenter, AlignmentIcon::VCenter, QKeySequence(cs | Qt::Key_V), u"上下中央"},
        {menus.moveLeft, AlignmentIcon::EdgeLeft, QKeySequence(cs | Qt::Key_Left), u"左端へ"},
        {menus.moveRight, AlignmentIcon::EdgeRight, QKeySequence(cs | Qt::Key_Right), u"右端へ"},
        {menus.moveTop, AlignmentIcon::EdgeTop, QKeySequence(cs | Qt::Key_Up), u"上端へ"},
        {menus.moveBottom, AlignmentIcon::EdgeBottom, QKeySequence(cs | Qt::Key_Down), u"下端へ"},
        {menus.combineLeft, AlignmentIcon::LineLeft, QKeySequence(ca | Qt::Key_Left),
         u"編集ラインに左端"},
        {menus.combineRight, AlignmentIcon::LineRight, QKeySequence(ca | Qt::Key_Right),
         u"編集ラインに右端"},
        {menus.combineTop, AlignmentIcon::LineTop, QKeySequence(ca | Qt::Key_Up),
         u"編集ラインに上端"},
        {menus.combineBottom, AlignmentIcon::LineBottom, QKeySequence(ca | Qt::Key_Down),
         u"編集ラインに下端"},
        {menus.placement, AlignmentIcon::Placement, QKeySequence(cs | Qt::Key_P), u"配置指定"},
        {menus.zoomActual, AlignmentIcon::ZoomActual, QKeySequence(Qt::CTRL | Qt::Key_0), u"100%"},
        {menus.zoomFit, AlignmentIcon::ZoomFit, QKeySequence(Qt::CTRL | Qt::Key_9), u"ページ全体"},
    }};
    auto* bar = new QToolBar(QStringLiteral("配置"), &window);
    bar->setObjectName(QStringLiteral("alignToolbar"));
    bar->setIconSize(QSize(24, 24));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        e.action->setIcon(alignmentIcon(e.icon));
        e.action->setShortcut(e.key);
        e.action->setShortcutContext(Qt::WindowShortcut);
        e.action->setToolTip(QStringLiteral("%1 (%2)").arg(
            e.action->text(), e.key.toString(QKeySequence::NativeText)));
        e.action->setIconText(QString::fromUtf16(e.tip));
        window.addAction(e.action);
        bar->addAction(e.action);
        // Groups: centring, edges, edit lines, the dialog, the zooms.
        if (i == 1 || i == 5 || i == 9 || i == 10)
            bar->addSeparator();
    }
    window.addToolBar(Qt::TopToolBarArea, bar);
    QAction* shown = bar->toggleViewAction();
    shown->setText(QStringLiteral("配置ツールバー"));
    shown->setObjectName(QStringLiteral("alignToolbarAction"));
    if (QMenu* view = window.findChild<QMenu*>(QStringLiteral("viewMenu"))) {
        view->addSeparator();
        view->addAction(shown);
    }
    return bar;
}

} // namespace tobirae
