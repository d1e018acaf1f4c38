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
        setObjectName(QStringLiteral("Pic_Preview"));
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

    Txt_Name = new QLineEdit(this);
    Txt_Name->setObjectName(QStringLiteral("Txt_Name"));
    Lst_Name = new QListWidget(this);
    Lst_Name->setObjectName(QStringLiteral("Lst_Name"));
    const QStringList windowsFaces = substitutedFaces();
    for (const QString& face : faces_) {
        auto* entry = new QListWidgetItem(face, Lst_Name);
        if (windowsFaces.contains(face)) {
            // Layouts name Windows faces; show which installed face draws them.
            const QString family = substituteFace(face);
            entry->setFont(QFont(family));
            entry->setToolTip(QStringLiteral("%1で描画します").arg(family));
        }
    }
    Txt_Size = new QLineEdit(this);
    Txt_Size->setObjectName(QStringLiteral("Txt_Size"));
    Lst_Size = new QListWidget(this);
    Lst_Size->setObjectName(QStringLiteral("Lst_Size"));
    for (const int size : fontSizeChoices())
        Lst_Size->addItem(QString::number(size));
    Chk_Bold = new QCheckBox(QStringLiteral("太字(&B)"), this);
    Chk_Bold->setObjectName(QStringLiteral("Chk_Bold"));
    Chk_Italic = new QCheckBox(QStringLiteral("斜体(&I)"), this);
    Chk_Italic->setObjectName(QStringLiteral("Chk_Italic"));

    auto* colourGrid = new QGridLayout;
    const std::array<QString, 2> colourCaptions{QStringLiteral("文字色(&C):"),
                                                QStringLiteral("背景色(&C):")};
    for (int i = 0; i < 2; ++i) {
        auto* label = new QLabel(colourCaptions[i], this);
        Pic_Color[i] = new ColourSwatch(QStringLiteral("Pic_Color%1").arg(i), this);
        Cmd_Color[i] = new QPushButton(QStringLiteral("参照..."), this);
        Cmd_Color[i]->setObjectName(QStringLiteral("Cmd_Color%1").arg(i));
        label->setBuddy(Cmd_Color[i]);
        connect(Cmd_Color[i], &QPushButton::clicked, this, [this, i] { pickColour(i); });
        colourGrid->addWidget(label, i, 0);
        colourGrid->addWidget(Pic_Color[i], i, 1);
        colourGrid->addWidget(Cmd_Color[i], i, 2);
        if (i == 0)
            Lbl_TextColour = label;
    }

    auto* direction = new QGroupBox(QStringLiteral("表示形式"), this);
    Opt_Horizontal = new QRadioButton(QStringLiteral("横(&L)"), direction);
    Opt_Horizontal->setObjectName(QStringLiteral("Opt_Direction0"));
    Opt_Vertical = new QRadioButton(QStringLiteral("縦(&P)"), direction);
    Opt_Vertical->setObjectName(QStringLiteral("Opt_Direction1"));
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(Opt_Horizontal);
    directionLayout->addWidget(Opt_Vertical);

    Pic_Preview = new FontPreview(this);
    Lbl_DrawnWith = new QLabel(this);
    Lbl_DrawnWith->setObjectName(QStringLiteral("Lbl_DrawnWith"));

    // The stored values into the controls; no reaction runs while they are set.
    Txt_Name->setText(font_.FaceName.text());
    const int faceIndex = static_cast<int>(faces_.indexOf(Txt_Name->text()));
    Lst_Name->setCurrentRow(faceIndex);
    if (font_.Size != 0) {
        Txt_Size->setText(QString::number(font_.Size));
        const auto& sizes = fontSizeChoices();
        const auto found = std::find(sizes.begin(), sizes.end(), font_.Size);
        Lst_Size->setCurrentRow(found == sizes.end() ? -1
                                                     : static_cast<int>(found - sizes.begin()));
    } else {
        Lst_Size->setCurrentRow(-1);
    }
    Chk_Bold->setChecked(isTrue(font_.Bold));
    Chk_Italic->setChecked(isTrue(font_.Italic));
    colours_ = {colourFromText(font_.ForeColor.text(), 0),
                colourFromText(font_.BackColor.text(), 0)};
    openedColours_ = colours_;
    Pic_Color[0]->setColour(colours_[0]);
    Pic_Color[1]->setColour(colours_[1]);
    // 0 and 2 are both horizontal text; only a change of the buttons rewrites the value.
    openedVertical_ = font_.Vertical == 1;
    (openedVertical_ ? Opt_Vertical : Opt_Horizontal)->setChecked(true);
    Lbl_TextColour->setEnabled(!textColourLocked);
    Pic_Color[0]->setEnabled(!textColourLocked);
    Cmd_Color[0]->setEnabled(!textColourLocked);
    openedFace_ = Txt_Name->text();
    openedSize_ = Txt_Size->text();

    connect(Txt_Name, &QLineEdit::textEdited, this, &FontSettingsDialog::faceTyped);
    connect(Lst_Name, &QListWidget::itemClicked, this, &FontSettingsDialog::faceChosen);
    // Arrow keys in a list choose as a click does; a selection made by typing does not.
    connect(Lst_Name, &QListWidget::currentRowChanged, this, [this] {
        if (Lst_Name->hasFocus())
            faceChosen();
        else
            updatePreview();
    });
    connect(Lst_Size, &QListWidget::currentRowChanged, this, [this] {
        if (Lst_Size->hasFocus())
            sizeChosen();
    });
    connect(Txt_Size, &QLineEdit::textEdited, this, &FontSettingsDialog::sizeTyped);
    connect(Lst_Size, &QListWidget::itemClicked, this, &FontSettingsDialog::sizeChosen);
    for (QAbstractButton* button :
         {static_cast<QAbstractButton*>(Chk_Bold), static_cast<QAbstractButton*>(Chk_Italic),
          static_cast<QAbstractButton*>(Opt_Horizontal),
          static_cast<QAbstractButton*>(Opt_Vertical)})
        connect(button, &QAbstractButton::toggled, this, &FontSettingsDialog::updatePreview);

    auto* buttons = okCancelButtons(this, QStringLiteral("OK"), QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &FontSettingsDialog::acceptEntries);

    auto* grid = new QGridLayout;
    auto* faceLabel = new QLabel(QStringLiteral("フォント名(&F):"), this);
    faceLabel->setBuddy(Txt_Name);
    auto* sizeLabel = new QLabel(QStringLiteral("サイズ(&S):"), this);
    sizeLabel->setBuddy(Txt_Size);
    grid->addWidget(faceLabel, 0, 0);
    grid->addWidget(sizeLabel, 0, 1);
    grid->addWidget(Txt_Name, 1, 0);
    grid->addWidget(Txt_Size, 1, 1);
    grid->addWidget(Lst_Name, 2, 0);
    grid->addWidget(Lst_Size, 2, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 1);
    auto* options = new QHBoxLayout;
    auto* styleColumn = new QVBoxLayout;
    styleColumn->addWidget(Chk_Bold);
    styleColumn->addWidget(Chk_Italic);
    options->addLayout(styleColumn);
    options->addLayout(colourGrid);
    options->addWidget(direction);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(options);
    layout->addWidget(Pic_Preview);
    layout->addWidget(Lbl_DrawnWith);
    layout->addWidget(buttons);

    updatePreview();
}

QString FontSettingsDialog::shownFace() const {
    const QListWidgetItem* current = Lst_Name->currentItem();
    return current && Lst_Name->currentRow() >= 0 ? current->text() : kFallbackFace;
}

void FontSettingsDialog::faceTyped(const QString& text) {
    const int match = matchingFaceIndex(faces_, text);
    if (match >= 0)
        Lst_Name->setCurrentRow(match);
}

void FontSettingsDialog::faceChosen() {
    if (const QListWidgetItem* current = Lst_Name->currentItem()) {
        Txt_Name->setText(current->text());
        Txt_Name->selectAll();
    }
    updatePreview();
}

void FontSettingsDialog::sizeTyped(const QString& text) {
    for (int row = 0; row < Lst_Size->count(); ++row) {
        if (faceNameKey(Lst_Size->item(row)->text()) == faceNameKey(text.trimmed())) {
            Lst_Size->setCurrentRow(row);
            break;
        }
    }
    updatePreview();
}

void FontSettingsDialog::sizeChosen() {
    if (const QListWidgetItem* current = Lst_Size->currentItem()) {
        Txt_Size->setText(current->text());
        Txt_Size->selectAll();
    }
    updatePreview();
}

void FontSettingsDialog::pickColour(int which) {
    const auto chosen = prompts_.pickColour(
        qColorFromBgr(colours_[static_cast<std::size_t>(which)]), colourPickerTitle());
    if (!chosen)
        return;
    colours_[static_cast<std::size_t>(which)] = bgrFromQColor(*chosen);
    Pic_Color[static_cast<std::size_t>(which)]->setColour(
        colours_[static_cast<std::size_t>(which)]);
    updatePreview();
}

void FontSettingsDialog::updatePreview() {
    const QString family = substituteFace(shownFace());
    int points = 0;
    const TypedNumber typed = typedNumber(Txt_Size->text(), kMinFontSize, kMaxFontSize);
    if (typed.outcome == TypedNumber::Accepted)
        points = typed.value;
    else if (Lst_Size->currentItem() && Lst_Size->currentRow() >= 0)
        points = Lst_Size->currentItem()->text().toInt();
    QFont font(family);
    // The preview shows sizes as the editor's canvas does (96 pixels per inch), within its box.
    font.setPixelSize(std::clamp(points * 96 / 72, 1, 120));
    font.setBold(Chk_Bold->isChecked());
    font.setItalic(Chk_Italic->isChecked());
    Pic_Preview->show(font, qColorFromBgr(colours_[0]), Opt_Vertical->isChecked());
    Lbl_DrawnWith->setText(Pic_Preview->reduced()
                               ? QStringLiteral("描画に使うフォント: %1 (縮小して表示)").arg(family)
                               : QStringLiteral("描画に使うフォント: %1").arg(family));
}

void FontSettingsDialog::acceptEntries() {
    FontSpec edited = font_;
    if (Txt_Name->text() != openedFace_) {
        const QString face = Txt_Name->text().trimmed();
        const StoredTextProblem problem = storedTextProblem(face, 64);
        if (problem != StoredTextProblem::None) {
            prompts_.message(storedTextMessage(problem, QStringLiteral("フォント名"), 64));
            Txt_Name->setFocus();
            return;
        }
        edited.FaceName.setText(face);
    }
    if (Txt_Size->text() != openedSize_) {
        if (Txt_Size->text().trimmed().isEmpty()) {
            edited.Size = 0;
        } else {
            const TypedNumber size = typedNumber(Txt_Size->text(), kMinFontSize, kMaxFontSize);
            if (size.outcome != TypedNumber::Accepted) {
                prompts_.message(QStringLiteral("サイズには%1から%2までの数値を入力してください。")
                                     .arg(kMinFontSize)
                                     .arg(kMaxFontSize));
                Txt_Size->setText(openedSize_);
                sizeTyped(openedSize_);
                Txt_Size->setFocus();
                return;
            }
            edited.Size = size.value;
        }
    }
    if (Chk_Bold->isChecked() != isTrue(font_.Bold))
        edited.Bold = toB16(Chk_Bold->isChecked());
    if (Chk_Italic->isChecked() != isTrue(font_.Italic))
        edited.Italic = toB16(Chk_Italic->isChecked());
    if (colours_[0] != openedColours_[0])
        edited.ForeColor.setText(QString::number(colours_[0]));
    if (colours_[1] != openedColours_[1])
        edited.BackColor.setText(QString::number(colours_[1]));
    if (Opt_Vertical->isChecked() != openedVertical_)
        edited.Vertical = Opt_Vertical->isChecked() ? 1 : 0;
    font_ = edited;
    accept();
}

} // namespace tobirae
