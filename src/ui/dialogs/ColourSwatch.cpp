#include "ui/dialogs/ColourSwatch.h"

#include "ui/dialogs/ColourConversion.h"

namespace tobirae {

ColourSwatch::ColourSwatch(const QString& objectName, QWidget* parent) : QFrame(parent) {
    setObjectName(objectName);
    setFixedSize(32, 20);
    setAutoFillBackground(true);
    setFrameShape(QFrame::Box);
}

void ColourSwatch::setColour(Colour bgr) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, qColorFromBgr(bgr));
    setPalette(palette);
}

void paintButtonFace(QWidget* button, Colour bgr) {
    const QColor colour = qColorFromBgr(bgr);
    const QColor text = colour.lightness() < 128 ? Qt::white : Qt::black;
    button->setStyleSheet(
        QStringLiteral("background-color: %1; color: %2;").arg(colour.name(), text.name()));
}

} // namespace tobirae
