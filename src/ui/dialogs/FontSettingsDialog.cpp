#include "ui/dialogs/FontSettingsDialog.h"

#include "bitmap/Primitives.h"
#include "render/RenderFrame.h"
#include "ui/dialogs/ColourConversion.h"
#include "ui/dialogs/ColourSwatch.h"
#include "ui/dialogs/DialogButtons.h"
#include "ui/dialogs/ItemDialogRules.h"
#include "ui/dialogs/UserPrompts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tobirae {

namespace {

const QString kSampleText = QStringLiteral("Aaあぁアァ亜字");
const QString kFallbackFace = QStringLiteral("ＭＳ ゴシック");

} // namespace

// The sample text in the chosen font, horizontally or one character under the other.
class FontPreview final : public QWidget {
public:
    explicit FontPreview(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("previewView"));
        setMinimumSize(320, 140);
        setAutoFillBackground(true);
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, Qt::white);
        setPalette(palette);
    }
    void show(const QFont& font, const QColor& colour, bool vertical) {
        font_ = font;
        colour_ = colour;
        vertical_ = vertical;
        update();
    }
    const QFont& shownFont() const { return font_; }

    // The chosen font, made smaller when the sample would not fit the box at its size.
    QFont drawnFont() const {
        QFont font = font_;
        const QRect room = rect().adjusted(kMargin, kMargin, -kMargin, -kMargin);
        for (int step = 0; step < 64 && font.pixelSize() > 1; ++step) {
            const QFontMetrics metrics(font);
            const bool fits = vertical_ ? metrics.height() * kSampleText.size() <= room.height() &&
                                              metrics.maxWidth() <= room.width()
                                        : metrics.horizontalAdvance(kSampleText) <= room.width() &&
                                              metrics.height() <= room.height();
            if (fits)
                break;
            font.setPixelSize(std::max(1, font.pixelSize() * 9 / 10));
        }
        return font;
    }
    bool reduced() const { return drawnFont().pixelSize() < font_.pixelSize(); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setClipRect(rect());
        const QFont font = drawnFont();
        painter.setFont(font);
        painter.setPen(colour_);
        const QFontMetrics metrics(font);
        if (!vertical_) {
            painter.drawText(rect(), Qt::AlignCenter, kSampleText);
            return;
        }
        int y = metrics.ascent() + kMargin;
        for (const QChar c : kSampleText) {
            painter.drawText(QRect(0, y - metrics.ascent(), width(), metrics.height()),
                             Qt::AlignHCenter, QString(c));
            y += metrics.height();
        }
    }

private:
    static constexpr int kMargin = 4;
    QFont font_;
    QColor colour_;
    bool vertical_ = false;
};

FontSettingsDialog::FontSettingsDialog(const FontSpec& font, bool textColourLocked, UserPrompts& prompts,
                     const QStringList& faces, QWidget* parent)
    : QDialog(parent), font_(font), prompts_(prompts), faces_(faces) {
    setWindowTitle(QStringLiteral("フォントの設定"));

    nameEdit_ = new QLineEdit(this);
    nameEdit_->setObjectName(QStringLiteral("nameEdit"));
    nameList_ = new QListWidget(this);
    nameList_->setObjectName(QStringLiteral("nameList"));
    const QStringList windowsFaces = substitutedFaces();
    for (const QString& face : faces_) {
        auto* entry = new QListWidgetItem(face, nameList_);
        if (windowsFaces.contains(face)) {
            // Layouts name Windows faces; show which installed face draws them.
            const QString family = substituteFace(face);
            entry->setFont(QFont(family));
            entry->setToolTip(QStringLiteral("%1で描画します").arg(family));
        }
    }
    sizeEdit_ = new QLineEdit(this);
    sizeEdit_->setObjectName(QStringLiteral("sizeEdit"));
    sizeList_ = new QListWidget(this);
    sizeList_->setObjectName(QStringLiteral("sizeList"));
    for (const int size : fontSizeChoices())
        sizeList_->addItem(QString::number(size));
    boldCheck_ = new QCheckBox(QStringLiteral("太字(&B)"), this);
    boldCheck_->setObjectName(QStringLiteral("boldCheck"));
    italicCheck_ = new QCheckBox(QStringLiteral("斜体(&I)"), this);
    italicCheck_->setObjectName(QStringLiteral("italicCheck"));

    auto* colourGrid = new QGridLayout;
    const std::array<QString, 2> colourCaptions{QStringLiteral("文字色(&C):"),
                                                QStringLiteral("背景色(&C):")};
    for (int i = 0; i < 2; ++i) {
        auto* label = new QLabel(colourCaptions[i], this);
        colourSwatch_[i] = new ColourSwatch(QStringLiteral("colourSwatch%1").arg(i), this);
        colourButton_[i] = new QPushButton(QStringLiteral("参照..."), this);
        colourButton_[i]->setObjectName(QStringLiteral("colourButton%1").arg(i));
        label->setBuddy(colourButton_[i]);
        connect(colourButton_[i], &QPushButton::clicked, this, [this, i] { pickColour(i); });
        colourGrid->addWidget(label, i, 0);
        colourGrid->addWidget(colourSwatch_[i], i, 1);
        colourGrid->addWidget(colourButton_[i], i, 2);
        if (i == 0)
            textColourLabel_ = label;
    }

    auto* direction = new QGroupBox(QStringLiteral("表示形式"), this);
    horizontalChoice_ = new QRadioButton(QStringLiteral("横(&L)"), direction);
    horizontalChoice_->setObjectName(QStringLiteral("directionChoice0"));
    verticalChoice_ = new QRadioButton(QStringLiteral("縦(&P)"), direction);
    verticalChoice_->setObjectName(QStringLiteral("directionChoice1"));
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(horizontalChoice_);
    directionLayout->addWidget(verticalChoice_);

    previewView_ = new FontPreview(this);
    drawnWithLabel_ = new QLabel(this);
    drawnWithLabel_->setObjectName(QStringLiteral("drawnWithLabel"));

    // The stored values into the controls; no reaction runs while they are set.
    nameEdit_->setText(font_.FaceName.text());
    const int faceIndex = static_cast<int>(faces_.indexOf(nameEdit_->text()));
    nameList_->setCurrentRow(faceIndex);
    if (font_.Size != 0) {
        sizeEdit_->setText(QString::number(font_.Size));
        const auto& sizes = fontSizeChoices();
        const auto found = std::find(sizes.begin(), sizes.end(), font_.Size);
        sizeList_->setCurrentRow(found == sizes.end() ? -1
                                                     : static_cast<int>(found - sizes.begin()));
    } else {
        sizeList_->setCurrentRow(-1);
    }
    boldCheck_->setChecked(isTrue(font_.Bold));
    italicCheck_->setChecked(isTrue(font_.Italic));
    colours_ = {colourFromText(font_.ForeColor.text(), 0),
                colourFromText(font_.BackColor.text(), 0)};
    openedColours_ = colours_;
    colourSwatch_[0]->setColour(colours_[0]);
    colourSwatch_[1]->setColour(colours_[1]);
    // 0 and 2 are both horizontal text; only a change of the buttons rewrites the value.
    openedVertical_ = font_.Vertical == 1;
    (openedVertical_ ? verticalChoice_ : horizontalChoice_)->setChecked(true);
    textColourLabel_->setEnabled(!textColourLocked);
    colourSwatch_[0]->setEnabled(!textColourLocked);
    colourButton_[0]->setEnabled(!textColourLocked);
    openedFace_ = nameEdit_->text();
    openedSize_ = sizeEdit_->text();

    connect(nameEdit_, &QLineEdit::textEdited, this, &FontSettingsDialog::faceTyped);
    connect(nameList_, &QListWidget::itemClicked, this, &FontSettingsDialog::faceChosen);
    // Arrow keys in a list choose as a click does; a selection made by typing does not.
    connect(nameList_, &QListWidget::currentRowChanged, this, [this] {
        if (nameList_->hasFocus())
            faceChosen();
        else
            updatePreview();
    });
    connect(sizeList_, &QListWidget::currentRowChanged, this, [this] {
        if (sizeList_->hasFocus())
            sizeChosen();
    });
    connect(sizeEdit_, &QLineEdit::textEdited, this, &FontSettingsDialog::sizeTyped);
    connect(sizeList_, &QListWidget::itemClicked, this, &FontSettingsDialog::sizeChosen);
    for (QAbstractButton* button :
         {static_cast<QAbstractButton*>(boldCheck_), static_cast<QAbstractButton*>(italicCheck_),
          static_cast<QAbstractButton*>(horizontalChoice_),
          static_cast<QAbstractButton*>(verticalChoice_)})
        connect(button, &QAbstractButton::toggled, this, &FontSettingsDialog::updatePreview);

    auto* buttons = okCancelButtons(this, QStringLiteral("OK"), QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &FontSettingsDialog::acceptEntries);

    auto* grid = new QGridLayout;
    auto* faceLabel = new QLabel(QStringLiteral("フォント名(&F):"), this);
    faceLabel->setBuddy(nameEdit_);
    auto* sizeLabel = new QLabel(QStringLiteral("サイズ(&S):"), this);
    sizeLabel->setBuddy(sizeEdit_);
    grid->addWidget(faceLabel, 0, 0);
    grid->addWidget(sizeLabel, 0, 1);
    grid->addWidget(nameEdit_, 1, 0);
    grid->addWidget(sizeEdit_, 1, 1);
    grid->addWidget(nameList_, 2, 0);
    grid->addWidget(sizeList_, 2, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 1);
    auto* options = new QHBoxLayout;
    auto* styleColumn = new QVBoxLayout;
    styleColumn->addWidget(boldCheck_);
    styleColumn->addWidget(italicCheck_);
    options->addLayout(styleColumn);
    options->addLayout(colourGrid);
    options->addWidget(direction);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(options);
    layout->addWidget(previewView_);
    layout->addWidget(drawnWithLabel_);
    layout->addWidget(buttons);

    updatePreview();
}

QString FontSettingsDialog::shownFace() const {
    const QListWidgetItem* current = nameList_->currentItem();
    return current && nameList_->currentRow() >= 0 ? current->text() : kFallbackFace;
}

void FontSettingsDialog::faceTyped(const QString& text) {
    const int match = matchingFaceIndex(faces_, text);
    if (match >= 0)
        nameList_->setCurrentRow(match);
}

void FontSettingsDialog::faceChosen() {
    if (const QListWidgetItem* current = nameList_->currentItem()) {
        nameEdit_->setText(current->text());
        nameEdit_->selectAll();
    }
    updatePreview();
}

void FontSettingsDialog::sizeTyped(const QString& text) {
    for (int row = 0; row < sizeList_->count(); ++row) {
        if (faceNameKey(sizeList_->item(row)->text()) == faceNameKey(text.trimmed())) {
            sizeList_->setCurrentRow(row);
            break;
        }
    }
    updatePreview();
}

void FontSettingsDialog::sizeChosen() {
    if (const QListWidgetItem* current = sizeList_->currentItem()) {
        sizeEdit_->setText(current->text());
        sizeEdit_->selectAll();
    }
    updatePreview();
}

void FontSettingsDialog::pickColour(int which) {
    const auto chosen = prompts_.pickColour(
        qColorFromBgr(colours_[static_cast<std::size_t>(which)]), colourPickerTitle());
    if (!chosen)
        return;
    colours_[static_cast<std::size_t>(which)] = bgrFromQColor(*chosen);
    colourSwatch_[static_cast<std::size_t>(which)]->setColour(
        colours_[static_cast<std::size_t>(which)]);
    updatePreview();
}

void FontSettingsDialog::updatePreview() {
    const QString family = substituteFace(shownFace());
    int points = 0;
    const TypedNumber typed = typedNumber(sizeEdit_->text(), kMinFontSize, kMaxFontSize);
    if (typed.outcome == TypedNumber::Accepted)
        points = typed.value;
    else if (sizeList_->currentItem() && sizeList_->currentRow() >= 0)
        points = sizeList_->currentItem()->text().toInt();
    QFont font(family);
    // The preview shows sizes as the editor's canvas does (96 pixels per inch), within its box.
    font.setPixelSize(std::clamp(points * 96 / 72, 1, 120));
    font.setBold(boldCheck_->isChecked());
    font.setItalic(italicCheck_->isChecked());
    previewView_->show(font, qColorFromBgr(colours_[0]), verticalChoice_->isChecked());
    drawnWithLabel_->setText(previewView_->reduced()
                               ? QStringLiteral("描画に使うフォント: %1 (縮小して表示)").arg(family)
                               : QStringLiteral("描画に使うフォント: %1").arg(family));
}

void FontSettingsDialog::acceptEntries() {
    FontSpec edited = font_;
    if (nameEdit_->text() != openedFace_) {
        const QString face = nameEdit_->text().trimmed();
        const StoredTextProblem problem = storedTextProblem(face, 64);
        if (problem != StoredTextProblem::None) {
            prompts_.message(storedTextMessage(problem, QStringLiteral("フォント名"), 64));
            nameEdit_->setFocus();
            return;
        }
        edited.FaceName.setText(face);
    }
    if (sizeEdit_->text() != openedSize_) {
        if (sizeEdit_->text().trimmed().isEmpty()) {
            edited.Size = 0;
        } else {
            const TypedNumber size = typedNumber(sizeEdit_->text(), kMinFontSize, kMaxFontSize);
            if (size.outcome != TypedNumber::Accepted) {
                prompts_.message(QStringLiteral("サイズには%1から%2までの数値を入力してください。")
                                     .arg(kMinFontSize)
                                     .arg(kMaxFontSize));
                sizeEdit_->setText(openedSize_);
                sizeTyped(openedSize_);
                sizeEdit_->setFocus();
                return;
            }
            edited.Size = size.value;
        }
    }
    if (boldCheck_->isChecked() != isTrue(font_.Bold))
        edited.Bold = toB16(boldCheck_->isChecked());
    if (italicCheck_->isChecked() != isTrue(font_.Italic))
        edited.Italic = toB16(italicCheck_->isChecked());
    if (colours_[0] != openedColours_[0])
        edited.ForeColor.setText(QString::number(colours_[0]));
    if (colours_[1] != openedColours_[1])
        edited.BackColor.setText(QString::number(colours_[1]));
    if (verticalChoice_->isChecked() != openedVertical_)
        edited.Vertical = verticalChoice_->isChecked() ? 1 : 0;
    font_ = edited;
    accept();
}

} // namespace tobirae
