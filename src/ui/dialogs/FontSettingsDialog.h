// The font dialog "フォントの設定": face, size, bold, italic, the two colours and the writing
// direction of one FontSpec, with a preview.
#pragma once

#include "document/LayoutItem.h"

#include <QDialog>
#include <QStringList>
#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace tobirae {

class ColourSwatch;
class FontPreview;
class UserPrompts;

class FontSettingsDialog final : public QDialog {
    Q_OBJECT
public:
    // textColourLocked disables the text colour (date numbers and weekday names take their
    // colours from the item's colour tables). faces is the face list in the order offered.
    FontSettingsDialog(const FontSpec& font, bool textColourLocked, UserPrompts& prompts,
              const QStringList& faces, QWidget* parent = nullptr);

    // The edited FontSpec after OK; the one passed in otherwise. Fields whose control the user
    // did not change keep their stored bytes.
    const FontSpec& font() const { return font_; }

private:
    void faceTyped(const QString& text);
    void faceChosen();
    void sizeTyped(const QString& text);
    void sizeChosen();
    void pickColour(int which);
    void updatePreview();
    void acceptEntries();
    QString shownFace() const;

    FontSpec font_;
    UserPrompts& prompts_;
    QStringList faces_;
    // What the controls showed when the dialog opened, to tell untouched fields apart.
    QString openedFace_;
    QString openedSize_;
    bool openedVertical_ = false;
    std::array<Colour, 2> colours_{};
    std::array<Colour, 2> openedColours_{};

    QLineEdit* nameEdit_;
    QListWidget* nameList_;
    QLineEdit* sizeEdit_;
    QListWidget* sizeList_;
    QCheckBox* boldCheck_;
    QCheckBox* italicCheck_;
    std::array<ColourSwatch*, 2> colourSwatch_{};
    std::array<QPushButton*, 2> colourButton_{};
    QLabel* textColourLabel_;
    QRadioButton* horizontalChoice_;
    QRadioButton* verticalChoice_;
    QLabel* drawnWithLabel_;
    FontPreview* previewView_;
};

} // namespace tobirae
