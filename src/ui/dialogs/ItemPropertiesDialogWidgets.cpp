// The controls of the item property dialog and how they are arranged.
#include "ui/dialogs/ColourSwatch.h"
#include "ui/dialogs/DialogButtons.h"
#include "ui/dialogs/ItemDialogRules.h"
#include "ui/dialogs/ItemPropertiesDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tobirae {

namespace {

// The picture name box takes the first file dropped on it.
class DropLineEdit final : public QLineEdit {
public:
    DropLineEdit(std::function<void(const QString&)> dropped, QWidget* parent)
        : QLineEdit(parent), dropped_(std::move(dropped)) {
        setAcceptDrops(true);
    }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override {
        if (event->mimeData()->hasUrls())
            event->acceptProposedAction();
        else
            QLineEdit::dragEnterEvent(event);
    }
    void dragMoveEvent(QDragMoveEvent* event) override {
        if (event->mimeData()->hasUrls())
            event->acceptProposedAction();
        else
            QLineEdit::dragMoveEvent(event);
    }
    void dropEvent(QDropEvent* event) override {
        const auto urls = event->mimeData()->urls();
        if (urls.isEmpty() || !urls.first().isLocalFile()) {
            QLineEdit::dropEvent(event);
            return;
        }
        event->acceptProposedAction();
        dropped_(urls.first().toLocalFile());
    }

private:
    std::function<void(const QString&)> dropped_;
};

QComboBox* comboBox(const QString& name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return box;
}

QLabel* label(const QString& caption, const QString& name, QWidget* parent) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    return l;
}

// Three option buttons with values 0..2 in one group box.
QButtonGroup* optionGroup(QGroupBox* frame, const QString& name,
                          const std::array<const char16_t*, 3>& captions) {
    auto* group = new QButtonGroup(frame);
    auto* layout = new QHBoxLayout(frame);
    for (int i = 0; i < 3; ++i) {
        auto* option =
            new QRadioButton(QString::fromUtf16(captions[static_cast<std::size_t>(i)]), frame);
        option->setObjectName(name + QString::number(i));
        group->addButton(option, i);
        layout->addWidget(option);
    }
    return group;
}

// A colour swatch with its button in one row.
QHBoxLayout* colourRow(ColourSwatch* swatch, QPushButton* b) {
    auto* row = new QHBoxLayout;
    row->addWidget(swatch);
    row->addWidget(b);
    row->addStretch();
    return row;
}

} // namespace

void ItemPropertiesDialog::buildWidgets() {
    setWindowTitle(QStringLiteral("アイテム詳細設定"));
    for (int i = 0; i < 7; ++i)
        backColourSwatch_[static_cast<std::size_t>(i)] =
            new ColourSwatch(QStringLiteral("backColourSwatch%1").arg(i), this);
    const std::array<const char16_t*, 8> backCaptions{u"背景色",   u"背景色",  u"透視化色",
                                                      u"透視化色", u"詳細",    u"透視化色",
                                                      u"背景色",   u"透視化色"};
    for (int i = 0; i < 8; ++i)
        backColourButton_[static_cast<std::size_t>(i)] =
            plainButton(QString::fromUtf16(backCaptions[static_cast<std::size_t>(i)]),
                        QStringLiteral("backColourButton%1").arg(i), this);
    for (int i = 0; i < 4; ++i) {
        transparentCheck_[static_cast<std::size_t>(i)] =
            new QCheckBox(QStringLiteral("透視化する"), this);
        transparentCheck_[static_cast<std::size_t>(i)]->setObjectName(
            QStringLiteral("transparentCheck%1").arg(i));
    }

    auto* categoryRow = new QHBoxLayout;
    categoryCombo_ = comboBox(QStringLiteral("categoryCombo"), this);
    for (const StyleChoice& choice : categoryChoices())
        categoryCombo_->addItem(choice.caption, choice.value);
    categoryRow->addWidget(new QLabel(QStringLiteral("年月種類"), this));
    categoryRow->addWidget(categoryCombo_);
    categoryRow->addStretch();

    panelGroup_[0] = static_cast<QGroupBox*>(buildTitlePanel());
    panelGroup_[1] = static_cast<QGroupBox*>(buildDayPanel());
    panelGroup_[2] = static_cast<QGroupBox*>(buildPicturePanel());
    panelGroup_[3] = static_cast<QGroupBox*>(buildTextPanel());

    layoutButtons_[0] = plainButton(QStringLiteral("日付表示設定"), QStringLiteral("contentLayoutButton"), this);
    layoutButtons_[1] = plainButton(QStringLiteral("全体の罫線設定"), QStringLiteral("wholeRulesButton"), this);
    resetButton_ = plainButton(QStringLiteral("初期化"), QStringLiteral("resetButton"), this);
    auto* buttons = okCancelButtons(this, QStringLiteral("OK"), QStringLiteral("キャンセル(&C)"));
    buttons->findChild<QPushButton*>(QStringLiteral("okButton"))
        ->setObjectName(QStringLiteral("acceptButton"));
    buttons->findChild<QPushButton*>(QStringLiteral("cancelButton"))
        ->setObjectName(QStringLiteral("rejectButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ItemPropertiesDialog::acceptEntries);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(layoutButtons_[0]);
    bottom->addWidget(layoutButtons_[1]);
    bottom->addWidget(resetButton_);
    bottom->addStretch();
    bottom->addWidget(buttons);

    // One panel shows at a time; the stack keeps the window as large as the largest panel, so
    // changing the category never moves the buttons under the pointer. The size frame stands
    // beside the panels, which keeps the window low enough for a laptop screen.
    panelsStack_ = new QStackedWidget(this);
    for (QGroupBox* panel : panelGroup_)
        panelsStack_->addWidget(panel);
    panelsStack_->addWidget(new QWidget(panelsStack_)); // for a category the dialog does not know
    auto* middle = new QHBoxLayout;
    middle->addWidget(panelsStack_, 1);
    middle->addWidget(buildSizeFrame(), 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(categoryRow);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);
}

QWidget* ItemPropertiesDialog::buildTitlePanel() {
    auto* panel = new QGroupBox(this);
    panel->setObjectName(QStringLiteral("panelGroup0"));
    auto* grid = new QGridLayout(panel);
    headingStyleCombo_[0] = comboBox(QStringLiteral("headingStyleCombo0"), panel);
    headingStyleCombo_[1] = comboBox(QStringLiteral("headingStyleCombo1"), panel);
    headingStyleLabel1_ = label(QStringLiteral("月指定"), QStringLiteral("headingStyleLabel1"), panel);
    headingStyleButton_ = plainButton(QStringLiteral("フォント"), QStringLiteral("headingStyleButton"), panel);
    headingStyleLabel4_ = label(QString(), QStringLiteral("headingStyleLabel4"), panel);
    grid->addWidget(new QLabel(QStringLiteral("表示形式"), panel), 0, 0);
    grid->addWidget(headingStyleCombo_[0], 0, 1);
    grid->addWidget(headingStyleLabel1_, 1, 0);
    grid->addWidget(headingStyleCombo_[1], 1, 1);
    grid->addWidget(headingStyleButton_, 2, 0);
    grid->addWidget(headingStyleLabel4_, 2, 1);
    grid->addLayout(colourRow(backColourSwatch_[1], backColourButton_[1]), 3, 0, 1, 2);
    grid->addLayout(colourRow(backColourSwatch_[2], backColourButton_[2]), 4, 0);
    grid->addWidget(transparentCheck_[0], 4, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(5, 1);
    return panel;
}

QWidget* ItemPropertiesDialog::buildDayPanel() {
    auto* panel = new QGroupBox(this);
    panel->setObjectName(QStringLiteral("panelGroup1"));
    for (const int i : {0, 1, 2, 3, 4}) {
        calendarCombo_[static_cast<std::size_t>(i)] =
            comboBox(QStringLiteral("calendarCombo%1").arg(i), panel);
        // Wide enough for the longest entry ("Box表示(Mini 6段)") whatever is selected.
        calendarCombo_[static_cast<std::size_t>(i)]->setMinimumWidth(170);
    }
    calendarLabel_[0] = label(QStringLiteral("表示形式"), QStringLiteral("calendarLabel0"), panel);
    calendarLabel_[2] = label(QStringLiteral("曜日書式"), QStringLiteral("calendarLabel2"), panel);
    calendarLabel_[3] = label(QStringLiteral("月指定"), QStringLiteral("calendarLabel3"), panel);
    calendarLabel_[4] = label(QStringLiteral("週設定"), QStringLiteral("calendarLabel4"), panel);
    calendarLabel_[1] = label(QStringLiteral("週の始まり"), QStringLiteral("calendarLabel1"), panel);
    calendarCombo_[1]->addItem(QStringLiteral("日曜"), static_cast<int>(WeekStart::Sunday));
    calendarCombo_[1]->addItem(QStringLiteral("月曜"), static_cast<int>(WeekStart::Monday));
    for (const StyleChoice& choice : weekdayStyleChoices())
        calendarCombo_[2]->addItem(choice.caption, choice.value);
    drawRulesCheck_ = new QCheckBox(QStringLiteral("罫線をつける"), panel);
    drawRulesCheck_->setObjectName(QStringLiteral("drawRulesCheck"));
    ownNamesCheck_ = new QCheckBox(QStringLiteral("予定・休日の名前を表示"), panel);
    ownNamesCheck_->setObjectName(QStringLiteral("ownNamesCheck"));
    ownNamesCheck_->setToolTip(QStringLiteral("「予定・休日の設定」の名前を祝日名の位置に表示します。"
                                            "休日の色は表示しなくても付きます。"));

    auto* lists = new QGridLayout;
    for (const int i : {0, 3, 4, 1, 2}) {
        const int row = lists->rowCount();
        lists->addWidget(calendarLabel_[static_cast<std::size_t>(i)], row, 0);
        lists->addWidget(calendarCombo_[static_cast<std::size_t>(i)], row, 1);
    }
    lists->addWidget(drawRulesCheck_, lists->rowCount(), 0, 1, 2);
    lists->addWidget(ownNamesCheck_, lists->rowCount(), 0, 1, 2);

    auto* sizeFrame = new QGroupBox(QStringLiteral("基準枠"), panel);
    auto* sizeGrid = new QGridLayout(sizeFrame);
    const std::array<const char16_t*, 2> sizeCaptions{u"幅", u"高さ"};
    for (int i = 0; i < 2; ++i) {
        shownSizeEdit_[static_cast<std::size_t>(i)] = new QLineEdit(sizeFrame);
        shownSizeEdit_[static_cast<std::size_t>(i)]->setObjectName(
            QStringLiteral("shownSizeEdit%1").arg(i));
        shownSizeEdit_[static_cast<std::size_t>(i)]->setMaximumWidth(80);
        sizeGrid->addWidget(
            new QLabel(QString::fromUtf16(sizeCaptions[static_cast<std::size_t>(i)]), sizeFrame), i,
            0);
        sizeGrid->addWidget(shownSizeEdit_[static_cast<std::size_t>(i)], i, 1);
    }
    lists->addWidget(sizeFrame, lists->rowCount(), 0, 1, 2);

    calendarList_ = new QTreeWidget(panel);
    calendarList_->setObjectName(QStringLiteral("calendarList"));
    calendarList_->setRootIsDecorated(false);
    calendarList_->setHeaderLabels({QStringLiteral("項目"), QStringLiteral("フォント"),
                                 QStringLiteral("書式"), QStringLiteral("位置")});
    calendarList_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    calendarList_->setMinimumSize(480, 200);
    yearMonthCombo_ = comboBox(QStringLiteral("yearMonthCombo"), panel);
    yearMonthLabel_ = label(QStringLiteral("年書式、月書式"), QStringLiteral("yearMonthLabel"), panel);
    auto* alignFrame = new QGroupBox(QStringLiteral("位置設定"), panel);
    alignmentChoice_ =
        optionGroup(alignFrame, QStringLiteral("alignmentChoice"), {u"左寄せ", u"中央", u"右寄せ"});
    rowFontButton_ = plainButton(QStringLiteral("フォント"), QStringLiteral("rowFontButton"), panel);
    auto* rowTools = new QHBoxLayout;
    rowTools->addWidget(yearMonthLabel_);
    rowTools->addWidget(yearMonthCombo_);
    rowTools->addWidget(alignFrame);
    rowTools->addWidget(rowFontButton_);
    rowTools->addStretch();

    auto* dayFonts = new QGridLayout;
    const std::array<const char16_t*, 2> fontCaptions{u"日付フォント", u"曜日フォント"};
    for (int i = 0; i < 2; ++i) {
        dayFontsButton_[static_cast<std::size_t>(i)] =
            plainButton(QString::fromUtf16(fontCaptions[static_cast<std::size_t>(i)]),
                        QStringLiteral("calendarButton%1").arg(12 + i), panel);
        dayFontsLabel_[static_cast<std::size_t>(i)] =
            label(QString(), QStringLiteral("calendarFontLabel%1").arg(12 + i), panel);
        dayFonts->addWidget(dayFontsButton_[static_cast<std::size_t>(i)], i, 0);
        dayFonts->addWidget(dayFontsLabel_[static_cast<std::size_t>(i)], i, 1);
    }
    dayFonts->setColumnStretch(1, 1);

    auto* colourFrame = new QWidget(panel);
    auto* colourLayout = new QVBoxLayout(colourFrame);
    colourTabs_ = new QTabBar(colourFrame);
    colourTabs_->setObjectName(QStringLiteral("colourTabs"));
    colourTabs_->addTab(QStringLiteral("日付"));
    colourTabs_->addTab(QStringLiteral("曜日"));
    colourLayout->addWidget(colourTabs_);
    auto* colourGrid = new QGridLayout;
    const std::array<const char16_t*, 8> dayCaptions{u"日曜", u"月曜", u"火曜", u"水曜",
                                                     u"木曜", u"金曜", u"土曜", u"祝日"};
    for (int k = 0; k < 8; ++k) {
        const auto i = static_cast<std::size_t>(k);
        colourSwatch_[i] = new ColourSwatch(QStringLiteral("colourSwatch%1").arg(k), colourFrame);
        colourButton_[i] = plainButton(QString::fromUtf16(dayCaptions[i]),
                                   QStringLiteral("colourButton%1").arg(k), colourFrame);
        colourGrid->addWidget(colourSwatch_[i], k / 2, k % 2 * 2);
        colourGrid->addWidget(colourButton_[i], k / 2, k % 2 * 2 + 1);
    }
    colourGrid->setColumnStretch(4, 1);
    colourLayout->addLayout(colourGrid);
    auto* backRows = new QGridLayout;
    backRows->addLayout(colourRow(backColourSwatch_[0], backColourButton_[0]), 0, 0);
    backRows->addWidget(backColourButton_[4], 0, 1);
    backRows->addLayout(colourRow(backColourSwatch_[3], backColourButton_[3]), 1, 0);
    backRows->addWidget(transparentCheck_[1], 1, 1);
    colourLayout->addLayout(backRows);

    colourLayout->setContentsMargins(0, 0, 0, 0);
    auto* left = new QVBoxLayout;
    left->addLayout(lists);
    left->addWidget(colourFrame);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(calendarList_, 1);
    right->addLayout(rowTools);
    right->addLayout(dayFonts);
    auto* layout = new QHBoxLayout(panel);
    layout->addLayout(left);
    layout->addLayout(right, 1);
    return panel;
}

QWidget* ItemPropertiesDialog::buildPicturePanel() {
    auto* panel = new QGroupBox(this);
    panel->setObjectName(QStringLiteral("panelGroup2"));
    auto* grid = new QGridLayout(panel);
    picturePathEdit_ = new DropLineEdit([this](const QString& path) { pictureDropped(path); }, panel);
    picturePathEdit_->setObjectName(QStringLiteral("picturePathEdit"));
    picturePathEdit_->setMinimumWidth(420);
    grid->addWidget(new QLabel(QStringLiteral("画像ファイル名"), panel), 0, 0);
    grid->addWidget(picturePathEdit_, 0, 1);
    grid->addWidget(plainButton(QStringLiteral("参照"), QStringLiteral("fileButton"), panel), 0, 2);
    grid->addLayout(colourRow(backColourSwatch_[4], backColourButton_[5]), 1, 0, 1, 2);
    grid->addWidget(transparentCheck_[2], 1, 2);
    pictureThumbnail_ = new QLabel(panel);
    pictureThumbnail_->setObjectName(QStringLiteral("pictureThumbnail"));
    pictureThumbnail_->setFixedSize(kThumbnailSize + QSize(2, 2));
    pictureThumbnail_->setAlignment(Qt::AlignCenter);
    pictureThumbnail_->setFrameShape(QFrame::StyledPanel);
    grid->addWidget(pictureThumbnail_, 2, 1, Qt::AlignLeft | Qt::AlignTop);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);
    return panel;
}

QWidget* ItemPropertiesDialog::buildTextPanel() {
    auto* panel = new QGroupBox(this);
    panel->setObjectName(QStringLiteral("panelGroup3"));
    auto* grid = new QGridLayout(panel);
    textEdit_ = new QPlainTextEdit(panel);
    textEdit_->setObjectName(QStringLiteral("textEdit"));
    textEdit_->setMinimumSize(420, 90);
    textEdit_->setToolTip(QStringLiteral(
        "{年} {月} {和暦年} {年度} {和暦年度} はページの月で置き換わります。{{ で { を書きます。"));
    textFontButton_ = plainButton(QStringLiteral("フォント"), QStringLiteral("textFontButton"), panel);
    textFontLabel_ = label(QString(), QStringLiteral("textFontLabel"), panel);
    textBackgroundCheck_ = new QCheckBox(QStringLiteral("背景を塗る"), panel);
    textBackgroundCheck_->setObjectName(QStringLiteral("textBackgroundCheck"));
    grid->addWidget(new QLabel(QStringLiteral("テキスト"), panel), 0, 0, Qt::AlignTop);
    grid->addWidget(textEdit_, 0, 1, 1, 2);
    grid->addWidget(
        label(QStringLiteral("差し込み: {年} {月} {和暦年} {年度} {和暦年度}  ({{ で {)"),
              QStringLiteral("textFieldsLabel"), panel),
        1, 1, 1, 2);
    grid->addWidget(textFontButton_, 2, 0);
    grid->addWidget(textFontLabel_, 2, 1, 1, 2);
    grid->addWidget(textBackgroundCheck_, 3, 0);
    grid->addLayout(colourRow(backColourSwatch_[5], backColourButton_[6]), 3, 1);
    grid->addLayout(colourRow(backColourSwatch_[6], backColourButton_[7]), 4, 1);
    grid->addWidget(transparentCheck_[3], 4, 0);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(5, 1);
    return panel;
}

QWidget* ItemPropertiesDialog::buildSizeFrame() {
    auto* frame = new QGroupBox(QStringLiteral("サイズ指定"), this);
    horizontalPlacementGroup_ = new QGroupBox(QStringLiteral("描画位置X"), frame);
    horizontalPlacementGroup_->setObjectName(QStringLiteral("horizontalPlacementGroup"));
    horizontalPlacementChoice_ = optionGroup(horizontalPlacementGroup_, QStringLiteral("horizontalPlacementChoice"),
                                {u"左寄せ", u"中央", u"右寄せ"});
    verticalPlacementGroup_ = new QGroupBox(QStringLiteral("描画位置Y"), frame);
    verticalPlacementGroup_->setObjectName(QStringLiteral("verticalPlacementGroup"));
    verticalPlacementChoice_ =
        optionGroup(verticalPlacementGroup_, QStringLiteral("verticalPlacementChoice"), {u"上寄せ", u"中央", u"下寄せ"});
    sizeCheck_[0] = new QCheckBox(QStringLiteral("指定サイズ内に表示できるように調整する"), frame);
    sizeCheck_[0]->setObjectName(QStringLiteral("sizeCheck0"));
    sizeCheck_[1] = new QCheckBox(QStringLiteral("縦横の比率を保持しない"), frame);
    sizeCheck_[1]->setObjectName(QStringLiteral("sizeCheck1"));
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(horizontalPlacementGroup_);
    layout->addWidget(verticalPlacementGroup_);
    layout->addWidget(sizeCheck_[0]);
    layout->addWidget(sizeCheck_[1]);
    return frame;
}

} // namespace tobirae
