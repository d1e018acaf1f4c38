// A small framed patch of colour beside a colour button.
#pragma once

#include "document/LayoutItem.h"

#include <QFrame>

namespace tobirae {

class ColourSwatch final : public QFrame {
public:
    ColourSwatch(const QString& objectName, QWidget* parent);
    void setColour(Colour bgr);
};

// Paints a button's face in a colour (the region buttons of the background-colour dialog).
void paintButtonFace(QWidget* button, Colour bgr);

} // namespace tobirae
