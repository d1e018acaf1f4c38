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
        Pic_BackColor[static_cast<std::size_t>(i)] =
            new ColourSwatch(QStringLiteral("Pic_BackColor%1").arg(i), this);
    const std::array<const char16_t*, 8> backCaptions{u"背景色",   u"背景色",  u"透視化色",
                                                      u"透視化色", u"詳細",    u"透視化色",
                                                      u"背景色",   u"透視化色"};
    for (int i = 0; i < 8; ++i)
        Cmd_BackColor[static_cast<std::size_t>(i)] =
            plainButton(QString::fromUtf16(backCaptions[static_cast<std::size_t>(i)]),
                        QStringLiteral("Cmd_BackColor%1").arg(i), this);
    for (int i = 0; i < 4; ++i) {
        Chk_ClearColor[static_cast<std::size_t>(i)] =
            new QCheckBox(QStringLiteral("透視化する"), this);
        Chk_ClearColor[static_cast<std::size_t>(i)]->setObjectName(
            QStringLiteral("Chk_ClearColor%1").arg(i));
    }

    auto* categoryRow = new QHBoxLayout;
    Cmb_YMD = comboBox(QStringLiteral("Cmb_YMD"), this);
    for (const StyleChoice& choice : categoryChoices())
        Cmb_YMD->addItem(choice.caption, choice.value);
    categoryRow->addWidget(new QLabel(QStringLiteral("年月種類"), this));
    categoryRow->addWidget(Cmb_YMD);
    categoryRow->addStretch();

    Fra_Panel[0] = static_cast<QGroupBox*>(buildTitlePanel());
    Fra_Panel[1] = static_cast<QGroupBox*>(buildDayPanel());
    Fra_Panel[2] = static_cast<QGroupBox*>(buildPicturePanel());
    Fra_Panel[3] = static_cast<QGroupBox*>(buildTextPanel());

    Command1[0] = plainButton(QStringLiteral("日付表示設定"), QStringLiteral("Command1_0"), this);
    Command1[1] = plainButton(QStringLiteral("全体の罫線設定"), QStringLiteral("Command1_1"), this);
    Command2 = plainButton(QStringLiteral("初期化"), QStringLiteral("Command2"), this);
    auto* buttons = okCancelButtons(this, QStringLiteral("OK"), QStringLiteral("キャンセル(&C)"));
    buttons->findChild<QPushButton*>(QStringLiteral("Cmd_OK"))
        ->setObjectName(QStringLiteral("Cmd_Ret0"));
    buttons->findChild<QPushButton*>(QStringLiteral("Cmd_Cancel"))
        ->setObjectName(QStringLiteral("Cmd_Ret1"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ItemPropertiesDialog::acceptEntries);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Command1[0]);
    bottom->addWidget(Command1[1]);
    bottom->addWidget(Command2);
    bottom->addStretch();
    bottom->addWidget(buttons);

    // One panel shows at a time; the stack keeps the window as large as the largest panel, so
    // changing the category never moves the buttons under the pointer. The size frame stands
    // beside the panels, which keeps the window low enough for a laptop screen.
    Stk_Panels = new QStackedWidget(this);
    for (QGroupBox* panel : Fra_Panel)
        Stk_Panels->addWidget(panel);
    Stk_Panels->addWidget(new QWidget(Stk_Panels)); // for a category the dialog does not know
    auto* middle = new QHBoxLayout;
    middle->addWidget(Stk_Panels, 1);
    middle->addWidget(buildSizeFrame(), 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(categoryRow);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);
}

QWidget* ItemPropertiesDialog::buildTitlePanel() {
    auto* panel = new QGroupBox(this);
    panel->setObjectName(QStringLiteral("Fra_Panel0"));
    auto* grid = new QGridLayout(panel);
    Cmb_YMD_Sub[0] = comboBox(QStringLiteral("Cmb_YMD_Sub0"), panel);
    Cmb_YMD_Sub[1] = comboBox(QStringLiteral("Cmb_YMD_Sub1"), panel);
    Lbl_YMD_Sub1 = label(QStringLiteral("月指定"), QStringLiteral("Lbl_YMD_Sub1"), panel);
    Cmd_YMD_Sub = plainButton(QStringLiteral("フォント"), QStringLiteral("Cmd_YMD_Sub"), panel);
    Lbl_YMD_Sub4 = label(QString(), QStringLiteral("Lbl_YMD_Sub4"), panel);
    grid->addWidget(new QLabel(QStringLiteral("表示形式"), panel), 0, 0);
    grid->addWidget(Cmb_YMD_Sub[0], 0, 1);
    grid->addWidget(Lbl_YMD_Sub1, 1, 0);
    grid->addWidget(Cmb_YMD_Sub[1], 1, 1);
    grid->addWidget(Cmd_YMD_Sub, 2, 0);
    grid->addWidget(Lbl_YMD_Sub4, 2, 1);
    grid->addLayout(colourRow(Pic_BackColor[1], Cmd_BackColor[1]), 3, 0, 1, 2);
    grid->addLayout(colourRow(Pic_BackColor[2], Cmd_BackColor[2]), 4, 0);
    grid->addWidget(Chk_ClearColor[0], 4, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(5, 1);
    return panel;
}

QWidget* ItemPropertiesDialog::buildDayPanel() {
    auto* panel = new QGroupBox(this);
    panel->setObjectName(QStringLiteral("Fra_Panel1"));
    for (const int i : {0, 1, 2, 3, 4}) {
        Cmb_1Month[static_cast<std::size_t>(i)] =
            comboBox(QStringLiteral("Cmb_1Month%1").arg(i), panel);
        // Wide enough for the longest entry ("Box表示(Mini 6段)") whatever is selected.
        Cmb_1Month[static_cast<std::size_t>(i)]->setMinimumWidth(170);
    }
    Lbl_1Month[0] = label(QStringLiteral("表示形式"), QStringLiteral("Lbl_1Month0"), panel);
    Lbl_1Month[2] = label(QStringLiteral("曜日書式"), QStringLiteral("Lbl_1Month2"), panel);
    Lbl_1Month[3] = label(QStringLiteral("月指定"), QStringLiteral("Lbl_1Month3"), panel);
    Lbl_1Month[4] = label(QStringLiteral("週設定"), QStringLiteral("Lbl_1Month4"), panel);
    Lbl_1Month[1] = label(QStringLiteral("週の始まり"), QStringLiteral("Lbl_1Month1"), panel);
    Cmb_1Month[1]->addItem(QStringLiteral("日曜"), static_cast<int>(WeekStart::Sunday));
    Cmb_1Month[1]->addItem(QStringLiteral("月曜"), static_cast<int>(WeekStart::Monday));
    for (const StyleChoice& choice : weekdayStyleChoices())
        Cmb_1Month[2]->addItem(choice.caption, choice.value);
    Chk_1Month0 = new QCheckBox(QStringLiteral("罫線をつける"), panel);
    Chk_1Month0->setObjectName(QStringLiteral("Chk_1Month0"));
    Chk_OwnNames = new QCheckBox(QStringLiteral("予定・休日の名前を表示"), panel);
    Chk_OwnNames->setObjectName(QStringLiteral("Chk_OwnNames"));
    Chk_OwnNames->setToolTip(QStringLiteral("「予定・休日の設定」の名前を祝日名の位置に表示します。"
                                            "休日の色は表示しなくても付きます。"));

    auto* lists = new QGridLayout;
    for (const int i : {0, 3, 4, 1, 2}) {
        const int row = lists->rowCount();
        lists->addWidget(Lbl_1Month[static_cast<std::size_t>(i)], row, 0);
        lists->addWidget(Cmb_1Month[static_cast<std::size_t>(i)], row, 1);
    }
    lists->addWidget(Chk_1Month0, lists->rowCount(), 0, 1, 2);
    lists->addWidget(Chk_OwnNames, lists->rowCount(), 0, 1, 2);

    auto* sizeFrame = new QGroupBox(QStringLiteral("基準枠"), panel);
    auto* sizeGrid = new QGridLayout(sizeFrame);
    const std::array<const char16_t*, 2> sizeCaptions{u"幅", u"高さ"};
    for (int i = 0; i < 2; ++i) {
        Txt_StdSize[static_cast<std::size_t>(i)] = new QLineEdit(sizeFrame);
        Txt_StdSize[static_cast<std::size_t>(i)]->setObjectName(
            QStringLiteral("Txt_StdSize%1").arg(i));
        Txt_StdSize[static_cast<std::size_t>(i)]->setMaximumWidth(80);
        sizeGrid->addWidget(
            new QLabel(QString::fromUtf16(sizeCaptions[static_cast<std::size_t>(i)]), sizeFrame), i,
            0);
        sizeGrid->addWidget(Txt_StdSize[static_cast<std::size_t>(i)], i, 1);
    }
    lists->addWidget(sizeFrame, lists->rowCount(), 0, 1, 2);

    Lst_1Month = new QTreeWidget(panel);
    Lst_1Month->setObjectName(QStringLiteral("Lst_1Month"));
    Lst_1Month->setRootIsDecorated(false);
    Lst_1Month->setHeaderLabels({QStringLiteral("項目"), QStringLiteral("フォント"),
                                 QStringLiteral("書式"), QStringLiteral("位置")});
    Lst_1Month->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Lst_1Month->setMinimumSize(480, 200);
    Cmb_YearMonth = comboBox(QStringLiteral("Cmb_YearMonth"), panel);
    Lbl_YearMonth = label(QStringLiteral("年書式、月書式"), QStringLiteral("Lbl_YearMonth"), panel);
    auto* alignFrame = new QGroupBox(QStringLiteral("位置設定"), panel);
    Opt_StrState =
        optionGroup(alignFrame, QStringLiteral("Opt_StrState"), {u"左寄せ", u"中央", u"右寄せ"});
    Cmd2_1Month = plainButton(QStringLiteral("フォント"), QStringLiteral("Cmd2_1Month"), panel);
    auto* rowTools = new QHBoxLayout;
    rowTools->addWidget(Lbl_YearMonth);
    rowTools->addWidget(Cmb_YearMonth);
    rowTools->addWidget(alignFrame);
    rowTools->addWidget(Cmd2_1Month);
    rowTools->addStretch();

    auto* dayFonts = new QGridLayout;
    const std::array<const char16_t*, 2> fontCaptions{u"日付フォント", u"曜日フォント"};
    for (int i = 0; i < 2; ++i) {
        Cmd_DayFonts[static_cast<std::size_t>(i)] =
            plainButton(QString::fromUtf16(fontCaptions[static_cast<std::size_t>(i)]),
                        QStringLiteral("Cmd_1Month%1").arg(12 + i), panel);
        Lbl_DayFonts[static_cast<std::size_t>(i)] =
            label(QString(), QStringLiteral("Lbl_1MonthFont%1").arg(12 + i), panel);
        dayFonts->addWidget(Cmd_DayFonts[static_cast<std::size_t>(i)], i, 0);
        dayFonts->addWidget(Lbl_DayFonts[static_cast<std::size_t>(i)], i, 1);
    }
    dayFonts->setColumnStretch(1, 1);

    auto* colourFrame = new QWidget(panel);
    auto* colourLayout = new QVBoxLayout(colourFrame);
    Tab_Color = new QTabBar(colourFrame);
    Tab_Color->setObjectName(QStringLiteral("Tab_Color"));
    Tab_Color->addTab(QStringLiteral("日付"));
    Tab_Color->addTab(QStringLiteral("曜日"));
    colourLayout->addWidget(Tab_Color);
    auto* colourGrid = new QGridLayout;
    const std::array<const char16_t*, 8> dayCaptions{u"日曜", u"月曜", u"火曜", u"水曜",
                                                     u"木曜", u"金曜", u"土曜", u"祝日"};
    for (int k = 0; k < 8; ++k) {
        const auto i = static_cast<std::size_t>(k);
        Pic_Color[i] = new ColourSwatch(QStringLiteral("Pic_Color%1").arg(k), colourFrame);
        Cmd_Color[i] = plainButton(QString::fromUtf16(dayCaptions[i]),
                                   QStringLiteral("Cmd_Color%1").arg(k), colourFrame);
        colourGrid->addWidget(Pic_Color[i], k / 2, k % 2 * 2);
        colourGrid->addWidget(Cmd_Color[i], k / 2, k % 2 * 2 + 1);
    }
    colourGrid->setColumnStretch(4, 1);
    colourLayout->addLayout(colourGrid);
    auto* backRows = new QGridLayout;
    backRows->addLayout(colourRow(Pic_BackColor[0], Cmd_BackColor[0]), 0, 0);
    backRows->addWidget(Cmd_BackColor[4], 0, 1);
    backRows->addLayout(colourRow(Pic_BackColor[3], Cmd_BackColor[3]), 1, 0);
    backRows->addWidget(Chk_ClearColor[1], 1, 1);
    colourLayout->addLayout(backRows);

    colourLayout->setContentsMargins(0, 0, 0, 0);
    auto* left = new QVBoxLayout;
    left->addLayout(lists);
    left->addWidget(colourFrame);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(Lst_1Month, 1);
    right->addLayout(rowTools);
    right->addLayout(dayFonts);
    auto* layout = new QHBoxLayout(panel);
    layout->addLayout(left);
    layout->addLayout(right, 1);
    return panel;
}

QWidget* ItemPropertiesDialog::buildPicturePanel() {
    auto* panel = new QGroupBox(this);
    panel->setObjectName(QStringLiteral("Fra_Panel2"));
    auto* grid = new QGridLayout(panel);
    Text1 = new DropLineEdit([this](const QString& path) { pictureDropped(path); }, panel);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setMinimumWidth(420);
    grid->addWidget(new QLabel(QStringLiteral("画像ファイル名"), panel), 0, 0);
    grid->addWidget(Text1, 0, 1);
    grid->addWidget(plainButton(QStringLiteral("参照"), QStringLiteral("Cmd_File"), panel), 0, 2);
    grid->addLayout(colourRow(Pic_BackColor[4], Cmd_BackColor[5]), 1, 0, 1, 2);
    grid->addWidget(Chk_ClearColor[2], 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
    return panel;
}

QWidget* ItemPropertiesDialog::buildTextPanel() {
    auto* panel = new QGroupBox(this);
    panel->setObjectName(QStringLiteral("Fra_Panel3"));
    auto* grid = new QGridLayout(panel);
    Txt_Text = new QPlainTextEdit(panel);
    Txt_Text->setObjectName(QStringLiteral("Txt_Text"));
    Txt_Text->setMinimumSize(420, 90);
    Txt_Text->setToolTip(QStringLiteral(
        "{年} {月} {和暦年} {年度} {和暦年度} はページの月で置き換わります。{{ で { を書きます。"));
    Cmd_TextFont = plainButton(QStringLiteral("フォント"), QStringLiteral("Cmd_TextFont"), panel);
    Lbl_TextFont = label(QString(), QStringLiteral("Lbl_TextFont"), panel);
    Chk_TextBack = new QCheckBox(QStringLiteral("背景を塗る"), panel);
    Chk_TextBack->setObjectName(QStringLiteral("Chk_TextBack"));
    grid->addWidget(new QLabel(QStringLiteral("テキスト"), panel), 0, 0, Qt::AlignTop);
    grid->addWidget(Txt_Text, 0, 1, 1, 2);
    grid->addWidget(
        label(QStringLiteral("差し込み: {年} {月} {和暦年} {年度} {和暦年度}  ({{ で {)"),
              QStringLiteral("Lbl_TextFields"), panel),
        1, 1, 1, 2);
    grid->addWidget(Cmd_TextFont, 2, 0);
    grid->addWidget(Lbl_TextFont, 2, 1, 1, 2);
    grid->addWidget(Chk_TextBack, 3, 0);
    grid->addLayout(colourRow(Pic_BackColor[5], Cmd_BackColor[6]), 3, 1);
    grid->addLayout(colourRow(Pic_BackColor[6], Cmd_BackColor[7]), 4, 1);
    grid->addWidget(Chk_ClearColor[3], 4, 0);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(5, 1);
    return panel;
}

QWidget* ItemPropertiesDialog::buildSizeFrame() {
    auto* frame = new QGroupBox(QStringLiteral("サイズ指定"), this);
    Fra_PrintLeft = new QGroupBox(QStringLiteral("描画位置X"), frame);
    Fra_PrintLeft->setObjectName(QStringLiteral("Fra_PrintLeft"));
    Opt_PrintLeft = optionGroup(Fra_PrintLeft, QStringLiteral("Opt_PrintLeft"),
                                {u"左寄せ", u"中央", u"右寄せ"});
    Fra_PrintTop = new QGroupBox(QStringLiteral("描画位置Y"), frame);
    Fra_PrintTop->setObjectName(QStringLiteral("Fra_PrintTop"));
    Opt_PrintTop =
        optionGroup(Fra_PrintTop, QStringLiteral("Opt_PrintTop"), {u"上寄せ", u"中央", u"下寄せ"});
    Chk_Size[0] = new QCheckBox(QStringLiteral("指定サイズ内に表示できるように調整する"), frame);
    Chk_Size[0]->setObjectName(QStringLiteral("Chk_Size0"));
    Chk_Size[1] = new QCheckBox(QStringLiteral("縦横の比率を保持しない"), frame);
    Chk_Size[1]->setObjectName(QStringLiteral("Chk_Size1"));
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(Fra_PrintLeft);
    layout->addWidget(Fra_PrintTop);
    layout->addWidget(Chk_Size[0]);
    layout->addWidget(Chk_Size[1]);
    return frame;
}

} // namespace tobirae
